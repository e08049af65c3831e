// Each control family's drawing and gesture rules, driven through the editor.
#include <cmath>
#include <cstring>

#include "framework/editor/IControls.h"
#include "tests/editor/EditorFixture.h"

namespace {

IMouseMod RightClick() { return IMouseMod(false, true); }

}  // namespace

TEST_F(EditorTest, PluginValuesSetTheResetValueOnceAndKeepTheControlDirtyOneMoreRedraw) {
  IControl* a = Probe("a", IRECT(0, 0, 10, 10), 0);
  CleanAll();
  a->OnMouseDblClick(5, 5, nullptr);  // no value received yet: nothing to restore
  EXPECT_FALSE(a->IsDirty());
  a->SetValueFromPlug(0.0);
  EXPECT_EQ(0.0, a->GetResetValue());
  a->SetClean();
  EXPECT_TRUE(a->IsDirty());
  a->SetClean();
  EXPECT_FALSE(a->IsDirty());
  a->SetValueFromPlug(0.0);  // unchanged: stays clean
  EXPECT_FALSE(a->IsDirty());
  a->SetValueFromPlug(0.4);
  EXPECT_EQ(0.0, a->GetResetValue());
  a->SetValueFromPlug(std::nan(""));  // a broken host value ends at the bottom of the range
  EXPECT_EQ(0.0, a->GetValue());
  EXPECT_TRUE(p.informed.empty());  // values from the plug-in are not sent back
}

TEST_F(EditorTest, RightPressesPromptForTheBoundParameterUnlessPromptsAreOff) {
  IControl* a = Probe("a", IRECT(0, 0, 10, 10), 1);
  Probe("free", IRECT(10, 0, 20, 10));
  IMouseMod right = RightClick();
  g->OnMouseDown(5, 5, &right);
  EXPECT_EQ(a, g->promptedControl);
  EXPECT_EQ(p.GetParam(1), g->promptedParam);
  a->DisablePrompt(true);
  g->OnMouseDown(5, 5, &right);
  g->OnMouseDown(15, 5, &right);
  EXPECT_EQ(Log{"prompt"}, g->log);
}

TEST_F(EditorTest, SwitchesStepThroughTheirFramesWrapAndGrayToAQuarter) {
  IBitmap one(nullptr, 10, 10, 1), two(nullptr, 10, 20, 2), three(nullptr, 10, 30, 3);
  auto* s2 = Attach(new ISwitchControl(&p, 0, 0, 2, &two));
  auto* s3 = Attach(new ISwitchControl(&p, 20, 0, 1, &three));
  auto* s1 = Attach(new ISwitchControl(&p, 40, 0, -1, &one));
  EXPECT_EQ(IRECT(20, 0, 30, 10), s3->GetRECT());
  std::vector<double> seen;
  for (int i = 0; i < 3; ++i) {
    for (int x : {5, 25, 45}) g->OnMouseDown(x, 5, nullptr);
    for (IControl* s : {s2, s3, s1}) seen.push_back(s->GetValue());
  }
  EXPECT_EQ((std::vector<double>{1, 0.5, 1, 0, 1, 0, 1, 0, 1}), seen);
  EXPECT_EQ(1.0, p.GetParam(2)->Value());
  IMouseMod right = RightClick();
  g->OnMouseDown(25, 5, &right);  // prompts instead of stepping
  EXPECT_EQ(0.0, s3->GetValue());
  EXPECT_EQ(Log{"prompt"}, g->log);
  s2->GrayOut(true);
  IRECT r(0, 0, 10, 10);
  g->Draw(&r);
  ASSERT_EQ(1u, g->calls.size());
  EXPECT_EQ(10, g->calls[0].srcY);
  EXPECT_FLOAT_EQ(0.25f, g->calls[0].blend.mOpacity);
}

