// Opening an Audio Unit's editor through its Cocoa view factory or its Carbon view component.
#include "host/EditorWindow.h"

#include <AppKit/AppKit.h>
#include <AudioUnit/AUCocoaUIView.h>
#include <Carbon/Carbon.h>
#include <WindowSystem/WindowSystem.h>

#include "host/ComponentBundle.h"

namespace host {

namespace {

std::string Status(OSStatus status) { return "error " + std::to_string(status); }

// Where a Carbon window is first made, before it takes the size of the editor's control.
const Rect kCarbonPlaceholder = {40, 40, 340, 440};

// The view factory's bundle, loaded, and the name of its class. Releases what the unit handed
// over. False with a message when the unit names neither.
bool ReadCocoaViewInfo(AudioUnit unit, CFBundleRef* bundle, std::string* className,
                       std::string* error) {
  AudioUnitCocoaViewInfo info = {};
  UInt32 size = sizeof(info);
  const OSStatus status = AudioUnitGetProperty(unit, kAudioUnitProperty_CocoaUI,
                                               kAudioUnitScope_Global, 0, &info, &size);
  if (status != noErr) {
    *error = "the unit offers no Cocoa view (" + Status(status) + ")";
    return false;
  }
  *bundle = info.mCocoaAUViewBundleLocation
                ? CFBundleCreate(nullptr, info.mCocoaAUViewBundleLocation)
                : nullptr;
  *className = StringFromCF(info.mCocoaAUViewClass[0]);
  if (info.mCocoaAUViewBundleLocation) CFRelease(info.mCocoaAUViewBundleLocation);
  if (info.mCocoaAUViewClass[0]) CFRelease(info.mCocoaAUViewClass[0]);
  if (!*bundle || !CFBundleLoadExecutable(*bundle)) {
    *error = "the bundle of the unit's Cocoa view cannot be loaded";
    return false;
  }
  if (className->empty()) {
    *error = "the unit names no Cocoa view factory class";
    return false;
  }
  return true;
}

}  // namespace

const char* EditorKindName(EditorKind kind) {
  return kind == EditorKind::Cocoa ? "Cocoa" : "Carbon";
}

std::unique_ptr<EditorWindow> EditorWindow::Open(AudioUnit unit, EditorKind kind,
                                                 const std::string& title, std::string* error) {
  std::string ignored;
  if (!error) error = &ignored;
  NSAutoreleaseScope pool;
  std::unique_ptr<EditorWindow> window(new EditorWindow(kind));
  const bool opened = kind == EditorKind::Cocoa ? window->OpenCocoa(unit, title, error)
                                                : window->OpenCarbon(unit, title, error);
  if (!opened) return nullptr;
  return window;
}

bool EditorWindow::OpenCocoa(AudioUnit unit, const std::string& title, std::string* error) {
  CFBundleRef bundle = nullptr;
  std::string className;
  if (!ReadCocoaViewInfo(unit, &bundle, &className, error)) return false;

  NSObject* instance = NSCreateInstance(NSClassFromString(className.c_str()));
  AUCocoaUIBase* factory = NSObjectCast<AUCocoaUIBase>(instance);
  if (!factory) {
    if (instance) instance->release();
    *error = "the class '" + className + "' named by the unit is not a Cocoa view factory";
    return false;
  }
  // The size asked for is only a wish; the view comes in the size it has.
  NSView* view = factory->uiViewForAudioUnit_withSize(unit, NSMakeSize(400, 300));
  factory->release();
  if (!view) {
    *error = "the unit's Cocoa view factory made no view";
    return false;
  }
  const NSRect frame = view->frame();
  mWidth = static_cast<int>(frame.size.width);
  mHeight = static_cast<int>(frame.size.height);
  mCocoaWindow = NSWindow::alloc()->initWithContentRect_styleMask_backing_defer(
      NSMakeRect(0, 0, mWidth, mHeight), NSTitledWindowMask | NSClosableWindowMask,
      NSBackingStoreBuffered, false);
  if (!mCocoaWindow) {
    // Nobody holds the view: taking it from no superview closes the editor's side of it.
    view->removeFromSuperview();
    *error = "the window system could not make a " + std::to_string(mWidth) + " x " +
             std::to_string(mHeight) + " window";
    return false;
  }
  mCocoaWindow->setTitle(NSString::FromStd(title));
  view->setFrameOrigin(NSMakePoint(0, 0));
  mCocoaWindow->contentView()->addSubview(view);
  mCocoaWindow->makeKeyAndOrderFront(nullptr);
  return true;
}

bool EditorWindow::OpenCarbon(AudioUnit unit, const std::string& title, std::string* error) {
  ComponentDescription description = {};
  UInt32 size = sizeof(description);
  OSStatus status = AudioUnitGetProperty(unit, kAudioUnitProperty_GetUIComponentList,
                                         kAudioUnitScope_Global, 0, &description, &size);
  if (status != noErr) {
    *error = "the unit offers no Carbon view (" + Status(status) + ")";
    return false;
  }
  const std::string codes = FourCCString(description.componentType) + " " +
                            FourCCString(description.componentSubType) + " " +
                            FourCCString(description.componentManufacturer);
  Component viewComponent = FindNextComponent(nullptr, &description);
  if (!viewComponent) {
    *error = "the unit's Carbon view component (" + codes + ") is not registered";
    return false;
  }
  status = OpenAComponent(viewComponent, &mCarbonView);
  if (status != noErr) {
    mCarbonView = nullptr;
    *error = "the unit's Carbon view component did not open (" + Status(status) + ")";
    return false;
  }
  status = CreateNewWindow(
      kDocumentWindowClass,
      kWindowCompositingAttribute | kWindowCloseBoxAttribute | kWindowStandardHandlerAttribute,
      &kCarbonPlaceholder, &mCarbonWindow);
  if (status != noErr) {
    mCarbonWindow = nullptr;
    Close();
    *error = "the window system could not make a window (" + Status(status) + ")";
    return false;
  }
  CFStringRef cfTitle = CFStringCreateWithCString(nullptr, title.c_str(), kCFStringEncodingUTF8);
  SetWindowTitleWithCFString(mCarbonWindow, cfTitle);
  if (cfTitle) CFRelease(cfTitle);

  const Float32Point location = {0, 0};
  const Float32Point wish = {400, 300};
  ControlRef control = nullptr;
  status = AudioUnitCarbonViewCreate(mCarbonView, unit, mCarbonWindow, nullptr, &location, &wish,
                                     &control);
  Rect bounds = {};
  if (status != noErr || !control || !GetControlBounds(control, &bounds)) {
    Close();
    *error = "the unit's Carbon view made no control (" + Status(status) + ")";
    return false;
  }
  mWidth = bounds.right - bounds.left;
  mHeight = bounds.bottom - bounds.top;
  const Rect content = {kCarbonPlaceholder.top, kCarbonPlaceholder.left,
                        static_cast<short>(kCarbonPlaceholder.top + mHeight),
                        static_cast<short>(kCarbonPlaceholder.left + mWidth)};
  SetWindowBounds(mCarbonWindow, kWindowContentRgn, &content);
  ShowWindow(mCarbonWindow);
  return true;
}

EditorWindow::~EditorWindow() { Close(); }

void EditorWindow::Close() {
  if (mCocoaWindow) {
    // Closing takes the view out of the window, which closes the editor's side.
    mCocoaWindow->close();
    mCocoaWindow->release();
    mCocoaWindow = nullptr;
  }
  if (mCarbonView) {
    CloseComponent(mCarbonView);
    mCarbonView = nullptr;
  }
  if (mCarbonWindow) {
    DisposeWindow(mCarbonWindow);
    mCarbonWindow = nullptr;
  }
}

WindowSystemWindow* EditorWindow::Window() const {
  if (mCocoaWindow) return WindowSystemWindowOf(mCocoaWindow);
  if (mCarbonWindow) return WindowSystemWindowOf(mCarbonWindow);
  return nullptr;
}

bool EditorWindow::CloseRequested() const {
  WindowSystemWindow* window = Window();
  return window && WindowSystemCloseRequested(window);
}

}  // namespace host
