#include "raster/bitmap/Raster_MemBitmap.h"
#include "raster/bitmap/Raster_PixelUtil.h"

#include "Raster_TestBitmap.h"

#include <gtest/gtest.h>

#include <limits>

using rastertest::Px;
using rastertest::SpanBitmap;

TEST(RasterPixelUtil, NullBitmapsAreIgnored) {
  Raster_Clear(nullptr, 1);
  Raster_ClearRect(nullptr, 0, 0, 1, 1, 0, 1);
  Raster_SetAlphaFromColorMask(nullptr, 0);
  Raster_SimpleFill(nullptr, 0, 0, 1, ~0u, 0);
  Raster_Blur(nullptr, nullptr, 0, 0, 0, 0, 5, 5);
  Raster_HalveBlitAA(nullptr, nullptr);
  Raster_MultiplyAddRect(nullptr, 0, 0, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0);
  EXPECT_EQ(Raster_GetPixel(nullptr, 0, 0), 0u);
  EXPECT_EQ(Raster_BitmapCmp(nullptr, nullptr), 0);
}

TEST(RasterPixelUtil, ClearWritesWidthPixelsPerRowAndLeavesSpanPadding) {
  SpanBitmap b(3, 2, 5, false, 0xDEADBEEF);
  Raster_Clear(&b, 0x01020304);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(b.at(x, y), 0x01020304u);
  for (Raster_PixelValue p : b.padding()) EXPECT_EQ(p, 0xDEADBEEFu);
}

TEST(RasterPixelUtil, ClearRectClipsAndMasksWithFlippedRows) {
  SpanBitmap b(4, 4, 6, true, 0x000000FF);
  Raster_ClearRect(&b, -1, 2, 3, 5, 0x000000FF, 0xFF000000);  // columns 0..1, rows 2..3
  EXPECT_EQ(b.at(0, 2), 0xFF0000FFu);
  EXPECT_EQ(b.at(1, 3), 0xFF0000FFu);
  EXPECT_EQ(b.at(2, 2), 0x000000FFu);
  EXPECT_EQ(b.at(0, 1), 0x000000FFu);
  for (Raster_PixelValue p : b.padding()) EXPECT_EQ(p, 0x000000FFu);
}

