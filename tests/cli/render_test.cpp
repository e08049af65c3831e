// Rendering audio files through the component with the built command, compared sample by
// sample with the equaliser's arithmetic computed independently here.
#include "tests/cli/AudioFixtures.h"
#include "tests/cli/CliTestPaths.h"
#include "tests/cli/Cookbook.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

// Deterministic noise in -1.4..1.4, so that some samples exceed full scale and the drive
// term's clip to +-1 matters.
TestAudio Noise(int channels, int rate, size_t frames, uint32_t seed) {
  TestAudio a;
  a.channels = channels;
  a.rate = rate;
  uint32_t s = seed;
  for (size_t i = 0; i < frames * static_cast<size_t>(channels); ++i) {
    s = s * 1664525u + 1013904223u;
    a.samples.push_back(static_cast<float>((static_cast<double>(s >> 8) / 16777216.0 - 0.5) * 2.8));
  }
  return a;
}

double Drive(double x) { return std::sin(std::min(1.0, std::max(-1.0, x))); }

// Direct form I, one sample at a time.
struct Biquad {
  Cookbook k;
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  explicit Biquad(const Cookbook& c) : k(c) {}
  double operator()(double x) {
    double y = k.b0 * x + k.b1 * x1 + k.b2 * x2 - k.a1 * y1 - k.a2 * y2;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    return y;
  }
};

void ExpectSignal(const TestAudio& out, const TestAudio& in,
                  const std::function<double(int channel, double x)>& expected, double tolerance) {
  ASSERT_EQ(in.channels, out.channels);
  ASSERT_EQ(in.rate, out.rate);
  ASSERT_EQ(in.Frames(), out.Frames());
  ASSERT_EQ(SF_FORMAT_WAV | SF_FORMAT_FLOAT, out.format);
  size_t mismatches = 0;
  for (size_t i = 0; i < in.Frames(); ++i)
    for (int c = 0; c < in.channels; ++c) {
      double want = expected(c, in.At(i, c));
      if (std::fabs(out.At(i, c) - want) > tolerance * std::max(1.0, std::fabs(want)) &&
          mismatches++ < 5)
        ADD_FAILURE() << "frame " << i << " channel " << c << ": got " << out.At(i, c) << ", want "
                      << want;
    }
  EXPECT_EQ(0u, mismatches);
}

// One float rounding of the result, plus a little.
const double kFloatRounding = 1.5e-7;

TEST(Render, FlatSettingsAddOnlyTheOutputDriveToEachChannel) {
  TempDir dir;
  TestAudio in = Noise(2, 48000, 5003, 7);  // not a multiple of the block
  ASSERT_TRUE(WriteTestAudio(dir / "in.wav", in));
  CommandResult r = TessorEq({"render", dir / "in.wav", dir / "out.wav", "--block", "256"});
  ASSERT_EQ(0, r.exitCode) << r.err;
  EXPECT_EQ("", r.err);
  ExpectSignal(
      ReadTestAudio(dir / "out.wav"), in, [](int, double x) { return x + 0.01 * Drive(x); },
      kFloatRounding);
}

TEST(Render, OutputGainScalesTheSignalAndRaisesTheDrive) {
  TempDir dir;
  TestAudio in = Noise(1, 44100, 3000, 11);
  ASSERT_TRUE(WriteTestAudio(dir / "in.wav", in));
  CommandResult r = TessorEq({"render", dir / "in.wav", dir / "out.wav", "--set", "Gain=-6"});
  ASSERT_EQ(0, r.exitCode) << r.err;
  const double gain = std::exp(0.1151292546497 * -6.0);
  ExpectSignal(
      ReadTestAudio(dir / "out.wav"), in,
      [gain](int, double x) { return gain * x + (6.0 / 60 + 0.01) * Drive(x); }, kFloatRounding);
}