TEST_F(EditorTest, ContactOverlayAndInvisibleSwitches) {
  IBitmap two(nullptr, 10, 20, 2);
  auto* contact = Attach(new IContactControl(&p, 0, 0, 2, &two));
  g->OnMouseDown(5, 5, nullptr);
  EXPECT_EQ(1.0, p.GetParam(2)->Value());
  g->OnMouseUp(5, 5, nullptr);
  EXPECT_EQ(0.0, contact->GetValue());
  EXPECT_EQ(0.0, p.GetParam(2)->Value());

  IRECT target(50, 40, 60, 50), all(0, 0, 100, 60);
  auto* overlay = Attach(new IBitmapOverlayControl(&p, 20, 0, -1, &two, &target));
  g->Draw(&all);  // off: not drawn, clicks taken in the target area
  EXPECT_EQ(1u, g->Calls("bitmap").size());
  EXPECT_EQ(target, overlay->GetTargetRECT());
  g->OnMouseDown(55, 45, nullptr);
  g->calls.clear();
  g->Draw(&all);
  ASSERT_EQ(2u, g->Calls("bitmap").size());
  EXPECT_EQ(IRECT(20, 0, 30, 10), g->Calls("bitmap")[1].dest);
  EXPECT_EQ(overlay->GetRECT(), overlay->GetTargetRECT());

  IRECT area(70, 0, 80, 10);
  g->log.clear();
  auto* invisible = Attach(new IInvisibleSwitchControl(&p, &area, -1));
  IMouseMod right = RightClick();
  g->OnMouseDown(75, 5, &right);
  EXPECT_EQ(1.0, invisible->GetValue());
  g->OnMouseDown(75, 5, nullptr);
  EXPECT_EQ(0.0, invisible->GetValue());
  EXPECT_TRUE(g->log.empty());  // it never prompts
}

TEST_F(EditorTest, KnobDragsMoveByTheirExtentStopAtTheEndsAndRespectClamps) {
  IBitmap strip(nullptr, 20, 20 * 11, 11);
  auto* knob = Attach(new IKnobMultiControl(&p, 0, 0, 0, &strip));  // 20 x 20, drag scale 4
  IMouseMod fine(false, false, true);
  g->OnMouseDown(10, 10, nullptr);
  g->OnMouseDrag(10, -10, nullptr);  // the full height upwards: a quarter
  EXPECT_DOUBLE_EQ(0.25, knob->GetValue());
  g->OnMouseDrag(10, -30, &fine);
  EXPECT_DOUBLE_EQ(0.275, knob->GetValue());
  g->OnMouseDrag(10, -200, nullptr);
  EXPECT_EQ(1.0, knob->GetValue());
  g->OnMouseDrag(10, -194, nullptr);  // back down at once
  g->OnMouseUp(10, -194, nullptr);
  EXPECT_DOUBLE_EQ(0.925, knob->GetValue());
  EXPECT_EQ(4u, p.informed.size());
  IRECT all(0, 0, 100, 60);
  g->Draw(&all);
  EXPECT_EQ(180, g->Calls("bitmap")[0].srcY);  // frame 10 of 11

  g->ClampControl(0, 0.2, 0.8, true);
  g->OnMouseWheel(10, 10, nullptr, 100);
  EXPECT_DOUBLE_EQ(0.8, knob->GetValue());

  IRECT wide(30, 0, 70, 10), flat(30, 20, 70, 20);
  auto* horizontal = Attach(
      new IKnobLineControl(&p, &wide, -1, &COLOR_WHITE, 0.0, 0.0, -1.0, 1.0, kHorizontal, 1.0));
  g->OnMouseDown(40, 5, nullptr);
  g->OnMouseDrag(50, 0, nullptr);
  EXPECT_DOUBLE_EQ(0.25, horizontal->GetValue());
  auto* immovable = Attach(new IKnobLineControl(&p, &flat, -1, &COLOR_WHITE));
  immovable->OnMouseDrag(0, 0, 5, 5, nullptr);
  EXPECT_EQ(0.0, immovable->GetValue());
}

