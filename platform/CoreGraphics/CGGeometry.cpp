// Points, sizes, rectangles and affine transforms.
#include <CoreGraphics/CGAffineTransform.h>

#include <cmath>
#include <limits>

const CGPoint CGPointZero = {0, 0};
const CGSize CGSizeZero = {0, 0};
const CGRect CGRectZero = {{0, 0}, {0, 0}};
const CGRect CGRectNull = {
    {std::numeric_limits<CGFloat>::infinity(), std::numeric_limits<CGFloat>::infinity()}, {0, 0}};
const CGAffineTransform CGAffineTransformIdentity = {1, 0, 0, 1, 0, 0};

CGPoint CGPointMake(CGFloat x, CGFloat y) { return CGPoint{x, y}; }
CGSize CGSizeMake(CGFloat w, CGFloat h) { return CGSize{w, h}; }
CGRect CGRectMake(CGFloat x, CGFloat y, CGFloat w, CGFloat h) { return CGRect{{x, y}, {w, h}}; }

CGRect CGRectStandardize(CGRect r) {
  if (r.size.width < 0) {
    r.origin.x += r.size.width;
    r.size.width = -r.size.width;
  }
  if (r.size.height < 0) {
    r.origin.y += r.size.height;
    r.size.height = -r.size.height;
  }
  return r;
}

CGFloat CGRectGetMinX(CGRect r) { return CGRectStandardize(r).origin.x; }
CGFloat CGRectGetMinY(CGRect r) { return CGRectStandardize(r).origin.y; }
CGFloat CGRectGetMaxX(CGRect r) {
  r = CGRectStandardize(r);
  return r.origin.x + r.size.width;
}
CGFloat CGRectGetMaxY(CGRect r) {
  r = CGRectStandardize(r);
  return r.origin.y + r.size.height;
}
CGFloat CGRectGetMidX(CGRect r) {
  r = CGRectStandardize(r);
  return r.origin.x + r.size.width / 2;
}
CGFloat CGRectGetMidY(CGRect r) {
  r = CGRectStandardize(r);
  return r.origin.y + r.size.height / 2;
}
CGFloat CGRectGetWidth(CGRect r) { return std::fabs(r.size.width); }
CGFloat CGRectGetHeight(CGRect r) { return std::fabs(r.size.height); }

bool CGRectIsNull(CGRect r) { return std::isinf(r.origin.x) || std::isinf(r.origin.y); }
bool CGRectIsEmpty(CGRect r) { return CGRectIsNull(r) || r.size.width == 0 || r.size.height == 0; }
bool CGPointEqualToPoint(CGPoint a, CGPoint b) { return a.x == b.x && a.y == b.y; }
bool CGRectEqualToRect(CGRect a, CGRect b) {
  if (CGRectIsNull(a) || CGRectIsNull(b)) return CGRectIsNull(a) && CGRectIsNull(b);
  a = CGRectStandardize(a);
  b = CGRectStandardize(b);
  return CGPointEqualToPoint(a.origin, b.origin) && a.size.width == b.size.width &&
         a.size.height == b.size.height;
}

CGRect CGRectIntersection(CGRect a, CGRect b) {
  if (CGRectIsNull(a) || CGRectIsNull(b)) return CGRectNull;
  a = CGRectStandardize(a);
  b = CGRectStandardize(b);
  CGFloat x1 = std::fmax(a.origin.x, b.origin.x);
  CGFloat y1 = std::fmax(a.origin.y, b.origin.y);
  CGFloat x2 = std::fmin(a.origin.x + a.size.width, b.origin.x + b.size.width);
  CGFloat y2 = std::fmin(a.origin.y + a.size.height, b.origin.y + b.size.height);
  if (x2 < x1 || y2 < y1) return CGRectNull;
  return CGRectMake(x1, y1, x2 - x1, y2 - y1);
}

CGRect CGRectUnion(CGRect a, CGRect b) {
  if (CGRectIsNull(a)) return b;
  if (CGRectIsNull(b)) return a;
  a = CGRectStandardize(a);
  b = CGRectStandardize(b);
  CGFloat x1 = std::fmin(a.origin.x, b.origin.x);
  CGFloat y1 = std::fmin(a.origin.y, b.origin.y);
  CGFloat x2 = std::fmax(a.origin.x + a.size.width, b.origin.x + b.size.width);
  CGFloat y2 = std::fmax(a.origin.y + a.size.height, b.origin.y + b.size.height);
  return CGRectMake(x1, y1, x2 - x1, y2 - y1);
}

CGRect CGRectOffset(CGRect r, CGFloat dx, CGFloat dy) {
  if (CGRectIsNull(r)) return r;
  r.origin.x += dx;
  r.origin.y += dy;
  return r;
}

CGRect CGRectIntegral(CGRect r) {
  if (CGRectIsNull(r)) return r;
  r = CGRectStandardize(r);
  const CGFloat x0 = std::floor(r.origin.x), y0 = std::floor(r.origin.y);
  const CGFloat x1 = std::ceil(r.origin.x + r.size.width),
                y1 = std::ceil(r.origin.y + r.size.height);
  return CGRectMake(x0, y0, x1 - x0, y1 - y0);
}

