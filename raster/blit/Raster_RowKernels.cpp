// Whole-row kernels for the source-alpha composite and the interior of bilinear enlargements.
// Both keep every intermediate exact: the SSE2 forms hold values that provably fit their lanes
// (noted at each step), so they give the same bytes as the per-pixel rules.

#include "raster/blit/Raster_RowKernels.h"
#include "raster/blit/Raster_Combine.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define RASTER_HAVE_AVX2_PATH 1
#endif

bool Raster_HaveAvx2() {
#if RASTER_HAVE_AVX2_PATH
  static const bool yes = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
  }();
  return yes;
#else
  return false;
#endif
}

#if RASTER_HAVE_AVX2_PATH
namespace {

// The SSE2 composite below, eight pixels at a time; every step stays within one pixel.
__attribute__((target("avx2"))) int compositeAvx2(Raster_PixelValue* __restrict d,
                                                  const Raster_PixelValue* __restrict s, int n) {
  int i = 0;
  const __m256i zero = _mm256_setzero_si256();
  const __m256i alphaByte = _mm256_set1_epi32(0xFF);
  const __m256i one = _mm256_set1_epi32(1);
  const __m256i k256 = _mm256_set1_epi16(256);
  for (; i + 8 <= n; i += 8) {
    const __m256i sv = _mm256_loadu_si256((const __m256i*)(s + i));
    const __m256i dv = _mm256_loadu_si256((const __m256i*)(d + i));
    const __m256i a = _mm256_and_si256(sv, alphaByte);
    const __m256i c = _mm256_add_epi32(a, one);
    const __m256i cc = _mm256_or_si256(c, _mm256_slli_epi32(c, 16));
    const __m256i cLo = _mm256_unpacklo_epi32(cc, cc), cHi = _mm256_unpackhi_epi32(cc, cc);
    const __m256i sAdj = _mm256_adds_epu8(sv, one);
    const __m256i sLo = _mm256_unpacklo_epi8(sAdj, zero), sHi = _mm256_unpackhi_epi8(sAdj, zero);
    const __m256i dLo = _mm256_unpacklo_epi8(dv, zero), dHi = _mm256_unpackhi_epi8(dv, zero);
    const __m256i rLo =
        _mm256_srli_epi16(_mm256_add_epi16(_mm256_mullo_epi16(sLo, cLo),
                                           _mm256_mullo_epi16(dLo, _mm256_sub_epi16(k256, cLo))),
                          8);
    const __m256i rHi =
        _mm256_srli_epi16(_mm256_add_epi16(_mm256_mullo_epi16(sHi, cHi),
                                           _mm256_mullo_epi16(dHi, _mm256_sub_epi16(k256, cHi))),
                          8);
    const __m256i mixed = _mm256_packus_epi16(rLo, rHi);
    const __m256i keep = _mm256_cmpeq_epi32(a, zero);
    _mm256_storeu_si256((__m256i*)(d + i), _mm256_blendv_epi8(mixed, dv, keep));
  }
  return i;
}
}  // namespace
#endif

