// rbjfilter against the plain textbook biquad, bit for bit: coefficients of every type, the
// slope and bandwidth conversions with the values they read at call time, and the recursion
// of all four processing variants.
#include <gtest/gtest.h>

#include <random>

#include "TextbookBiquad.h"
#include "tessor_eq/rbjfilter.h"

using textbook::Biquad;
using textbook::SameBits;

namespace {

void ExpectSameDesign(const rbjfilter& f, const Biquad& t) {
  const rbjfilter::Coefficients c = f.GetCoefficients();
  EXPECT_TRUE(SameBits(c.b0, t.b0)) << c.b0 << " vs " << t.b0;
  EXPECT_TRUE(SameBits(c.b1, t.b1)) << c.b1 << " vs " << t.b1;
  EXPECT_TRUE(SameBits(c.b2, t.b2)) << c.b2 << " vs " << t.b2;
  EXPECT_TRUE(SameBits(c.a1, t.a1)) << c.a1 << " vs " << t.a1;
  EXPECT_TRUE(SameBits(c.a2, t.a2)) << c.a2 << " vs " << t.a2;
  EXPECT_EQ(f.GetA0(), 1.0);
  EXPECT_TRUE(SameBits(f.GetQ(), t.Q)) << f.GetQ() << " vs " << t.Q;
  EXPECT_TRUE(SameBits(f.GetA(), t.A)) << f.GetA() << " vs " << t.A;
  EXPECT_TRUE(SameBits(f.GetOmega(), t.w));
  EXPECT_TRUE(SameBits(f.GetAlpha(), t.alpha));
}

// One design operation applied to both filters alike.
struct Op {
  char what;  // 't'ype, 'f'req, 'g'ain, 'q', 'b'andwidth, 's'lope, 'r'ate
  double v;
};

void Apply(const Op& op, rbjfilter& f, Biquad& t) {
  switch (op.what) {
    case 't':
      f.SetType(static_cast<EFilterType>(static_cast<int>(op.v)));
      t.SetType(static_cast<int>(op.v));
      break;
    case 'f':
      f.SetFreq(op.v);
      t.SetFreq(op.v);
      break;
    case 'g':
      f.SetGain(op.v);
      t.SetGain(op.v);
      break;
    case 'q':
      f.SetQ(op.v);
      t.SetQ(op.v);
      break;
    case 'b':
      f.SetBW(op.v);
      t.SetBW(op.v);
      break;
    case 's':
      f.SetS(op.v);
      t.SetS(op.v);
      break;
    case 'r':
      f.SetSampleRate(static_cast<long>(op.v));
      t.SetSampleRate(static_cast<long>(op.v));
      break;
  }
}

}  // namespace

TEST(RbjFilterTextbook, EveryTypeGivesTheTextbookCoefficientsBitForBit) {
  {
    SCOPED_TRACE("fresh filter");
    ExpectSameDesign(rbjfilter(), Biquad());
  }
  std::mt19937 rng(31);
  std::uniform_real_distribution<double> u(0.0, 1.0);
  const long rates[] = {22050, 44100, 48000, 88200, 96000, 192000};
  for (int type = -1; type <= 9; ++type) {
    for (int trial = 0; trial < 40; ++trial) {
      const long sr = rates[trial % 6];
      const double freq = 20.0 + (0.45 * sr - 20.0) * u(rng) * u(rng);
      const double gain = trial % 5 == 0 ? 0.0 : std::round(-400 + 800 * u(rng)) / 20.0;
      const double q = 0.1 + 4.0 * u(rng);
      SCOPED_TRACE(testing::Message() << "type " << type << " sr " << sr << " f " << freq
                                      << " gain " << gain << " Q " << q);
      rbjfilter f;
      Biquad t;
      for (const Op& op :
           {Op{'r', double(sr)}, Op{'f', freq}, Op{'g', gain}, Op{'q', q}, Op{'t', double(type)}})
        Apply(op, f, t);
      ExpectSameDesign(f, t);
    }
  }
}