CGRect CGRectInset(CGRect r, CGFloat dx, CGFloat dy) {
  if (CGRectIsNull(r)) return r;
  r = CGRectStandardize(r);
  r.origin.x += dx;
  r.origin.y += dy;
  r.size.width -= 2 * dx;
  r.size.height -= 2 * dy;
  if (r.size.width < 0 || r.size.height < 0) return CGRectNull;
  return r;
}

bool CGRectContainsPoint(CGRect r, CGPoint p) {
  if (CGRectIsNull(r)) return false;
  r = CGRectStandardize(r);
  return p.x >= r.origin.x && p.x < r.origin.x + r.size.width && p.y >= r.origin.y &&
         p.y < r.origin.y + r.size.height;
}

CGAffineTransform CGAffineTransformMake(CGFloat a, CGFloat b, CGFloat c, CGFloat d, CGFloat tx,
                                        CGFloat ty) {
  return CGAffineTransform{a, b, c, d, tx, ty};
}
CGAffineTransform CGAffineTransformMakeTranslation(CGFloat tx, CGFloat ty) {
  return CGAffineTransform{1, 0, 0, 1, tx, ty};
}
CGAffineTransform CGAffineTransformMakeScale(CGFloat sx, CGFloat sy) {
  return CGAffineTransform{sx, 0, 0, sy, 0, 0};
}
CGAffineTransform CGAffineTransformMakeRotation(CGFloat angle) {
  CGFloat s = std::sin(angle), c = std::cos(angle);
  return CGAffineTransform{c, s, -s, c, 0, 0};
}
bool CGAffineTransformEqualToTransform(CGAffineTransform t1, CGAffineTransform t2) {
  return t1.a == t2.a && t1.b == t2.b && t1.c == t2.c && t1.d == t2.d && t1.tx == t2.tx &&
         t1.ty == t2.ty;
}
bool CGAffineTransformIsIdentity(CGAffineTransform t) {
  return CGAffineTransformEqualToTransform(t, CGAffineTransformIdentity);
}

CGAffineTransform CGAffineTransformConcat(CGAffineTransform t1, CGAffineTransform t2) {
  return CGAffineTransform{
      t1.a * t2.a + t1.b * t2.c,           t1.a * t2.b + t1.b * t2.d,
      t1.c * t2.a + t1.d * t2.c,           t1.c * t2.b + t1.d * t2.d,
      t1.tx * t2.a + t1.ty * t2.c + t2.tx, t1.tx * t2.b + t1.ty * t2.d + t2.ty};
}
CGAffineTransform CGAffineTransformTranslate(CGAffineTransform t, CGFloat tx, CGFloat ty) {
  return CGAffineTransformConcat(CGAffineTransformMakeTranslation(tx, ty), t);
}
CGAffineTransform CGAffineTransformScale(CGAffineTransform t, CGFloat sx, CGFloat sy) {
  return CGAffineTransformConcat(CGAffineTransformMakeScale(sx, sy), t);
}
CGAffineTransform CGAffineTransformRotate(CGAffineTransform t, CGFloat angle) {
  return CGAffineTransformConcat(CGAffineTransformMakeRotation(angle), t);
}

CGAffineTransform CGAffineTransformInvert(CGAffineTransform t) {
  CGFloat det = t.a * t.d - t.b * t.c;
  if (det == 0 || !std::isfinite(det)) return t;
  CGFloat a = t.d / det, b = -t.b / det, c = -t.c / det, d = t.a / det;
  return CGAffineTransform{a, b, c, d, -(t.tx * a + t.ty * c), -(t.tx * b + t.ty * d)};
}

CGPoint CGPointApplyAffineTransform(CGPoint p, CGAffineTransform t) {
  return CGPoint{t.a * p.x + t.c * p.y + t.tx, t.b * p.x + t.d * p.y + t.ty};
}
CGSize CGSizeApplyAffineTransform(CGSize s, CGAffineTransform t) {
  return CGSize{t.a * s.width + t.c * s.height, t.b * s.width + t.d * s.height};
}
CGRect CGRectApplyAffineTransform(CGRect r, CGAffineTransform t) {
  if (CGRectIsNull(r)) return r;
  r = CGRectStandardize(r);
  CGPoint p[4] = {
      CGPointApplyAffineTransform(r.origin, t),
      CGPointApplyAffineTransform(CGPointMake(r.origin.x + r.size.width, r.origin.y), t),
      CGPointApplyAffineTransform(CGPointMake(r.origin.x, r.origin.y + r.size.height), t),
      CGPointApplyAffineTransform(
          CGPointMake(r.origin.x + r.size.width, r.origin.y + r.size.height), t)};
  CGFloat x1 = p[0].x, x2 = p[0].x, y1 = p[0].y, y2 = p[0].y;
  for (int i = 1; i < 4; ++i) {
    x1 = std::fmin(x1, p[i].x);
    x2 = std::fmax(x2, p[i].x);
    y1 = std::fmin(y1, p[i].y);
    y2 = std::fmax(y2, p[i].y);
  }
  return CGRectMake(x1, y1, x2 - x1, y2 - y1);
}
