#include "raster/bitmap/Raster_MemBitmap.h"

#include <gtest/gtest.h>

TEST(RasterMemBitmap, ConstructionAllocatesExactlyTheImage) {
  Raster_MemBitmap b(10, 7);
  EXPECT_EQ(b.getWidth(), 10);
  EXPECT_EQ(b.getHeight(), 7);
  EXPECT_EQ(b.getRowSpan(), 10);
  EXPECT_EQ(b.getCapacity(), 280);
  EXPECT_NE(b.getBits(), nullptr);
  EXPECT_FALSE(b.isFlipped());
}

TEST(RasterMemBitmap, EmptyBitmapHasNoPixels) {
  Raster_MemBitmap b(0, 5);
  EXPECT_EQ(b.getBits(), nullptr);
  EXPECT_EQ(b.getCapacity(), 0);
  Raster_MemBitmap neg(-2, -3);  // a negative size is no size, not a positive product
  EXPECT_EQ(neg.getBits(), nullptr);
  EXPECT_EQ(neg.getWidth(), 0);
}

TEST(RasterMemBitmap, ResizeToSameSizeReportsNoChange) {
  Raster_MemBitmap b(4, 4);
  EXPECT_FALSE(b.resize(4, 4));
}

TEST(RasterMemBitmap, ShrinkKeepsBufferAndContentsInPlace) {
  Raster_MemBitmap b(100, 100);
  Raster_PixelValue* before = b.getBits();
  before[0] = 0x11223344;
  before[75] = 0xAABBCCDD;  // row 0, column 75: becomes row 1, column 25 at width 50
  EXPECT_TRUE(b.resize(50, 50));
  EXPECT_EQ(b.getBits(), before);
  EXPECT_EQ(b.getCapacity(), 40000);
  EXPECT_EQ(b.getRowSpan(), 50);
  EXPECT_EQ(b.getBits()[0], 0x11223344u);
  EXPECT_EQ(b.getBits()[1 * 50 + 25], 0xAABBCCDDu);
}

TEST(RasterMemBitmap, GrowReservesAQuarterMoreAndKeepsContents) {
  Raster_MemBitmap b(100, 100);
  b.getBits()[9999] = 0x55667788;
  EXPECT_TRUE(b.resize(200, 100));
  EXPECT_EQ(b.getCapacity(), 100000);  // 5/4 of 80000
  EXPECT_EQ(b.getBits()[9999], 0x55667788u);
  // Growing again within the reserve keeps the buffer.
  Raster_PixelValue* p = b.getBits();
  EXPECT_TRUE(b.resize(250, 100));
  EXPECT_EQ(b.getBits(), p);
  EXPECT_EQ(b.getCapacity(), 100000);
}

TEST(RasterMemBitmap, ResizeToZeroFreesAndFromEmptyAllocatesExactly) {
  Raster_MemBitmap b(8, 8);
  EXPECT_TRUE(b.resize(0, 8));
  EXPECT_EQ(b.getBits(), nullptr);
  EXPECT_EQ(b.getCapacity(), 0);
  EXPECT_EQ(b.getHeight(), 8);
  EXPECT_TRUE(b.resize(3, 5));
  EXPECT_EQ(b.getCapacity(), 60);
  EXPECT_NE(b.getBits(), nullptr);
}

TEST(RasterMemBitmap, UnaddressableSizeFailsAsEmpty) {
  Raster_MemBitmap b(4, 4);
  EXPECT_TRUE(b.resize(100000, 100000));  // 40 GB: does not fit the int capacity
  EXPECT_EQ(b.getBits(), nullptr);
  EXPECT_EQ(b.getWidth(), 0);
  EXPECT_EQ(b.getHeight(), 0);
}
