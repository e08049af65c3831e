// The scheduled stage chain against the plain per-sample definition, bit for bit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "ChainPaths.h"
#include "tessor_eq/eq_chain.h"
#include "tessor_eq/eq_sine.h"

namespace {

double Clip(double x) { return std::min(1.0, std::max(-1.0, x)); }

// One frame at a time, one stage after the other, through rbjfilter::Process.
void ReferenceChain(const eq_Chain& ch, const double* inL, const double* inR, double* outL,
                    double* outR, int n) {
  const bool stereo = inR != nullptr;
  for (int i = 0; i < n; ++i) {
    double L = 0, R = 0;
    for (int pass = 0; pass < (ch.twice ? 2 : 1); ++pass) {
      L = inL[i];
      R = stereo ? inR[i] : 0.0;
      const double dL = eq_Sine(Clip(L)), dR = eq_Sine(Clip(R));
      for (int k = 0; k < ch.nStages; ++k) {
        const eq_Stage& st = ch.stages[k];
        if (ch.outputBeforeLast && k == ch.nStages - 1) {
          L = ch.outScale * L + ch.outDrive * dL;
          R = ch.outScale * R + ch.outDrive * dR;
        } else if (st.drive != 0.0) {
          L = L + st.drive * dL;
          R = R + st.drive * dR;
        }
        L = rbj_Flush(L);
        R = rbj_Flush(R);
        if (stereo)
          st.filter->Process(L, R);
        else
          st.filter->Process(L);
      }
      if (!ch.outputBeforeLast) {
        L = ch.outScale * L + ch.outDrive * dL;
        R = ch.outScale * R + ch.outDrive * dR;
      }
    }
    outL[i] = L;
    if (stereo) outR[i] = R;
  }
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

std::vector<double> Signal(int n, unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> u(-1.6, 1.6);
  std::vector<double> v(n);
  for (int i = 0; i < n; ++i) {
    v[i] = u(rng);
    switch (rng() % 16) {
      case 0:
        v[i] = 0.0;
        break;
      case 1:
        v[i] = -0.0;
        break;
      case 2:
        v[i] *= 1e-308;
        break;  // subnormal
      case 3:
        v[i] *= 1e-30;
        break;
      default:
        break;
    }
  }
  return v;
}

// A varied set of filters with non-trivial memories.
std::vector<rbjfilter> Filters(unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> u(0.0, 1.0);
  const EFilterType types[] = {kLowPass, kHighPass,  kLowShelf, kPeaking,
                               kPeaking, kHighShelf, kLowPass,  kAllPass};
  std::vector<rbjfilter> f(8);
  for (int k = 0; k < 8; ++k) {
    f[k].SetSampleRate(k == 0 || k == 6 ? 96000 : 48000);
    f[k].SetFreq(30.0 + 12000.0 * u(rng) * u(rng));
    f[k].SetGain(-20.0 + 40.0 * u(rng));
    f[k].SetQ(0.4 + 2.0 * u(rng));
    f[k].SetType(types[k]);
    double l = u(rng), r = -u(rng);
    f[k].Process(l, r);
  }
  return f;
}

struct Case {
  int nStages;
  bool twice;
  bool folded;
  bool stereo;
  int frames;
  double level = 1.0;  // scales the input and the filters' memories
};

void CheckCase(const Case& c, unsigned seed) {
  SCOPED_TRACE(testing::Message() << "stages " << c.nStages << " twice " << c.twice << " folded "
                                  << c.folded << " stereo " << c.stereo << " frames " << c.frames);
  std::vector<rbjfilter> fast = Filters(seed), slow = fast;
  if (c.level != 1.0) {
    for (int k = 0; k < 8; ++k) {
      for (int ch = 0; ch < 2; ++ch) {
        rbjfilter::Memories m = fast[k].GetMemories(ch);
        m = {m.x1 * c.level, m.x2 * c.level, m.y1 * c.level, m.y2 * c.level};
        fast[k].SetMemories(ch, m);
        slow[k].SetMemories(ch, m);
      }
    }
  }
  eq_Chain a, b;
  for (int k = 0; k < c.nStages; ++k) {
    // Undriven stages first, in the middle and last; drives of both signs.
    const double drive = (k % 3 == (seed % 2 ? 0 : 1)) ? 0.0 : (k - 3.5) / 40.0;
    a.Add(&fast[k], drive);
    b.Add(&slow[k], drive);
  }
  a.twice = b.twice = c.twice;
  a.outputBeforeLast = b.outputBeforeLast = c.folded && c.nStages > 0;
  a.outScale = b.outScale = 1.7;
  a.outDrive = b.outDrive = 0.11;
  std::vector<double> inL = Signal(c.frames, seed + 1), inR = Signal(c.frames, seed + 2);
  for (int i = 0; i < c.frames; ++i) inL[i] *= c.level, inR[i] *= c.level;
  std::vector<double> fl(c.frames, -9), fr(c.frames, -9), sl(c.frames, -9), sr(c.frames, -9);
  // Two calls, so state carries from one block to the next.
  for (int half = 0; half < 2; ++half) {
    const int off = half * (c.frames / 2), n = half ? c.frames - c.frames / 2 : c.frames / 2;
    eq_ProcessChain(a, inL.data() + off, c.stereo ? inR.data() + off : nullptr, fl.data() + off,
                    c.stereo ? fr.data() + off : nullptr, n);
    ReferenceChain(b, inL.data() + off, c.stereo ? inR.data() + off : nullptr, sl.data() + off,
                   c.stereo ? sr.data() + off : nullptr, n);
  }
  for (int i = 0; i < c.frames; ++i) {
    ASSERT_TRUE(SameBits(fl[i], sl[i])) << "left frame " << i << ": " << fl[i] << " vs " << sl[i];
    ASSERT_TRUE(SameBits(fr[i], sr[i])) << "right frame " << i << ": " << fr[i] << " vs " << sr[i];
  }
  for (int k = 0; k < 8; ++k) {
    for (int ch = 0; ch < 2; ++ch) {
      const rbjfilter::Memories m = fast[k].GetMemories(ch), r = slow[k].GetMemories(ch);
      EXPECT_TRUE(SameBits(m.x1, r.x1) && SameBits(m.x2, r.x2) && SameBits(m.y1, r.y1) &&
                  SameBits(m.y2, r.y2))
          << "memories of filter " << k << " channel " << ch;
    }
  }
}

}  // namespace

TEST(EqChain, MatchesThePerSampleDefinitionForEveryStageCount) {
  OnEveryChainPath([] {
    unsigned seed = 10;
    for (int n = 0; n <= eq_Chain::kMaxStages; ++n)
      for (bool stereo : {false, true})
        for (int frames : {1, 2, 6, 7, 8, 14, 255, 256, 257, 700})
          CheckCase({n, false, false, stereo, frames}, seed++);
  });
}

TEST(EqChain, MatchesThePerSampleDefinitionWithTwoPassesPerFrame) {
  OnEveryChainPath([] {
    unsigned seed = 500;
    for (int n : {0, 1, 2, 3, 4, 7})
      for (bool folded : {false, true})
        for (bool stereo : {false, true})
          for (int frames : {3, 7, 13, 64, 129, 400})
            CheckCase({n, true, folded, stereo, frames}, seed++);
  });
}

// Near the smallest normal numbers the recursion's results keep falling into the subnormal
// range and are flushed; every later step must see the flushed value.
TEST(EqChain, ResultsFlushedFromTheSubnormalRangeFeedBackLikeThePlainDefinition) {
  OnEveryChainPath([] {
    unsigned seed = 700;
    for (int n : {1, 5, 7})
      for (bool twice : {false, true})
        for (bool stereo : {false, true}) CheckCase({n, twice, twice, stereo, 300, 1e-306}, seed++);
  });
}

TEST(EqChain, NonFiniteInputReachesTheOutputLikeThePlainDefinition) {
  OnEveryChainPath([] {
    for (bool stereo : {false, true}) {
      std::vector<rbjfilter> fast = Filters(900), slow = fast;
      eq_Chain a, b;
      a.Add(&fast[2], 0.1);
      b.Add(&slow[2], 0.1);
      // Long enough for the drive values to be computed in vector registers, too.
      std::vector<double> in = Signal(40, 901);
      in[1] = in[17] = NAN, in[9] = INFINITY, in[26] = -INFINITY;
      std::vector<double> fo(40), fr(40), so(40), sr(40);
      eq_ProcessChain(a, in.data(), stereo ? in.data() : nullptr, fo.data(),
                      stereo ? fr.data() : nullptr, 40);
      ReferenceChain(b, in.data(), stereo ? in.data() : nullptr, so.data(),
                     stereo ? sr.data() : nullptr, 40);
      EXPECT_TRUE(std::isnan(fo[1]));
      for (int i = 0; i < 40; ++i) {
        EXPECT_TRUE(SameBits(fo[i], so[i]) || (std::isnan(fo[i]) && std::isnan(so[i])))
            << "frame " << i;
        if (stereo) {
          EXPECT_TRUE(SameBits(fr[i], sr[i]) || (std::isnan(fr[i]) && std::isnan(sr[i])))
              << "right frame " << i;
        }
      }
    }
  });
}

TEST(EqChain, ZeroFramesChangeNothing) {
  std::vector<rbjfilter> f = Filters(901);
  const rbjfilter::Memories before = f[0].GetMemories(0);
  eq_Chain a;
  a.Add(&f[0], 0.2);
  double dummy = 42.0;
  eq_ProcessChain(a, &dummy, nullptr, &dummy, nullptr, 0);
  EXPECT_EQ(dummy, 42.0);
  EXPECT_EQ(f[0].GetMemories(0).y1, before.y1);
}

TEST(EqChain, ProcessingInPlaceGivesTheSameBitsAsSeparateBuffers) {
  OnEveryChainPath([] {
    for (bool twice : {false, true}) {
      std::vector<rbjfilter> a = Filters(77), b = a;
      eq_Chain ca, cb;
      for (int k = 0; k < eq_Chain::kMaxStages; ++k) {
        ca.Add(&a[k], 0.05 * k);
        cb.Add(&b[k], 0.05 * k);
      }
      ca.twice = cb.twice = ca.outputBeforeLast = cb.outputBeforeLast = twice;
      const std::vector<double> l = Signal(700, 78), r = Signal(700, 79);
      std::vector<double> il = l, ir = r, ol(700), orr(700);
      eq_ProcessChain(ca, il.data(), ir.data(), il.data(), ir.data(), 700);
      eq_ProcessChain(cb, l.data(), r.data(), ol.data(), orr.data(), 700);
      for (int i = 0; i < 700; ++i)
        ASSERT_TRUE(SameBits(il[i], ol[i]) && SameBits(ir[i], orr[i]))
            << "twice " << twice << " frame " << i;
    }
  });
}

TEST(EqChain, RunsOnTheFastestPathThisProcessorHasUnlessTestsChooseAnother) {
  EXPECT_EQ(eq_CurrentChainPath(), eq_FastestChainPath());
#if defined(__x86_64__)
  __builtin_cpu_init();
  const bool avx512 = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512vl") &&
                      __builtin_cpu_supports("avx512dq");
  EXPECT_EQ(eq_FastestChainPath(), avx512                           ? eq_kAvx512Path
                                   : __builtin_cpu_supports("avx2") ? eq_kAvx2Path
                                                                    : eq_kSse2Path);
#else
  EXPECT_EQ(eq_FastestChainPath(), eq_kPlainPath);
#endif
  for (int p = 0; p <= eq_FastestChainPath(); ++p)
    EXPECT_TRUE(eq_ChainPathAvailable(static_cast<eq_ChainPath>(p)))
        << ChainPathName(static_cast<eq_ChainPath>(p));
  EXPECT_FALSE(eq_UseChainPath(eq_kNumChainPaths));
  EXPECT_EQ(eq_CurrentChainPath(), eq_FastestChainPath());
}
