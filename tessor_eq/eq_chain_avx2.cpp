// The AVX2 path: the 256-bit stage-pair layout with the 16 registers AVX2 has. Built for AVX2
// alone and only called once the processor is known to have it.
#if defined(__x86_64__)
#pragma GCC target("avx2")

#include "tessor_eq/eq_chain_stage_pair.h"

void eq_RunChainAvx2(eq_ChainJob& job) { RunChain<StereoStagePair>(job, 0); }

#else

#include "tessor_eq/eq_chain_job.h"

void eq_RunChainAvx2(eq_ChainJob& job) { eq_RunChainPlain(job); }

#endif
