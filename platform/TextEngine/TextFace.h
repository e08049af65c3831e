// Installed font faces, found through the system's font configuration. One face is one
// file (and index in it) with one family, weight and slant. Faces are loaded once and live
// for the process, so a TextFace* stays valid and may be kept anywhere.
#pragma once

#include <string>

class TextFace {
 public:
  // The installed face with this full name ("Liberation Sans Bold"), else the regular face
  // of a family by this name or of a family the configuration declares metric-compatible
  // with it ("Arial" gives Liberation Sans), else the face of that family that matches
  // trailing style words ("Arial Bold Italic"). Null when nothing installed answers to the
  // name, for null and for "".
  static TextFace* Find(const char* name);
  // The system's default sans-serif face; null only on a system without fonts.
  static TextFace* Default();

  // The face of the same family with the given weight and slant when the family has one,
  // else this face (the caller then synthesises what is missing: see IsBold, IsItalic).
  TextFace* WithTraits(bool bold, bool italic);

  const std::string& FullName() const { return m_fullName; }
  const std::string& FamilyName() const { return m_familyName; }
  const std::string& FilePath() const { return m_filePath; }
  bool IsBold() const { return m_bold; }
  bool IsItalic() const { return m_italic; }
  // A small number naming this face for the life of the process (1, 2, ...).
  unsigned Id() const { return m_id; }
  // The face with this number, else null.
  static TextFace* FromId(unsigned id);

  // Design metrics in font units (y up: the descender is negative).
  int UnitsPerEm() const { return m_upem; }
  int Ascender() const { return m_ascender; }
  int Descender() const { return m_descender; }
  int LineGap() const { return m_lineGap; }
  int UnderlinePosition() const { return m_underlinePos; }
  int UnderlineThickness() const { return m_underlineThickness; }

  // The engine's handles: the FreeType face (only used under the engine lock) and the
  // HarfBuzz font (scaled to font units, safe to use from any thread).
  void* FreeTypeFace() const { return m_ft; }
  void* HarfBuzzFont() const { return m_hb; }

  // Loads the face at path/index, or returns the one already loaded; null when FreeType or
  // HarfBuzz cannot read it. Called with the engine lock held.
  static TextFace* Load(const std::string& path, int index);

 private:
  TextFace() = default;
  TextFace(const TextFace&) = delete;
  TextFace& operator=(const TextFace&) = delete;

  std::string m_fullName, m_familyName, m_filePath;
  int m_index = 0;
  bool m_bold = false, m_italic = false;
  unsigned m_id = 0;
  int m_upem = 1000, m_ascender = 0, m_descender = 0, m_lineGap = 0;
  int m_underlinePos = 0, m_underlineThickness = 0;
  void* m_ft = nullptr;
  void* m_hb = nullptr;
  // Faces with other traits, looked up once: index bold * 2 + italic.
  TextFace* m_traits[4] = {};
  bool m_traitsLooked[4] = {};
};
