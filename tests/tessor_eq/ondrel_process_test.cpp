// The equaliser's processing: drive terms, band bypass, mono and stereo, oversampling.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "ChainPaths.h"
#include "TestOndrel.h"
#include "tessor_eq/eq_sine.h"

namespace {

double Drive(double x) { return std::sin(std::min(1.0, std::max(-1.0, x))); }

std::vector<double> Signal(int n, unsigned seed, double peak = 1.5) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> u(-peak, peak);
  std::vector<double> v(n);
  for (double& x : v) x = u(rng);
  return v;
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The signal path written out frame by frame and pass by pass on copies of the plug-in's
// filters, with no scheduling of any kind.
struct ReferenceEq {
  rbjfilter aaIn, aaOut, hp, ls, m1, m2, hs;
  bool hpOn;
  double gainDb, gain, oversample;

  explicit ReferenceEq(TestOndrel& eq)
      : aaIn(eq.AaIn()),
        aaOut(eq.AaOut()),
        hp(eq.HighPass()),
        ls(eq.LowShelf()),
        m1(eq.MidBand1()),
        m2(eq.MidBand2()),
        hs(eq.HighShelf()),
        hpOn(eq.HighPassOn()),
        gainDb(eq.OutGainDb()),
        gain(eq.OutGain()),
        oversample(eq.GetParam(kOversample)->Value()) {}

  static void Run(rbjfilter& f, double& L, double& R, bool stereo) {
    L = rbj_Flush(L);
    if (stereo) {
      R = rbj_Flush(R);
      f.Process(L, R);
    } else
      f.Process(L);
  }

  void Process(const double* inL, const double* inR, double* outL, double* outR, int n) {
    const bool stereo = inR != nullptr;
    for (int i = 0; i < n; ++i) {
      double L = 0, R = 0;
      const int passes = oversample > 0.0 ? 2 : 1;
      for (int p = 0; p < passes; ++p) {
        L = inL[i];
        R = stereo ? inR[i] : 0.0;
        const double dL = eq_Sine(std::min(1.0, std::max(-1.0, L)));
        const double dR = eq_Sine(std::min(1.0, std::max(-1.0, R)));
        if (oversample >= 0.5) Run(aaIn, L, R, stereo);
        if (hpOn) Run(hp, L, R, stereo);
        if (ls.GetGain() != 0.0) {
          const double k = ls.GetGain() / 60.0;
          L = L + k * dL;
          R = R + k * dR;
          Run(ls, L, R, stereo);
        }
        for (rbjfilter* m : {&m1, &m2}) {
          if (m->GetGain() == 0.0) continue;
          const double k = std::fabs(m->GetGain() / 80.0);
          L = L + k * dL;
          R = R + k * dR;
          Run(*m, L, R, stereo);
        }
        if (hs.GetGain() != 0.0) {
          const double k = std::fabs(hs.GetGain() / 60.0);
          L = L + k * dL;
          R = R + k * dR;
          Run(hs, L, R, stereo);
        }
        const double k = std::fabs(gainDb / 60.0) + 0.01;
        L = gain * L + k * dL;
        R = gain * R + k * dR;
        if (oversample >= 0.5) Run(aaOut, L, R, stereo);
      }
      outL[i] = L;
      if (stereo) outR[i] = R;
    }
  }
};

// A single active band: out = y + 0.01 d, with y the band filter run on x + k d.
void ExpectBandDrive(int levelParam, double dB, rbjfilter& (TestOndrel::*band)(), double k) {
  SCOPED_TRACE(testing::Message() << "parameter " << levelParam << " at " << dB << " dB");
  TestOndrel eq;
  eq.Initialize(false);
  eq.Set(levelParam, dB);
  rbjfilter ref = (eq.*band)();
  std::vector<double> x = Signal(256, 7), y = x;
  eq.Run(y, nullptr);
  for (size_t i = 0; i < x.size(); ++i) {
    double v = x[i] + k * Drive(x[i]);
    ref.Process(v);
    ASSERT_NEAR(y[i], v + 0.01 * Drive(x[i]), 1e-14) << i;
  }
}

}  // namespace

