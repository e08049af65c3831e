// Coefficients and Q conversions of rbjfilter, checked against the Audio EQ Cookbook
// worked out independently here in long double.
#include <gtest/gtest.h>

#include <cmath>

#include "tessor_eq/rbjfilter.h"

namespace {

struct Cookbook {
  long double b0, b1, b2, a0, a1, a2;
};

Cookbook Reference(EFilterType type, long double f0, long double dB, long double Q,
                   long double fs) {
  const long double pi = 3.14159265358979323846264338327950288L;
  const long double w0 = 2.0L * pi * f0 / fs;
  const long double cw = std::cos(w0), sw = std::sin(w0);
  const long double alpha = sw / (2.0L * Q);
  const long double A = std::pow(10.0L, dB / 40.0L);
  const long double sa = 2.0L * std::sqrt(A) * alpha;
  switch (type) {
    case kLowPass:
      return {(1 - cw) / 2, 1 - cw, (1 - cw) / 2, 1 + alpha, -2 * cw, 1 - alpha};
    case kHighPass:
      return {(1 + cw) / 2, -(1 + cw), (1 + cw) / 2, 1 + alpha, -2 * cw, 1 - alpha};
    case kBandPassSkirt:
      return {Q * alpha, 0, -Q * alpha, 1 + alpha, -2 * cw, 1 - alpha};
    case kBandPassPeak:
      return {alpha, 0, -alpha, 1 + alpha, -2 * cw, 1 - alpha};
    case kNotch:
      return {1, -2 * cw, 1, 1 + alpha, -2 * cw, 1 - alpha};
    case kAllPass:
      return {1 - alpha, -2 * cw, 1 + alpha, 1 + alpha, -2 * cw, 1 - alpha};
    case kLowShelf:
      return {A * ((A + 1) - (A - 1) * cw + sa), 2 * A * ((A - 1) - (A + 1) * cw),
              A * ((A + 1) - (A - 1) * cw - sa), (A + 1) + (A - 1) * cw + sa,
              -2 * ((A - 1) + (A + 1) * cw),     (A + 1) + (A - 1) * cw - sa};
    case kHighShelf:
      return {A * ((A + 1) + (A - 1) * cw + sa), -2 * A * ((A - 1) + (A + 1) * cw),
              A * ((A + 1) + (A - 1) * cw - sa), (A + 1) - (A - 1) * cw + sa,
              2 * ((A - 1) - (A + 1) * cw),      (A + 1) - (A - 1) * cw - sa};
    default:
      return {1 + alpha * A, -2 * cw, 1 - alpha * A, 1 + alpha / A, -2 * cw, 1 - alpha / A};
  }
}

rbjfilter Design(EFilterType type, double f0, double dB, double Q, long fs) {
  rbjfilter f;
  f.SetSampleRate(fs);
  f.SetFreq(f0);
  f.SetGain(dB);
  f.SetQ(Q);
  f.SetType(type);
  return f;
}

void ExpectMatchesCookbook(EFilterType type, double f0, double dB, double Q, long fs) {
  SCOPED_TRACE(testing::Message() << "type " << type << " f0 " << f0 << " gain " << dB << " Q " << Q
                                  << " fs " << fs);
  const rbjfilter f = Design(type, f0, dB, Q, fs);
  const Cookbook r = Reference(type, f0, dB, Q, fs);
  const rbjfilter::Coefficients c = f.GetCoefficients();
  const auto tol = [](long double v) {
    return 1e-12 * std::max(1.0, std::fabs(static_cast<double>(v)));
  };
  EXPECT_EQ(f.GetA0(), 1.0);
  EXPECT_NEAR(c.b0, r.b0 / r.a0, tol(r.b0 / r.a0));
  EXPECT_NEAR(c.b1, r.b1 / r.a0, tol(r.b1 / r.a0));
  EXPECT_NEAR(c.b2, r.b2 / r.a0, tol(r.b2 / r.a0));
  EXPECT_NEAR(c.a1, r.a1 / r.a0, tol(r.a1 / r.a0));
  EXPECT_NEAR(c.a2, r.a2 / r.a0, tol(r.a2 / r.a0));
}

}  // namespace

TEST(RbjFilterCoefficients, EveryTypeMatchesTheCookbookAtSeveralSettings) {
  const EFilterType types[] = {kLowPass, kHighPass, kBandPassSkirt, kBandPassPeak, kNotch,
                               kAllPass, kPeaking,  kLowShelf,      kHighShelf};
  for (EFilterType t : types) {
    ExpectMatchesCookbook(t, 1000.0, 6.0, 0.7, 44100);
    ExpectMatchesCookbook(t, 150.0, -12.0, 2.0, 48000);
    ExpectMatchesCookbook(t, 8000.0, 3.5, 0.5, 96000);
    ExpectMatchesCookbook(t, 35.0, 20.0, 1.0, 88200);
  }
}

