#include "raster/bitmap/Raster_MemBitmap.h"
#include "raster/bitmap/Raster_PixelUtil.h"
#include "raster/blit/Raster_Blit.h"

#include "Raster_TestBitmap.h"

#include <gtest/gtest.h>

#include <climits>

using rastertest::Px;
using rastertest::SpanBitmap;

namespace {
const Raster_PixelValue kBack = 0x01010101;
}

TEST(RasterFillRect, ClipsAndWritesTheColourAtFullWeight) {
  SpanBitmap b(4, 3, 6, true, kBack);
  Raster_FillRect(&b, -2, 1, 4, 9, Px(9, 8, 7, 6), 1.0f, kBlitCopy);
  EXPECT_EQ(b.at(0, 1), Px(9, 8, 7, 6));
  EXPECT_EQ(b.at(1, 2), Px(9, 8, 7, 6));
  EXPECT_EQ(b.at(2, 1), kBack);
  EXPECT_EQ(b.at(0, 0), kBack);
  for (Raster_PixelValue p : b.padding()) EXPECT_EQ(p, kBack);
}

TEST(RasterFillRect, WideFullWeightFillsExactlyTheClippedRectangle) {
  // Widths around the vector lengths, clipped on every side of a flipped bitmap with padding.
  for (int w = 1; w < 40; w += 3) {
    SpanBitmap b(37, 5, 41, true, kBack);
    Raster_FillRect(&b, w - 20, -1, w + 9, 4, Px(1, 2, 3, 4), 1.0f, kBlitCopy);
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 37; ++x) {
        bool inside = x >= w - 20 && x < 2 * w - 11 && y < 3;
        EXPECT_EQ(b.at(x, y), inside ? Px(1, 2, 3, 4) : kBack) << w << " at " << x << "," << y;
      }
    for (Raster_PixelValue p : b.padding()) EXPECT_EQ(p, kBack);
  }
}

TEST(RasterFillRect, ExtremePositionsAndSizesClipWithoutOverflow) {
  SpanBitmap b(6, 4, 8, false, kBack);
  // x far left with a width that ends at x = 4: columns 0..3 are filled, exactly.
  Raster_FillRect(&b, INT_MIN + 5, 1, INT_MAX, 1, Px(5, 5, 5, 5), 1.0f, kBlitCopy);
  for (int x = 0; x < 6; ++x) EXPECT_EQ(b.at(x, 1), x < 4 ? Px(5, 5, 5, 5) : kBack) << x;
  // Negative origin with a hugely negative size, and a far-right origin: nothing is drawn.
  Raster_FillRect(&b, -3, 2, INT_MIN + 1, 1, Px(7, 7, 7, 7), 1.0f, kBlitCopy);
  Raster_FillRect(&b, INT_MAX, 3, INT_MAX, INT_MAX, Px(7, 7, 7, 7), 1.0f, kBlitCopy);
  for (int y : {0, 2, 3})
    for (int x = 0; x < 6; ++x) EXPECT_EQ(b.at(x, y), kBack);
  for (Raster_PixelValue p : b.padding()) EXPECT_EQ(p, kBack);
}

TEST(RasterFillRect, CopyShortcutsForHalfQuarterAndThreeQuarters) {
  Raster_MemBitmap b(1, 1);
  const Raster_PixelValue d = Px(200, 3, 100, 255), c = Px(0, 255, 40, 3);
  struct Case {
    float alpha;
    Raster_PixelValue want;
  } cases[] = {
      {0.5f, Px(100, 1 + 127, 50 + 20, 127 + 1)},
      {0.25f, Px(100 + 50, 1 + 0 + 63, 50 + 25 + 10, 127 + 63 + 0)},
      {0.75f, Px(0 + 0 + 50, 127 + 63 + 0, 20 + 10 + 25, 1 + 0 + 63)},
  };
  for (const Case& k : cases) {
    b.getBits()[0] = d;
    Raster_FillRect(&b, 0, 0, 1, 1, c, k.alpha, kBlitCopy);
    EXPECT_EQ(b.getBits()[0], k.want) << k.alpha;
  }
}

