// Each control family's drawing and gesture rules, driven through the editor.
#include <cmath>
#include <cstring>

#include "framework/editor/IControls.h"
#include "tests/editor/EditorFixture.h"

namespace {

IMouseMod gRight(false, true);
IRECT gAll(0, 0, 100, 60);

}  // namespace

TEST_F(EditorTest, PluginValuesSetTheResetValueOnceAndKeepTheControlDirtyOneMoreRedraw) {
  IControl* a = Probe("a", IRECT(0, 0, 10, 10), 0);
  CleanAll();
  a->OnMouseDblClick(5, 5, nullptr);  // no value received yet: nothing to restore
  EXPECT_FALSE(a->IsDirty());
  a->SetValueFromPlug(0.0);
  a->SetClean();
  EXPECT_TRUE(a->IsDirty());
  a->SetClean();
  a->SetValueFromPlug(0.0);  // unchanged: stays clean
  EXPECT_FALSE(a->IsDirty());
  a->SetValueFromPlug(0.4);
  EXPECT_EQ(0.0, a->GetResetValue());
  a->SetValueFromPlug(std::nan(""));  // a broken value ends at the bottom of the range
  EXPECT_EQ(0.0, a->GetValue());
  EXPECT_TRUE(p.informed.empty());  // values from the plug-in are not sent back
}

TEST_F(EditorTest, SwitchesStepThroughTheirFramesWrapAndGrayToAQuarter) {
  IBitmap one(nullptr, 10, 10, 1), two(nullptr, 10, 20, 2), three(nullptr, 10, 30, 3);
  auto* s2 = Attach(new ISwitchControl(&p, 0, 0, 2, &two));
  auto* s3 = Attach(new ISwitchControl(&p, 20, 0, 1, &three));
  auto* s1 = Attach(new ISwitchControl(&p, 40, 0, -1, &one));
  std::vector<double> seen;
  for (int i = 0; i < 3; ++i) {
    for (int x : {5, 25, 45}) g->OnMouseDown(x, 5, nullptr);
    for (IControl* s : {s2, s3, s1}) seen.push_back(s->GetValue());
  }
  EXPECT_EQ((std::vector<double>{1, 0.5, 1, 0, 1, 0, 1, 0, 1}), seen);
  EXPECT_EQ(1.0, p.GetParam(2)->Value());
  g->OnMouseDown(25, 5, &gRight);  // prompts for the parameter instead of stepping
  EXPECT_EQ(0.0, s3->GetValue());
  EXPECT_EQ(p.GetParam(1), g->promptedParam);
  s3->DisablePrompt(true);
  g->OnMouseDown(25, 5, &gRight);
  g->OnMouseDown(45, 5, &gRight);  // no parameter: no prompt
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

  IRECT target(50, 40, 60, 50);
  auto* overlay = Attach(new IBitmapOverlayControl(&p, 20, 0, -1, &two, &target));
  g->Draw(&gAll);  // off: not drawn, clicks taken in the target area
  EXPECT_EQ(1u, g->calls.size());
  g->OnMouseDown(55, 45, nullptr);
  g->Draw(&gAll);
  EXPECT_EQ(IRECT(20, 0, 30, 10), g->calls.back().dest);
  EXPECT_EQ(overlay->GetRECT(), overlay->GetTargetRECT());

  IRECT area(70, 0, 80, 10);
  auto* invisible = Attach(new IInvisibleSwitchControl(&p, &area, 1));
  g->OnMouseDown(75, 5, &gRight);  // never prompts
  EXPECT_EQ(1.0, invisible->GetValue());
  EXPECT_EQ(nullptr, g->promptedParam);
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
  EXPECT_DOUBLE_EQ(0.925, knob->GetValue());
  EXPECT_EQ(4u, p.informed.size());
  g->Draw(&gAll);
  EXPECT_EQ(180, g->calls.at(0).srcY);  // frame 10 of 11
  g->ClampControl(0, 0.2, 0.8, true);
  g->OnMouseWheel(10, 10, nullptr, 100);
  EXPECT_DOUBLE_EQ(0.8, knob->GetValue());

  IRECT wide(30, 0, 70, 10), flat(30, 20, 70, 20);
  auto* across = Attach(
      new IKnobLineControl(&p, &wide, -1, &COLOR_WHITE, 0.0, 0.0, -1.0, 1.0, kHorizontal, 1.0));
  g->OnMouseDown(40, 5, nullptr);
  g->OnMouseDrag(50, 0, nullptr);
  EXPECT_DOUBLE_EQ(0.25, across->GetValue());
  auto* immovable = Attach(new IKnobLineControl(&p, &flat, -1, &COLOR_WHITE));
  immovable->OnMouseDrag(0, 0, 5, 5, nullptr);  // no extent: no division by zero
  EXPECT_EQ(0.0, immovable->GetValue());
}

