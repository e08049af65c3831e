#pragma once
// Bezier subdivision, written once over the combine class C. Coordinates are floats in
// memory-row order. Recursion halves the parameter range and stops at depth 12 at the latest,
// drawing the remaining piece as a straight line, so a curve costs at most 2^13 steps.

#include "raster/curves/Raster_CircleDrawer.h"
#include "raster/lines/Raster_LineClass.h"
#include "raster/lines/Raster_LineClip.h"

#include <cmath>

struct Raster_CurvePoint {
  float x, y;
};

// Quadratic (a = 0) or cubic polynomial per axis: P(t) = ((a t + b) t + c) t + d.
struct Raster_CurvePoly {
  double ax, bx, cx, dx, ay, by, cy, dy;
  Raster_CurvePoint at(double t) const {
    return {(float)(((ax * t + bx) * t + cx) * t + dx), (float)(((ay * t + by) * t + cy) * t + dy)};
  }
};

template <class C>
struct _Raster_CurveDrawer {
  static const int kMaxDepth = 12;

  // A smoothed point: the four pixels around (x, y) share the weight by the fractions.
  static void DrawClippedFPt(const Raster_ShapeTarget& t, float x, float y) {
    if (!(x > -4 && y > -4 && x < (float)t.v.w + 4 && y < (float)t.v.h + 4)) return;
    const int ix = (int)x, iy = (int)y;
    const float fx = x - std::floor(x), fy = y - std::floor(y), alpha = t.alpha;
    // Coverage first, then opacity, then 255, left to right: folding alpha * 255 into one
    // factor rounds differently and moves some weights by one.
    put(t, ix, iy, (int)((1 - fy) * (1 - fx) * alpha * 255));
    put(t, ix + 1, iy, (int)((1 - fy) * fx * alpha * 255));
    put(t, ix, iy + 1, (int)(fy * (1 - fx) * alpha * 255));
    put(t, ix + 1, iy + 1, (int)(fy * fx * alpha * 255));
  }

  static inline void put(const Raster_ShapeTarget& t, int x, int y, int w) {
    if (Raster_InBitmap(t.v, x, y)) Raster_ShapePut<C>(t.v.row(y) + x, t.color, w);
  }

  static void plot(const Raster_ShapeTarget& t, Raster_CurvePoint p, bool aa) {
    if (aa)
      DrawClippedFPt(t, p.x, p.y);
    else if (p.x > -1 && p.y > -1 && p.x < (float)t.v.w && p.y < (float)t.v.h)
      put(t, (int)p.x, (int)p.y, t.w);
  }

  static void line(const Raster_ShapeTarget& t, Raster_CurvePoint a, Raster_CurvePoint b, bool aa) {
    if (!Raster_ClipFLineToSize(&a.x, &a.y, &b.x, &b.y, t.v.w, t.v.h)) return;
    __Raster_LineClass<C>::Raster_FLineImpl(t.v, a.x, a.y, b.x, b.y, t.color, t.w, aa);
  }

  // Shared by both curve degrees. tol2 > 0: pieces whose chord is shorter than sqrt(tol2) are
  // drawn as lines, the others halved. tol2 = 0: the midpoint is plotted and each half is
  // halved again while its chord is at least one pixel. End points are plotted at depth 0
  // when plotEnds is set.
  static void recurse(const Raster_ShapeTarget& t, const Raster_CurvePoly& poly, bool aa,
                      double tol2, bool plotEnds, int depth, double t0, Raster_CurvePoint p0,
                      double t1, Raster_CurvePoint p1) {
    if (depth >= kMaxDepth) {
      line(t, p0, p1, aa);
      return;
    }
    if (depth == 0 && plotEnds) {
      plot(t, p0, aa);
      plot(t, p1, aa);
    }
    const double tm = (t0 + t1) / 2;
    const Raster_CurvePoint m = poly.at(tm);
    const double lx = (double)m.x - p0.x, ly = (double)m.y - p0.y;
    const double rx = (double)p1.x - m.x, ry = (double)p1.y - m.y;
    const double L = lx * lx + ly * ly, R = rx * rx + ry * ry;
    if (tol2 > 0) {
      if (L < tol2)
        line(t, p0, m, aa);
      else
        recurse(t, poly, aa, tol2, plotEnds, depth + 1, t0, p0, tm, m);
      if (R < tol2)
        line(t, m, p1, aa);
      else
        recurse(t, poly, aa, tol2, plotEnds, depth + 1, tm, m, t1, p1);
    } else {
      plot(t, m, aa);
      if (L >= 1) recurse(t, poly, aa, tol2, plotEnds, depth + 1, t0, p0, tm, m);
      if (R >= 1) recurse(t, poly, aa, tol2, plotEnds, depth + 1, tm, m, t1, p1);
    }
  }

  static void DrawQBezRecurse(const Raster_ShapeTarget& t, const Raster_CurvePoly& poly, bool aa,
                              double tol2, double t0, Raster_CurvePoint p0, double t1,
                              Raster_CurvePoint p1) {
    recurse(t, poly, aa, tol2, true, 0, t0, p0, t1, p1);
  }

  static void DrawCBezRecurse(const Raster_ShapeTarget& t, const Raster_CurvePoly& poly, bool aa,
                              double tol2, double t0, Raster_CurvePoint p0, double t1,
                              Raster_CurvePoint p1) {
    recurse(t, poly, aa, tol2, tol2 == 0, 0, t0, p0, t1, p1);
  }
};
