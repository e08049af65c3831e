// The eight-pixel AVX2 kernel. Only its own functions are compiled for AVX2 (by attribute,
// not by a flag on the file), so nothing this file shares with others, such as inline
// functions from headers, can carry AVX2 instructions onto a processor without them.
#include "CGCoverageBlend.h"

#if CG_COVERAGE_X86
#include <immintrin.h>

#include <cstring>

#define CG_AVX2 __attribute__((target("avx2")))

namespace {

// Eight pixels are worked on as two registers of 16-bit lanes, "low" holding pixels 0, 1
// and 4, 5 and "high" pixels 2, 3 and 6, 7 (what unpacking bytes within the two 128-bit
// halves gives), so packing them back restores the order without a cross-half move.
struct Avx2Colour {
  __m256i src, alpha;  // the components and the alpha, four pixels' worth of lanes
  __m256i alphaBytes;  // 0xFF in each pixel's alpha byte for layouts without alpha, else 0
  __m256i solid;       // eight pixels of the colour: what full coverage of an opaque colour gives
  // Byte shuffles spreading covers over their pixels' lanes: eight pixels' low and high
  // registers, and four pixels in one register (0, 1 then 2, 3).
  __m256i spreadLo, spreadHi, spread4;
};

// Byte shuffles putting cover j into the low byte of its pixel's four 16-bit lanes and
// zero (index 0x80) into the high bytes.
#define CG_Z 0x80
#define CG_SPREAD(p, q) p, CG_Z, p, CG_Z, p, CG_Z, p, CG_Z, q, CG_Z, q, CG_Z, q, CG_Z, q, CG_Z
alignas(32) const uint8_t kSpreadLo[32] = {CG_SPREAD(0, 1), CG_SPREAD(4, 5)};
alignas(32) const uint8_t kSpreadHi[32] = {CG_SPREAD(2, 3), CG_SPREAD(6, 7)};
alignas(32) const uint8_t kSpread4[32] = {CG_SPREAD(0, 1), CG_SPREAD(2, 3)};
#undef CG_SPREAD
#undef CG_Z

// Made for every mask, so kept to a few instructions.
CG_AVX2 inline Avx2Colour Avx2ColourOf(const CGCoverageColour& c) {
  Avx2Colour k;
  uint32_t pixel;
  std::memcpy(&pixel, c.src, 4);
  k.solid = _mm256_set1_epi32(static_cast<int>(pixel));
  k.src = _mm256_cvtepu8_epi16(_mm256_castsi256_si128(k.solid));
  k.alpha = _mm256_set1_epi16(c.src[c.alphaIndex]);
  k.alphaBytes = _mm256_set1_epi32(c.opaqueLayout ? 0xFF << (8 * c.alphaIndex) : 0);
  k.spreadLo = _mm256_load_si256(reinterpret_cast<const __m256i*>(kSpreadLo));
  k.spreadHi = _mm256_load_si256(reinterpret_cast<const __m256i*>(kSpreadHi));
  k.spread4 = _mm256_load_si256(reinterpret_cast<const __m256i*>(kSpread4));
  return k;
}

// a x b / 255 in 16-bit lanes holding bytes: (t + (t >> 8)) >> 8 is (t x 257) >> 16.
CG_AVX2 inline __m256i Mul255(__m256i a, __m256i b) {
  const __m256i t = _mm256_add_epi16(_mm256_mullo_epi16(a, b), _mm256_set1_epi16(128));
  return _mm256_mulhi_epu16(t, _mm256_set1_epi16(257));
}

// p + c x cover - p x (alpha x cover) in lanes. For an opaque colour alpha x cover is cover.
template <bool kOpaqueColour>
CG_AVX2 inline __m256i BlendLanes(__m256i d, __m256i cover, const Avx2Colour& k) {
  const __m256i w = kOpaqueColour ? cover : Mul255(k.alpha, cover);
  return _mm256_sub_epi16(_mm256_add_epi16(d, Mul255(k.src, cover)), Mul255(d, w));
}

// Eight pixels and their eight covers (first pixel in the lowest byte).
template <bool kOpaqueColour>
CG_AVX2 inline __m256i Blend8(__m256i d, uint64_t covers, const Avx2Colour& k) {
  const __m256i zero = _mm256_setzero_si256();
  const __m256i c = _mm256_set1_epi64x(static_cast<long long>(covers));
  const __m256i lo = BlendLanes<kOpaqueColour>(_mm256_unpacklo_epi8(d, zero),
                                               _mm256_shuffle_epi8(c, k.spreadLo), k);
  const __m256i hi = BlendLanes<kOpaqueColour>(_mm256_unpackhi_epi8(d, zero),
                                               _mm256_shuffle_epi8(c, k.spreadHi), k);
  // Covered pixels of a layout without alpha become opaque.
  const __m256i blank = _mm256_cmpeq_epi32(_mm256_cvtepu8_epi32(_mm_cvtsi64_si128(covers)), zero);
  return _mm256_or_si256(_mm256_packus_epi16(lo, hi), _mm256_andnot_si256(blank, k.alphaBytes));
}

// Four pixels and their four covers.
template <bool kOpaqueColour>
CG_AVX2 inline __m128i Blend4(__m128i d, uint32_t covers, const Avx2Colour& k) {
  const __m256i c = _mm256_set1_epi32(static_cast<int>(covers));
  const __m256i r =
      BlendLanes<kOpaqueColour>(_mm256_cvtepu8_epi16(d), _mm256_shuffle_epi8(c, k.spread4), k);
  const __m128i packed =
      _mm_packus_epi16(_mm256_castsi256_si128(r), _mm256_extracti128_si256(r, 1));
  const __m128i blank =
      _mm_cmpeq_epi32(_mm_cvtepu8_epi32(_mm_cvtsi32_si128(int(covers))), _mm_setzero_si128());
  return _mm_or_si128(packed, _mm_andnot_si128(blank, _mm256_castsi256_si128(k.alphaBytes)));
}

// One step of eight (or four) pixels at q: false when all its covers are 0 and nothing is
// to be stored, else the pixels to store in *out. Loads only; the caller stores.
template <bool kOpaqueColour>
CG_AVX2 inline bool Step8(const uint8_t* q, uint64_t covers, const Avx2Colour& k, __m256i* out) {
  if (covers == 0) return false;  // blank stretches are common in glyphs
  *out = kOpaqueColour && covers == ~uint64_t(0)
             ? k.solid
             : Blend8<kOpaqueColour>(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(q)),
                                     covers, k);
  return true;
}
template <bool kOpaqueColour>
CG_AVX2 inline bool Step4(const uint8_t* q, uint32_t covers, const Avx2Colour& k, __m128i* out) {
  if (covers == 0) return false;
  *out = Blend4<kOpaqueColour>(_mm_loadu_si128(reinterpret_cast<const __m128i*>(q)), covers, k);
  return true;
}

