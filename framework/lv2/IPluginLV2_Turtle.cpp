#include "framework/lv2/IPluginLV2_Turtle.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <vector>

#include "framework/IPluginUtilities.h"
#include "framework/lv2/IPluginLV2.h"

namespace {

const char* const kPrefixes =
    "@prefix doap: <http://usefulinc.com/ns/doap#> .\n"
    "@prefix foaf: <http://xmlns.com/foaf/0.1/> .\n"
    "@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n"
    "@prefix pset: <http://lv2plug.in/ns/ext/presets#> .\n"
    "@prefix rdf: <http://www.w3.org/1999/02/22-rdf-syntax-ns#> .\n"
    "@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .\n"
    "@prefix state: <http://lv2plug.in/ns/ext/state#> .\n"
    "@prefix units: <http://lv2plug.in/ns/extensions/units#> .\n"
    "@prefix urid: <http://lv2plug.in/ns/ext/urid#> .\n\n";

// A Turtle string literal.
std::string Quoted(const char* text) {
  std::string s = "\"";
  for (const char* p = text; *p; ++p) {
    if (*p == '"' || *p == '\\') s += '\\';
    if (*p == '\n') {
      s += "\\n";
      continue;
    }
    s += *p;
  }
  return s + "\"";
}

// A Turtle decimal with the fewest digits that read back as exactly v ("0.1", not
// "0.10000000000000001"; "-20.0", not "-2e+01"); always with a point or an exponent, so it is
// never read as an integer.
std::string Number(double v) {
  if (!std::isfinite(v)) v = 0.0;
  char buf[400];
  const double magnitude = std::fabs(v);
  const bool fixed = magnitude == 0.0 || (magnitude >= 1e-4 && magnitude < 1e15);
  for (int digits = fixed ? 0 : 1; digits <= 17; ++digits) {
    snprintf(buf, sizeof(buf), fixed ? "%.*f" : "%.*g", digits, v);
    if (strtod(buf, nullptr) == v) break;
  }
  std::string s = buf;
  if (s.find_first_of(".e") == std::string::npos) s += ".0";
  return s;
}

// A symbol that no other port of the plug-in has, made from text.
std::string UniqueSymbol(const char* text, std::set<std::string>* pTaken) {
  std::string s;
  for (const char* p = text; *p; ++p) {
    const unsigned char c = static_cast<unsigned char>(*p);
    if (c < 128 && isalnum(c))
      s += static_cast<char>(tolower(c));
    else if (!s.empty() && s.back() != '_')
      s += '_';
  }
  while (!s.empty() && s.back() == '_') s.pop_back();
  if (s.empty() || isdigit(static_cast<unsigned char>(s[0]))) s.insert(0, "_");
  std::string unique = s;
  for (int n = 2; pTaken->count(unique); ++n) unique = s + "_" + std::to_string(n);
  pTaken->insert(unique);
  return unique;
}

// Symbols and names of one side's audio ports: "in" / "In", "in_l" / "In L", "in_3" / "In 3".
void AudioPortNames(const char* side, const char* sideName, int count, int channel,
                    std::string* pSymbol, std::string* pName) {
  static const char* const kStereo[2][2] = {{"l", "L"}, {"r", "R"}};
  *pSymbol = side;
  *pName = sideName;
  if (count == 1) return;
  if (count == 2) {
    *pSymbol += std::string("_") + kStereo[channel][0];
    *pName += std::string(" ") + kStereo[channel][1];
  } else {
    *pSymbol += "_" + std::to_string(channel + 1);
    *pName += " " + std::to_string(channel + 1);
  }
}

std::string UnitFor(const char* label) {
  static const char* const kUnits[][2] = {{"dB", "units:db"},   {"Hz", "units:hz"},
                                          {"kHz", "units:khz"}, {"ms", "units:ms"},
                                          {"s", "units:s"},     {"%", "units:pc"}};
  for (const auto& unit : kUnits)
    if (!strcmp(label, unit[0])) return unit[1];
  std::string render = label;
  for (size_t at = render.find('%'); at != std::string::npos; at = render.find('%', at + 2))
    render.insert(at, "%");
  return "[ a units:Unit ; rdfs:label " + Quoted(label) + " ; units:symbol " + Quoted(label) +
         " ; units:render " + Quoted(("%f " + render).c_str()) + " ]";
}

bool IsToggle(const IParam* p) {
  const EParamKind kind = p->Type();
  return kind == kParamBool ||
         ((kind == kParamInt || kind == kParamEnum) && p->GetMin() == 0.0 && p->GetMax() == 1.0);
}

std::string ControlPort(const IParam* p, int index, const std::string& symbol) {
  std::string t = "\t\ta lv2:InputPort, lv2:ControlPort ;\n";
  t += "\t\tlv2:index " + std::to_string(index) + " ;\n";
  t += "\t\tlv2:symbol " + Quoted(symbol.c_str()) + " ;\n";
  t += "\t\tlv2:name " + Quoted(p->GetNameForHost()) + " ;\n";
  t += "\t\tlv2:default " + Number(p->Value()) + " ;\n";
  t += "\t\tlv2:minimum " + Number(p->GetMin()) + " ;\n";
  t += "\t\tlv2:maximum " + Number(p->GetMax());
  if (IsToggle(p))
    t += " ;\n\t\tlv2:portProperty lv2:toggled, lv2:integer";
  else if (p->Type() == kParamEnum)
    t += " ;\n\t\tlv2:portProperty lv2:integer, lv2:enumeration";
  else if (p->Type() == kParamInt)
    t += " ;\n\t\tlv2:portProperty lv2:integer";
  if (*p->GetLabelForHost()) t += " ;\n\t\tunits:unit " + UnitFor(p->GetLabelForHost());
  // One scale point per value, labelled with the text a host shows for it (the first entry).
  std::string points;
  int value = 0;
  for (int i = 0; const char* text = p->GetDisplayTextAtIdx(i, &value); ++i) {
    if (!*text || strcmp(text, p->GetDisplayText(value)) != 0) continue;
    points += points.empty() ? "\t\tlv2:scalePoint " : " ,\n\t\t\t";
    points += "[ rdfs:label " + Quoted(text) + " ; rdf:value " + Number(value) + " ]";
  }
  if (!points.empty()) t += " ;\n" + points;
  return t + "\n";
}

struct Variant {
  std::string uri;
  std::string name;  // doap:name
  int nIn;
  int nOut;
};

bool WriteFile(const std::string& path, const std::string& text, std::string* pError) {
  FILE* f = fopen(path.c_str(), "w");
  if (!f) {
    *pError = "cannot write " + path + ": " + strerror(errno);
    return false;
  }
  const bool written = fwrite(text.data(), 1, text.size(), f) == text.size();
  if (fclose(f) != 0 || !written) {
    *pError = "cannot write " + path + ": " + strerror(errno);
    return false;
  }
  return true;
}

// The plug-in's own file name without ".so": "TessorEQ.so" -> "TessorEQ.ttl".
std::string PluginFileName(const char* binary) {
  std::string name = binary;
  const size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.erase(dot);
  return name + ".ttl";
}

}  // namespace

