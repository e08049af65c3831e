// Quadratic and cubic Bezier curves, limited to the parameter range whose x lies on the bitmap.

#include "raster/curves/Raster_CurveDrawer.h"
#include "raster/curves/Raster_Curves.h"

#include <cmath>
#include <utility>

namespace {

bool curveTarget(Raster_IBitmap* dest, float alpha, int mode, bool aa, unsigned int color,
                 Raster_ShapeTarget& t, Raster_CombineKind& kind) {
  if (!dest) return false;
  t.v = Raster_RowView(dest, false);
  if (t.v.empty()) return false;
  kind = Raster_ShapeCombineKind(mode, alpha, aa);
  if (kind == kRasterCombineNone) return false;
  t.color = color;
  t.w = Raster_ShapeWeightOf(alpha);
  t.alpha = alpha;
  t.doclip = true;
  t.clip = {0, 0, t.v.w, t.v.h};
  return true;
}

// The parameter in [0, 1] where a + d t + p0 = target on the quadratic x(t) = A t^2 + D t + p0
// whose ends lie on either side of target.
double quadCrossing(double A, double D, double p0, double p2, double target) {
  double t;
  if (A != 0) {
    double disc = D * D - 4 * A * (p0 - target);
    t = (std::sqrt(disc > 0 ? disc : 0) - D) / (2 * A);
  } else {
    t = p2 != p0 ? (target - p0) / (p2 - p0) : 0;
  }
  return t >= 0 ? (t <= 1 ? t : 1) : 0;  // NaN from degenerate input becomes 0
}

}  // namespace

void Raster_DrawQBezier(Raster_IBitmap* dest, float xStart, float yStart, float xCtl, float yCtl,
                        float xEnd, float yEnd, unsigned int color, float alpha, int mode, bool aa,
                        float tolerance) {
  Raster_ShapeTarget t;
  Raster_CombineKind kind;
  if (!curveTarget(dest, alpha, mode, aa, color, t, kind)) return;
  if (!Raster_AllFinite({xStart, yStart, xCtl, yCtl, xEnd, yEnd})) return;
  if (dest->isFlipped()) {
    const float top = (float)(t.v.h - 1);
    yStart = top - yStart;
    yCtl = top - yCtl;
    yEnd = top - yEnd;
  }
  if (xStart > xEnd) {
    std::swap(xStart, xEnd);
    std::swap(yStart, yEnd);
  }
  const double A = (double)xStart - 2.0 * xCtl + xEnd, D = 2.0 * ((double)xCtl - xStart);
  const double Ay = (double)yStart - 2.0 * yCtl + yEnd, Dy = 2.0 * ((double)yCtl - yStart);
  const Raster_CurvePoly poly = {0, A, D, xStart, 0, Ay, Dy, yStart};
  const float right = (float)(t.v.w - 1);

  // The clipped ends take y from the curve itself, also when x runs linearly in t: a straight
  // interpolation between the end points' y would put the first point (and the first piece)
  // off the curve whenever the control point lies off the chord.
  double t0 = 0, t1 = 1;
  Raster_CurvePoint p0 = {xStart, yStart}, p1 = {xEnd, yEnd};
  if (xStart < 0) {
    if (xEnd <= 0) {
      t0 = 1;
      p0 = {0, yEnd};
    } else {
      t0 = quadCrossing(A, D, xStart, xEnd, 0);
      p0 = {0, poly.at(t0).y};
    }
  }
  if (xEnd >= (float)t.v.w) {
    if (xStart >= right) {
      t1 = 0;
      p1 = {right, yStart};
    } else {
      t1 = quadCrossing(A, D, xStart, xEnd, right);
      p1 = {right, poly.at(t1).y};
    }
  }
  if (p0.x > p1.x) return;
  const double tol2 = tolerance > 1 ? (double)tolerance * tolerance : 0;
  Raster_WithShapeCombine(kind, [&](auto rule) {
    _Raster_CurveDrawer<typename decltype(rule)::type>::DrawQBezRecurse(t, poly, aa, tol2, t0, p0,
                                                                        t1, p1);
  });
}

namespace {
Raster_CurvePoly cubicPoly(float x0, float x1, float x2, float x3, float y0, float y1, float y2,
                           float y3) {
  Raster_CurvePoly p;
  p.cx = 3.0 * ((double)x1 - x0);
  p.bx = 3.0 * ((double)x2 - x1) - p.cx;
  p.ax = (double)x3 - x0 - p.cx - p.bx;
  p.dx = x0;
  p.cy = 3.0 * ((double)y1 - y0);
  p.by = 3.0 * ((double)y2 - y1) - p.cy;
  p.ay = (double)y3 - y0 - p.cy - p.by;
  p.dy = y0;
  return p;
}
}  // namespace

