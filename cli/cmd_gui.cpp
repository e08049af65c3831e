// tessor-eq gui [--set NAME=VALUE]... [--preset FILE] [--save FILE] [--carbon]
#include "cli/Args.h"
#include "cli/CliError.h"
#include "cli/Commands.h"
#include "cli/ComponentLocator.h"
#include "cli/EditorSession.h"
#include "cli/OutputPath.h"
#include "cli/ParamEcho.h"
#include "cli/PresetFile.h"

#include <WindowSystem/WindowSystem.h>

#include <signal.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace cli {

namespace {

const char kUsage[] =
    "tessor-eq gui [--set NAME=VALUE]... [--preset FILE.aupreset] [--save FILE.aupreset] "
    "[--carbon] [--component PATH]";

const char kHelp[] =
    "usage: tessor-eq gui [options]\n"
    "\n"
    "Opens Tessor EQ's editor in a window on the X display named by $DISPLAY, the way a host\n"
    "opens it. Turn the knobs with the mouse (drag up or down, double-click for the default,\n"
    "the wheel for small steps; click the switch); every change is printed as the unit reports\n"
    "it, e.g. \"Gain = 3.2 dB\". Close the window, press Ctrl-C or send SIGTERM to finish.\n"
    "\n"
    "options:\n"
    "  --set NAME=VALUE     set a parameter after the preset, as for 'render'; repeatable\n"
    "  --preset FILE        restore an .aupreset file first\n"
    "  --save FILE          when finished, write the unit's state as an .aupreset file, ready\n"
    "                       for 'render --preset FILE'\n"
    "  --carbon             open the Carbon view component instead of the Cocoa view\n"
    "  --component PATH     the TessorEQ.component bundle (default: the one built with this "
    "command)\n"
    "\n"
    "example: tessor-eq gui --preset vocal.aupreset --save vocal2.aupreset\n";

// How long one pass of the loop waits for input before it checks for a stop.
const double kPassSeconds = 0.05;

volatile sig_atomic_t gStopSignal = 0;

void RequestStop(int signo) { gStopSignal = signo; }

// Ctrl-C and SIGTERM end the session through the normal way out (window closed, state saved)
// instead of killing the process. Signals the caller chose to ignore stay ignored.
void CatchStopSignals() {
  for (int signo : {SIGINT, SIGTERM}) {
    struct sigaction current;
    if (::sigaction(signo, nullptr, &current) != 0 || current.sa_handler == SIG_IGN) continue;
    struct sigaction action;
    std::memset(&action, 0, sizeof(action));
    action.sa_handler = &RequestStop;
    sigemptyset(&action.sa_mask);
    ::sigaction(signo, &action, nullptr);  // no SA_RESTART: the loop's wait returns at once
  }
}

void Save(HostedUnit& unit, const std::string& path) {
  WriteUnitStateAsPreset(unit, path);
  std::printf("saved %s\n", path.c_str());
}

}  // namespace

int GuiCommand(const Args& args) {
  ParsedArgs parsed = ParseArgs(args, {{"set", true, true},
                                       {"preset", true, false},
                                       {"save", true, false},
                                       {"carbon", false, false},
                                       {"component", true, false}});
  if (parsed.help) {
    std::fputs(kHelp, stdout);
    return 0;
  }
  ExpectPositional(parsed, 0, 0, kUsage);
  const std::string savePath = parsed.Value("save");
  if (parsed.Has("save")) CheckNotDirectory(savePath);

  const char* display = std::getenv("DISPLAY");
  if (!display || !*display)
    throw Failure(
        "gui opens a window on an X display and DISPLAY is not set; 'tessor-eq "
        "snapshot OUT.png' draws the editor without one");
  std::string error;
  if (!WindowSystemSelect(kWindowSystemX11, nullptr, &error))
    throw Failure("gui cannot open its window: " + error);

  // Caught from here on, so that a stop asked for while the window opens still ends cleanly.
  CatchStopSignals();
  EditorRequest request;
  request.componentPath = LocateComponent(parsed.Value("component"));
  request.presetPath = parsed.Value("preset");
  request.settings = parsed.Values("set");
  request.kind = parsed.Has("carbon") ? host::EditorKind::Carbon : host::EditorKind::Cocoa;
  EditorSession session(request);
  std::printf("Tessor EQ is open in a window (the %s view); close it or press Ctrl-C to finish\n",
              host::EditorKindName(request.kind));
  std::fflush(stdout);

  {
    ParamEcho echo(session.Unit(), stdout);
    while (!gStopSignal && !session.Window().CloseRequested()) WindowSystemRunOnce(kPassSeconds);
  }
  session.Window().Close();
  if (!savePath.empty()) Save(session.Unit(), savePath);
  return 0;
}

}  // namespace cli
