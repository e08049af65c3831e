#include <gtest/gtest.h>

#include <climits>

#include "GDI_TestDC.h"

TEST(GDI_MemContext, HasZeroedPixelsFourBytesEachRowAfterRow) {
  GDI_TestDC t(3, 2);
  ASSERT_NE(nullptr, t.dc);
  ASSERT_NE(nullptr, t.bytes());
  for (int i = 0; i < 24; ++i) EXPECT_EQ(0, t.bytes()[i]) << i;
  CGContextRef gc = GDI_GetCtxGC(t.dc);
  ASSERT_NE(nullptr, gc);
  EXPECT_EQ(t.bytes(), CGBitmapContextGetData(gc));
  EXPECT_EQ(12u, CGBitmapContextGetBytesPerRow(gc));
  EXPECT_EQ(3u, CGBitmapContextGetWidth(gc));
  EXPECT_EQ(2u, CGBitmapContextGetHeight(gc));
  EXPECT_EQ(0u, t.dc->cur_textcolor);
  ASSERT_NE(nullptr, t.dc->curtextcolor);
  EXPECT_DOUBLE_EQ(1, CGColorGetAlpha(t.dc->curtextcolor));
}

TEST(GDI_MemContext, SetPixelAtTheOriginChangesTheFirstFourBytes) {
  GDI_TestDC t(3, 2);
  GDI_SetPixel(t.dc, 0, 0, 0x00FF00);
  const uint8_t* p = t.bytes();
  EXPECT_EQ(255, p[0]);  // drawn pixels read as opaque
  EXPECT_EQ(0, p[1]);
  EXPECT_NEAR(128, p[2], 2);  // the stroke covers the half with x + y <= 1
  EXPECT_EQ(0, p[3]);
  EXPECT_TRUE(t.untouched(2, 0));
  EXPECT_TRUE(t.untouched(1, 1));
  EXPECT_TRUE(t.untouched(2, 1));
  EXPECT_LT(t.green(1, 0), 16);
  EXPECT_LT(t.green(0, 1), 16);
}

TEST(GDI_MemContext, OriginIsTopLeftWithYDownward) {
  GDI_TestDC t(4, 3);
  HBRUSH b = CreateSolidBrush(0x123456);
  RECT r = {1, 0, 3, 1};
  GDI_FillRect(t.dc, &r, b);
  EXPECT_EQ(0x123456u, t.rgb(1, 0));
  EXPECT_EQ(0x123456u, t.rgb(2, 0));
  EXPECT_TRUE(t.untouched(0, 0));
  EXPECT_TRUE(t.untouched(1, 1));
  EXPECT_TRUE(t.untouched(1, 2));
  DeleteObject(b);
}

TEST(GDI_MemContext, RefusesSizesItCannotHold) {
  EXPECT_EQ(nullptr, GDI_CreateMemContext(nullptr, 0, 5));
  EXPECT_EQ(nullptr, GDI_CreateMemContext(nullptr, 5, -1));
  EXPECT_EQ(nullptr, GDI_CreateMemContext(nullptr, INT_MAX, 2));
  const int pooled = GDI_CtxPoolSize();
  EXPECT_EQ(nullptr, GDI_CreateMemContext(nullptr, INT_MAX / 4, INT_MAX));
  EXPECT_EQ(pooled, GDI_CtxPoolSize());  // no record taken for a failure
}

TEST(GDI_GfxContext, WrapsAPortItDoesNotOwn) {
  uint8_t pixels[16] = {};
  CGContextRef port = CGBitmapContextCreate(pixels, 2, 2, 8, 8, GDI_GetColorSpace(),
                                            kCGImageAlphaPremultipliedFirst);
  HDC dc = GDI_CreateGfxContext(port);
  ASSERT_NE(nullptr, dc);
  EXPECT_EQ(port, GDI_GetCtxGC(dc));
  EXPECT_EQ(nullptr, GDI_GetCtxFrameBuffer(dc));
  GDI_DeleteGfxContext(dc);
  // The port is still alive and usable after the record is gone.
  CGContextSetRGBFillColor(port, 1, 1, 1, 1);
  CGContextFillRect(port, CGRectMake(0, 0, 2, 2));
  EXPECT_EQ(255, pixels[0]);
  CGContextRelease(port);
  EXPECT_EQ(nullptr, GDI_CreateGfxContext(nullptr));
}

