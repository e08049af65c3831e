// The editor core: the control list, value traffic, the redraw cycle in both drawing orders and
// the drawing helpers.
#include "tests/editor/EditorFixture.h"

TEST_F(EditorTest, BackgroundGoesFirstAsAnOpaqueImageWithoutParameter) {
  IRECT all(0, 0, 100, 60);
  EXPECT_TRUE(g->Draw(&all));  // no controls: nothing reaches the screen
  EXPECT_TRUE(g->log.empty());
  Probe("a", IRECT(10, 10, 20, 20));
  g->AttachBackground(101, "back.png");
  IControl* bg = g->GetControl(0);
  EXPECT_EQ(-1, bg->ParamIdx());
  EXPECT_EQ(kBlendOpaque, bg->GetBlend().mMode);
  g->Draw(&all);
  EXPECT_EQ(IRECT(0, 0, 100, 60), g->calls.at(0).dest);
  EXPECT_EQ((Log{"a draw 0,0,100,60"}), log);
}

TEST_F(EditorTest, ValuesReachEveryBoundControlAndTypedValuesTheParameter) {
  IControl* a = Probe("a", IRECT(0, 0, 5, 5), 0);
  Probe("b", IRECT(5, 0, 9, 5), 1);
  IControl* c = Probe("c", IRECT(9, 0, 12, 5), 0);
  g->SetParameterFromPlug(0, 5.0, false);  // a real value: -10..10 dB
  g->SetParameterFromPlug(1, 0.25, true);
  g->SetParameterFromPlug(7, 1.0, false);  // no such parameter
  g->SetControlFromPlug(3, 0.5);           // no such control
  g->SetControlFromPlug(2, 0.5);
  EXPECT_EQ((Log{"a plug 0.750000", "c plug 0.750000", "b plug 0.250000", "c plug 0.500000"}), log);
  g->SetParameterFromGUI(0, 0.25);
  EXPECT_EQ(0.25, c->GetValue());
  EXPECT_DOUBLE_EQ(-5.0, p.GetParam(0)->Value());
  EXPECT_EQ(2u, p.informed.size());  // once per control
  g->ClampControl(0, -6.0, 6.0, false);
  EXPECT_DOUBLE_EQ(0.2, a->GetMinValue());
  EXPECT_DOUBLE_EQ(0.8, c->GetMaxValue());
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
  IRECT r(25, 25, 35, 35), left(0, 0, 10, 10), beyond(30, 30, 50, 50), dirty;
  EXPECT_TRUE(g->Draw(&r));
  EXPECT_EQ((Log{"bg draw 25,25,35,35", "a draw 25,25,35,35", "b draw 25,25,35,35"}), log);
  EXPECT_EQ((Log{"screen 25,25,35,35"}), g->log);
  g->Draw(&r);  // the hidden control had one redraw pending
  EXPECT_FALSE(g->IsDirty(&dirty));
  log.clear();
  g->Draw(&left);    // touches a's left edge with its right edge: a is drawn
  g->Draw(&beyond);  // touches a's right edge with its left edge: a is not
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
  log.clear();
  b->Hide(true);  // hidden since the last draw: what lies under it is drawn, not the control
  g->Draw(&r);
  EXPECT_EQ((Log{"bg draw 20,20,40,40", "a draw 20,20,40,40"}), log);
}

TEST_F(EditorTest, BitmapStatesAreFramesCountedFromOne) {
  IBitmap strip(nullptr, 10, 30, 3);
  IRECT r(10, 20, 50, 40);
  for (int state : {-3, 0, 1, 2, 3}) g->DrawBitmap(&strip, &r, state, nullptr);
  std::vector<int> rows;
  for (const auto& c : g->calls) rows.push_back(c.srcY);
  EXPECT_EQ((std::vector<int>{0, 0, 0, 10, 20}), rows);
}

TEST_F(EditorTest, ResizeDeletesTheControlsReleasesTheMouseAndAsksThePluginToRebuild) {
  Probe("a", IRECT(0, 0, 50, 50), 0);
  g->HandleMouseOver(true);
  g->OnMouseOver(10, 10, nullptr);
  g->OnMouseDown(10, 10, nullptr);
  g->Resize(200, 120);
  EXPECT_EQ(0, g->NControls());
  EXPECT_EQ(-1, g->CapturedControl());
  EXPECT_EQ(-1, g->HoverControl());
  EXPECT_EQ((std::vector<std::pair<int, int>>{{200, 120}}), p.resized);
  g->OnMouseUp(20, 20, nullptr);
  EXPECT_TRUE(p.ended.empty());
}
