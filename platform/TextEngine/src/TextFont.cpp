// Resolving a font to the face drawn and the traits to synthesise; line metrics.
#include "TextEngine/TextFont.h"

#include <cmath>

TextResolvedFont TextFontResolve(const TextFont& font) {
  TextResolvedFont r;
  TextFace* face = font.face ? font.face : TextFace::Default();
  double size = font.size;
  if (!std::isfinite(size) || size <= 0) size = 12;
  r.size = std::fmin(std::fmax(size, 1.0 / 64), 16384.0);
  if (!face) return r;
  r.face = face->WithTraits(font.bold, font.italic);
  r.syntheticBold = font.bold && !r.face->IsBold();
  r.syntheticItalic = font.italic && !r.face->IsItalic();
  return r;
}

TextFontMetrics TextFontGetMetrics(const TextFont& font) {
  const TextResolvedFont r = TextFontResolve(font);
  TextFontMetrics m;
  if (!r.face) return m;
  const double scale = r.size / r.face->UnitsPerEm();
  m.ascent = r.face->Ascender() * scale;
  m.descent = -r.face->Descender() * scale;
  m.leading = r.face->LineGap() * scale;
  // Fonts that leave the underline out get one a twentieth of the size thick, just under
  // the baseline.
  const int thickness = r.face->UnderlineThickness();
  m.underlineThickness = thickness > 0 ? thickness * scale : r.size / 20;
  m.underlineOffset = thickness > 0 ? -r.face->UnderlinePosition() * scale : r.size / 10;
  return m;
}
