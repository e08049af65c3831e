// The whole-row fast paths against the per-pixel rules they stand for: exhaustively where the
// inputs are few enough, on random data with clipping, mirroring and odd lengths otherwise.

#include "raster/bitmap/Raster_MemBitmap.h"
#include "raster/bitmap/Raster_PixelUtil.h"
#include "raster/blit/Raster_Blit.h"
#include "raster/blit/Raster_Combine.h"
#include "raster/blit/Raster_RowKernels.h"

#include "Raster_TestBitmap.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using rastertest::Px;

namespace {
void randomFill(Raster_IBitmap* b, std::mt19937& rng) {
  Raster_RowView v(b);
  for (int y = 0; y < v.h; ++y)
    for (int x = 0; x < v.w; ++x) v.row(y)[x] = (Raster_PixelValue)rng();
}
// Random pixels whose alpha is often 0 or 255, the two cases with their own results.
void randomAlphaFill(Raster_IBitmap* b, std::mt19937& rng) {
  Raster_RowView v(b);
  for (int y = 0; y < v.h; ++y)
    for (int x = 0; x < v.w; ++x) {
      Raster_PixelValue p = (Raster_PixelValue)rng();
      int pick = (int)(rng() % 4);
      if (pick == 0)
        p &= 0xFFFFFF00u;
      else if (pick == 1)
        p |= 0xFFu;
      v.row(y)[x] = p;
    }
}
}  // namespace

TEST(RasterRowKernels, SourceAlphaCompositeMatchesTheRuleForEveryAlphaSourceAndDestination) {
  // For each source alpha: every (source, destination) byte pair in red, and every destination
  // alpha byte; odd length so the tail runs too.
  const int n = 65536 - 3;
  std::vector<Raster_PixelValue> src(n), dst(n), want(n);
  for (int a = 0; a < 256; ++a) {
    for (int k = 0; k < n; ++k) {
      int s = k >> 8, d = k & 0xFF;
      src[k] = Px(s, 255 - s, s ^ 0x5A, a);
      dst[k] = Px(d, d ^ 0x33, 255 - d, d);
      want[k] = dst[k];
      _Raster_CombinePixelsCopySourceAlphaIngoreAlphaParm::doPix((unsigned char*)&want[k], s,
                                                                 255 - s, s ^ 0x5A, a, 256);
    }
    Raster_RowCompositeSourceAlpha(dst.data(), src.data(), n);
    for (int k = 0; k < n; ++k)
      if (dst[k] != want[k]) {
        ADD_FAILURE() << "alpha " << a << " source " << (k >> 8) << " dest " << (k & 0xFF) << ": "
                      << std::hex << dst[k] << " want " << want[k];
        return;
      }
  }
}

TEST(RasterRowKernels, SourceAlphaBlitMatchesThePerPixelRuleWithClipping) {
  std::mt19937 rng(7);
  for (int round = 0; round < 40; ++round) {
    Raster_MemBitmap src(1 + rng() % 40, 1 + rng() % 9), dst(1 + rng() % 40, 1 + rng() % 9),
        want(1, 1);
    randomAlphaFill(&src, rng);
    randomFill(&dst, rng);
    want.resize(dst.getWidth(), dst.getHeight());
    Raster_RowView dv(&dst), wv(&want), sv(&src);
    for (int y = 0; y < dv.h; ++y)
      for (int x = 0; x < dv.w; ++x) wv.row(y)[x] = dv.row(y)[x];
    int dx = (int)(rng() % 50) - 20, dy = (int)(rng() % 12) - 5;
    Raster_Blit(&dst, &src, dx, dy, nullptr, 1.0f, kBlitCopy | kBlitUseSourceAlpha);
    for (int y = 0; y < sv.h; ++y)
      for (int x = 0; x < sv.w; ++x) {
        int tx = x + dx, ty = y + dy;
        if (tx < 0 || ty < 0 || tx >= wv.w || ty >= wv.h) continue;
        Raster_PixelValue s = sv.row(y)[x];
        _Raster_CombinePixelsCopySourceAlphaIngoreAlphaParm::doPix(
            (unsigned char*)(wv.row(ty) + tx), Raster_GetR(s), Raster_GetG(s), Raster_GetB(s),
            Raster_GetA(s), 256);
      }
    for (int y = 0; y < dv.h; ++y)
      for (int x = 0; x < dv.w; ++x)
        ASSERT_EQ(dv.row(y)[x], wv.row(y)[x]) << round << " at " << x << "," << y;
  }
}

