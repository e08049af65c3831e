// Every way a command line or its inputs can be bad: one line on stderr, exit status 2 for
// an unusable command line and 1 for a failure, and no output file, not even a partial one.
#include "tests/cli/AudioFixtures.h"
#include "tests/cli/CliTestPaths.h"

#include <dirent.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <limits>

namespace {

std::vector<std::string> DirEntries(const std::string& path) {
  std::vector<std::string> names;
  if (DIR* d = ::opendir(path.c_str())) {
    while (dirent* e = ::readdir(d))
      if (std::string(e->d_name) != "." && std::string(e->d_name) != "..")
        names.push_back(e->d_name);
    ::closedir(d);
  }
  std::sort(names.begin(), names.end());
  return names;
}

class CommandErrors : public ::testing::Test {
 protected:
  void SetUp() override {
    TestAudio a;
    a.channels = 2;
    a.rate = 44100;
    a.samples.assign(2 * 2000, 0.25f);
    ASSERT_TRUE(WriteTestAudio(dir / "in.wav", a));
    before = DirEntries(dir.Path());
  }

  void WriteText(const std::string& name, const std::string& text) {
    std::ofstream(dir / name) << text;
    before = DirEntries(dir.Path());
  }

  // Runs the command and checks the error contract; the message must contain fragment.
  void ExpectError(std::vector<std::string> args, int exitCode, const std::string& fragment) {
    SCOPED_TRACE(::testing::PrintToString(args));
    CommandResult r = TessorEq(args);
    EXPECT_EQ(exitCode, r.exitCode);
    EXPECT_EQ("", r.out);
    EXPECT_EQ(0u, r.err.rfind("tessor-eq: ", 0)) << r.err;
    EXPECT_EQ(1, std::count(r.err.begin(), r.err.end(), '\n')) << r.err;
    EXPECT_NE(std::string::npos, r.err.find(fragment)) << r.err;
    EXPECT_EQ(before, DirEntries(dir.Path())) << "files were left behind";
  }

  std::string In() { return dir / "in.wav"; }
  std::string Out() { return dir / "out.wav"; }

