// Windows, timers and the run loop of the window system.
#include "WSCore.h"

#include <math.h>
#include <stdlib.h>

#include <algorithm>
#include <limits>
#include <memory>

#include <Foundation/NSAutoreleasePool.h>

namespace ws {

struct Timer {
  double start = 0;     // the time of the first firing
  double interval = 0;  // 0: fires once
  long long fired = 0;  // firings so far
  std::function<void()> fire;
  bool live = true;
  double Due() const { return start + static_cast<double>(fired) * interval; }
};

namespace {

struct State {
  std::unique_ptr<Backend> backend;
  WindowSystemBackend kind = kWindowSystemHeadless;
  std::vector<WindowSystemWindow*> windows;
  std::vector<std::shared_ptr<Timer>> timers;
  std::vector<std::string> openedURLs;
};

State& S() {
  static State* s = new State();  // used until the process ends
  if (!s->backend) s->backend.reset(NewHeadlessBackend());
  return *s;
}

// The first live timer due at or before t, earliest first (insertion order among equals).
std::shared_ptr<Timer> NextDue(double t) {
  std::shared_ptr<Timer> best;
  for (const auto& timer : S().timers)
    if (timer->live && timer->Due() <= t && (!best || timer->Due() < best->Due())) best = timer;
  return best;
}

double EarliestDue() {
  double t = std::numeric_limits<double>::infinity();
  for (const auto& timer : S().timers)
    if (timer->live) t = std::min(t, timer->Due());
  return t;
}

void Fire(const std::shared_ptr<Timer>& timer, bool catchUp) {
  const double now = Now();
  ++timer->fired;
  if (timer->interval <= 0) {
    timer->live = false;
  } else if (!catchUp && timer->Due() <= now) {
    // Missed firings are not made up on a real clock: the next one is the next due time
    // still ahead.
    timer->fired = static_cast<long long>(floor((now - timer->start) / timer->interval)) + 1;
  }
  std::function<void()> fire = timer->fire;  // the callback may remove the timer
  fire();
  auto& timers = S().timers;
  timers.erase(std::remove_if(timers.begin(), timers.end(),
                              [](const std::shared_ptr<Timer>& t) { return !t->live; }),
               timers.end());
}

void DisplayAndPresent() {
  // A copy: a client's drawing may open or close windows.
  std::vector<WindowSystemWindow*> windows = S().windows;
  for (WindowSystemWindow* w : windows) {
    if (!IsLive(w) || !w->displayRequested) continue;
    w->displayRequested = false;
    if (w->client) w->client->Display();
  }
  for (WindowSystemWindow* w : S().windows) {
    if (!w->hasChanges) continue;
    w->hasChanges = false;
    if (w->shown)
      S().backend->Present(w, w->changeL, w->changeT, w->changeR - w->changeL,
                           w->changeB - w->changeT);
  }
}

// Delivers input, then fires what is due now, then redraws.
void Pass(double maxWait) {
  NSAutoreleaseScope pool;
  Backend* b = S().backend.get();
  if (!b->IsVirtualTime()) {
    const double untilTimer = EarliestDue() - b->Now();
    maxWait = std::max(0.0, std::min(maxWait, untilTimer));
  }
  b->WaitForEvents(b->IsVirtualTime() ? 0 : maxWait);
  const double now = b->Now();
  // Each timer fires at most once per pass on a real clock.
  std::vector<std::shared_ptr<Timer>> due;
  for (const auto& t : S().timers)
    if (t->live && t->Due() <= now) due.push_back(t);
  std::stable_sort(due.begin(), due.end(),
                   [](const std::shared_ptr<Timer>& a, const std::shared_ptr<Timer>& c) {
                     return a->Due() < c->Due();
                   });
  for (const auto& t : due)
    if (t->live) Fire(t, b->IsVirtualTime());
  DisplayAndPresent();
}

}  // namespace

Backend* CurrentBackend() { return S().backend.get(); }
double Now() { return S().backend->Now(); }

WindowSystemWindow* CreateWindow(int w, int h, const char* title, Client* client) {
  if (w < 1 || h < 1 || w > 16384 || h > 16384) return nullptr;
  auto* window = new (std::nothrow) WindowSystemWindow();
  if (!window) return nullptr;
  window->width = w;
  window->height = h;
  window->pixels.assign(static_cast<size_t>(w) * h, kWindowBackground);
  window->client = client;
  window->title = title ? title : "";
  if (!S().backend->CreateNative(window)) {
    delete window;
    return nullptr;
  }
  S().windows.push_back(window);
  return window;
}

void DestroyWindow(WindowSystemWindow* window) {
  auto& windows = S().windows;
  auto it = std::find(windows.begin(), windows.end(), window);
  if (it == windows.end()) return;
  windows.erase(it);
  S().backend->DestroyNative(window);
  delete window;
}

bool IsLive(const WindowSystemWindow* window) {
  const auto& windows = S().windows;
  return window && std::find(windows.begin(), windows.end(), window) != windows.end();
}

bool ResizeWindow(WindowSystemWindow* window, int w, int h) {
  if (!IsLive(window) || w < 1 || h < 1 || w > 16384 || h > 16384) return false;
  if (w == window->width && h == window->height) return true;
  std::vector<uint32_t> pixels(static_cast<size_t>(w) * h, kWindowBackground);
  for (int y = 0; y < std::min(h, window->height); ++y)
    std::copy_n(&window->pixels[static_cast<size_t>(y) * window->width], std::min(w, window->width),
                &pixels[static_cast<size_t>(y) * w]);
  window->pixels.swap(pixels);
  window->width = w;
  window->height = h;
  S().backend->ResizeNative(window);
  MarkChanged(window, 0, 0, w, h);
  return true;
}

void ShowWindow(WindowSystemWindow* window, bool show) {
  if (!IsLive(window) || window->shown == show) return;
  window->shown = show;
  S().backend->ShowNative(window, show);
  if (show && window->client) window->client->Uncover(0, 0, window->width, window->height);
}

void SetTitle(WindowSystemWindow* window, const std::string& title) {
  if (!IsLive(window)) return;
  window->title = title;
  S().backend->TitleNative(window);
}

void RequestDisplay(WindowSystemWindow* window) {
  if (IsLive(window)) window->displayRequested = true;
}

void MarkChanged(WindowSystemWindow* window, int x, int y, int w, int h) {
  if (!IsLive(window)) return;
  const int l = std::max(0, x), t = std::max(0, y);
  const int r = std::min(window->width, x + std::max(0, w));
  const int b = std::min(window->height, y + std::max(0, h));
  if (l >= r || t >= b) return;
  if (!window->hasChanges) {
    window->changeL = l, window->changeT = t, window->changeR = r, window->changeB = b;
  } else {
    window->changeL = std::min(window->changeL, l);
    window->changeT = std::min(window->changeT, t);
    window->changeR = std::max(window->changeR, r);
    window->changeB = std::max(window->changeB, b);
  }
  window->hasChanges = true;
}

CGContextRef CreateContext(WindowSystemWindow* window) {
  if (!IsLive(window)) return nullptr;
  CGColorSpaceRef space = CGColorSpaceCreateDeviceRGB();
  CGContextRef c =
      CGBitmapContextCreate(window->pixels.data(), window->width, window->height, 8,
                            4 * static_cast<size_t>(window->width), space, kWindowPixelInfo);
  CGColorSpaceRelease(space);
  return c;
}

Timer* AddTimer(double delay, double interval, std::function<void()> fire) {
  auto timer = std::make_shared<Timer>();
  timer->start = Now() + std::max(0.0, delay);
  timer->interval = interval > 0 && std::isfinite(interval) ? interval : 0;
  timer->fire = std::move(fire);
  S().timers.push_back(timer);
  return timer.get();
}

void RemoveTimer(Timer* timer) {
  auto& timers = S().timers;
  for (auto it = timers.begin(); it != timers.end(); ++it) {
    if (it->get() == timer) {
      timer->live = false;
      // A timer being fired stays in the list until its callback returns.
      timers.erase(it);
      return;
    }
  }
}

void Deliver(WindowSystemWindow* window, Event e) {
  if (!IsLive(window)) return;
  if (e.kind == Event::kPress) {
    const bool again = e.button == window->lastPressButton &&
                       e.time - window->lastPressTime <= kMultiClickSeconds &&
                       abs(e.x - window->lastPressX) <= kMultiClickPixels &&
                       abs(e.y - window->lastPressY) <= kMultiClickPixels;
    window->clicks = again ? window->clicks + 1 : 1;
    window->lastPressTime = e.time;
    window->lastPressX = e.x, window->lastPressY = e.y, window->lastPressButton = e.button;
    window->buttons |= 1u << (e.button - 1);
    e.clickCount = window->clicks;
  } else if (e.kind == Event::kRelease) {
    window->buttons &= ~(1u << (e.button - 1));
    e.clickCount = window->clicks;
  }
  e.buttons = window->buttons;
  if (window->client) window->client->HandleEvent(e);
}

bool OpenURL(const std::string& url) {
  if (!S().backend->OpenURL(url)) return false;
  S().openedURLs.push_back(url);
  return true;
}

}  // namespace ws

