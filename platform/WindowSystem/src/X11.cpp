// The X11 back end: one top-level window per host window, its pixels sent with XPutImage,
// input from the server, time from the monotonic clock.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

#include <algorithm>

#include "WSCore.h"

extern char** environ;

namespace ws {
namespace {

double MonotonicSeconds() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<double>(ts.tv_sec) + ts.tv_nsec * 1e-9;
}

// Xlib's default error handler ends the process. A window can vanish under us at any time
// (another client destroys it, or it goes while a drawing request is on its way), and requests
// on it then fail with BadWindow or BadDrawable: those are expected and ignored. Any other
// error is reported on stderr and the host carries on, so that it can still save its work.
int TolerateGoneWindows(Display* display, XErrorEvent* error) {
  if (error->error_code == BadWindow || error->error_code == BadDrawable) return 0;
  char text[256] = "";
  XGetErrorText(display, error->error_code, text, sizeof(text));
  fprintf(stderr, "X11: %s (request %d)\n", text, static_cast<int>(error->request_code));
  return 0;
}

unsigned ModifiersOf(unsigned state) {
  unsigned m = 0;
  if (state & ShiftMask) m |= kWindowSystemShift;
  if (state & ControlMask) m |= kWindowSystemControl;
  if (state & Mod1Mask) m |= kWindowSystemOption;
  if (state & Mod4Mask) m |= kWindowSystemCommand;
  return m;
}

class X11 : public Backend {
 public:
  X11(Display* d) : m_display(d) {
    m_deleteAtom = XInternAtom(d, "WM_DELETE_WINDOW", False);
    m_visual = DefaultVisual(d, DefaultScreen(d));
    m_depth = DefaultDepth(d, DefaultScreen(d));
    XSetErrorHandler(&TolerateGoneWindows);
  }
  ~X11() override { XCloseDisplay(m_display); }

  // The pixel memory is sent as it is: it needs a 24-bit true-colour visual with red, green
  // and blue in the usual places.
  bool Usable() const {
    return (m_depth == 24 || m_depth == 32) && m_visual->red_mask == 0xFF0000 &&
           m_visual->green_mask == 0xFF00 && m_visual->blue_mask == 0xFF;
  }

  bool CreateNative(WindowSystemWindow* w) override {
    const int screen = DefaultScreen(m_display);
    XSetWindowAttributes attrs = {};
    attrs.background_pixel = kWindowBackground & 0xFFFFFF;
    attrs.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                       StructureNotifyMask;
    Window x = XCreateWindow(m_display, RootWindow(m_display, screen), 0, 0, w->width, w->height, 0,
                             m_depth, InputOutput, m_visual, CWBackPixel | CWEventMask, &attrs);
    if (!x) return false;
    XStoreName(m_display, x, w->title.c_str());
    XSetWMProtocols(m_display, x, &m_deleteAtom, 1);
    w->native = x;
    FixSize(w);
    w->nativeData = XCreateGC(m_display, x, 0, nullptr);
    return true;
  }

  void DestroyNative(WindowSystemWindow* w) override {
    m_known.erase(std::remove(m_known.begin(), m_known.end(), w), m_known.end());
    XFreeGC(m_display, static_cast<GC>(w->nativeData));
    if (w->native) XDestroyWindow(m_display, w->native);
    XFlush(m_display);
  }

  void ResizeNative(WindowSystemWindow* w) override {
    if (!w->native) return;
    FixSize(w);
    XResizeWindow(m_display, w->native, w->width, w->height);
  }

  void ShowNative(WindowSystemWindow* w, bool show) override {
    if (!w->native) return;
    if (show)
      XMapRaised(m_display, w->native);
    else
      XUnmapWindow(m_display, w->native);
    XFlush(m_display);
  }

  void TitleNative(WindowSystemWindow* w) override {
    if (!w->native) return;
    XStoreName(m_display, w->native, w->title.c_str());
    XFlush(m_display);
  }

  void Present(WindowSystemWindow* w, int x, int y, int width, int height) override {
    if (!w->native) return;
    XImage* image = XCreateImage(m_display, m_visual, m_depth, ZPixmap, 0,
                                 reinterpret_cast<char*>(w->pixels.data()), w->width, w->height, 32,
                                 w->width * 4);
    if (!image) return;
    image->byte_order = LSBFirst;  // the words are in host order: little-endian here
    XPutImage(m_display, w->native, static_cast<GC>(w->nativeData), image, x, y, x, y, width,
              height);
    image->data = nullptr;  // the window owns the memory
    XDestroyImage(image);
    XFlush(m_display);
  }