TEST(OndrelProcess, DefaultsOnlyAddTheOutputDrive) {
  TestOndrel eq;
  eq.Initialize(true);
  std::vector<double> l = {0.5, 2.0, -3.0, 0.0, -0.25, 1e-300};
  std::vector<double> r = {-0.5, 0.9, 1.0, 4.0, 0.0, -1.0};
  const std::vector<double> l0 = l, r0 = r;
  eq.Run(l, &r);
  EXPECT_NEAR(l[0], 0.504794, 1e-6);
  EXPECT_NEAR(l[1], 2.0 + 0.01 * std::sin(1.0), 1e-15);    // clipped to 1
  EXPECT_NEAR(l[2], -3.0 + 0.01 * std::sin(-1.0), 1e-15);  // clipped to -1
  for (size_t i = 0; i < l.size(); ++i) {
    EXPECT_NEAR(l[i], l0[i] + 0.01 * Drive(l0[i]), 1e-15 * std::max(1.0, std::fabs(l0[i])));
    EXPECT_NEAR(r[i], r0[i] + 0.01 * Drive(r0[i]), 1e-15 * std::max(1.0, std::fabs(r0[i])));
  }
  // No band ran: their memories are still the fresh zeros.
  for (rbjfilter* f : {&eq.HighPass(), &eq.LowShelf(), &eq.MidBand1(), &eq.AaIn()})
    EXPECT_EQ(f->GetMemories(0).x1, 0.0);
}

TEST(OndrelProcess, EachBandAddsItsDriveWithItsSign) {
  ExpectBandDrive(kLoShelfLevel, -6.0, &TestOndrel::LowShelf, -0.1);  // a cut subtracts
  ExpectBandDrive(kLoShelfLevel, 6.0, &TestOndrel::LowShelf, 0.1);
  ExpectBandDrive(kMF1Level, -8.0, &TestOndrel::MidBand1, 0.1);  // mid bands always add
  ExpectBandDrive(kMF2Level, 4.0, &TestOndrel::MidBand2, 0.05);
  ExpectBandDrive(kHiShelfLevel, -12.0, &TestOndrel::HighShelf, 0.2);  // so does the high shelf
}

TEST(OndrelProcess, OutputGainScalesAndDrivesHarder) {
  TestOndrel eq;
  eq.Initialize(false);
  eq.Set(kGain, 10.0);
  std::vector<double> x = Signal(64, 8), y = x;
  eq.Run(y, nullptr);
  const double amp = std::exp(0.1151292546497 * 10.0);
  for (size_t i = 0; i < x.size(); ++i)
    EXPECT_NEAR(y[i], amp * x[i] + (10.0 / 60.0 + 0.01) * Drive(x[i]), 1e-14);
}

TEST(OndrelProcess, HighPassRunsOnlyWhenSwitchedOn) {
  TestOndrel eq;
  eq.Initialize(false);
  eq.Set(kHPF, 3);  // 80 Hz
  rbjfilter ref = eq.HighPass();
  std::vector<double> x = Signal(128, 9), y = x;
  eq.Run(y, nullptr);
  for (size_t i = 0; i < x.size(); ++i) {
    double v = x[i];
    ref.Process(v);
    ASSERT_NEAR(y[i], v + 0.01 * Drive(x[i]), 1e-14);
  }
  // A DC input dies away behind the high-pass but not without it.
  std::vector<double> dc(44100, 0.5);
  eq.Run(dc, nullptr);
  EXPECT_NEAR(dc.back(), 0.01 * std::sin(0.5), 1e-6);
  eq.Set(kHPF, 0);
  std::vector<double> dc2(16, 0.5);
  eq.Run(dc2, nullptr);
  EXPECT_NEAR(dc2.back(), 0.5 + 0.01 * std::sin(0.5), 1e-15);
}

TEST(OndrelProcess, MonoMatchesStereoWithASilentRightInputAndWritesOneChannel) {
  TestOndrel mono, stereo;
  mono.Initialize(false);
  stereo.Initialize(true);
  for (TestOndrel* eq : {&mono, &stereo}) {
    eq->Set(kHPF, 2);
    eq->Set(kLoShelfLevel, 7.0);
    eq->Set(kMF1Level, -3.3);
    eq->Set(kMF2Level, 11.0);
    eq->Set(kHiShelfLevel, -4.0);
    eq->Set(kGain, -2.0);
  }
  std::vector<double> in = Signal(1000, 10), silent(1000, 0.0);
  std::vector<double> outMono(1000), outL(1000), outR(1000), untouched(1000, 123.0);
  double* monoIn[2] = {in.data(), silent.data()};
  double* monoOut[2] = {outMono.data(), untouched.data()};
  mono.ProcessDoubleReplacing(monoIn, monoOut, 1000);
  double* stIn[2] = {in.data(), silent.data()};
  double* stOut[2] = {outL.data(), outR.data()};
  stereo.ProcessDoubleReplacing(stIn, stOut, 1000);
  for (int i = 0; i < 1000; ++i) {
    ASSERT_TRUE(SameBits(outMono[i], outL[i])) << i;
    ASSERT_EQ(untouched[i], 123.0);
  }
  // Mono leaves the right memories of every band as they were.
  EXPECT_EQ(mono.LowShelf().GetMemories(1).x1, 0.0);
  EXPECT_EQ(mono.LowShelf().GetMemories(1).y1, 0.0);
}