TEST(RasterRowKernels, BilinearInteriorMatchesTheWeightRuleAtExtremeAndRandomFractions) {
  std::mt19937 rng(11);
  const int srcW = 64;
  std::vector<Raster_PixelValue> top(srcW), below(srcW), out(40);
  const int fracs[] = {0, 1, 2, 255, 256, 32767, 32768, 65534, 65535};
  for (int round = 0; round < 400; ++round) {
    for (int k = 0; k < srcW; ++k) {
      top[k] = round < 9 ? (k & 1 ? 0xFFFFFFFFu : 0u) : (Raster_PixelValue)rng();
      below[k] = round < 9 ? (k & 2 ? 0xFFFFFFFFu : 0u) : (Raster_PixelValue)rng();
    }
    int fy = round < 81 ? fracs[round % 9] : (int)(rng() & 0xFFFF);
    int64_t fx = round < 81 ? fracs[round / 9] : (int64_t)(rng() & 0xFFFF);
    int64_t step =
        round < 81 ? 65536 * (round % 3) / 2 + fracs[round / 9] : (int64_t)(rng() % 100000);
    int n = 1 + (int)(rng() % 39);
    while (n > 0 && ((fx + (n - 1) * step) >> 16) + 1 >= srcW) --n;
    Raster_RowBilinearInterior(out.data(), top.data(), below.data(), fx, step, fy, n);
    for (int i = 0; i < n; ++i) {
      int64_t pos = fx + i * step;
      int ix = (int)(pos >> 16);
      uint64_t f = (uint64_t)(pos & 0xFFFF), g = (uint64_t)fy, c = f * g / 65536;
      for (int ch = 0; ch < 4; ++ch) {
        auto byte = [ch](Raster_PixelValue p) { return (uint64_t)((const unsigned char*)&p)[ch]; };
        uint64_t sum = byte(top[ix]) * (65536 - f - g + c) + byte(top[ix + 1]) * (f - c) +
                       byte(below[ix]) * (g - c) + byte(below[ix + 1]) * c;
        ASSERT_EQ((uint64_t)((const unsigned char*)&out[i])[ch], sum / 65536)
            << "round " << round << " pixel " << i << " channel " << ch;
      }
    }
  }
}

TEST(RasterRowKernels, BilinearCopyEqualsTheGenericRuleOnRandomScalesClipsAndMirrors) {
  // Adding at full weight onto zero writes each sample as it is, through the generic per-pixel
  // path: the plain-copy fast path must give the same bytes everywhere, untouched pixels too.
  std::mt19937 rng(3);
  for (int round = 0; round < 60; ++round) {
    Raster_MemBitmap src(2 + rng() % 30, 2 + rng() % 20);
    randomFill(&src, rng);
    int dw = 1 + (int)(rng() % 50), dh = 1 + (int)(rng() % 30);
    if (rng() % 4 == 0) dw = -dw;
    if (rng() % 4 == 0) dh = -dh;
    Raster_MemBitmap a(40, 25), b(40, 25);
    Raster_Clear(&a, 0);
    Raster_Clear(&b, 0);
    int dx = (int)(rng() % 50) - 15, dy = (int)(rng() % 30) - 8;
    float sx = (float)(rng() % 1000) / 100.0f - 2.0f, sy = (float)(rng() % 1000) / 100.0f - 2.0f;
    float sw = (float)(rng() % 3000) / 100.0f + 0.5f, sh = (float)(rng() % 2000) / 100.0f + 0.5f;
    Raster_ScaledBlit(&a, &src, dx, dy, dw, dh, sx, sy, sw, sh, 1.0f,
                      kBlitCopy | kBlitFilterBilinear);
    Raster_ScaledBlit(&b, &src, dx, dy, dw, dh, sx, sy, sw, sh, 1.0f,
                      kBlitAdd | kBlitFilterBilinear);
    for (int k = 0; k < 40 * 25; ++k)
      ASSERT_EQ(a.getBits()[k], b.getBits()[k]) << "round " << round << " pixel " << k;
  }
}

