// The command's own parts in process: option parsing, parameter and value lookup, the
// progress line and the writer's all-or-nothing output.
#include "cli/Args.h"
#include "cli/AudioFile.h"
#include "cli/CliError.h"
#include "cli/DeclaredFrames.h"
#include "cli/ParamLookup.h"
#include "cli/Progress.h"
#include "cli/ResponsePlot.h"
#include "raster/bitmap/Raster_SysBitmap.h"
#include "tests/cli/AudioFixtures.h"
#include "tests/cli/CommandRunner.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>

namespace {

using cli::CliError;

int ExitOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const CliError& e) {
    return e.ExitCode();
  }
  return 0;
}

std::vector<cli::ParamInfo> Params() {
  cli::ParamInfo hpf;
  hpf.id = 0;
  hpf.name = "HPF";
  hpf.unit = kAudioUnitParameterUnit_Indexed;
  hpf.maxValue = 5;
  hpf.valueStrings = {"Off", "30 Hz", "50 Hz", "80 Hz", "160 Hz", "300 Hz"};
  cli::ParamInfo level;
  level.id = 4;
  level.name = "MF Level 1";
  level.unit = kAudioUnitParameterUnit_CustomUnit;
  level.unitName = "dB";
  level.minValue = -20;
  level.maxValue = 20;
  cli::ParamInfo mf2 = level;
  mf2.id = 6;
  mf2.name = "MF Level 2";
  return {hpf, level, mf2};
}

TEST(ArgsParsing, TakesBothOptionSpellingsRepeatsAndEndOfOptions) {
  cli::ParsedArgs p =
      cli::ParseArgs({"a", "--set", "x=1", "--block=64", "--set=y=2", "--", "--set"},
                     {{"set", true, true}, {"block", true, false}});
  EXPECT_EQ((std::vector<std::string>{"a", "--set"}), p.positional);
  EXPECT_EQ((std::vector<std::string>{"x=1", "y=2"}), p.Values("set"));
  EXPECT_EQ("64", p.Value("block"));
  EXPECT_FALSE(p.help);
  EXPECT_TRUE(cli::ParseArgs({"-h"}, {}).help);
  for (auto spelling : std::vector<std::vector<std::string>>{{"-j", "3"}, {"-j3"}, {"--jobs=3"}})
    EXPECT_EQ("3", cli::ParseArgs(spelling, {{"jobs", true, false, 'j'}}).Value("jobs"));
  EXPECT_EQ(2, ExitOf([] { cli::ParseArgs({"-k3"}, {{"jobs", true, false, 'j'}}); }));
}

TEST(ArgsParsing, BlockSizesOutsideTheRangeAreUsageErrors) {
  EXPECT_EQ(64u, cli::ParseBlockSize("64", 65536));
  EXPECT_EQ(65536u, cli::ParseBlockSize("65536", 65536));
  for (const char* bad : {"0", "-5", "+5", "65537", "1e3", "", "99999999999999999999"})
    EXPECT_EQ(2, ExitOf([&] { cli::ParseBlockSize(bad, 65536); })) << bad;
}

TEST(ParamLookup, FindsNamesInAnyCaseWithOrWithoutSpacesAndByIndex) {
  auto params = Params();
  EXPECT_EQ(4u, cli::FindParam(params, "mf level 1").id);
  EXPECT_EQ(4u, cli::FindParam(params, "MFLevel1").id);
  EXPECT_EQ(6u, cli::FindParam(params, " mf_level_2 ").id);
  EXPECT_EQ(6u, cli::FindParam(params, "6").id);
  EXPECT_EQ(2, ExitOf([&] { cli::FindParam(params, "5"); }));
  EXPECT_EQ(2, ExitOf([&] { cli::FindParam(params, "MF Level"); }));
}

TEST(ParamLookup, ValuesAreDisplayTextsOrNumbersInTheParametersUnit) {
  auto params = Params();
  EXPECT_EQ(3.0f, cli::ParseParamValue(params[0], "80 Hz"));
  EXPECT_EQ(3.0f, cli::ParseParamValue(params[0], "80hz"));
  EXPECT_EQ(0.0f, cli::ParseParamValue(params[0], "OFF"));
  EXPECT_EQ(5.0f, cli::ParseParamValue(params[0], "5"));
  EXPECT_EQ(-3.5f, cli::ParseParamValue(params[1], "-3.5"));
  EXPECT_EQ(6.0f, cli::ParseParamValue(params[1], "6 dB"));
  EXPECT_EQ(20.0f, cli::ParseParamValue(params[1], "20"));
  for (const char* bad : {"6 Hz", "", "inf", "20.01", "1,5"})
    EXPECT_EQ(2, ExitOf([&] { cli::ParseParamValue(params[1], bad); })) << bad;
  for (const char* bad : {"6", "1.5", "-1", "90 Hz"})
    EXPECT_EQ(2, ExitOf([&] { cli::ParseParamValue(params[0], bad); })) << bad;
}

