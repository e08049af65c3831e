// Prints the changes of a unit's parameters as they happen, one line each in the unit's own
// words ("Gain = 3.2 dB", "HPF = 80 Hz"): an Audio Unit event listener for the unit's value
// changes, delivered on the thread that makes the change. A change that reads the same as the
// parameter's last line (a knob moved by less than the display shows) prints nothing.
#ifndef TESSOR_CLI_PARAM_ECHO_H
#define TESSOR_CLI_PARAM_ECHO_H

#include "cli/HostedUnit.h"

#include <AudioToolbox/AudioUnitUtilities.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace cli {

class ParamEcho {
 public:
  // Listens from now on until destroyed. Throws a failure when the listener cannot be made.
  ParamEcho(const HostedUnit& unit, std::FILE* out);
  ~ParamEcho();
  ParamEcho(const ParamEcho&) = delete;
  ParamEcho& operator=(const ParamEcho&) = delete;

  // "Gain = 3.2 dB", "HPF = 80 Hz": the name, then a continuous value to a tenth with its unit,
  // a stepped one in the unit's display text.
  std::string Line(const ParamInfo& param, float value) const;

 private:
  static void OnEvent(void* self, void* object, const AudioUnitEvent* event, UInt64 hostTime,
                      AudioUnitParameterValue value);

  const HostedUnit& mUnit;
  std::vector<ParamInfo> mParams;
  std::map<AudioUnitParameterID, std::string> mLastLine;
  std::FILE* mOut;
  AUEventListenerRef mListener = nullptr;
};

}  // namespace cli

#endif
