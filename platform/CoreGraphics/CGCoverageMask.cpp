// Coverage masks (rendered glyphs) composited into a context's pixels inside its clip.
#include "CGInternal.h"
#include "CGPrivate.h"

#include <algorithm>
#include <cmath>

CGAffineTransform CGContextGetUserToPixelTransform(CGContextRef c) {
  if (!c) return CGAffineTransformIdentity;
  const agg::trans_affine m = c->userToPixel();
  return CGAffineTransformMake(m.sx, m.shy, m.shx, m.sy, m.tx, m.ty);
}

bool CGContextMakeCoveragePainter(CGContextRef c, const CGFloat rgba[4], CGCoveragePainter* out) {
  if (!c || !c->target || !rgba || !out) return false;
  const CGGState& g = c->gs;
  // Whole pixels whose centres lie inside the clip (which never exceeds the bitmap).
  const double x1 = std::ceil(g.clipX1 - 0.5), x2 = std::floor(g.clipX2 - 0.5) + 1;
  const double y1 = std::ceil(g.clipY1 - 0.5), y2 = std::floor(g.clipY2 - 0.5) + 1;
  if (!(x2 > x1 && y2 > y1)) return false;
  agg::rgba8 colour(agg::rgba(rgba[0], rgba[1], rgba[2], rgba[3] * g.alpha));
  colour.premultiply();
  if (colour.a == 0) return false;
  const CGPixelLayout& l = c->layout;
  CGCoveragePainter& p = *out;
  p.data = c->data;
  p.bytesPerRow = c->bytesPerRow;
  p.x1 = static_cast<int>(x1);
  p.x2 = static_cast<int>(x2);
  p.y1 = static_cast<int>(y1);
  p.y2 = static_cast<int>(y2);
  p.colour.src[l.r] = colour.r;
  p.colour.src[l.g] = colour.g;
  p.colour.src[l.b] = colour.b;
  p.colour.src[l.a] = colour.a;
  p.colour.alphaIndex = l.a;
  p.colour.opaqueLayout = l.alpha == kCGAlphaKindSkip;
  p.blend = CGCoverageBestKernel();
  return true;
}

void CGCoveragePaint(const CGCoveragePainter& p, const uint8_t* mask, int pitch, int w, int h,
                     int x, int y) {
  if (!mask || w <= 0 || h <= 0) return;
  // In 64 bits: a mask far out may reach past the range of int.
  const long long x1 = std::max<long long>(x, p.x1), x2 = std::min(0LL + x + w, 0LL + p.x2);
  const long long y1 = std::max<long long>(y, p.y1), y2 = std::min(0LL + y + h, 0LL + p.y2);
  if (x2 <= x1 || y2 <= y1) return;
  const uint8_t* covers = mask + (y1 - y) * pitch + (x1 - x);
  p.blend(p.data + static_cast<size_t>(y1) * p.bytesPerRow + 4 * x1, p.bytesPerRow, covers, pitch,
          static_cast<int>(x2 - x1), static_cast<int>(y2 - y1), p.colour);
}

void CGContextFillCoverageMask(CGContextRef c, const uint8_t* mask, int pitch, int w, int h, int x,
                               int y, const CGFloat rgba[4]) {
  CGCoveragePainter p;
  if (CGContextMakeCoveragePainter(c, rgba, &p)) CGCoveragePaint(p, mask, pitch, w, h, x, y);
}