TEST(ParamLookup, SettingsSplitAtTheFirstEqualsSign) {
  cli::Setting s = cli::ParseSetting(Params(), "MF Level 2=-7.25");
  EXPECT_EQ(6u, s.id);
  EXPECT_EQ(-7.25f, s.value);
  EXPECT_EQ(2, ExitOf([] { cli::ParseSetting(Params(), "MF Level 2"); }));
}

TEST(ParamLookup, OnePairOfQuotesAroundANameOrValueIsNotPartOfIt) {
  cli::Setting s = cli::ParseSetting(Params(), "HPF=\"80 Hz\"");
  EXPECT_EQ(0u, s.id);
  EXPECT_EQ(3.0f, s.value);
  s = cli::ParseSetting(Params(), "'MF Level 1' = '-3'");
  EXPECT_EQ(4u, s.id);
  EXPECT_EQ(-3.0f, s.value);
  // Unbalanced quotes stay part of the text, which then matches nothing.
  EXPECT_EQ(2, ExitOf([] { cli::ParseSetting(Params(), "HPF=\"80 Hz"); }));
}

TEST(ProgressLine, FillsInProportionAndClampsAtTheEnds) {
  EXPECT_EQ("render [          ]   0%", cli::ProgressBar::Line("render", 0, 400, 10));
  EXPECT_EQ("render [#####     ]  50%", cli::ProgressBar::Line("render", 200, 400, 10));
  EXPECT_EQ("render [##########] 100%", cli::ProgressBar::Line("render", 900, 400, 10));
  EXPECT_EQ("render 1234 frames", cli::ProgressBar::Line("render", 1234, 0, 10));
}

TEST(AudioWriterOutput, AppearsOnlyOnCommitAndReplacesAnOldFile) {
  TempDir dir;
  const std::string path = dir / "x.wav";
  std::vector<float> left(100, 0.5f), right(100, -0.5f);
  const float* channels[2] = {left.data(), right.data()};
  {
    cli::AudioWriter writer(path, 2, 44100);
    writer.Write(channels, 100);
  }
  EXPECT_FALSE(FileExists(path));
  EXPECT_EQ(0, std::system(("test -z \"$(ls -A '" + dir.Path() + "')\"").c_str()))
      << "temporary file left";
  {
    std::ofstream(path) << "old";
    cli::AudioWriter writer(path, 2, 44100);
    writer.Write(channels, 100);
    writer.Commit();
  }
  cli::AudioReader reader(path);
  EXPECT_EQ(2, reader.Channels());
  EXPECT_EQ(100, reader.Frames());
  std::vector<float> l(200), r(200);
  float* out[2] = {l.data(), r.data()};
  EXPECT_EQ(100u, reader.Read(out, 200));
  EXPECT_EQ(0.5f, l[99]);
  EXPECT_EQ(-0.5f, r[0]);
}

