// Carbon windows on the window system. A window has a content area (its bounds are the
// content rectangle; the position is kept but windows are placed by the window system),
// attributes (compositing among them), a root control and an event target. A compositing
// window draws its views through kEventControlDraw with a Core Graphics context in the
// view's coordinates (origin top-left, y down); a non-compositing one draws its controls
// when UpdateControls (or an uncovered window) asks, with the window's port.
#ifndef __CARBON_MACWINDOWS__
#define __CARBON_MACWINDOWS__

#include <Carbon/CarbonEvents.h>

typedef struct OpaqueWindowPtr* WindowRef;
typedef WindowRef WindowPtr;
typedef UInt32 WindowClass;
typedef UInt32 WindowAttributes;
typedef UInt16 WindowRegionCode;

enum { kDocumentWindowClass = 6, kPlainWindowClass = 13 };
enum {
  kWindowNoAttributes = 0,
  kWindowCloseBoxAttribute = 1u << 0,
  kWindowCollapseBoxAttribute = 1u << 3,
  kWindowStandardHandlerAttribute = 1u << 25,
  kWindowCompositingAttribute = 1u << 19
};
enum { kWindowStructureRgn = 32, kWindowContentRgn = 33 };

// paramErr for a null bounds or out pointer, or an empty content rectangle; memFullErr when
// the window system cannot make the window. The window starts hidden.
PLATFORM_EXPORT OSStatus CreateNewWindow(WindowClass windowClass, WindowAttributes attributes,
                                         const Rect* contentBounds, WindowRef* outWindow);
// Disposes every control (each hears kEventControlDispose) and closes the window.
PLATFORM_EXPORT void DisposeWindow(WindowRef window);
PLATFORM_EXPORT void ShowWindow(WindowRef window);
PLATFORM_EXPORT void HideWindow(WindowRef window);
PLATFORM_EXPORT Boolean IsWindowVisible(WindowRef window);
PLATFORM_EXPORT OSStatus GetWindowAttributes(WindowRef window, WindowAttributes* outAttributes);
// Only the content and structure regions, which are the same here.
PLATFORM_EXPORT OSStatus GetWindowBounds(WindowRef window, WindowRegionCode region, Rect* bounds);
PLATFORM_EXPORT OSStatus SetWindowBounds(WindowRef window, WindowRegionCode region,
                                         const Rect* bounds);
PLATFORM_EXPORT OSStatus SetWindowTitleWithCFString(WindowRef window, CFStringRef title);
PLATFORM_EXPORT EventTargetRef GetWindowEventTarget(WindowRef window);
PLATFORM_EXPORT CGrafPtr GetWindowPort(WindowRef window);
// Whether a pointer is a live Carbon window of this process.
PLATFORM_EXPORT Boolean IsValidWindowPtr(WindowRef window);

#endif
