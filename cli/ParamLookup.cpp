#include "cli/ParamLookup.h"

#include "cli/CliError.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace cli {

namespace {

std::string Trim(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
  return s.substr(b, e - b);
}

// Trimmed, without one pair of surrounding quotes: a value quoted twice over by a script or
// shell ('HPF="80 Hz"') still means 80 Hz.
std::string Unquote(const std::string& s) {
  std::string t = Trim(s);
  if (t.size() >= 2 && (t[0] == '"' || t[0] == '\'') && t.back() == t[0])
    t = Trim(t.substr(1, t.size() - 2));
  return t;
}

std::string Lower(const std::string& s) {
  std::string out;
  for (unsigned char c : s) out += static_cast<char>(std::tolower(c));
  return out;
}

// Lower case without spaces, underscores and dashes: "MF Level 1" -> "mflevel1".
std::string Loose(const std::string& s) {
  std::string out;
  for (unsigned char c : s)
    if (!std::isspace(c) && c != '_' && c != '-') out += static_cast<char>(std::tolower(c));
  return out;
}

std::string Range(const ParamInfo& p) {
  std::string text = FormatNumber(p.minValue) + ".." + FormatNumber(p.maxValue);
  if (!p.UnitText().empty() && !p.IsStepped()) text += " " + p.UnitText();
  if (!p.valueStrings.empty()) {
    text += " or one of";
    for (size_t i = 0; i < p.valueStrings.size(); ++i)
      text += (i ? ", \"" : " \"") + p.valueStrings[i] + "\"";
  }
  return text;
}

// A finite number, optionally followed by the parameter's unit ("6dB", "6 dB").
bool ParseNumber(const ParamInfo& p, const std::string& text, double* value) {
  if (text.empty()) return false;
  errno = 0;
  char* end = nullptr;
  double v = std::strtod(text.c_str(), &end);
  if (end == text.c_str() || errno == ERANGE || !std::isfinite(v)) return false;
  std::string rest = Lower(Trim(end));
  if (!rest.empty() && (p.UnitText().empty() || rest != Lower(p.UnitText()))) return false;
  *value = v;
  return true;
}

}  // namespace

std::string FormatNumber(double value) {
  char buf[64];
  std::snprintf(buf, sizeof(buf), "%.6f", value);
  std::string s = buf;
  while (!s.empty() && s.back() == '0') s.pop_back();
  if (!s.empty() && s.back() == '.') s.pop_back();
  if (s == "-0") s = "0";
  return s;
}

const ParamInfo& FindParam(const std::vector<ParamInfo>& params, const std::string& rawText) {
  const std::string text = Unquote(rawText);
  for (const ParamInfo& p : params)
    if (Lower(p.name) == Lower(text)) return p;
  const ParamInfo* loose = nullptr;
  int looseCount = 0;
  for (const ParamInfo& p : params)
    if (!Loose(text).empty() && Loose(p.name) == Loose(text)) {
      loose = &p;
      ++looseCount;
    }
  if (looseCount == 1) return *loose;
  if (!text.empty() && text.find_first_not_of("0123456789") == std::string::npos &&
      text.size() < 10) {
    unsigned long index = std::strtoul(text.c_str(), nullptr, 10);
    for (const ParamInfo& p : params)
      if (p.id == index) return p;
  }
  throw UsageError("unknown parameter '" + rawText + "' (see 'tessor-eq params')");
}

float ParseParamValue(const ParamInfo& p, const std::string& rawText) {
  const std::string text = Unquote(rawText);
  for (size_t i = 0; i < p.valueStrings.size(); ++i)
    if (Lower(p.valueStrings[i]) == Lower(text)) return static_cast<float>(i);
  for (size_t i = 0; i < p.valueStrings.size(); ++i)
    if (!Loose(text).empty() && Loose(p.valueStrings[i]) == Loose(text))
      return static_cast<float>(i);

  double v = 0;
  if (!ParseNumber(p, text, &v))
    throw UsageError("'" + rawText + "' is not a value of " + p.name + "; it takes " + Range(p));
  if (v < p.minValue || v > p.maxValue)
    throw UsageError(FormatNumber(v) + " is outside the range of " + p.name + " (" + Range(p) +
                     ")");
  if (p.IsStepped() && v != std::floor(v))
    throw UsageError(p.name + " takes whole steps, not " + FormatNumber(v) + " (" + Range(p) + ")");
  return static_cast<float>(v);
}

Setting ParseSetting(const std::vector<ParamInfo>& params, const std::string& text) {
  size_t eq = text.find('=');
  if (eq == std::string::npos) throw UsageError("--set wants NAME=VALUE, not '" + text + "'");
  const ParamInfo& p = FindParam(params, text.substr(0, eq));
  return Setting{p.id, ParseParamValue(p, text.substr(eq + 1))};
}

}  // namespace cli
