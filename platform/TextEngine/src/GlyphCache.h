// Rendered glyphs kept for reuse: coverage masks keyed by face, size, transform, synthetic
// traits and sub-pixel position. Used with the engine lock held.
#pragma once

#include <stdint.h>

#include <cstring>
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

// A coverage mask placed relative to the glyph's pen position in pixels (y down): its
// top-left pixel is at (left, top). Empty (width 0) for glyphs that show nothing.
struct GlyphImage {
  int left = 0, top = 0, width = 0, height = 0;
  std::vector<uint8_t> coverage;  // width * height bytes, rows top first
};

// An open-addressed table (linear probing, at most half full): a label's every glyph is
// looked up on every draw, so a lookup is one multiply-and-fold hash and a probe or two.
class GlyphCache {
 public:
  const GlyphImage* Find(const GlyphKey& key) const {
    for (size_t i = Hash(key) & m_mask; m_slots[i].used; i = (i + 1) & m_mask)
      if (m_slots[i].key == key) return &m_slots[i].image;
    return nullptr;
  }
  // Stores an image; when the cache has grown past its budget it is emptied first (a
  // steady set of labels refills it at once, and memory stays bounded).
  const GlyphImage& Insert(const GlyphKey& key, GlyphImage&& image) {
    const size_t cost = image.coverage.size() + 2 * sizeof(Slot);  // slots stay half empty
    if (m_bytes + cost > kBudget) Reset(kInitialSlots);
    if (2 * (m_count + 1) > m_slots.size()) Grow();
    Slot& s = Place(key);
    if (!s.used) {
      s.used = true;
      s.key = key;
      ++m_count;
      m_bytes += cost;
    }
    s.image = std::move(image);
    return s.image;
  }
  size_t Count() const { return m_count; }

 private:
  struct Slot {
    bool used = false;
    GlyphKey key;
    GlyphImage image;
  };
  static const size_t kBudget = 16u << 20, kInitialSlots = 256;

  static size_t Hash(const GlyphKey& k) {
    auto word = [](uint32_t lo, uint32_t hi) { return uint64_t(lo) | uint64_t(hi) << 32; };
    uint64_t h = word(k.face, k.glyph) * 0x9E3779B97F4A7C15ull;
    h ^= word(uint32_t(k.size64), k.flags | k.subX << 8 | k.subY << 16) * 0xC2B2AE3D27D4EB4Full;
    h ^= word(uint32_t(k.matrix[0]), uint32_t(k.matrix[1])) * 0x165667B19E3779F9ull;
    h ^= word(uint32_t(k.matrix[2]), uint32_t(k.matrix[3])) * 0xD6E8FEB86659FD93ull;
    return static_cast<size_t>(h ^ h >> 29 ^ h >> 47);  // the products' high bits into the low
  }
  // The key's slot, or the empty slot where it belongs.
  Slot& Place(const GlyphKey& key) {
    size_t i = Hash(key) & m_mask;
    while (m_slots[i].used && !(m_slots[i].key == key)) i = (i + 1) & m_mask;
    return m_slots[i];
  }
  void Reset(size_t slots) {
    m_slots.assign(slots, Slot());
    m_mask = slots - 1;
    m_count = 0;
    m_bytes = 0;
  }
  void Grow() {
    std::vector<Slot> old;
    old.swap(m_slots);
    const size_t bytes = m_bytes, count = m_count;
    Reset(2 * old.size());
    for (Slot& s : old)
      if (s.used) Place(s.key) = std::move(s);
    m_bytes = bytes;
    m_count = count;
  }

  std::vector<Slot> m_slots = std::vector<Slot>(kInitialSlots);
  size_t m_mask = kInitialSlots - 1;
  size_t m_count = 0, m_bytes = 0;
};