TEST(DeclaredFrames, HeadersKeepTheirPromiseWhenTheFileIsCutShort) {
  TempDir dir;
  TestAudio a;
  a.channels = 2;
  a.rate = 22050;
  a.samples.assign(2 * 1000, 0.5f);
  const std::pair<const char*, int> kinds[] = {{"a.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_24},
                                               {"a.aiff", SF_FORMAT_AIFF | SF_FORMAT_FLOAT},
                                               {"a.w64", SF_FORMAT_W64 | SF_FORMAT_PCM_16},
                                               {"a.au", SF_FORMAT_AU | SF_FORMAT_DOUBLE}};
  for (const auto& kind : kinds) {
    SCOPED_TRACE(kind.first);
    const std::string path = dir / kind.first;
    ASSERT_TRUE(WriteTestAudio(path, a, kind.second));
    EXPECT_EQ(1000, cli::DeclaredFrames(path));
    EXPECT_EQ(0, ExitOf([&] { cli::AudioReader reader(path); }));
    struct stat st;
    ASSERT_EQ(0, ::stat(path.c_str(), &st));
    ASSERT_EQ(0, ::truncate(path.c_str(), st.st_size - 100));
    EXPECT_EQ(1000, cli::DeclaredFrames(path));
    EXPECT_EQ(1, ExitOf([&] { cli::AudioReader reader(path); }));
  }
  // A streaming writer's placeholder length (0xFFFFFFFF) promises nothing.
  const std::string wav = dir / "a.wav";
  ASSERT_TRUE(WriteTestAudio(wav, a, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
  std::string bytes = ReadWholeFile(wav);
  ASSERT_EQ("data", bytes.substr(36, 4));
  bytes.replace(40, 4, "\xff\xff\xff\xff");
  std::ofstream(wav, std::ios::binary) << bytes;
  EXPECT_EQ(-1, cli::DeclaredFrames(wav));
  EXPECT_EQ(0, ExitOf([&] { cli::AudioReader reader(wav); }));
  EXPECT_EQ(-1, cli::DeclaredFrames(dir / "none.wav"));
}

// Finds the drawn curve in one column: the rows whose pixel is at least half curve colour
// (its blue leads its red by more than half of the curve's own lead).
std::vector<int> CurveRows(Raster_IBitmap* bitmap, int x) {
  Raster_RowView view(bitmap);
  std::vector<int> rows;
  const int lead = Raster_GetB(cli::kCurveColor) - Raster_GetR(cli::kCurveColor);
  for (int y = 0; y < view.h; ++y) {
    const Raster_PixelValue p = view.row(y)[x];
    if (Raster_GetB(p) - Raster_GetR(p) > lead / 2) rows.push_back(y);
  }
  return rows;
}

TEST(ResponsePicture, TheCurvePassesThroughEveryLevelAtItsFrequencyIsSmoothedAndLabelled) {
  cli::MeasuredResponse response;
  response.rate = 48000;
  for (double hz : cli::ResponseFrequencies(48000))  // a bell of +15 dB at 1 kHz
    response.points.push_back({hz, 15.0 / (1 + std::pow(std::log2(hz / 1000), 2))});
  Raster_SysBitmap bitmap(cli::kResponseWidth, cli::kResponseHeight);
  cli::DrawResponse(&bitmap, response);

  const cli::ResponseAxes axes = cli::ChooseAxes(response.points);
  EXPECT_EQ(-24, axes.minDb);
  EXPECT_EQ(24, axes.maxDb);
  for (size_t i = 5; i + 1 < response.points.size(); i += 25) {
    SCOPED_TRACE(response.points[i].hz);
    const int x = static_cast<int>(std::lround(axes.X(response.points[i].hz)));
    const std::vector<int> rows = CurveRows(&bitmap, x);
    ASSERT_FALSE(rows.empty());
    // Two pixels wide around the level (found to within half a pixel by the half-colour
    // rule), a little wider where the curve is steep.
    EXPECT_NEAR(axes.Y(response.points[i].db), (rows.front() + rows.back()) / 2.0, 0.75);
    EXPECT_LE(rows.back() - rows.front(), 3);
  }
  // Anti-aliased: along a sloped stretch some pixels are only partly curve colour.
  Raster_RowView view(&bitmap);
  int partial = 0;
  const int x300 = static_cast<int>(axes.X(300)), x700 = static_cast<int>(axes.X(700));
  for (int x = x300; x < x700; ++x)
    for (int y = axes.top; y < axes.top + axes.height; ++y) {
      const int blue = Raster_GetB(view.row(y)[x]);
      partial += blue > 200 && blue < 245 && Raster_GetR(view.row(y)[x]) > 60;
    }
  EXPECT_GT(partial, x700 - x300);
  // Grey text left of the plot (the level scale), above it (the title) and below it (the
  // frequencies and the caption).
  auto ink = [&](int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x)
        n += Raster_GetR(view.row(y)[x]) < 128 && Raster_GetB(view.row(y)[x]) < 128;
    return n;
  };
  EXPECT_GT(ink(0, axes.top, axes.left - 2, axes.top + axes.height), 100);
  EXPECT_GT(ink(axes.left, 0, cli::kResponseWidth, axes.top - 2), 100);
  EXPECT_GT(ink(0, axes.top + axes.height + 2, cli::kResponseWidth, cli::kResponseHeight), 100);
}

TEST(ResponsePicture, TheLevelAxisGrowsInGridStepsToHoldTheCurve) {
  auto axesFor = [](double low, double high) {
    return cli::ChooseAxes({{20, low}, {1000, 0}, {20000, high}});
  };
  const cli::ResponseAxes deep = axesFor(-40, 3);
  EXPECT_EQ(-48, deep.minDb);
  EXPECT_EQ(24, deep.maxDb);
  EXPECT_EQ(12, deep.gridDb);
  const cli::ResponseAxes high = axesFor(-2, 30);
  EXPECT_EQ(-24, high.minDb);
  EXPECT_EQ(36, high.maxDb);
  EXPECT_EQ(6, high.gridDb);
  const cli::ResponseAxes extreme = axesFor(-200, 90);  // runs off both edges
  EXPECT_EQ(-72, extreme.minDb);
  EXPECT_EQ(48, extreme.maxDb);
}

}  // namespace
