// The drive sine against a quad-precision reference rounded to double.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>

#include <quadmath.h>

#include "tessor_eq/eq_sine.h"

namespace {

// Distance in units in the last place between two doubles of the same sign region.
int64_t UlpDistance(double a, double b) {
  int64_t ia, ib;
  std::memcpy(&ia, &a, 8);
  std::memcpy(&ib, &b, 8);
  if (ia < 0) ia = INT64_MIN - ia;
  if (ib < 0) ib = INT64_MIN - ib;
  return ia > ib ? ia - ib : ib - ia;
}

double CorrectlyRounded(double x) { return static_cast<double>(sinq(static_cast<__float128>(x))); }

void ExpectWithinOneUlp(double x) {
  const double got = eq_Sine(x);
  const double want = CorrectlyRounded(x);
  ASSERT_LE(UlpDistance(got, want), 1) << "x = " << x << " got " << got << " want " << want;
}

}  // namespace

TEST(EqSine, WithinOneUlpOnADenseGridOverMinusOneToOne) {
  const int n = 1 << 20;
  for (int i = 0; i <= n; ++i) {
    const double x = -1.0 + 2.0 * i / n;
    ExpectWithinOneUlp(x);
    ExpectWithinOneUlp(std::nextafter(x, 0.0));
  }
}

TEST(EqSine, WithinOneUlpAcrossEveryBinadeDownToSubnormals) {
  for (double base = 1.0; base > 0.0; base /= 2.0) {
    for (int k = 0; k < 64; ++k) {
      const double x = base * (1.0 - k / 128.0);
      ExpectWithinOneUlp(x);
      ExpectWithinOneUlp(-x);
    }
  }
}

TEST(EqSine, EndsZeroAndSubnormalsAreExact) {
  EXPECT_LE(UlpDistance(eq_Sine(1.0), std::sin(1.0)), 1);
  EXPECT_LE(UlpDistance(eq_Sine(-1.0), std::sin(-1.0)), 1);
  EXPECT_EQ(eq_Sine(0.0), 0.0);
  EXPECT_FALSE(std::signbit(eq_Sine(0.0)));
  EXPECT_TRUE(std::signbit(eq_Sine(-0.0)));
  EXPECT_EQ(eq_Sine(4.9e-324), 4.9e-324);
  EXPECT_EQ(eq_Sine(-DBL_MIN), -DBL_MIN);
  EXPECT_EQ(eq_Sine(1e-9), 1e-9);
}
