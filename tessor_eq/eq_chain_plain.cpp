// The plain C++ path: one channel at a time, one stage per operation. Runs on any processor;
// the channels share nothing but their drive rule, so left then right gives the same bits as
// both together.
#include "tessor_eq/eq_chain_pipeline.h"

namespace {

struct OneChannel {
  typedef double V;
  typedef double Wide;  // drive values are computed this many at a time
  static constexpr int kChannels = 1;
  static constexpr int kStagesPerChannel = 1;
  static constexpr int kSkew = 1;
  static V Gather(const double* block0, int) { return *block0; }
  static V Flush(V v) { return ::Flush(v); }
  template <bool FromInput>
  static V Feed(V, V up) {
    return up;
  }
};

}  // namespace

void eq_RunChainPlain(eq_ChainJob& job) {
  RunChain<OneChannel>(job, 0);
  if (job.in[1]) RunChain<OneChannel>(job, 1);
}
