// The magnitude response of the unit with given settings, measured through the Audio Unit
// API as any host could: a fresh instance renders a one-sample impulse followed by a
// second of silence, and the spectrum of what comes out is evaluated at each frequency.
// At the impulse's small level (2^-10) the unit is linear to within 1e-7, so the result is
// its response to any quiet signal, drive terms and oversampling included.
#ifndef TESSOR_CLI_RESPONSE_MEASURE_H
#define TESSOR_CLI_RESPONSE_MEASURE_H

#include <string>
#include <vector>

namespace cli {

struct ResponsePoint {
  double hz = 0;
  double db = 0;
};

struct ResponseRequest {
  std::string componentPath;
  std::string presetPath;             // empty: none
  std::vector<std::string> settings;  // "NAME=VALUE", applied in order after the preset
  int rate = 48000;
};

struct MeasuredResponse {
  int rate = 0;
  std::vector<ResponsePoint> points;  // at ResponseFrequencies(rate)
  std::vector<std::string> state;     // every parameter as "Name: value", in parameter order
};

// 20 Hz to 20 kHz in 480 equal steps on a logarithmic scale (160 per decade), leaving out
// those at or above half the rate.
std::vector<double> ResponseFrequencies(int rate);

// Throws a usage or failure CliError for settings that do not fit the unit, and a failure
// when the impulse response is not finite or does not die away within the second (a filter
// that is unstable at the rate).
MeasuredResponse MeasureResponse(const ResponseRequest& request);

}  // namespace cli

#endif
