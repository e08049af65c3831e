// The AVX-512 path: the skewed 256-bit layout with AVX-512's 32 vector registers, which hold a
// whole chain's coefficients and memories, and its class test and masked moves for a flush in
// two operations instead of three. Only called once the processor is known to have AVX-512F,
// AVX-512VL and AVX-512DQ.
#if defined(__x86_64__)
#pragma GCC target("avx2,avx512f,avx512vl,avx512dq")
#define EQ_CHAIN_AVX512 1

#include "tessor_eq/eq_chain_skewed_lanes.h"

void eq_RunChainAvx512(eq_ChainJob& job) { RunSkewedChain<StereoSkewedYmm>(job); }

#else

#include "tessor_eq/eq_chain_job.h"

void eq_RunChainAvx512(eq_ChainJob& job) { eq_RunChainPlain(job); }

#endif
