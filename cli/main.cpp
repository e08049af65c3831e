// tessor-eq: equalise audio files with the Tessor EQ component, hosted through the Audio
// Unit API the way a digital audio workstation hosts it.
#include "cli/CliError.h"
#include "cli/Commands.h"

#include <cstdio>
#include <cstring>
#include <exception>

namespace {

const char kUsage[] =
    "usage: tessor-eq <command> [arguments]\n"
    "\n"
    "Equalise audio files with the Tessor EQ Audio Unit.\n"
    "\n"
    "commands:\n"
    "  render IN OUT [--set NAME=VALUE]... [--preset FILE.aupreset] [--block N] [--component PATH]\n"
    "  render IN... --out-dir DIR [-j N] [same options]\n"
    "                 render an audio file, or many at once, through the equaliser\n"
    "  params [--component PATH]\n"
    "                 list the parameters, their ranges, defaults and display texts\n"
    "  info [--component PATH]\n"
    "                 describe the component: version, identifier, channels, presets, latency\n"
    "  preset save FILE.aupreset [--set NAME=VALUE]... [--component PATH]\n"
    "  preset show FILE.aupreset [--component PATH]\n"
    "                 write or print a preset (the unit's saved state as an XML property list)\n"
    "  response OUT.png [--set NAME=VALUE]... [--preset FILE.aupreset] [--rate HZ] [--csv FILE]\n"
    "                 measure the magnitude response and draw it as a picture\n"
    "  snapshot OUT.png [--set NAME=VALUE]... [--preset FILE.aupreset] [--carbon]\n"
    "                 draw the editor as a host shows it into a picture, without a display\n"
    "  gui [--set NAME=VALUE]... [--preset FILE.aupreset] [--save FILE.aupreset] [--carbon]\n"
    "                 open the editor in a window on the X display and turn its knobs\n"
    "  demo [DIR] [--component PATH]\n"
    "                 render a short demonstration signal and show what the EQ did\n"
    "\n"
    "'tessor-eq <command> --help' tells more about a command.\n"
    "Exit status: 0 success, 1 failure, 2 unusable command line.\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs(
        "tessor-eq: missing command; usage: tessor-eq render|params|info|preset|response|snapshot|gui|demo ... "
        "(see 'tessor-eq --help')\n",
        stderr);
    return cli::kExitUsage;
  }
  const std::string command = argv[1];
  const cli::Args args(argv + 2, argv + argc);
  try {
    if (command == "-h" || command == "--help" || command == "help") {
      std::fputs(kUsage, stdout);
      return cli::kExitOk;
    }
    if (command == "render") return cli::RenderCommand(args);
    if (command == "params") return cli::ParamsCommand(args);
    if (command == "info") return cli::InfoCommand(args);
    if (command == "preset") return cli::PresetCommand(args);
    if (command == "demo") return cli::DemoCommand(args);
    if (command == "response") return cli::ResponseCommand(args);
    if (command == "snapshot") return cli::SnapshotCommand(args);
    if (command == "gui") return cli::GuiCommand(args);
    throw cli::UsageError("unknown command '" + command + "'; try 'tessor-eq --help'");
  } catch (const cli::CliError& e) {
    std::fprintf(stderr, "tessor-eq: %s\n", e.what());
    return e.ExitCode();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tessor-eq: %s\n", e.what());
    return cli::kExitFailure;
  }
}
