#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "TestPlugin.h"

namespace {

// Three parameters: an enumeration 0..4, a level in dB and a switch.
void InitThree(TestPlugin& p) {
  p.GetParam(0)->InitEnum("Mode", 2, 5);
  p.GetParam(1)->InitDouble("Level", -10.0, -20.0, 20.0, 0.1, "dB");
  p.GetParam(2)->InitBool("Switch", true);
}

std::vector<uint8_t> Bytes(const ByteChunk& c) {
  return std::vector<uint8_t>(c.Data(), c.Data() + c.Size());
}

void PutDouble(std::vector<uint8_t>& b, double v) {
  uint8_t raw[8];
  memcpy(raw, &v, 8);
  b.insert(b.end(), raw, raw + 8);
}

void PutInt(std::vector<uint8_t>& b, int32_t v) {
  b.push_back(v & 0xFF);
  b.push_back((v >> 8) & 0xFF);
  b.push_back((v >> 16) & 0xFF);
  b.push_back((v >> 24) & 0xFF);
}

void PutString(std::vector<uint8_t>& b, const char* s) {
  PutInt(b, static_cast<int32_t>(strlen(s)));
  b.insert(b.end(), s, s + strlen(s));
}

ByteChunk ChunkOf(const std::vector<uint8_t>& b) {
  ByteChunk c;
  if (!b.empty()) c.AppendBytes(b.data(), static_cast<int>(b.size()));
  return c;
}

}  // namespace

TEST(IPluginBaseState, ParamsSerializeAsOneLittleEndianDoubleEach) {
  TestPlugin p;
  InitThree(p);
  ByteChunk c;
  c.AppendBool(true);  // appends after what the chunk holds
  EXPECT_TRUE(p.SerializeParams(&c));
  std::vector<uint8_t> expected = {1};
  PutDouble(expected, 2.0);
  PutDouble(expected, -10.0);
  PutDouble(expected, 1.0);
  EXPECT_EQ(expected, Bytes(c));
  // -10.0 is 0xC024000000000000: little-endian puts the sign byte last.
  EXPECT_EQ(0xC0, c.Data()[1 + 8 + 7]);
  EXPECT_EQ(0x24, c.Data()[1 + 8 + 6]);
}

TEST(IPluginBaseState, ParamsRoundTripClampedAndNotified) {
  TestPlugin p;
  InitThree(p);
  std::vector<uint8_t> b;
  PutDouble(b, 4.0);
  PutDouble(b, 99.0);  // beyond the maximum: clamped
  PutDouble(b, 0.0);
  ByteChunk c = ChunkOf(b);
  EXPECT_EQ(24, p.UnserializeParams(&c, 0));
  EXPECT_EQ(4.0, p.GetParam(0)->Value());
  EXPECT_EQ(20.0, p.GetParam(1)->Value());
  EXPECT_EQ(0.0, p.GetParam(2)->Value());
  EXPECT_EQ((std::vector<int>{0, 1, 2}), p.changes);
}

TEST(IPluginBaseState, ShortChunkSetsTheMissingParamToZeroClampedAndFails) {
  TestPlugin p;
  InitThree(p);
  p.GetParam(2)->InitDouble("Level2", 5.0, 1.0, 9.0, 0.1, "");
  std::vector<uint8_t> b;
  PutDouble(b, 1.0);
  PutDouble(b, 3.5);
  b.push_back(0x12);  // a partial third value
  ByteChunk c = ChunkOf(b);
  EXPECT_EQ(-1, p.UnserializeParams(&c, 0));
  EXPECT_EQ(1.0, p.GetParam(0)->Value());
  EXPECT_EQ(3.5, p.GetParam(1)->Value());
  EXPECT_EQ(1.0, p.GetParam(2)->Value());  // 0 clamped into 1..9
  EXPECT_EQ((std::vector<int>{0, 1, 2}), p.changes);

  p.changes.clear();
  EXPECT_EQ(-5, p.UnserializeParams(&c, -5));  // nothing read, everything notified
  EXPECT_EQ(1.0, p.GetParam(0)->Value());
  EXPECT_EQ(3u, p.changes.size());
}

