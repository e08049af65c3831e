#include <gtest/gtest.h>

#include "CGTestSurface.h"

TEST(CGBitmapContext, MemoryRowZeroIsTheTopOfTheDefaultUserSpace) {
  CGTestSurface s(3, 2);
  ASSERT_NE(nullptr, s.ctx);
  CGContextSetRGBFillColor(s.ctx, 1, 0, 0, 1);
  CGContextFillRect(s.ctx, CGRectMake(0, 0, 3, 1));  // y up: the bottom row
  for (int x = 0; x < 3; ++x) {
    EXPECT_TRUE(s.untouched(x, 0));
    EXPECT_EQ(255, s.at(x, 1, 0));  // skipped byte written as 255
    EXPECT_EQ(255, s.at(x, 1, 1));  // red
    EXPECT_EQ(0, s.at(x, 1, 2));
    EXPECT_EQ(0, s.at(x, 1, 3));
  }
}

TEST(CGBitmapContext, ByteOrderAndAlphaPositionFollowTheBitmapInfo) {
  struct Case {
    CGBitmapInfo info;
    int a, r, g, b;
  } cases[] = {
      {kCGImageAlphaNoneSkipFirst, 0, 1, 2, 3},
      {kCGImageAlphaPremultipliedFirst | kCGBitmapByteOrder32Big, 0, 1, 2, 3},
      {kCGImageAlphaPremultipliedLast, 3, 0, 1, 2},
      {kCGImageAlphaPremultipliedFirst | kCGBitmapByteOrder32Little, 3, 2, 1, 0},
      {kCGImageAlphaNoneSkipLast | kCGBitmapByteOrder32Little, 0, 3, 2, 1},
  };
  for (const Case& c : cases) {
    CGTestSurface s(1, 1, c.info);
    ASSERT_NE(nullptr, s.ctx) << c.info;
    CGContextSetRGBFillColor(s.ctx, 1, 128 / 255.0, 64 / 255.0, 1);
    CGContextFillRect(s.ctx, CGRectMake(0, 0, 1, 1));
    EXPECT_EQ(255, s.at(0, 0, c.a)) << c.info;
    EXPECT_EQ(255, s.at(0, 0, c.r)) << c.info;
    EXPECT_EQ(128, s.at(0, 0, c.g)) << c.info;
    EXPECT_EQ(64, s.at(0, 0, c.b)) << c.info;
  }
}

TEST(CGBitmapContext, PremultipliedLayoutsStoreColoursMultipliedByAlpha) {
  CGTestSurface s(1, 1, kCGImageAlphaPremultipliedFirst);
  CGContextSetRGBFillColor(s.ctx, 1, 0.5, 0, 0.5);
  CGContextFillRect(s.ctx, CGRectMake(0, 0, 1, 1));
  EXPECT_EQ(128, s.at(0, 0, 0));
  EXPECT_EQ(128, s.at(0, 0, 1));
  EXPECT_NEAR(64, s.at(0, 0, 2), 1);
  EXPECT_EQ(0, s.at(0, 0, 3));
}

TEST(CGBitmapContext, RefusesLayoutsItCannotDrawInto) {
  CGColorSpaceRef space = CGColorSpaceCreateDeviceRGB();
  uint8_t buf[64] = {};
  EXPECT_EQ(nullptr, CGBitmapContextCreate(buf, 2, 2, 16, 16, space, kCGImageAlphaNoneSkipFirst));
  EXPECT_EQ(nullptr, CGBitmapContextCreate(buf, 2, 2, 8, 8, space, kCGImageAlphaFirst));
  EXPECT_EQ(nullptr, CGBitmapContextCreate(buf, 2, 2, 8, 7, space, kCGImageAlphaNoneSkipFirst));
  EXPECT_EQ(nullptr, CGBitmapContextCreate(buf, 2, 2, 8, 8, nullptr, kCGImageAlphaNoneSkipFirst));
  EXPECT_EQ(nullptr, CGBitmapContextCreate(buf, 0, 2, 8, 8, space, kCGImageAlphaNoneSkipFirst));
  EXPECT_EQ(nullptr,
            CGBitmapContextCreate(buf, 2, 2, 8, 8, space,
                                  kCGImageAlphaNoneSkipFirst | kCGBitmapByteOrder16Little));
  CGColorSpaceRelease(space);
}

TEST(CGBitmapContext, WithoutCallerMemoryItAllocatesZeroedPixelsOfItsOwn) {
  CGColorSpaceRef space = CGColorSpaceCreateDeviceRGB();
  CGContextRef c =
      CGBitmapContextCreate(nullptr, 5, 3, 8, 0, space, kCGImageAlphaPremultipliedFirst);
  CGColorSpaceRelease(space);
  ASSERT_NE(nullptr, c);
  EXPECT_EQ(20u, CGBitmapContextGetBytesPerRow(c));
  EXPECT_EQ(5u, CGBitmapContextGetWidth(c));
  EXPECT_EQ(3u, CGBitmapContextGetHeight(c));
  EXPECT_EQ(kCGImageAlphaPremultipliedFirst, CGBitmapContextGetAlphaInfo(c));
  const uint8_t* p = static_cast<const uint8_t*>(CGBitmapContextGetData(c));
  ASSERT_NE(nullptr, p);
  for (int i = 0; i < 60; ++i) ASSERT_EQ(0, p[i]);
  CGContextRelease(c);
}

