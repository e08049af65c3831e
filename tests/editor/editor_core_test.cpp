// The editor core: the control list, value traffic, the redraw cycle in both drawing orders and
// the drawing helpers.
#include <cmath>

#include "framework/editor/IBitmapControls.h"
#include "tests/editor/EditorFixture.h"

TEST_F(EditorTest, BackgroundGoesFirstAsAnOpaqueImageWithoutParameter) {
  Probe("a", IRECT(10, 10, 20, 20));
  g->DefineBitmap(101, 100, 60);
  g->AttachBackground(101, "back.png");
  ASSERT_EQ(2, g->NControls());
  IControl* bg = g->GetControl(0);
  EXPECT_EQ(IRECT(0, 0, 100, 60), bg->GetRECT());
  EXPECT_EQ(-1, bg->ParamIdx());
  EXPECT_EQ(kBlendOpaque, bg->GetBlend().mMode);
  IRECT all(0, 0, 100, 60);
  g->Draw(&all);
  EXPECT_EQ((Log{"a draw 0,0,100,60"}), log);
  ASSERT_EQ(1u, g->calls.size());
  EXPECT_EQ(IRECT(0, 0, 100, 60), g->calls[0].dest);
}

TEST_F(EditorTest, ValuesFromThePluginReachEveryBoundControl) {
  Probe("a", IRECT(0, 0, 5, 5), 0);
  Probe("b", IRECT(5, 0, 9, 5), 1);
  Probe("c", IRECT(9, 0, 12, 5), 0);
  g->SetParameterFromPlug(0, 5.0, false);  // a real value: -10..10 dB
  g->SetParameterFromPlug(1, 0.25, true);
  g->SetParameterFromPlug(7, 1.0, false);  // no such parameter
  g->SetControlFromPlug(3, 0.5);           // no such control
  g->SetControlFromPlug(2, 0.5);
  EXPECT_EQ((Log{"a plug 0.750000", "c plug 0.750000", "b plug 0.250000", "c plug 0.500000"}), log);
}

TEST_F(EditorTest, TypedValuesClampsHidingAndGrayingActOnEveryBoundControl) {
  IControl* a = Probe("a", IRECT(0, 0, 5, 5), 0);
  IControl* b = Probe("b", IRECT(5, 0, 9, 5), 0);
  g->SetParameterFromGUI(0, 0.25);
  EXPECT_EQ(0.25, b->GetValue());
  EXPECT_DOUBLE_EQ(-5.0, p.GetParam(0)->Value());
  ASSERT_EQ(2u, p.informed.size());  // once per control
  g->ClampControl(0, -6.0, 6.0, false);
  EXPECT_DOUBLE_EQ(0.2, a->GetMinValue());
  EXPECT_DOUBLE_EQ(0.8, b->GetMaxValue());
  g->HideControl(0, true);
  g->GrayOutControl(0, true);
  EXPECT_TRUE(a->IsHidden() && b->IsHidden() && a->IsGrayed() && b->IsGrayed());
  EXPECT_FLOAT_EQ(0.25f, b->GetBlend().mOpacity);
}

TEST_F(EditorTest, IsDirtyMergesDirtyRectanglesAndIdlesOnEvery21stQuietTick) {
  Probe("a", IRECT(10, 10, 20, 20));
  Probe("b", IRECT(30, 5, 40, 15));
  IRECT r;
  EXPECT_TRUE(g->IsDirty(&r));
  EXPECT_EQ(IRECT(10, 5, 40, 20), r);
  CleanAll();
  for (int tick = 1; tick <= 42; ++tick) {
    IRECT quiet;
    EXPECT_FALSE(g->IsDirty(&quiet));
    EXPECT_EQ(tick < 21 ? 0u : (tick < 42 ? 2u : 4u), log.size()) << tick;
  }
  EXPECT_EQ((Log{"a idle", "b idle", "a idle", "b idle"}), log);
}

TEST_F(EditorTest, StrictDrawingDrawsVisibleControlsTheRegionTouchesAndCleansAll) {
  Probe("bg", IRECT(0, 0, 100, 60));
  Probe("a", IRECT(10, 10, 30, 30));
  Probe("b", IRECT(20, 20, 40, 40));
  Probe("c", IRECT(60, 10, 70, 20));
  Probe("h", IRECT(25, 25, 35, 35))->Hide(true);
  IRECT r(25, 25, 35, 35);
  EXPECT_TRUE(g->Draw(&r));
  EXPECT_EQ((Log{"bg draw 25,25,35,35", "a draw 25,25,35,35", "b draw 25,25,35,35"}), log);
  EXPECT_EQ((Log{"screen 25,25,35,35"}), g->log);
  // The hidden control keeps one redraw pending; afterwards all are clean.
  g->Draw(&r);
  IRECT dirty;
  EXPECT_FALSE(g->IsDirty(&dirty));
  // The region's right edge touching a control's left edge counts; its left edge does not.
  log.clear();
  IRECT left(0, 0, 10, 10), beyond(30, 30, 50, 50);
  g->Draw(&left);
  g->Draw(&beyond);
  EXPECT_EQ(
      (Log{"bg draw 0,0,10,10", "a draw 0,0,10,10", "bg draw 30,30,50,50", "b draw 30,30,50,50"}),
      log);
}

