// Context lifetime, graphics state, CTM, clip and the current path.
#include "CGInternal.h"

#include <cmath>

CGContext::CGContext()
    : curve(path),
      curveToUser(curve, toUser),
      stroker(curveToUser),
      strokeToPixel(stroker, toPixel) {}

CGContext::~CGContext() {
  if (ownsData) delete[] data;
  CGColorSpaceRelease(space);
}

agg::trans_affine CGContext::userToPixel() const {
  // The CTM maps user space to base space (origin bottom-left, y up); pixel rows count down
  // from the top.
  const CGAffineTransform& m = gs.ctm;
  agg::trans_affine t(m.a, m.b, m.c, m.d, m.tx, m.ty);
  t *= agg::trans_affine(1, 0, 0, -1, 0, static_cast<double>(height));
  return t;
}

CGContextRef CGContextRetain(CGContextRef c) {
  if (c) c->refs.fetch_add(1, std::memory_order_relaxed);
  return c;
}

void CGContextRelease(CGContextRef c) {
  if (c && c->refs.fetch_sub(1, std::memory_order_acq_rel) == 1) delete c;
}

// Drawing goes straight to memory; there is nothing to flush.
void CGContextFlush(CGContextRef) {}
void CGContextSynchronize(CGContextRef) {}

void CGContextSaveGState(CGContextRef c) {
  if (c) c->saved.push_back(c->gs);
}

void CGContextRestoreGState(CGContextRef c) {
  if (!c || c->saved.empty()) return;
  c->gs = c->saved.back();
  c->saved.pop_back();
}

static bool Finite(CGFloat a, CGFloat b) { return std::isfinite(a) && std::isfinite(b); }

void CGContextConcatCTM(CGContextRef c, CGAffineTransform t) {
  if (!c || !Finite(t.a, t.b) || !Finite(t.c, t.d) || !Finite(t.tx, t.ty)) return;
  c->gs.ctm = CGAffineTransformConcat(t, c->gs.ctm);
}
void CGContextTranslateCTM(CGContextRef c, CGFloat tx, CGFloat ty) {
  CGContextConcatCTM(c, CGAffineTransformMakeTranslation(tx, ty));
}
void CGContextScaleCTM(CGContextRef c, CGFloat sx, CGFloat sy) {
  CGContextConcatCTM(c, CGAffineTransformMakeScale(sx, sy));
}
void CGContextRotateCTM(CGContextRef c, CGFloat angle) {
  CGContextConcatCTM(c, CGAffineTransformMakeRotation(angle));
}
CGAffineTransform CGContextGetCTM(CGContextRef c) {
  return c ? c->gs.ctm : CGAffineTransformIdentity;
}

void CGContextClipToRect(CGContextRef c, CGRect rect) {
  if (!c) return;
  rect = CGRectStandardize(rect);
  if (!Finite(rect.origin.x, rect.origin.y) || !Finite(rect.size.width, rect.size.height)) return;
  const agg::trans_affine m = c->userToPixel();
  double xs[4] = {rect.origin.x, rect.origin.x + rect.size.width, rect.origin.x,
                  rect.origin.x + rect.size.width};
  double ys[4] = {rect.origin.y, rect.origin.y, rect.origin.y + rect.size.height,
                  rect.origin.y + rect.size.height};
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  for (int i = 0; i < 4; ++i) {
    m.transform(&xs[i], &ys[i]);
    if (i == 0 || xs[i] < x1) x1 = xs[i];
    if (i == 0 || xs[i] > x2) x2 = xs[i];
    if (i == 0 || ys[i] < y1) y1 = ys[i];
    if (i == 0 || ys[i] > y2) y2 = ys[i];
  }
  CGGState& g = c->gs;
  g.clipX1 = std::fmax(g.clipX1, x1);
  g.clipY1 = std::fmax(g.clipY1, y1);
  g.clipX2 = std::fmin(g.clipX2, x2);
  g.clipY2 = std::fmin(g.clipY2, y2);
  // An empty clip stays empty.
  if (g.clipX2 < g.clipX1) g.clipX2 = g.clipX1;
  if (g.clipY2 < g.clipY1) g.clipY2 = g.clipY1;
}

CGRect CGContextGetClipBoundingBox(CGContextRef c) {
  if (!c) return CGRectNull;
  const CGGState& g = c->gs;
  if (g.clipX2 <= g.clipX1 || g.clipY2 <= g.clipY1) return CGRectNull;
  agg::trans_affine inv = c->userToPixel();
  inv.invert();
  double xs[4] = {g.clipX1, g.clipX2, g.clipX1, g.clipX2};
  double ys[4] = {g.clipY1, g.clipY1, g.clipY2, g.clipY2};
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  for (int i = 0; i < 4; ++i) {
    inv.transform(&xs[i], &ys[i]);
    if (i == 0 || xs[i] < x1) x1 = xs[i];
    if (i == 0 || xs[i] > x2) x2 = xs[i];
    if (i == 0 || ys[i] < y1) y1 = ys[i];
    if (i == 0 || ys[i] > y2) y2 = ys[i];
  }
  return CGRectMake(x1, y1, x2 - x1, y2 - y1);
}

