// The measured response against the equaliser's analytic response, computed here from the
// cookbook designs of the bands: at every frequency of the table, for several settings and
// sample rates, with and without oversampling.
#include "tests/cli/CliTestPaths.h"
#include "tests/cli/Cookbook.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using Complex = std::complex<double>;
const double kPi = 3.141592653589793;

// The parameters as the equaliser takes them; a level of exactly 0 dB leaves its band out.
struct Eq {
  int hpfHz = 0;  // 0: off
  double shelfHz = 35, shelfDb = 0;
  double mid1Hz = 240, mid1Db = 0;
  double mid2Hz = 2500, mid2Db = 0;
  double highDb = 0, gainDb = 0;
  bool oversample = false;

  std::vector<std::string> SetArgs() const {
    auto hz = [](double f) { return std::to_string(static_cast<int>(f)) + " Hz"; };
    std::vector<std::string> args = {"LoShelf Freq=" + hz(shelfHz),
                                     "LoShelf Level=" + std::to_string(shelfDb),
                                     "MF 1 Freq=" + hz(mid1Hz),
                                     "MF Level 1=" + std::to_string(mid1Db),
                                     "MF 2 Freq=" + hz(mid2Hz),
                                     "MF Level 2=" + std::to_string(mid2Db),
                                     "HiShelf Level=" + std::to_string(highDb),
                                     "Gain=" + std::to_string(gainDb),
                                     std::string("Oversample=") + (oversample ? "On" : "Off"),
                                     "HPF=" + (hpfHz ? hz(hpfHz) : std::string("Off"))};
    std::vector<std::string> out;
    for (const std::string& a : args) out.insert(out.end(), {"--set", a});
    return out;
  }

  // The chain at its filters' rate: each active band gets the input added in front of it at
  // its drive level (sin(x) = x for a quiet signal), then the output gain and output drive.
  // start is the signal entering the high-pass.
  Complex Chain(Complex start, double w, double bandRate) const {
    Complex v = start;
    if (hpfHz) v *= HighPass(hpfHz, std::sqrt(0.35), bandRate).At(w);
    if (shelfDb != 0) v = LowShelf(shelfHz, shelfDb, 1.0, bandRate).At(w) * (v + shelfDb / 60);
    if (mid1Db != 0)
      v = Peaking(mid1Hz, mid1Db, 0.5, bandRate).At(w) * (v + std::fabs(mid1Db / 80));
    if (mid2Db != 0)
      v = Peaking(mid2Hz, mid2Db, 0.5, bandRate).At(w) * (v + std::fabs(mid2Db / 80));
    if (highDb != 0)
      v = HighShelf(12000, highDb, std::sqrt(0.2), bandRate).At(w) * (v + std::fabs(highDb / 60));
    return std::exp(0.1151292546497 * gainDb) * v + (std::fabs(gainDb / 60) + 0.01);
  }

  double ExpectedDb(double hz, int rate) const {
    const double w = 2 * kPi * hz / rate;
    if (!oversample) return 20 * std::log10(std::abs(Chain(1.0, w, rate)));
    // Each sample runs through the chain twice at twice the rate, between the anti-alias
    // low-passes (cutoff pi/1.84 of the doubled rate), and the second result is kept: a hold
    // by two, the chain, and decimation by two keeping the odd samples, which together act
    // as G(w) = (P(w/2) + P(w/2 + pi)) / 2 with P(t) = H2(t) (1 + e^-jt) e^jt.
    auto P = [&](double t) {
      const Cookbook aa = LowPass(44100 / 1.84, std::sqrt(0.5), 88200);
      const Complex h2 = aa.At(t) * Chain(aa.At(t), t, 2.0 * rate);
      return h2 * (1.0 + std::polar(1.0, -t)) * std::polar(1.0, t);
    };
    return 20 * std::log10(std::abs((P(w / 2) + P(w / 2 + kPi)) / 2.0));
  }
};

// Runs 'tessor-eq response' with the setting and compares every line of its table.
void ExpectAnalyticResponse(const Eq& eq, int rate) {
  TempDir dir;
  std::vector<std::string> args = {"response",           dir / "r.png", "--rate",
                                   std::to_string(rate), "--csv",       dir / "r.csv"};
  const std::vector<std::string> set = eq.SetArgs();
  args.insert(args.end(), set.begin(), set.end());
  CommandResult r = TessorEq(args);
  ASSERT_EQ(0, r.exitCode) << r.err;
  EXPECT_EQ("\x89PNG", ReadWholeFile(dir / "r.png").substr(0, 4));

  std::istringstream csv(ReadWholeFile(dir / "r.csv"));
  std::string line;
  std::getline(csv, line);
  EXPECT_EQ("frequency_hz,gain_db", line);
  size_t rows = 0;
  double worst = 0, lastHz = 0;
  for (char comma; std::getline(csv, line); ++rows) {
    double hz = 0, db = 0;
    std::istringstream(line) >> hz >> comma >> db;
    EXPECT_NEAR(20 * std::pow(10.0, rows / 160.0), hz, 0.001) << line;
    worst = std::max(worst, std::fabs(db - eq.ExpectedDb(hz, rate)));
    lastHz = hz;
  }
  // Every step of 1/160 decade from 20 Hz up to 20 kHz or half the rate.
  EXPECT_EQ(rate >= 40000 ? 481u : static_cast<size_t>(160 * std::log10(rate / 40.0)) + 1, rows);
  EXPECT_LT(lastHz, rate / 2.0);
  // The measurement itself is good to a few thousandths of a dB; what is required is 0.1 dB.
  EXPECT_LT(worst, 0.01) << "largest difference in dB";
}

TEST(Response, FlatSettingsShowOnlyTheOutputDrive) {
  ExpectAnalyticResponse(Eq{}, 48000);  // 20 log10(1.01) = +0.086 dB everywhere
}

TEST(Response, EveryBandAtOnceAt44100Hz) {
  Eq eq;
  eq.hpfHz = 80;
  eq.shelfHz = 110, eq.shelfDb = -6;
  eq.mid1Hz = 400, eq.mid1Db = 6;
  eq.mid2Hz = 3150, eq.mid2Db = -4.5;
  eq.highDb = 3, eq.gainDb = -2;
  ExpectAnalyticResponse(eq, 44100);
}

TEST(Response, StrongCutsAndBoostsAt96000Hz) {
  Eq eq;
  eq.hpfHz = 300;
  eq.shelfDb = 12;
  eq.mid2Hz = 8000, eq.mid2Db = 10;
  eq.highDb = -20, eq.gainDb = 4;
  ExpectAnalyticResponse(eq, 96000);
}

TEST(Response, OversamplingAt32000HzEndsBelowHalfTheRate) {
  Eq eq;
  eq.mid1Hz = 1200, eq.mid1Db = 20;
  eq.highDb = -12, eq.gainDb = -6;
  eq.oversample = true;
  ExpectAnalyticResponse(eq, 32000);
}

}  // namespace
