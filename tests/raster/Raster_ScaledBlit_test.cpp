#include "raster/bitmap/Raster_MemBitmap.h"
#include "raster/bitmap/Raster_PixelUtil.h"
#include "raster/blit/Raster_Blit.h"

#include "Raster_TestBitmap.h"

#include <gtest/gtest.h>

using rastertest::Px;
using rastertest::SpanBitmap;

namespace {
const Raster_PixelValue kBack = 0x01010101;
void fillPattern(Raster_IBitmap* b) {
  Raster_RowView v(b);
  for (int y = 0; y < v.h; ++y)
    for (int x = 0; x < v.w; ++x) v.row(y)[x] = Px(x, y, 50, 200);
}
}  // namespace

TEST(RasterScaledBlit, SameSizeWholePositionBehavesAsBlit) {
  Raster_MemBitmap src(6, 5), a(6, 5), b(6, 5);
  fillPattern(&src);
  Raster_Clear(&a, kBack);
  Raster_Clear(&b, kBack);
  Raster_ScaledBlit(&a, &src, 1, -1, 4, 4, 2.02f, 1.0f, 4.0f, 4.0f, 0.3f,
                    kBlitCopy | kBlitFilterBilinear);
  Raster_Blit(&b, &src, 1, -1, 2, 1, 4, 4, 0.3f, kBlitCopy);
  EXPECT_EQ(Raster_BitmapCmp(&a, &b), 0);
}

TEST(RasterScaledBlit, ZeroSizeOrWeightDrawsNothing) {
  Raster_MemBitmap src(4, 4), dst(4, 4);
  fillPattern(&src);
  Raster_Clear(&dst, kBack);
  Raster_ScaledBlit(&dst, &src, 0, 0, 0, 4, 0, 0, 2, 2, 1.0f, kBlitCopy);
  Raster_ScaledBlit(&dst, &src, 0, 0, 4, 4, 0, 0, 2, 2, 0.0f, kBlitCopy);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(dst.getBits()[i], kBack);
}

TEST(RasterScaledBlit, NearestEnlargementRepeatsPixels) {
  Raster_MemBitmap src(2, 2), dst(4, 4);
  fillPattern(&src);
  Raster_Clear(&dst, kBack);
  Raster_ScaledBlit(&dst, &src, 0, 0, 4, 4, 0, 0, 2, 2, 1.0f, kBlitCopy);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(Raster_GetPixel(&dst, x, y), Px(x / 2, y / 2, 50, 200)) << x << "," << y;
}

TEST(RasterScaledBlit, NegativeSizeMirrors) {
  Raster_MemBitmap src(4, 1), dst(4, 1);
  fillPattern(&src);
  Raster_Clear(&dst, kBack);
  // Rectangle from x = 4 leftwards: columns 0..3 show the source reversed.
  Raster_ScaledBlit(&dst, &src, 4, 0, -4, 1, 0, 0, 4, 1, 1.0f, kBlitCopy);
  for (int x = 0; x < 4; ++x) EXPECT_EQ(Raster_GetPixel(&dst, x, 0), Px(3 - x, 0, 50, 200)) << x;
}

TEST(RasterScaledBlit, ClippedDestinationStartsLaterInTheSource) {
  Raster_MemBitmap src(4, 4), dst(4, 4);
  fillPattern(&src);
  Raster_Clear(&dst, kBack);
  // 2x enlargement at (-2, -2): destination (0, 0) samples source (1, 1).
  Raster_ScaledBlit(&dst, &src, -2, -2, 8, 8, 0, 0, 4, 4, 1.0f, kBlitCopy);
  EXPECT_EQ(Raster_GetPixel(&dst, 0, 0), Px(1, 1, 50, 200));
  EXPECT_EQ(Raster_GetPixel(&dst, 3, 2), Px(2, 2, 50, 200));
}

