// The blit family: pixels cut to their source, made into images and drawn through the
// destination's drawing context.
#include "gdi_compat/GDI_Blit.h"

#include <algorithm>
#include <cstdlib>
#include <new>

namespace {

// The memory context's drawing context and size, when src is one.
bool MemorySource(HDC src, int* w, int* h) {
  if (!src || !src->framebuffer || !src->ctx) return false;
  *w = static_cast<int>(CGBitmapContextGetWidth(src->ctx));
  *h = static_cast<int>(CGBitmapContextGetHeight(src->ctx));
  return *w > 0 && *h > 0;
}

// Draws w x h pixels of the given layout (rows stride bytes apart) into dest, a rectangle in
// the destination's top-left-origin coordinates, composited over what is there.
void DrawPixels(HDC dst, const uint8_t* data, size_t stride, int w, int h, CGBitmapInfo info,
                CGRect dest, bool smooth) {
  CGDataProviderRef provider =
      CGDataProviderCreateWithData(nullptr, data, stride * (h - 1) + 4 * w, nullptr);
  if (!provider) return;
  CGColorSpaceRef space = CGColorSpaceCreateDeviceRGB();
  CGImageRef image = CGImageCreate(w, h, 8, 32, stride, space, info, provider, nullptr, false,
                                   kCGRenderingIntentDefault);
  CGColorSpaceRelease(space);
  CGDataProviderRelease(provider);
  if (!image) return;
  CGContextRef gc = dst->ctx;
  CGContextSaveGState(gc);
  // Images stand upright in a y-up space: flip about the destination rectangle.
  CGContextTranslateCTM(gc, 0, 2 * dest.origin.y + dest.size.height);
  CGContextScaleCTM(gc, 1, -1);
  CGContextSetInterpolationQuality(gc, smooth ? kCGInterpolationDefault : kCGInterpolationNone);
  CGContextDrawImage(gc, dest, image);
  CGContextRestoreGState(gc);
  CGImageRelease(image);
}

// The part [from, from + len) of [0, size), as [*a, *b); false when empty.
bool Cut(long long from, long long len, long long size, long long* a, long long* b) {
  *a = std::max(from, 0ll);
  *b = std::min(from + len, size);
  return *a < *b;
}

}  // namespace

void StretchBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh,
                DWORD) {
  int srcW, srcH;
  if (!dst || !dst->ctx || w <= 0 || h <= 0 || sw <= 0 || sh <= 0 ||
      !MemorySource(src, &srcW, &srcH))
    return;
  long long x1, x2, y1, y2;
  if (!Cut(sx, sw, srcW, &x1, &x2) || !Cut(sy, sh, srcH, &y1, &y2)) return;
  const double kx = static_cast<double>(w) / sw, ky = static_cast<double>(h) / sh;
  const CGRect dest =
      CGRectMake(x + (x1 - sx) * kx, y + (y1 - sy) * ky, (x2 - x1) * kx, (y2 - y1) * ky);
  const size_t stride = 4 * static_cast<size_t>(srcW);
  const uint8_t* first = static_cast<const uint8_t*>(src->framebuffer) + y1 * stride + 4 * x1;
  DrawPixels(dst, first, stride, static_cast<int>(x2 - x1), static_cast<int>(y2 - y1),
             kCGImageAlphaNoneSkipFirst, dest, w != sw || h != sh);
}

void BitBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, DWORD rop) {
  StretchBlt(dst, x, y, w, h, src, sx, sy, w, h, rop);
}

void BitBltAlpha(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, DWORD rop,
                 bool useAlpha, float opacity) {
  if (!useAlpha && opacity >= 0.9999f) {
    BitBlt(dst, x, y, w, h, src, sx, sy, rop);
    return;
  }
  int srcW, srcH;
  if (!MemorySource(src, &srcW, &srcH)) return;
  BitBltAlphaFromMem(dst, x, y, w, h, src->framebuffer, srcW, srcH, sx, sy, rop, useAlpha, opacity);
}

void BitBltAlphaFromMem(HDC dst, int x, int y, int w, int h, const void* pixels, int pw, int ph,
                        int sx, int sy, DWORD, bool useAlpha, float opacity) {
  if (!(opacity >= 0.0001f) || w <= 0 || h <= 0 || !pixels || pw == 0 || ph == 0 || !dst ||
      !dst->ctx)
    return;
  // The visible part: what of the source lies inside both it and the rectangle.
  const long long apw = std::llabs(static_cast<long long>(pw));
  const long long cols = apw < static_cast<long long>(w) + sx
                             ? apw - std::max(sx, 0)
                             : static_cast<long long>(w) + std::min(sx, 0);
  const long long rows = ph < static_cast<long long>(h) + sy
                             ? static_cast<long long>(ph) - std::max(sy, 0)
                             : static_cast<long long>(h) + std::min(sy, 0);
  if (cols < 1 || rows < 1) return;
  uint8_t* buf = static_cast<uint8_t*>(malloc(static_cast<size_t>(cols) * rows * 4));
  if (!buf) return;
  const int a = useAlpha ? std::min(256, std::max(0, static_cast<int>(opacity * 256 + 0.5f)))
                         : std::min(255, std::max(0, static_cast<int>(opacity * 255 + 0.5f)));
  const long long col0 = std::max(sx, 0), row0 = std::max(sy, 0);
  const uint8_t* base = static_cast<const uint8_t*>(pixels);
  uint8_t* out = buf;
  for (long long j = 0; j < rows; ++j) {
    const long long srcRow = row0 + j;
    const long long memRow = pw < 0 ? ph - 1 - srcRow : srcRow;
    const uint8_t* s = base + (static_cast<size_t>(memRow) * apw + col0) * 4;
    for (long long i = 0; i < cols; ++i, s += 4, out += 4) {
      // Premultiplied: every product shifted right by 8.
      unsigned alpha, m;
      if (useAlpha) {
        m = a == 256 ? s[0] : (a * s[0]) >> 8;
        alpha = m;
      } else {
        m = alpha = a;
      }
      out[0] = static_cast<uint8_t>(alpha);
      if (!useAlpha && a == 255) {
        out[1] = s[1], out[2] = s[2], out[3] = s[3];
      } else {
        out[1] = static_cast<uint8_t>((s[1] * m) >> 8);
        out[2] = static_cast<uint8_t>((s[2] * m) >> 8);
        out[3] = static_cast<uint8_t>((s[3] * m) >> 8);
      }
    }
  }
  const double dx = sx < 0 ? static_cast<double>(x) - sx : x;
  const double dy = sy < 0 ? static_cast<double>(y) - sy : y;
  DrawPixels(dst, buf, 4 * static_cast<size_t>(cols), static_cast<int>(cols),
             static_cast<int>(rows), kCGImageAlphaPremultipliedFirst,
             CGRectMake(dx, dy, cols, rows), false);
  free(buf);
}
