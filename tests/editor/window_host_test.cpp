// The window host on the headless window system: the redraw cycle into Cocoa and Carbon
// windows, the mouse as each delivers it, window life, text, images and addresses.
#include <stdlib.h>
#include <unistd.h>

#include <fstream>

#include "tests/editor/WindowHostFixture.h"

namespace {

const uint32_t kSwatchRed0 = 0x00285A, kSwatchRedHalf = 0x80285A;  // value 0 and 0.5

NSWindow* NewCocoaWindow(int w, int h) {
  return NSWindow::alloc()->initWithContentRect_styleMask_backing_defer(
      NSMakeRect(0, 0, w, h), NSTitledWindowMask, NSBackingStoreBuffered, false);
}

WindowRef NewCarbonWindow(int w, int h, bool composited) {
  const Rect bounds = {40, 40, static_cast<short>(40 + h), static_cast<short>(40 + w)};
  WindowRef window = nullptr;
  CreateNewWindow(kDocumentWindowClass, composited ? kWindowCompositingAttribute : 0, &bounds,
                  &window);
  return window;
}

}  // namespace

TEST_F(WindowHostTest, CocoaTickRepaintsTheDirtyControlAndTheWindowShowsTheSurface) {
  NSWindow* window = NewCocoaWindow(kW, kH);
  WindowSystemWindow* ws = WindowSystemWindowOf(window);
  ASSERT_NE(g->OpenWindow(window->contentView()), nullptr);
  Tick();
  EXPECT_EQ(PixelAt(ws, 30, 20), kSwatchRed0);
  EXPECT_EQ(WindowPart(ws), Surface());

  // A host change makes the swatch dirty; only the next tick brings it to the window.
  g->SetParameterFromPlug(0, 0.5, true);
  WindowSystemRunOnce(0);
  EXPECT_EQ(PixelAt(ws, 30, 20), kSwatchRed0);
  Tick();
  EXPECT_EQ(PixelAt(ws, 30, 20), kSwatchRedHalf);
  EXPECT_EQ(WindowPart(ws), Surface());
  window->close();
  window->release();
}

TEST_F(WindowHostTest, CocoaMouseArrivesInEditorPixelsWithItsModifiers) {
  NSWindow* window = NewCocoaWindow(kW, kH);
  WindowSystemWindow* ws = WindowSystemWindowOf(window);
  g->OpenWindow(window->contentView());
  g->HandleMouseOver(true);
  auto press = [&](int x, int y, int button, unsigned mods) {
    WindowSystemPostMouse(ws, kWindowSystemPress, x, y, button, mods);
  };
  auto release = [&](int x, int y, int button, unsigned mods) {
    WindowSystemPostMouse(ws, kWindowSystemRelease, x, y, button, mods);
    WindowSystemRunFor(1);  // clicks a second apart are single clicks
  };
  press(30, 0, 1, 0);  // the top row: y = 1
  release(30, 0, 1, 0);
  press(30, 20, 1, 0);  // dragged to the bottom row: y = the height
  WindowSystemPostMouse(ws, kWindowSystemMove, 30, 59, 0, 0);
  release(30, 59, 1, 0);
  press(30, 20, 1, kWindowSystemCommand);
  release(30, 20, 1, kWindowSystemCommand);
  press(30, 20, 1, kWindowSystemControl);
  release(30, 20, 1, kWindowSystemControl);
  press(30, 20, 3, kWindowSystemShift | kWindowSystemOption);
  release(30, 20, 3, kWindowSystemShift | kWindowSystemOption);
  for (int i = 0; i < 2; ++i) {  // a double click
    press(30, 20, 1, 0);
    WindowSystemPostMouse(ws, kWindowSystemRelease, 30, 20, 1, 0);
  }
  WindowSystemPostMouse(ws, kWindowSystemMove, 25, 15, 0, 0);
  WindowSystemPostWheel(ws, 25, 15, -1, 0, 0);
  WindowSystemRunOnce(0);
  EXPECT_EQ(log, Log({"bg down 30,1", "bg up 30,1", "sw down 30,21", "sw drag 30,60", "sw up 30,60",
                      "sw down 30,21 R", "sw up 30,21 R", "sw down 30,21 C", "sw up 30,21 C",
                      "sw down 30,21 RSA", "sw up 30,21 RSA", "sw down 30,21", "sw up 30,21",
                      "sw dbl 30,21", "sw up 30,21", "sw over 25,16", "sw wheel-1 25,16"}));
  window->close();
  window->release();
}