void CGContextSetLineWidth(CGContextRef c, CGFloat width) {
  if (c && std::isfinite(width) && width >= 0) c->gs.lineWidth = width;
}
void CGContextSetLineCap(CGContextRef c, CGLineCap cap) {
  if (c && cap >= kCGLineCapButt && cap <= kCGLineCapSquare) c->gs.cap = cap;
}
void CGContextSetLineJoin(CGContextRef c, CGLineJoin join) {
  if (c && join >= kCGLineJoinMiter && join <= kCGLineJoinBevel) c->gs.join = join;
}
void CGContextSetMiterLimit(CGContextRef c, CGFloat limit) {
  if (c && std::isfinite(limit)) c->gs.miterLimit = limit;
}

static void SetRGBA(CGFloat* dst, CGFloat r, CGFloat g, CGFloat b, CGFloat a) {
  const CGFloat in[4] = {r, g, b, a};
  for (int i = 0; i < 4; ++i) dst[i] = in[i] > 0 ? (in[i] < 1 ? in[i] : 1) : 0;
}
void CGContextSetRGBFillColor(CGContextRef c, CGFloat r, CGFloat g, CGFloat b, CGFloat a) {
  if (c) SetRGBA(c->gs.fill, r, g, b, a);
}
void CGContextSetRGBStrokeColor(CGContextRef c, CGFloat r, CGFloat g, CGFloat b, CGFloat a) {
  if (c) SetRGBA(c->gs.stroke, r, g, b, a);
}
void CGContextSetGrayFillColor(CGContextRef c, CGFloat gray, CGFloat a) {
  CGContextSetRGBFillColor(c, gray, gray, gray, a);
}
void CGContextSetGrayStrokeColor(CGContextRef c, CGFloat gray, CGFloat a) {
  CGContextSetRGBStrokeColor(c, gray, gray, gray, a);
}
void CGContextSetFillColorWithColor(CGContextRef c, CGColorRef color) {
  if (c && color)
    SetRGBA(c->gs.fill, color->comps[0], color->comps[1], color->comps[2], color->comps[3]);
}
void CGContextSetStrokeColorWithColor(CGContextRef c, CGColorRef color) {
  if (c && color)
    SetRGBA(c->gs.stroke, color->comps[0], color->comps[1], color->comps[2], color->comps[3]);
}
void CGContextSetAlpha(CGContextRef c, CGFloat alpha) {
  if (c) c->gs.alpha = alpha > 0 ? (alpha < 1 ? alpha : 1) : 0;
}
void CGContextSetShouldAntialias(CGContextRef c, bool shouldAntialias) {
  if (c) c->gs.antialias = shouldAntialias;
}
void CGContextSetInterpolationQuality(CGContextRef c, CGInterpolationQuality quality) {
  if (c) c->gs.interpolation = quality;
}
CGInterpolationQuality CGContextGetInterpolationQuality(CGContextRef c) {
  return c ? c->gs.interpolation : kCGInterpolationDefault;
}

// --- the current path ---

void CGContextBeginPath(CGContextRef c) {
  if (!c) return;
  c->path.remove_all();
  c->hasCurrent = false;
}

void CGContextMoveToPoint(CGContextRef c, CGFloat x, CGFloat y) {
  if (!c || !Finite(x, y)) return;
  c->userToPixel().transform(&x, &y);
  if (!Finite(x, y)) return;
  c->path.move_to(x, y);
  c->hasCurrent = true;
  c->curX = c->startX = x;
  c->curY = c->startY = y;
}

void CGContextAddLineToPoint(CGContextRef c, CGFloat x, CGFloat y) {
  if (!c || !c->hasCurrent || !Finite(x, y)) return;
  c->userToPixel().transform(&x, &y);
  if (!Finite(x, y)) return;
  c->path.line_to(x, y);
  c->curX = x;
  c->curY = y;
}

void CGContextAddCurveToPoint(CGContextRef c, CGFloat cp1x, CGFloat cp1y, CGFloat cp2x,
                              CGFloat cp2y, CGFloat x, CGFloat y) {
  if (!c || !c->hasCurrent || !Finite(cp1x, cp1y) || !Finite(cp2x, cp2y) || !Finite(x, y)) return;
  const agg::trans_affine m = c->userToPixel();
  m.transform(&cp1x, &cp1y);
  m.transform(&cp2x, &cp2y);
  m.transform(&x, &y);
  if (!Finite(cp1x, cp1y) || !Finite(cp2x, cp2y) || !Finite(x, y)) return;
  c->path.curve4(cp1x, cp1y, cp2x, cp2y, x, y);
  c->curX = x;
  c->curY = y;
}