TEST(OndrelProcess, MatchesTheFrameByFrameDefinitionBitForBit) {
  OnEveryChainPath([] {
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    for (int trial = 0; trial < 24; ++trial) {
      const bool stereo = trial % 2 == 0;
      const double oversample = (trial / 2) % 3 == 0 ? 0.0 : ((trial / 2) % 3 == 1 ? 1.0 : 0.3);
      SCOPED_TRACE(testing::Message()
                   << "trial " << trial << " stereo " << stereo << " oversample " << oversample);
      TestOndrel eq;
      eq.SetSampleRate(trial % 4 == 1 ? 48000.0 : 44100.0);
      eq.Initialize(stereo);
      eq.Set(kHPF, static_cast<int>(u(rng) * 6));
      eq.Set(kLoShelfFreq, static_cast<int>(u(rng) * 4));
      eq.Set(kMF1Freq, static_cast<int>(u(rng) * 6));
      eq.Set(kMF2Freq, static_cast<int>(u(rng) * 7));
      for (int p : {kLoShelfLevel, kMF1Level, kMF2Level, kHiShelfLevel})
        eq.Set(p, u(rng) < 0.25 ? 0.0 : std::round(-200 + 400 * u(rng)) / 10.0);
      eq.Set(kGain, std::round(-200 + 300 * u(rng)) / 10.0);
      eq.Set(kOversample, oversample);

      ReferenceEq ref(eq);
      std::vector<double> l = Signal(777, 100 + trial), r = Signal(777, 200 + trial);
      l[5] = 1e-310;  // subnormal input
      l[6] = -0.0;
      std::vector<double> el(777), er(777);
      ref.Process(l.data(), stereo ? r.data() : nullptr, el.data(), er.data(), 777);
      eq.Run(l, stereo ? &r : nullptr);
      for (int i = 0; i < 777; ++i) {
        ASSERT_TRUE(SameBits(l[i], el[i])) << "left " << i << ": " << l[i] << " vs " << el[i];
        if (stereo) {
          ASSERT_TRUE(SameBits(r[i], er[i])) << "right " << i;
        }
      }
    }
  });
}

TEST(OndrelProcess, OversamplingRunsEachFrameTwiceAndKeepsTheSecondResult) {
  TestOndrel eq;
  eq.Initialize(false);
  eq.Set(kMF1Level, 6.0);
  eq.Set(kOversample, 1);
  rbjfilter aaIn = eq.AaIn(), mid = eq.MidBand1(), aaOut = eq.AaOut();
  EXPECT_EQ(mid.GetSampleRate(), 88200);
  std::vector<double> x = Signal(200, 12, 0.8), y = x;
  eq.Run(y, nullptr);
  for (size_t i = 0; i < x.size(); ++i) {
    double v = 0;
    for (int pass = 0; pass < 2; ++pass) {
      v = x[i];
      aaIn.Process(v);
      v += 0.075 * Drive(x[i]);
      mid.Process(v);
      v = v + 0.01 * Drive(x[i]);
      aaOut.Process(v);
    }
    ASSERT_NEAR(y[i], v, 1e-12) << i;  // the sines differ in the last place
  }
  // The anti-alias filters have memories now; without oversampling they were never run.
  EXPECT_NE(eq.AaIn().GetMemories(0).x1, 0.0);
}

TEST(OndrelProcess, ABandAtZeroDecibelsKeepsItsMemoriesUntilItReturns) {
  TestOndrel eq;
  eq.Initialize(true);
  eq.Set(kLoShelfLevel, 9.0);
  std::vector<double> l = Signal(300, 13), r = Signal(300, 14);
  eq.Run(l, &r);
  const rbjfilter::Memories kept = eq.LowShelf().GetMemories(0);

  eq.Set(kLoShelfLevel, 0.0);
  std::vector<double> l2 = Signal(300, 15), r2 = Signal(300, 16);
  eq.Run(l2, &r2);
  const rbjfilter::Memories after = eq.LowShelf().GetMemories(0);
  EXPECT_EQ(after.x1, kept.x1);
  EXPECT_EQ(after.y1, kept.y1);
  EXPECT_EQ(after.y2, kept.y2);

  eq.Set(kLoShelfLevel, 9.0);
  rbjfilter ref = eq.LowShelf();
  std::vector<double> l3 = {0.3}, r3 = {0.0};
  eq.Run(l3, &r3);
  double v = 0.3 + 0.15 * std::sin(0.3);
  ref.Process(v);  // resumes from the memories it had when bypassed
  EXPECT_NEAR(l3[0], v + 0.01 * std::sin(0.3), 1e-15);
}