TEST(RasterPixelUtil, RectangleUtilitiesClipExtremeRectanglesWithoutOverflow) {
  const int kMin = std::numeric_limits<int>::min(), kMax = std::numeric_limits<int>::max();
  SpanBitmap b(5, 3, 7, false, 0x000000FF);
  // x far left with a width ending at x = 1 (INT_MIN + 2 + INT_MAX): column 0 only.
  Raster_ClearRect(&b, kMin + 2, 0, kMax, 1, 0x000000FF, 0xFF000000);
  EXPECT_EQ(b.at(0, 0), 0xFF0000FFu);
  EXPECT_EQ(b.at(1, 0), 0x000000FFu);
  // A negative origin with a hugely negative size draws nothing.
  Raster_ClearRect(&b, -3, 1, kMin + 1, 1, 0, 0);
  Raster_MultiplyAddRect(&b, -3, 2, kMin + 1, kMin + 1, 0, 0, 0, 0, 0, 0, 0, 0);
  for (int y = 1; y < 3; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(b.at(x, y), 0x000000FFu);
  for (Raster_PixelValue p : b.padding()) EXPECT_EQ(p, 0x000000FFu);
}

TEST(RasterPixelUtil, GetPixelOutsideIsZeroAndHonoursFlip) {
  SpanBitmap b(2, 2, 2, true);
  b.at(1, 0) = 7;
  EXPECT_EQ(Raster_GetPixel(&b, 1, 0), 7u);
  EXPECT_EQ(Raster_GetPixel(&b, -1, 0), 0u);
  EXPECT_EQ(Raster_GetPixel(&b, 2, 0), 0u);
  EXPECT_EQ(Raster_GetPixel(&b, 0, 2), 0u);
}

TEST(RasterPixelUtil, ColorMaskMakesKeyTransparentAndOthersOpaque) {
  Raster_MemBitmap b(3, 1);
  b.getBits()[0] = Px(255, 0, 255, 200);  // the key colour
  b.getBits()[1] = Px(10, 20, 30, 0);
  b.getBits()[2] = Px(255, 0, 254, 9);
  Raster_SetAlphaFromColorMask(&b, Px(255, 0, 255, 0));
  EXPECT_EQ(b.getBits()[0], Px(255, 0, 255, 0));
  EXPECT_EQ(b.getBits()[1], Px(10, 20, 30, 255));
  EXPECT_EQ(b.getBits()[2], Px(255, 0, 254, 255));

  // A key with a non-zero alpha byte matches nothing: only alpha becomes 255.
  b.getBits()[0] = Px(255, 0, 255, 0);
  Raster_SetAlphaFromColorMask(&b, Px(255, 0, 255, 1));
  EXPECT_EQ(b.getBits()[0], Px(255, 0, 255, 255));
}

TEST(RasterPixelUtil, SimpleFillFillsOnlyRunsThroughTheStartColumn) {
  // 5 x 4, memory rows:      0: A A B A A
  //                          1: A A A B A
  //                          2: B A A A A   (column 1 still A)
  //                          3: A B A A A   (column 1 is B: filling stops above this row)
  const Raster_PixelValue A = 1, B = 2, F = 0x100;
  const Raster_PixelValue rows[4][5] = {
      {A, A, B, A, A}, {A, A, A, B, A}, {B, A, A, A, A}, {A, B, A, A, A}};
  Raster_MemBitmap b(5, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 5; ++x) b.getBits()[y * 5 + x] = rows[y][x];
  Raster_SimpleFill(&b, 1, 1, F, 0xFF, 0xFF);
  const Raster_PixelValue want[4][5] = {{F | A, F | A, B, A, A},
                                        {F | A, F | A, F | A, B, A},
                                        {B, F | A, F | A, F | A, F | A},
                                        {A, B, A, A, A}};
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(b.getBits()[y * 5 + x], want[y][x]) << x << "," << y;
}

TEST(RasterPixelUtil, SimpleFillOutsideDoesNothing) {
  Raster_MemBitmap b(2, 2);
  Raster_Clear(&b, 5);
  Raster_SimpleFill(&b, 2, 0, 9, ~0u, 0);
  Raster_SimpleFill(&b, 0, -1, 9, ~0u, 0);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(b.getBits()[i], 5u);
}

TEST(RasterPixelUtil, CopyResizesAndCopiesBytes) {
  SpanBitmap src(3, 2, 4, true);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) src.at(x, y) = Px(x, y, 7, 100 + x);
  Raster_MemBitmap dst(1, 1);
  Raster_Copy(&dst, &src);
  ASSERT_EQ(dst.getWidth(), 3);
  ASSERT_EQ(dst.getHeight(), 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(dst.getBits()[y * 3 + x], src.at(x, y));
}

TEST(RasterPixelUtil, BitmapCmpOrdersByNullSizeThenBytes) {
  Raster_MemBitmap a(10, 10), b(12, 10), c(10, 9);
  EXPECT_EQ(Raster_BitmapCmp(&a, &b), 2);
  EXPECT_EQ(Raster_BitmapCmp(&a, &c), -1);
  EXPECT_EQ(Raster_BitmapCmp(nullptr, &a), -1);
  EXPECT_EQ(Raster_BitmapCmp(&a, nullptr), 1);
  Raster_MemBitmap d(10, 10);
  Raster_Clear(&a, 0x10);
  Raster_Clear(&d, 0x10);
  EXPECT_EQ(Raster_BitmapCmp(&a, &d), 0);
  d.getBits()[99] = 0x11;
  EXPECT_LT(Raster_BitmapCmp(&a, &d), 0);
  EXPECT_GT(Raster_BitmapCmp(&d, &a), 0);
}

TEST(RasterPixelUtil, BlurWeightsCentreAndNeighbours) {
  // 3 x 3, one bright pixel in the middle: channel value 128 (in red) everywhere else 0.
  Raster_MemBitmap src(3, 3), dst(3, 3);
  Raster_Clear(&src, 0);
  Raster_Clear(&dst, 0);
  src.getBits()[4] = Px(128, 0, 0, 0);
  Raster_Blur(&dst, &src, 0, 0, 0, 0, 3, 3);
  EXPECT_EQ(Raster_GetR(dst.getBits()[4]), 64);  // centre 1/2
  EXPECT_EQ(Raster_GetR(dst.getBits()[1]), 32);  // top edge: its one vertical neighbour weighs 1/4
  EXPECT_EQ(Raster_GetR(dst.getBits()[3]), 32);  // left edge: its one horizontal neighbour 1/4
  EXPECT_EQ(Raster_GetR(dst.getBits()[0]), 0);   // corner does not see the centre
}

TEST(RasterPixelUtil, BlurInteriorUsesEighths) {
  Raster_MemBitmap src(5, 5), dst(5, 5);
  Raster_Clear(&src, 0);
  Raster_Clear(&dst, 0);
  src.getBits()[2 * 5 + 2] = Px(0, 0, 200, 0);
  Raster_Blur(&dst, &src, 0, 0, 0, 0, 5, 5);
  EXPECT_EQ(Raster_GetB(dst.getBits()[2 * 5 + 1]), 25);  // 200 / 8
  EXPECT_EQ(Raster_GetB(dst.getBits()[1 * 5 + 2]), 25);
  EXPECT_EQ(Raster_GetB(dst.getBits()[2 * 5 + 2]), 100);
}

TEST(RasterPixelUtil, BlurInPlaceMatchesBlurIntoAnotherBitmap) {
  Raster_MemBitmap a(7, 6), out(7, 6);
  for (int i = 0; i < 42; ++i) a.getBits()[i] = (Raster_PixelValue)(i * 2654435761u);
  Raster_Clear(&out, 0);
  Raster_Blur(&out, &a, 0, 0, 0, 0, 7, 6);
  Raster_Blur(&a, &a, 0, 0, 0, 0, 7, 6);
  EXPECT_EQ(Raster_BitmapCmp(&a, &out), 0);
}

TEST(RasterPixelUtil, BlurOfOnePixelWideAreaChangesNothing) {
  Raster_MemBitmap a(4, 4), b(4, 4);
  for (int i = 0; i < 16; ++i) a.getBits()[i] = b.getBits()[i] = 0x80808080u + i;
  Raster_Blur(&a, &a, 1, 0, 1, 0, 1, 4);
  EXPECT_EQ(Raster_BitmapCmp(&a, &b), 0);
}

TEST(RasterPixelUtil, HalveAveragesBlocksWithQuarterTruncation) {
  Raster_MemBitmap src(4, 2), dst(3, 3);
  Raster_Clear(&dst, 0xEEEEEEEE);
  const int v[4] = {3, 7, 255, 1};  // 0 + 1 + 63 + 0 = 64 after each value / 4
  src.getBits()[0] = Px(v[0], 0, 0, 0);
  src.getBits()[1] = Px(v[1], 0, 0, 0);
  src.getBits()[4] = Px(v[2], 0, 0, 0);
  src.getBits()[5] = Px(v[3], 0, 0, 0);
  src.getBits()[2] = src.getBits()[3] = src.getBits()[6] = src.getBits()[7] =
      Px(255, 255, 255, 255);
  Raster_HalveBlitAA(&dst, &src);
  EXPECT_EQ(dst.getBits()[0], Px(64, 0, 0, 0));
  EXPECT_EQ(dst.getBits()[1], Px(252, 252, 252, 252));
  EXPECT_EQ(dst.getBits()[2], 0xEEEEEEEEu);  // outside the 2 x 1 output
  EXPECT_EQ(dst.getBits()[3], 0xEEEEEEEEu);
}

TEST(RasterPixelUtil, MultiplyAddScalesOffsetsAndClamps) {
  Raster_MemBitmap b(2, 1);
  b.getBits()[0] = Px(100, 200, 50, 255);
  b.getBits()[1] = Px(100, 200, 50, 255);
  // red x0.5 + 10, green x2, blue x1 - 60 (clamps at 0), alpha x0.5.
  Raster_MultiplyAddRect(&b, 1, -3, 5, 10, 0.5f, 2.0f, 1.0f, 0.5f, 10.0f, 0.0f, -60.0f, 0.0f);
  EXPECT_EQ(b.getBits()[0], Px(100, 200, 50, 255));
  EXPECT_EQ(b.getBits()[1], Px(60, 255, 0, 127));
}

TEST(RasterPixelUtil, MultiplyAddSaturatesForHugeAndIgnoresNaNFactors) {
  Raster_MemBitmap b(1, 1);
  b.getBits()[0] = Px(100, 0, 50, 1);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  // Red x1e12 saturates at 255, green x1e12 of 0 stays 0, blue minus a huge offset clamps at
  // 0, and a NaN alpha scale counts as 0, leaving the offset.
  Raster_MultiplyAddRect(&b, 0, 0, 1, 1, 1e12f, 1e12f, 1.0f, nan, 0.0f, 0.0f, -1e12f, 7.0f);
  EXPECT_EQ(b.getBits()[0], Px(255, 0, 0, 7));
}
