#pragma once
// Circle, disc and arc loops, written once over the combine class C. Coordinates are floats in
// memory-row order (callers map y for flipped bitmaps) and are truncated to ints per point.
// Points are tested against the clip rectangle only when doclip is set; callers set it whenever
// the shape may reach outside the bitmap.

#include "raster/curves/Raster_Curves.h"
#include "raster/lines/Raster_DrawRule.h"

#include <cmath>

// Clip rectangle: left, top inclusive; right, bottom exclusive.
struct Raster_ClipRect {
  int l, t, r, b;
};

// What every drawer call shares: target rows, clip, colour and weight.
struct Raster_ShapeTarget {
  Raster_RowView v{nullptr, false};
  Raster_ClipRect clip;
  bool doclip;
  Raster_PixelValue color;
  int w;  // (int)(alpha * 255)
  float alpha;
};

template <class C>
struct _Raster_CircleDrawer {
  static inline void DrawClippedPt(const Raster_ShapeTarget& t, float x, float y, int w) {
    const int ix = Raster_TruncToInt(x), iy = Raster_TruncToInt(y);
    if (t.doclip && (ix < t.clip.l || ix >= t.clip.r || iy < t.clip.t || iy >= t.clip.b)) return;
    Raster_ShapePut<C>(t.v.row(iy) + ix, t.color, w);
  }

  // Row y from column x1 to x2, both included.
  static void DrawClippedHorzLine(const Raster_ShapeTarget& t, float y, float x1, float x2, int w) {
    const int iy = Raster_TruncToInt(y);
    int a = Raster_TruncToInt(x1), b = Raster_TruncToInt(x2);
    if (t.doclip) {
      if (iy < t.clip.t || iy >= t.clip.b) return;
      if (a < t.clip.l) a = t.clip.l;
      if (b > t.clip.r - 1) b = t.clip.r - 1;
    }
    Raster_PixelValue* row = t.v.row(iy);
    for (int x = a; x <= b; ++x) Raster_ShapePut<C>(row + x, t.color, w);
  }

  // Midpoint circle: the four axis points, then one octant mirrored eight ways, with
  // d = 1.25 - r stepping. Filling adds a span per row reached; rows reached more than once
  // are blended more than once.
  static void DrawClippedCircle(const Raster_ShapeTarget& t, float cx, float cy, float r,
                                bool fill) {
    const int w = t.w;
    DrawClippedPt(t, cx, cy + r, w);
    DrawClippedPt(t, cx, cy - r, w);
    DrawClippedPt(t, cx + r, cy, w);
    DrawClippedPt(t, cx - r, cy, w);
    if (fill) DrawClippedHorzLine(t, cy, cx - r + 1, cx + r - 1, w);
    float x = 1, y = r, d = (5 - 4 * r) / 4;
    for (;;) {
      if (d < 0) {
        d += 2 * x + 1;
      } else {
        y -= 1;
        d += 2 * (x - y) + 1;
      }
      DrawClippedPt(t, cx + x, cy + y, w);
      DrawClippedPt(t, cx - x, cy + y, w);
      DrawClippedPt(t, cx + x, cy - y, w);
      DrawClippedPt(t, cx - x, cy - y, w);
      DrawClippedPt(t, cx + y, cy + x, w);
      DrawClippedPt(t, cx - y, cy + x, w);
      DrawClippedPt(t, cx + y, cy - x, w);
      DrawClippedPt(t, cx - y, cy - x, w);
      if (fill) {
        DrawClippedHorzLine(t, cy - y, cx - x + 1, cx + x - 1, w);
        DrawClippedHorzLine(t, cy + y, cx - x + 1, cx + x - 1, w);
        DrawClippedHorzLine(t, cy - x, cx - y + 1, cx + y - 1, w);
        DrawClippedHorzLine(t, cy + x, cx - y + 1, cx + y - 1, w);
      }
      if (!(y > x)) break;
      x += 1;
    }
  }