namespace {
// The weight rule for one channel of one sample, in 64 bits.
uint64_t bilinearRule(uint64_t p, uint64_t r, uint64_t b, uint64_t br, uint64_t fx, uint64_t fy) {
  uint64_t c = fx * fy / 65536;
  return (p * (65536 - fx - fy + c) + r * (fx - c) + b * (fy - c) + br * c) / 65536;
}
}  // namespace

TEST(RasterRowKernels, BilinearTablesMatchTheWeightRuleForEveryHorizontalFraction) {
  // Every fx against row fractions at and around the signed 16-bit boundaries, on independent
  // column pairs (even columns) cycling through all 16 combinations of 0 and 255 per channel
  // and random bytes; 65536 pixels so the eight-pixel loop and its tail both run.
  const int pairs = 48, n = 65536;
  std::mt19937 rng(19);
  std::vector<Raster_PixelValue> top(2 * pairs + 1), below(2 * pairs + 1), out(n);
  for (int x = 0; x < pairs; ++x) {
    Raster_PixelValue t0 = 0, t1 = 0, b0 = 0, b1 = 0;
    for (int k = 0; k < 4; ++k) {
      int combo = (x + 5 * k) & 15;
      auto v = [&](int bit) {
        return x < 32 ? ((combo >> bit) & 1) * 255u : (unsigned)(rng() & 0xFF);
      };
      t0 |= v(0) << (8 * k);
      t1 |= v(1) << (8 * k);
      b0 |= v(2) << (8 * k);
      b1 |= v(3) << (8 * k);
    }
    top[2 * x] = t0, top[2 * x + 1] = t1, below[2 * x] = b0, below[2 * x + 1] = b1;
  }
  top[2 * pairs] = below[2 * pairs] = 0xFFFFFFFFu;
  std::vector<int32_t> ix(n), base(4 * (2 * pairs));
  std::vector<uint16_t> fx(n);
  std::vector<int16_t> ad(8 * (2 * pairs));
  for (int i = 0; i < n; ++i) {
    ix[i] = 2 * (i % pairs);
    fx[i] = (uint16_t)i;
  }
  Raster_BilinearPrepareDiffs(ad.data(), top.data(), below.data(), 2 * pairs);
  const int fys[] = {0,
                     1,
                     2,
                     255,
                     32767,
                     32768,
                     32769,
                     65534,
                     65535,
                     (int)(rng() & 0xFFFF),
                     (int)(rng() & 0xFFFF)};
  for (int fy : fys) {
    Raster_BilinearPrepareBase(base.data(), top.data(), below.data(), fy, 2 * pairs);
    Raster_BilinearFromTables(out.data(), ix.data(), fx.data(), base.data(), ad.data(), fy, n);
    for (int i = 0; i < n; ++i)
      for (int k = 0; k < 4; ++k) {
        auto byte = [k](Raster_PixelValue p) { return (uint64_t)((p >> (8 * k)) & 0xFF); };
        const int x = ix[i];
        uint64_t want = bilinearRule(byte(top[x]), byte(top[x + 1]), byte(below[x]),
                                     byte(below[x + 1]), fx[i], fy);
        ASSERT_EQ(byte(out[i]), want)
            << "fx " << i << " fy " << fy << " column " << x << " channel " << k;
      }
  }
}