TEST_F(EditorTest, LineRotatingAndMaskKnobsDrawAtTheValuesAngle) {
  IRECT r(20, 10, 60, 50);
  auto* line = Attach(new IKnobLineControl(&p, &r, 0, &COLOR_WHITE, 5.0, 0.0, 0.0, M_PI));
  line->SetValueFromPlug(0.5);  // a quarter turn clockwise: pointing right
  IBitmap img(nullptr, 30, 40);
  Attach(new IKnobRotaterControl(&p, 0, 0, 1, &img, 0.0, 2.0, 3))->SetValueFromPlug(0.25);
  Attach(new IKnobRotatingMaskControl(&p, 5, 6, -1, &img, &img, &img, -135.0, 135.0));
  IRECT all(0, 0, 100, 60);
  g->Draw(&all);
  const auto l = g->Calls("line").at(0);
  EXPECT_NEAR(45.0f, l.x1, 1e-4);
  EXPECT_NEAR(60.0f, l.x2, 1e-4);  // outer radius: half the width
  EXPECT_NEAR(30.0f, l.y2, 1e-4);
  EXPECT_EQ(kBlendOpaque, l.blend.mMode);
  const auto rotated = g->Calls("rotated").at(0);
  EXPECT_EQ(15.0f, rotated.x1);
  EXPECT_EQ(20.0f, rotated.y1);
  EXPECT_DOUBLE_EQ(0.5, rotated.angle);
  EXPECT_EQ(3, rotated.srcY);
  const auto mask = g->Calls("mask").at(0);
  EXPECT_EQ(5.0f, mask.x1);
  EXPECT_EQ(-135.0, mask.angle);
}

TEST_F(EditorTest, FaderHandlesFollowThePointerAndShortTracksHoldStill) {
  IBitmap handle(nullptr, 10, 20);
  auto* v = Attach(new IFaderControl(&p, 0, 0, 60, 0, &handle));  // 40 pixels of travel
  EXPECT_EQ(IRECT(0, 0, 10, 60), v->GetRECT());
  EXPECT_EQ(IRECT(0, 0, 10, 20), v->GetHandleRECT(1.0));
  EXPECT_EQ(IRECT(0, 40, 10, 60), v->GetHandleRECT(0.0));
  g->OnMouseDown(5, 30, nullptr);
  EXPECT_DOUBLE_EQ(0.5, v->GetValue());
  g->OnMouseDrag(5, 100, nullptr);
  EXPECT_EQ(0.0, v->GetValue());
  g->OnMouseUp(5, 100, nullptr);

  auto* h = Attach(new IFaderControl(&p, 20, 0, 50, -1, &handle, kHorizontal));
  g->OnMouseDown(55, 5, nullptr);
  EXPECT_DOUBLE_EQ(0.75, h->GetValue());
  EXPECT_EQ(IRECT(50, 0, 60, 20), h->GetHandleRECT());

  auto* tooShort = Attach(new IFaderControl(&p, 80, 0, 15, -1, &handle));
  g->OnMouseDown(85, 10, nullptr);
  EXPECT_EQ(0.0, tooShort->GetValue());
  EXPECT_EQ(IRECT(80, 0, 90, 20), tooShort->GetHandleRECT(0.0));
}

TEST_F(EditorTest, RadioButtonsSpreadOverTheirAreaAndSelectByPress) {
  IBitmap img(nullptr, 10, 20, 2);
  IRECT column(0, 0, 10, 60), row(20, 0, 80, 20), corner(90, 0, 100, 10);
  auto* radio = Attach(new IRadioButtonsControl(&p, &column, 1, 3, &img));
  auto* across = Attach(new IRadioButtonsControl(&p, &row, -1, 4, &img, kHorizontal));
  EXPECT_EQ(IRECT(0, 25, 10, 35), radio->ButtonRect(1));
  EXPECT_EQ(IRECT(0, 50, 10, 60), radio->ButtonRect(2));
  EXPECT_EQ(IRECT(68, 0, 78, 10), across->ButtonRect(3));
  g->OnMouseDown(5, 30, nullptr);
  EXPECT_EQ(0.5, radio->GetValue());
  g->OnMouseDown(5, 40, nullptr);  // between buttons: the value is sent again
  ASSERT_EQ(2u, p.informed.size());
  EXPECT_EQ(0.5, p.informed[1].second);
  IRECT r(0, 0, 10, 60);
  g->Draw(&r);
  std::vector<int> rows;
  for (const auto& c : g->Calls("bitmap")) rows.push_back(c.srcY);
  EXPECT_EQ((std::vector<int>{0, 10, 0}), rows);

  // One button stands for 0 and no buttons draw nothing; neither divides by n - 1. The wider
  // clamp range would show a value that is not a number as -1.
  auto* single = Attach(new IRadioButtonsControl(&p, &corner, -1, 1, &img));
  auto* none = Attach(new IRadioButtonsControl(&p, &corner, -1, 0, &img));
  single->Clamp(-1.0, 1.0);
  single->SetValueFromPlug(1.0);
  single->OnMouseDown(95, 5, nullptr);
  EXPECT_EQ(0.0, single->GetValue());
  EXPECT_EQ(corner, single->ButtonRect(0));
  g->calls.clear();
  none->Draw(g);
  EXPECT_TRUE(g->calls.empty());
}