TEST(IPluginBaseState, PluginWithoutParamsHasEmptyState) {
  TestPlugin p(0, "1-1", 2);
  ByteChunk c;
  EXPECT_TRUE(p.SerializeParams(&c));
  EXPECT_EQ(0, c.Size());
  EXPECT_EQ(0, p.UnserializeParams(&c, 0));
  p.MakeDefaultPreset();
  EXPECT_FALSE(p.RestorePreset(0));  // position 0 is not past anything
}

TEST(IPluginBaseState, PresetSlotsAreNamedByPositionUntilFilled) {
  TestPlugin p;
  InitThree(p);
  EXPECT_STREQ("- 1 -", p.GetPresetName(0));
  EXPECT_STREQ("- 4 -", p.GetPresetName(3));
  EXPECT_STREQ("", p.GetPresetName(4));
  p.MakeDefaultPreset(nullptr, 2);
  p.MakePreset("Bright", 4, 12.5, 0);
  p.MakePresetFromNamedParams("Dark", 1, 1, -15.0);
  EXPECT_STREQ("Default", p.GetPresetName(1));
  EXPECT_STREQ("Bright", p.GetPresetName(2));
  EXPECT_STREQ("Dark", p.GetPresetName(3));
  p.MakePreset("No room", 0, 0.0, 0);  // every slot filled: nothing happens
  EXPECT_EQ(4, p.NPresets());

  ASSERT_TRUE(p.RestorePreset("Bright"));
  EXPECT_EQ(2, p.ActivePreset());
  EXPECT_EQ(4.0, p.GetParam(0)->Value());
  EXPECT_EQ(12.5, p.GetParam(1)->Value());
  EXPECT_EQ(0.0, p.GetParam(2)->Value());

  ASSERT_TRUE(p.RestorePreset(3));  // unnamed parameters took the values current when made
  EXPECT_EQ(2.0, p.GetParam(0)->Value());
  EXPECT_EQ(-15.0, p.GetParam(1)->Value());
  EXPECT_EQ(1.0, p.GetParam(2)->Value());

  EXPECT_FALSE(p.RestorePreset(""));
  EXPECT_FALSE(p.RestorePreset("bright"));
  EXPECT_FALSE(p.RestorePreset(9));
  EXPECT_EQ(3, p.ActivePreset());
  EXPECT_TRUE(p.RestorePreset("Default"));  // of two equal names the first wins
  EXPECT_EQ(0, p.ActivePreset());
}

TEST(IPluginBaseStateDeathTest, NamedPresetWithABadIndexFailsTheAssertion) {
  TestPlugin p;
  InitThree(p);
  EXPECT_DEATH(p.MakePresetFromNamedParams("Bad", 1, 3, 1.0),
               "failed assertion `paramIdx >= 0 && paramIdx < n'");
}

TEST(IPluginBaseState, RestoringAnEmptySlotCapturesAUserPreset) {
  TestPlugin p(3, "1-1", 4);
  InitThree(p);
  p.MakePreset("my user preset", 1, 0.0, 0);
  p.MakePreset("user preset 7", 1, 0.0, 0);
  auto* editor = new RecordingEditor(&p);
  p.AttachGraphics(editor);
  editor->log.clear();
  ASSERT_TRUE(p.RestorePreset(2));
  EXPECT_STREQ("user preset 3", p.GetPresetName(2));
  EXPECT_EQ(2, p.ActivePreset());
  EXPECT_EQ(3u, editor->log.size());  // redrawn on success
  ByteChunk current;
  p.SerializeParams(&current);
  EXPECT_TRUE(current.IsEqual(&p.Preset(2)->mState));
}