void Raster_RowCompositeSourceAlpha(Raster_PixelValue* __restrict d,
                                    const Raster_PixelValue* __restrict s, int n) {
  int i = 0;
#if RASTER_HAVE_AVX2_PATH
  if (n >= 8 && Raster_HaveAvx2()) i = compositeAvx2(d, s, n);
#endif
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  const __m128i alphaByte = _mm_set1_epi32(0xFF);
  const __m128i one = _mm_set1_epi32(1);  // also +1 on the alpha byte only
  const __m128i k256 = _mm_set1_epi16(256);
  for (; i + 4 <= n; i += 4) {
    const __m128i sv = _mm_loadu_si128((const __m128i*)(s + i));
    const __m128i dv = _mm_loadu_si128((const __m128i*)(d + i));
    const __m128i a = _mm_and_si128(sv, alphaByte);
    const __m128i c = _mm_add_epi32(a, one);  // 1..256
    const __m128i cc = _mm_or_si128(c, _mm_slli_epi32(c, 16));
    const __m128i cLo = _mm_unpacklo_epi32(cc, cc),
                  cHi = _mm_unpackhi_epi32(cc, cc);  // c per channel
    // The alpha byte mixes min(a + 1, 255) in place of a: with c = a + 1 that is
    // (c * c + alpha_d * (256 - c)) >> 8 for a < 255, and 255 for a = 255.
    const __m128i sAdj = _mm_adds_epu8(sv, one);
    // s * c + d * (256 - c) <= 255 * 256 for every channel: the 16-bit sums cannot wrap.
    const __m128i sLo = _mm_unpacklo_epi8(sAdj, zero), sHi = _mm_unpackhi_epi8(sAdj, zero);
    const __m128i dLo = _mm_unpacklo_epi8(dv, zero), dHi = _mm_unpackhi_epi8(dv, zero);
    const __m128i rLo = _mm_srli_epi16(
        _mm_add_epi16(_mm_mullo_epi16(sLo, cLo), _mm_mullo_epi16(dLo, _mm_sub_epi16(k256, cLo))),
        8);
    const __m128i rHi = _mm_srli_epi16(
        _mm_add_epi16(_mm_mullo_epi16(sHi, cHi), _mm_mullo_epi16(dHi, _mm_sub_epi16(k256, cHi))),
        8);
    const __m128i mixed = _mm_packus_epi16(rLo, rHi);
    const __m128i keep = _mm_cmpeq_epi32(a, zero);  // transparent source: destination unchanged
    _mm_storeu_si128((__m128i*)(d + i),
                     _mm_or_si128(_mm_and_si128(keep, dv), _mm_andnot_si128(keep, mixed)));
  }
#endif
  for (; i < n; ++i) _Raster_CombinePixelsCopySourceAlphaIngoreAlphaParm::doPixel(d + i, s[i], 256);
}

namespace {
inline Raster_PixelValue bilinearPixel(const Raster_PixelValue* top, const Raster_PixelValue* below,
                                       int ix, int fx, int fy) {
  const unsigned char* p = (const unsigned char*)(top + ix);
  const unsigned char* pb = (const unsigned char*)(below + ix);
  const uint32_t c = (uint32_t)(((uint64_t)(uint32_t)fx * (uint32_t)fy) >> 16);
  const uint32_t wp = 65536u - (uint32_t)fx - (uint32_t)fy + c, wr = (uint32_t)fx - c,
                 wb = (uint32_t)fy - c;
  Raster_PixelValue out;
  unsigned char* o = (unsigned char*)&out;
  for (int k = 0; k < 4; ++k)
    o[k] = (unsigned char)((p[k] * wp + p[k + 4] * wr + pb[k] * wb + pb[k + 4] * c) >> 16);
  return out;
}

#if defined(__SSE2__)
// Exact 32-bit products of 16-bit lanes a (0..255) and w (0..65535), channels of the first
// pixel in lo, of the second in hi.
inline void products(__m128i a, __m128i w, __m128i& lo, __m128i& hi) {
  const __m128i l = _mm_mullo_epi16(a, w), h = _mm_mulhi_epu16(a, w);
  lo = _mm_unpacklo_epi16(l, h);
  hi = _mm_unpackhi_epi16(l, h);
}
#endif
}  // namespace

