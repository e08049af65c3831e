// The equaliser against a plain frame-by-frame implementation built only from the parameter
// values and the host rate: its own textbook biquads with the fixed designs, the step tables,
// the drive terms and the oversampling rules. Nothing is copied from the plug-in's filters, so
// a wrong design, constant, sign, threshold or order of operations shows as a different bit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "ChainPaths.h"
#include "TestOndrel.h"
#include "TextbookBiquad.h"
#include "tessor_eq/eq_sine.h"

using textbook::Biquad;
using textbook::Flush;
using textbook::SameBits;

namespace {

struct PlainEq {
  Biquad aaIn, aaOut, hp, ls, m1, m2, hs;
  bool hpOn = false;
  double gainDb = 0.0, gain = 1.0;
  double v[kNumParams] = {};

  // The fixed designs, made at the rate the plug-in had when it was built.
  explicit PlainEq(double sr) {
    const long r = static_cast<long>(sr);
    for (Biquad* aa : {&aaIn, &aaOut}) {
      aa->SetSampleRate(2 * r);
      aa->SetFreq(sr / 1.84);
      aa->SetType(0);
      aa->SetS(1.0);
    }
    hp.SetSampleRate(r);
    hp.SetFreq(1.0);
    hp.SetType(1);
    hp.SetS(0.7);
    ls.SetSampleRate(r);
    ls.SetFreq(35);
    ls.SetGain(0);
    ls.SetS(2.0);
    ls.SetType(7);
    m1.SetSampleRate(r);
    m1.SetFreq(360);
    m1.SetGain(0);
    m1.SetQ(0.5);
    m1.SetType(6);
    m2.SetSampleRate(r);
    m2.SetFreq(3200);
    m2.SetGain(0);
    m2.SetQ(0.5);
    m2.SetType(6);
    hs.SetSampleRate(r);
    hs.SetFreq(12000);
    hs.SetGain(0);
    hs.SetS(0.4);
    hs.SetType(8);
  }

  static int Step(double x) { return static_cast<int>(x); }

  void ParamChange(double sr) {
    static const double hpHz[] = {1.0, 30, 50, 80, 160, 300};
    static const double lsHz[] = {35, 60, 110, 220};
    static const double m1Hz[] = {150, 180, 240, 400, 820, 1200};
    static const double m2Hz[] = {220, 315, 640, 2500, 3150, 6000, 8000};
    int s = Step(v[kHPF]);
    hpOn = s != 0;
    if (s >= 0 && s <= 5) hp.SetFreq(hpHz[s]);
    s = Step(v[kLoShelfFreq]);
    if (s >= 0 && s <= 3) ls.SetFreq(lsHz[s]);
    ls.SetGain(v[kLoShelfLevel]);
    s = Step(v[kMF1Freq]);
    if (s >= 0 && s <= 5) m1.SetFreq(m1Hz[s]);
    m1.SetGain(v[kMF1Level]);
    s = Step(v[kMF2Freq]);
    if (s >= 0 && s <= 6) m2.SetFreq(m2Hz[s]);
    m2.SetGain(v[kMF2Level]);
    hs.SetGain(v[kHiShelfLevel]);
    gainDb = v[kGain];
    gain = std::exp(0.1151292546497 * v[kGain]);
    const long r = static_cast<long>(sr);
    const long bandRate = v[kOversample] != 0.0 ? 2 * r : r;
    for (Biquad* b : {&hp, &ls, &m1, &m2, &hs}) b->SetSampleRate(bandRate);
  }

  static void Run(Biquad& f, double& L, double& R, bool stereo) {
    L = Flush(L);
    if (stereo) {
      R = Flush(R);
      f.Process(L, R);
    } else
      f.Process(L);
  }

  void Band(Biquad& f, double k, double dL, double dR, double& L, double& R, bool stereo) {
    L = L + k * dL;
    R = R + k * dR;
    Run(f, L, R, stereo);
  }

