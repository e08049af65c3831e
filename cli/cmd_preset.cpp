// tessor-eq preset save FILE [--set NAME=VALUE]... | preset show FILE
#include "cli/Args.h"
#include "cli/CliError.h"
#include "cli/Commands.h"
#include "cli/ComponentLocator.h"
#include "cli/HostedUnit.h"
#include "cli/ParamLookup.h"
#include "cli/PresetFile.h"
#include "cli/UnitSettings.h"

#include <cstdio>
#include <memory>

namespace cli {

namespace {

const char kUsage[] =
    "tessor-eq preset save FILE.aupreset [--set NAME=VALUE]... | tessor-eq preset show FILE.aupreset";

const char kHelp[] =
    "usage: tessor-eq preset save FILE.aupreset [--set NAME=VALUE]... [--component PATH]\n"
    "       tessor-eq preset show FILE.aupreset [--component PATH]\n"
    "\n"
    "save  opens a fresh instance, applies the settings in order (as 'render --set') and\n"
    "      writes the instance's saved state (its ClassInfo dictionary) as an XML property\n"
    "      list, the .aupreset format of Audio Unit hosts.\n"
    "show  prints the keys of a preset file and the parameter values it holds, named and\n"
    "      with their display texts when the component is at hand.\n"
    "'render --preset FILE' restores such a file before its own --set options.\n";

int Save(const ParsedArgs& parsed) {
  const std::string path = parsed.positional[1];
  HostedUnit unit(LocateComponent(parsed.Value("component")));
  UnitSettings(unit, "", parsed.Values("set")).ApplyTo(unit);
  WriteUnitStateAsPreset(unit, path);
  std::printf("wrote %s (%zu parameter values)\n", path.c_str(), unit.Parameters().size());
  return 0;
}

int Show(const ParsedArgs& parsed) {
  const std::string path = parsed.positional[1];
  CFDictionaryRef dict = ReadPresetFile(path);
  PresetContents preset = DescribePreset(dict);
  CFRelease(dict);

  std::printf("preset \"%s\" for %s %s %s, version %d.%d.%d\n", preset.name.c_str(),
              host::FourCCString(preset.type).c_str(), host::FourCCString(preset.subtype).c_str(),
              host::FourCCString(preset.manufacturer).c_str(), preset.version >> 16,
              (preset.version >> 8) & 0xFF, preset.version & 0xFF);
  std::string keys;
  for (const std::string& k : preset.keys) keys += (keys.empty() ? "" : ", ") + k;
  std::printf("keys: %s\n", keys.c_str());

  // Names and display texts come from the component when it is the one the preset is for;
  // without it the values are listed by index.
  std::unique_ptr<HostedUnit> unit;
  std::vector<ParamInfo> params;
  try {
    unit.reset(new HostedUnit(LocateComponent(parsed.Value("component"))));
    const ComponentDescription& d = unit->Entry().description;
    if (d.componentType == preset.type && d.componentSubType == preset.subtype &&
        d.componentManufacturer == preset.manufacturer)
      params = unit->Parameters();
  } catch (const CliError&) {
    params.clear();
  }
  std::printf("parameter values (%zu):\n", preset.values.size());
  for (size_t i = 0; i < preset.values.size(); ++i) {
    const double v = preset.values[i];
    const ParamInfo* p = i < params.size() ? &params[i] : nullptr;
    const std::string line = p ? ValueLine(*unit, *p, v) : FormatNumber(v);
    std::printf("  %zu  %s\n", i, line.c_str());
  }
  return 0;
}

}  // namespace

int PresetCommand(const Args& args) {
  ParsedArgs parsed = ParseArgs(args, {{"set", true, true}, {"component", true, false}});
  if (parsed.help) {
    std::fputs(kHelp, stdout);
    return 0;
  }
  if (parsed.positional.empty())
    throw UsageError("missing arguments; usage: " + std::string(kUsage));
  const std::string action = parsed.positional[0];
  if (action == "save") {
    ExpectPositional(parsed, 2, 2, kUsage);
    return Save(parsed);
  }
  if (action == "show") {
    ExpectPositional(parsed, 2, 2, kUsage);
    if (parsed.Has("set")) throw UsageError("'preset show' takes no --set");
    return Show(parsed);
  }
  throw UsageError("unknown preset action '" + action + "'; usage: " + kUsage);
}

}  // namespace cli