TEST(RbjFilterTextbook, SlopeAndBandwidthConvertWithTheValuesAtTheTimeOfTheCall) {
  // Sequences in which the conversion must read the type, gain, frequency and rate current at
  // the call, and a later change must keep the converted Q.
  const std::vector<std::vector<Op>> sequences = {
      {{'t', 7}, {'g', 6.5}, {'s', 0.8}, {'g', -12.0}, {'f', 220.0}},
      {{'g', -9.0}, {'s', 1.3}, {'t', 8}, {'f', 12000.0}, {'r', 48000}},
      {{'t', 1}, {'g', 15.0}, {'s', 0.7}, {'t', 7}},
      {{'t', 0}, {'g', -3.0}, {'s', 2.0}, {'g', 4.0}, {'t', 6}},
      {{'r', 48000}, {'f', 1500.0}, {'b', 0.75}, {'f', 9000.0}, {'g', 5.0}},
      {{'f', 15000.0}, {'r', 32000}, {'b', 2.5}, {'r', 96000}, {'t', 5}},
      {{'t', 3}, {'b', 1.0}, {'s', 0.5}, {'g', 20.0}},
      {{'g', 0.0}, {'s', 0.4}, {'t', 8}, {'f', 12000.0}},
  };
  for (size_t i = 0; i < sequences.size(); ++i) {
    SCOPED_TRACE(testing::Message() << "sequence " << i);
    rbjfilter f;
    Biquad t;
    for (const Op& op : sequences[i]) Apply(op, f, t);
    ExpectSameDesign(f, t);
  }
  // The slope conversion over the whole range of shelf gains, in the equaliser's 0.1 dB steps.
  for (int tenths = -200; tenths <= 200; ++tenths) {
    SCOPED_TRACE(testing::Message() << "gain " << tenths / 10.0 << " dB");
    rbjfilter f;
    Biquad t;
    for (const Op& op : {Op{'t', 8}, Op{'g', tenths / 10.0}, Op{'s', 0.4 + (tenths + 200) / 250.0}})
      Apply(op, f, t);
    ExpectSameDesign(f, t);
  }
}

TEST(RbjFilterTextbook, AllFourProcessVariantsRunTheTextbookRecursion) {
  std::mt19937 rng(32);
  std::uniform_real_distribution<double> u(-1.0, 1.0);
  rbjfilter f;
  Biquad t;
  for (const Op& op : {Op{'r', 48000}, Op{'f', 700.0}, Op{'g', 11.0}, Op{'t', 7}, Op{'s', 1.0}})
    Apply(op, f, t);
  for (int i = 0; i < 4000; ++i) {
    const double x = u(rng), y = (i % 97 == 0) ? 1e-312 : u(rng);
    switch (i % 4) {
      case 0: {
        double a = x, b = x;
        f.Process(a);
        t.Process(b);
        ASSERT_TRUE(SameBits(a, b)) << i;
        break;
      }
      case 1: {
        double a = x, b = y, c = x, d = y;
        f.Process(a, b);
        t.Process(c, d);
        ASSERT_TRUE(SameBits(a, c) && SameBits(b, d)) << i;
        break;
      }
      case 2: {
        float a = static_cast<float>(x), b = a;
        f.Process(a);
        t.Process(b);
        ASSERT_TRUE(SameBits(a, b)) << i;
        break;
      }
      default: {
        float a = static_cast<float>(x), b = static_cast<float>(y), c = a, d = b;
        f.Process(a, b);
        t.Process(c, d);
        ASSERT_TRUE(SameBits(a, c) && SameBits(b, d)) << i;
        break;
      }
    }
    if (i == 2000) {
      f.SetGain(-7.0);
      t.SetGain(-7.0);
    }  // a design change between samples
  }
  const rbjfilter::Memories l = f.GetMemories(0), r = f.GetMemories(1);
  EXPECT_TRUE(SameBits(l.x1, t.xl1) && SameBits(l.x2, t.xl2) && SameBits(l.y1, t.yl1) &&
              SameBits(l.y2, t.yl2));
  EXPECT_TRUE(SameBits(r.x1, t.xr1) && SameBits(r.x2, t.xr2) && SameBits(r.y1, t.yr1) &&
              SameBits(r.y2, t.yr2));
}