TEST(GDI_Context, NullHandlesAreIgnored) {
  EXPECT_EQ(nullptr, GDI_GetCtxGC(nullptr));
  EXPECT_EQ(nullptr, GDI_GetCtxFrameBuffer(nullptr));
  GDI_DeleteGfxContext(nullptr);
  SetTextColor(nullptr, 1);
  SetBkColor(nullptr, 1);
  SetBkMode(nullptr, 1);
  POINT old = {7, 7};
  MoveToEx(nullptr, 1, 2, &old);
  EXPECT_EQ(7, old.x);
  RECT r = {0, 0, 1, 1};
  GDI_SetClipRegion(nullptr, &r);
  GDI_PushClipRegion(nullptr);
  GDI_PopClipRegion(nullptr);
  // There is no window system: window contexts cannot be had.
  int view = 0;
  EXPECT_EQ(nullptr, GetDC(&view));
  EXPECT_EQ(nullptr, GetWindowDC(&view));
}

TEST(GDI_Context, StoresTextAndBackgroundStateAndThePosition) {
  GDI_TestDC t(1, 1);
  SetTextColor(t.dc, 0x336699);
  EXPECT_EQ(0x336699u, t.dc->cur_textcolor);
  const CGFloat* c = CGColorGetComponents(t.dc->curtextcolor);
  EXPECT_DOUBLE_EQ(0x33 / 255.0, c[0]);
  EXPECT_DOUBLE_EQ(0x66 / 255.0, c[1]);
  EXPECT_DOUBLE_EQ(0x99 / 255.0, c[2]);
  SetBkColor(t.dc, 0xABCDEF);
  SetBkMode(t.dc, 2);
  EXPECT_EQ(0xABCDEFu, t.dc->curbkcol);
  EXPECT_EQ(2, t.dc->curbkmode);
  POINT old;
  MoveToEx(t.dc, 4, 9, &old);
  EXPECT_EQ(0, old.x);
  EXPECT_EQ(0, old.y);
  MoveToEx(t.dc, -1, 3, &old);
  EXPECT_EQ(4, old.x);
  EXPECT_EQ(9, old.y);
  EXPECT_EQ(-1, t.dc->lastpos_x);
}

TEST(GDI_Context, ClipRegionsNarrowDrawingAndPopRestoresTheWholeArea) {
  GDI_TestDC t(4, 4);
  HBRUSH b = CreateSolidBrush(0xFFFFFF);
  RECT all = {0, 0, 4, 4}, clip = {1, 1, 3, 2};
  GDI_PushClipRegion(t.dc);
  GDI_SetClipRegion(t.dc, &clip);
  GDI_FillRect(t.dc, &all, b);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(y == 1 && x >= 1 && x < 3, !t.untouched(x, y)) << x << y;
  GDI_PopClipRegion(t.dc);
  GDI_FillRect(t.dc, &all, b);
  EXPECT_EQ(0xFFFFFFu, t.rgb(3, 3));
  DeleteObject(b);
}

TEST(GDI_Context, AnInvertedClipRectangleLeavesNothingDrawable) {
  GDI_TestDC t(4, 4);
  HBRUSH b = CreateSolidBrush(0xFFFFFF);
  RECT all = {0, 0, 4, 4}, inverted = {3, 3, 1, 1};
  GDI_SetClipRegion(t.dc, &inverted);
  GDI_FillRect(t.dc, &all, b);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_TRUE(t.untouched(x, y));
  DeleteObject(b);
}
