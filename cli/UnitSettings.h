// What a command applies to a fresh unit before initialising it: a preset file restored
// first, then the --set texts in order. Everything is checked against the unit (parameter
// names and values, that the preset was made for this component) when the settings are
// made, so a mistake is reported before any audio is read or written.
#ifndef TESSOR_CLI_UNIT_SETTINGS_H
#define TESSOR_CLI_UNIT_SETTINGS_H

#include "cli/HostedUnit.h"
#include "cli/ParamLookup.h"

#include <string>
#include <vector>

namespace cli {

class UnitSettings {
 public:
  // Throws a usage error for a --set text that names no parameter or no value of it, and a
  // failure for a preset file that cannot be read or does not fit the unit.
  UnitSettings(const HostedUnit& unit, const std::string& presetPath,
               const std::vector<std::string>& settingTexts);
  ~UnitSettings();
  UnitSettings(const UnitSettings&) = delete;
  UnitSettings& operator=(const UnitSettings&) = delete;

  // Restores the preset and sets the parameters on a configured, not yet initialised unit
  // (another instance of the same component is fine). Returns one ValueLine per --set.
  std::vector<std::string> ApplyTo(HostedUnit& unit) const;

 private:
  std::vector<ParamInfo> mParams;
  std::vector<Setting> mSettings;
  std::string mPresetPath;
  CFDictionaryRef mPreset = nullptr;
};

// A parameter's value as a person reads it: its display text ("80 Hz", "Off") when it has
// one, else the number with its unit ("-3.5 dB").
std::string ValueText(const HostedUnit& unit, const ParamInfo& param, double value);

// "HPF = 3 (80 Hz)", "Gain = -2 dB": the number a host stores and what it means.
std::string ValueLine(const HostedUnit& unit, const ParamInfo& param, double value);

}  // namespace cli

#endif
