// AppKit views in a headless window: what drawRect: is given, who gets the mouse, and what
// leaving a window means for a view.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <AppKit/AppKit.h>
#include <WindowSystem/WindowSystem.h>

namespace {

std::vector<std::string> events;

std::string Rect(NSRect r) {
  return std::to_string(int(r.origin.x)) + "," + std::to_string(int(r.origin.y)) + " " +
         std::to_string(int(r.size.width)) + "x" + std::to_string(int(r.size.height));
}

// Logs its drawing and mouse events under its name; takes the first responder when asked.
class LogView : public NSView {
  NS_OBJECT_CLASS(LogView, NSView)
  LogView* named(const char* n, bool responder) {
    name = n, takesFocus = responder;
    return this;
  }
  void drawRect(NSRect r) override { events.push_back(name + " draw " + Rect(r)); }
  void mouseDown(NSEvent* e) override { Log("down", e); }
  void mouseDragged(NSEvent* e) override { Log("dragged", e); }
  void mouseUp(NSEvent* e) override { Log("up", e); }
  void mouseMoved(NSEvent* e) override { Log("moved", e); }
  void scrollWheel(NSEvent* e) override { Log("wheel " + std::to_string(int(e->deltaY())), e); }
  bool acceptsFirstResponder() override { return takesFocus; }
  void viewDidMoveToWindow() override { events.push_back(name + (window() ? " in" : " out")); }
  void Log(const std::string& what, NSEvent* e) {
    const NSPoint p = convertPoint_fromView(e->locationInWindow(), nullptr);
    events.push_back(name + " " + what + " " + std::to_string(int(p.x)) + "," +
                     std::to_string(int(p.y)));
  }
  std::string name;
  bool takesFocus = false;
};
LogView::~LogView() {}

LogView* NewView(const char* name, NSRect frame, bool responder = false) {
  LogView* v = LogView::alloc()->named(name, responder);
  v->initWithFrame(frame);
  return v;
}

// A 100 x 80 window holding view a (10, 10, 50, 40), which takes the first responder, and
// inside it view b (20, 5, 10, 10): b's bottom-left corner is at (30, 15) in the window.
struct Scene {
  Scene() {
    window = NSWindow::alloc()->initWithContentRect_styleMask_backing_defer(
        NSMakeRect(0, 0, 100, 80), NSTitledWindowMask, NSBackingStoreBuffered, false);
    a = NewView("a", NSMakeRect(10, 10, 50, 40), true);
    b = NewView("b", NSMakeRect(20, 5, 10, 10));
    window->contentView()->addSubview(a);
    a->addSubview(b);
    ws = WindowSystemWindowOf(window);
  }
  ~Scene() {
    a->release();
    b->release();
    window->close();
    window->release();
    events.clear();
  }
  NSWindow* window;
  LogView *a, *b;
  WindowSystemWindow* ws;
};

}  // namespace

TEST(AppKitViews, DrawRectGetsTheInvalidAreaInTheViewsOwnCoordinates) {
  Scene s;
  WindowSystemRunOnce(0);
  EXPECT_EQ(events,
            std::vector<std::string>({"a in", "b in", "a draw 0,0 50x40", "b draw 0,0 10x10"}));
  events.clear();
  s.a->setNeedsDisplayInRect(NSMakeRect(0, 0, 5, 5));
  s.b->setNeedsDisplayInRect(NSMakeRect(0, 0, 2, 2));
  WindowSystemRunOnce(0);
  WindowSystemRunOnce(0);  // nothing is left to draw
  // One pass over the union of both areas, (10, 10)-(32, 17) in the window.
  EXPECT_EQ(events, std::vector<std::string>({"a draw 0,0 22x7", "b draw 0,0 2x2"}));
}

TEST(AppKitViews, ThePressedViewKeepsTheMouseAndMovesGoToTheFirstResponder) {
  Scene s;
  WindowSystemRunOnce(0);
  events.clear();
  // Pixel (32, 62) is window point (32.5, 17.5): inside b.
  WindowSystemPostMouse(s.ws, kWindowSystemPress, 32, 62, 1, 0);
  WindowSystemPostMouse(s.ws, kWindowSystemMove, 70, 70, 0, 0);
  WindowSystemPostMouse(s.ws, kWindowSystemRelease, 70, 70, 1, 0);
  WindowSystemPostMouse(s.ws, kWindowSystemMove, 15, 60, 0, 0);   // not accepted yet
  WindowSystemPostMouse(s.ws, kWindowSystemPress, 15, 60, 1, 0);  // a takes the focus
  WindowSystemPostMouse(s.ws, kWindowSystemRelease, 15, 60, 1, 0);
  WindowSystemRunOnce(0);
  s.window->setAcceptsMouseMovedEvents(true);
  WindowSystemPostMouse(s.ws, kWindowSystemMove, 90, 5, 0, 0);
  WindowSystemPostWheel(s.ws, 32, 62, 1, 0, 0);
  WindowSystemPostWheel(s.ws, 95, 5, 1, 0, 0);  // over no view of ours
  WindowSystemRunOnce(0);
  EXPECT_EQ(events,
            std::vector<std::string>({"b down 2,2", "b dragged 40,-5", "b up 40,-5", "a down 5,9",
                                      "a up 5,9", "a moved 80,64", "b wheel 1 2,2"}));
}

TEST(AppKitViews, ClosingTheWindowTellsEachViewItLeft) {
  Scene s;
  s.window->close();
  EXPECT_EQ(events, std::vector<std::string>({"a in", "b in", "b out", "a out"}));
  EXPECT_EQ(s.a->superview(), nullptr);
  EXPECT_EQ(s.b->superview(), s.a);
  EXPECT_EQ(WindowSystemWindowOf(s.window), nullptr);
}
