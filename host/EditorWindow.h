// An Audio Unit's editor in a window of its own, opened the way a macOS host opens it, on the
// window-system back end the program chose (headless by default, or X11; see
// <WindowSystem/WindowSystem.h>):
//
//   Cocoa:  kAudioUnitProperty_CocoaUI names a bundle and a view factory class; the bundle is
//           loaded, the class made by name from the class registry, and its
//           uiViewForAudioUnit:withSize: view added to a new NSWindow sized to the view.
//   Carbon: kAudioUnitProperty_GetUIComponentList describes a view component ('auvw'); it is
//           opened, and its create call builds the editor's control in a new compositing
//           Carbon window, which then takes the control's size.
//
// The window shows once opened; running the window system's loop draws and animates it.
// Closing takes the view away first (the editor closes its side), then the window.
#ifndef TESSOR_HOST_EDITOR_WINDOW_H
#define TESSOR_HOST_EDITOR_WINDOW_H

#include <AudioUnit/AudioUnit.h>

#include <memory>
#include <string>

class NSWindow;
struct WindowSystemWindow;
typedef struct OpaqueWindowPtr* WindowRef;

namespace host {

enum class EditorKind { Cocoa, Carbon };

const char* EditorKindName(EditorKind kind);  // "Cocoa", "Carbon"

class EditorWindow {
 public:
  // The unit's editor of that kind in a new window with the title. Null on failure, with one
  // line in *error saying what the unit or the window system did not do.
  static std::unique_ptr<EditorWindow> Open(AudioUnit unit, EditorKind kind,
                                            const std::string& title, std::string* error);
  ~EditorWindow();
  EditorWindow(const EditorWindow&) = delete;
  EditorWindow& operator=(const EditorWindow&) = delete;

  // Closes the view and the window; further calls do nothing.
  void Close();

  EditorKind Kind() const { return mKind; }
  // The window system's window (for input, pixels and close requests); null once closed.
  WindowSystemWindow* Window() const;
  // The content size: the size of the editor's view.
  int Width() const { return mWidth; }
  int Height() const { return mHeight; }
  // True once the user asked the window system to close the window.
  bool CloseRequested() const;

 private:
  explicit EditorWindow(EditorKind kind) : mKind(kind) {}
  bool OpenCocoa(AudioUnit unit, const std::string& title, std::string* error);
  bool OpenCarbon(AudioUnit unit, const std::string& title, std::string* error);

  EditorKind mKind;
  int mWidth = 0, mHeight = 0;
  NSWindow* mCocoaWindow = nullptr;
  WindowRef mCarbonWindow = nullptr;
  ComponentInstance mCarbonView = nullptr;
};

}  // namespace host

#endif
