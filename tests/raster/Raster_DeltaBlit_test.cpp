#include "raster/bitmap/Raster_MemBitmap.h"
#include "raster/bitmap/Raster_PixelUtil.h"
#include "raster/blit/Raster_Blit.h"

#include "Raster_TestBitmap.h"

#include <gtest/gtest.h>

#include <cmath>

using rastertest::Px;

namespace {
const Raster_PixelValue kBack = 0x01010101;
void fillPattern(Raster_IBitmap* b) {
  Raster_RowView v(b);
  for (int y = 0; y < v.h; ++y)
    for (int x = 0; x < v.w; ++x) v.row(y)[x] = Px(x, y, 50, 200);
}
Raster_PixelValue pat(int x, int y) { return Px(x, y, 50, 200); }
}  // namespace

TEST(RasterDeltaBlit, UnitStepsCopyTheSource) {
  Raster_MemBitmap src(5, 4), dst(5, 4);
  fillPattern(&src);
  Raster_Clear(&dst, kBack);
  Raster_DeltaBlit(&dst, &src, 0, 0, 5, 4, 0, 0, 5, 4, 1, 0, 0, 1, 0, 0, false, 1.0f, kBlitCopy);
  EXPECT_EQ(Raster_BitmapCmp(&dst, &src), 0);
}

TEST(RasterDeltaBlit, SwappedStepsTranspose) {
  Raster_MemBitmap src(3, 2), dst(2, 3);
  fillPattern(&src);
  Raster_Clear(&dst, kBack);
  // Along a destination row t advances; down a column s advances.
  Raster_DeltaBlit(&dst, &src, 0, 0, 2, 3, 0, 0, 3, 2, 0, 1, 1, 0, 0, 0, false, 1.0f, kBlitCopy);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 2; ++x) EXPECT_EQ(Raster_GetPixel(&dst, x, y), pat(y, x));
}

TEST(RasterDeltaBlit, CrossTermShearsRowByRow) {
  Raster_MemBitmap src(8, 3), dst(3, 3);
  fillPattern(&src);
  Raster_Clear(&dst, kBack);
  // Row j steps s by 1 + j per pixel.
  Raster_DeltaBlit(&dst, &src, 0, 0, 3, 3, 0, 0, 8, 3, 1, 0, 0, 1, 1, 0, false, 1.0f, kBlitCopy);
  EXPECT_EQ(Raster_GetPixel(&dst, 2, 0), pat(2, 0));
  EXPECT_EQ(Raster_GetPixel(&dst, 2, 1), pat(4, 1));
  EXPECT_EQ(Raster_GetPixel(&dst, 2, 2), pat(6, 2));
}

TEST(RasterDeltaBlit, NegativeDestinationClipsIntoTheMapping) {
  Raster_MemBitmap src(8, 8), dst(4, 4);
  fillPattern(&src);
  Raster_Clear(&dst, kBack);
  Raster_DeltaBlit(&dst, &src, -2, -3, 6, 6, 0, 0, 8, 8, 1, 0, 0, 1, 1, 0, false, 1.0f, kBlitCopy);
  // Pixel (0, 0) is (i 2, j 3) of the rectangle: s = 2 * (1 + 3) = 8 -> outside an 8-wide source.
  EXPECT_EQ(Raster_GetPixel(&dst, 0, 0), kBack);
  // Without the cross term the clipped corner reads (2, 3).
  Raster_Clear(&dst, kBack);
  Raster_DeltaBlit(&dst, &src, -2, -3, 6, 6, 0, 0, 8, 8, 1, 0, 0, 1, 0, 0, false, 1.0f, kBlitCopy);
  EXPECT_EQ(Raster_GetPixel(&dst, 0, 0), pat(2, 3));
  EXPECT_EQ(Raster_GetPixel(&dst, 3, 2), pat(5, 5));
}

TEST(RasterDeltaBlit, ClipToSourceSkipsSamplesOutsideTheRectangle) {
  Raster_MemBitmap src(6, 1), dst(6, 1);
  fillPattern(&src);
  Raster_Clear(&dst, kBack);
  Raster_DeltaBlit(&dst, &src, 0, 0, 6, 1, 1, 0, 2, 1, 1, 0, 0, 1, 0, 0, true, 1.0f, kBlitCopy);
  EXPECT_EQ(Raster_GetPixel(&dst, 0, 0), pat(1, 0));
  EXPECT_EQ(Raster_GetPixel(&dst, 1, 0), pat(2, 0));
  EXPECT_EQ(Raster_GetPixel(&dst, 2, 0), kBack);  // s = 3 lies outside [1, 3)
  Raster_Clear(&dst, kBack);
  Raster_DeltaBlit(&dst, &src, 0, 0, 6, 1, 1, 0, 2, 1, 1, 0, 0, 1, 0, 0, false, 1.0f, kBlitCopy);
  EXPECT_EQ(Raster_GetPixel(&dst, 4, 0), pat(5, 0));
  EXPECT_EQ(Raster_GetPixel(&dst, 5, 0), kBack);  // beyond the source itself
}

