// A font as text is drawn with it: a face at a size with the requested weight and slant,
// and its line metrics.
#pragma once

#include "TextEngine/TextFace.h"

struct TextFont {
  TextFace* face = nullptr;  // null: the default face
  double size = 12;          // pixels (points at 72 per inch)
  bool bold = false;
  bool italic = false;
};

// What a font resolves to: the face whose outlines are drawn (the family's bold or italic
// face when it has one) and the traits the engine has to synthesise (emboldened or slanted
// outlines). The size is made usable: not finite or not positive gives 12, and it is held
// within 1/64 .. 16384 pixels. face is null only on a system without fonts.
struct TextResolvedFont {
  TextFace* face = nullptr;
  double size = 12;
  bool syntheticBold = false;
  bool syntheticItalic = false;
};
TextResolvedFont TextFontResolve(const TextFont& font);

// Line metrics in pixels, all positive: ascent above the baseline, descent below it, the
// leading between lines; the underline's distance below the baseline and its thickness.
struct TextFontMetrics {
  double ascent = 0, descent = 0, leading = 0;
  double underlineOffset = 0, underlineThickness = 0;
};
TextFontMetrics TextFontGetMetrics(const TextFont& font);

// Emboldening widens every glyph by this fraction of the size.
const double kTextSyntheticBoldStrength = 1.0 / 24;
// Synthetic italics slant by this much x per unit of y.
const double kTextSyntheticItalicSlant = 0.2;
