// The SSE2 path, part of every x86-64 processor: one 128-bit register holds left and right of
// one stage, so each operation serves both channels; in mono it holds two consecutive stages
// of the one channel instead, working two passes apart.
#include "tessor_eq/eq_chain_pipeline.h"

#if defined(__x86_64__)

namespace {

typedef double v2d __attribute__((vector_size(16)));
typedef int64_t v2l __attribute__((vector_size(16)));

// (stage k L, stage k R).
struct StereoStage {
  typedef v2d V;
  typedef v2d Wide;  // drive values are computed this many at a time
  static constexpr int kChannels = 2;
  static constexpr int kStagesPerChannel = 1;
  static constexpr int kSkew = 1;
  static V Gather(const double* block0, int) { return V{block0[0], block0[1]}; }
  static V Flush(V v) { return ::Flush(v); }
  template <bool FromInput>
  static V Feed(V, V up) {
    return up;
  }
};

// (stage k+1, stage k) of one channel.
struct MonoStagePair {
  typedef v2d V;
  typedef v2d Wide;
  static constexpr int kChannels = 1;
  static constexpr int kStagesPerChannel = 2;
  static constexpr int kSkew = 2;  // stages sharing a register work two passes apart
  static V Gather(const double* block0, int stride) { return V{block0[0], block0[stride]}; }
  static V Flush(V v) { return ::Flush(v); }
  // The higher stage takes the lower stage's result; the lower stage takes the higher stage
  // of the group below (its first lane), or the entering pass (the input's second lane).
  template <bool FromInput>
  static V Feed(V self, V up) {
    return __builtin_shuffle(self, up, v2l{1, FromInput ? 3 : 2});
  }
};

}  // namespace

void eq_RunChainSse2(eq_ChainJob& job) {
  if (job.in[1])
    RunChain<StereoStage>(job, 0);
  else
    RunChain<MonoStagePair>(job, 0);
}

#else

void eq_RunChainSse2(eq_ChainJob& job) { eq_RunChainPlain(job); }

#endif
