// Mouse dispatch: capture and the gesture bracket, hit order, double-clicks, wheel, keys and
// hover tracking.
#include "tests/editor/EditorFixture.h"

TEST_F(EditorTest, PressCapturesTheControlUntilReleaseAndBracketsTheGesture) {
  Probe("a", IRECT(10, 10, 30, 30), 1);
  g->OnMouseDown(50, 50, nullptr);  // on no control: no capture, the drag goes nowhere
  g->OnMouseDrag(20, 20, nullptr);
  EXPECT_TRUE(log.empty() && p.begun.empty());
  g->OnMouseDown(15, 15, nullptr);
  EXPECT_EQ(0, g->CapturedControl());
  EXPECT_EQ(std::vector<int>{1}, p.begun);
  g->OnMouseDrag(90, 50, nullptr);  // far outside the control: still its drag
  g->OnMouseDrag(90, 50, nullptr);  // no movement: no event
  g->OnMouseDrag(80, 55, nullptr);
  g->OnMouseUp(95, 55, nullptr);
  EXPECT_EQ((Log{"a down 15,15", "a drag 90,50 by 75,35", "a drag 80,55 by -10,5", "a up 95,55"}),
            log);
  EXPECT_EQ(std::vector<int>{1}, p.ended);
  EXPECT_EQ(-1, g->CapturedControl());
}

TEST_F(EditorTest, TheTopmostVisibleUngrayedControlTakesThePressAndKeepsItsCapture) {
  IControl* a = Probe("a", IRECT(10, 10, 30, 30));
  IControl* b = Probe("b", IRECT(20, 20, 40, 40));
  EXPECT_EQ(1, g->GetMouseControlIdx(25, 25));
  b->Hide(true);
  EXPECT_EQ(0, g->GetMouseControlIdx(25, 25));
  b->Hide(false);
  b->GrayOut(true);
  EXPECT_EQ(0, g->GetMouseControlIdx(25, 25));
  a->GrayOut(true);
  EXPECT_EQ(-1, g->GetMouseControlIdx(25, 25));
  a->GrayOut(false);
  g->OnMouseDown(12, 12, nullptr);
  a->Hide(true);
  g->OnMouseDrag(35, 35, nullptr);
  EXPECT_EQ((Log{"a down 12,12", "a drag 35,35 by 23,23"}), log);
}

TEST_F(EditorTest, DoubleClicksArePressesOnlyForControlsThatAskAndThenReportNoBegin) {
  IControl* a = Probe("a", IRECT(10, 10, 30, 30), 0);
  a->SetValueFromPlug(0.3);
  a->SetValueFromUserInput(0.9);
  EXPECT_FALSE(g->OnMouseDblClick(15, 15, nullptr));
  EXPECT_EQ(-1, g->CapturedControl());
  EXPECT_EQ(0.3, a->GetValue());  // the reset value
  EXPECT_FALSE(g->OnMouseDblClick(90, 50, nullptr));
  a->SetDoubleClickAsDown(true);
  EXPECT_TRUE(g->OnMouseDblClick(15, 15, nullptr));
  EXPECT_EQ(0, g->CapturedControl());
  EXPECT_TRUE(p.begun.empty());
  EXPECT_EQ((Log{"a plug 0.300000", "a dblclick", "a down 15,15"}), log);
}

TEST_F(EditorTest, WheelAndKeysGoToTheControlUnderThePointWithoutABracket) {
  IControl* a = Probe("a", IRECT(10, 10, 30, 30), 0);
  IMouseMod fine(false, false, false, true);
  g->OnMouseWheel(15, 15, nullptr, 3);
  g->OnMouseWheel(15, 15, &fine, -5);
  g->OnMouseWheel(50, 50, nullptr, 3);
  g->OnKeyDown(15, 15, 65);
  EXPECT_DOUBLE_EQ(0.025, a->GetValue());
  EXPECT_DOUBLE_EQ(-9.5, p.GetParam(0)->Value());
  EXPECT_EQ((Log{"a wheel 3", "a wheel -5", "a key 65"}), log);
  EXPECT_TRUE(p.begun.empty() && p.ended.empty());
}

TEST_F(EditorTest, HoverIsReportedOnlyWhileTrackedAndMovesOutOfThePreviousControl) {
  Probe("a", IRECT(10, 10, 30, 30));
  Probe("b", IRECT(40, 10, 60, 30));
  EXPECT_FALSE(g->OnMouseOver(15, 15, nullptr));
  g->HandleMouseOver(true);
  EXPECT_TRUE(g->OnMouseOver(15, 15, nullptr));
  EXPECT_TRUE(g->OnMouseOver(16, 15, nullptr));
  EXPECT_TRUE(g->OnMouseOver(45, 15, nullptr));
  EXPECT_TRUE(g->OnMouseOver(90, 50, nullptr));  // over nothing: b stays the hover control
  EXPECT_EQ(1, g->HoverControl());
  g->OnMouseOut();
  EXPECT_EQ(-1, g->HoverControl());
  EXPECT_EQ((Log{"a over 15,15", "a over 16,15", "b over 45,15", "a out", "a out", "b out"}), log);
}