  // Smoothed circle: for y = 0, 1, ... with x = sqrt(r^2 - y^2), the fractional part of x
  // shares the weight between the two pixels the outline passes through, in each of the eight
  // mirrored positions.
  static void DrawClippedCircleAA(const Raster_ShapeTarget& t, float cx, float cy, float r,
                                  bool fill) {
    if (r <= -1) return;
    const float alpha = t.alpha;
    const int W = t.w;
    float y = 0, x = r;
    do {
      const float frac = x - std::floor(x);
      if (frac != 0) {
        const int a = (int)(alpha * frac * 255), b = (int)((1 - frac) * alpha * 255);
        for (float col : {cx + y, cx - y}) {
          DrawClippedPt(t, col, cy + x + 1, a);
          DrawClippedPt(t, col, cy + x, b);
          DrawClippedPt(t, col, cy - x + 1, b);
          DrawClippedPt(t, col, cy - x, a);
        }
        for (float row : {cy + y, cy - y}) {
          DrawClippedPt(t, cx + x + 1, row, a);
          DrawClippedPt(t, cx + x, row, b);
          DrawClippedPt(t, cx - x + 1, row, b);
          DrawClippedPt(t, cx - x, row, a);
        }
      } else {
        DrawClippedPt(t, cx + y, cy + x, W);
        DrawClippedPt(t, cx - y, cy + x, W);
        DrawClippedPt(t, cx + y, cy - x, W);
        DrawClippedPt(t, cx - y, cy - x, W);
        DrawClippedPt(t, cx + x, cy + y, W);
        DrawClippedPt(t, cx - x, cy + y, W);
        DrawClippedPt(t, cx + x, cy - y, W);
        DrawClippedPt(t, cx - x, cy - y, W);
      }
      if (fill) {
        DrawClippedHorzLine(t, cy - x + 1, cx - y, cx + y, W);
        DrawClippedHorzLine(t, cy + x, cx - y, cx + y, W);
        DrawClippedHorzLine(t, cy - y, cx - x + 1, cx + x, W);
        DrawClippedHorzLine(t, cy + y, cx - x + 1, cx + x, W);
      }
      y += 1;
      x = std::sqrt(r * r - y * y);
    } while (y < x + 1);
  }

  // Arc from minAngle to maxAngle (radians, 0 at the top, clockwise). A whole turn or more is
  // the circle; a shorter arc is drawn in pieces split at the axes it crosses, each piece the
  // circle clipped to a rectangle narrowed by the piece's end points. An empty or reversed arc
  // draws nothing.
  static void DrawArc(Raster_ShapeTarget t, float cx, float cy, float r, float minAngle,
                      float maxAngle, bool aa);

  // One piece of an arc, from a to e within quadrant k (k * pi/2 to (k + 1) * pi/2, counted
  // from the top); t must already be set up for the whole circle.
  static void DrawQuadrantArc(Raster_ShapeTarget t, float cx, float cy, float r, double a, double e,
                              double k, bool aa);
};

// Whole-circle set-up shared by circles, discs and full arcs. False when nothing of the shape
// can reach the bitmap (or the radius is beyond Raster_kMaxCurveRadius); otherwise clip is the
// bitmap and doclip says whether any point may fall outside it (a margin of two pixels
// covers the smoothed outline's outer pixels and truncation).
inline bool Raster_CircleSetup(Raster_ShapeTarget& t, float cx, float cy, float r, bool fill) {
  if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(r)) return false;
  const float ar = std::fabs(r);
  if (ar > Raster_kMaxCurveRadius) return false;
  const float w = (float)t.v.w, h = (float)t.v.h;
  if (cx + ar + 2 < 0 || cy + ar + 2 < 0 || cx - ar - 2 >= w || cy - ar - 2 >= h) return false;
  if (!fill) {
    // The outline stays within a pixel or two of radius r: a bitmap wholly inside it is untouched.
    const double fx = std::fmax(std::fabs((double)cx), std::fabs((double)cx - w));
    const double fy = std::fmax(std::fabs((double)cy), std::fabs((double)cy - h));
    if (std::sqrt(fx * fx + fy * fy) < (double)ar - 3) return false;
  }
  t.clip = {0, 0, t.v.w, t.v.h};
  t.doclip = cx - ar - 2 < 0 || cy - ar - 2 < 0 || cx + ar + 2 >= w || cy + ar + 2 >= h;
  return true;
}

