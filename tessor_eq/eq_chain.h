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
// preceded by the drive addition, in the same order of operations; the stages are
// merely scheduled so that several frames are in flight at once.

#include "tessor_eq/rbjfilter.h"

struct eq_Stage
{
  rbjfilter* filter;
  double drive;  // factor on the drive value, 0.0 for an undriven stage
};

struct eq_Chain
{
  static const int kMaxStages = 7;
  eq_Stage stages[kMaxStages];
  int nStages = 0;
  double outScale = 1.0;
  double outDrive = 0.0;
  bool outputBeforeLast = false;  // the output stage is folded into the last stage
  bool twice = false;

  // Appends a stage; a chain holds at most kMaxStages, further ones are ignored.
  void Add(rbjfilter* f, double drive)
  {
    if (nStages < kMaxStages) stages[nStages++] = eq_Stage{f, drive};
  }
};

// Mono when inR/outR are null: only the filters' left memories are used. No
// allocation, no locks; inputs and outputs may alias channel by channel.
void eq_ProcessChain(const eq_Chain& chain, const double* inL, const double* inR, double* outL,
                     double* outR, int nFrames);
