#include "cli/ParamEcho.h"

#include "cli/CliError.h"
#include "cli/ParamLookup.h"

namespace cli {

ParamEcho::ParamEcho(const HostedUnit& unit, std::FILE* out)
    : mUnit(unit), mParams(unit.Parameters()), mOut(out) {
  // What the parameters read now is not news.
  for (const ParamInfo& p : mParams) mLastLine[p.id] = Line(p, unit.GetParameter(p.id));
  if (AUEventListenerCreate(&ParamEcho::OnEvent, this, nullptr, nullptr, 0, 0, &mListener) != noErr)
    throw Failure("cannot listen to the component's parameter changes");
  AudioUnitEvent event = {};
  event.mEventType = kAudioUnitEvent_ParameterValueChange;
  event.mArgument.mParameter = {unit.Unit(), kAUParameterListener_AnyParameter,
                                kAudioUnitScope_Global, 0};
  AUEventListenerAddEventType(mListener, nullptr, &event);
}

ParamEcho::~ParamEcho() { AUListenerDispose(mListener); }

std::string ParamEcho::Line(const ParamInfo& param, float value) const {
  std::string text;
  if (param.IsStepped()) {
    text = mUnit.DisplayText(param.id, value);
    if (text.empty()) text = FormatNumber(value);
  } else {
    // A continuous value to a tenth, as a host's parameter display shows it.
    char number[32];
    std::snprintf(number, sizeof(number), "%.1f", value);
    text = std::string(number) == "-0.0" ? "0.0" : number;
    if (!param.UnitText().empty()) text += " " + param.UnitText();
  }
  return param.name + " = " + text;
}

void ParamEcho::OnEvent(void* self, void*, const AudioUnitEvent* event, UInt64,
                        AudioUnitParameterValue value) {
  ParamEcho* echo = static_cast<ParamEcho*>(self);
  const AudioUnitParameterID id = event->mArgument.mParameter.mParameterID;
  for (const ParamInfo& p : echo->mParams) {
    if (p.id != id) continue;
    const std::string line = echo->Line(p, value);
    std::string& last = echo->mLastLine[id];
    if (line == last) return;
    last = line;
    std::fprintf(echo->mOut, "%s\n", line.c_str());
    std::fflush(echo->mOut);
    return;
  }
}

}  // namespace cli
