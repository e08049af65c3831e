#include "cli/UnitSettings.h"

#include "cli/CliError.h"
#include "cli/PresetFile.h"

namespace cli {

UnitSettings::UnitSettings(const HostedUnit& unit, const std::string& presetPath,
                           const std::vector<std::string>& settingTexts)
    : mParams(unit.Parameters()), mPresetPath(presetPath) {
  for (const std::string& text : settingTexts) mSettings.push_back(ParseSetting(mParams, text));
  if (presetPath.empty()) return;
  mPreset = ReadPresetFile(presetPath);
  try {
    CheckPresetFits(DescribePreset(mPreset), presetPath, unit.Entry().description, mParams.size());
  } catch (...) {
    CFRelease(mPreset);
    throw;
  }
}

UnitSettings::~UnitSettings() {
  if (mPreset) CFRelease(mPreset);
}

std::vector<std::string> UnitSettings::ApplyTo(HostedUnit& unit) const {
  if (mPreset) {
    OSStatus status = unit.RestoreState(mPreset);
    if (status != noErr)
      throw Failure("the component refused the preset '" + mPresetPath + "': error " +
                    std::to_string(status));
  }
  std::vector<std::string> lines;
  for (const Setting& s : mSettings) {
    unit.SetParameter(s.id, s.value);
    for (const ParamInfo& p : mParams)
      if (p.id == s.id) lines.push_back(ValueLine(unit, p, s.value));
  }
  return lines;
}

namespace {

// The unit's display text for a value when it says more than the number itself ("80 Hz").
std::string Meaning(const HostedUnit& unit, const ParamInfo& param, double value) {
  const std::string text = unit.DisplayText(param.id, static_cast<float>(value));
  return text == FormatNumber(value) ? "" : text;
}

// " dB" after a level; nothing after an index or a number without a unit.
std::string UnitSuffix(const ParamInfo& param) {
  return param.UnitText().empty() || param.IsStepped() ? "" : " " + param.UnitText();
}

}  // namespace

std::string ValueText(const HostedUnit& unit, const ParamInfo& param, double value) {
  const std::string meaning = Meaning(unit, param, value);
  return meaning.empty() ? FormatNumber(value) + UnitSuffix(param) : meaning;
}

std::string ValueLine(const HostedUnit& unit, const ParamInfo& param, double value) {
  const std::string meaning = Meaning(unit, param, value);
  return param.name + " = " + FormatNumber(value) +
         (meaning.empty() ? UnitSuffix(param) : " (" + meaning + ")");
}

}  // namespace cli
