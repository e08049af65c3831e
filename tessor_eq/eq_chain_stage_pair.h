#pragma once
// The 256-bit layout: two consecutive stages of left and right in the four lanes of one
// register, (stage k+1 L, stage k+1 R, stage k L, stage k R), working two passes apart. Each
// stage hands its result to the next across the register's 128-bit halves, one shuffle.
//
// Included by the AVX2 and the AVX-512 source files after each has chosen its instruction
// set; with AVX-512 the compiler has 32 registers for the chain and computes drive values in
// 512-bit registers. No fused multiply-add in either.

#include <immintrin.h>

#include "tessor_eq/eq_chain_pipeline.h"

namespace {

typedef double v2d __attribute__((vector_size(16)));
typedef double v4d __attribute__((vector_size(32)));
typedef int64_t v4l __attribute__((vector_size(32)));

struct StereoStagePair {
  typedef v4d V;
#if defined(__AVX512F__)
  typedef double Wide __attribute__((vector_size(64)));  // drive values, eight at a time
#else
  typedef v4d Wide;
#endif
  static constexpr int kChannels = 2;
  static constexpr int kStagesPerChannel = 2;
  static constexpr int kSkew = 2;  // stages sharing a register work two passes apart

  // The first half from block0, the second from `stride` doubles further on.
  static V Gather(const double* block0, int stride) {
    v2d lo, hi;
    std::memcpy(&lo, block0, sizeof lo);
    std::memcpy(&hi, block0 + stride, sizeof hi);
    return __builtin_shufflevector(lo, hi, 0, 1, 2, 3);
  }

  // The flush rule as compare-and-mask in vector registers, written out so that with AVX-512
  // the compiler keeps it so instead of going through mask registers, which would double its
  // latency inside the recursion.
  static V Flush(V v) {
    const __m256d absMask = _mm256_castsi256_pd(_mm256_set1_epi64x(kMagnitudeBits));
    const __m256d tiny =
        _mm256_cmp_pd(_mm256_and_pd(v, absMask), _mm256_set1_pd(DBL_MIN), _CMP_LT_OQ);
    return _mm256_andnot_pd(tiny, v);
  }

  // The higher stage takes the lower stage's result; the lower stage takes the higher stage
  // of the group below (its first half), or the entering pass (the input's second half).
  template <bool FromInput>
  static V Feed(V self, V up) {
    return __builtin_shuffle(self, up, v4l{2, 3, FromInput ? 6 : 4, FromInput ? 7 : 5});
  }
};

}  // namespace
