// Compositing a premultiplied colour over a row of 32-bit pixels, each weighted by a
// coverage byte: the glyph painter's inner loop. The arithmetic is the scan-line
// renderer's blender exactly: per component s = c x cover and then p + s - p x (alpha x
// cover), products rounded as a x b / 255. The products of the colour with every cover
// value are tabled once per colour, so a pixel costs one multiply per component, done four
// pixels at a time in 16-bit lanes. Pixels of coverage 0 are left as they are; in layouts
// without alpha a covered pixel's alpha byte becomes 255.
#pragma once

#include <stdint.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// a x b / 255, rounded, for bytes a and b.
inline unsigned CGMul255(unsigned a, unsigned b) {
  const unsigned t = a * b + 128;
  return ((t >> 8) + t) >> 8;
}

// For one colour and layout: what each cover value adds (s) and the weight the pixel is
// scaled down by (w), per component in the pixels' memory order.
struct CGCoverageTable {
  alignas(16) uint16_t s[256][4];
  alignas(16) uint16_t w[256][4];
  uint8_t src[4];
  int alphaIndex;
  bool opaque;
};

// src: the premultiplied colour's bytes in memory order; alphaIndex: the alpha byte's
// position; opaque: the layout has no alpha. For such layouts the alpha component is tabled
// so that it comes out 255 where covered and unchanged where not.
inline void CGCoverageTableFill(CGCoverageTable* t, const uint8_t src[4], int alphaIndex,
                                bool opaque) {
  for (int k = 0; k < 4; ++k) t->src[k] = src[k];
  t->alphaIndex = alphaIndex;
  t->opaque = opaque;
  for (unsigned cover = 0; cover < 256; ++cover) {
    const uint16_t a = static_cast<uint16_t>(CGMul255(src[alphaIndex], cover));
    for (int k = 0; k < 4; ++k) {
      t->s[cover][k] = static_cast<uint16_t>(CGMul255(src[k], cover));
      t->w[cover][k] = a;
    }
    if (opaque) {
      t->s[cover][alphaIndex] = cover ? 255 : 0;
      t->w[cover][alphaIndex] = cover ? 255 : 0;
    }
  }
}

inline void CGBlendCoverageRow(uint8_t* p, const uint8_t* covers, int len,
                               const CGCoverageTable& t) {
  int i = 0;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  const __m128i half = _mm_set1_epi16(128);
  auto pair = [](const uint16_t(*table)[4], unsigned a, unsigned b) {
    return _mm_unpacklo_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(table[a])),
                              _mm_loadl_epi64(reinterpret_cast<const __m128i*>(table[b])));
  };
  auto blend = [&](__m128i d, unsigned c0, unsigned c1) {
    const __m128i prod = _mm_add_epi16(_mm_mullo_epi16(d, pair(t.w, c0, c1)), half);
    const __m128i scaled = _mm_srli_epi16(_mm_add_epi16(_mm_srli_epi16(prod, 8), prod), 8);
    return _mm_sub_epi16(_mm_add_epi16(d, pair(t.s, c0, c1)), scaled);
  };
  for (; i + 4 <= len; i += 4) {
    const uint8_t* c = covers + i;
    if ((c[0] | c[1] | c[2] | c[3]) == 0) continue;  // blank stretches are common in glyphs
    uint8_t* q = p + 4 * i;
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(q));
    const __m128i lo = blend(_mm_unpacklo_epi8(d, zero), c[0], c[1]);
    const __m128i hi = blend(_mm_unpackhi_epi8(d, zero), c[2], c[3]);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(q), _mm_packus_epi16(lo, hi));
  }
#endif
  for (; i < len; ++i) {
    const unsigned cover = covers[i];
    uint8_t* q = p + 4 * i;
    for (int k = 0; k < 4; ++k)
      q[k] = static_cast<uint8_t>(q[k] + t.s[cover][k] - CGMul255(q[k], t.w[cover][k]));
  }
}