TEST_F(WindowHostTest, ClosingTheHostWindowClosesTheEditorAndLaterEventsGoNowhere) {
  NSWindow* window = NewCocoaWindow(kW, kH);
  WindowSystemWindow* ws = WindowSystemWindowOf(window);
  NSView* view = static_cast<NSView*>(g->OpenWindow(window->contentView()));
  view->retain();  // a host may hold on to the view after its window went
  window->close();
  EXPECT_FALSE(g->WindowIsOpen());
  EXPECT_EQ(view->superview(), nullptr);
  EXPECT_FALSE(WindowSystemPostMouse(ws, kWindowSystemPress, 30, 20, 1, 0));
  view->mouseDown(
      NSEvent::mouseEventWithType(NSLeftMouseDown, NSMakePoint(30, 30), 0, 0, nullptr, 1, 0, 0));
  g->SetParameterFromPlug(0, 0.5, true);
  WindowSystemRunFor(1);
  EXPECT_TRUE(log.empty());
  view->release();
  window->release();
}

TEST_F(WindowHostTest, TimersRunAtTheRateAndAtHalfTheRateInCarbon) {
  // The swatch is asked whether it is dirty once per tick.
  struct Counter : IControl {
    Counter(IPluginBase* p, const IRECT& r, int* n) : IControl(p, &r), mN(n) {}
    bool Draw(IGraphics*) override { return true; }
    bool IsDirty() override { return ++*mN, false; }
    int* mN;
  };
  IGraphicsMac* g24 = new IGraphicsMac(&p, kW, kH, 24);
  int ticks = 0;
  g24->AttachControl(new Counter(&p, IRECT(0, 0, 1, 1), &ticks));
  // Counted over a second that starts and ends between ticks.
  auto ticksInASecond = [&] {
    WindowSystemRunFor(0.51);
    ticks = 0;
    WindowSystemRunFor(1);
    return ticks;
  };
  NSWindow* cocoa = NewCocoaWindow(kW, kH);
  g24->OpenWindow(cocoa->contentView());
  EXPECT_EQ(ticksInASecond(), 24);
  WindowRef carbon = NewCarbonWindow(kW, kH, true);
  g24->OpenWindow(carbon);
  EXPECT_EQ(ticksInASecond(), 12);
  delete g24;
  DisposeWindow(carbon);
  cocoa->close();
  cocoa->release();
}

// A Carbon window larger than the editor: the editor sits at its top-left corner either way.
class CarbonWindowTest : public WindowHostTest, public ::testing::WithParamInterface<bool> {};

TEST_P(CarbonWindowTest, TickDrawsTheEditorAtTheTopLeftAndMouseEventsArriveThere) {
  WindowRef window = NewCarbonWindow(kW + 30, kH + 25, GetParam());
  WindowSystemWindow* ws = WindowSystemWindowOf(window);
  ControlRef pane = static_cast<ControlRef>(g->OpenWindow(window));
  ASSERT_NE(pane, nullptr);
  EXPECT_EQ(GetControlOwner(pane), window);
  EXPECT_EQ(g->GetWindow(), nullptr);  // GetWindow answers the Cocoa view only
  EXPECT_TRUE(g->WindowIsOpen());
  g->SetParameterFromPlug(0, 0.5, true);
  WindowSystemRunFor(2.0 / 30);
  EXPECT_EQ(WindowPart(ws), Surface());
  EXPECT_EQ(PixelAt(ws, 30, 20), kSwatchRedHalf);
  EXPECT_EQ(PixelAt(ws, kW + 5, 5), 0xECECECu);  // the window's own background beside it

  g->HandleMouseOver(true);
  WindowSystemPostMouse(ws, kWindowSystemPress, 30, 22, 1, kWindowSystemCommand);
  WindowSystemPostMouse(ws, kWindowSystemMove, 31, 25, 0, kWindowSystemCommand);
  WindowSystemPostMouse(ws, kWindowSystemRelease, 31, 25, 1, kWindowSystemControl);
  WindowSystemPostMouse(ws, kWindowSystemPress, 31, 25, 1, kWindowSystemShift);
  WindowSystemPostMouse(ws, kWindowSystemRelease, 31, 25, 1, 0);
  WindowSystemPostMouse(ws, kWindowSystemMove, 25, 12, 0, kWindowSystemOption);
  WindowSystemPostWheel(ws, 25, 12, 2, 0, 0);
  WindowSystemPostWheel(ws, 25, 12, 0, 1, 0);  // horizontal: not the editor's
  WindowSystemRunOnce(0);
  EXPECT_EQ(log, Log({"sw down 30,22 R", "sw drag 31,25 R", "sw up 31,25 C", "sw dbl 31,25 S",
                      "sw up 31,25", "sw over 25,12 A", "sw wheel2 25,12"}));

  // The host disposing its window takes the editor's window with it; nothing reaches the
  // editor afterwards.
  DisposeWindow(window);
  EXPECT_FALSE(g->WindowIsOpen());
  g->SetParameterFromPlug(0, 1.0, true);
  WindowSystemRunFor(1);
}

