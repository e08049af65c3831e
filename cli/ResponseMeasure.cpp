#include "cli/ResponseMeasure.h"

#include "cli/CliError.h"
#include "cli/HostedUnit.h"
#include "cli/UnitSettings.h"

#include <algorithm>
#include <cmath>
#include <complex>

namespace cli {

namespace {

const double kPi = 3.141592653589793;
const unsigned kBlock = 4096;
const float kImpulse = 1.0f / 1024;
const int kStepsPerDecade = 160;

// The unit's impulse response: rate frames (one second, rounded up to whole blocks) per unit
// of input.
std::vector<double> RenderImpulseResponse(HostedUnit& unit, int rate) {
  std::vector<float> in(kBlock, 0.0f), out(kBlock, 0.0f);
  const float* inPtr[1] = {in.data()};
  float* outPtr[1] = {out.data()};
  std::vector<double> h;
  in[0] = kImpulse;
  while (h.size() < static_cast<size_t>(rate)) {
    unit.Render(inPtr, outPtr, kBlock);
    in[0] = 0.0f;
    for (float y : out) {
      if (!std::isfinite(y))
        throw Failure("the unit's output at " + std::to_string(rate) +
                      " Hz is not a finite number (a filter unstable at that rate?); there is "
                      "no response to measure");
      h.push_back(y / static_cast<double>(kImpulse));
    }
  }
  return h;
}

// The length of h that matters: it must have died away in its last quarter, and what lies
// below 1e-12 of its peak at the end is left out of the sums.
size_t SettledLength(const std::vector<double>& h, int rate) {
  double total = 0, tail = 0, peak = 0;
  for (size_t i = 0; i < h.size(); ++i) {
    total += h[i] * h[i];
    if (i >= h.size() * 3 / 4) tail += h[i] * h[i];
    peak = std::max(peak, std::fabs(h[i]));
  }
  if (tail > 1e-24 * total)
    throw Failure("the unit's response at " + std::to_string(rate) +
                  " Hz does not die away within a second (a filter unstable at that rate?); "
                  "there is no steady response to measure");
  size_t n = h.size();
  while (n > 1 && std::fabs(h[n - 1]) <= 1e-12 * peak) --n;
  return n;
}

// The spectrum of h[0..n) at w radians per sample. The phasor is advanced by multiplication
// and set afresh every 256 samples, so its rounding cannot build up.
std::complex<double> SpectrumAt(const std::vector<double>& h, size_t n, double w) {
  const std::complex<double> step = std::polar(1.0, -w);
  std::complex<double> sum = 0;
  for (size_t start = 0; start < n; start += 256) {
    std::complex<double> phasor = std::polar(1.0, -w * static_cast<double>(start));
    const size_t end = std::min(n, start + 256);
    for (size_t i = start; i < end; ++i) {
      sum += h[i] * phasor;
      phasor *= step;
    }
  }
  return sum;
}

}  // namespace

std::vector<double> ResponseFrequencies(int rate) {
  std::vector<double> hz;
  for (int k = 0; k <= 3 * kStepsPerDecade; ++k) {
    const double f = 20.0 * std::pow(10.0, static_cast<double>(k) / kStepsPerDecade);
    if (f >= rate / 2.0) break;
    hz.push_back(f);
  }
  return hz;
}

MeasuredResponse MeasureResponse(const ResponseRequest& request) {
  HostedUnit unit(request.componentPath);
  const UnitSettings settings(unit, request.presetPath, request.settings);
  unit.Configure(request.rate, 1, kBlock);
  settings.ApplyTo(unit);
  unit.Initialize();

  MeasuredResponse response;
  response.rate = request.rate;
  for (const ParamInfo& p : unit.Parameters())
    response.state.push_back(p.name + ": " + ValueText(unit, p, unit.GetParameter(p.id)));

  const std::vector<double> h = RenderImpulseResponse(unit, request.rate);
  const size_t n = SettledLength(h, request.rate);
  for (double hz : ResponseFrequencies(request.rate)) {
    const double magnitude = std::abs(SpectrumAt(h, n, 2 * kPi * hz / request.rate));
    response.points.push_back({hz, 20.0 * std::log10(std::max(magnitude, 1e-15))});
  }
  return response;
}

}  // namespace cli