template <class C>
void _Raster_CircleDrawer<C>::DrawArc(Raster_ShapeTarget t, float cx, float cy, float r,
                                      float minAngle, float maxAngle, bool aa) {
  const float pi = 3.14159265358979f;
  if (maxAngle - minAngle >= 2 * pi) {
    if (!Raster_CircleSetup(t, cx, cy, r, false)) return;
    if (aa)
      DrawClippedCircleAA(t, cx, cy, r, false);
    else
      DrawClippedCircle(t, cx, cy, r, false);
    return;
  }
  if (!(maxAngle > minAngle) || !Raster_CircleSetup(t, cx, cy, r, false)) return;
  // The end points' rectangle holds exactly the arc only while the arc stays within one
  // quadrant, where it runs one way in x and one way in y; across an axis it would also take in
  // the opposite side of the circle. So the arc is cut at every axis it crosses. An end within
  // eps of an axis counts as lying on it; an arc that short around an axis draws nothing.
  const double q = (double)pi / 2, eps = 1e-6;
  const double k0 = std::floor(((double)minAngle + eps) / q),
               k1 = std::floor(((double)maxAngle - eps) / q);
  if (k1 < k0) return;
  // The span is below a whole turn, so at most four axes lie between the ends.
  const int axes = k1 - k0 < 4 ? (int)(k1 - k0) : 4;
  double from = minAngle;
  for (int i = 0; i < axes; ++i) {
    const double axis = (k0 + i + 1) * q;
    DrawQuadrantArc(t, cx, cy, r, from, axis, k0 + i, aa);
    from = axis;
  }
  DrawQuadrantArc(t, cx, cy, r, from, maxAngle, k0 + axes, aa);
}

template <class C>
void _Raster_CircleDrawer<C>::DrawQuadrantArc(Raster_ShapeTarget t, float cx, float cy, float r,
                                              double a, double e, double k, bool aa) {
  const float pi = 3.14159265358979f;
  const double twoPi = 2.0 * (double)pi, q = (double)pi / 2, eps = 1e-6;
  auto norm = [twoPi](double a) {
    a = std::fmod(a, twoPi);
    if (a < 0) a += twoPi;
    return a >= twoPi ? 0.0 : a;
  };
  auto px = [&](double a) { return Raster_TruncToInt((double)cx + (double)r * std::sin(a)); };
  auto py = [&](double a) { return Raster_TruncToInt((double)cy - (double)r * std::cos(a)); };
  auto raise = [](int& edge, int v) { edge = v > edge ? v : edge; };
  auto lower = [](int& edge, int v) { edge = v < edge ? v : edge; };
  Raster_ClipRect& c = t.clip;

  // An end on an axis narrows the one edge that keeps the piece on its side of that axis; the
  // row or column the axis point lies in goes to just one of the two quarters meeting there.
  // An end off the axes narrows both edges at its pixel, included: within a quadrant x and y
  // each run one way, so that keeps every pixel up to the end and none beyond it. Across the
  // outline (y where it runs flat, near the top and bottom; x where it runs steep) the plain
  // outline rounds, so its pixel may be one row or column off, and the smoothed outline shares
  // each point with the next one: that edge gets a pixel of slack.
  const int quadrant = (int)(k - 4 * std::floor(k / 4));  // 0 top right, 1 bottom right, ...
  const bool xUp = quadrant == 0 || quadrant == 3, yUp = quadrant < 2;
  // fromX, fromY: the piece lies right of (else left of) and below (else above) the point at v.
  auto narrowAt = [&](double v, bool fromX, bool fromY) {
    const bool flat = std::fabs(std::cos(v)) >= std::fabs(std::sin(v));
    const int before = aa ? 0 : 1, sx = flat ? 0 : 1, sy = flat ? 1 : 0;
    if (fromX)
      raise(c.l, px(v) - sx * before);
    else
      lower(c.r, px(v) + 1 + sx);
    if (fromY)
      raise(c.t, py(v) - sy * before);
    else
      lower(c.b, py(v) + 1 + sy);
  };

  const double s = norm(a);
  if (a >= k * q + eps)
    narrowAt(s, xUp, yUp);  // the piece runs on from its start
  else if (quadrant == 0)
    raise(c.l, px(s));
  else if (quadrant == 1)
    raise(c.t, py(s));
  else if (quadrant == 2)
    lower(c.r, px(s));
  else
    lower(c.b, py(s));

  const double f = norm(e);
  if (e < (k + 1) * q - eps)
    narrowAt(f, !xUp, !yUp);  // the piece comes up to its end
  else if (quadrant == 0)
    lower(c.b, py(f));
  else if (quadrant == 1)
    raise(c.l, px(f));
  else if (quadrant == 2)
    raise(c.t, py(f));
  else
    lower(c.r, px(f));

  t.doclip = true;
  if (aa)
    DrawClippedCircleAA(t, cx, cy, r, false);
  else
    DrawClippedCircle(t, cx, cy, r, false);
}