INSTANTIATE_TEST_SUITE_P(CompositedAndNot, CarbonWindowTest, ::testing::Bool());

TEST_F(WindowHostTest, OpeningInTheOtherKindClosesTheFirst) {
  NSWindow* cocoa = NewCocoaWindow(kW, kH);
  WindowRef carbon = NewCarbonWindow(kW, kH, true);
  NSView* view = static_cast<NSView*>(g->OpenWindow(cocoa->contentView()));
  view->retain();
  ASSERT_EQ(view->superview(), cocoa->contentView());
  ControlRef pane = static_cast<ControlRef>(g->OpenWindow(carbon));
  EXPECT_EQ(view->superview(), nullptr);  // the Cocoa view left its window
  EXPECT_EQ(g->GetWindow(), nullptr);
  EXPECT_TRUE(IsValidControlHandle(pane));
  g->OpenWindow(cocoa->contentView());
  EXPECT_FALSE(IsValidControlHandle(pane));  // and the Carbon pane left its window
  EXPECT_EQ(cocoa->contentView()->subviews().size(), 1u);
  // Clicks in the Carbon window no longer reach the editor.
  WindowSystemPostMouse(WindowSystemWindowOf(carbon), kWindowSystemPress, 30, 20, 1, 0);
  WindowSystemRunOnce(0);
  EXPECT_TRUE(log.empty());
  view->release();
  g->CloseWindow();
  DisposeWindow(carbon);
  cocoa->close();
  cocoa->release();
}

TEST_F(WindowHostTest, OpenWindowWithAPointerThatIsNoWindowGivesNothing) {
  int notAWindow = 0;
  EXPECT_EQ(g->OpenWindow(&notAWindow), nullptr);
  EXPECT_EQ(g->OpenWindow(&notAWindow, nullptr), nullptr);
  EXPECT_FALSE(g->WindowIsOpen());
  // Without a parent the view is made for the host to embed, and has the editor's size.
  NSView* view = static_cast<NSView*>(g->OpenWindow(nullptr));
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->frame().size.width, kW);
  EXPECT_EQ(view->frame().size.height, kH);
  IRECT r(0, 0, kW, kH);
  EXPECT_FALSE(g->DrawScreen(&r));  // outside a paint callback there is no context
}

TEST_F(WindowHostTest, ResizingTheEditorResizesItsWindow) {
  WindowRef carbon = NewCarbonWindow(kW, kH, true);
  ControlRef pane = static_cast<ControlRef>(g->OpenWindow(carbon));
  g->Resize(120, 70);
  Rect content;
  GetWindowBounds(carbon, kWindowContentRgn, &content);
  EXPECT_EQ(std::vector<int>({content.left, content.top, content.right, content.bottom}),
            std::vector<int>({40, 40, 160, 110}));  // the top-left corner stays
  HIRect frame;
  HIViewGetFrame(pane, &frame);
  EXPECT_EQ(frame.size.width, 120);
  EXPECT_EQ(frame.size.height, 70);
  NSWindow* cocoa = NewCocoaWindow(kW, kH);
  NSView* view = static_cast<NSView*>(g->OpenWindow(cocoa->contentView()));
  g->Resize(90, 50);
  EXPECT_EQ(view->frame().size.width, 90);
  EXPECT_EQ(view->frame().size.height, 50);
  EXPECT_EQ(p.resized, (std::vector<std::pair<int, int>>{{120, 70}, {90, 50}}));
  g->CloseWindow();
  DisposeWindow(carbon);
  cocoa->close();
  cocoa->release();
}