#if RASTER_HAVE_AVX2_PATH
namespace {
// Pixels a and b of a row, each with its right neighbour: a, b, a + 1, b + 1.
inline __m128i pairs(const Raster_PixelValue* row, int a, int b) {
  return _mm_unpacklo_epi32(_mm_loadl_epi64((const __m128i*)(row + a)),
                            _mm_loadl_epi64((const __m128i*)(row + b)));
}

// The same arithmetic as the SSE2 loop below, four pixels at a time: the 128-bit halves hold
// pixels 0-1 and 2-3 and every step works within its half.
__attribute__((target("avx2"))) int bilinearAvx2(Raster_PixelValue* __restrict d,
                                                 const Raster_PixelValue* top,
                                                 const Raster_PixelValue* below, int64_t fx,
                                                 int64_t fxStep, int fy, int n) {
  int i = 0;
  const __m256i zero = _mm256_setzero_si256();
  const __m256i FY = _mm256_set1_epi16((short)fy);
  for (; i + 4 <= n; i += 4, fx += 4 * fxStep) {
    int64_t pos[4] = {fx, fx + fxStep, fx + 2 * fxStep, fx + 3 * fxStep};
    int ix[4];
    uint16_t f[4];
    for (int k = 0; k < 4; ++k) {
      ix[k] = (int)(pos[k] >> 16);
      f[k] = (uint16_t)(pos[k] & 0xFFFF);
    }
    const __m256i T = _mm256_set_m128i(pairs(top, ix[2], ix[3]), pairs(top, ix[0], ix[1]));
    const __m256i B = _mm256_set_m128i(pairs(below, ix[2], ix[3]), pairs(below, ix[0], ix[1]));
    const __m256i P = _mm256_unpacklo_epi8(T, zero), R = _mm256_unpackhi_epi8(T, zero);
    const __m256i PB = _mm256_unpacklo_epi8(B, zero), RB = _mm256_unpackhi_epi8(B, zero);
    const __m256i FX = _mm256_set_epi16((short)f[3], (short)f[3], (short)f[3], (short)f[3],
                                        (short)f[2], (short)f[2], (short)f[2], (short)f[2],
                                        (short)f[1], (short)f[1], (short)f[1], (short)f[1],
                                        (short)f[0], (short)f[0], (short)f[0], (short)f[0]);
    const __m256i C = _mm256_mulhi_epu16(FX, FY);
    const __m256i WR = _mm256_sub_epi16(FX, C), WB = _mm256_sub_epi16(FY, C);
    const __m256i WP = _mm256_sub_epi16(_mm256_sub_epi16(C, FX), FY);
    __m256i lo = zero, hi = zero;
    const __m256i terms[4][2] = {{P, WP}, {R, WR}, {PB, WB}, {RB, C}};
    for (const auto& t : terms) {
      const __m256i l = _mm256_mullo_epi16(t[0], t[1]), h = _mm256_mulhi_epu16(t[0], t[1]);
      lo = _mm256_add_epi32(lo, _mm256_unpacklo_epi16(l, h));
      hi = _mm256_add_epi32(hi, _mm256_unpackhi_epi16(l, h));
    }
    __m256i r = _mm256_packs_epi32(_mm256_srli_epi32(lo, 16), _mm256_srli_epi32(hi, 16));
    const __m256i whole = _mm256_cmpeq_epi16(_mm256_or_si256(FX, FY), zero);
    r = _mm256_blendv_epi8(r, P, whole);
    r = _mm256_permute4x64_epi64(_mm256_packus_epi16(r, r),
                                 0x08);  // qwords 0 and 2: pixels 0-1, 2-3
    _mm_storeu_si128((__m128i*)(d + i), _mm256_castsi256_si128(r));
  }
  return i;
}

}  // namespace
#endif