bool WriteLV2Bundle(IPluginLV2* plug, const LV2BundleFiles& files, std::string* pError) {
  std::vector<Variant> variants;
  for (int i = 0; i < plug->NChannelIO(); ++i) {
    Variant v;
    plug->GetChannelIO(i, &v.nIn, &v.nOut);
    v.uri = IPluginLV2::VariantURI(plug->GetPluginURI(), v.nIn, v.nOut).Get();
    std::string kind = IPluginLV2::VariantName(v.nIn, v.nOut).Get();
    if (kind == "mono" || kind == "stereo")
      kind[0] = static_cast<char>(toupper(kind[0]));
    else
      kind = std::to_string(v.nIn) + " in, " + std::to_string(v.nOut) + " out";
    v.name = std::string(plug->GetEffectName()) + " (" + kind + ")";
    variants.push_back(v);
  }

  // Symbols of the control ports, the same in every plug-in of the bundle.
  std::set<std::string> taken;
  std::vector<std::string> paramSymbols;
  for (int i = 0; i < plug->NParams(); ++i)
    paramSymbols.push_back(UniqueSymbol(plug->GetParam(i)->GetNameForHost(), &taken));

  int major = 0, minor = 0, patch = 0;
  GetVersionParts(plug->GetEffectVersion(false), &major, &minor, &patch);
  const std::string pluginFile = PluginFileName(files.binary);
  const bool hasClass =
      files.pluginClass && *files.pluginClass && strcmp(files.pluginClass, "Plugin");

  std::string manifest = kPrefixes, plugins = kPrefixes, presets = kPrefixes;
  // The project the plug-ins belong to names the maker.
  plugins += "<" + std::string(plug->GetPluginURI()) + ">\n\ta doap:Project ;\n\tdoap:name " +
             Quoted(plug->GetEffectName()) + " ;\n\tdoap:maintainer [ foaf:name " +
             Quoted(plug->GetMfrName()) + " ] .\n\n";
  for (const Variant& v : variants) {
    manifest += "<" + v.uri + ">\n\ta lv2:Plugin ;\n\tlv2:binary <" + files.binary +
                "> ;\n\trdfs:seeAlso <" + pluginFile + "> .\n\n";

    plugins += "<" + v.uri + ">\n\ta lv2:Plugin";
    if (hasClass) plugins += std::string(", lv2:") + files.pluginClass;
    plugins += " ;\n\tdoap:name " + Quoted(v.name.c_str()) + " ;\n";
    plugins += "\tlv2:project <" + std::string(plug->GetPluginURI()) + "> ;\n";
    plugins += "\tlv2:minorVersion " + std::to_string(minor) + " ;\n";
    plugins += "\tlv2:microVersion " + std::to_string(patch) + " ;\n";
    plugins += "\tlv2:optionalFeature lv2:hardRTCapable, urid:map ;\n";
    plugins += "\tlv2:extensionData state:interface";
    std::vector<std::string> ports;
    for (int i = 0; i < plug->NParams(); ++i)
      ports.push_back(ControlPort(plug->GetParam(i), i, paramSymbols[i]));
    std::set<std::string> audioTaken = taken;
    for (int side = 0; side < 2; ++side) {
      const int count = side == 0 ? v.nIn : v.nOut;
      for (int c = 0; c < count; ++c) {
        std::string symbol, name;
        AudioPortNames(side == 0 ? "in" : "out", side == 0 ? "In" : "Out", count, c, &symbol,
                       &name);
        std::string t = side == 0 ? "\t\ta lv2:InputPort, lv2:AudioPort ;\n"
                                  : "\t\ta lv2:OutputPort, lv2:AudioPort ;\n";
        t += "\t\tlv2:index " + std::to_string(ports.size()) + " ;\n";
        t += "\t\tlv2:symbol " + Quoted(UniqueSymbol(symbol.c_str(), &audioTaken).c_str()) + " ;\n";
        t += "\t\tlv2:name " + Quoted(name.c_str()) + "\n";
        ports.push_back(t);
      }
    }
    for (size_t i = 0; i < ports.size(); ++i)
      plugins += (i == 0 ? " ;\n\tlv2:port [\n" : "\t] , [\n") + ports[i];
    plugins += ports.empty() ? " .\n\n" : "\t] .\n\n";
  }

  // Presets after the plug-ins: restoring them changes the values the defaults were read from.
  std::set<std::string> presetSymbols;
  for (int slot = 0; slot < plug->NPresets(); ++slot) {
    if (!plug->RestorePreset(slot)) continue;
    std::string values;
    for (int i = 0; i < plug->NParams(); ++i) {
      values += values.empty() ? "\tlv2:port [\n" : " , [\n";
      values += "\t\tlv2:symbol " + Quoted(paramSymbols[i].c_str()) + " ;\n\t\tpset:value " +
                Number(plug->GetParam(i)->Value()) + "\n\t]";
    }
    const std::string presetSymbol = UniqueSymbol(plug->GetPresetName(slot), &presetSymbols);
    for (const Variant& v : variants) {
      const std::string uri = v.uri + "/preset/" + presetSymbol;
      manifest += "<" + uri + ">\n\ta pset:Preset ;\n\tlv2:appliesTo <" + v.uri +
                  "> ;\n\trdfs:seeAlso <presets.ttl> .\n\n";
      presets += "<" + uri + ">\n\ta pset:Preset ;\n\tlv2:appliesTo <" + v.uri +
                 "> ;\n\trdfs:label " + Quoted(plug->GetPresetName(slot)) + " ;\n" + values +
                 " .\n\n";
    }
  }

  const std::string dir = std::string(files.dir) + "/";
  return WriteFile(dir + "manifest.ttl", manifest, pError) &&
         WriteFile(dir + pluginFile, plugins, pError) &&
         WriteFile(dir + "presets.ttl", presets, pError);
}