TEST(IPluginBaseState, FailedRestoreKeepsTheActivePresetAndDoesNotRedraw) {
  TestPlugin p;
  InitThree(p);
  p.MakeDefaultPreset();
  p.MakeDefaultPreset("Broken");
  p.Preset(1)->mState.Resize(12);  // one and a half values
  auto* editor = new RecordingEditor(&p);
  p.AttachGraphics(editor);
  editor->log.clear();
  EXPECT_FALSE(p.RestorePreset(1));
  EXPECT_EQ(0, p.ActivePreset());
  EXPECT_TRUE(editor->log.empty());
}

TEST(IPluginBaseState, PruneKeepsFilledSlotsInOrderAndEnsureDefaultFillsAnEmptyList) {
  TestPlugin p(3, "1-1", 5);
  InitThree(p);
  p.MakePreset("A", 1, 0.0, 0);
  p.MakePreset("B", 1, 0.0, 0);
  p.Preset(0)->mFilled = false;  // leave a hole before B
  p.PruneUninitializedPresets();
  ASSERT_EQ(1, p.NPresets());
  EXPECT_STREQ("B", p.GetPresetName(0));
  p.EnsureDefaultPreset();
  EXPECT_EQ(1, p.NPresets());

  TestPlugin none(3, "1-1", 0);
  InitThree(none);
  none.EnsureDefaultPreset();
  ASSERT_EQ(1, none.NPresets());
  EXPECT_STREQ("Default", none.GetPresetName(0));
  EXPECT_TRUE(none.Preset(0)->mFilled);
  EXPECT_EQ(24, none.Preset(0)->mState.Size());
}

TEST(IPluginBaseState, ModifyCurrentPresetRewritesValuesAndRenames) {
  TestPlugin p;
  InitThree(p);
  p.MakeDefaultPreset();
  p.GetParam(1)->Set(6.0);
  p.ModifyCurrentPreset("Edited");
  EXPECT_STREQ("Edited", p.GetPresetName(0));
  p.ModifyCurrentPreset("");  // an empty name keeps the old one
  EXPECT_STREQ("Edited", p.GetPresetName(0));
  p.GetParam(1)->Set(-1.0);
  ASSERT_TRUE(p.RestorePreset(0));
  EXPECT_EQ(6.0, p.GetParam(1)->Value());
  EXPECT_EQ(24, p.Preset(0)->mState.Size());
}

TEST(IPluginBaseState, BankFormatByteForByte) {
  TestPlugin p(2, "1-1", 2);
  p.GetParam(0)->InitDouble("A", 0.25, 0.0, 1.0, 0.01, "");
  p.GetParam(1)->InitDouble("B", -3.0, -6.0, 6.0, 0.1, "");
  p.MakePreset("x", 0.25, -3.0);
  p.Preset(1)->mLabel[0] = 'y', p.Preset(1)->mLabel[1] = '\0';  // uninitialised, named "y"
  ByteChunk c;
  ASSERT_TRUE(p.SerializePresets(&c));
  std::vector<uint8_t> expected;
  PutString(expected, "x");
  expected.push_back(1);
  PutDouble(expected, 0.25);
  PutDouble(expected, -3.0);
  PutString(expected, "y");
  expected.push_back(0);
  EXPECT_EQ(28, c.Size());
  EXPECT_EQ(expected, Bytes(c));
}

TEST(IPluginBaseState, BankRoundTripsIntoAnotherInstance) {
  TestPlugin src;
  InitThree(src);
  src.MakeDefaultPreset();
  src.MakePreset("Bright", 4, 12.5, 0);
  ByteChunk bank;
  ASSERT_TRUE(src.SerializePresets(&bank));

  TestPlugin dst;
  InitThree(dst);
  EXPECT_EQ(bank.Size(), dst.UnserializePresets(&bank, 0));
  EXPECT_STREQ("Default", dst.GetPresetName(0));
  EXPECT_STREQ("Bright", dst.GetPresetName(1));
  EXPECT_STREQ("- 3 -", dst.GetPresetName(2));
  EXPECT_TRUE(dst.Preset(1)->mState.IsEqual(&src.Preset(1)->mState));
  // The live values end at the active preset (slot 0).
  EXPECT_EQ(-10.0, dst.GetParam(1)->Value());
}