float Raster_CBezier_GetY(float x1, float x2, float x3, float x4, float y1, float y2, float y3,
                          float y4, float x, float* nextX, float* dYdX, double* tLo, double* tHi) {
  auto out = [&](float y, float nx, float slope, double lo, double hi) {
    if (nextX) *nextX = nx;
    if (dYdX) *dYdX = slope;
    if (tLo) *tLo = lo;
    if (tHi) *tHi = hi;
    return y;
  };
  if (!(x > x1)) return out(y1, x1, 0, 0, 0);
  if (!(x < x4)) return out(y4, x4, 0, 1, 1);
  const Raster_CurvePoly p = cubicPoly(x1, x2, x3, x4, y1, y2, y3, y4);
  double lo = 0, hi = 1, xlo = x1, xhi = x4;
  for (int i = 0; i < 8; ++i) {
    const double tm = (lo + hi) / 2;
    const double xm = ((p.ax * tm + p.bx) * tm + p.cx) * tm + p.dx;
    if (x > xm) {
      lo = tm;
      xlo = xm;
    } else if (x < xm) {
      hi = tm;
      xhi = xm;
    } else {
      lo = tm;
      xlo = xm;
      hi = tm + 1.0 / 256 < 1 ? tm + 1.0 / 256 : 1;
      xhi = hi == 1 ? (double)x4 : ((p.ax * hi + p.bx) * hi + p.cx) * hi + p.dx;
      break;
    }
  }
  auto yAt = [&](double tt) {
    return tt == 0 ? (double)y1
                   : (tt == 1 ? (double)y4 : ((p.ay * tt + p.by) * tt + p.cy) * tt + p.dy);
  };
  const double ylo = yAt(lo), yhi = yAt(hi);
  const double slope = xhi != xlo ? (yhi - ylo) / (xhi - xlo) : 0;
  return out((float)(ylo + slope * ((double)x - xlo)), (float)xhi, (float)slope, lo, hi);
}

void Raster_DrawCBezier(Raster_IBitmap* dest, float xStart, float yStart, float xCtl1, float yCtl1,
                        float xCtl2, float yCtl2, float xEnd, float yEnd, unsigned int color,
                        float alpha, int mode, bool aa, float tolerance) {
  Raster_ShapeTarget t;
  Raster_CombineKind kind;
  if (!curveTarget(dest, alpha, mode, aa, color, t, kind)) return;
  if (!Raster_AllFinite({xStart, yStart, xCtl1, yCtl1, xCtl2, yCtl2, xEnd, yEnd})) return;
  if (dest->isFlipped()) {
    const float top = (float)(t.v.h - 1);
    yStart = top - yStart;
    yCtl1 = top - yCtl1;
    yCtl2 = top - yCtl2;
    yEnd = top - yEnd;
  }
  if (xStart > xEnd) {
    std::swap(xStart, xEnd);
    std::swap(yStart, yEnd);
    std::swap(xCtl1, xCtl2);
    std::swap(yCtl1, yCtl2);
  }
  const Raster_CurvePoly poly = cubicPoly(xStart, xCtl1, xCtl2, xEnd, yStart, yCtl1, yCtl2, yEnd);
  double t0 = 0, t1 = 1, lo, hi;
  Raster_CurvePoint p0 = {xStart, yStart}, p1 = {xEnd, yEnd};
  if (xStart < 0) {
    p0.y = Raster_CBezier_GetY(xStart, xCtl1, xCtl2, xEnd, yStart, yCtl1, yCtl2, yEnd, 0, nullptr,
                               nullptr, &lo, &hi);
    p0.x = 0;
    t0 = hi;
  }
  if (xEnd >= (float)t.v.w) {
    const float right = (float)(t.v.w - 1);
    p1.y = Raster_CBezier_GetY(xStart, xCtl1, xCtl2, xEnd, yStart, yCtl1, yCtl2, yEnd, right,
                               nullptr, nullptr, &lo, &hi);
    p1.x = right;
    t1 = lo;
  }
  if (p1.x < p0.x) return;
  const double tol2 = tolerance > 0 ? (double)tolerance * tolerance : 0;
  Raster_WithShapeCombine(kind, [&](auto rule) {
    _Raster_CurveDrawer<typename decltype(rule)::type>::DrawCBezRecurse(t, poly, aa, tol2, t0, p0,
                                                                        t1, p1);
  });
}
