// Turning what a user types into parameter IDs and values: a parameter by its host name
// (case-insensitive, spaces optional) or its index; a value as a number in the parameter's
// unit ("6", "-3.5", "6 dB") or as one of its display texts ("80 Hz", "on").
#ifndef TESSOR_CLI_PARAM_LOOKUP_H
#define TESSOR_CLI_PARAM_LOOKUP_H

#include "cli/HostedUnit.h"

#include <string>
#include <vector>

namespace cli {

struct Setting {
  AudioUnitParameterID id = 0;
  float value = 0;
};

// The parameter named by text. Throws a usage error for a name or index that matches none.
const ParamInfo& FindParam(const std::vector<ParamInfo>& params, const std::string& text);

// The value text stands for. Throws a usage error for text that is neither a display text
// nor a finite number, for a value outside the parameter's range and for a fractional value
// of an indexed or boolean parameter.
float ParseParamValue(const ParamInfo& param, const std::string& text);

// "NAME=VALUE" from --set. Throws a usage error for text without '=' and as above.
Setting ParseSetting(const std::vector<ParamInfo>& params, const std::string& text);

// A value as the command prints it: "6", "-3.5", "0.25" (shortest of up to 6 decimals).
std::string FormatNumber(double value);

}  // namespace cli

#endif
