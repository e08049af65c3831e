// The one-pixel reference kernel, the four-pixel SSE2 kernel and the choice among kernels.
#include "CGCoverageBlend.h"

#include <cstring>
#include <initializer_list>

#if CG_COVERAGE_X86
#include <emmintrin.h>
#endif

namespace {

// One pixel of non-zero coverage.
inline void BlendPixel(uint8_t* q, unsigned cover, const CGCoverageColour& c) {
  const unsigned w = CGMul255(c.src[c.alphaIndex], cover);
  for (int k = 0; k < 4; ++k)
    q[k] = static_cast<uint8_t>(q[k] + CGMul255(c.src[k], cover) - CGMul255(q[k], w));
  if (c.opaqueLayout) q[c.alphaIndex] = 255;
}

}  // namespace

void CGCoverageBlendScalar(uint8_t* dst, ptrdiff_t dstStride, const uint8_t* mask, ptrdiff_t pitch,
                           int w, int h, const CGCoverageColour& colour) {
  for (int y = 0; y < h; ++y, dst += dstStride, mask += pitch)
    for (int i = 0; i < w; ++i)
      if (mask[i]) BlendPixel(dst + 4 * i, mask[i], colour);
}

#if CG_COVERAGE_X86
namespace {

// The colour spread over 16-bit lanes, two pixels' worth.
struct Sse2Colour {
  __m128i src, alpha;
  __m128i alphaLanes;  // 255 in the alpha lanes of layouts without alpha, else 0
  __m128i solid;       // four pixels of the colour: what full coverage of an opaque colour gives
  bool opaque;
};

Sse2Colour Sse2ColourOf(const CGCoverageColour& c) {
  Sse2Colour k;
  const uint8_t a = c.src[c.alphaIndex];
  uint16_t lanes[8];
  for (int i = 0; i < 8; ++i) lanes[i] = c.src[i % 4];
  k.src = _mm_loadu_si128(reinterpret_cast<const __m128i*>(lanes));
  for (int i = 0; i < 8; ++i) lanes[i] = c.opaqueLayout && i % 4 == c.alphaIndex ? 255 : 0;
  k.alphaLanes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(lanes));
  k.alpha = _mm_set1_epi16(a);
  uint32_t pixel;
  std::memcpy(&pixel, c.src, 4);
  k.solid = _mm_set1_epi32(static_cast<int>(pixel));
  k.opaque = a == 255;
  return k;
}

// a x b / 255 in 16-bit lanes holding bytes: (t + (t >> 8)) >> 8 is (t x 257) >> 16.
inline __m128i Mul255(__m128i a, __m128i b) {
  const __m128i t = _mm_add_epi16(_mm_mullo_epi16(a, b), _mm_set1_epi16(128));
  return _mm_mulhi_epu16(t, _mm_set1_epi16(257));
}

// Two pixels in 16-bit lanes, each cover repeated over its pixel's four lanes.
inline __m128i Blend2(__m128i d, __m128i cover, const Sse2Colour& k) {
  const __m128i s = Mul255(k.src, cover), w = Mul255(k.alpha, cover);
  const __m128i r = _mm_sub_epi16(_mm_add_epi16(d, s), Mul255(d, w));
  const __m128i blank = _mm_cmpeq_epi16(cover, _mm_setzero_si128());
  return _mm_or_si128(r, _mm_andnot_si128(blank, k.alphaLanes));
}

inline void Blend4(uint8_t* q, uint32_t covers, const Sse2Colour& k) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i c8 = _mm_cvtsi32_si128(static_cast<int>(covers));
  const __m128i c16 = _mm_unpacklo_epi8(c8, c8);
  const __m128i c32 = _mm_unpacklo_epi16(c16, c16);
  const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(q));
  const __m128i lo = Blend2(_mm_unpacklo_epi8(d, zero), _mm_unpacklo_epi8(c32, zero), k);
  const __m128i hi = Blend2(_mm_unpackhi_epi8(d, zero), _mm_unpackhi_epi8(c32, zero), k);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(q), _mm_packus_epi16(lo, hi));
}

}  // namespace

void CGCoverageBlendSSE2(uint8_t* dst, ptrdiff_t dstStride, const uint8_t* mask, ptrdiff_t pitch,
                         int w, int h, const CGCoverageColour& colour) {
  const Sse2Colour k = Sse2ColourOf(colour);
  for (int y = 0; y < h; ++y, dst += dstStride, mask += pitch) {
    int i = 0;
    for (; i + 4 <= w; i += 4) {
      uint32_t covers;
      std::memcpy(&covers, mask + i, 4);
      if (covers == 0) continue;  // blank stretches are common in glyphs
      uint8_t* q = dst + 4 * i;
      if (covers == 0xFFFFFFFFu && k.opaque)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(q), k.solid);
      else
        Blend4(q, covers, k);
    }
    if (i == w) continue;
    if (w >= 4) {
      // The last pixels as a step flush with the row's end, its covers over the pixels
      // already done taken as 0 so that those stay as they are.
      uint32_t covers;
      std::memcpy(&covers, mask + w - 4, 4);
      covers &= ~0u << (8 * (4 - (w - i)));
      if (covers) Blend4(dst + 4 * (w - 4), covers, k);
    } else {
      for (; i < w; ++i)
        if (mask[i]) BlendPixel(dst + 4 * i, mask[i], colour);
    }
  }
}
#endif

CGCoverageBlendFn CGCoverageKernelOf(CGCoverageKernel kind) {
  switch (kind) {
    case kCGCoverageScalar:
      return CGCoverageBlendScalar;
#if CG_COVERAGE_X86
    case kCGCoverageSSE2:
      return CGCoverageBlendSSE2;
    case kCGCoverageAVX2:
      __builtin_cpu_init();  // in case this runs before the processor model is read
      return __builtin_cpu_supports("avx2") ? CGCoverageBlendAVX2 : nullptr;
#else
    default:
      break;
#endif
  }
  return nullptr;
}

CGCoverageBlendFn CGCoverageBestKernel() {
  static const CGCoverageBlendFn best = [] {
    for (CGCoverageKernel kind : {kCGCoverageAVX2, kCGCoverageSSE2})
      if (CGCoverageBlendFn f = CGCoverageKernelOf(kind)) return f;
    return CGCoverageBlendScalar;
  }();
  return best;
}
