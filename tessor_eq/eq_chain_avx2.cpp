// The AVX2 path: the skewed 256-bit layout with the 16 registers AVX2 has. Built for AVX2 alone
// and only called once the processor is known to have it.
#if defined(__x86_64__)
#pragma GCC target("avx2")

#include "tessor_eq/eq_chain_skewed_lanes.h"

void eq_RunChainAvx2(eq_ChainJob& job) { RunSkewedChain<StereoSkewedYmm>(job); }

#else

#include "tessor_eq/eq_chain_job.h"

void eq_RunChainAvx2(eq_ChainJob& job) { eq_RunChainPlain(job); }

#endif
