// Finding installed faces by name through fontconfig: full names, family names, the
// metric-compatible families the configuration substitutes ("Arial" -> Liberation Sans),
// and family names followed by style words.
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "TextEngine/TextFace.h"
#include "TextEngineLock.h"

namespace {

std::string Lower(std::string s) {
  for (char& ch : s) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return s;
}

// Loads the face a fontconfig pattern names. Lock held.
TextFace* LoadMatch(FcPattern* p) {
  FcChar8* file = nullptr;
  int index = 0;
  if (FcPatternGetString(p, FC_FILE, 0, &file) != FcResultMatch || !file) return nullptr;
  FcPatternGetInteger(p, FC_INDEX, 0, &index);
  return TextFace::Load(reinterpret_cast<const char*>(file), index);
}

// The installed face whose full name is exactly this (ignoring case). Lock held.
TextFace* FindByFullName(const std::string& name) {
  FcPattern* pat = FcPatternCreate();
  FcPatternAddString(pat, FC_FULLNAME, reinterpret_cast<const FcChar8*>(name.c_str()));
  FcObjectSet* os = FcObjectSetBuild(FC_FILE, FC_INDEX, FC_FULLNAME, nullptr);
  FcFontSet* set = FcFontList(nullptr, pat, os);
  TextFace* face = nullptr;
  // Prefer a face whose first full name is the one asked for.
  for (int pass = 0; set && pass < 2 && !face; ++pass)
    for (int i = 0; i < set->nfont && !face; ++i) {
      FcChar8* full = nullptr;
      const bool first =
          FcPatternGetString(set->fonts[i], FC_FULLNAME, 0, &full) == FcResultMatch &&
          Lower(reinterpret_cast<const char*>(full)) == Lower(name);
      if (pass == 1 || first) face = LoadMatch(set->fonts[i]);
    }
  if (set) FcFontSetDestroy(set);
  FcObjectSetDestroy(os);
  FcPatternDestroy(pat);
  return face;
}

// The best face of a family by this name or of one the configuration binds to it as a
// substitute of equal standing (not a mere fallback), with the given weight and slant when
// the family has them. Lock held.
TextFace* FindByFamily(const std::string& family, int weight, int slant) {
  FcPattern* pat = FcPatternCreate();
  FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pat, FC_WEIGHT, weight);
  FcPatternAddInteger(pat, FC_SLANT, slant);
  FcConfigSubstitute(nullptr, pat, FcMatchPattern);
  FcDefaultSubstitute(pat);
  std::set<std::string> accepted;
  FcPatternIter it;
  FcPatternIterStart(pat, &it);
  do {
    if (std::string(FcPatternIterGetObject(pat, &it) ? FcPatternIterGetObject(pat, &it) : "") !=
        FC_FAMILY)
      continue;
    for (int k = 0; k < FcPatternIterValueCount(pat, &it); ++k) {
      FcValue v;
      FcValueBinding binding;
      if (FcPatternIterGetValue(pat, &it, k, &v, &binding) == FcResultMatch &&
          v.type == FcTypeString && binding != FcValueBindingWeak)
        accepted.insert(Lower(reinterpret_cast<const char*>(v.u.s)));
    }
  } while (FcPatternIterNext(pat, &it));
  FcResult result;
  FcPattern* match = FcFontMatch(nullptr, pat, &result);
  FcPatternDestroy(pat);
  if (!match) return nullptr;
  TextFace* face = nullptr;
  FcChar8* got = nullptr;
  for (int k = 0; FcPatternGetString(match, FC_FAMILY, k, &got) == FcResultMatch; ++k)
    if (accepted.count(Lower(reinterpret_cast<const char*>(got)))) {
      face = LoadMatch(match);
      break;
    }
  FcPatternDestroy(match);
  return face;
}

// "Arial Bold Italic": a family followed by style words. Lock held.
TextFace* FindByFamilyAndStyle(const std::string& name) {
  std::vector<std::string> words;
  std::istringstream in(name);
  for (std::string w; in >> w;) words.push_back(w);
  int weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
  size_t n = words.size();
  while (n > 1) {
    const std::string w = Lower(words[n - 1]);
    if (w == "bold")
      weight = FC_WEIGHT_BOLD;
    else if (w == "italic")
      slant = FC_SLANT_ITALIC;
    else if (w == "oblique")
      slant = FC_SLANT_OBLIQUE;
    else if (w != "regular" && w != "roman" && w != "book" && w != "normal")
      break;
    --n;
  }
  if (n == words.size()) return nullptr;
  std::string family;
  for (size_t i = 0; i < n; ++i) family += (i ? " " : "") + words[i];
  TextFace* face = FindByFamily(family, weight, slant);
  // Only a face that has the styles asked for answers to the full name.
  if (face && (face->IsBold() != (weight == FC_WEIGHT_BOLD) ||
               face->IsItalic() != (slant != FC_SLANT_ROMAN)))
    return nullptr;
  return face;
}

bool FontconfigReady() {
  static bool ready = FcInit() == FcTrue;
  return ready;
}

}  // namespace

TextFace* TextFace::Find(const char* name) {
  if (!name || !*name) return nullptr;
  std::lock_guard<std::mutex> lock(TextEngineMutex());
  if (!FontconfigReady()) return nullptr;
  const std::string n(name);
  if (TextFace* f = FindByFullName(n)) return f;
  if (TextFace* f = FindByFamily(n, FC_WEIGHT_REGULAR, FC_SLANT_ROMAN)) return f;
  return FindByFamilyAndStyle(n);
}

TextFace* TextFace::Default() {
  static TextFace* face = [] {
    std::lock_guard<std::mutex> lock(TextEngineMutex());
    if (!FontconfigReady()) return static_cast<TextFace*>(nullptr);
    // Whatever the configuration gives for the generic sans-serif family.
    FcPattern* pat = FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif"));
    FcConfigSubstitute(nullptr, pat, FcMatchPattern);
    FcDefaultSubstitute(pat);
    FcResult result;
    FcPattern* match = FcFontMatch(nullptr, pat, &result);
    FcPatternDestroy(pat);
    TextFace* f = match ? LoadMatch(match) : nullptr;
    if (match) FcPatternDestroy(match);
    return f;
  }();
  return face;
}

TextFace* TextFace::WithTraits(bool bold, bool italic) {
  // Traits are only ever added: a bold face asked for regular text stays bold.
  bold = bold || m_bold;
  italic = italic || m_italic;
  if (bold == m_bold && italic == m_italic) return this;
  const int slot = (bold ? 2 : 0) + (italic ? 1 : 0);
  std::lock_guard<std::mutex> lock(TextEngineMutex());
  if (!m_traitsLooked[slot]) {
    m_traitsLooked[slot] = true;
    TextFace* f = FindByFamily(m_familyName, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR,
                               italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    if (f && f->m_familyName == m_familyName && f->m_bold == bold && f->m_italic == italic)
      m_traits[slot] = f;
  }
  return m_traits[slot] ? m_traits[slot] : this;
}
