// Painting: fill and stroke of paths and shapes, clearing and image drawing, all through
// the context's scan-line rasteriser.
#include "CGInternal.h"

#include <cmath>
#include <utility>

static bool ClipIsEmpty(const CGGState& g) { return g.clipX2 <= g.clipX1 || g.clipY2 <= g.clipY1; }

// Rasteriser ready for one shape: emptied, clipped, with the fill rule and anti-aliasing.
static void PrepareRasterizer(CGContext* c, bool evenOdd) {
  const CGGState& g = c->gs;
  c->ras.reset();
  c->ras.clip_box(g.clipX1, g.clipY1, g.clipX2, g.clipY2);
  c->ras.filling_rule(evenOdd ? agg::fill_even_odd : agg::fill_non_zero);
  if (g.antialias)
    c->ras.gamma(agg::gamma_none());
  else
    c->ras.gamma(agg::gamma_threshold(0.5));
}

static agg::rgba8 Premultiplied(const CGFloat* rgba, CGFloat alpha) {
  agg::rgba8 c(agg::rgba(rgba[0], rgba[1], rgba[2], rgba[3] * alpha));
  c.premultiply();
  return c;
}

void CGPaintFill(CGContext* c, agg::path_storage& p, bool evenOdd) {
  if (!c->target || ClipIsEmpty(c->gs)) return;
  PrepareRasterizer(c, evenOdd);
  c->curve.attach(p);
  c->ras.add_path(c->curve);
  c->curve.attach(c->path);
  c->target->fillSolid(c->ras, c->sl, Premultiplied(c->gs.fill, c->gs.alpha));
}

void CGPaintStroke(CGContext* c, agg::path_storage& p) {
  if (!c->target || ClipIsEmpty(c->gs)) return;
  const CGGState& g = c->gs;
  // Strokes are widened in user space, so the CTM scales the line width as it scales shapes.
  c->toPixel = c->userToPixel();
  const double det = std::fabs(c->toPixel.determinant());
  if (!(det > 1e-12) || !std::isfinite(det)) return;
  c->toUser = c->toPixel;
  c->toUser.invert();
  const double scale = std::sqrt(det);
  // Width 0 is the thinnest visible line: one pixel.
  c->stroker.width(g.lineWidth > 0 ? g.lineWidth : 1.0 / scale);
  c->stroker.line_cap(g.cap == kCGLineCapRound    ? agg::round_cap
                      : g.cap == kCGLineCapSquare ? agg::square_cap
                                                  : agg::butt_cap);
  c->stroker.line_join(g.join == kCGLineJoinRound   ? agg::round_join
                       : g.join == kCGLineJoinBevel ? agg::bevel_join
                                                    : agg::miter_join);
  c->stroker.miter_limit(g.miterLimit);
  c->stroker.approximation_scale(scale);
  PrepareRasterizer(c, false);
  c->curve.attach(p);
  c->ras.add_path(c->strokeToPixel);
  c->curve.attach(c->path);
  c->target->fillSolid(c->ras, c->sl, Premultiplied(g.stroke, g.alpha));
}

void CGContextDrawPath(CGContextRef c, CGPathDrawingMode mode) {
  if (!c) return;
  switch (mode) {
    case kCGPathFill:
      CGPaintFill(c, c->path, false);
      break;
    case kCGPathEOFill:
      CGPaintFill(c, c->path, true);
      break;
    case kCGPathStroke:
      CGPaintStroke(c, c->path);
      break;
    case kCGPathFillStroke:
      CGPaintFill(c, c->path, false);
      CGPaintStroke(c, c->path);
      break;
    case kCGPathEOFillStroke:
      CGPaintFill(c, c->path, true);
      CGPaintStroke(c, c->path);
      break;
  }
  CGContextBeginPath(c);
}

void CGContextFillPath(CGContextRef c) { CGContextDrawPath(c, kCGPathFill); }
void CGContextEOFillPath(CGContextRef c) { CGContextDrawPath(c, kCGPathEOFill); }
void CGContextStrokePath(CGContextRef c) { CGContextDrawPath(c, kCGPathStroke); }

static bool IsWhole(double v) { return std::fabs(v - std::nearbyint(v)) < 1e-9; }