TEST(RasterFillRect, OtherWeightsAndModesApplyTheRule) {
  Raster_MemBitmap b(1, 1);
  b.getBits()[0] = Px(0, 255, 100, 0);
  Raster_FillRect(&b, 0, 0, 1, 1, Px(255, 0, 200, 255), 0.125f, kBlitCopy);  // w = 32
  EXPECT_EQ(b.getBits()[0], Px(31, 223, 112, 31));
  b.getBits()[0] = Px(200, 10, 0, 0);
  Raster_FillRect(&b, 0, 0, 1, 1, Px(100, 10, 0, 0), 1.0f, kBlitAdd);
  EXPECT_EQ(b.getBits()[0], Px(255, 20, 0, 0));
  Raster_FillRect(&b, 0, 0, 1, 1, Px(1, 1, 1, 1), 1.0f, 0x77);
  EXPECT_EQ(b.getBits()[0], Px(255, 20, 0, 0));
}

TEST(RasterFillRect, NegativeCopyWeightStillAppliesTheCopyRule) {
  // w = -128: (s * -128 + d * 384) / 256 per channel, clamped.
  Raster_MemBitmap b(1, 1);
  b.getBits()[0] = Px(100, 200, 0, 255);
  Raster_FillRect(&b, 0, 0, 1, 1, Px(200, 0, 10, 0), -0.5f, kBlitCopy);
  EXPECT_EQ(b.getBits()[0], Px(50, 255, 0, 255));
  b.getBits()[0] = Px(100, 200, 0, 255);
  Raster_PutPixel(&b, 0, 0, Px(200, 0, 10, 0), -0.5f, kBlitCopy);
  EXPECT_EQ(b.getBits()[0], Px(50, 255, 0, 255));
  const unsigned char full = 255;
  b.getBits()[0] = Px(100, 200, 0, 255);
  Raster_DrawGlyph(&b, 0, 0, Px(200, 0, 10, 0), &full, 1, 1, -1.0f, kBlitCopy);  // w = -255
  EXPECT_EQ(b.getBits()[0], Px(0, 255, 0, 255));
}

TEST(RasterFillRect, SourceAlphaScalesTheWeightByColourAlpha) {
  Raster_MemBitmap b(1, 1);
  b.getBits()[0] = Px(10, 10, 10, 10);
  Raster_FillRect(&b, 0, 0, 1, 1, Px(255, 255, 255, 0), 1.0f, kBlitCopy | kBlitUseSourceAlpha);
  EXPECT_EQ(b.getBits()[0], Px(10, 10, 10, 10));
  // Alpha 255 * 0.5 / 255 = 0.5: the half shortcut.
  Raster_FillRect(&b, 0, 0, 1, 1, Px(200, 200, 200, 255), 0.5f, kBlitCopy | kBlitUseSourceAlpha);
  EXPECT_EQ(b.getBits()[0], Px(105, 105, 105, 132));
}

TEST(RasterPutPixel, HonoursFlipAndIgnoresSourceAlphaFlag) {
  SpanBitmap b(3, 3, 3, true, kBack);
  Raster_PutPixel(&b, 2, 0, Px(50, 60, 70, 0), 1.0f, kBlitCopy | kBlitUseSourceAlpha);
  EXPECT_EQ(b.at(2, 0), Px(50, 60, 70, 0));
  Raster_PutPixel(&b, 3, 0, Px(50, 60, 70, 0), 1.0f, kBlitCopy);
  Raster_PutPixel(&b, 0, -1, Px(50, 60, 70, 0), 1.0f, kBlitCopy);
  EXPECT_EQ(b.at(0, 0), kBack);
  Raster_PutPixel(&b, 0, 0, Px(0, 0, 0, 0), 1.0f, kBlitMul);
  EXPECT_EQ(b.at(0, 0), 0u);
}

