// One line of text shaped in one font: glyphs with their pen positions, the advance width
// and the font's line metrics. Shaping applies the font's kerning and ligatures.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <vector>

#include "TextEngine/TextFont.h"

struct TextGlyph {
  uint32_t glyph;    // glyph index in the face
  uint32_t cluster;  // offset of the first UTF-16 unit it shows
  double x, y;       // pen position in pixels from the line's origin, y up
};

class TextLine {
 public:
  // Shapes len UTF-16 units (not zero-terminated; zeros are characters) as one line.
  // Unpaired surrogates show as U+FFFD. Replaces whatever the line held.
  void Layout(const TextFont& font, const uint16_t* text, size_t len);

  // When the line is wider than maxWidth, cuts it after the last whole character that
  // leaves room for an ellipsis and appends one (nothing at all when not even the ellipsis
  // fits). Returns whether it cut. A maxWidth that is not positive and finite cuts nothing.
  bool TruncateEnd(double maxWidth);

  // The advance width in pixels (where the next line of text would start).
  double Width() const { return m_width; }
  const TextFontMetrics& Metrics() const { return m_metrics; }
  const TextResolvedFont& Font() const { return m_font; }
  const std::vector<TextGlyph>& Glyphs() const { return m_glyphs; }
  bool IsTruncated() const { return m_truncated; }

 private:
  TextResolvedFont m_font;
  TextFontMetrics m_metrics;
  std::vector<TextGlyph> m_glyphs;
  double m_width = 0;
  bool m_truncated = false;
};
