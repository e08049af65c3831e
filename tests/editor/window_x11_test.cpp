// The window host in a real X11 window on an Xvfb server the test starts for itself: the
// window shows the editor, a pointer drag sent through the server (XTest) turns a knob, and
// the pixels read back from the server show it. Screenshots go to x11_window_*.png in the
// working directory for people to look at.
#include "framework/editor/IKnobControls.h"
#include "framework/editor/ITextControls.h"
#include "tests/editor/WindowHostFixture.h"
#include "tests/editor/Xvfb.h"

// Last: Xlib's macros (None, Bool, Status) would clash with the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace {

// The window's pixels as the server has them, 0xRRGGBB.
std::vector<uint32_t> ServerPixels(Display* d, Window w, int width, int height) {
  std::vector<uint32_t> out;
  XImage* image = XGetImage(d, w, 0, 0, width, height, AllPlanes, ZPixmap);
  if (!image) return out;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) out.push_back(XGetPixel(image, x, y) & 0xFFFFFF);
  XDestroyImage(image);
  return out;
}

}  // namespace

TEST_F(WindowHostTest, X11WindowShowsTheEditorAndAPointerDragTurnsTheKnob) {
  Xvfb server;
  ASSERT_FALSE(server.Name().empty()) << "Xvfb could not be started";
  std::string error;
  ASSERT_TRUE(WindowSystemSelect(kWindowSystemX11, server.Name().c_str(), &error)) << error;
  Display* d = XOpenDisplay(server.Name().c_str());  // the test's own connection
  ASSERT_NE(d, nullptr);

  // A knob line over the backdrop beside the swatch, and a label.
  const IColor white(255, 255, 255, 255);
  const IRECT knob(64, 4, 96, 36), labelRect(60, 40, 100, 52);
  g->AttachControl(new IKnobLineControl(&p, &knob, 0, &white, 4, 15));
  IText label(12, COLOR_WHITE, "Arial");
  g->AttachControl(new ITextControl(&p, &labelRect, &label, "Gain"));

  NSWindow* window = NSWindow::alloc()->initWithContentRect_styleMask_backing_defer(
      NSMakeRect(0, 0, kW, kH), NSTitledWindowMask, NSBackingStoreBuffered, false);
  ASSERT_NE(window, nullptr);
  window->setTitle(NSSTR("Tessor EQ test"));
  window->makeKeyAndOrderFront(nullptr);
  g->OpenWindow(window->contentView());
  const Window xw = WindowSystemNativeHandle(WindowSystemWindowOf(window));
  auto settle = [] {
    for (int i = 0; i < 10; ++i) WindowSystemRunOnce(0.02);
  };
  WindowSystemRunFor(0.3);
  std::vector<uint32_t> before = ServerPixels(d, xw, kW, kH);
  EXPECT_EQ(before, Surface());
  WindowSystemWritePNG("x11_window_before.png", before, kW, kH);

  // Press on the knob, drag 40 pixels up in steps, release: the knob turns up.
  int rootX = 0, rootY = 0;
  Window child;
  XTranslateCoordinates(d, xw, DefaultRootWindow(d), 80, 20, &rootX, &rootY, &child);
  XTestFakeMotionEvent(d, -1, rootX, rootY, 0);
  XTestFakeButtonEvent(d, 1, True, 0);
  XFlush(d);
  settle();
  for (int step = 1; step <= 8; ++step) {
    XTestFakeMotionEvent(d, -1, rootX, rootY - 5 * step, 0);
    XFlush(d);
    settle();
  }
  XTestFakeButtonEvent(d, 1, False, 0);
  XFlush(d);
  settle();
  WindowSystemRunFor(0.2);

  EXPECT_GT(p.GetParam(0)->GetNormalized(), 0.1);
  EXPECT_EQ(p.begun, std::vector<int>({0}));
  EXPECT_EQ(p.ended, std::vector<int>({0}));
  std::vector<uint32_t> after = ServerPixels(d, xw, kW, kH);
  EXPECT_EQ(after, Surface());
  WindowSystemWritePNG("x11_window_after.png", after, kW, kH);
  int changed = 0;
  for (size_t i = 0; i < after.size(); ++i) {
    if (after[i] == before[i]) continue;
    ++changed;
    const int x = static_cast<int>(i % kW), y = static_cast<int>(i / kW);
    EXPECT_TRUE(x >= 20 && x < 96 && y >= 4 && y < 40) << "changed outside the knob and swatch";
  }
  EXPECT_GT(changed, 20);

  window->close();
  window->release();
  XCloseDisplay(d);
}
