// Shaping one line with HarfBuzz, and cutting it to a width with an ellipsis.
#include "TextEngine/TextLine.h"

#include <hb.h>

#include <cmath>

namespace {

// One shaping buffer per thread, reused so labels drawn again and again do not allocate.
hb_buffer_t* ThreadBuffer() {
  thread_local struct Holder {
    hb_buffer_t* buf = hb_buffer_create();
    ~Holder() { hb_buffer_destroy(buf); }
  } holder;
  return holder.buf;
}

// Shapes into glyphs appended to out from pen position x; returns the advance.
double Shape(const TextResolvedFont& font, const uint16_t* text, size_t len, double x,
             std::vector<TextGlyph>* out) {
  if (!font.face || len == 0) return 0;
  hb_buffer_t* buf = ThreadBuffer();
  hb_buffer_clear_contents(buf);
  hb_buffer_add_utf16(buf, text, static_cast<int>(len), 0, static_cast<int>(len));
  hb_buffer_guess_segment_properties(buf);
  hb_shape(static_cast<hb_font_t*>(font.face->HarfBuzzFont()), buf, nullptr, 0);
  unsigned n = 0;
  const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(buf, &n);
  const hb_glyph_position_t* pos = hb_buffer_get_glyph_positions(buf, &n);
  const double scale = font.size / font.face->UnitsPerEm();
  const double bolder = font.syntheticBold ? font.size * kTextSyntheticBoldStrength : 0;
  const double start = x;
  double y = 0;
  for (unsigned i = 0; i < n; ++i) {
    out->push_back(TextGlyph{info[i].codepoint, info[i].cluster, x + pos[i].x_offset * scale,
                             y + pos[i].y_offset * scale});
    x += pos[i].x_advance * scale;
    y += pos[i].y_advance * scale;
    if (pos[i].x_advance != 0) x += bolder;
  }
  return x - start;
}

}  // namespace

void TextLine::Layout(const TextFont& font, const uint16_t* text, size_t len) {
  m_font = TextFontResolve(font);
  m_metrics = TextFontGetMetrics(font);
  m_glyphs.clear();
  m_truncated = false;
  // HarfBuzz counts in int.
  if (len > (1u << 30)) len = 1u << 30;
  if (!text || len == 0) {
    m_width = 0;
    return;
  }
  // Control characters (zeros, newlines, tabs...) have no place in one line: they take no
  // room and show nothing, as zero-width spaces do.
  thread_local std::vector<uint16_t> shown;
  shown.assign(text, text + len);
  for (uint16_t& ch : shown)
    if (ch < 0x20 || ch == 0x7F) ch = 0x200B;
  m_width = Shape(m_font, shown.data(), len, 0, &m_glyphs);
}

bool TextLine::TruncateEnd(double maxWidth) {
  if (!std::isfinite(maxWidth) || maxWidth <= 0 || m_width <= maxWidth) return false;
  // The ellipsis character, or three full stops in a face without one.
  std::vector<TextGlyph> ellipsis;
  const uint16_t kEllipsis[1] = {0x2026}, kDots[3] = {'.', '.', '.'};
  double ellipsisWidth = Shape(m_font, kEllipsis, 1, 0, &ellipsis);
  if (ellipsis.empty() || ellipsis[0].glyph == 0) {
    ellipsis.clear();
    ellipsisWidth = Shape(m_font, kDots, 3, 0, &ellipsis);
  }
  // Keep the longest run of whole clusters that leaves room for the ellipsis.
  size_t keep = 0;
  for (size_t i = 1; i < m_glyphs.size(); ++i) {
    if (m_glyphs[i].cluster == m_glyphs[i - 1].cluster) continue;
    if (m_glyphs[i].x + ellipsisWidth > maxWidth) break;
    keep = i;
  }
  m_truncated = true;
  if (ellipsisWidth > maxWidth) {
    m_glyphs.clear();
    m_width = 0;
    return true;
  }
  const double penX = keep < m_glyphs.size() && keep > 0 ? m_glyphs[keep].x : 0;
  const uint32_t cluster = keep < m_glyphs.size() ? m_glyphs[keep].cluster : 0;
  m_glyphs.resize(keep);
  for (TextGlyph g : ellipsis) {
    g.x += penX;
    g.cluster = cluster;
    m_glyphs.push_back(g);
  }
  m_width = penX + ellipsisWidth;
  return true;
}
