// Tessor EQ's editor as tessor-eq shows it: a fresh instance with a preset and --set settings
// applied, and its editor opened the way a host opens it (Cocoa view factory or Carbon view
// component) in a window of the window-system back end the command chose.
#ifndef TESSOR_CLI_EDITOR_SESSION_H
#define TESSOR_CLI_EDITOR_SESSION_H

#include "cli/HostedUnit.h"
#include "host/EditorWindow.h"

#include <memory>
#include <string>
#include <vector>

namespace cli {

struct EditorRequest {
  std::string componentPath;
  std::string presetPath;             // "" for none
  std::vector<std::string> settings;  // NAME=VALUE texts, applied after the preset
  host::EditorKind kind = host::EditorKind::Cocoa;
};

class EditorSession {
 public:
  // Throws a usage error for settings that name no parameter or value, and a failure when the
  // component, the preset or the editor window cannot be had.
  explicit EditorSession(const EditorRequest& request);
  ~EditorSession();
  EditorSession(const EditorSession&) = delete;
  EditorSession& operator=(const EditorSession&) = delete;

  HostedUnit& Unit() { return *mUnit; }
  host::EditorWindow& Window() { return *mWindow; }
  // Runs the window system's loop long enough for the view's redraw timer to fire and the
  // window to be painted: a tenth of a second on the back end's clock.
  void LetTheViewRedraw();
  // The window's pixels as 0xRRGGBB, top row first. Throws a failure when they cannot be read.
  std::vector<uint32_t> Pixels(int* width, int* height) const;

 private:
  std::unique_ptr<HostedUnit> mUnit;
  std::unique_ptr<host::EditorWindow> mWindow;
};

}  // namespace cli

#endif