void Raster_RowBilinearInterior(Raster_PixelValue* __restrict d, const Raster_PixelValue* top,
                                const Raster_PixelValue* below, int64_t fx, int64_t fxStep, int fy,
                                int n) {
  int i = 0;
#if RASTER_HAVE_AVX2_PATH
  if (n >= 4 && Raster_HaveAvx2()) {
    i = bilinearAvx2(d, top, below, fx, fxStep, fy, n);
    fx += i * fxStep;
    d += i;
    n -= i;
    i = 0;
  }
#endif
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  const __m128i FY = _mm_set1_epi16((short)fy);
  for (; i + 2 <= n; i += 2, fx += 2 * fxStep) {
    const int64_t fx1 = fx + fxStep;
    const int ix0 = (int)(fx >> 16), ix1 = (int)(fx1 >> 16);
    const int f0 = (int)(fx & 0xFFFF), f1 = (int)(fx1 & 0xFFFF);
    // Each load takes the pixel and its right neighbour.
    const __m128i T =
        _mm_unpacklo_epi32(_mm_loadl_epi64((const __m128i*)(top + ix0)),
                           _mm_loadl_epi64((const __m128i*)(top + ix1)));  // p0 p1 r0 r1
    const __m128i B = _mm_unpacklo_epi32(_mm_loadl_epi64((const __m128i*)(below + ix0)),
                                         _mm_loadl_epi64((const __m128i*)(below + ix1)));
    const __m128i P = _mm_unpacklo_epi8(T, zero), R = _mm_unpackhi_epi8(T, zero);
    const __m128i PB = _mm_unpacklo_epi8(B, zero), RB = _mm_unpackhi_epi8(B, zero);
    __m128i FX = _mm_cvtsi32_si128((int)((uint32_t)f0 | ((uint32_t)f1 << 16)));
    FX = _mm_unpacklo_epi16(FX, FX);
    FX = _mm_unpacklo_epi32(FX, FX);  // f0 x 4, f1 x 4
    // c = fx * fy >> 16 exactly; fx - c, fy - c and 65536 - fx - fy + c lie in 0..65536, and
    // 65536 (only for fx = fy = 0, where the sample is p itself) wraps to 0: fixed below.
    const __m128i C = _mm_mulhi_epu16(FX, FY);
    const __m128i WR = _mm_sub_epi16(FX, C), WB = _mm_sub_epi16(FY, C);
    const __m128i WP = _mm_sub_epi16(_mm_sub_epi16(C, FX), FY);
    __m128i lo, hi, tl, th;
    products(P, WP, lo, hi);
    products(R, WR, tl, th);
    lo = _mm_add_epi32(lo, tl);
    hi = _mm_add_epi32(hi, th);
    products(PB, WB, tl, th);
    lo = _mm_add_epi32(lo, tl);
    hi = _mm_add_epi32(hi, th);
    products(RB, C, tl, th);
    lo = _mm_add_epi32(lo, tl);  // below 255 * 65536: no sign trouble
    hi = _mm_add_epi32(hi, th);
    __m128i r = _mm_packs_epi32(_mm_srli_epi32(lo, 16), _mm_srli_epi32(hi, 16));
    const __m128i whole = _mm_cmpeq_epi16(_mm_or_si128(FX, FY), zero);
    r = _mm_or_si128(_mm_and_si128(whole, P), _mm_andnot_si128(whole, r));
    _mm_storel_epi64((__m128i*)(d + i), _mm_packus_epi16(r, r));
  }
#endif
  for (; i < n; ++i, fx += fxStep)
    d[i] = bilinearPixel(top, below, (int)(fx >> 16), (int)(fx & 0xFFFF), fy);
}

