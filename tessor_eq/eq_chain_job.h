#pragma once
// One block of the stage chain as plain numbers: what the chain front end (eq_chain.cpp) hands
// to a processing path and takes back from it. The paths see no filter objects, only these
// coefficients and memories, so a path built for another instruction set shares no code with
// the rest of the program.

constexpr int eq_kMaxChainStages = 7;  // anti-alias in, five bands, anti-alias out

struct eq_JobStage {
  double b0, b1, b2, a1, a2;  // normalised Direct Form I coefficients
  double drive;               // factor on the drive value added to the stage's input
  double scale;               // factor on the stage's input: 1.0, or the output gain when folded
};

struct eq_JobMemories {
  double x1, x2, y1, y2;
};

struct eq_ChainJob {
  int nStages;  // 0..eq_kMaxChainStages
  bool twice;   // two passes per frame from the same input; the second reaches the output
  bool folded;  // the last stage takes scale * v + drive * d: the output stage is in front of it
  double outScale, outDrive;  // the output stage behind the chain when it is not folded
  eq_JobStage stages[eq_kMaxChainStages];
  eq_JobMemories memories[2][eq_kMaxChainStages];  // [channel][stage], read and written back
  const double* in[2];  // in[1] null: mono; a path may still run memories[1] (zeros) on silence
  double* out[2];
  int nFrames;  // at least 1
};

// The processing paths. Each gives the same bits; they differ only in how many lanes one
// operation serves.
void eq_RunChainPlain(eq_ChainJob& job);   // plain C++: one channel, one stage per operation
void eq_RunChainSse2(eq_ChainJob& job);    // x86-64: left and right of one stage per register
void eq_RunChainAvx2(eq_ChainJob& job);    // x86-64 with AVX2: two stages of left and right
void eq_RunChainAvx512(eq_ChainJob& job);  // the same with AVX-512's 32 registers
