#include "raster/bitmap/Raster_MemBitmap.h"
#include "raster/bitmap/Raster_PixelUtil.h"
#include "raster/blit/Raster_Blit.h"

#include "Raster_TestBitmap.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

using rastertest::Px;
using rastertest::SpanBitmap;

namespace {
// Source whose pixel (x, y) is unique: red x, green y, blue 50, alpha 200 + x.
void fillPattern(Raster_IBitmap* b) {
  Raster_RowView v(b);
  for (int y = 0; y < v.h; ++y)
    for (int x = 0; x < v.w; ++x) v.row(y)[x] = Px(x, y, 50, 200 + x);
}
Raster_PixelValue pat(int x, int y) { return Px(x, y, 50, 200 + x); }
const Raster_PixelValue kBack = 0x01010101;
}  // namespace

TEST(RasterBlit, FullWeightCopyEqualsSourceBytesIncludingAlpha) {
  Raster_MemBitmap src(8, 6), dst(8, 6);
  fillPattern(&src);
  Raster_Clear(&dst, kBack);
  Raster_Blit(&dst, &src, 0, 0, nullptr, 1.0f, kBlitCopy);
  EXPECT_EQ(Raster_BitmapCmp(&dst, &src), 0);
}

TEST(RasterBlit, WeightZeroAndUnknownModesDrawNothing) {
  Raster_MemBitmap src(4, 4), dst(4, 4);
  fillPattern(&src);
  Raster_Clear(&dst, kBack);
  Raster_Blit(&dst, &src, 0, 0, nullptr, 0.0f, kBlitCopy);
  Raster_Blit(&dst, &src, 0, 0, nullptr, 0.003f, kBlitAdd);  // 0.003 * 256 truncates to 0
  Raster_Blit(&dst, &src, 0, 0, nullptr, 1.0f, 6);
  Raster_Blit(&dst, &src, 0, 0, nullptr, -1.0f, kBlitCopy);
  Raster_Blit(nullptr, &src, 0, 0, nullptr, 1.0f, kBlitCopy);
  Raster_Blit(&dst, nullptr, 0, 0, nullptr, 1.0f, kBlitCopy);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(dst.getBits()[i], kBack);
}

TEST(RasterBlit, NegativeDestinationShiftsTheSourceStart) {
  Raster_MemBitmap src(10, 4), dst(10, 4);
  fillPattern(&src);
  Raster_Clear(&dst, kBack);
  Raster_Blit(&dst, &src, -5, -1, nullptr, 1.0f, kBlitCopy);
  EXPECT_EQ(Raster_GetPixel(&dst, 0, 0), pat(5, 1));
  EXPECT_EQ(Raster_GetPixel(&dst, 4, 2), pat(9, 3));
  EXPECT_EQ(Raster_GetPixel(&dst, 5, 0), kBack);
  EXPECT_EQ(Raster_GetPixel(&dst, 0, 3), kBack);
}

TEST(RasterBlit, ClipsAtRightAndBottomOfBothBitmaps) {
  Raster_MemBitmap src(6, 6);
  SpanBitmap dst(5, 5, 8, false, kBack);
  fillPattern(&src);
  RECT r{2, 3, 100, 100};  // limited to the source: columns 2..5, rows 3..5
  Raster_Blit(&dst, &src, 3, 1, &r, 1.0f, kBlitCopy);
  EXPECT_EQ(dst.at(3, 1), pat(2, 3));
  EXPECT_EQ(dst.at(4, 3), pat(3, 5));  // destination right edge reached after 2 columns
  EXPECT_EQ(dst.at(3, 4), kBack);      // only 3 source rows
  EXPECT_EQ(dst.at(2, 1), kBack);
  for (Raster_PixelValue p : dst.padding()) EXPECT_EQ(p, kBack);
}