TEST_F(EditorTest, KnobLinesPointUpAtZeroAndTurnClockwise) {
  IRECT r(20, 10, 60, 50);
  auto* line = Attach(new IKnobLineControl(&p, &r, 0, &COLOR_WHITE, 5.0, 0.0, 0.0, M_PI));
  line->SetValueFromPlug(0.5);  // a quarter turn: pointing right
  g->Draw(&gAll);
  const auto l = g->calls.at(0);
  EXPECT_EQ("45,30,60,30", Str(l.x1, l.y1) + "," + Str(l.x2, l.y2));  // outer: half the width
  EXPECT_EQ(kBlendOpaque, l.blend.mMode);
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
  EXPECT_EQ(IRECT(0, 50, 10, 60), radio->ButtonRect(2));
  EXPECT_EQ(IRECT(68, 0, 78, 10), across->ButtonRect(3));
  g->OnMouseDown(5, 30, nullptr);
  EXPECT_EQ(0.5, radio->GetValue());
  g->OnMouseDown(5, 40, nullptr);  // between buttons: the value is sent again
  EXPECT_EQ(2u, p.informed.size());
  g->Draw(&column);
  std::vector<int> rows;
  for (const auto& c : g->calls) rows.push_back(c.srcY);
  EXPECT_EQ((std::vector<int>{0, 10, 0}), rows);

  // One button stands for 0 and none draw nothing, without dividing by n - 1; the wider clamp
  // range would show a value that is not a number as -1.
  auto* single = Attach(new IRadioButtonsControl(&p, &corner, -1, 1, &img));
  auto* none = Attach(new IRadioButtonsControl(&p, &corner, -1, 0, &img));
  single->Clamp(-1.0, 1.0);
  single->SetValueFromPlug(1.0);
  single->OnMouseDown(95, 5, nullptr);
  EXPECT_EQ(0.0, single->GetValue());
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
  g->Draw(&gAll);
  std::vector<std::string> texts;
  for (const auto& c : g->calls) texts.push_back(c.text);
  EXPECT_EQ((Log{"-5.0 dB", "0 "}), texts);
  text->SetTextFromPlug("Hi");
  EXPECT_TRUE(text->IsDirty());
  CleanAll();
  text->SetTextFromPlug("Hi");
  EXPECT_FALSE(text->IsDirty());
}

TEST_F(EditorTest, UrlControlsOpenTheAddressThenTheFallbackAndCutLongTexts) {
  IRECT r(0, 0, 10, 10);
  Attach(new IURLControl(&p, &r, "http://a.example", "http://b.example", "msg"));
  const std::string longURL(300, 'u'), longMsg(2000, 'm');
  IURLControl cut(&p, &r, longURL.c_str(), "", longMsg.c_str());
  EXPECT_EQ(255u, strlen(cut.Address()));
  EXPECT_EQ(1023u, strlen(cut.Message()));
  EXPECT_STREQ("", cut.FallbackAddress());
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
  EXPECT_TRUE(g->calls.empty());  // the image shows only while the prompt is up
  EXPECT_TRUE(sel->IsDirty());
  EXPECT_FALSE(sel->IsDirty());

  TestPlugin bare;  // a plug-in without editor: nothing to prompt with
  IFileSelectorControl lone(&bare, &r, -1, &img, kFileOpen);
  lone.OnMouseDown(5, 5, nullptr);
  EXPECT_EQ(kSelectIdle, lone.State());
}
