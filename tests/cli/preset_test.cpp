// Presets: saved from an instance with settings, shown, and restored by a render.
#include "tests/cli/AudioFixtures.h"
#include "tests/cli/CliTestPaths.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TestAudio Chirp() {
  TestAudio a;
  a.channels = 2;
  a.rate = 44100;
  for (int i = 0; i < 8000; ++i) {
    double t = i / 44100.0;
    a.samples.push_back(
        static_cast<float>(0.6 * std::sin(2 * 3.141592653589793 * (50 + 4000 * t) * t)));
    a.samples.push_back(static_cast<float>(0.3 * std::sin(2 * 3.141592653589793 * 700 * t)));
  }
  return a;
}

TEST(Presets, SaveWritesTheUnitStateAsAnXmlPropertyList) {
  TempDir dir;
  CommandResult r = TessorEq({"preset", "save", dir / "p.aupreset", "--set", "HPF=80 Hz", "--set",
                              "mf level 1=-4.5", "--set", "Oversample=on"});
  ASSERT_EQ(0, r.exitCode) << r.err;
  const std::string xml = ReadWholeFile(dir / "p.aupreset");
  EXPECT_EQ(0u, xml.find("<?xml")) << xml;
  for (const char* key : {"version", "type", "subtype", "manufacturer", "name", "data"})
    EXPECT_NE(std::string::npos, xml.find(std::string("<key>") + key + "</key>")) << key;
  EXPECT_NE(std::string::npos, xml.find("<integer>845953079</integer>"));  // subtype '2l87'
}

TEST(Presets, ShowListsTheKeysAndTheNamedValuesWithTheirTexts) {
  TempDir dir;
  ASSERT_EQ(0, TessorEq({"preset", "save", dir / "p.aupreset", "--set", "HPF=80 Hz", "--set",
                         "MF Level 1=-4.5", "--set", "9=1"})
                   .exitCode);
  CommandResult r = TessorEq({"preset", "show", dir / "p.aupreset"});
  ASSERT_EQ(0, r.exitCode) << r.err;
  EXPECT_NE(std::string::npos, r.out.find("keys: data, manufacturer, name, subtype, type, version"))
      << r.out;
  EXPECT_NE(std::string::npos, r.out.find("preset \"Default\" for aufx 2l87 Fnwd, version 2.0.0"))
      << r.out;
  EXPECT_NE(std::string::npos, r.out.find("parameter values (10):")) << r.out;
  EXPECT_NE(std::string::npos, r.out.find("0  HPF = 3 (80 Hz)\n")) << r.out;
  EXPECT_NE(std::string::npos, r.out.find("4  MF Level 1 = -4.5 dB\n")) << r.out;
  EXPECT_NE(std::string::npos, r.out.find("5  MF 2 Freq = 3 (2500 Hz)\n")) << r.out;
  EXPECT_NE(std::string::npos, r.out.find("9  Oversample = 1 (On)\n")) << r.out;
}

TEST(Presets, RenderWithAPresetEqualsRenderWithItsSettings) {
  TempDir dir;
  ASSERT_TRUE(WriteTestAudio(dir / "in.wav", Chirp()));
  const std::vector<std::string> sets = {"--set", "HPF=160 Hz",
                                         "--set", "LoShelf Level=7.5",
                                         "--set", "MF 2 Freq=6000 Hz",
                                         "--set", "MF Level 2=-9",
                                         "--set", "Gain=2"};
  std::vector<std::string> save = {"preset", "save", dir / "p.aupreset"};
  save.insert(save.end(), sets.begin(), sets.end());
  ASSERT_EQ(0, TessorEq(save).exitCode);

  std::vector<std::string> direct = {"render", dir / "in.wav", dir / "direct.wav"};
  direct.insert(direct.end(), sets.begin(), sets.end());
  ASSERT_EQ(0, TessorEq(direct).exitCode);
  CommandResult viaPreset =
      TessorEq({"render", dir / "in.wav", dir / "preset.wav", "--preset", dir / "p.aupreset"});
  ASSERT_EQ(0, viaPreset.exitCode) << viaPreset.err;
  CommandResult flat = TessorEq({"render", dir / "in.wav", dir / "flat.wav"});
  ASSERT_EQ(0, flat.exitCode);

  TestAudio a = ReadTestAudio(dir / "direct.wav"), b = ReadTestAudio(dir / "preset.wav");
  ASSERT_EQ(Chirp().samples.size(), a.samples.size());
  EXPECT_TRUE(a.samples == b.samples);
  EXPECT_FALSE(a.samples == ReadTestAudio(dir / "flat.wav").samples);
}

TEST(Presets, SettingsAfterAPresetOverrideIt) {
  TempDir dir;
  ASSERT_TRUE(WriteTestAudio(dir / "in.wav", Chirp()));
  ASSERT_EQ(0, TessorEq({"preset", "save", dir / "p.aupreset", "--set", "Gain=-12"}).exitCode);
  ASSERT_EQ(0, TessorEq({"render", dir / "in.wav", dir / "a.wav", "--preset", dir / "p.aupreset",
                         "--set", "Gain=0"})
                   .exitCode);
  ASSERT_EQ(0, TessorEq({"render", dir / "in.wav", dir / "b.wav"}).exitCode);
  EXPECT_TRUE(ReadTestAudio(dir / "a.wav").samples == ReadTestAudio(dir / "b.wav").samples);
}

}  // namespace
