#include "cli/EditorSession.h"

#include "cli/CliError.h"
#include "cli/UnitSettings.h"

#include <WindowSystem/WindowSystem.h>

namespace cli {

namespace {

// Editors redraw a few times a second or more (Tessor EQ at 30 frames per second in a Cocoa
// view, 15 in a Carbon window): this is enough for either.
const double kRedrawSeconds = 0.1;

// A stepped knob follows a host change by one position per call, as a host's automation moves
// it. Sending each stepped parameter's value once per position, as an automating host would,
// brings every knob to its parameter before the editor is shown; a knob already there stays.
void BringSteppedKnobsToTheirValues(HostedUnit& unit) {
  for (const ParamInfo& p : unit.Parameters()) {
    if (p.valueStrings.empty()) continue;
    const float value = unit.GetParameter(p.id);
    for (size_t i = 0; i < p.valueStrings.size(); ++i) unit.SetParameter(p.id, value);
  }
}

}  // namespace

EditorSession::EditorSession(const EditorRequest& request)
    : mUnit(new HostedUnit(request.componentPath)) {
  UnitSettings(*mUnit, request.presetPath, request.settings).ApplyTo(*mUnit);
  BringSteppedKnobsToTheirValues(*mUnit);
  std::string error;
  mWindow = host::EditorWindow::Open(mUnit->Unit(), request.kind, "Tessor EQ", &error);
  if (!mWindow)
    throw Failure("cannot open the " + std::string(host::EditorKindName(request.kind)) +
                  " view of the component: " + error);
}

// The window goes before the unit whose editor it shows.
EditorSession::~EditorSession() { mWindow.reset(); }

void EditorSession::LetTheViewRedraw() { WindowSystemRunFor(kRedrawSeconds); }

std::vector<uint32_t> EditorSession::Pixels(int* width, int* height) const {
  std::vector<uint32_t> pixels;
  if (!WindowSystemReadPixels(mWindow->Window(), &pixels, width, height))
    throw Failure("cannot read the editor window's pixels");
  return pixels;
}

}  // namespace cli
