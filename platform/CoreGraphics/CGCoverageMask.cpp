// Coverage masks (rendered glyphs) composited into a context's pixels inside its clip.
#include "CGCoverageBlend.h"
#include "CGInternal.h"
#include "CGPrivate.h"

#include <algorithm>
#include <cmath>
#include <cstring>

CGAffineTransform CGContextGetUserToPixelTransform(CGContextRef c) {
  if (!c) return CGAffineTransformIdentity;
  const agg::trans_affine m = c->userToPixel();
  return CGAffineTransformMake(m.sx, m.shy, m.shx, m.sy, m.tx, m.ty);
}

void CGContextFillCoverageMask(CGContextRef c, const uint8_t* mask, int pitch, int w, int h, int x,
                               int y, const CGFloat rgba[4]) {
  if (!c || !c->target || !mask || !rgba || w <= 0 || h <= 0) return;
  const CGGState& g = c->gs;
  // Whole pixels whose centres lie inside the clip (which never exceeds the bitmap).
  const double cx1 = std::ceil(g.clipX1 - 0.5), cx2 = std::floor(g.clipX2 - 0.5) + 1;
  const double cy1 = std::ceil(g.clipY1 - 0.5), cy2 = std::floor(g.clipY2 - 0.5) + 1;
  const double x1 = std::max<double>(x, cx1), x2 = std::min<double>(double(x) + w, cx2);
  const double y1 = std::max<double>(y, cy1), y2 = std::min<double>(double(y) + h, cy2);
  if (x2 <= x1 || y2 <= y1) return;
  agg::rgba8 colour(agg::rgba(rgba[0], rgba[1], rgba[2], rgba[3] * g.alpha));
  colour.premultiply();
  if (colour.a == 0) return;
  // The products of this colour with every cover value, tabled once per colour and layout
  // (a label's glyphs all share one).
  const CGPixelLayout& l = c->layout;
  uint8_t src[4];
  src[l.r] = colour.r;
  src[l.g] = colour.g;
  src[l.b] = colour.b;
  src[l.a] = colour.a;
  const bool opaque = l.alpha == kCGAlphaKindSkip;
  thread_local CGCoverageTable table;
  thread_local bool filled = false;
  if (!filled || table.alphaIndex != l.a || table.opaque != opaque ||
      memcmp(table.src, src, 4) != 0) {
    CGCoverageTableFill(&table, src, l.a, opaque);
    filled = true;
  }
  const int ix1 = static_cast<int>(x1), ix2 = static_cast<int>(x2);
  for (int py = static_cast<int>(y1); py < static_cast<int>(y2); ++py) {
    const uint8_t* covers = mask + static_cast<size_t>(py - y) * pitch + (ix1 - x);
    CGBlendCoverageRow(c->data + static_cast<size_t>(py) * c->bytesPerRow + 4 * ix1, covers,
                       ix2 - ix1, table);
  }
}