using namespace ws;

bool WindowSystemSelect(WindowSystemBackend backend, const char* x11Display, std::string* error) {
  State& s = S();
  if (!s.windows.empty()) {
    if (error) *error = "windows are open: close them before choosing another window system";
    return false;
  }
  std::string message;
  Backend* b =
      backend == kWindowSystemX11 ? NewX11Backend(x11Display, &message) : NewHeadlessBackend();
  if (!b) {
    if (error) *error = message;
    return false;
  }
  // Timers keep their remaining time on the new clock.
  const double before = s.backend->Now(), after = b->Now();
  for (auto& t : s.timers) t->start += after - before;
  s.backend.reset(b);
  s.kind = backend;
  return true;
}

WindowSystemBackend WindowSystemGetBackend() { return S().kind; }

void WindowSystemRunOnce(double maxWaitSeconds) { Pass(maxWaitSeconds); }

void WindowSystemRunFor(double seconds) {
  Backend* b = S().backend.get();
  const double end = b->Now() + std::max(0.0, seconds);
  if (b->IsVirtualTime()) {
    Pass(0);
    while (std::shared_ptr<Timer> t = NextDue(end)) {
      b->SetNow(std::max(b->Now(), t->Due()));
      Pass(0);
    }
    b->SetNow(end);
    Pass(0);
    return;
  }
  while (b->Now() < end) Pass(end - b->Now());
}

