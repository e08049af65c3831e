#include "cli/ToneLevels.h"

#include <cmath>

namespace cli {

namespace {
const double kTwoPi = 6.283185307179586;
}

ToneSum::ToneSum(const std::vector<double>& frequencies, double amplitude, double phase, int rate)
    : mAmplitude(amplitude), mPhase(phase) {
  for (double f : frequencies) mOmegas.push_back(kTwoPi * f / rate);
}

float ToneSum::Sample(int64_t n) const {
  double sum = 0;
  for (size_t k = 0; k < mOmegas.size(); ++k)
    sum += std::sin(mOmegas[k] * static_cast<double>(n) + mPhase * static_cast<double>(k + 1));
  return static_cast<float>(mAmplitude * sum);
}

ToneMeter::ToneMeter(const std::vector<double>& frequencies, int rate)
    : mRe(frequencies.size(), 0.0), mIm(frequencies.size(), 0.0) {
  for (double f : frequencies) mOmegas.push_back(kTwoPi * f / rate);
}

void ToneMeter::Add(int64_t n, float sample) {
  for (size_t k = 0; k < mOmegas.size(); ++k) {
    const double phase = mOmegas[k] * static_cast<double>(n);
    mRe[k] += sample * std::cos(phase);
    mIm[k] -= sample * std::sin(phase);
  }
  ++mCount;
}

std::vector<double> ToneMeter::Amplitudes() const {
  std::vector<double> out;
  for (size_t k = 0; k < mOmegas.size(); ++k)
    out.push_back(mCount ? 2.0 * std::hypot(mRe[k], mIm[k]) / static_cast<double>(mCount) : 0.0);
  return out;
}

}  // namespace cli
