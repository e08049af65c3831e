#pragma once
// The equaliser's per-sample path as a chain of biquad stages.
//
// Each stage adds a drive term to the signal, flushes subnormals and runs one
// rbjfilter: x = flush(v + drive * d), where d = sin(clip(input, -1, 1)) is computed
// once per frame from the chain's input; a stage with drive 0.0 only flushes. After the
// stages an output stage forms outScale * v + outDrive * d. With `twice` every frame
// runs through the chain two times from the same input and only the second result is
// kept; the output stage can then sit in front of the last stage (`outputBeforeLast`),
// whose input becomes flush(outScale * v + outDrive * d).
//
// The arithmetic per stage and per sample is exactly that of rbjfilter::Process
// preceded by the drive addition, in the same order of operations, on every processing
// path; the paths only schedule it so that one operation serves several stages and
// channels at once (eq_chain_pipeline.h).

#include "tessor_eq/eq_chain_job.h"
#include "tessor_eq/rbjfilter.h"

struct eq_Stage {
  rbjfilter* filter;
  double drive;  // factor on the drive value, 0.0 for an undriven stage
};

struct eq_Chain {
  static const int kMaxStages = eq_kMaxChainStages;
  eq_Stage stages[kMaxStages];
  int nStages = 0;
  double outScale = 1.0;
  double outDrive = 0.0;
  bool outputBeforeLast = false;  // the output stage is folded into the last stage
  bool twice = false;

  // Appends a stage; a chain holds at most kMaxStages, further ones are ignored.
  void Add(rbjfilter* f, double drive) {
    if (nStages < kMaxStages) stages[nStages++] = eq_Stage{f, drive};
  }
};

// Mono when inR/outR are null: only the filters' left memories are used. No
// allocation, no locks; inputs and outputs may alias channel by channel.
void eq_ProcessChain(const eq_Chain& chain, const double* inL, const double* inR, double* outL,
                     double* outR, int nFrames);

// How the chain runs. Every path gives the same bits; the fastest one the processor has is
// chosen when the program starts.
enum eq_ChainPath {
  eq_kPlainPath,   // plain C++, one channel and one stage per operation: any processor
  eq_kSse2Path,    // left and right of a stage in one 128-bit register: x86-64
  eq_kAvx2Path,    // two stages of left and right in one 256-bit register: x86-64 with AVX2
  eq_kAvx512Path,  // the same with the 32 registers of AVX-512 (F, VL and DQ)
  eq_kNumChainPaths
};

bool eq_ChainPathAvailable(eq_ChainPath path);
eq_ChainPath eq_FastestChainPath();
eq_ChainPath eq_CurrentChainPath();
// Makes every later chain run on `path` (tests and benchmarks compare the paths). Returns
// false and changes nothing when this processor cannot run it. Not meant to be called while
// another thread processes audio.
bool eq_UseChainPath(eq_ChainPath path);
