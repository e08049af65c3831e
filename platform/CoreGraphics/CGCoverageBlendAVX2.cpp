// The eight-pixel AVX2 kernel. Only its own functions are compiled for AVX2 (by attribute,
// not by a flag on the file), so nothing this file shares with others, such as inline
// functions from headers, can carry AVX2 instructions onto a processor without them.
#include "CGCoverageBlend.h"

#if CG_COVERAGE_X86
#include <immintrin.h>

#include <cstring>

#define CG_AVX2 __attribute__((target("avx2")))

namespace {

// The colour spread over 16-bit lanes, four pixels' worth.
struct Avx2Colour {
  __m256i src, alpha;
  __m256i alphaLanes;  // 255 in the alpha lanes of layouts without alpha, else 0
  __m256i solid;       // eight pixels of the colour: what full coverage of an opaque colour gives
  bool opaque;
};

CG_AVX2 Avx2Colour Avx2ColourOf(const CGCoverageColour& c) {
  Avx2Colour k;
  const uint8_t a = c.src[c.alphaIndex];
  uint16_t lanes[16];
  for (int i = 0; i < 16; ++i) lanes[i] = c.src[i % 4];
  k.src = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(lanes));
  for (int i = 0; i < 16; ++i) lanes[i] = c.opaqueLayout && i % 4 == c.alphaIndex ? 255 : 0;
  k.alphaLanes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(lanes));
  k.alpha = _mm256_set1_epi16(a);
  uint32_t pixel;
  std::memcpy(&pixel, c.src, 4);
  k.solid = _mm256_set1_epi32(static_cast<int>(pixel));
  k.opaque = a == 255;
  return k;
}

// a x b / 255 in 16-bit lanes holding bytes: (t + (t >> 8)) >> 8 is (t x 257) >> 16.
CG_AVX2 inline __m256i Mul255(__m256i a, __m256i b) {
  const __m256i t = _mm256_add_epi16(_mm256_mullo_epi16(a, b), _mm256_set1_epi16(128));
  return _mm256_mulhi_epu16(t, _mm256_set1_epi16(257));
}

// Four pixels in 16-bit lanes, each cover repeated over its pixel's four lanes.
CG_AVX2 inline __m256i Blend4(__m256i d, __m256i cover, const Avx2Colour& k) {
  const __m256i s = Mul255(k.src, cover), w = Mul255(k.alpha, cover);
  const __m256i r = _mm256_sub_epi16(_mm256_add_epi16(d, s), Mul255(d, w));
  const __m256i blank = _mm256_cmpeq_epi16(cover, _mm256_setzero_si256());
  return _mm256_or_si256(r, _mm256_andnot_si256(blank, k.alphaLanes));
}

// Eight pixels and their eight covers (first pixel in the lowest byte).
CG_AVX2 inline __m256i Blend8(__m256i d, uint64_t covers, const Avx2Colour& k) {
  const __m128i c8 = _mm_cvtsi64_si128(static_cast<long long>(covers));
  const __m128i c16 = _mm_unpacklo_epi8(c8, c8);
  const __m256i coverLo = _mm256_cvtepu8_epi16(_mm_unpacklo_epi16(c16, c16));
  const __m256i coverHi = _mm256_cvtepu8_epi16(_mm_unpackhi_epi16(c16, c16));
  const __m256i lo = Blend4(_mm256_cvtepu8_epi16(_mm256_castsi256_si128(d)), coverLo, k);
  const __m256i hi = Blend4(_mm256_cvtepu8_epi16(_mm256_extracti128_si256(d, 1)), coverHi, k);
  // Packing works within 128-bit halves: pixels come out 0 1 4 5 2 3 6 7.
  return _mm256_permute4x64_epi64(_mm256_packus_epi16(lo, hi), _MM_SHUFFLE(3, 1, 2, 0));
}

}  // namespace

CG_AVX2 void CGCoverageBlendAVX2(uint8_t* dst, ptrdiff_t dstStride, const uint8_t* mask,
                                 ptrdiff_t pitch, int w, int h, const CGCoverageColour& colour) {
  const Avx2Colour k = Avx2ColourOf(colour);
  // The last 1 to 7 pixels of a row go through masked loads and stores, which leave the
  // pixels past the row untouched.
  const int tail = w % 8;
  const __m256i tailLanes =
      _mm256_cmpgt_epi32(_mm256_set1_epi32(tail), _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
  for (int y = 0; y < h; ++y, dst += dstStride, mask += pitch) {
    int i = 0;
    for (; i + 8 <= w; i += 8) {
      uint64_t covers;
      std::memcpy(&covers, mask + i, 8);
      if (covers == 0) continue;  // blank stretches are common in glyphs
      __m256i* q = reinterpret_cast<__m256i*>(dst + 4 * i);
      if (covers == ~uint64_t(0) && k.opaque)
        _mm256_storeu_si256(q, k.solid);
      else
        _mm256_storeu_si256(q, Blend8(_mm256_loadu_si256(q), covers, k));
    }
    if (i == w) continue;
    uint64_t covers = 0;
    for (int j = 0; j < tail; ++j) covers |= uint64_t(mask[i + j]) << (8 * j);
    if (covers == 0) continue;
    int* q = reinterpret_cast<int*>(dst + 4 * i);
    const __m256i d = _mm256_maskload_epi32(q, tailLanes);
    _mm256_maskstore_epi32(q, tailLanes, Blend8(d, covers, k));
  }
}
#endif