TEST_F(EditorTest, NonStrictDrawingRepaintsEachDirtyControlWithTheSlicesOverAndUnderIt) {
  Probe("bg", IRECT(0, 0, 100, 60));
  IControl* a = Probe("a", IRECT(10, 10, 30, 30));
  IControl* b = Probe("b", IRECT(20, 20, 40, 40));
  IControl* c = Probe("c", IRECT(60, 10, 70, 20));
  g->SetStrictDrawing(false);
  IRECT r(0, 0, 1, 1);
  g->Draw(&r);  // the background is dirty: everything, clipped to it
  EXPECT_EQ(
      (Log{"bg draw 0,0,100,60", "a draw 0,0,100,60", "b draw 0,0,100,60", "c draw 0,0,100,60"}),
      log);
  log.clear();
  c->SetDirty(false);
  a->SetDirty(false);
  g->Draw(&r);
  EXPECT_EQ((Log{"bg draw 10,10,30,30", "a draw 10,10,30,30", "b draw 10,10,30,30",
                 "bg draw 60,10,70,20", "c draw 60,10,70,20"}),
            log);
  // A control hidden since the last draw is not drawn: what lies under it is.
  log.clear();
  b->Hide(true);
  g->Draw(&r);
  EXPECT_EQ((Log{"bg draw 20,20,40,40", "a draw 20,20,40,40"}), log);
}

TEST_F(EditorTest, DrawingWithoutControlsSucceedsWithoutTouchingTheScreen) {
  IRECT r(0, 0, 10, 10);
  EXPECT_TRUE(g->Draw(&r));
  EXPECT_TRUE(g->log.empty());
}

TEST_F(EditorTest, BitmapStatesPickFramesCountedFromOne) {
  IBitmap strip(nullptr, 10, 30, 3), big(nullptr, 10, 271 * 7, 271);
  IRECT r(0, 0, 10, 10);
  for (int state : {-3, 0, 1, 2, 3}) g->DrawBitmap(&strip, &r, state, nullptr);
  g->DrawBitmap(&big, &r, 271, nullptr);
  std::vector<int> rows;
  for (const auto& call : g->calls) rows.push_back(call.srcY);
  EXPECT_EQ((std::vector<int>{0, 0, 0, 10, 20, 270 * 7}), rows);
}

TEST_F(EditorTest, RectanglesAndFractionLinesDrawOpaqueLinesOnTheEdges) {
  IRECT r(10, 20, 50, 40);
  EXPECT_TRUE(g->DrawRect(&COLOR_RED, &r));
  g->DrawVerticalLine(&COLOR_RED, &r, 2.0f);
  g->DrawVerticalLine(&COLOR_RED, &r, 0.5f);
  g->DrawHorizontalLine(&COLOR_RED, &r, 0.0f);
  g->DrawHorizontalLine(&COLOR_RED, &r, std::nanf(""));
  std::vector<std::string> lines;
  for (const auto& c : g->calls) {
    lines.push_back(Str(IRECT(c.x1, c.y1, c.x2, c.y2)));
    EXPECT_EQ(kBlendOpaque, c.blend.mMode);
  }
  EXPECT_EQ((Log{"10,20,50,20", "10,40,50,40", "10,20,10,40", "50,20,50,40", "50,20,50,40",
                 "30,20,30,40", "10,40,50,40", "10,40,50,40"}),
            lines);
}

TEST_F(EditorTest, RadialLinesPointUpAtZeroAndTurnClockwise) {
  g->DrawRadialLine(&COLOR_RED, 50.0f, 30.0f, 0.0f, 5.0f, 20.0f, nullptr, true);
  g->DrawRadialLine(&COLOR_RED, 50.0f, 30.0f, static_cast<float>(M_PI / 2), 0.0f, 20.0f, nullptr,
                    true);
  ASSERT_EQ(2u, g->calls.size());
  const auto &up = g->calls[0], &right = g->calls[1];
  EXPECT_FLOAT_EQ(25.0f, up.y1);
  EXPECT_FLOAT_EQ(10.0f, up.y2);
  EXPECT_NEAR(50.0f, up.x2, 1e-5);
  EXPECT_NEAR(70.0f, right.x2, 1e-5);
  EXPECT_NEAR(30.0f, right.y2, 1e-5);
}

TEST_F(EditorTest, ResizeDeletesTheControlsReleasesTheMouseAndAsksThePluginToRebuild) {
  Probe("a", IRECT(0, 0, 50, 50), 0);
  g->HandleMouseOver(true);
  g->OnMouseOver(10, 10, nullptr);
  g->OnMouseDown(10, 10, nullptr);
  g->Resize(200, 120);
  EXPECT_EQ(-1, g->HoverControl());
  EXPECT_EQ(0, g->NControls());
  EXPECT_EQ(-1, g->CapturedControl());
  EXPECT_EQ(200, g->Width());
  EXPECT_EQ((std::vector<std::pair<int, int>>{{200, 120}}), p.resized);
  g->OnMouseDrag(20, 20, nullptr);
  g->OnMouseUp(20, 20, nullptr);
  EXPECT_TRUE(p.ended.empty());
}