TEST(RbjFilterCoefficients, FreshFilterIsAUnityPeakingBandAt1kHz) {
  rbjfilter f;
  EXPECT_EQ(f.GetType(), kPeaking);
  EXPECT_EQ(f.GetFreq(), 1000.0);
  EXPECT_EQ(f.GetGain(), 0.0);
  EXPECT_EQ(f.GetQ(), 1.0);
  EXPECT_EQ(f.GetSampleRate(), 44100);
  EXPECT_EQ(f.GetA(), 1.0);
  const rbjfilter::Coefficients c = f.GetCoefficients();
  // At 0 dB numerator and denominator are the same polynomial.
  EXPECT_NEAR(c.b0, 1.0, 1e-15);
  EXPECT_EQ(c.b1, c.a1);
  EXPECT_NEAR(c.b2, c.a2, 1e-15);
}

TEST(RbjFilterCoefficients, TypesOutsideTheEnumerationDesignTheBell) {
  const rbjfilter bell = Design(kPeaking, 2500.0, -7.5, 1.3, 48000);
  for (int raw : {9, -1, 1000}) {
    const rbjfilter odd = Design(static_cast<EFilterType>(raw), 2500.0, -7.5, 1.3, 48000);
    const rbjfilter::Coefficients a = bell.GetCoefficients(), b = odd.GetCoefficients();
    EXPECT_EQ(a.b0, b.b0) << raw;
    EXPECT_EQ(a.b1, b.b1) << raw;
    EXPECT_EQ(a.b2, b.b2) << raw;
    EXPECT_EQ(a.a1, b.a1) << raw;
    EXPECT_EQ(a.a2, b.a2) << raw;
  }
}

TEST(RbjFilterCoefficients, GainSetsTheAmplitudeFactorPerFamily) {
  rbjfilter f = Design(kNotch, 1000.0, 6.0, 1.0, 48000);
  EXPECT_NEAR(f.GetA(), std::pow(10.0, 6.0 / 20.0), 1e-14);
  f.SetType(kLowShelf);
  EXPECT_NEAR(f.GetA(), std::pow(10.0, 6.0 / 40.0), 1e-14);
  f.SetType(kLowPass);
  EXPECT_EQ(f.GetA(), 1.0);
}

TEST(RbjFilterSlope, SlopeAtUnityGainGivesQOfRootHalfSlope) {
  rbjfilter f;
  f.SetType(kLowShelf);
  f.SetS(2.0);
  EXPECT_DOUBLE_EQ(f.GetQ(), 1.0);
  f.SetS(1.0);
  EXPECT_DOUBLE_EQ(f.GetQ(), 1.0 / std::sqrt(2.0));
  f.SetType(kHighPass);
  f.SetS(0.7);
  EXPECT_DOUBLE_EQ(f.GetQ(), std::sqrt(0.35));
  EXPECT_DOUBLE_EQ(f.GetS(), 0.7);
}

TEST(RbjFilterSlope, SlopeUsesTheGainAtTheTimeOfTheCallAndKeepsQAfterwards) {
  rbjfilter f;
  f.SetType(kHighShelf);
  f.SetGain(6.0);
  f.SetS(0.5);
  // 1/Q^2 = (A + 1/A)(1/S - 1) + 2 with S = 0.5 is (sqrt(A) + 1/sqrt(A))^2.
  const double rootA = std::pow(10.0, 6.0 / 80.0);
  EXPECT_NEAR(f.GetQ(), 1.0 / (rootA + 1.0 / rootA), 1e-15);
  const double q = f.GetQ();
  f.SetGain(-15.0);
  f.SetFreq(5000.0);
  f.SetSampleRate(96000);
  EXPECT_EQ(f.GetQ(), q);

  // Low- and high-pass ignore the gain in the conversion.
  rbjfilter hp;
  hp.SetType(kHighPass);
  hp.SetGain(12.0);
  hp.SetS(2.0);
  EXPECT_DOUBLE_EQ(hp.GetQ(), 1.0);
}

TEST(RbjFilterBandwidth, OctavesConvertToTheAnalogQAtLowFrequencies) {
  rbjfilter f;
  f.SetSampleRate(48000);
  f.SetFreq(50.0);
  f.SetBW(1.0);  // one octave is Q = sqrt(2) for the analog prototype
  EXPECT_NEAR(f.GetQ(), std::sqrt(2.0), 1e-4);
  f.SetBW(2.0);  // 1 / (2 sinh(ln 2)) = 2/3
  EXPECT_NEAR(f.GetQ(), 2.0 / 3.0, 1e-4);
  EXPECT_EQ(f.GetBW(), 2.0);
}

TEST(RbjFilterBandwidth, HighFrequenciesWidenTheDigitalBandAsTheCookbookPrewarps) {
  rbjfilter f;
  f.SetSampleRate(48000);
  f.SetFreq(10000.0);
  f.SetBW(1.0);
  const double w0 = 2.0 * M_PI * 10000.0 / 48000.0;
  const double expectedAlpha =
      std::sin(w0) * std::sinh(std::log(2.0) / 2.0 * 1.0 * w0 / std::sin(w0));
  EXPECT_NEAR(f.GetAlpha(), expectedAlpha, 1e-14);
  EXPECT_LT(f.GetQ(), std::sqrt(2.0));
  // A later change of frequency keeps the converted Q.
  const double q = f.GetQ();
  f.SetFreq(100.0);
  EXPECT_EQ(f.GetQ(), q);
}
