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
  const int ix1 = static_cast<int>(x1), ix2 = static_cast<int>(x2);
  for (int py = static_cast<int>(y1); py < static_cast<int>(y2); ++py) {
    const uint8_t* covers = mask + static_cast<size_t>(py - y) * pitch + (ix1 - x);
    c->target->fillCoverageSpan(ix1, py, ix2 - ix1, covers, colour);
  }
}