void CGContextAddQuadCurveToPoint(CGContextRef c, CGFloat cpx, CGFloat cpy, CGFloat x, CGFloat y) {
  if (!c || !c->hasCurrent || !Finite(cpx, cpy) || !Finite(x, y)) return;
  const agg::trans_affine m = c->userToPixel();
  m.transform(&cpx, &cpy);
  m.transform(&x, &y);
  if (!Finite(cpx, cpy) || !Finite(x, y)) return;
  c->path.curve3(cpx, cpy, x, y);
  c->curX = x;
  c->curY = y;
}

void CGContextClosePath(CGContextRef c) {
  if (!c || !c->hasCurrent) return;
  c->path.close_polygon();
  c->curX = c->startX;
  c->curY = c->startY;
}

void CGContextAddLines(CGContextRef c, const CGPoint* points, size_t count) {
  if (!c || !points || count == 0) return;
  CGContextMoveToPoint(c, points[0].x, points[0].y);
  for (size_t i = 1; i < count; ++i) CGContextAddLineToPoint(c, points[i].x, points[i].y);
}

bool CGAppendRect(const agg::trans_affine& m, agg::path_storage& p, CGRect r) {
  r = CGRectStandardize(r);
  double xs[4] = {r.origin.x, r.origin.x + r.size.width, r.origin.x + r.size.width, r.origin.x};
  double ys[4] = {r.origin.y, r.origin.y, r.origin.y + r.size.height, r.origin.y + r.size.height};
  for (int i = 0; i < 4; ++i) {
    m.transform(&xs[i], &ys[i]);
    if (!Finite(xs[i], ys[i])) return false;
  }
  p.move_to(xs[0], ys[0]);
  for (int i = 1; i < 4; ++i) p.line_to(xs[i], ys[i]);
  p.close_polygon();
  return true;
}

bool CGAppendEllipse(const agg::trans_affine& m, agg::path_storage& p, CGRect r) {
  r = CGRectStandardize(r);
  // Control point distance of a cubic quarter circle.
  const double k = 0.5522847498307936;
  const double cx = r.origin.x + r.size.width / 2, cy = r.origin.y + r.size.height / 2;
  const double rx = r.size.width / 2, ry = r.size.height / 2;
  double pts[13][2] = {{cx + rx, cy}, {cx + rx, cy + ry * k}, {cx + rx * k, cy + ry},
                       {cx, cy + ry}, {cx - rx * k, cy + ry}, {cx - rx, cy + ry * k},
                       {cx - rx, cy}, {cx - rx, cy - ry * k}, {cx - rx * k, cy - ry},
                       {cx, cy - ry}, {cx + rx * k, cy - ry}, {cx + rx, cy - ry * k},
                       {cx + rx, cy}};
  for (auto& pt : pts) {
    m.transform(&pt[0], &pt[1]);
    if (!Finite(pt[0], pt[1])) return false;
  }
  p.move_to(pts[0][0], pts[0][1]);
  for (int i = 1; i < 13; i += 3)
    p.curve4(pts[i][0], pts[i][1], pts[i + 1][0], pts[i + 1][1], pts[i + 2][0], pts[i + 2][1]);
  p.close_polygon();
  return true;
}

// A closed shape starts a new subpath; the current point becomes its start.
static void StartClosedShape(CGContext* c, double x, double y) {
  c->userToPixel().transform(&x, &y);
  c->hasCurrent = true;
  c->curX = c->startX = x;
  c->curY = c->startY = y;
}

void CGContextAddRect(CGContextRef c, CGRect rect) {
  if (!c || !CGAppendRect(c->userToPixel(), c->path, rect)) return;
  rect = CGRectStandardize(rect);
  StartClosedShape(c, rect.origin.x, rect.origin.y);
}

void CGContextAddEllipseInRect(CGContextRef c, CGRect rect) {
  if (!c || !CGAppendEllipse(c->userToPixel(), c->path, rect)) return;
  rect = CGRectStandardize(rect);
  StartClosedShape(c, rect.origin.x + rect.size.width, rect.origin.y + rect.size.height / 2);
}

bool CGContextIsPathEmpty(CGContextRef c) { return !c || c->path.total_vertices() == 0; }

CGPoint CGContextGetPathCurrentPoint(CGContextRef c) {
  if (!c || !c->hasCurrent) return CGPointZero;
  agg::trans_affine inv = c->userToPixel();
  inv.invert();
  double x = c->curX, y = c->curY;
  inv.transform(&x, &y);
  return CGPointMake(x, y);
}
