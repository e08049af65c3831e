// tessor-eq info [--component PATH]
#include "cli/Args.h"
#include "cli/Commands.h"
#include "cli/ComponentLocator.h"
#include "cli/HostedUnit.h"
#include "cli/ParamLookup.h"

#include <cstdio>

namespace cli {

namespace {

const char kHelp[] =
    "usage: tessor-eq info [--component PATH]\n"
    "\n"
    "Describes the component: name, codes, version, bundle identifier and location, the\n"
    "channel configurations it accepts, its presets, latency and tail time.\n";

std::string PackedVersion(UInt32 v) {
  return std::to_string(v >> 16) + "." + std::to_string((v >> 8) & 0xFF) + "." +
         std::to_string(v & 0xFF);
}

}  // namespace

int InfoCommand(const Args& args) {
  ParsedArgs parsed = ParseArgs(args, {{"component", true, false}});
  if (parsed.help) {
    std::fputs(kHelp, stdout);
    return 0;
  }
  ExpectPositional(parsed, 0, 0, "tessor-eq info [--component PATH]");
  HostedUnit unit(LocateComponent(parsed.Value("component")));
  const host::ComponentEntryInfo& entry = unit.Entry();
  const ComponentDescription& d = entry.description;

  std::printf("%s\n", entry.name.c_str());
  std::printf("  component    %s %s %s (type, subtype, manufacturer)\n",
              host::FourCCString(d.componentType).c_str(),
              host::FourCCString(d.componentSubType).c_str(),
              host::FourCCString(d.componentManufacturer).c_str());
  char hex[16];
  std::snprintf(hex, sizeof(hex), "0x%08X", static_cast<unsigned>(entry.version));
  std::printf("  version      %s (%s)\n", PackedVersion(entry.version).c_str(), hex);
  std::printf("  bundle       %s\n", unit.Bundle().identifier.c_str());
  std::printf("  location     %s\n", unit.Bundle().path.c_str());

  std::string channels;
  for (const AUChannelInfo& c : unit.ChannelConfigurations())
    channels += (channels.empty() ? "" : ", ") + std::to_string(c.inChannels) + " in / " +
                std::to_string(c.outChannels) + " out";
  std::printf("  channels     %s\n", channels.empty() ? "(not reported)" : channels.c_str());

  const std::vector<std::string> presets = unit.FactoryPresetNames();
  std::string presetText;
  for (size_t i = 0; i < presets.size(); ++i)
    presetText += (i ? ", " : "") + std::to_string(i) + " \"" + presets[i] + "\"";
  std::printf("  presets      %s\n", presetText.empty() ? "(none)" : presetText.c_str());
  std::printf("  parameters   %zu\n", unit.Parameters().size());
  std::printf("  latency      %s s\n", FormatNumber(unit.LatencySeconds()).c_str());
  std::printf("  tail         %s s\n", FormatNumber(unit.TailSeconds()).c_str());
  return 0;
}

}  // namespace cli