TEST(OndrelProcess, ResetKeepsEveryFilterMemory) {
  TestOndrel eq;
  eq.Initialize(true);
  eq.Set(kHPF, 1);
  eq.Set(kHiShelfLevel, 5.0);
  std::vector<double> l = Signal(100, 17), r = Signal(100, 18);
  eq.Run(l, &r);
  const rbjfilter::Memories hp = eq.HighPass().GetMemories(1), hs = eq.HighShelf().GetMemories(0);
  eq.Reset();
  EXPECT_EQ(eq.HighPass().GetMemories(1).y1, hp.y1);
  EXPECT_EQ(eq.HighPass().GetMemories(1).x2, hp.x2);
  EXPECT_EQ(eq.HighShelf().GetMemories(0).y2, hs.y2);
}

TEST(OndrelProcess, FloatHostBuffersRunThroughThePluginBase) {
  TestOndrel eq;
  eq.Initialize(true);
  std::vector<float> inL = {0.5f, -0.125f, 1.75f, 0.0f}, inR = {0.25f, 0.0f, -2.0f, 1.0f};
  std::vector<float> outL(4, 9.0f), outR(4, 9.0f);
  float* ins[2] = {inL.data(), inR.data()};
  float* outs[2] = {outL.data(), outR.data()};
  eq.AttachInputBuffers(0, 2, ins, 4);
  eq.AttachOutputBuffers(0, 2, outs);
  eq.ProcessBuffers(0.0f, 4);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(outL[i], static_cast<float>(inL[i] + 0.01 * Drive(inL[i]))) << i;
    EXPECT_EQ(outR[i], static_cast<float>(inR[i] + 0.01 * Drive(inR[i]))) << i;
  }
}

TEST(OndrelProcess, BandsAboveHalfALowHostRateAreDesignedBelowItAndStayStable) {
  // At 22050 Hz the fixed 12 kHz shelf and the 8 kHz mid step at 16 kHz lie at or above half
  // the rate; designed there the biquads would be unstable.
  for (double sr : {22050.0, 16000.0}) {
    TestOndrel eq;
    eq.SetSampleRate(sr);
    eq.Initialize(true);
    eq.Set(kHiShelfLevel, 12.0);
    eq.Set(kMF2Freq, 6.0);
    eq.Set(kMF2Level, 9.0);
    EXPECT_LE(eq.HighShelf().GetFreq(), 0.45 * sr);
    EXPECT_LE(eq.MidBand2().GetFreq(), 0.45 * sr);

    std::vector<double> l(4096), r(4096);
    for (size_t i = 0; i < l.size(); ++i) {
      l[i] = 0.5 * std::sin(0.37 * static_cast<double>(i)) + ((i * 7919) % 13 == 0 ? 0.4 : 0.0);
      r[i] = -l[i];
    }
    eq.Run(l, &r);
    for (size_t i = 0; i < l.size(); ++i) {
      ASSERT_TRUE(std::isfinite(l[i]) && std::fabs(l[i]) < 20.0) << "sr " << sr << " frame " << i;
      ASSERT_TRUE(std::isfinite(r[i]) && std::fabs(r[i]) < 20.0) << "sr " << sr << " frame " << i;
    }
  }
}

TEST(OndrelProcess, BandsReturnToTheirNominalFrequencyWhenTheRateAllows) {
  TestOndrel eq;
  eq.SetSampleRate(22050.0);
  eq.Initialize(true);
  eq.Set(kMF2Freq, 6.0);
  EXPECT_EQ(eq.HighShelf().GetFreq(), 0.45 * 22050.0);
  eq.Set(kOversample, 1.0);  // bands run at 44100 Hz
  EXPECT_EQ(eq.HighShelf().GetFreq(), 12000.0);
  EXPECT_EQ(eq.MidBand2().GetFreq(), 8000.0);
  eq.SetSampleRate(48000.0);
  eq.Set(kOversample, 0.0);
  EXPECT_EQ(eq.HighShelf().GetFreq(), 12000.0);
}