  TempDir dir;
  std::vector<std::string> before;
};

TEST_F(CommandErrors, UnusableCommandLinesExitWithStatus2) {
  ExpectError({}, 2, "usage");
  ExpectError({"equalise"}, 2, "unknown command 'equalise'");
  ExpectError({"render", In()}, 2, "missing arguments");
  ExpectError({"render", In(), Out(), "extra"}, 2, "unexpected argument 'extra'");
  ExpectError({"render", In(), Out(), "--loud"}, 2, "unknown option '--loud'");
  ExpectError({"render", In(), Out(), "--set"}, 2, "needs a value");
  ExpectError({"render", In(), Out(), "--block", "0"}, 2, "--block");
  ExpectError({"render", In(), Out(), "--block", "12x"}, 2, "--block");
  ExpectError({"render", In(), Out(), "--block", "512", "--block", "64"}, 2, "more than once");
  ExpectError({"render", In(), dir / "out.mp9"}, 2, "cannot tell the output format");
  ExpectError({"preset", "load", dir / "p.aupreset"}, 2, "unknown preset action");
  ExpectError({"params", "extra"}, 2, "unexpected argument");
  // An empty value (an unset shell variable) is not the same as leaving the option out.
  ExpectError({"render", In(), Out(), "--preset", ""}, 2, "'--preset' needs a value");
  ExpectError({"render", In(), Out(), "--component", ""}, 2, "'--component' needs a value");
}

TEST_F(CommandErrors, BatchesThatCannotBeRenderedAsAWholeAreRefusedBeforeAnyFile) {
  ExpectError({"render", In(), In(), "--out-dir", dir / "eq"}, 2, "'" + In() + "' is given twice");
  ExpectError({"render", In(), dir.Path() + "/./in.wav", "--out-dir", dir / "eq"}, 2,
              "given twice");
  ExpectError({"render", In(), dir / "other/in.wav", "--out-dir", dir / "eq"}, 2,
              "would both be written to '" + dir / "eq/in.wav" + "'");
  ExpectError({"render", In(), "--out-dir", dir.Path()}, 2, "would replace the input");
  ExpectError({"render", In(), "--out-dir", In()}, 2, "is not a directory");
  ExpectError({"render", In(), Out(), "-j", "2"}, 2, "give --out-dir");
  ExpectError({"render", In(), "--out-dir", dir / "eq", "-j", "0"}, 2, "-j wants a whole number");
  ExpectError({"render", In(), "--out-dir", dir / "eq", "--set", "Gain=99"}, 2,
              "outside the range");
}

TEST_F(CommandErrors, ResponseCommandLinesThatCannotWork) {
  ExpectError({"response"}, 2, "missing arguments");
  ExpectError({"response", dir / "r.csv"}, 2, "should end in .png");
  ExpectError({"response", dir / "r.png", "--rate", "4000"}, 2,
              "--rate wants a whole number of hertz");
  ExpectError({"response", dir / "r.png", "--csv", dir.Path()}, 2, "is a directory");
  ExpectError({"response", dir / "r.png", "--set", "HPF=90 Hz"}, 2, "not a value of HPF");
  ExpectError({"response", dir / "r.png", "--preset", dir / "none.aupreset"}, 1,
              "cannot read preset");
}

TEST_F(CommandErrors, EditorCommandLinesThatCannotWork) {
  ExpectError({"snapshot"}, 2, "missing arguments");
  ExpectError({"snapshot", dir / "e.jpg"}, 2, "should end in .png");
  ExpectError({"snapshot", dir / "e.png", "--set", "HPF=90 Hz"}, 2, "not a value of HPF");
  ExpectError({"gui", dir / "e.png"}, 2, "unexpected argument");
  ExpectError({"gui", "--save", dir.Path()}, 2, "is a directory");
  const std::string display = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
  ::unsetenv("DISPLAY");
  ExpectError({"gui"}, 1, "DISPLAY is not set");
  ::setenv("DISPLAY", ":999", 1);  // no server there
  ExpectError({"gui"}, 1, "cannot open X display \":999\"");
  if (display.empty())
    ::unsetenv("DISPLAY");
  else
    ::setenv("DISPLAY", display.c_str(), 1);
}

TEST_F(CommandErrors, TruncatedInputFailsSayingHowMuchCouldBeRead) {
  TestAudio a;
  a.channels = 2;
  a.rate = 44100;
  for (int i = 0; i < 2 * 44100; ++i) a.samples.push_back(0.3f * std::sin(0.01f * i));
  ASSERT_TRUE(WriteTestAudio(dir / "cut.wav", a, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
  ASSERT_TRUE(WriteTestAudio(dir / "cut.flac", a, SF_FORMAT_FLAC | SF_FORMAT_PCM_16));
  // The last 22050 of the WAV's 4-byte frames go, and half of the FLAC file.
  struct stat wav, flac;
  ASSERT_EQ(0, ::stat((dir / "cut.wav").c_str(), &wav));
  ASSERT_EQ(0, ::stat((dir / "cut.flac").c_str(), &flac));
  ASSERT_EQ(0, ::truncate((dir / "cut.wav").c_str(), wav.st_size - 22050 * 4));
  ASSERT_EQ(0, ::truncate((dir / "cut.flac").c_str(), flac.st_size / 2));
  before = DirEntries(dir.Path());
  ExpectError(
      {"render", dir / "cut.wav", Out()}, 1,
      "'" + dir / "cut.wav" +
          "' is cut short: its header promises 44100 frames (1.000 s) but only 22050 frames "
          "(0.500 s) could be read");
  // FLAC states its length in its stream header; the decoder finds the end early.
  ExpectError({"render", dir / "cut.flac", Out(), "--block", "1000"}, 1,
              "' is cut short: its header promises 44100 frames");
}

TEST_F(CommandErrors, UnknownParametersAndValuesExitWithStatus2) {
  ExpectError({"render", In(), Out(), "--set", "Treble=3"}, 2, "unknown parameter 'Treble'");
  ExpectError({"render", In(), Out(), "--set", "10=1"}, 2, "unknown parameter '10'");
  ExpectError({"render", In(), Out(), "--set", "Gain"}, 2, "NAME=VALUE");
  ExpectError({"render", In(), Out(), "--set", "Gain=loud"}, 2, "'loud' is not a value of Gain");
  ExpectError({"render", In(), Out(), "--set", "Gain=nan"}, 2, "not a value of Gain");
  ExpectError({"render", In(), Out(), "--set", "HPF=90 Hz"}, 2, "not a value of HPF");
  ExpectError({"render", In(), Out(), "--set", "Gain=11"}, 2, "outside the range of Gain");
  ExpectError({"render", In(), Out(), "--set", "HPF=2.5"}, 2, "whole steps");
  ExpectError({"preset", "save", dir / "p.aupreset", "--set", "Warmth=1"}, 2, "unknown parameter");
}

TEST_F(CommandErrors, UnreadableOrUnsupportedAudioFails) {
  WriteText("text.wav", "this is not audio\n");
  ExpectError({"render", dir / "missing.wav", Out()}, 1, "cannot read audio");
  ExpectError({"render", dir / "text.wav", Out()}, 1, "cannot read audio");
  TestAudio three;
  three.channels = 3;
  three.rate = 48000;
  three.samples.assign(3 * 100, 0.1f);
  ASSERT_TRUE(WriteTestAudio(dir / "three.wav", three));
  before = DirEntries(dir.Path());
  ExpectError({"render", dir / "three.wav", Out()}, 1, "3 channels");
}

TEST_F(CommandErrors, NonFiniteInputSamplesFailInsteadOfWritingGarbage) {
  TestAudio a;
  a.channels = 1;
  a.rate = 44100;
  a.samples.assign(3000, 0.1f);
  a.samples[2500] = std::numeric_limits<float>::quiet_NaN();
  ASSERT_TRUE(WriteTestAudio(dir / "nan.wav", a));
  before = DirEntries(dir.Path());
  // The first two blocks were already rendered when the third shows the NaN.
  ExpectError({"render", dir / "nan.wav", Out(), "--block", "1024"}, 1, "frame 2500");

  // Far into the file, in the right channel: the count goes on across blocks and reads.
  a.channels = 2;
  a.samples.assign(2 * 100000, 0.1f);
  a.samples[2 * 70001 + 1] = std::numeric_limits<float>::infinity();
  ASSERT_TRUE(WriteTestAudio(dir / "inf.wav", a));
  before = DirEntries(dir.Path());
  ExpectError({"render", dir / "inf.wav", Out(), "--block", "1000"}, 1, "frame 70001");
}

TEST_F(CommandErrors, MissingOrMalformedPresetsFail) {
  ExpectError({"render", In(), Out(), "--preset", dir / "none.aupreset"}, 1, "cannot read preset");
  ExpectError({"preset", "show", dir / "none.aupreset"}, 1, "cannot read preset");
  ExpectError({"render", In(), Out(), "--preset", dir.Path()}, 1, "is a directory");
  ExpectError({"preset", "show", dir.Path()}, 1, "is a directory");

  WriteText("text.aupreset", "version=1\n");
  ExpectError({"render", In(), Out(), "--preset", dir / "text.aupreset"}, 1, "malformed preset");
  ExpectError({"preset", "show", dir / "text.aupreset"}, 1, "malformed preset");

  const std::string head = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n";
  WriteText("array.aupreset", head + "<array><integer>1</integer></array></plist>\n");
  ExpectError({"render", In(), Out(), "--preset", dir / "array.aupreset"}, 1, "not a dictionary");

  const std::string keys =
      "<key>version</key><integer>131072</integer><key>type</key><integer>1635083896</integer>"
      "<key>subtype</key><integer>845953079</integer><key>manufacturer</key><integer>1181644644</integer>"
      "<key>name</key><string>Default</string>";
  WriteText("nodata.aupreset", head + "<dict>" + keys + "</dict></plist>\n");
  ExpectError({"render", In(), Out(), "--preset", dir / "nodata.aupreset"}, 1, "no \"data\"");

  // Nine doubles (72 zero bytes) where the unit has ten parameters.
  WriteText("short.aupreset", head + "<dict>" + keys + "<key>data</key><data>" +
                                  std::string(96, 'A') + "</data></dict></plist>\n");
  ExpectError({"render", In(), Out(), "--preset", dir / "short.aupreset"}, 1,
              "holds 9 parameter values");

  // Ten values made for another unit (subtype 'zzzz').
  std::string other = keys;
  other.replace(other.find("845953079"), 9, "2054847098");
  WriteText("other.aupreset", head + "<dict>" + other + "<key>data</key><data>" +
                                  std::string(104, 'A') + "AAA=" + "</data></dict></plist>\n");
  ExpectError({"render", In(), Out(), "--preset", dir / "other.aupreset"}, 1,
              "is for the component aufx/zzzz/Fnwd");
}

TEST_F(CommandErrors, ComponentsThatDoNotLoadOrInitializeFail) {
  ExpectError({"render", In(), Out(), "--component", dir / "Nothing.component"}, 1,
              "cannot load the component");
  ExpectError({"params", "--component", dir.Path()}, 1, "no Info.plist");
  // A bundle whose Contents/Info.plist is a directory.
  ASSERT_EQ(0, ::mkdir((dir / "Odd.component").c_str(), 0755));
  ASSERT_EQ(0, ::mkdir((dir / "Odd.component/Contents").c_str(), 0755));
  ASSERT_EQ(0, ::mkdir((dir / "Odd.component/Contents/Info.plist").c_str(), 0755));
  before = DirEntries(dir.Path());
  ExpectError({"info", "--component", dir / "Odd.component"}, 1, "no Info.plist");
  ExpectError({"render", In(), Out(), "--component", REFUSING_COMPONENT}, 1,
              "failed to initialize");
}

TEST_F(CommandErrors, AFailedRenderLeavesAnExistingOutputUntouched) {
  WriteText("out.wav", "previous take\n");
  ExpectError({"render", In(), Out(), "--set", "Gain=99"}, 2, "outside the range");
  ExpectError({"render", dir / "missing.wav", Out()}, 1, "cannot read audio");
  EXPECT_EQ("previous take\n", ReadWholeFile(Out()));
}

}  // namespace