// A rectangle whose pixel-space edges and clip fall on whole pixels covers each pixel fully
// or not at all, so it is filled span by span without the rasteriser; the pixels are the
// ones the rasteriser would give. False when the shape needs the general path.
static bool FillPixelAlignedRect(CGContext* c, CGRect rect) {
  const agg::trans_affine m = c->userToPixel();
  if (m.shx != 0 || m.shy != 0) return false;
  rect = CGRectStandardize(rect);
  double x1 = rect.origin.x, y1 = rect.origin.y;
  double x2 = x1 + rect.size.width, y2 = y1 + rect.size.height;
  m.transform(&x1, &y1);
  m.transform(&x2, &y2);
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
    return false;
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  const CGGState& g = c->gs;
  if (!IsWhole(g.clipX1) || !IsWhole(g.clipY1) || !IsWhole(g.clipX2) || !IsWhole(g.clipY2))
    return false;
  x1 = std::fmax(x1, g.clipX1);
  y1 = std::fmax(y1, g.clipY1);
  x2 = std::fmin(x2, g.clipX2);
  y2 = std::fmin(y2, g.clipY2);
  if (x2 <= x1 || y2 <= y1) return true;  // nothing visible
  if (!IsWhole(x1) || !IsWhole(y1) || !IsWhole(x2) || !IsWhole(y2)) return false;
  const agg::rgba8 colour = Premultiplied(g.fill, g.alpha);
  if (colour.a == 0) return true;
  c->target->fillRect(static_cast<int>(std::nearbyint(x1)), static_cast<int>(std::nearbyint(y1)),
                      static_cast<int>(std::nearbyint(x2)), static_cast<int>(std::nearbyint(y2)),
                      colour);
  return true;
}

void CGContextFillRect(CGContextRef c, CGRect rect) {
  if (!c) return;
  if (c->target && !ClipIsEmpty(c->gs) && FillPixelAlignedRect(c, rect)) return;
  c->scratch.remove_all();
  if (CGAppendRect(c->userToPixel(), c->scratch, rect)) CGPaintFill(c, c->scratch, false);
}

void CGContextStrokeRect(CGContextRef c, CGRect rect) {
  if (!c) return;
  c->scratch.remove_all();
  if (CGAppendRect(c->userToPixel(), c->scratch, rect)) CGPaintStroke(c, c->scratch);
}

void CGContextStrokeRectWithWidth(CGContextRef c, CGRect rect, CGFloat width) {
  if (!c) return;
  const CGFloat old = c->gs.lineWidth;
  CGContextSetLineWidth(c, width);
  CGContextStrokeRect(c, rect);
  c->gs.lineWidth = old;
}

void CGContextFillEllipseInRect(CGContextRef c, CGRect rect) {
  if (!c) return;
  c->scratch.remove_all();
  if (CGAppendEllipse(c->userToPixel(), c->scratch, rect)) CGPaintFill(c, c->scratch, false);
}

void CGContextStrokeEllipseInRect(CGContextRef c, CGRect rect) {
  if (!c) return;
  c->scratch.remove_all();
  if (CGAppendEllipse(c->userToPixel(), c->scratch, rect)) CGPaintStroke(c, c->scratch);
}

void CGContextStrokeLineSegments(CGContextRef c, const CGPoint* points, size_t count) {
  if (!c || !points) return;
  const agg::trans_affine m = c->userToPixel();
  c->scratch.remove_all();
  for (size_t i = 0; i + 1 < count; i += 2) {
    double x1 = points[i].x, y1 = points[i].y, x2 = points[i + 1].x, y2 = points[i + 1].y;
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
      continue;
    m.transform(&x1, &y1);
    m.transform(&x2, &y2);
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
      continue;
    c->scratch.move_to(x1, y1);
    c->scratch.line_to(x2, y2);
  }
  CGPaintStroke(c, c->scratch);
}

void CGContextClearRect(CGContextRef c, CGRect rect) {
  if (!c || !c->target || ClipIsEmpty(c->gs)) return;
  c->scratch.remove_all();
  if (!CGAppendRect(c->userToPixel(), c->scratch, rect)) return;
  PrepareRasterizer(c, false);
  c->ras.add_path(c->scratch);
  c->target->clear(c->ras, c->sl);
}

void CGContextDrawImage(CGContextRef c, CGRect rect, CGImageRef image) {
  if (!c || !image || !c->target || ClipIsEmpty(c->gs) || image->width == 0 || image->height == 0)
    return;
  rect = CGRectStandardize(rect);
  if (CGRectIsEmpty(rect) || !std::isfinite(rect.origin.x) || !std::isfinite(rect.origin.y) ||
      !std::isfinite(rect.size.width) || !std::isfinite(rect.size.height))
    return;
  const agg::trans_affine userToPixel = c->userToPixel();
  // Image pixels (x right, y down from the top row) to user space: the top row lies at the
  // rectangle's maximum y.
  agg::trans_affine imageToPixel(rect.size.width / static_cast<double>(image->width), 0, 0,
                                 -rect.size.height / static_cast<double>(image->height),
                                 rect.origin.x, rect.origin.y + rect.size.height);
  imageToPixel *= userToPixel;
  const double det = imageToPixel.determinant();
  if (!(std::fabs(det) > 1e-12) || !std::isfinite(det)) return;
  agg::trans_affine pixelToImage = imageToPixel;
  pixelToImage.invert();
  c->scratch.remove_all();
  if (!CGAppendRect(userToPixel, c->scratch, rect)) return;
  PrepareRasterizer(c, false);
  c->ras.add_path(c->scratch);
  c->target->fillImage(c->ras, c->sl, *image, pixelToImage, c->gs.alpha,
                       c->gs.interpolation == kCGInterpolationNone);
}
