// The window system behind the AppKit and Carbon stand-ins, as the HOST program drives it
// (a plug-in never calls this: it sees only NSView, NSWindow, Carbon windows and timers).
//
// Back ends, chosen once per process before the first window:
// - headless (the default): a window is a memory surface; time is a virtual clock that only
//   WindowSystemRunFor advances, and input is what WindowSystemPost... queues. Runs are
//   deterministic: every timer fires at each of its due times in order.
// - X11: every host window is a real top-level window on an X display; input comes from the
//   server, time is the monotonic clock, pixels reach the screen with XPutImage.
//
// Host windows themselves are made with the platform calls (NSWindow's
// initWithContentRect_styleMask_backing_defer, Carbon's CreateNewWindow) and closed with them
// (NSWindow::close, DisposeWindow). The functions here run the loop, post input, read the
// pixels back and tell what the window system did (addresses opened, close requests).
#ifndef __WINDOWSYSTEM_WINDOWSYSTEM__
#define __WINDOWSYSTEM_WINDOWSYSTEM__

#include <stdint.h>

#include <string>
#include <vector>

class NSWindow;
typedef struct OpaqueWindowPtr* WindowRef;
struct WindowSystemWindow;

enum WindowSystemBackend { kWindowSystemHeadless = 0, kWindowSystemX11 = 1 };

// Chooses the back end. x11Display names the display for X11 (null: $DISPLAY). False with a
// message when the back end cannot be had (no display), or when windows are open; the
// previous back end then stays.
bool WindowSystemSelect(WindowSystemBackend backend, const char* x11Display, std::string* error);
WindowSystemBackend WindowSystemGetBackend();

// One pass of the run loop: waits at most maxWaitSeconds for input (headless: never waits),
// delivers it, fires the timers that are due, redraws what asked to be redrawn and sends the
// changed pixels to the screen. Runs in an autorelease pool of its own.
void WindowSystemRunOnce(double maxWaitSeconds);
// Runs the loop for that many seconds of the back end's clock. Headless: the virtual clock
// moves to each timer's due time in turn, fires it and redraws, so advancing by one second
// fires a 1/30 s timer exactly 30 times.
void WindowSystemRunFor(double seconds);
// Seconds on the back end's clock.
double WindowSystemNow();

// The window system's side of a host window; null for null or a closed window.
WindowSystemWindow* WindowSystemWindowOf(NSWindow* window);
WindowSystemWindow* WindowSystemWindowOf(WindowRef window);

// The window's content as 0xRRGGBB per pixel, top row first. False for null.
bool WindowSystemReadPixels(WindowSystemWindow* window, std::vector<uint32_t>* pixels, int* width,
                            int* height);
// Writes 0xRRGGBB pixels (top row first) as an 8-bit RGB PNG; false when it cannot.
bool WindowSystemWritePNG(const char* path, const std::vector<uint32_t>& pixels, int width,
                          int height);
// True once the user asked to close the window (X11: the window manager's close button).
// The window stays open until the host closes it.
bool WindowSystemCloseRequested(WindowSystemWindow* window);
// The back end's handle of the window: the X11 window id, 0 headless.
unsigned long WindowSystemNativeHandle(WindowSystemWindow* window);

// Headless input, queued for the next pass of the loop. Points are content pixels with the
// origin at the top-left. Buttons: 1 primary, 2 middle, 3 secondary. False (nothing queued)
// under another back end or for null.
enum WindowSystemModifier {
  kWindowSystemShift = 1,
  kWindowSystemControl = 2,
  kWindowSystemOption = 4,   // Alt
  kWindowSystemCommand = 8,  // the Super / Windows key under X11
};
enum WindowSystemMouseAction { kWindowSystemPress, kWindowSystemRelease, kWindowSystemMove };
bool WindowSystemPostMouse(WindowSystemWindow* window, WindowSystemMouseAction action, int x, int y,
                           int button, unsigned modifiers);
// Wheel steps: dy > 0 scrolls up (away from the user), dx > 0 right.
bool WindowSystemPostWheel(WindowSystemWindow* window, int x, int y, int dy, int dx,
                           unsigned modifiers);

// Addresses opened with NSWorkspace, in order. Headless records them without opening; X11
// hands each to the desktop's opener (xdg-open) and records the ones it could hand over.
std::vector<std::string> WindowSystemOpenedURLs();

#endif
