#include <gtest/gtest.h>

#include "CGTestSurface.h"

namespace {
// A 2 x 2 opaque image: red, green / blue, white (rows top to bottom).
CGImageRef MakeQuadImage() {
  CGTestSurface src(2, 2, kCGImageAlphaNoneSkipFirst, true);
  CGContextSetRGBFillColor(src.ctx, 1, 0, 0, 1);
  CGContextFillRect(src.ctx, CGRectMake(0, 0, 1, 1));
  CGContextSetRGBFillColor(src.ctx, 0, 1, 0, 1);
  CGContextFillRect(src.ctx, CGRectMake(1, 0, 1, 1));
  CGContextSetRGBFillColor(src.ctx, 0, 0, 1, 1);
  CGContextFillRect(src.ctx, CGRectMake(0, 1, 1, 1));
  CGContextSetRGBFillColor(src.ctx, 1, 1, 1, 1);
  CGContextFillRect(src.ctx, CGRectMake(1, 1, 1, 1));
  return CGBitmapContextCreateImage(src.ctx);
}

void ExpectRGB(const CGTestSurface& s, int x, int y, int r, int g, int b) {
  EXPECT_EQ(r, s.at(x, y, 1)) << x << "," << y;
  EXPECT_EQ(g, s.at(x, y, 2)) << x << "," << y;
  EXPECT_EQ(b, s.at(x, y, 3)) << x << "," << y;
}
}  // namespace

TEST(CGImage, ContextImageIsACopyTakenAtCreation) {
  CGTestSurface s(2, 2);
  CGImageRef img = CGBitmapContextCreateImage(s.ctx);
  ASSERT_NE(nullptr, img);
  EXPECT_EQ(2u, CGImageGetWidth(img));
  EXPECT_EQ(2u, CGImageGetHeight(img));
  EXPECT_EQ(kCGImageAlphaNoneSkipFirst, CGImageGetAlphaInfo(img));
  CGContextSetRGBFillColor(s.ctx, 1, 1, 1, 1);
  CGContextFillRect(s.ctx, CGRectMake(0, 0, 2, 2));
  CGTestSurface d(2, 2);
  CGContextDrawImage(d.ctx, CGRectMake(0, 0, 2, 2), img);
  ExpectRGB(d, 0, 0, 0, 0, 0);  // the black drawn before the fill
  CGImageRelease(img);
}

TEST(CGImage, DrawsUprightInDefaultSpaceAndUpsideDownInAFlippedOne) {
  CGImageRef img = MakeQuadImage();
  ASSERT_NE(nullptr, img);
  CGTestSurface up(2, 2);
  CGContextDrawImage(up.ctx, CGRectMake(0, 0, 2, 2), img);
  ExpectRGB(up, 0, 0, 255, 0, 0);
  ExpectRGB(up, 1, 0, 0, 255, 0);
  ExpectRGB(up, 0, 1, 0, 0, 255);
  ExpectRGB(up, 1, 1, 255, 255, 255);
  CGTestSurface flipped(2, 2, kCGImageAlphaNoneSkipFirst, true);
  CGContextDrawImage(flipped.ctx, CGRectMake(0, 0, 2, 2), img);
  ExpectRGB(flipped, 0, 0, 0, 0, 255);
  ExpectRGB(flipped, 0, 1, 255, 0, 0);
  CGImageRelease(img);
}

TEST(CGImage, NearestInterpolationScalesEachPixelIntoABlock) {
  CGImageRef img = MakeQuadImage();
  CGTestSurface d(6, 6);
  CGContextSetInterpolationQuality(d.ctx, kCGInterpolationNone);
  CGContextDrawImage(d.ctx, CGRectMake(1, 1, 4, 4), img);
  // Default space: rect y 1..5 is memory rows 1..4; the image's top row lands on row 1.
  for (int y = 1; y < 3; ++y)
    for (int x = 1; x < 3; ++x) ExpectRGB(d, x, y, 255, 0, 0);
  ExpectRGB(d, 4, 4, 255, 255, 255);
  ExpectRGB(d, 3, 3, 255, 255, 255);
  EXPECT_TRUE(d.untouched(0, 0));
  EXPECT_TRUE(d.untouched(5, 5));
  CGImageRelease(img);
}

TEST(CGImage, TranslucentImagesCompositeOverTheDestination) {
  // One pixel, straight alpha first: alpha 128, red 255.
  uint8_t pixel[4] = {128, 255, 0, 0};
  int released = 0;
  CGDataProviderRef prov = CGDataProviderCreateWithData(
      &released, pixel, 4, [](void* info, const void*, size_t) { ++*static_cast<int*>(info); });
  CGColorSpaceRef space = CGColorSpaceCreateDeviceRGB();
  CGImageRef img = CGImageCreate(1, 1, 8, 32, 4, space, kCGImageAlphaFirst, prov, nullptr, false,
                                 kCGRenderingIntentDefault);
  CGColorSpaceRelease(space);
  ASSERT_NE(nullptr, img);
  CGDataProviderRelease(prov);
  EXPECT_EQ(1, released);
  CGTestSurface d(1, 1);
  CGContextSetRGBFillColor(d.ctx, 0, 0, 1, 1);
  CGContextFillRect(d.ctx, CGRectMake(0, 0, 1, 1));
  CGContextDrawImage(d.ctx, CGRectMake(0, 0, 1, 1), img);
  EXPECT_NEAR(128, d.at(0, 0, 1), 1);
  EXPECT_EQ(0, d.at(0, 0, 2));
  EXPECT_NEAR(127, d.at(0, 0, 3), 1);
  CGContextSetAlpha(d.ctx, 0);
  CGContextDrawImage(d.ctx, CGRectMake(0, 0, 1, 1), img);  // invisible: no change
  EXPECT_NEAR(128, d.at(0, 0, 1), 1);
  CGImageRelease(img);
}

TEST(CGImage, CreateRefusesProvidersTooSmallForTheRows) {
  uint8_t bytes[12] = {};
  CGDataProviderRef prov = CGDataProviderCreateWithData(nullptr, bytes, sizeof bytes, nullptr);
  CGColorSpaceRef space = CGColorSpaceCreateDeviceRGB();
  EXPECT_EQ(nullptr, CGImageCreate(2, 2, 8, 32, 8, space, kCGImageAlphaPremultipliedFirst, prov,
                                   nullptr, false, kCGRenderingIntentDefault));
  CGImageRef ok = CGImageCreate(1, 3, 8, 32, 4, space, kCGImageAlphaPremultipliedFirst, prov,
                                nullptr, false, kCGRenderingIntentDefault);
  EXPECT_NE(nullptr, ok);
  CGImageRelease(ok);
  CGColorSpaceRelease(space);
  CGDataProviderRelease(prov);
}