TEST(RasterBlit, NegativeRectOriginCountsAsZeroKeepingTheFarEdges) {
  Raster_MemBitmap src(4, 4), dst(4, 4);
  fillPattern(&src);
  Raster_Clear(&dst, kBack);
  RECT r{-2, -1, 2, 2};
  Raster_Blit(&dst, &src, 1, 1, &r, 1.0f, kBlitCopy);
  EXPECT_EQ(Raster_GetPixel(&dst, 1, 1), pat(0, 0));
  EXPECT_EQ(Raster_GetPixel(&dst, 2, 2), pat(1, 1));
  EXPECT_EQ(Raster_GetPixel(&dst, 3, 1), kBack);
  EXPECT_EQ(Raster_GetPixel(&dst, 1, 3), kBack);
}

TEST(RasterBlit, FlippedBitmapsAndWideSpansAddressVisibleRows) {
  SpanBitmap src(4, 3, 7, true), dst(4, 3, 5, true, kBack);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) src.at(x, y) = pat(x, y);
  Raster_Blit(&dst, &src, 1, 1, 0, 0, 2, 2, 1.0f, kBlitCopy);
  EXPECT_EQ(dst.at(1, 1), pat(0, 0));
  EXPECT_EQ(dst.at(2, 2), pat(1, 1));
  EXPECT_EQ(dst.at(0, 0), kBack);
  // Same through the weighted path.
  Raster_Blit(&dst, &src, 0, 0, 3, 2, 1, 1, 0.5f, kBlitAdd);
  EXPECT_EQ(dst.at(0, 0), Raster_MakePixel(1 + 3 / 2, 1 + 2 / 2, 1 + 25, 1 + 203 / 2));
  for (Raster_PixelValue p : dst.padding()) EXPECT_EQ(p, kBack);
}

TEST(RasterBlit, HalfWeightCopyUsesTheShiftMix) {
  Raster_MemBitmap src(1, 1), dst(1, 1);
  src.getBits()[0] = Px(255, 1, 3, 255);
  dst.getBits()[0] = Px(0, 1, 4, 0);
  Raster_Blit(&dst, &src, 0, 0, nullptr, 0.5f, kBlitCopy);
  EXPECT_EQ(dst.getBits()[0], Px(127, 0, 3, 127));
}

TEST(RasterBlit, OtherWeightsUseTheCopyRule) {
  Raster_MemBitmap src(1, 1), dst(1, 1);
  src.getBits()[0] = Px(255, 0, 200, 255);
  dst.getBits()[0] = Px(0, 255, 100, 0);
  Raster_Blit(&dst, &src, 0, 0, nullptr, 0.25f, kBlitCopy);
  EXPECT_EQ(dst.getBits()[0], Px(63, 191, 125, 63));
}

TEST(RasterBlit, SourceAlphaAtFullWeightCompositesAndSkipsTransparent) {
  Raster_MemBitmap src(3, 1), dst(3, 1);
  src.getBits()[0] = Px(200, 200, 200, 0);
  src.getBits()[1] = Px(200, 200, 200, 255);
  src.getBits()[2] = Px(200, 200, 200, 127);
  Raster_Clear(&dst, Px(50, 50, 50, 10));
  Raster_Blit(&dst, &src, 0, 0, nullptr, 1.0f, kBlitCopy | kBlitUseSourceAlpha);
  EXPECT_EQ(dst.getBits()[0], Px(50, 50, 50, 10));
  EXPECT_EQ(dst.getBits()[1], Px(200, 200, 200, 255));
  EXPECT_EQ(dst.getBits()[2], Px(125, 125, 125, 69));
  // At half weight the reduced weight is 128 * 128 / 256 = 64 for alpha 127.
  Raster_Clear(&dst, Px(0, 0, 0, 0));
  Raster_Blit(&dst, &src, 0, 0, nullptr, 0.5f, kBlitCopy | kBlitUseSourceAlpha);
  EXPECT_EQ(dst.getBits()[2], Px(50, 50, 50, 31));
  EXPECT_EQ(dst.getBits()[0], Px(0, 0, 0, 0));
}

