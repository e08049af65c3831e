#include "raster/bitmap/Raster_PixelUtil.h"
#include "raster/bitmap/Raster_SysBitmap.h"
#include "raster/blit/Raster_Blit.h"

#include "gdi_compat/GDI_Context.h"

#include <gtest/gtest.h>

namespace {
class FlippedSysBitmap : public Raster_SysBitmap {
 public:
  using Raster_SysBitmap::Raster_SysBitmap;
  bool isFlipped() override { return true; }
};
}  // namespace

TEST(RasterSysBitmap, PixelsAreTheContextsZeroedFrameBuffer) {
  Raster_SysBitmap b(4, 3);
  ASSERT_NE(b.getDC(), nullptr);
  EXPECT_EQ(b.getWidth(), 4);
  EXPECT_EQ(b.getHeight(), 3);
  EXPECT_EQ(b.getRowSpan(), 4);
  EXPECT_EQ((void*)b.getBits(), GDI_GetCtxFrameBuffer((HDC)b.getDC()));
  for (int i = 0; i < 12; ++i) EXPECT_EQ(b.getBits()[i], 0u);
  Raster_FillRect(&b, 1, 1, 1, 1, 0x11223344u, 1.0f, kBlitCopy);
  EXPECT_EQ(((Raster_PixelValue*)GDI_GetCtxFrameBuffer((HDC)b.getDC()))[5], 0x11223344u);
}

TEST(RasterSysBitmap, ShrinkKeepsContextAndSpan) {
  Raster_SysBitmap b(10, 8);
  void* dc = b.getDC();
  Raster_PixelValue* bits = b.getBits();
  EXPECT_FALSE(b.resize(10, 8));
  EXPECT_TRUE(b.resize(6, 5));
  EXPECT_EQ(b.getDC(), dc);
  EXPECT_EQ(b.getBits(), bits);
  EXPECT_EQ(b.getRowSpan(), 10);
  EXPECT_EQ(b.getWidth(), 6);
  // Growing back within the context keeps it as well.
  EXPECT_TRUE(b.resize(10, 8));
  EXPECT_EQ(b.getDC(), dc);
}

TEST(RasterSysBitmap, GrowingMakesANewContextOfExactlyTheSize) {
  Raster_SysBitmap b(10, 8);
  EXPECT_TRUE(b.resize(12, 4));
  EXPECT_EQ(b.getRowSpan(), 12);
  EXPECT_EQ(b.getWidth(), 12);
  EXPECT_EQ(b.getHeight(), 4);
  ASSERT_NE(b.getDC(), nullptr);
  EXPECT_EQ((void*)b.getBits(), GDI_GetCtxFrameBuffer((HDC)b.getDC()));
  Raster_Clear(&b, 0xFFFFFFFFu);  // all 48 pixels are writable (ASan checks the bounds)
}

TEST(RasterSysBitmap, EmptySizeDropsTheContext) {
  Raster_SysBitmap b(5, 5);
  EXPECT_FALSE(b.resize(0, 5));
  EXPECT_EQ(b.getDC(), nullptr);
  EXPECT_EQ(b.getBits(), nullptr);
  Raster_SysBitmap e(0, 0);
  EXPECT_EQ(e.getDC(), nullptr);
  EXPECT_TRUE(e.resize(2, 2));
  EXPECT_NE(e.getBits(), nullptr);
}

TEST(RasterSysBitmap, FlippedShrinkKeepsVisibleRowsAtTheBottom) {
  FlippedSysBitmap b(4, 6);
  Raster_PixelValue* fb = (Raster_PixelValue*)GDI_GetCtxFrameBuffer((HDC)b.getDC());
  EXPECT_TRUE(b.resize(4, 2));
  EXPECT_EQ(b.getBits(), fb + 4 * 4);
  Raster_PutPixel(&b, 0, 0, 0xABCDEF01u, 1.0f, kBlitCopy);  // top visible row = last memory row
  EXPECT_EQ(fb[5 * 4], 0xABCDEF01u);
}

TEST(RasterSysBitmap, ASizeNoContextCanHoldLeavesAnEmptyBitmap) {
  Raster_SysBitmap b(4, 4);
  // 2^28 x 8 pixels are more bytes than a context can address: creation fails.
  EXPECT_TRUE(b.resize(1 << 28, 8));
  EXPECT_EQ(b.getWidth(), 0);
  EXPECT_EQ(b.getHeight(), 0);
  EXPECT_EQ(b.getBits(), nullptr);
  EXPECT_EQ(b.getDC(), nullptr);
  EXPECT_EQ(b.getRowSpan(), 1 << 28);  // the width the context was asked for
  Raster_Clear(&b, 1);                 // utilities see no pixels and do nothing
  EXPECT_TRUE(b.resize(3, 2));
  EXPECT_NE(b.getBits(), nullptr);
  EXPECT_EQ(b.getRowSpan(), 3);
}