double WindowSystemNow() { return Now(); }

bool WindowSystemReadPixels(WindowSystemWindow* window, std::vector<uint32_t>* pixels, int* width,
                            int* height) {
  if (!IsLive(window) || !pixels) return false;
  pixels->resize(window->pixels.size());
  for (size_t i = 0; i < window->pixels.size(); ++i) (*pixels)[i] = window->pixels[i] & 0xFFFFFF;
  if (width) *width = window->width;
  if (height) *height = window->height;
  return true;
}

bool WindowSystemCloseRequested(WindowSystemWindow* window) {
  return IsLive(window) && window->closeRequested;
}

unsigned long WindowSystemNativeHandle(WindowSystemWindow* window) {
  return IsLive(window) ? window->native : 0;
}

bool WindowSystemPostMouse(WindowSystemWindow* window, WindowSystemMouseAction action, int x, int y,
                           int button, unsigned modifiers) {
  if (!IsLive(window)) return false;
  Event e;
  e.kind = action == kWindowSystemPress     ? Event::kPress
           : action == kWindowSystemRelease ? Event::kRelease
                                            : Event::kMotion;
  if (e.kind != Event::kMotion && (button < 1 || button > 3)) return false;
  e.x = x, e.y = y, e.button = e.kind == Event::kMotion ? 0 : button;
  e.modifiers = modifiers;
  return S().backend->Post(window, e);
}

bool WindowSystemPostWheel(WindowSystemWindow* window, int x, int y, int dy, int dx,
                           unsigned modifiers) {
  if (!IsLive(window)) return false;
  Event e;
  e.kind = Event::kWheel;
  e.x = x, e.y = y, e.wheelY = dy, e.wheelX = dx, e.modifiers = modifiers;
  return S().backend->Post(window, e);
}

std::vector<std::string> WindowSystemOpenedURLs() { return S().openedURLs; }
