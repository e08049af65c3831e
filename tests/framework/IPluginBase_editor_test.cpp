#include <gtest/gtest.h>

#include "TestPlugin.h"

namespace {

void InitThree(TestPlugin& p) {
  p.GetParam(0)->InitEnum("Mode", 2, 5);  // 0..4
  p.GetParam(1)->InitDouble("Level", -10.0, -20.0, 20.0, 0.1, "dB");
  p.GetParam(2)->InitBool("Switch", true);
}

}  // namespace

TEST(IPluginBaseEditor, AttachPushesNormalisedValuesThenPreparesDrawing) {
  TestPlugin p;
  InitThree(p);
  auto* editor = new RecordingEditor(&p);
  p.AttachGraphics(editor);
  EXPECT_EQ(editor, p.GetGUI());
  const std::vector<std::string> expected = {"p0 plug 0.500000", "p1 plug 0.250000",
                                             "p2 plug 1.000000", "prep"};
  EXPECT_EQ(expected, editor->log);
}

TEST(IPluginBaseEditor, NullAttachKeepsTheEditorAndTheBaseDeletesIt) {
  int deleted = 0;
  {
    TestPlugin p;
    auto* editor = new RecordingEditor(&p, &deleted);
    p.AttachGraphics(editor);
    p.AttachGraphics(nullptr);
    EXPECT_EQ(editor, p.GetGUI());
    EXPECT_EQ(0, deleted);
  }
  EXPECT_EQ(1, deleted);
}

TEST(IPluginBaseEditor, GuiChangeSetsInformsAndNotifiesInThatOrder) {
  TestPlugin p;
  InitThree(p);
  p.SetParameterFromGUI(1, 0.75);
  EXPECT_DOUBLE_EQ(10.0, p.GetParam(1)->Value());
  ASSERT_EQ(1u, p.informed.size());
  EXPECT_EQ(1, p.informed[0].first);
  EXPECT_EQ(0.75, p.informed[0].second);
  EXPECT_EQ(std::vector<int>{1}, p.changes);

  p.SetParameterFromGUI(7, 0.5);  // no such parameter: ignored
  EXPECT_EQ(1u, p.informed.size());
}

TEST(IPluginBaseEditor, RedrawPushesPlainValuesThatTheEditorNormalises) {
  TestPlugin p;
  InitThree(p);
  p.RedrawParamControls();  // no editor: nothing to do
  auto* editor = new RecordingEditor(&p);
  p.AttachGraphics(editor);
  p.GetParam(1)->Set(10.0);
  editor->log.clear();
  p.RedrawParamControls();
  const std::vector<std::string> expected = {"p0 plug 0.500000", "p1 plug 0.750000",
                                             "p2 plug 1.000000"};
  EXPECT_EQ(expected, editor->log);
}

TEST(IPluginBaseEditor, DefaultMidiHandlingPassesMessagesOn) {
  TestPlugin p;
  IMidiMsg msg;
  msg.MakeNoteOnMsg(60, 100, 12);
  p.ProcessMidiMsg(&msg);
  ASSERT_EQ(1u, p.sent.size());
  EXPECT_EQ(12, p.sent[0].mFrameOffset);
  EXPECT_EQ(60, p.sent[0].NoteNumber());
  char name[8] = "x";
  EXPECT_FALSE(p.MidiNoteName(60, name));
  EXPECT_STREQ("", name);
}

TEST(IPluginBaseEditor, NamesAreCutToTheirFields) {
  std::string longName(300, 'a');
  struct LongNames : IPluginBase {
    explicit LongNames(const char* n)
        : IPluginBase(0, nullptr, 0, n, n, n, 0, 0, 0, 0, false, false, false) {}
    void BeginInformHostOfParamChange(int) override {}
    void InformHostOfParamChange(int, double) override {}
    void EndInformHostOfParamChange(int) override {}
    int GetSamplePos() override { return 0; }
    double GetTempo() override { return 0; }
    void GetTimeSig(int*, int*) override {}
    void ResizeGraphics(int, int) override {}
    void HostSpecificInit() override {}
    bool SendMidiMsg(IMidiMsg*) override { return false; }
    bool SendMidiMsgs(Core_TypedBuf<IMidiMsg>*) override { return false; }
  } p(longName.c_str());
  EXPECT_EQ(std::string(127, 'a'), p.GetEffectName());
  EXPECT_EQ(std::string(127, 'a'), p.GetProductName());
  EXPECT_EQ(std::string(127, 'a'), p.GetMfrName());
}
