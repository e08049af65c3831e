// Shaping one line with HarfBuzz, and cutting it to a width with an ellipsis.
#include "TextEngine/TextLine.h"

#include <hb.h>

#include <cmath>
#include <mutex>
#include <string>
#include <unordered_map>

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

// Shaped labels kept for reuse: the same text in the same font shapes the same way, and
// labels are drawn again and again. Short texts only; emptied when full.
class ShapeCache {
 public:
  static const size_t kMaxText = 256, kMaxEntries = 1024;

  // Appends the glyphs for the text to out and returns the width, shaping only on a miss.
  double Get(const TextResolvedFont& font, const uint16_t* text, size_t len,
             std::vector<TextGlyph>* out) {
    if (len > kMaxText) return Shape(font, text, len, 0, out);
    thread_local std::string key;
    key.assign(reinterpret_cast<const char*>(&font.size), sizeof font.size);
    const unsigned id = font.face ? font.face->Id() : 0;
    key.append(reinterpret_cast<const char*>(&id), sizeof id);
    key.push_back(font.syntheticBold ? 1 : 0);
    key.append(reinterpret_cast<const char*>(text), len * sizeof(uint16_t));
    {
      std::lock_guard<std::mutex> lock(m_mutex);
      auto it = m_map.find(key);
      if (it != m_map.end()) {
        out->insert(out->end(), it->second.glyphs.begin(), it->second.glyphs.end());
        return it->second.width;
      }
    }
    Entry e;
    const double width = e.width = Shape(font, text, len, 0, &e.glyphs);
    out->insert(out->end(), e.glyphs.begin(), e.glyphs.end());
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_map.size() >= kMaxEntries) m_map.clear();
    m_map.emplace(key, std::move(e));
    return width;
  }

 private:
  struct Entry {
    std::vector<TextGlyph> glyphs;
    double width = 0;
  };
  std::mutex m_mutex;
  std::unordered_map<std::string, Entry> m_map;
};

ShapeCache& Shapes() {
  static ShapeCache* cache = new ShapeCache();  // used until the process ends
  return *cache;
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
  m_width = Shapes().Get(m_font, shown.data(), len, &m_glyphs);
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