// Bilinear tables. Per channel the weighted sum of p, right, below and belowRight is
//   65536 p + fx A + fy (below - p) + c D   (A = right - p, D = belowRight - below - A),
// and writing each factor f as (f - 32768) + 32768 collects the 32768 parts into
// 32768 (p + belowRight): the base below. Every product then has a signed 16-bit factor
// (f - 32768 in -32768..32767) and a difference of at most 510, so the 32-bit sums are exact
// and the final shift gives the bytes of the weight rule, the fx = fy = 0 case included.
namespace {
inline int channel(Raster_PixelValue p, int k) { return ((const unsigned char*)&p)[k]; }

void prepareDiffsScalar(int16_t* ad, const Raster_PixelValue* top, const Raster_PixelValue* below,
                        int x, int n) {
  for (; x < n; ++x)
    for (int k = 0; k < 4; ++k) {
      int p = channel(top[x], k), r = channel(top[x + 1], k), b = channel(below[x], k),
          br = channel(below[x + 1], k);
      ad[8 * x + 2 * k] = (int16_t)(r - p);
      ad[8 * x + 2 * k + 1] = (int16_t)(br - b - r + p);
    }
}

void prepareBaseScalar(int32_t* base, const Raster_PixelValue* top, const Raster_PixelValue* below,
                       int fy, int x, int n) {
  for (; x < n; ++x)
    for (int k = 0; k < 4; ++k) {
      int p = channel(top[x], k), b = channel(below[x], k), br = channel(below[x + 1], k);
      base[4 * x + k] = 32768 * (p + br) + (fy - 32768) * (b - p);
    }
}

void fromTablesScalar(Raster_PixelValue* d, const int32_t* ix, const uint16_t* fx,
                      const int32_t* base, const int16_t* ad, int fy, int i, int n) {
  for (; i < n; ++i) {
    const int f = fx[i], c = (int)(((uint32_t)f * (uint32_t)fy) >> 16), x = ix[i];
    unsigned char* o = (unsigned char*)(d + i);
    for (int k = 0; k < 4; ++k)
      o[k] = (unsigned char)((base[4 * x + k] + (f - 32768) * ad[8 * x + 2 * k] +
                              (c - 32768) * ad[8 * x + 2 * k + 1]) >>
                             16);
  }
}

#if RASTER_HAVE_AVX2_PATH
// Four columns at a time: 16 channels widened to 16 bits, 128-bit halves holding columns
// (x, x + 1) and (x + 2, x + 3); the interleaves give columns x and x + 2 in lo, x + 1 and x + 3
// in hi, put back in order by the cross-half permutes.
__attribute__((target("avx2"))) inline __m256i widen(const Raster_PixelValue* p) {
  return _mm256_cvtepu8_epi16(_mm_loadu_si128((const __m128i*)p));
}

__attribute__((target("avx2"))) int prepareDiffsAvx2(int16_t* ad, const Raster_PixelValue* top,
                                                     const Raster_PixelValue* below, int n) {
  int x = 0;
  for (; x + 4 <= n; x += 4) {
    const __m256i P = widen(top + x), R = widen(top + x + 1), B = widen(below + x),
                  BR = widen(below + x + 1);
    const __m256i A = _mm256_sub_epi16(R, P);
    const __m256i D = _mm256_sub_epi16(_mm256_sub_epi16(BR, B), A);
    const __m256i lo = _mm256_unpacklo_epi16(A, D), hi = _mm256_unpackhi_epi16(A, D);
    _mm256_storeu_si256((__m256i*)(ad + 8 * x), _mm256_permute2x128_si256(lo, hi, 0x20));
    _mm256_storeu_si256((__m256i*)(ad + 8 * x + 16), _mm256_permute2x128_si256(lo, hi, 0x31));
  }
  return x;
}

// With ad given, the differences of the same columns in the same pass.
__attribute__((target("avx2"))) int prepareBaseAvx2(int32_t* base, int16_t* ad,
                                                    const Raster_PixelValue* top,
                                                    const Raster_PixelValue* below, int fy, int n) {
  int x = 0;
  // Pairs (-(p + belowRight), below - p) times (-32768, fy - 32768).
  const __m256i K = _mm256_set1_epi32((int)(((uint32_t)(fy ^ 0x8000) << 16) | 0x8000u));
  const __m256i zero = _mm256_setzero_si256();
  for (; x + 4 <= n; x += 4) {
    const __m256i P = widen(top + x), B = widen(below + x), BR = widen(below + x + 1);
    const __m256i S = _mm256_sub_epi16(zero, _mm256_add_epi16(P, BR)), E = _mm256_sub_epi16(B, P);
    const __m256i lo = _mm256_madd_epi16(_mm256_unpacklo_epi16(S, E), K);
    const __m256i hi = _mm256_madd_epi16(_mm256_unpackhi_epi16(S, E), K);
    _mm256_storeu_si256((__m256i*)(base + 4 * x), _mm256_permute2x128_si256(lo, hi, 0x20));
    _mm256_storeu_si256((__m256i*)(base + 4 * x + 8), _mm256_permute2x128_si256(lo, hi, 0x31));
    if (ad) {
      const __m256i A = _mm256_sub_epi16(widen(top + x + 1), P);
      const __m256i D = _mm256_sub_epi16(_mm256_sub_epi16(BR, B), A);
      const __m256i dlo = _mm256_unpacklo_epi16(A, D), dhi = _mm256_unpackhi_epi16(A, D);
      _mm256_storeu_si256((__m256i*)(ad + 8 * x), _mm256_permute2x128_si256(dlo, dhi, 0x20));
      _mm256_storeu_si256((__m256i*)(ad + 8 * x + 16), _mm256_permute2x128_si256(dlo, dhi, 0x31));
    }
  }
  return x;
}

__attribute__((target("avx2"))) inline __m256i twoColumns(const void* table, int stride, int a,
                                                          int b) {
  const char* t = (const char*)table;
  return _mm256_inserti128_si256(
      _mm256_castsi128_si256(_mm_loadu_si128((const __m128i*)(t + (long)a * stride))),
      _mm_loadu_si128((const __m128i*)(t + (long)b * stride)), 1);
}

// Eight pixels from i on; register k holds pixels 2k and 2k + 1 in its halves, each half one
// multiply-add of (A, D) pairs by (fx - 32768, c - 32768) onto the base.
__attribute__((target("avx2"))) inline void eightFromTables(Raster_PixelValue* __restrict d,
                                                            const int32_t* ix, const uint16_t* fx,
                                                            const int32_t* base, const int16_t* ad,
                                                            __m128i FY, int i) {
  const __m128i flip = _mm_set1_epi16((short)0x8000);
  const __m128i F = _mm_loadu_si128((const __m128i*)(fx + i));
  const __m128i C = _mm_mulhi_epu16(F, FY);  // c = fx * fy >> 16
  const __m256i W = _mm256_set_m128i(_mm_xor_si128(_mm_unpackhi_epi16(F, C), flip),
                                     _mm_xor_si128(_mm_unpacklo_epi16(F, C), flip));
  __m256i r[4];
  for (int k = 0; k < 4; ++k) {
    const int a = ix[i + 2 * k], b = ix[i + 2 * k + 1];
    const __m256i spread =
        _mm256_setr_epi32(2 * k, 2 * k, 2 * k, 2 * k, 2 * k + 1, 2 * k + 1, 2 * k + 1, 2 * k + 1);
    const __m256i sum = _mm256_add_epi32(
        twoColumns(base, 16, a, b),
        _mm256_madd_epi16(twoColumns(ad, 16, a, b), _mm256_permutevar8x32_epi32(W, spread)));
    r[k] = _mm256_srai_epi32(sum, 16);  // 0..255
  }
  // Halves hold pixels (0, 2, 4, 6) and (1, 3, 5, 7) after packing.
  const __m256i bytes =
      _mm256_packus_epi16(_mm256_packs_epi32(r[0], r[1]), _mm256_packs_epi32(r[2], r[3]));
  _mm256_storeu_si256((__m256i*)(d + i), _mm256_permutevar8x32_epi32(
                                             bytes, _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7)));
}