TEST(RasterBlit, ChannelCopyMovesOneByteAndIgnoresWeight) {
  Raster_MemBitmap src(2, 1), dst(2, 1);
  src.getBits()[0] = Px(1, 2, 3, 77);
  src.getBits()[1] = Px(4, 5, 6, 88);
  Raster_Clear(&dst, Px(10, 20, 30, 40));
  Raster_Blit(&dst, &src, 0, 0, nullptr, 0.0f, 0xF4);  // alpha (byte 0) into red (byte 1)
  EXPECT_EQ(dst.getBits()[0], Px(77, 20, 30, 40));
  EXPECT_EQ(dst.getBits()[1], Px(88, 20, 30, 40));
  Raster_Blit(&dst, &src, 0, 0, nullptr, 1.0f, 0xFF);  // blue into blue
  EXPECT_EQ(dst.getBits()[0], Px(77, 20, 3, 40));
}

TEST(RasterBlit, OverlappingSelfCopyFollowsRowAndPixelOrder) {
  // Pixels go left to right, so a copy one place to the right repeats the first pixel; one
  // place to the left reads each pixel before it is overwritten.
  Raster_MemBitmap b(6, 1);
  for (int x = 0; x < 6; ++x) b.getBits()[x] = (Raster_PixelValue)x + 1;
  Raster_Blit(&b, &b, 1, 0, 0, 0, 5, 1, 1.0f, kBlitCopy);
  for (int x = 0; x < 6; ++x) EXPECT_EQ(b.getBits()[x], 1u) << x;
  for (int x = 0; x < 6; ++x) b.getBits()[x] = (Raster_PixelValue)x + 1;
  Raster_Blit(&b, &b, 0, 0, 1, 0, 5, 1, 1.0f, kBlitCopy);
  const Raster_PixelValue left[6] = {2, 3, 4, 5, 6, 6};
  for (int x = 0; x < 6; ++x) EXPECT_EQ(b.getBits()[x], left[x]) << x;
  // Rows go top to bottom, so a copy one row down repeats the first row.
  Raster_MemBitmap c(1, 4);
  for (int y = 0; y < 4; ++y) c.getBits()[y] = (Raster_PixelValue)y + 1;
  Raster_Blit(&c, &c, 0, 1, 0, 0, 1, 3, 1.0f, kBlitCopy);
  for (int y = 0; y < 4; ++y) EXPECT_EQ(c.getBits()[y], 1u) << y;
}

TEST(RasterBlit, ExtremeRectanglesAndWeightsAreSafe) {
  Raster_MemBitmap src(4, 2), dst(4, 2);
  fillPattern(&src);
  // A width reaching past the integer range still copies up to the source's right edge.
  Raster_Clear(&dst, kBack);
  Raster_Blit(&dst, &src, 0, 0, 2, 0, INT_MAX, INT_MAX, 1.0f, kBlitCopy);
  EXPECT_EQ(dst.getBits()[0], pat(2, 0));
  EXPECT_EQ(dst.getBits()[5], pat(3, 1));
  EXPECT_EQ(dst.getBits()[2], kBack);
  // Far-off destination positions draw nothing.
  Raster_Blit(&dst, &src, INT_MIN, INT_MIN, nullptr, 1.0f, kBlitCopy);
  Raster_Blit(&dst, &src, INT_MAX, 0, nullptr, 1.0f, kBlitCopy);
  EXPECT_EQ(dst.getBits()[2], kBack);
  // A huge weight saturates (adding a bright source gives white); not-a-number draws nothing.
  Raster_Clear(&dst, Px(10, 10, 10, 10));
  Raster_Blit(&dst, &src, 0, 0, nullptr, 1e30f, kBlitAdd);
  EXPECT_EQ(Raster_GetB(dst.getBits()[0]), 255);
  Raster_Clear(&dst, kBack);
  Raster_Blit(&dst, &src, 0, 0, nullptr, std::nanf(""), kBlitAdd);
  Raster_Blit(&dst, &src, 0, 0, nullptr, std::nanf(""), kBlitCopy);
  EXPECT_EQ(dst.getBits()[0], kBack);
  // A negative weight draws nothing in copy mode.
  Raster_Blit(&dst, &src, 0, 0, nullptr, -0.5f, kBlitCopy);
  EXPECT_EQ(dst.getBits()[0], kBack);
}
