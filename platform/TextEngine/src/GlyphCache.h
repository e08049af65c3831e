// Rendered glyphs kept for reuse: coverage masks keyed by face, size, transform, synthetic
// traits and sub-pixel position. Used with the engine lock held.
#pragma once

#include <stdint.h>

#include <cstring>
#include <unordered_map>
#include <vector>

struct GlyphKey {
  uint32_t face = 0, glyph = 0;
  int32_t size64 = 0;          // pixel size in 1/64 pixel
  int32_t matrix[4] = {};      // FreeType's 16.16 transform (xx, xy, yx, yy)
  uint8_t flags = 0;           // 1 hinted, 2 synthetic bold
  uint8_t subX = 0, subY = 0;  // sub-pixel position in quarters of a pixel

  bool operator==(const GlyphKey& o) const {
    return face == o.face && glyph == o.glyph && size64 == o.size64 &&
           std::memcmp(matrix, o.matrix, sizeof matrix) == 0 && flags == o.flags &&
           subX == o.subX && subY == o.subY;
  }
};

struct GlyphKeyHash {
  size_t operator()(const GlyphKey& k) const {
    uint64_t h = 1469598103934665603ull;
    auto mix = [&h](uint64_t v) { h = (h ^ v) * 1099511628211ull; };
    mix(k.face);
    mix(k.glyph);
    mix(static_cast<uint32_t>(k.size64));
    for (int32_t m : k.matrix) mix(static_cast<uint32_t>(m));
    mix(k.flags | k.subX << 8 | k.subY << 16);
    return static_cast<size_t>(h);
  }
};

// A coverage mask placed relative to the glyph's pen position in pixels (y down): its
// top-left pixel is at (left, top). Empty (width 0) for glyphs that show nothing.
struct GlyphImage {
  int left = 0, top = 0, width = 0, height = 0;
  std::vector<uint8_t> coverage;  // width * height bytes, rows top first
};

class GlyphCache {
 public:
  const GlyphImage* Find(const GlyphKey& key) const {
    auto it = m_map.find(key);
    return it == m_map.end() ? nullptr : &it->second;
  }
  // Stores an image; when the cache has grown past its budget it is emptied first (a
  // steady set of labels refills it at once, and memory stays bounded).
  const GlyphImage& Insert(const GlyphKey& key, GlyphImage&& image) {
    if (m_bytes + image.coverage.size() > kBudget) {
      m_map.clear();
      m_bytes = 0;
    }
    m_bytes += image.coverage.size() + sizeof(GlyphImage);
    return m_map[key] = std::move(image);
  }
  size_t Count() const { return m_map.size(); }

 private:
  static const size_t kBudget = 16u << 20;
  std::unordered_map<GlyphKey, GlyphImage, GlyphKeyHash> m_map;
  size_t m_bytes = 0;
};
