// What params, info, demo and --help tell a user, and the progress bar on a terminal.
#include "tests/cli/AudioFixtures.h"
#include "tests/cli/CliTestPaths.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(Params, ListsEveryParameterWithUnitRangeDefaultAndTexts) {
  CommandResult r = TessorEq({"params"});
  ASSERT_EQ(0, r.exitCode) << r.err;
  std::vector<std::string> lines = Lines(r.out);
  ASSERT_EQ(11u, lines.size()) << r.out;  // header and ten parameters
  auto columns = [](const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
  };
  // index, name (may hold spaces), unit, min, max, default, texts
  EXPECT_EQ("0", columns(lines[1])[0]);
  EXPECT_TRUE(Contains(lines[1], "HPF ")) << lines[1];
  EXPECT_TRUE(Contains(lines[1], "indexed")) << lines[1];
  EXPECT_TRUE(
      Contains(lines[1], "\"Off\", \"30 Hz\", \"50 Hz\", \"80 Hz\", \"160 Hz\", \"300 Hz\""))
      << lines[1];
  std::vector<std::string> mf1 = columns(lines[4]);  // 3 MF 1 Freq indexed 0 5 2 ...
  EXPECT_EQ((std::vector<std::string>{"3", "MF", "1", "Freq", "indexed", "0", "5", "2"}),
            std::vector<std::string>(mf1.begin(), mf1.begin() + 8));
  std::vector<std::string> gain = columns(lines[9]);
  EXPECT_EQ((std::vector<std::string>{"8", "Gain", "dB", "-20", "10", "0"}), gain);
  EXPECT_TRUE(Contains(lines[10], "Oversample") && Contains(lines[10], "\"Off\", \"On\""))
      << lines[10];
}

TEST(Info, DescribesTheComponentAsTheHostSeesIt) {
  CommandResult r = TessorEq({"info"});
  ASSERT_EQ(0, r.exitCode) << r.err;
  EXPECT_TRUE(Contains(r.out, "aufx 2l87 Fnwd")) << r.out;
  EXPECT_TRUE(Contains(r.out, "version      2.0.0 (0x00020000)")) << r.out;
  EXPECT_TRUE(Contains(r.out, "com.fenwarde.audio.TessorEQ")) << r.out;
  EXPECT_TRUE(Contains(r.out, "channels     1 in / 1 out, 2 in / 2 out")) << r.out;
  EXPECT_TRUE(Contains(r.out, "presets      0 \"Default\"")) << r.out;
  EXPECT_TRUE(Contains(r.out, "latency      0 s")) << r.out;
  EXPECT_TRUE(Contains(r.out, "tail         0 s")) << r.out;
}

TEST(Info, FindsTheComponentGivenExplicitly) {
  CommandResult r = TessorEq({"info", "--component", kComponent});
  ASSERT_EQ(0, r.exitCode) << r.err;
  EXPECT_TRUE(Contains(r.out, "aufx 2l87 Fnwd")) << r.out;
}

TEST(Demo, WritesBothFilesAndReportsTheLevelChangeOfEachBand) {
  TempDir dir;
  CommandResult r = TessorEq({"demo", dir / "out"});
  ASSERT_EQ(0, r.exitCode) << r.err;
  TestAudio in = ReadTestAudio(dir / "out/demo-input.wav");
  TestAudio out = ReadTestAudio(dir / "out/demo-output.wav");
  EXPECT_EQ(2, in.channels);
  EXPECT_EQ(in.Frames(), out.Frames());
  EXPECT_GT(in.Frames(), 0u);
  EXPECT_FALSE(in.samples == out.samples);
  EXPECT_TRUE(Contains(r.out, "HPF = 2 (50 Hz)")) << r.out;
  // The measured changes follow the setting: the 30 Hz tone under the high-pass is cut,
  // the 400 Hz tone on the -6 dB band is cut, the 3150 Hz tone on the +4 dB band lifted.
  auto change = [&](const std::string& tone) {
    size_t at = r.out.find(tone + " Hz ");
    EXPECT_NE(std::string::npos, at) << tone << "\n" << r.out;
    return at == std::string::npos ? 0.0 : std::stod(r.out.substr(at + tone.size() + 4));
  };
  EXPECT_LT(change("30"), -3.0);
  EXPECT_LT(change("400"), -3.0);
  EXPECT_GT(change("3150"), 3.0);
  EXPECT_GT(change("14000"), 2.0);
  EXPECT_TRUE(Contains(r.out, "output: " + dir / "out" + "/demo-output.wav")) << r.out;
  EXPECT_EQ("\x89PNG", ReadWholeFile(dir / "out/demo-response.png").substr(0, 4));
}

TEST(Demo, WritesIntoTessorEqDemoInTheWorkingDirectoryByDefault) {
  TempDir dir;
  CommandResult r = TessorEq({"demo"}, dir.Path());
  ASSERT_EQ(0, r.exitCode) << r.err;
  EXPECT_TRUE(FileExists(dir / "tessor-eq-demo/demo-output.wav"));
}

TEST(Help, EveryCommandExplainsItself) {
  CommandResult top = TessorEq({"--help"});
  EXPECT_EQ(0, top.exitCode);
  for (const char* cmd : {"render", "params", "info", "preset", "response", "demo"}) {
    EXPECT_TRUE(Contains(top.out, std::string("  ") + cmd)) << cmd;
    CommandResult r = TessorEq({cmd, "--help"});
    EXPECT_EQ(0, r.exitCode) << cmd;
    EXPECT_EQ(0u, r.out.find(std::string("usage: tessor-eq ") + cmd)) << r.out;
  }
}

TEST(Progress, DrawsABarOnATerminalAndNothingIntoAPipe) {
  TempDir dir;
  TestAudio a;
  a.channels = 1;
  a.rate = 44100;
  a.samples.assign(44100, 0.2f);
  ASSERT_TRUE(WriteTestAudio(dir / "in.wav", a));

  CommandResult piped = TessorEq({"render", dir / "in.wav", dir / "piped.wav"});
  ASSERT_EQ(0, piped.exitCode);
  EXPECT_EQ("", piped.err);

  CommandResult tty = RunOnTerminal(kTessorEq, {"render", dir / "in.wav", dir / "tty.wav"});
  ASSERT_EQ(0, tty.exitCode) << tty.out;
  EXPECT_TRUE(Contains(tty.out, "render [")) << tty.out;
  EXPECT_TRUE(Contains(tty.out, "##############################] 100%")) << tty.out;
}

}  // namespace