TEST(IPluginBaseState, CorruptBankStopsAtTheFirstBadRecord) {
  TestPlugin p(3, "1-1", 3);
  InitThree(p);
  std::vector<uint8_t> b;
  PutString(b, "First");
  b.push_back(1);
  PutDouble(b, 1.0);
  PutDouble(b, 5.0);
  PutDouble(b, 0.0);
  PutInt(b, 0x7FFFFFF0);  // second name: a length far past the end
  b.push_back('Z');
  ByteChunk c = ChunkOf(b);
  EXPECT_EQ(-1, p.UnserializePresets(&c, 0));
  EXPECT_STREQ("First", p.GetPresetName(0));
  EXPECT_TRUE(p.Preset(0)->mFilled);
  EXPECT_STREQ("- 2 -", p.GetPresetName(1));  // untouched
  EXPECT_FALSE(p.Preset(1)->mFilled);

  // A name longer than the field is cut to 255 characters.
  std::string longName(400, 'q');
  std::vector<uint8_t> l;
  PutString(l, longName.c_str());
  l.push_back(1);
  for (double v : {1.0, 2.0, 0.0}) PutDouble(l, v);
  ByteChunk lc = ChunkOf(l);
  TestPlugin q(3, "1-1", 1);
  InitThree(q);
  EXPECT_EQ(lc.Size(), q.UnserializePresets(&lc, 0));
  EXPECT_EQ(std::string(255, 'q'), q.GetPresetName(0));
}

TEST(IPluginBaseState, PresetSourceDumpIsWrittenOncePerProcess) {
  TestPlugin p;
  InitThree(p);
  const char* names[] = {"kMode", "kLevel", "kSwitch"};
  std::string path = ::testing::TempDir() + "tessor_preset_dump.txt";
  std::string other = ::testing::TempDir() + "tessor_preset_dump2.txt";
  std::remove(path.c_str());
  std::remove(other.c_str());
  p.GetParam(1)->Set(-2.5);
  p.DumpPresetSrcCode(path.c_str(), names);
  p.DumpPresetSrcCode(other.c_str(), names);
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ("  MakePresetFromNamedParams(\"name\", 2,\n    kMode, 2,\n    kLevel, -2.50);\n",
            text.str());
  EXPECT_FALSE(std::ifstream(other).good());
  std::remove(path.c_str());
}

TEST(IPluginBaseState, SlotABankMarksEmptyCapturesOnlyTheNewValues) {
  TestPlugin p;
  InitThree(p);
  p.MakeDefaultPreset();
  p.MakePreset("Bright", 4, 12.5, 0);

  // A bank in which the second slot is empty.
  std::vector<uint8_t> b;
  PutString(b, "Default");
  b.push_back(1);
  for (double v : {2.0, -10.0, 1.0}) PutDouble(b, v);
  for (const char* name : {"Spare", "- 3 -", "- 4 -"}) {
    PutString(b, name);
    b.push_back(0);
  }
  ByteChunk bank = ChunkOf(b);
  ASSERT_EQ(bank.Size(), p.UnserializePresets(&bank, 0));
  EXPECT_FALSE(p.Preset(1)->mFilled);
  EXPECT_EQ(0, p.Preset(1)->mState.Size());

  // Restoring the empty slot makes the current values a user preset, and only those.
  p.GetParam(1)->Set(5.0);
  ASSERT_TRUE(p.RestorePreset(1));
  EXPECT_STREQ("user preset 1", p.GetPresetName(1));
  EXPECT_EQ(24, p.Preset(1)->mState.Size());
  p.GetParam(1)->Set(-1.0);
  ASSERT_TRUE(p.RestorePreset(1));
  EXPECT_EQ(5.0, p.GetParam(1)->Value());
  EXPECT_EQ(1.0, p.GetParam(2)->Value());

  // The saved bank keeps one value per parameter for the slot.
  ByteChunk saved;
  ASSERT_TRUE(p.SerializePresets(&saved));
  EXPECT_EQ(bank.Size() - 10 + (4 + 13 + 1 + 24), saved.Size());
}