TEST(RasterGradRect, CopyGradientStepsColourAndWeight) {
  Raster_MemBitmap b(3, 2);
  Raster_Clear(&b, Px(0, 0, 0, 0));
  // Red 0 -> +0.5 per column, green +1 per row, full weight.
  Raster_GradRect(&b, 0, 0, 3, 2, 0, 0, 1, 1, 0.5f, 0, 0, 0, 0, 1, 0, 0, kBlitCopy);
  EXPECT_EQ(Raster_GetPixel(&b, 0, 0), Px(0, 0, 255, 255));
  EXPECT_EQ(Raster_GetPixel(&b, 1, 0), Px(127, 0, 255, 255));
  EXPECT_EQ(Raster_GetPixel(&b, 2, 1), Px(255, 255, 255, 255));
  // Clipped at the top, the first visible row starts one vertical step in (green +0.5).
  Raster_GradRect(&b, 0, -1, 3, 2, 0, 0, 1, 1, 0.5f, 0, 0, 0, 0, 0.5f, 0, 0, kBlitCopy);
  EXPECT_EQ(Raster_GetPixel(&b, 0, 0), Px(0, 127, 255, 255));
}

TEST(RasterGradRect, WeightFromGradientAlphaAndClippedStart) {
  Raster_MemBitmap b(2, 1);
  Raster_Clear(&b, Px(0, 0, 0, 100));
  // Alpha starts at 0 and rises 0.25 per column; x = -1 skips the first column (weight 64 at x 0).
  Raster_GradRect(&b, -1, 0, 3, 1, 1, 1, 1, 0, 0, 0, 0, 0.25f, 0, 0, 0, 0, kBlitCopy);
  // w = 64: colour 255 * 64 / 256 = 63; alpha (64 * 64 + 100 * 192) / 256 = 91.
  EXPECT_EQ(Raster_GetPixel(&b, 0, 0), Px(63, 63, 63, 91));
  // w = 128: 127; alpha (128*128 + 100*128) / 256 = 114.
  EXPECT_EQ(Raster_GetPixel(&b, 1, 0), Px(127, 127, 127, 114));
}

TEST(RasterDrawGlyph, CoverageScalesTheWeightAndZeroIsSkipped) {
  Raster_MemBitmap b(3, 2);
  Raster_Clear(&b, Px(0, 0, 0, 0));
  const unsigned char cov[2 * 4] = {0, 255, 128, 9, 64, 0, 0, 0};
  // Drawn at x = -1: the first coverage column falls outside.
  Raster_DrawGlyph(&b, -1, 0, Px(255, 255, 255, 255), cov, 4, 2, 1.0f, kBlitCopy);
  EXPECT_EQ(Raster_GetPixel(&b, 0, 0), Px(254, 254, 254, 254));  // w = 256 * 255 / 256 = 255
  EXPECT_EQ(Raster_GetPixel(&b, 1, 0), Px(127, 127, 127, 127));  // w = 128
  EXPECT_EQ(Raster_GetPixel(&b, 2, 0), Px(8, 8, 8, 8));          // w = 9
  EXPECT_EQ(Raster_GetPixel(&b, 0, 1), Px(0, 0, 0, 0));          // coverage 0
}

TEST(RasterDrawGlyph, GlyphFarOutsideTheBitmapDrawsNothing) {
  Raster_MemBitmap b(3, 2);
  Raster_Clear(&b, Px(0, 0, 0, 0));
  const unsigned char cov[4] = {255, 255, 255, 255};
  Raster_DrawGlyph(&b, INT_MIN, INT_MIN, Px(255, 255, 255, 255), cov, 2, 2, 1.0f, kBlitCopy);
  Raster_DrawGlyph(&b, INT_MAX, 0, Px(255, 255, 255, 255), cov, 2, 2, 1.0f, kBlitCopy);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(Raster_GetPixel(&b, x, y), Px(0, 0, 0, 0));
}