inline uint64_t Load64(const uint8_t* p) {
  uint64_t v;
  std::memcpy(&v, p, 8);
  return v;
}
inline uint32_t Load32(const uint8_t* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

// One row of w pixels. A row that is not a whole number of steps ends with one step
// placed flush with its end, overlapping the step before; the covers of the overlap are
// taken as 0 there, so those pixels come out as they went in. Both steps load before
// either stores, and the end step stores first: the earlier step's results win.
template <bool kOpaqueColour>
CG_AVX2 inline void BlendRow(uint8_t* dst, const uint8_t* mask, int w, const Avx2Colour& k) {
  if (w >= 8) {
    const int steps = w / 8, overlap = 8 * steps - (w - 8);  // pixels the end step repeats
    for (int i = 0; i < 8 * (steps - 1); i += 8) {
      __m256i r;
      if (Step8<kOpaqueColour>(dst + 4 * i, Load64(mask + i), k, &r))
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + 4 * i), r);
    }
    uint8_t* last = dst + 32 * (steps - 1);
    __m256i a, b;
    const bool hasA = Step8<kOpaqueColour>(last, Load64(mask + 8 * (steps - 1)), k, &a);
    if (overlap < 8) {
      uint8_t* end = dst + 4 * (w - 8);
      if (Step8<kOpaqueColour>(end, Load64(mask + w - 8) & (~uint64_t(0) << (8 * overlap)), k, &b))
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(end), b);
    }
    if (hasA) _mm256_storeu_si256(reinterpret_cast<__m256i*>(last), a);
  } else if (w >= 4) {
    __m128i a, b;
    const bool hasA = Step4<kOpaqueColour>(dst, Load32(mask), k, &a);
    if (w > 4) {
      uint8_t* end = dst + 4 * (w - 4);
      if (Step4<kOpaqueColour>(end, Load32(mask + w - 4) & (~0u << (8 * (8 - w))), k, &b))
        _mm_storeu_si128(reinterpret_cast<__m128i*>(end), b);
    }
    if (hasA) _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), a);
  } else {
    // One to three pixels: masked loads and stores leave the pixels past the row alone.
    uint32_t covers = 0;
    for (int j = 0; j < w; ++j) covers |= uint32_t(mask[j]) << (8 * j);
    if (covers == 0) return;
    const __m128i lanes = _mm_cmpgt_epi32(_mm_set1_epi32(w), _mm_setr_epi32(0, 1, 2, 3));
    int* q = reinterpret_cast<int*>(dst);
    _mm_maskstore_epi32(q, lanes, Blend4<kOpaqueColour>(_mm_maskload_epi32(q, lanes), covers, k));
  }
}

template <bool kOpaqueColour>
CG_AVX2 void BlendMask(uint8_t* dst, ptrdiff_t dstStride, const uint8_t* mask, ptrdiff_t pitch,
                       int w, int h, const Avx2Colour& k) {
  for (int y = 0; y < h; ++y, dst += dstStride, mask += pitch)
    BlendRow<kOpaqueColour>(dst, mask, w, k);
}

}  // namespace

CG_AVX2 void CGCoverageBlendAVX2(uint8_t* dst, ptrdiff_t dstStride, const uint8_t* mask,
                                 ptrdiff_t pitch, int w, int h, const CGCoverageColour& colour) {
  const Avx2Colour k = Avx2ColourOf(colour);
  if (colour.src[colour.alphaIndex] == 255)
    BlendMask<true>(dst, dstStride, mask, pitch, w, h, k);
  else
    BlendMask<false>(dst, dstStride, mask, pitch, w, h, k);
}
#endif
