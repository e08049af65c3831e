// .aupreset files: the saved state of an Audio Unit instance (its ClassInfo dictionary) as an
// XML property list. The dictionary holds "version", "type", "subtype", "manufacturer"
// (32-bit integers), "name" (the preset name) and "data" (one little-endian double per
// parameter, in parameter order).
#ifndef TESSOR_CLI_PRESET_FILE_H
#define TESSOR_CLI_PRESET_FILE_H

#include <CoreFoundation/CoreFoundation.h>
#include <CoreServices/CoreServices.h>

#include <string>
#include <vector>

namespace cli {

class HostedUnit;

struct PresetContents {
  SInt32 version = 0;
  OSType type = 0, subtype = 0, manufacturer = 0;
  std::string name;
  std::vector<double> values;     // the parameter values "data" holds
  std::vector<std::string> keys;  // every key of the dictionary, sorted
};

// Reads and checks a preset file; the caller releases the dictionary. Throws a failure for a
// missing or unreadable file, text that is not a property list, and a dictionary whose keys
// are missing or of the wrong type or whose data is not a whole number of values.
CFDictionaryRef ReadPresetFile(const std::string& path);

// The contents of a dictionary that ReadPresetFile accepted.
PresetContents DescribePreset(CFDictionaryRef preset);

// Throws a failure unless the preset was made for this component and holds one finite value
// per parameter.
void CheckPresetFits(const PresetContents& preset, const std::string& path,
                     const ComponentDescription& component, size_t parameterCount);

// Writes the dictionary as an XML property list; the file is replaced only once it is
// complete. Throws a failure when it cannot be written.
void WritePresetFile(const std::string& path, CFPropertyListRef preset);

// Writes the unit's current state (its ClassInfo) as a preset file, as WritePresetFile does.
void WriteUnitStateAsPreset(const HostedUnit& unit, const std::string& path);

}  // namespace cli

#endif