TEST(Render, ActiveBandsMatchIndependentCookbookBiquads) {
  TempDir dir;
  const double rate = 44100;
  TestAudio in = Noise(1, static_cast<int>(rate), 20000, 3);
  ASSERT_TRUE(WriteTestAudio(dir / "in.wav", in));
  CommandResult r =
      TessorEq({"render", dir / "in.wav", dir / "out.wav", "--set", "LoShelf Freq=110 Hz", "--set",
                "LoShelf Level=-6", "--set", "MF 1 Freq=400 Hz", "--set", "MF Level 1=6"});
  ASSERT_EQ(0, r.exitCode) << r.err;
  // Low shelf (slope 2 at 0 dB gives Q 1), then the first mid band (Q 0.5); a shelf's drive
  // is signed (-6/60), a mid band's is not (|6/80|).
  Biquad shelf(LowShelf(110, -6, 1.0, rate));
  Biquad mid(Peaking(400, 6, 0.5, rate));
  // Stated tolerance: the unit and this reference round differently over the recursion.
  ExpectSignal(
      ReadTestAudio(dir / "out.wav"), in,
      [&](int, double x) {
        double d = Drive(x);
        double v = shelf(x - 0.1 * d);
        v = mid(v + 0.075 * d);
        return v + 0.01 * d;
      },
      2e-6);
}

TEST(Render, BlockLengthDoesNotChangeTheResult) {
  TempDir dir;
  TestAudio in = Noise(2, 44100, 140000, 5);  // longer than the pieces the files move in
  ASSERT_TRUE(WriteTestAudio(dir / "in.wav", in));
  std::vector<std::string> eq = {"--set",        "HPF=80 Hz", "--set",
                                 "MF Level 2=5", "--set",     "HiShelf Level=-4"};
  std::vector<std::string> a = {"render", dir / "in.wav", dir / "a.wav", "--block", "7"};
  std::vector<std::string> b = {"render", dir / "in.wav", dir / "b.wav", "--block", "4096"};
  a.insert(a.end(), eq.begin(), eq.end());
  b.insert(b.end(), eq.begin(), eq.end());
  ASSERT_EQ(0, TessorEq(a).exitCode);
  ASSERT_EQ(0, TessorEq(b).exitCode);
  TestAudio outA = ReadTestAudio(dir / "a.wav"), outB = ReadTestAudio(dir / "b.wav");
  ASSERT_EQ(in.samples.size(), outA.samples.size());
  EXPECT_TRUE(outA.samples == outB.samples);
  EXPECT_FALSE(outA.samples == in.samples);
}

TEST(Render, OutputFormatFollowsTheExtensionAtTheInputRateAndChannels) {
  TempDir dir;
  TestAudio in = Noise(1, 22050, 4000, 9);
  for (float& s : in.samples) s *= 0.5f;  // within full scale, as FLAC holds it
  ASSERT_TRUE(WriteTestAudio(dir / "in.flac", in, SF_FORMAT_FLAC | SF_FORMAT_PCM_24));
  ASSERT_EQ(0, TessorEq({"render", dir / "in.flac", dir / "out.aiff"}).exitCode);
  ASSERT_EQ(0, TessorEq({"render", dir / "in.flac", dir / "out.flac"}).exitCode);
  ASSERT_EQ(0, TessorEq({"render", dir / "in.flac", dir / "out.ogg"}).exitCode);

  TestAudio aiff = ReadTestAudio(dir / "out.aiff");
  EXPECT_EQ(SF_FORMAT_AIFF | SF_FORMAT_FLOAT, aiff.format);
  TestAudio flac = ReadTestAudio(dir / "out.flac");
  EXPECT_EQ(SF_FORMAT_FLAC | SF_FORMAT_PCM_24, flac.format);
  TestAudio ogg = ReadTestAudio(dir / "out.ogg");
  EXPECT_EQ(SF_FORMAT_OGG | SF_FORMAT_VORBIS, ogg.format);
  for (const TestAudio* out : {&aiff, &flac, &ogg}) {
    EXPECT_EQ(22050, out->rate);
    EXPECT_EQ(1, out->channels);
    EXPECT_EQ(in.Frames(), out->Frames());
  }
  // The FLAC input was read as 24-bit integers; the float AIFF keeps the render exactly, the
  // 24-bit FLAC output within one step of 2^-23.
  TestAudio read = ReadTestAudio(dir / "in.flac");
  for (size_t i = 0; i < read.Frames(); i += 97) {
    double want = read.samples[i] + 0.01 * Drive(read.samples[i]);
    EXPECT_NEAR(want, aiff.samples[i], kFloatRounding);
    EXPECT_NEAR(want, flac.samples[i], 1.5 / 8388608.0);
  }
}

}  // namespace