  void Process(const double* inL, const double* inR, double* outL, double* outR, int n) {
    const bool stereo = inR != nullptr;
    for (int i = 0; i < n; ++i) {
      double L = 0, R = 0;
      const int passes = v[kOversample] > 0.0 ? 2 : 1;
      for (int p = 0; p < passes; ++p) {
        L = inL[i];
        R = stereo ? inR[i] : 0.0;
        const double dL = eq_Sine(std::min(1.0, std::max(-1.0, L)));
        const double dR = eq_Sine(std::min(1.0, std::max(-1.0, R)));
        if (v[kOversample] >= 0.5) Run(aaIn, L, R, stereo);
        if (hpOn) Run(hp, L, R, stereo);
        if (ls.gain != 0.0) Band(ls, ls.gain / 60, dL, dR, L, R, stereo);
        if (m1.gain != 0.0) Band(m1, std::fabs(m1.gain / 80), dL, dR, L, R, stereo);
        if (m2.gain != 0.0) Band(m2, std::fabs(m2.gain / 80), dL, dR, L, R, stereo);
        if (hs.gain != 0.0) Band(hs, std::fabs(hs.gain / 60), dL, dR, L, R, stereo);
        const double k = std::fabs(gainDb / 60) + 0.01;
        L = gain * L + k * dL;
        R = gain * R + k * dR;
        if (v[kOversample] >= 0.5) Run(aaOut, L, R, stereo);
      }
      outL[i] = L;
      if (stereo) outR[i] = R;
    }
  }
};

std::vector<double> Signal(int n, std::mt19937& rng) {
  std::uniform_real_distribution<double> u(-1.8, 1.8);
  std::vector<double> s(n);
  for (double& x : s) {
    x = u(rng);
    if (rng() % 50 == 0) x = 1e-311;  // subnormal input
    if (rng() % 50 == 0) x = -0.0;
  }
  return s;
}

// Sets a parameter on the plug-in as a host does and gives the plain model the value the
// plug-in actually stored.
void SetBoth(TestOndrel& eq, PlainEq& ref, int idx, double value, double sr) {
  eq.Set(idx, value);
  for (int i = 0; i < kNumParams; ++i) ref.v[i] = eq.GetParam(i)->Value();
  ref.ParamChange(sr);
}

void RandomSettings(TestOndrel& eq, PlainEq& ref, double sr, std::mt19937& rng) {
  std::uniform_real_distribution<double> u(0.0, 1.0);
  SetBoth(eq, ref, kHPF, std::floor(u(rng) * 6), sr);
  SetBoth(eq, ref, kLoShelfFreq, std::floor(u(rng) * 4), sr);
  SetBoth(eq, ref, kMF1Freq, std::floor(u(rng) * 6), sr);
  SetBoth(eq, ref, kMF2Freq, std::floor(u(rng) * 7), sr);
  for (int p : {kLoShelfLevel, kMF1Level, kMF2Level, kHiShelfLevel})
    SetBoth(eq, ref, p, u(rng) < 0.3 ? 0.0 : std::round(-200 + 400 * u(rng)) / 10.0, sr);
  SetBoth(eq, ref, kGain, std::round(-200 + 300 * u(rng)) / 10.0, sr);
  const double os[] = {0.0, 1.0, 0.3, 0.5};
  SetBoth(eq, ref, kOversample, os[rng() % 4], sr);
}

}  // namespace

TEST(OndrelTextbook, BlocksWithChangingSettingsMatchThePlainImplementationBitForBit) {
  OnEveryChainPath([] {
    std::mt19937 rng(41);
    for (int trial = 0; trial < 16; ++trial) {
      const bool stereo = trial % 2 == 0;
      const double sr = (trial / 2) % 4 == 0   ? 44100.0
                        : (trial / 2) % 4 == 1 ? 48000.0
                        : (trial / 2) % 4 == 2 ? 96000.0
                                               : 47999.9;
      SCOPED_TRACE(testing::Message()
                   << "trial " << trial << " stereo " << stereo << " rate " << sr);
      TestOndrel eq;
      PlainEq ref(eq.GetSampleRate());
      eq.SetSampleRate(sr);
      eq.Initialize(stereo);
      for (int i = 0; i < kNumParams; ++i) ref.v[i] = eq.GetParam(i)->Value();
      ref.ParamChange(sr);

      // Several blocks of varied length; settings change between them and memories carry over.
      for (int block = 0; block < 6; ++block) {
        RandomSettings(eq, ref, sr, rng);
        const int n = 1 + static_cast<int>(rng() % 600);
        std::vector<double> l = Signal(n, rng), r = Signal(n, rng);
        std::vector<double> el(n), er(n);
        ref.Process(l.data(), stereo ? r.data() : nullptr, el.data(), er.data(), n);
        eq.Run(l, stereo ? &r : nullptr);
        for (int i = 0; i < n; ++i) {
          ASSERT_TRUE(SameBits(l[i], el[i]))
              << "block " << block << " left " << i << ": " << l[i] << " vs " << el[i];
          if (stereo) {
            ASSERT_TRUE(SameBits(r[i], er[i]))
                << "block " << block << " right " << i << ": " << r[i] << " vs " << er[i];
          }
        }
      }
    }
  });
}
