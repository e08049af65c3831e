// A bitmap context over a byte vector, for pixel checks.
#pragma once

#include <CoreGraphics/CoreGraphics.h>

#include <cstdint>
#include <vector>

struct CGTestSurface {
  CGTestSurface(int w, int h, CGBitmapInfo info = kCGImageAlphaNoneSkipFirst, bool flipped = false)
      : w(w), h(h), bytes(static_cast<size_t>(w * h * 4), 0) {
    CGColorSpaceRef space = CGColorSpaceCreateDeviceRGB();
    ctx = CGBitmapContextCreate(bytes.data(), w, h, 8, w * 4, space, info);
    CGColorSpaceRelease(space);
    if (ctx && flipped) {
      CGContextTranslateCTM(ctx, 0, h);
      CGContextScaleCTM(ctx, 1, -1);
    }
  }
  ~CGTestSurface() { CGContextRelease(ctx); }
  CGTestSurface(const CGTestSurface&) = delete;
  CGTestSurface& operator=(const CGTestSurface&) = delete;

  const uint8_t* px(int x, int y) const { return &bytes[static_cast<size_t>((y * w + x) * 4)]; }
  // Byte k of pixel (x, y), memory row 0 first.
  int at(int x, int y, int k) const { return px(x, y)[k]; }
  bool untouched(int x, int y) const {
    const uint8_t* p = px(x, y);
    return p[0] == 0 && p[1] == 0 && p[2] == 0 && p[3] == 0;
  }

  int w, h;
  std::vector<uint8_t> bytes;
  CGContextRef ctx = nullptr;
};
