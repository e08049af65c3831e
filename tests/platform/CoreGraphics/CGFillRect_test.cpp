// Pixel-aligned rectangle fills take a span path of their own; they must give exactly the
// bytes the rasteriser gives for the same rectangle as a path.
#include <gtest/gtest.h>

#include "CGTestSurface.h"

namespace {

// A background with every byte value in use, so blending differences show.
void Paint(CGTestSurface& s) {
  for (size_t i = 0; i < s.bytes.size(); ++i) s.bytes[i] = static_cast<uint8_t>(i * 37 + 11);
}

void ExpectSameAsPathFill(CGBitmapInfo info, const CGFloat rgba[4], CGFloat alpha, CGRect r,
                          CGRect clip) {
  CGTestSurface fast(9, 7, info, true), path(9, 7, info, true);
  Paint(fast);
  Paint(path);
  for (CGTestSurface* s : {&fast, &path}) {
    CGContextClipToRect(s->ctx, clip);
    CGContextSetRGBFillColor(s->ctx, rgba[0], rgba[1], rgba[2], rgba[3]);
    CGContextSetAlpha(s->ctx, alpha);
  }
  CGContextFillRect(fast.ctx, r);
  CGContextAddRect(path.ctx, r);
  CGContextFillPath(path.ctx);
  EXPECT_EQ(path.bytes, fast.bytes) << "info " << info << " alpha " << rgba[3] * alpha;
}

}  // namespace

TEST(CGFillRect, AlignedFillsMatchTheRasteriserInEveryLayoutAndOpacity) {
  const CGBitmapInfo layouts[] = {kCGImageAlphaNoneSkipFirst, kCGImageAlphaPremultipliedFirst,
                                  kCGImageAlphaPremultipliedLast | kCGBitmapByteOrder32Little};
  const CGFloat colours[][4] = {{0.2, 0.6, 1, 1}, {1, 0.5, 0, 0.5}, {0.9, 0.1, 0.3, 0.02}};
  for (CGBitmapInfo info : layouts)
    for (const auto& c : colours) {
      ExpectSameAsPathFill(info, c, 1, CGRectMake(1, 2, 5, 3), CGRectMake(0, 0, 9, 7));
      ExpectSameAsPathFill(info, c, 0.7, CGRectMake(-3, -1, 20, 4), CGRectMake(2, 1, 5, 9));
    }
}

TEST(CGFillRect, FractionalEdgesAndClipsStillBlendTheirPartialPixels) {
  const CGFloat c[4] = {1, 1, 1, 1};
  ExpectSameAsPathFill(kCGImageAlphaNoneSkipFirst, c, 1, CGRectMake(1.5, 1, 4, 3.25),
                       CGRectMake(0, 0, 9, 7));
  ExpectSameAsPathFill(kCGImageAlphaNoneSkipFirst, c, 1, CGRectMake(1, 1, 6, 4),
                       CGRectMake(0.5, 0, 5, 6.5));
}
