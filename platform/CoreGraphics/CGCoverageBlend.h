// Compositing a premultiplied colour over a row of 32-bit pixels, each weighted by a
// coverage byte: the glyph painter's inner loop. The arithmetic is the scan-line
// renderer's blender exactly (per component: s = c x cover, then p + s - p x (alpha x
// cover), products rounded as a x b / 255), computed four pixels at a time in 16-bit lanes.
// Pixels of coverage 0 are left as they are; in layouts without alpha the alpha byte of a
// covered pixel becomes 255.
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

// src holds the colour's four bytes in the pixels' memory order; A is the alpha byte's
// index; Opaque says the layout has no alpha (its alpha byte is set to 255 when covered).
template <int A, bool Opaque>
void CGBlendCoverageRow(uint8_t* p, const uint8_t* covers, int len, const uint8_t src[4]) {
  int i = 0;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  const __m128i half = _mm_set1_epi16(128);
  const __m128i colour =
      _mm_setr_epi16(src[0], src[1], src[2], src[3], src[0], src[1], src[2], src[3]);
  const __m128i alphaLanes =
      _mm_setr_epi16(A == 0 ? -1 : 0, A == 1 ? -1 : 0, A == 2 ? -1 : 0, A == 3 ? -1 : 0,
                     A == 0 ? -1 : 0, A == 1 ? -1 : 0, A == 2 ? -1 : 0, A == 3 ? -1 : 0);
  const __m128i full = _mm_set1_epi16(255);
  auto mul = [&](__m128i a, __m128i b) {
    const __m128i t = _mm_add_epi16(_mm_mullo_epi16(a, b), half);
    return _mm_srli_epi16(_mm_add_epi16(_mm_srli_epi16(t, 8), t), 8);
  };
  auto blend = [&](__m128i d, __m128i cover) {
    const __m128i s = mul(colour, cover);
    __m128i a = _mm_shufflelo_epi16(s, _MM_SHUFFLE(A, A, A, A));
    a = _mm_shufflehi_epi16(a, _MM_SHUFFLE(A, A, A, A));
    __m128i r = _mm_sub_epi16(_mm_add_epi16(d, s), mul(d, a));
    if (Opaque) {
      const __m128i uncovered = _mm_cmpeq_epi16(cover, zero);
      const __m128i alpha =
          _mm_or_si128(_mm_and_si128(uncovered, d), _mm_andnot_si128(uncovered, full));
      r = _mm_or_si128(_mm_andnot_si128(alphaLanes, r), _mm_and_si128(alphaLanes, alpha));
    }
    return r;
  };
  for (; i + 4 <= len; i += 4) {
    int32_t four;
    __builtin_memcpy(&four, covers + i, 4);
    if (four == 0) continue;  // blank stretches are common in glyph masks
    __m128i c = _mm_unpacklo_epi8(_mm_cvtsi32_si128(four), zero);  // c0 c1 c2 c3
    c = _mm_unpacklo_epi16(c, c);                                  // c0 c0 c1 c1 ...
    const __m128i c01 = _mm_unpacklo_epi32(c, c), c23 = _mm_unpackhi_epi32(c, c);
    uint8_t* q = p + 4 * i;
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(q));
    const __m128i lo = blend(_mm_unpacklo_epi8(d, zero), c01);
    const __m128i hi = blend(_mm_unpackhi_epi8(d, zero), c23);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(q), _mm_packus_epi16(lo, hi));
  }
#endif
  for (; i < len; ++i) {
    const unsigned cover = covers[i];
    if (!cover) continue;
    uint8_t* q = p + 4 * i;
    const unsigned a = CGMul255(src[A], cover);
    for (int k = 0; k < 4; ++k)
      q[k] = static_cast<uint8_t>(q[k] + CGMul255(src[k], cover) - CGMul255(q[k], a));
    if (Opaque) q[A] = 255;
  }
}
