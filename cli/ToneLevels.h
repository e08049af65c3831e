// Test tones for the demonstration: a sum of sines at chosen frequencies, and the level of
// each of those frequencies measured in a signal by a single-bin DFT over whole cycles.
#ifndef TESSOR_CLI_TONE_LEVELS_H
#define TESSOR_CLI_TONE_LEVELS_H

#include <cstdint>
#include <vector>

namespace cli {

// Sample n of sum_k amplitude * sin(2 pi f_k n / rate + phase_k).
class ToneSum {
 public:
  ToneSum(const std::vector<double>& frequencies, double amplitude, double phase, int rate);
  float Sample(int64_t n) const;

 private:
  std::vector<double> mOmegas;
  double mAmplitude, mPhase;
};

// Accumulates, for every frequency, the DFT bin of the samples given to Add and reports the
// amplitude of each sinusoid. With a window that holds whole cycles of every frequency
// (e.g. one second at integer frequencies) the bins do not leak into each other.
class ToneMeter {
 public:
  ToneMeter(const std::vector<double>& frequencies, int rate);
  void Add(int64_t n, float sample);
  std::vector<double> Amplitudes() const;

 private:
  std::vector<double> mOmegas;
  std::vector<double> mRe, mIm;
  int64_t mCount = 0;
};

}  // namespace cli

#endif
