// Sample processing of rbjfilter: the recursion, subnormal flushing and channel memories.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <random>
#include <vector>

#include "tessor_eq/rbjfilter.h"

namespace {

bool ZeroOrNormal(double v) { return v == 0.0 || std::fabs(v) >= DBL_MIN; }

std::vector<double> Noise(int n, unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> u(-1.0, 1.0);
  std::vector<double> v(n);
  for (double& x : v) x = u(rng);
  return v;
}

rbjfilter Bell(double f0, double dB, double q) {
  rbjfilter f;
  f.SetFreq(f0);
  f.SetGain(dB);
  f.SetQ(q);
  return f;
}

}  // namespace

TEST(RbjFilterProcess, FollowsTheDirectFormOneRecursion) {
  rbjfilter f = Bell(800.0, 9.0, 1.5);
  const rbjfilter::Coefficients c = f.GetCoefficients();
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  for (double x : Noise(500, 1)) {
    const double expected = c.b0 * x + c.b1 * x1 + c.b2 * x2 - c.a1 * y1 - c.a2 * y2;
    double io = x;
    f.Process(io);
    ASSERT_EQ(io, expected);
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = expected;
  }
  const rbjfilter::Memories m = f.GetMemories(0);
  EXPECT_EQ(m.x1, x1);
  EXPECT_EQ(m.x2, x2);
  EXPECT_EQ(m.y1, y1);
  EXPECT_EQ(m.y2, y2);
}

TEST(RbjFilterProcess, UnityGainBandsPassTheSignal) {
  rbjfilter fresh;
  rbjfilter low;
  low.SetType(kLowShelf);
  low.SetFreq(110.0);
  low.SetS(2.0);
  rbjfilter high;
  high.SetType(kHighShelf);
  high.SetFreq(12000.0);
  high.SetS(0.4);
  for (double x : Noise(2000, 2)) {
    double a = x, b = x, c = x;
    fresh.Process(a);
    low.Process(b);
    high.Process(c);
    ASSERT_NEAR(a, x, 1e-12);
    ASSERT_NEAR(b, x, 1e-11);  // low corner: coefficients cancel closely
    ASSERT_NEAR(c, x, 1e-12);
  }
}

TEST(RbjFilterProcess, SignalDecaysToExactlyPositiveZeroWithoutSubnormals) {
  rbjfilter f;
  f.SetType(kLowPass);
  f.SetFreq(150.0);
  f.SetQ(2.0);  // slow, ringing decay
  for (double x : Noise(1000, 3)) f.Process(x);
  bool reachedZero = false;
  for (int i = 0; i < 1000000; ++i) {
    double l = 0.0, r = 0.0;
    f.Process(l, r);
    ASSERT_TRUE(ZeroOrNormal(l)) << "subnormal output at " << i;
    const rbjfilter::Memories m = f.GetMemories(0);
    ASSERT_TRUE(ZeroOrNormal(m.y1) && ZeroOrNormal(m.y2));
    if (l == 0.0 && m.y1 == 0.0 && m.y2 == 0.0) {
      reachedZero = true;
      break;
    }
  }
  ASSERT_TRUE(reachedZero);
  double l = 0.0;
  f.Process(l);
  EXPECT_EQ(l, 0.0);
  EXPECT_FALSE(std::signbit(l));
}

TEST(RbjFilterProcess, SubnormalAndNegativeZeroResultsAreWrittenAsPositiveZero) {
  for (double tiny : {-1e-310, 1e-310, -0.0, -DBL_MIN / 2}) {
    rbjfilter f;
    double x = tiny;
    f.Process(x);
    EXPECT_EQ(x, 0.0) << tiny;
    EXPECT_FALSE(std::signbit(x)) << tiny;
    EXPECT_FALSE(std::signbit(f.GetMemories(0).y1)) << tiny;
    // The input memory keeps the sample as received.
    EXPECT_EQ(f.GetMemories(0).x1, tiny);
  }
  float xf = -1e-40f;
  rbjfilter g;
  g.Process(xf);
  EXPECT_EQ(xf, 0.0f);
  EXPECT_FALSE(std::signbit(xf));
}