  void WaitForEvents(double maxWait) override {
    if (!XPending(m_display) && maxWait > 0) {
      pollfd p = {ConnectionNumber(m_display), POLLIN, 0};
      poll(&p, 1, static_cast<int>(maxWait * 1000 + 0.5));
    }
    while (XPending(m_display)) {
      XEvent ev;
      XNextEvent(m_display, &ev);
      Handle(ev);
    }
  }

  double Now() override { return MonotonicSeconds(); }

  bool OpenURL(const std::string& url) override {
    // The desktop's opener, started without a shell so the address is one argument whatever
    // it holds; not waited for beyond its start.
    char* argv[] = {const_cast<char*>("xdg-open"), const_cast<char*>(url.c_str()), nullptr};
    pid_t pid;
    if (posix_spawnp(&pid, "xdg-open", nullptr, nullptr, argv, environ) != 0) return false;
    m_children.push_back(pid);
    Reap();
    return true;
  }

 private:
  WindowSystemWindow* Find(Window x) {
    for (WindowSystemWindow* w : m_known)
      if (w->native == x) return w;
    return nullptr;
  }

  void FixSize(WindowSystemWindow* w) {
    XSizeHints* hints = XAllocSizeHints();
    if (!hints) return;
    hints->flags = PMinSize | PMaxSize;
    hints->min_width = hints->max_width = w->width;
    hints->min_height = hints->max_height = w->height;
    XSetWMNormalHints(m_display, w->native, hints);
    XFree(hints);
    if (std::find(m_known.begin(), m_known.end(), w) == m_known.end()) m_known.push_back(w);
  }

  void Handle(const XEvent& ev) {
    WindowSystemWindow* w = Find(ev.xany.window);
    if (!w || !IsLive(w)) return;
    Event e;
    e.time = Now();
    switch (ev.type) {
      case Expose:
        if (w->client)
          w->client->Uncover(ev.xexpose.x, ev.xexpose.y, ev.xexpose.width, ev.xexpose.height);
        return;
      case ClientMessage:
        if (static_cast<Atom>(ev.xclient.data.l[0]) == m_deleteAtom) w->closeRequested = true;
        return;
      case ButtonPress:
      case ButtonRelease: {
        const unsigned b = ev.xbutton.button;
        e.x = ev.xbutton.x, e.y = ev.xbutton.y;
        e.modifiers = ModifiersOf(ev.xbutton.state);
        if (b >= 4 && b <= 7) {
          if (ev.type == ButtonRelease) return;  // a wheel step is its press
          e.kind = Event::kWheel;
          e.wheelY = b == 4 ? 1 : b == 5 ? -1 : 0;
          e.wheelX = b == 7 ? 1 : b == 6 ? -1 : 0;
        } else if (b >= 1 && b <= 3) {
          e.kind = ev.type == ButtonPress ? Event::kPress : Event::kRelease;
          e.button = static_cast<int>(b);
        } else {
          return;
        }
        Deliver(w, e);
        return;
      }
      case MotionNotify:
        e.kind = Event::kMotion;
        e.x = ev.xmotion.x, e.y = ev.xmotion.y;
        e.modifiers = ModifiersOf(ev.xmotion.state);
        Deliver(w, e);
        return;
      case DestroyNotify:
        // Destroyed by someone else (our own destruction forgets the window first): the user's
        // window is gone, which the host hears as a close request; nothing is sent to it again.
        m_known.erase(std::remove(m_known.begin(), m_known.end(), w), m_known.end());
        w->native = 0;
        w->closeRequested = true;
        return;
      default:
        return;
    }
  }

  void Reap() {
    for (auto it = m_children.begin(); it != m_children.end();) {
      int status;
      if (waitpid(*it, &status, WNOHANG) != 0)
        it = m_children.erase(it);
      else
        ++it;
    }
  }

  Display* m_display;
  Atom m_deleteAtom;
  Visual* m_visual;
  int m_depth;
  std::vector<WindowSystemWindow*> m_known;
  std::vector<pid_t> m_children;
};

}  // namespace

Backend* NewX11Backend(const char* name, std::string* error) {
  Display* d = XOpenDisplay(name);
  if (!d) {
    const char* shown = name ? name : getenv("DISPLAY");
    *error = std::string("cannot open X display \"") + (shown ? shown : "") + "\"";
    return nullptr;
  }
  X11* x = new X11(d);
  if (!x->Usable()) {
    delete x;
    *error = "the X display has no 24-bit true-colour visual";
    return nullptr;
  }
  return x;
}

}  // namespace ws
