#include "cli/PresetFile.h"

#include "cli/AtomicFile.h"
#include "cli/CliError.h"
#include "cli/HostedUnit.h"
#include "host/ComponentBundle.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace cli {

namespace {

const char* const kNumberKeys[] = {"version", "type", "subtype", "manufacturer"};

CFTypeRef Get(CFDictionaryRef dict, const char* key) {
  CFStringRef k = CFStringCreateWithCString(nullptr, key, kCFStringEncodingUTF8);
  CFTypeRef value = CFDictionaryGetValue(dict, k);
  CFRelease(k);
  return value;
}

SInt32 GetInt(CFDictionaryRef dict, const char* key) {
  SInt32 v = 0;
  CFNumberGetValue(static_cast<CFNumberRef>(Get(dict, key)), kCFNumberSInt32Type, &v);
  return v;
}

// Presets are a few kilobytes; anything this large is not one (and reading /dev/zero by
// mistake must not eat the machine's memory).
const size_t kMaxPresetBytes = 16u << 20;

// The whole file. Throws a failure for a missing, unreadable or oversized file and for a
// directory.
std::string ReadSmallFile(const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) throw Failure("cannot read preset '" + path + "': " + std::strerror(errno));
  struct stat st;
  if (::fstat(::fileno(f), &st) == 0 && S_ISDIR(st.st_mode)) {
    std::fclose(f);
    throw Failure("cannot read preset '" + path + "': it is a directory, not an .aupreset file");
  }
  std::string text;
  char buffer[65536];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof(buffer), f)) > 0) {
    text.append(buffer, n);
    if (text.size() > kMaxPresetBytes) {
      std::fclose(f);
      throw Failure("malformed preset '" + path + "': larger than any preset (over 16 MB)");
    }
  }
  const bool failed = std::ferror(f) != 0;
  const int err = errno;
  std::fclose(f);
  if (failed) throw Failure("cannot read preset '" + path + "': " + std::strerror(err));
  return text;
}

}  // namespace

CFDictionaryRef ReadPresetFile(const std::string& path) {
  const std::string text = ReadSmallFile(path);
  CFDataRef data = CFDataCreate(nullptr, reinterpret_cast<const UInt8*>(text.data()),
                                static_cast<CFIndex>(text.size()));
  CFErrorRef error = nullptr;
  CFPropertyListRef plist =
      CFPropertyListCreateWithData(nullptr, data, kCFPropertyListImmutable, nullptr, &error);
  CFRelease(data);
  if (!plist) {
    std::string why = "not a property list";
    if (error) {
      CFStringRef description = CFErrorCopyDescription(error);
      if (description) {
        why = host::StringFromCF(description);
        CFRelease(description);
      }
      CFRelease(error);
    }
    throw Failure("malformed preset '" + path + "': " + why);
  }
  if (CFGetTypeID(plist) != CFDictionaryGetTypeID()) {
    CFRelease(plist);
    throw Failure("malformed preset '" + path + "': not a dictionary");
  }
  CFDictionaryRef dict = static_cast<CFDictionaryRef>(plist);
  std::string problem;
  for (const char* key : kNumberKeys) {
    CFTypeRef v = Get(dict, key);
    if (!v || CFGetTypeID(v) != CFNumberGetTypeID()) {
      problem = std::string("no number \"") + key + "\"";
      break;
    }
  }
  CFTypeRef name = Get(dict, "name");
  CFTypeRef bytes = Get(dict, "data");
  if (problem.empty() && (!name || CFGetTypeID(name) != CFStringGetTypeID()))
    problem = "no string \"name\"";
  if (problem.empty() && (!bytes || CFGetTypeID(bytes) != CFDataGetTypeID()))
    problem = "no \"data\"";
  if (problem.empty() && CFDataGetLength(static_cast<CFDataRef>(bytes)) % 8 != 0)
    problem = "\"data\" is not a whole number of parameter values";
  if (!problem.empty()) {
    CFRelease(plist);
    throw Failure("malformed preset '" + path + "': " + problem);
  }
  return dict;
}

PresetContents DescribePreset(CFDictionaryRef dict) {
  PresetContents p;
  p.version = GetInt(dict, "version");
  p.type = static_cast<OSType>(GetInt(dict, "type"));
  p.subtype = static_cast<OSType>(GetInt(dict, "subtype"));
  p.manufacturer = static_cast<OSType>(GetInt(dict, "manufacturer"));
  p.name = host::StringFromCF(static_cast<CFStringRef>(Get(dict, "name")));
  CFDataRef data = static_cast<CFDataRef>(Get(dict, "data"));
  const CFIndex n = CFDataGetLength(data) / 8;
  const UInt8* bytes = CFDataGetBytePtr(data);
  for (CFIndex i = 0; i < n; ++i) {
    // Stored little-endian, as the unit on this machine writes it.
    uint64_t bits = 0;
    for (int b = 7; b >= 0; --b) bits = (bits << 8) | bytes[i * 8 + b];
    double v;
    std::memcpy(&v, &bits, sizeof(v));
    p.values.push_back(v);
  }
  const CFIndex count = CFDictionaryGetCount(dict);
  std::vector<const void*> keys(static_cast<size_t>(count));
  CFDictionaryGetKeysAndValues(dict, keys.data(), nullptr);
  for (const void* k : keys)
    if (k && CFGetTypeID(k) == CFStringGetTypeID())
      p.keys.push_back(host::StringFromCF(static_cast<CFStringRef>(k)));
  std::sort(p.keys.begin(), p.keys.end());
  return p;
}

void CheckPresetFits(const PresetContents& preset, const std::string& path,
                     const ComponentDescription& component, size_t parameterCount) {
  if (preset.type != component.componentType || preset.subtype != component.componentSubType ||
      preset.manufacturer != component.componentManufacturer)
    throw Failure("preset '" + path + "' is for the component " + host::FourCCString(preset.type) +
                  "/" + host::FourCCString(preset.subtype) + "/" +
                  host::FourCCString(preset.manufacturer) + ", not " +
                  host::FourCCString(component.componentType) + "/" +
                  host::FourCCString(component.componentSubType) + "/" +
                  host::FourCCString(component.componentManufacturer));
  if (preset.values.size() != parameterCount)
    throw Failure("malformed preset '" + path + "': it holds " +
                  std::to_string(preset.values.size()) + " parameter values, the component has " +
                  std::to_string(parameterCount));
  for (size_t i = 0; i < preset.values.size(); ++i)
    if (!std::isfinite(preset.values[i]))
      throw Failure("malformed preset '" + path + "': parameter " + std::to_string(i) +
                    " is not a finite number");
}

void WritePresetFile(const std::string& path, CFPropertyListRef preset) {
  CFErrorRef error = nullptr;
  CFDataRef xml =
      CFPropertyListCreateData(nullptr, preset, kCFPropertyListXMLFormat_v1_0, 0, &error);
  if (!xml) {
    if (error) CFRelease(error);
    throw Failure("cannot write preset '" + path + "': the state is not a property list");
  }
  const std::string bytes(reinterpret_cast<const char*>(CFDataGetBytePtr(xml)),
                          static_cast<size_t>(CFDataGetLength(xml)));
  CFRelease(xml);
  WriteFileAtomically(path, bytes, "preset");
}

void WriteUnitStateAsPreset(const HostedUnit& unit, const std::string& path) {
  CFPropertyListRef state = unit.CopyState();
  try {
    WritePresetFile(path, state);
  } catch (...) {
    CFRelease(state);
    throw;
  }
  CFRelease(state);
}

}  // namespace cli
