// Magnitude responses of rbjfilter measured by filtering sine waves.
#include <gtest/gtest.h>

#include <cmath>

#include "tessor_eq/rbjfilter.h"

namespace {

const long kRate = 48000;

// Runs a unit sine through a copy of the filter long enough to settle, then measures the
// output amplitude by correlation over whole periods. Returns the gain in dB.
double MeasureDb(rbjfilter f, double hz) {
  const double w = 2.0 * M_PI * hz / kRate;
  const int settle = kRate;  // one second
  const int cycles = std::max(20, static_cast<int>(hz / 5.0));
  const int n = static_cast<int>(std::lround(cycles * kRate / hz));
  for (int i = 0; i < settle; ++i) {
    double x = std::sin(w * i);
    f.Process(x);
  }
  double s = 0.0, c = 0.0;
  for (int i = settle; i < settle + n; ++i) {
    double x = std::sin(w * i);
    f.Process(x);
    s += x * std::sin(w * i);
    c += x * std::cos(w * i);
  }
  const double amp = 2.0 * std::sqrt(s * s + c * c) / n;
  return 20.0 * std::log10(amp);
}

rbjfilter Design(EFilterType type, double f0, double dB, double Q) {
  rbjfilter f;
  f.SetSampleRate(kRate);
  f.SetType(type);
  f.SetFreq(f0);
  f.SetGain(dB);
  f.SetQ(Q);
  return f;
}

}  // namespace

TEST(RbjFilterResponse, PeakingBandReachesItsGainAtTheCentre) {
  for (double dB : {-20.0, -6.0, 3.0, 12.0, 20.0}) {
    EXPECT_NEAR(MeasureDb(Design(kPeaking, 1000.0, dB, 0.5), 1000.0), dB, 0.02) << dB;
    EXPECT_NEAR(MeasureDb(Design(kPeaking, 240.0, dB, 2.0), 240.0), dB, 0.02) << dB;
  }
  // Far from the centre the bell returns to unity.
  EXPECT_NEAR(MeasureDb(Design(kPeaking, 1000.0, 12.0, 2.0), 20000.0), 0.0, 0.3);
}

TEST(RbjFilterResponse, ShelvesHaveTheirGainOnOnePlateauAndUnityOnTheOther) {
  rbjfilter low = Design(kLowShelf, 220.0, 9.0, 1.0);
  EXPECT_NEAR(MeasureDb(low, 20.0), 9.0, 0.1);
  EXPECT_NEAR(MeasureDb(low, 220.0), 4.5, 0.05);  // half the gain at the corner
  EXPECT_NEAR(MeasureDb(low, 10000.0), 0.0, 0.05);

  rbjfilter high = Design(kHighShelf, 2000.0, -12.0, 1.0);
  EXPECT_NEAR(MeasureDb(high, 50.0), 0.0, 0.05);
  EXPECT_NEAR(MeasureDb(high, 2000.0), -6.0, 0.05);
  EXPECT_NEAR(MeasureDb(high, 20000.0), -12.0, 0.2);
}

TEST(RbjFilterResponse, HighAndLowPassCornersSitAtQ) {
  const double q = 1.0 / std::sqrt(2.0);
  rbjfilter hp = Design(kHighPass, 300.0, 0.0, q);
  EXPECT_NEAR(MeasureDb(hp, 300.0), 20.0 * std::log10(q), 0.02);  // -3.01 dB
  EXPECT_NEAR(MeasureDb(hp, 30.0), -40.0, 0.5);                   // two poles: 12 dB/oct
  EXPECT_NEAR(MeasureDb(hp, 10000.0), 0.0, 0.02);

  rbjfilter lp = Design(kLowPass, 5000.0, 0.0, 2.0);
  EXPECT_NEAR(MeasureDb(lp, 5000.0), 20.0 * std::log10(2.0), 0.02);
  EXPECT_NEAR(MeasureDb(lp, 100.0), 0.0, 0.02);
}

TEST(RbjFilterResponse, BandPassNotchAndAllPassAtTheCentre) {
  EXPECT_NEAR(MeasureDb(Design(kBandPassPeak, 1000.0, 0.0, 3.0), 1000.0), 0.0, 0.02);
  EXPECT_NEAR(MeasureDb(Design(kBandPassSkirt, 1000.0, 0.0, 3.0), 1000.0), 20.0 * std::log10(3.0),
              0.02);
  EXPECT_LT(MeasureDb(Design(kNotch, 1000.0, 0.0, 3.0), 1000.0), -60.0);
  EXPECT_NEAR(MeasureDb(Design(kNotch, 1000.0, 0.0, 3.0), 100.0), 0.0, 0.05);
  for (double hz : {60.0, 1000.0, 9000.0})
    EXPECT_NEAR(MeasureDb(Design(kAllPass, 1000.0, 0.0, 3.0), hz), 0.0, 0.02) << hz;
}

TEST(RbjFilterResponse, OneOctaveBandwidthPutsTheHalfPowerPointsAnOctaveApart) {
  rbjfilter bp;
  bp.SetSampleRate(kRate);
  bp.SetType(kBandPassPeak);
  bp.SetFreq(2000.0);
  bp.SetBW(1.0);
  // Bisect for the half-power frequency between a point inside and one outside the band.
  const auto edge = [&](double inside, double outside) {
    for (int i = 0; i < 24; ++i) {
      const double mid = std::sqrt(inside * outside);
      (MeasureDb(bp, mid) > -3.0103 ? inside : outside) = mid;
    }
    return std::sqrt(inside * outside);
  };
  const double lo = edge(2000.0, 500.0);
  const double hi = edge(2000.0, 8000.0);
  EXPECT_NEAR(std::log2(hi / lo), 1.0, 0.01);
}
