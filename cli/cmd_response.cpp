// tessor-eq response OUT.png [--set NAME=VALUE]... [--preset FILE] [--rate HZ] [--csv FILE]
#include "cli/Args.h"
#include "cli/AtomicFile.h"
#include "cli/CliError.h"
#include "cli/Commands.h"
#include "cli/ComponentLocator.h"
#include "cli/OutputPath.h"
#include "cli/ResponseMeasure.h"
#include "cli/ResponsePlot.h"

#include <algorithm>
#include <cstdio>

namespace cli {

namespace {

const char kUsage[] =
    "tessor-eq response OUT.png [--set NAME=VALUE]... [--preset FILE.aupreset] [--rate HZ] "
    "[--csv FILE] [--component PATH]";

const char kHelp[] =
    "usage: tessor-eq response OUT.png [options]\n"
    "\n"
    "Measures the magnitude response of Tessor EQ with the given settings and draws it into\n"
    "the PNG picture OUT.png: 20 Hz to 20 kHz on a logarithmic axis, the level in dB, the\n"
    "settings in a caption. The response is measured, not computed: a fresh instance renders\n"
    "an impulse through the Audio Unit API, as for 'render', so it shows everything the unit\n"
    "does to a quiet signal at that sample rate, oversampling included.\n"
    "\n"
    "options:\n"
    "  --set NAME=VALUE     set a parameter after the preset, as for 'render'; repeatable\n"
    "  --preset FILE        restore an .aupreset file first\n"
    "  --rate HZ            the sample rate to measure at, 8000..384000 (default 48000);\n"
    "                       frequencies from half the rate up are left out\n"
    "  --csv FILE           also write the measurement as text: a header line, then one\n"
    "                       'frequency_hz,gain_db' line for each of the 481 frequencies\n"
    "  --component PATH     the TessorEQ.component bundle (default: the one built with this "
    "command)\n"
    "\n"
    "example: tessor-eq response vocal.png --set HPF=\"80 Hz\" --set \"MF Level 2=3\" --csv "
    "vocal.csv\n";

std::string Csv(const MeasuredResponse& response) {
  std::string text = "frequency_hz,gain_db\n";
  char line[64];
  for (const ResponsePoint& p : response.points) {
    std::snprintf(line, sizeof(line), "%.3f,%.4f\n", p.hz, p.db);
    text += line;
  }
  return text;
}

}  // namespace

int ResponseCommand(const Args& args) {
  ParsedArgs parsed = ParseArgs(args, {{"set", true, true},
                                       {"preset", true, false},
                                       {"rate", true, false},
                                       {"csv", true, false},
                                       {"component", true, false}});
  if (parsed.help) {
    std::fputs(kHelp, stdout);
    return 0;
  }
  ExpectPositional(parsed, 1, 1, kUsage);
  const std::string out = parsed.positional[0];
  CheckPngOutput(out);
  const std::string csv = parsed.Value("csv");
  if (!csv.empty()) CheckNotDirectory(csv);

  ResponseRequest request;
  request.settings = parsed.Values("set");
  request.presetPath = parsed.Value("preset");
  if (parsed.Has("rate"))
    request.rate =
        static_cast<int>(ParseWholeNumber("--rate", parsed.Value("rate"), 8000, 384000, "hertz"));
  request.componentPath = LocateComponent(parsed.Value("component"));

  const MeasuredResponse response = MeasureResponse(request);
  WriteResponsePicture(out, response);
  if (!csv.empty()) WriteFileAtomically(csv, Csv(response), "the table");

  double lowest = response.points.front().db, highest = lowest;
  for (const ResponsePoint& p : response.points) {
    lowest = std::min(lowest, p.db);
    highest = std::max(highest, p.db);
  }
  std::printf("measured %zu frequencies from %.0f Hz to %.0f Hz at %d Hz: %+.1f dB to %+.1f dB\n",
              response.points.size(), response.points.front().hz, response.points.back().hz,
              response.rate, lowest, highest);
  std::printf("wrote %s\n", out.c_str());
  if (!csv.empty()) std::printf("wrote %s\n", csv.c_str());
  return 0;
}

}  // namespace cli
