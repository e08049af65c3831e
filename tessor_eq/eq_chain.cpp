#include "tessor_eq/eq_chain.h"

#include <atomic>

namespace {

eq_ChainPath Fastest() {
#if defined(__x86_64__)
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512vl") &&
      __builtin_cpu_supports("avx512dq"))
    return eq_kAvx512Path;
  return __builtin_cpu_supports("avx2") ? eq_kAvx2Path : eq_kSse2Path;
#else
  return eq_kPlainPath;
#endif
}

// The path every chain runs on: the fastest one unless a test or benchmark chooses another.
std::atomic<int>& Current() {
  static std::atomic<int> path(eq_FastestChainPath());
  return path;
}

// By eq_ChainPath.
void (*const kRunOn[eq_kNumChainPaths])(eq_ChainJob&) = {eq_RunChainPlain, eq_RunChainSse2,
                                                         eq_RunChainAvx2, eq_RunChainAvx512};

}  // namespace

bool eq_ChainPathAvailable(eq_ChainPath path) {
  switch (path) {
    case eq_kPlainPath:
      return true;
    case eq_kSse2Path:
      return eq_FastestChainPath() != eq_kPlainPath;
    case eq_kAvx2Path:
      return eq_FastestChainPath() >= eq_kAvx2Path;
    case eq_kAvx512Path:
      return eq_FastestChainPath() == eq_kAvx512Path;
    default:
      return false;
  }
}

eq_ChainPath eq_FastestChainPath() {
  static const eq_ChainPath fastest = Fastest();
  return fastest;
}

eq_ChainPath eq_CurrentChainPath() {
  return static_cast<eq_ChainPath>(Current().load(std::memory_order_relaxed));
}

bool eq_UseChainPath(eq_ChainPath path) {
  if (!eq_ChainPathAvailable(path)) return false;
  Current().store(path, std::memory_order_relaxed);
  return true;
}

void eq_ProcessChain(const eq_Chain& chain, const double* inL, const double* inR, double* outL,
                     double* outR, int nFrames) {
  if (nFrames <= 0) return;
  const bool stereo = inR && outR;
  const int nStages = chain.nStages < eq_kMaxChainStages ? chain.nStages : eq_kMaxChainStages;

  eq_ChainJob job;
  job.nStages = nStages < 0 ? 0 : nStages;
  job.twice = chain.twice;
  job.folded = chain.outputBeforeLast && job.nStages > 0;
  job.outScale = chain.outScale;
  job.outDrive = chain.outDrive;
  job.in[0] = inL;
  job.in[1] = stereo ? inR : nullptr;
  job.out[0] = outL;
  job.out[1] = stereo ? outR : nullptr;
  job.nFrames = nFrames;
  for (int k = 0; k < job.nStages; ++k) {
    const rbjfilter& f = *chain.stages[k].filter;
    const rbjfilter::Coefficients c = f.GetCoefficients();
    const bool outputStage = job.folded && k == job.nStages - 1;
    const double drive = outputStage ? chain.outDrive : chain.stages[k].drive;
    const double scale = outputStage ? chain.outScale : 1.0;
    job.stages[k] = eq_JobStage{c.b0, c.b1, c.b2, c.a1, c.a2, drive, scale};
    for (int ch = 0; ch < 2; ++ch) {
      // Mono: the right lanes run on silence from zero memories and are not kept.
      const rbjfilter::Memories m =
          (ch == 0 || stereo) ? f.GetMemories(ch) : rbjfilter::Memories{0, 0, 0, 0};
      job.memories[ch][k] = eq_JobMemories{m.x1, m.x2, m.y1, m.y2};
    }
  }

  kRunOn[eq_CurrentChainPath()](job);

  for (int k = 0; k < job.nStages; ++k) {
    for (int ch = 0; ch < (stereo ? 2 : 1); ++ch) {
      const eq_JobMemories& m = job.memories[ch][k];
      chain.stages[k].filter->SetMemories(ch, rbjfilter::Memories{m.x1, m.x2, m.y1, m.y2});
    }
  }
}