TEST(RasterDeltaBlit, NegativeWidthMirrorsTheMapping) {
  Raster_MemBitmap src(4, 1), dst(4, 1);
  fillPattern(&src);
  Raster_Clear(&dst, kBack);
  Raster_DeltaBlit(&dst, &src, 4, 0, -4, 1, 0, 0, 4, 1, 1, 0, 0, 1, 0, 0, false, 1.0f, kBlitCopy);
  for (int x = 0; x < 4; ++x) EXPECT_EQ(Raster_GetPixel(&dst, x, 0), pat(3 - x, 0));
}

TEST(RasterRotatedBlit, ZeroAngleSamplesAsTheDeltaBlit) {
  Raster_MemBitmap src(10, 10), a(6, 5), b(6, 5);
  fillPattern(&src);
  Raster_Clear(&a, kBack);
  Raster_Clear(&b, kBack);
  Raster_RotatedBlit(&a, &src, 0, 0, 6, 5, 1, 2, 7, 6, 0.0f, false, 1.0f, kBlitCopy, 0, 0);
  Raster_DeltaBlit(&b, &src, 0, 0, 6, 5, 1, 2, 7, 6, 7.0 / 6, 0, 0, 6.0 / 5, 0, 0, false, 1.0f,
                   kBlitCopy);
  EXPECT_EQ(Raster_BitmapCmp(&a, &b), 0);
  EXPECT_EQ(Raster_GetPixel(&a, 0, 0), pat(1, 2));
}

TEST(RasterRotatedBlit, QuarterTurnRotatesAboutTheCentre) {
  Raster_MemBitmap src(3, 3), dst(3, 3);
  fillPattern(&src);
  Raster_Clear(&dst, kBack);
  // Centre sample (1.5, 1.5) with the start shifted half a pixel so samples land mid-pixel.
  Raster_RotatedBlit(&dst, &src, 0, 0, 3, 3, 0, 0, 3, 3, (float)(M_PI / 2), false, 1.0f, kBlitCopy,
                     0.5f, -0.5f);
  // s = s0 + j, t = t0 - i: a destination row walks up a source column.
  EXPECT_EQ(Raster_GetPixel(&dst, 1, 1), pat(1, 1));
  EXPECT_EQ(Raster_GetPixel(&dst, 0, 0), pat(0, 2));
  EXPECT_EQ(Raster_GetPixel(&dst, 2, 0), pat(0, 0));
  EXPECT_EQ(Raster_GetPixel(&dst, 0, 2), pat(2, 2));
}

TEST(RasterTransformBlit, IdentityGridCopiesAndDegenerateGridDrawsNothing) {
  Raster_MemBitmap src(6, 6), dst(6, 6);
  fillPattern(&src);
  Raster_Clear(&dst, kBack);
  float line[4] = {0, 0, 6, 0};
  Raster_TransformBlit(&dst, &src, 0, 0, 6, 6, line, 1, 2, 1.0f, kBlitCopy);
  for (int i = 0; i < 36; ++i) ASSERT_EQ(dst.getBits()[i], kBack);

  float grid[3 * 3 * 2];
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) {
      grid[2 * (r * 3 + c)] = 3.0f * c;
      grid[2 * (r * 3 + c) + 1] = 3.0f * r;
    }
  Raster_TransformBlit(&dst, &src, 0, 0, 6, 6, grid, 3, 3, 1.0f, kBlitCopy);
  EXPECT_EQ(Raster_BitmapCmp(&dst, &src), 0);
}

TEST(RasterTransformBlit, MirroredGridFlipsEachCell) {
  Raster_MemBitmap src(4, 1), dst(4, 1);
  fillPattern(&src);
  Raster_Clear(&dst, kBack);
  // One cell whose corners map x from 3.5 down to -0.5: column i samples 3.5 - i.
  float grid[8] = {3.5f, 0, -0.5f, 0, 3.5f, 1, -0.5f, 1};
  Raster_TransformBlit(&dst, &src, 0, 0, 4, 1, grid, 2, 2, 1.0f, kBlitCopy);
  for (int x = 0; x < 4; ++x) EXPECT_EQ(Raster_GetPixel(&dst, x, 0), pat(3 - x, 0));
}