TEST_F(EditorTest, TextAndCaptionsShowTheirTextAndParameterDisplays) {
  IRECT r1(0, 0, 50, 10), r2(0, 10, 50, 20), r3(0, 20, 50, 30), r4(0, 30, 50, 40);
  IText style;
  auto* text = Attach(new ITextControl(&p, &r1, &style));
  Attach(new ICaptionControl(&p, &r2, 0, &style));
  Attach(new ICaptionControl(&p, &r3, 1, &style));  // no unit label: a trailing space
  Attach(new ICaptionControl(&p, &r4, 9, &style));  // no such parameter: nothing
  p.GetParam(0)->Set(-5.0);
  IRECT all(0, 0, 100, 60);
  g->Draw(&all);
  std::vector<std::string> texts;
  for (const auto& c : g->Calls("text")) texts.push_back(c.text);
  EXPECT_EQ((Log{"-5.0 dB", "0 "}), texts);
  text->SetTextFromPlug("Hi");
  EXPECT_TRUE(text->IsDirty());
  CleanAll();
  text->SetTextFromPlug("Hi");
  EXPECT_FALSE(text->IsDirty());
}

TEST_F(EditorTest, UrlControlsOpenTheAddressThenTheFallbackAndCutLongTexts) {
  IRECT r(0, 0, 10, 10), r2(10, 0, 20, 10);
  Attach(new IURLControl(&p, &r, "http://a.example", "http://b.example", "msg"));
  const std::string longURL(300, 'u'), longMsg(2000, 'm');
  auto* cut = Attach(new IURLControl(&p, &r2, longURL.c_str(), "", longMsg.c_str()));
  EXPECT_EQ(255u, strlen(cut->Address()));
  EXPECT_EQ(1023u, strlen(cut->Message()));
  EXPECT_STREQ("", cut->FallbackAddress());
  g->OnMouseDown(5, 5, nullptr);
  g->urlsOpen = false;
  g->OnMouseDown(5, 5, nullptr);
  EXPECT_EQ(
      (Log{"url http://a.example msg", "url http://a.example msg", "url http://b.example msg"}),
      g->log);
}

TEST_F(EditorTest, FileSelectorPromptsTogglesAndReportsDirtyOnceMore) {
  IBitmap img(nullptr, 10, 10);
  IRECT r(0, 0, 10, 10);
  auto* sel = Attach(new IFileSelectorControl(&p, &r, 2, &img, kFileSave, "/presets", "aupreset"));
  CleanAll();
  g->fileToChoose = "/presets/mine.aupreset";
  g->OnMouseDown(5, 5, nullptr);
  EXPECT_EQ(Log{"file 1 /presets aupreset"}, g->log);
  EXPECT_EQ(1.0, p.GetParam(2)->Value());
  Core_String chosen;
  sel->GetLastSelectedFileForPlug(&chosen);
  EXPECT_STREQ("/presets/mine.aupreset", chosen.Get());
  g->Draw(&r);
  EXPECT_TRUE(g->Calls("bitmap").empty());  // the image shows only while the prompt is up
  EXPECT_TRUE(sel->IsDirty());
  EXPECT_FALSE(sel->IsDirty());

  TestPlugin bare;  // a plug-in without editor: nothing to prompt with
  IFileSelectorControl lone(&bare, &r, -1, &img, kFileOpen);
  lone.OnMouseDown(5, 5, nullptr);
  EXPECT_EQ(kSelectIdle, lone.State());
}