TEST(RbjFilterProcess, NonFiniteSamplesPropagate) {
  rbjfilter f;
  double x = NAN;
  f.Process(x);
  EXPECT_TRUE(std::isnan(x));
}

TEST(RbjFilterProcess, FloatVariantsKeepTheRoundedOutputAsFeedback) {
  rbjfilter f = Bell(3000.0, -14.0, 0.8);
  for (double v : Noise(300, 4)) {
    float l = static_cast<float>(v), r = static_cast<float>(-v * 0.5);
    f.Process(l, r);
    EXPECT_EQ(f.GetMemories(0).y1, static_cast<double>(l));
    EXPECT_EQ(f.GetMemories(1).y1, static_cast<double>(r));
    EXPECT_EQ(f.GetMemories(0).x1, static_cast<double>(static_cast<float>(v)));
  }
  // Single precision output is the double recursion on the float memories, rounded.
  float m = 0.25f;
  const rbjfilter::Memories mem = f.GetMemories(0);
  const rbjfilter::Coefficients c = f.GetCoefficients();
  const float expected = static_cast<float>(c.b0 * 0.25 + c.b1 * mem.x1 + c.b2 * mem.x2 -
                                            c.a1 * mem.y1 - c.a2 * mem.y2);
  f.Process(m);
  EXPECT_EQ(m, expected);
}

TEST(RbjFilterProcess, StereoRunsEachChannelOnItsOwnMemories) {
  rbjfilter stereo = Bell(500.0, 6.0, 0.7);
  rbjfilter left = stereo, right = stereo;
  const std::vector<double> a = Noise(400, 5), b = Noise(400, 6);
  for (size_t i = 0; i < a.size(); ++i) {
    double l = a[i], r = b[i], lm = a[i], rm = b[i];
    stereo.Process(l, r);
    left.Process(lm);
    right.Process(rm);
    ASSERT_EQ(l, lm);
    ASSERT_EQ(r, rm);
  }
}

TEST(RbjFilterProcess, MonoLeavesTheRightMemoriesAlone) {
  rbjfilter f = Bell(500.0, 6.0, 0.7);
  double l = 0.3, r = -0.7;
  f.Process(l, r);
  const rbjfilter::Memories before = f.GetMemories(1);
  for (double x : Noise(50, 7)) f.Process(x);
  const rbjfilter::Memories after = f.GetMemories(1);
  EXPECT_EQ(before.x1, after.x1);
  EXPECT_EQ(before.x2, after.x2);
  EXPECT_EQ(before.y1, after.y1);
  EXPECT_EQ(before.y2, after.y2);
}

TEST(RbjFilterProcess, DesignChangesKeepTheMemories) {
  rbjfilter f = Bell(500.0, 6.0, 0.7);
  for (double x : Noise(64, 8)) f.Process(x);
  const rbjfilter::Memories m = f.GetMemories(0);
  f.SetFreq(2000.0);
  f.SetGain(-3.0);
  f.SetS(1.0);
  f.SetBW(0.5);
  f.SetType(kHighShelf);
  f.SetSampleRate(96000);
  const rbjfilter::Memories n = f.GetMemories(0);
  EXPECT_EQ(m.x1, n.x1);
  EXPECT_EQ(m.x2, n.x2);
  EXPECT_EQ(m.y1, n.y1);
  EXPECT_EQ(m.y2, n.y2);
  // The next sample already uses the new coefficients on the old memories.
  const rbjfilter::Coefficients c = f.GetCoefficients();
  double x = 0.5;
  f.Process(x);
  EXPECT_EQ(x, c.b0 * 0.5 + c.b1 * m.x1 + c.b2 * m.x2 - c.a1 * m.y1 - c.a2 * m.y2);
}