TEST(RasterScaledBlit, PositionsOutsideTheReadableSourceAreUntouched) {
  Raster_MemBitmap src(2, 2), dst(4, 1);
  fillPattern(&src);
  Raster_Clear(&dst, kBack);
  // Source rectangle starts at x = -1, step 0.5: columns 0 and 1 read x = -1 and -0.5.
  Raster_ScaledBlit(&dst, &src, 0, 0, 4, 1, -1.0f, 0.0f, 2.0f, 1.0f, 1.0f, kBlitCopy | 0x200);
  EXPECT_EQ(Raster_GetPixel(&dst, 0, 0), kBack);
  EXPECT_EQ(Raster_GetPixel(&dst, 1, 0), kBack);
  EXPECT_EQ(Raster_GetPixel(&dst, 2, 0), Px(0, 0, 50, 200));
  EXPECT_EQ(Raster_GetPixel(&dst, 3, 0), Px(0, 0, 50, 200));
}

TEST(RasterScaledBlit, BilinearInterpolatesBetweenNeighbours) {
  Raster_MemBitmap src(2, 2), dst(3, 3);
  src.getBits()[0] = Px(0, 0, 0, 255);
  src.getBits()[1] = Px(200, 0, 0, 255);
  src.getBits()[2] = Px(0, 100, 0, 255);
  src.getBits()[3] = Px(200, 100, 40, 255);
  Raster_Clear(&dst, kBack);
  // 2 -> 3 pixels: steps 2/3, positions 0, 0.666, 1.333.
  Raster_ScaledBlit(&dst, &src, 0, 0, 3, 3, 0, 0, 2, 2, 1.0f, kBlitCopy | kBlitFilterBilinear);
  EXPECT_EQ(Raster_GetPixel(&dst, 0, 0), Px(0, 0, 0, 255));
  // Row 0, x = 0.666 (fx = 43690): red 200 * 43690 / 65536 = 133.
  EXPECT_EQ(Raster_GetR(Raster_GetPixel(&dst, 1, 0)), 133);
  // Diagonal (0.666, 0.666): blue only in the corner pixel: 40 * c / 65536, c = 43690^2 >> 16 = 29126 -> 17.
  EXPECT_EQ(Raster_GetB(Raster_GetPixel(&dst, 1, 1)), 17);
  // Last column (x 1.333 -> 1) interpolates only vertically; last row only horizontally.
  EXPECT_EQ(Raster_GetPixel(&dst, 2, 0), Px(200, 0, 0, 255));
  EXPECT_EQ(Raster_GetPixel(&dst, 2, 2), Px(200, 100, 40, 255));
  EXPECT_EQ(Raster_GetG(Raster_GetPixel(&dst, 2, 1)), 66);
}

TEST(RasterScaledBlit, ReductionBy5UsesThe5x5AreaFilter) {
  // 100 -> 20 columns (step 5): one bright pixel two columns right of a sample centre still
  // reaches it (5 x 5 square); with bilinear or nearest sampling it would not.
  Raster_MemBitmap src(100, 10), dst(20, 2);
  Raster_Clear(&src, Px(0, 0, 0, 255));
  src.getBits()[5 * 100 + 12] =
      Px(250, 0, 0, 255);  // sample centres are at columns 10 and 15, row 5
  Raster_Clear(&dst, kBack);
  Raster_ScaledBlit(&dst, &src, 0, 0, 20, 2, 0, 0, 100, 10, 1.0f, kBlitCopy | kBlitFilterBilinear);
  // Weights for step 5: every tap (4 / distance, limited to 1) is 1.0: 25 taps, red 250 / 25.
  EXPECT_EQ(Raster_GetPixel(&dst, 2, 1), Px(10, 0, 0, 255));
  EXPECT_EQ(Raster_GetPixel(&dst, 3, 1),
            Px(0, 0, 0, 255));  // column 15: 3 away, outside the square
}

