// tessor-eq params [--component PATH]
#include "cli/Args.h"
#include "cli/Commands.h"
#include "cli/ComponentLocator.h"
#include "cli/HostedUnit.h"
#include "cli/ParamLookup.h"

#include <algorithm>
#include <cstdio>

namespace cli {

namespace {

const char kHelp[] =
    "usage: tessor-eq params [--component PATH]\n"
    "\n"
    "Lists the parameters as a host sees them, one line each: index, name, unit, minimum,\n"
    "maximum, default and the display texts of the values 0, 1, 2, ... Names, indexes,\n"
    "numbers and display texts are what 'render --set' and 'preset save --set' take.\n";

}  // namespace

int ParamsCommand(const Args& args) {
  ParsedArgs parsed = ParseArgs(args, {{"component", true, false}});
  if (parsed.help) {
    std::fputs(kHelp, stdout);
    return 0;
  }
  ExpectPositional(parsed, 0, 0, "tessor-eq params [--component PATH]");
  HostedUnit unit(LocateComponent(parsed.Value("component")));
  const std::vector<ParamInfo> params = unit.Parameters();

  size_t nameWidth = 4, unitWidth = 4;
  for (const ParamInfo& p : params) {
    nameWidth = std::max(nameWidth, p.name.size());
    unitWidth = std::max(unitWidth, p.UnitText().size());
  }
  const int nw = static_cast<int>(nameWidth), uw = static_cast<int>(unitWidth);
  std::printf("%-3s %-*s  %-*s  %7s  %7s  %7s  %s\n", "#", nw, "name", uw, "unit", "min", "max",
              "default", "display texts");
  for (const ParamInfo& p : params) {
    std::string texts;
    for (size_t i = 0; i < p.valueStrings.size(); ++i)
      texts += (i ? ", \"" : "\"") + p.valueStrings[i] + "\"";
    std::printf("%-3u %-*s  %-*s  %7s  %7s  %7s  %s\n", static_cast<unsigned>(p.id), nw,
                p.name.c_str(), uw, p.UnitText().c_str(), FormatNumber(p.minValue).c_str(),
                FormatNumber(p.maxValue).c_str(), FormatNumber(p.defaultValue).c_str(),
                texts.c_str());
  }
  return 0;
}

}  // namespace cli