TEST(CGBitmapContext, RowSpanLargerThanTheWidthLeavesThePaddingAlone) {
  std::vector<uint8_t> buf(3 * 16, 0xAB);
  CGColorSpaceRef space = CGColorSpaceCreateDeviceRGB();
  CGContextRef c =
      CGBitmapContextCreate(buf.data(), 2, 3, 8, 16, space, kCGImageAlphaNoneSkipFirst);
  CGColorSpaceRelease(space);
  ASSERT_NE(nullptr, c);
  CGContextSetRGBFillColor(c, 0, 0, 1, 1);
  CGContextFillRect(c, CGRectMake(-10, -10, 100, 100));
  for (int y = 0; y < 3; ++y) {
    for (int k = 0; k < 8; ++k) EXPECT_EQ(k % 4 == 0 || k % 4 == 3 ? 255 : 0, buf[y * 16 + k]);
    for (int k = 8; k < 16; ++k) EXPECT_EQ(0xAB, buf[y * 16 + k]);
  }
  CGContextRelease(c);
}

TEST(CGContextState, FlippedCTMPutsTheOriginAtTheTopLeft) {
  CGTestSurface s(4, 4, kCGImageAlphaNoneSkipFirst, true);
  CGContextSetRGBFillColor(s.ctx, 0, 1, 0, 1);
  CGContextFillRect(s.ctx, CGRectMake(1, 0, 1, 1));
  EXPECT_EQ(255, s.at(1, 0, 2));
  EXPECT_TRUE(s.untouched(1, 3));
  CGAffineTransform m = CGContextGetCTM(s.ctx);
  EXPECT_DOUBLE_EQ(-1, m.d);
  EXPECT_DOUBLE_EQ(4, m.ty);
}

TEST(CGContextState, RestoreBringsBackCTMClipColourAndLineWidth) {
  CGTestSurface s(4, 4);
  CGContextSetRGBFillColor(s.ctx, 1, 0, 0, 1);
  CGContextSaveGState(s.ctx);
  CGContextTranslateCTM(s.ctx, 2, 0);
  CGContextClipToRect(s.ctx, CGRectMake(0, 0, 1, 1));
  CGContextSetRGBFillColor(s.ctx, 0, 0, 1, 1);
  CGContextSetLineWidth(s.ctx, 7);
  CGContextRestoreGState(s.ctx);
  CGContextRestoreGState(s.ctx);  // unbalanced: ignored
  EXPECT_TRUE(CGAffineTransformIsIdentity(CGContextGetCTM(s.ctx)));
  EXPECT_TRUE(CGRectEqualToRect(CGRectMake(0, 0, 4, 4), CGContextGetClipBoundingBox(s.ctx)));
  CGContextFillRect(s.ctx, CGRectMake(0, 0, 4, 4));
  EXPECT_EQ(255, s.at(3, 3, 1));
  EXPECT_EQ(0, s.at(3, 3, 3));
}

TEST(CGContextState, ClipLimitsDrawingAndIntersectsWithEarlierClips) {
  CGTestSurface s(6, 6, kCGImageAlphaNoneSkipFirst, true);
  CGContextClipToRect(s.ctx, CGRectMake(1, 1, 4, 4));
  CGContextClipToRect(s.ctx, CGRectMake(2, 0, 10, 2));
  CGRect box = CGContextGetClipBoundingBox(s.ctx);
  EXPECT_TRUE(CGRectEqualToRect(CGRectMake(2, 1, 3, 1), box));
  CGContextSetRGBFillColor(s.ctx, 1, 1, 1, 1);
  CGContextFillRect(s.ctx, CGRectMake(0, 0, 6, 6));
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) {
      bool inside = y == 1 && x >= 2 && x < 5;
      EXPECT_EQ(inside ? 255 : 0, s.at(x, y, 1)) << x << "," << y;
    }
  CGContextClipToRect(s.ctx, CGRectMake(0, 4, 6, 2));  // disjoint: nothing may be drawn
  EXPECT_TRUE(CGRectIsNull(CGContextGetClipBoundingBox(s.ctx)));
}

TEST(CGContextState, AFractionalClipEdgeCoversPartOfThePixel) {
  CGTestSurface s(2, 1, kCGImageAlphaNoneSkipFirst, true);
  CGContextClipToRect(s.ctx, CGRectMake(0, 0, 1.5, 1));
  CGContextSetRGBFillColor(s.ctx, 1, 1, 1, 1);
  CGContextFillRect(s.ctx, CGRectMake(0, 0, 2, 1));
  EXPECT_EQ(255, s.at(0, 0, 1));
  EXPECT_NEAR(128, s.at(1, 0, 1), 2);
}
