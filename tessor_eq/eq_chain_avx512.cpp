// The AVX-512 path: the same 256-bit stage-pair layout as the AVX2 path, built with AVX-512's
// 32 vector registers, which hold a whole chain's coefficients and memories, and 512-bit
// registers for the drive values. Only called once the processor is known to have AVX-512F
// and AVX-512VL.
#if defined(__x86_64__)
#pragma GCC target("avx2,avx512f,avx512vl")

#include "tessor_eq/eq_chain_stage_pair.h"

void eq_RunChainAvx512(eq_ChainJob& job) { RunChain<StereoStagePair>(job, 0); }

#else

#include "tessor_eq/eq_chain_job.h"

void eq_RunChainAvx512(eq_ChainJob& job) { eq_RunChainPlain(job); }

#endif