TEST(RasterScaledBlit, ReductionBy2UsesThe3x3AreaFilterWithDistanceWeights) {
  Raster_MemBitmap src(8, 8), dst(4, 4);
  Raster_Clear(&src, Px(0, 0, 0, 255));
  src.getBits()[2 * 8 + 3] = Px(255, 0, 0, 255);  // right neighbour of the centre (2, 2)
  src.getBits()[3 * 8 + 3] = Px(0, 255, 0, 255);  // diagonal neighbour
  Raster_Clear(&dst, kBack);
  Raster_ScaledBlit(&dst, &src, 0, 0, 4, 4, 0, 0, 8, 8, 1.0f, kBlitCopy | kBlitFilterBilinear);
  // Step 2: side taps (2-1)/1 = 1.0 (65536), diagonal (1/sqrt 2) = 46340; total 4*65536 + 4*46340 + 65536.
  const long total = 5L * 65536 + 4L * 46340;
  Raster_PixelValue p = Raster_GetPixel(&dst, 1, 1);
  EXPECT_EQ(Raster_GetR(p), (int)(255L * 65536 / total));
  EXPECT_EQ(Raster_GetG(p), (int)(255L * 46340 / total));
  EXPECT_EQ(Raster_GetA(p), 255);
}

TEST(RasterScaledBlit, MildReductionUsesBilinear) {
  // 100 -> 80 (step 1.25) with filtering samples bilinearly: a uniform source stays exact and
  // a single bright column two pixels from a sample does not leak into it.
  Raster_MemBitmap src(100, 1), dst(80, 1);
  Raster_Clear(&src, Px(0, 0, 0, 255));
  src.getBits()[7] = Px(255, 0, 0, 255);
  Raster_Clear(&dst, kBack);
  Raster_ScaledBlit(&dst, &src, 0, 0, 80, 1, 0, 0, 100, 1, 1.0f, kBlitCopy | kBlitFilterBilinear);
  // Destination 4 samples x = 5.0: neighbours 5 and 6 only.
  EXPECT_EQ(Raster_GetPixel(&dst, 4, 0), Px(0, 0, 0, 255));
  // Destination 5 samples x = 6.25: 0.75 of column 6 and 0.25 of column 7 -> 63.
  EXPECT_EQ(Raster_GetR(Raster_GetPixel(&dst, 5, 0)), 63);
}

TEST(RasterScaledBlit, HalfWeightNearestUsesShiftMixAndOtherModesTheirRule) {
  Raster_MemBitmap src(1, 1), dst(2, 1);
  src.getBits()[0] = Px(255, 1, 100, 255);
  Raster_Clear(&dst, Px(1, 1, 100, 1));
  Raster_ScaledBlit(&dst, &src, 0, 0, 2, 1, 0, 0, 1, 1, 0.5f, kBlitCopy);
  EXPECT_EQ(Raster_GetPixel(&dst, 0, 0), Px(127, 0, 100, 127));
  Raster_Clear(&dst, Px(100, 100, 100, 100));
  Raster_ScaledBlit(&dst, &src, 0, 0, 2, 1, 0, 0, 1, 1, 1.0f, kBlitAdd);
  EXPECT_EQ(Raster_GetPixel(&dst, 1, 0), Px(255, 101, 200, 255));
}

TEST(RasterScaledBlit, SourceAlphaAtFullWeightUsesTheSourceAlphaCopyRule) {
  // Scaling has no weight-1.0 composite shortcut: the weight becomes 256 * (a + 1) / 256 = 128
  // and all four channels follow the copy rule, alpha included ((127 * 128 + 10 * 128) / 256).
  Raster_MemBitmap src(1, 1), dst(2, 1);
  src.getBits()[0] = Px(200, 200, 200, 127);
  Raster_Clear(&dst, Px(50, 50, 50, 10));
  Raster_ScaledBlit(&dst, &src, 0, 0, 2, 1, 0, 0, 1, 1, 1.0f, kBlitCopy | kBlitUseSourceAlpha);
  EXPECT_EQ(Raster_GetPixel(&dst, 1, 0), Px(125, 125, 125, 68));
  // The unscaled blit composites: alpha (128 * 128 + 10 * 128) >> 8.
  Raster_Clear(&dst, Px(50, 50, 50, 10));
  Raster_Blit(&dst, &src, 0, 0, nullptr, 1.0f, kBlitCopy | kBlitUseSourceAlpha);
  EXPECT_EQ(Raster_GetPixel(&dst, 0, 0), Px(125, 125, 125, 69));
}