TEST(RasterRowKernels, BilinearTablesPrepareEveryColumnForAnyLength) {
  // Lengths around the four-column step, adjacent (overlapping) columns, random fractions:
  // the vector loops and the scalar tails of every step, the combined pass included.
  std::mt19937 rng(23);
  for (int cols = 1; cols <= 21; ++cols) {
    std::vector<Raster_PixelValue> top(cols + 1), below(cols + 1);
    for (auto& p : top) p = (Raster_PixelValue)rng();
    for (auto& p : below) p = (Raster_PixelValue)rng();
    const int n = 3 * cols + 1, fy = (int)(rng() & 0xFFFF);
    std::vector<int32_t> ix(n), base(4 * cols);
    std::vector<uint16_t> fx(n);
    std::vector<int16_t> ad(8 * cols);
    std::vector<Raster_PixelValue> out(n);
    for (int i = 0; i < n; ++i) {
      ix[i] = (int)(rng() % cols);
      fx[i] = (uint16_t)rng();
    }
    // Odd lengths take the differences from the base pass, even ones from their own.
    if (cols % 2) {
      Raster_BilinearPrepareBase(base.data(), top.data(), below.data(), fy, cols, ad.data());
    } else {
      Raster_BilinearPrepareDiffs(ad.data(), top.data(), below.data(), cols);
      Raster_BilinearPrepareBase(base.data(), top.data(), below.data(), fy, cols);
    }
    Raster_BilinearFromTables(out.data(), ix.data(), fx.data(), base.data(), ad.data(), fy, n);
    for (int i = 0; i < n; ++i)
      for (int k = 0; k < 4; ++k) {
        auto byte = [k](Raster_PixelValue p) { return (uint64_t)((p >> (8 * k)) & 0xFF); };
        const int x = ix[i];
        ASSERT_EQ(byte(out[i]), bilinearRule(byte(top[x]), byte(top[x + 1]), byte(below[x]),
                                             byte(below[x + 1]), fx[i], fy))
            << "columns " << cols << " pixel " << i << " channel " << k;
      }
  }
}

TEST(RasterRowKernels, WideBilinearCopiesEqualTheGenericRuleOnRandomScalesClipsAndMirrors) {
  // Destinations wide enough for the table path (long interiors, odd tails), enlargements and
  // mild reductions, clipped on every side, mirrored on either axis, flipped bitmaps and row
  // padding too; the full-weight add onto zero draws every sample through the generic per-pixel
  // loop, and the padding must stay untouched.
  std::mt19937 rng(29);
  const int W = 130, H = 36, span = W + 5;
  for (int round = 0; round < 80; ++round) {
    rastertest::SpanBitmap src(2 + rng() % 90, 2 + rng() % 40, 100, round % 5 == 0);
    randomFill(&src, rng);
    int dw = 8 + (int)(rng() % 140), dh = 1 + (int)(rng() % 40);
    if (rng() % 4 == 0) dw = -dw;
    if (rng() % 4 == 0) dh = -dh;
    rastertest::SpanBitmap a(W, H, span, round % 7 == 0), b(W, H, span, round % 7 == 0);
    int dx = (int)(rng() % 60) - 20, dy = (int)(rng() % 30) - 8;
    float sx = (float)(rng() % 1000) / 100.0f - 3.0f, sy = (float)(rng() % 1000) / 100.0f - 3.0f;
    float sw = (float)(rng() % 9000) / 100.0f + 0.5f, sh = (float)(rng() % 4000) / 100.0f + 0.5f;
    Raster_ScaledBlit(&a, &src, dx, dy, dw, dh, sx, sy, sw, sh, 1.0f,
                      kBlitCopy | kBlitFilterBilinear);
    Raster_ScaledBlit(&b, &src, dx, dy, dw, dh, sx, sy, sw, sh, 1.0f,
                      kBlitAdd | kBlitFilterBilinear);
    for (int k = 0; k < span * H; ++k)
      ASSERT_EQ(a.getBits()[k], b.getBits()[k]) << "round " << round << " memory pixel " << k;
    for (Raster_PixelValue p : a.padding()) ASSERT_EQ(p, 0u) << "round " << round;
  }
}
