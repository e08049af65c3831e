// The window system's core, shared by the AppKit and Carbon stand-ins and the back ends:
// windows with their pixels, the run loop's timers and the delivery of input.
// Everything here runs on the user-interface thread.
#pragma once

#include <stdint.h>

#include <functional>
#include <string>
#include <vector>

#include <CoreGraphics/CoreGraphics.h>

#include "WindowSystem/WindowSystem.h"

namespace ws {

// Input as a back end reports it, in content pixels with the origin at the top-left.
struct Event {
  enum Kind { kPress, kRelease, kMotion, kWheel };
  Kind kind = kMotion;
  int x = 0, y = 0;
  int button = 0;          // press and release: 1 primary, 2 middle, 3 secondary
  unsigned buttons = 0;    // buttons held after the event: bit (button - 1)
  unsigned modifiers = 0;  // WindowSystemModifier bits
  int wheelX = 0, wheelY = 0;
  int clickCount = 0;  // press and release: 1, 2 for a double click, ...
  double time = 0;
};

// What stands behind a window: the NSWindow or Carbon window drawn into it.
class Client {
 public:
  virtual ~Client() {}
  virtual void HandleEvent(const Event& e) = 0;
  // Redraws what needs drawing (asked for with RequestDisplay) into the window's pixels.
  virtual void Display() = 0;
  // Part of the window must be drawn again (uncovered on the screen, or shown first).
  virtual void Uncover(int x, int y, int w, int h) = 0;
};

// A second press of the same button within this time and distance of the last one counts
// as the next click of a multiple click.
const double kMultiClickSeconds = 0.5;
const int kMultiClickPixels = 4;

// The pixel layout of window memory: 0xXXRRGGBB words in host byte order, as 24-bit X11
// visuals take them; drawing sets the XX byte to 255.
const CGBitmapInfo kWindowPixelInfo = kCGImageAlphaNoneSkipFirst | kCGBitmapByteOrder32Little;

}  // namespace ws

struct WindowSystemWindow {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
  ws::Client* client = nullptr;
  std::string title;
  bool shown = false;
  bool displayRequested = false;
  bool closeRequested = false;
  // Bounds of the pixels changed since they were last sent to the screen.
  bool hasChanges = false;
  int changeL = 0, changeT = 0, changeR = 0, changeB = 0;
  // The back end's handle and data.
  unsigned long native = 0;
  void* nativeData = nullptr;
  // Click counting and held buttons.
  double lastPressTime = -1e9;
  int lastPressX = 0, lastPressY = 0, lastPressButton = 0, clicks = 0;
  unsigned buttons = 0;
};

namespace ws {

// Windows. Pixels start as the window background colour.
WindowSystemWindow* CreateWindow(int w, int h, const char* title, Client* client);
void DestroyWindow(WindowSystemWindow* window);
// False (nothing changes) for sizes below 1 or too large to hold.
bool ResizeWindow(WindowSystemWindow* window, int w, int h);
void ShowWindow(WindowSystemWindow* window, bool show);
// The title the window shows in its frame (X11: the window manager's title bar).
void SetTitle(WindowSystemWindow* window, const std::string& title);
bool IsLive(const WindowSystemWindow* window);
// The client's Display runs at the end of the current pass of the loop.
void RequestDisplay(WindowSystemWindow* window);
// The rectangle's pixels changed; they go to the screen at the end of the pass.
void MarkChanged(WindowSystemWindow* window, int x, int y, int w, int h);
// A bitmap context over the window's pixels with the default user space (origin at the
// bottom-left, y up); the caller releases it. Null for null.
CGContextRef CreateContext(WindowSystemWindow* window);
const uint32_t kWindowBackground = 0xFFECECEC;

// Timers on the loop. interval 0 fires once. The callback may add and remove timers,
// itself included.
struct Timer;
Timer* AddTimer(double delay, double interval, std::function<void()> fire);
void RemoveTimer(Timer* timer);
double Now();

// From the back ends: counts clicks and held buttons, then hands the event to the client.
void Deliver(WindowSystemWindow* window, Event e);

bool OpenURL(const std::string& url);

// A back end: how windows reach a screen and input reaches the windows.
class Backend {
 public:
  virtual ~Backend() {}
  virtual bool CreateNative(WindowSystemWindow* window) = 0;
  virtual void DestroyNative(WindowSystemWindow* window) = 0;
  virtual void ResizeNative(WindowSystemWindow* window) = 0;
  virtual void ShowNative(WindowSystemWindow* window, bool show) = 0;
  virtual void TitleNative(WindowSystemWindow*) {}
  virtual void Present(WindowSystemWindow* window, int x, int y, int w, int h) = 0;
  // Waits at most maxWait seconds for input and delivers what came (with Deliver, Uncover).
  virtual void WaitForEvents(double maxWait) = 0;
  virtual double Now() = 0;
  virtual bool OpenURL(const std::string& url) = 0;
  // Headless only: queue input, move the clock.
  virtual bool Post(WindowSystemWindow*, const Event&) { return false; }
  virtual void SetNow(double) {}
  virtual bool IsVirtualTime() const { return false; }
};

Backend* NewHeadlessBackend();
Backend* NewX11Backend(const char* display, std::string* error);
Backend* CurrentBackend();

}  // namespace ws