// Whole rows of eight; a shorter end is drawn as the last eight pixels again, which rewrites
// some with the same values (nothing here reads the destination).
__attribute__((target("avx2"))) int fromTablesAvx2(Raster_PixelValue* __restrict d,
                                                   const int32_t* ix, const uint16_t* fx,
                                                   const int32_t* base, const int16_t* ad, int fy,
                                                   int n) {
  if (n < 8) return 0;
  const __m128i FY = _mm_set1_epi16((short)fy);
  int i = 0;
  for (; i + 8 <= n; i += 8) eightFromTables(d, ix, fx, base, ad, FY, i);
  if (i < n) eightFromTables(d, ix, fx, base, ad, FY, n - 8);
  return n;
}
#endif
}  // namespace

bool Raster_BilinearTablesAvailable() {
#if RASTER_HAVE_AVX2_PATH
  return Raster_HaveAvx2();
#else
  return false;
#endif
}

void Raster_BilinearPrepareDiffs(int16_t* ad, const Raster_PixelValue* top,
                                 const Raster_PixelValue* below, int n) {
  int x = 0;
#if RASTER_HAVE_AVX2_PATH
  if (Raster_HaveAvx2()) x = prepareDiffsAvx2(ad, top, below, n);
#endif
  prepareDiffsScalar(ad, top, below, x, n);
}

void Raster_BilinearPrepareBase(int32_t* base, const Raster_PixelValue* top,
                                const Raster_PixelValue* below, int fy, int n, int16_t* ad) {
  int x = 0;
#if RASTER_HAVE_AVX2_PATH
  if (Raster_HaveAvx2()) x = prepareBaseAvx2(base, ad, top, below, fy, n);
#endif
  prepareBaseScalar(base, top, below, fy, x, n);
  if (ad) prepareDiffsScalar(ad, top, below, x, n);
}

void Raster_BilinearFromTables(Raster_PixelValue* __restrict d, const int32_t* ix,
                               const uint16_t* fx, const int32_t* base, const int16_t* ad, int fy,
                               int n) {
  int i = 0;
#if RASTER_HAVE_AVX2_PATH
  if (Raster_HaveAvx2()) i = fromTablesAvx2(d, ix, fx, base, ad, fy, n);
#endif
  fromTablesScalar(d, ix, fx, base, ad, fy, i, n);
}
