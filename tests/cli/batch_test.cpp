// Batch renders with the built command: every input into the output directory under its own
// name, the same samples as one render at a time, failures collected at the end.
#include "tests/cli/AudioFixtures.h"
#include "tests/cli/CliTestPaths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>

namespace {

const std::vector<std::string> kSettings = {"--set", "HPF=80 Hz",     "--set", "LoShelf Level=4",
                                            "--set", "MF Level 2=-3", "--set", "Oversample=On"};

// Different lengths, rates and channel counts, so jobs finish in a different order than they
// start.
void WriteInputs(const TempDir& dir, int count) {
  for (int k = 0; k < count; ++k) {
    TestAudio a;
    a.channels = 1 + k % 2;
    a.rate = k % 3 == 0 ? 48000 : 44100;
    const size_t frames = 3000 + 1700 * static_cast<size_t>((k * 5) % 7);
    for (size_t i = 0; i < frames * static_cast<size_t>(a.channels); ++i)
      a.samples.push_back(
          static_cast<float>(0.7 * std::sin(0.001 * (k + 1) * static_cast<double>(i * i % 9973))));
    ASSERT_TRUE(WriteTestAudio(dir / ("in" + std::to_string(k) + ".wav"), a));
  }
}

std::vector<std::string> Inputs(const TempDir& dir, int count) {
  std::vector<std::string> paths;
  for (int k = 0; k < count; ++k) paths.push_back(dir / ("in" + std::to_string(k) + ".wav"));
  return paths;
}

CommandResult Batch(const std::vector<std::string>& inputs, const std::string& outDir,
                    const std::string& jobs) {
  std::vector<std::string> args = {"render"};
  args.insert(args.end(), inputs.begin(), inputs.end());
  args.insert(args.end(), {"--out-dir", outDir, "-j", jobs});
  args.insert(args.end(), kSettings.begin(), kSettings.end());
  return TessorEq(args);
}

// Same channels, rate and every sample's bits.
void ExpectSameAudio(const std::string& expectedPath, const std::string& actualPath) {
  SCOPED_TRACE(actualPath);
  TestAudio expected = ReadTestAudio(expectedPath), actual = ReadTestAudio(actualPath);
  ASSERT_GT(expected.Frames(), 0u);
  EXPECT_EQ(expected.channels, actual.channels);
  EXPECT_EQ(expected.rate, actual.rate);
  ASSERT_EQ(expected.samples.size(), actual.samples.size());
  EXPECT_EQ(0, std::memcmp(expected.samples.data(), actual.samples.data(),
                           expected.samples.size() * sizeof(float)));
}

size_t Count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

TEST(Batch, BadFilesAreReportedAtTheEndAndTheGoodOnesMatchSingleRenders) {
  TempDir dir;
  WriteInputs(dir, 4);
  std::ofstream(dir / "notes.wav") << "not audio\n";
  TestAudio cut;
  cut.channels = 1;
  cut.rate = 44100;
  cut.samples.assign(5000, 0.25f);
  ASSERT_TRUE(WriteTestAudio(dir / "cut.wav", cut));
  struct stat st;
  ASSERT_EQ(0, ::stat((dir / "cut.wav").c_str(), &st));
  ASSERT_EQ(0, ::truncate((dir / "cut.wav").c_str(), st.st_size - 4 * 3000));

  std::vector<std::string> inputs = Inputs(dir, 4);
  inputs.insert(inputs.begin() + 1, dir / "notes.wav");
  inputs.push_back(dir / "cut.wav");
  CommandResult r = Batch(inputs, dir / "eq", "3");
  EXPECT_EQ(1, r.exitCode);
  EXPECT_EQ(2u, Count(r.err, "\n")) << r.err;
  EXPECT_NE(std::string::npos,
            r.err.find("tessor-eq: failed: " + dir / "notes.wav" + ": cannot read audio"))
      << r.err;
  EXPECT_NE(std::string::npos, r.err.find("tessor-eq: failed: " + dir / "cut.wav" + ": '"))
      << r.err;
  EXPECT_NE(std::string::npos, r.out.find("rendered 4 of 6 files into " + dir / "eq")) << r.out;
  EXPECT_FALSE(FileExists(dir / "eq/notes.wav"));
  EXPECT_FALSE(FileExists(dir / "eq/cut.wav"));

  for (const std::string& input : Inputs(dir, 4)) {
    const std::string name = input.substr(input.find_last_of('/') + 1);
    std::vector<std::string> single = {"render", input, dir / ("single-" + name)};
    single.insert(single.end(), kSettings.begin(), kSettings.end());
    ASSERT_EQ(0, TessorEq(single).exitCode);
    ExpectSameAudio(dir / ("single-" + name), dir / ("eq/" + name));
  }
}

TEST(Batch, ParallelJobsWriteTheSameBitsAsOneAfterAnother) {
  TempDir dir;
  WriteInputs(dir, 7);
  ASSERT_EQ(0, Batch(Inputs(dir, 7), dir / "serial", "1").exitCode);
  CommandResult parallel = Batch(Inputs(dir, 7), dir / "parallel", "4");
  ASSERT_EQ(0, parallel.exitCode) << parallel.err;
  EXPECT_EQ("", parallel.err);
  for (int k = 0; k < 7; ++k) {
    const std::string name = "in" + std::to_string(k) + ".wav";
    ExpectSameAudio(dir / ("serial/" + name), dir / ("parallel/" + name));
  }
}

TEST(Batch, ATerminalShowsOneProgressDisplayForTheWholeBatch) {
  TempDir dir;
  WriteInputs(dir, 3);
  std::vector<std::string> args = {"render"};
  for (const std::string& input : Inputs(dir, 3)) args.push_back(input);
  args.insert(args.end(), {"--out-dir", dir / "eq", "-j2"});
  CommandResult r = RunOnTerminal(kTessorEq, args);
  ASSERT_EQ(0, r.exitCode) << r.out;
  // One line, redrawn in place, before the report.
  const std::string display = r.out.substr(0, r.out.find("rendered "));
  EXPECT_EQ(1u, Count(display, "\n")) << r.out;
  EXPECT_NE(std::string::npos,
            display.find("render 3/3 files [##############################] 100%"))
      << r.out;
}

}  // namespace
