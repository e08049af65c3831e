#include "tessor_eq/skins/skin_canvas.h"

#include "raster/bitmap/Raster_PixelUtil.h"
#include "raster/blit/Raster_Blit.h"
#include "raster/curves/Raster_Curves.h"

#include <algorithm>

namespace {

const double S = kSkinScale;

// One run of a row: final-image x from x0 (included) to x1 (excluded).
struct Run {
  double x0, x1;
};

// Fills, on every canvas row from top to bottom, the pixels whose centres lie inside the runs
// that runsAt(yc, runs) gives for the row's centre yc (final units; it returns how many, at
// most two). Each pixel is blended once, with the paint's colour at that row.
template <class RunsAt>
void FillRows(Raster_IBitmap* plane, double top, double bottom, const SkinPaint& paint, float alpha,
              RunsAt runsAt) {
  const int h = plane->getHeight();
  const int j0 = std::max(0, static_cast<int>(std::floor(top * S)));
  const int j1 = std::min(h, static_cast<int>(std::ceil(bottom * S)));
  for (int j = j0; j < j1; ++j) {
    const double yc = (j + 0.5) / S;
    Run runs[2];
    const int n = runsAt(yc, runs);
    const Raster_PixelValue color = paint.at(yc);
    for (int k = 0; k < n; ++k) {
      // Pixel i is inside when its centre (i + 0.5) / S lies in [x0, x1).
      const int i0 = static_cast<int>(std::ceil(runs[k].x0 * S - 0.5));
      const int i1 = static_cast<int>(std::ceil(runs[k].x1 * S - 0.5));
      if (i1 > i0) Raster_FillRect(plane, i0, j, i1 - i0, 1, color, alpha, kBlitCopy);
    }
  }
}

int Lerp(int a, int b, double t) { return static_cast<int>(std::lround(a + (b - a) * t)); }

// Block-averages a canvas plane down to its final size. Each halving truncates its four
// quarter values, losing up to 3 of 255 per channel; the final scale lifts full white (252
// after two halvings) back to 255 and leaves black at 0.
void Reduce(Raster_MemBitmap* big, Raster_MemBitmap* out, int w, int h) {
  Raster_MemBitmap half(w * 2, h * 2);
  out->resize(w, h);
  Raster_HalveBlitAA(&half, big);
  Raster_HalveBlitAA(out, &half);
  const float lift = 255.0f / 252.0f;
  Raster_MultiplyAddRect(out, 0, 0, w, h, lift, lift, lift, lift, 0.5f, 0.5f, 0.5f, 0.5f);
}

}  // namespace

Raster_PixelValue SkinPaint::at(double y) const {
  if (top == bottom || y1 <= y0) return top;
  const double t = std::clamp((y - y0) / (y1 - y0), 0.0, 1.0);
  return Raster_MakePixel(Lerp(Raster_GetR(top), Raster_GetR(bottom), t),
                          Lerp(Raster_GetG(top), Raster_GetG(bottom), t),
                          Lerp(Raster_GetB(top), Raster_GetB(bottom), t),
                          Lerp(Raster_GetA(top), Raster_GetA(bottom), t));
}

bool SkinCanvas_Init(SkinCanvas* c, int w, int h, Raster_PixelValue ground, bool withCover) {
  c->w = w;
  c->h = h;
  c->color.resize(w * kSkinScale, h * kSkinScale);
  c->cover.resize(withCover ? w * kSkinScale : 0, withCover ? h * kSkinScale : 0);
  if (!c->color.getBits() || (withCover && !c->cover.getBits())) return false;
  Raster_Clear(&c->color, ground);
  if (withCover) Raster_Clear(&c->cover, Raster_MakePixel(0, 0, 0, 255));
  return true;
}

void SkinCanvas_Resolve(SkinCanvas* c, Raster_IBitmap* dest, int x, int y) {
  Raster_MemBitmap small;
  Reduce(&c->color, &small, c->w, c->h);
  if (c->cover.getBits()) {
    Raster_MemBitmap alpha;
    Reduce(&c->cover, &alpha, c->w, c->h);
    // Alpha byte (0) of each pixel := the coverage's red byte (1).
    Raster_Blit(&small, &alpha, 0, 0, nullptr, 1.0f, kBlitChannelCopy | (0 << 2) | 1);
  }
  Raster_Blit(dest, &small, x, y, nullptr, 1.0f, kBlitCopy);
}

void Skin_Ring(Raster_IBitmap* plane, double cx, double cy, double rIn, double rOut,
               const SkinPaint& paint, float alpha) {
  FillRows(plane, cy - rOut, cy + rOut, paint, alpha, [&](double yc, Run* runs) {
    const double dy = yc - cy;
    if (std::fabs(dy) >= rOut) return 0;
    const double xo = std::sqrt(rOut * rOut - dy * dy);
    if (std::fabs(dy) >= rIn) {
      runs[0] = {cx - xo, cx + xo};
      return 1;
    }
    const double xi = std::sqrt(rIn * rIn - dy * dy);
    runs[0] = {cx - xo, cx - xi};
    runs[1] = {cx + xi, cx + xo};
    return 2;
  });
}

void Skin_Polygon(Raster_IBitmap* plane, const double* xy, int n, const SkinPaint& paint,
                  float alpha) {
  if (n < 3) return;
  double top = xy[1], bottom = xy[1];
  for (int i = 1; i < n; ++i) {
    top = std::min(top, xy[2 * i + 1]);
    bottom = std::max(bottom, xy[2 * i + 1]);
  }
  FillRows(plane, top, bottom, paint, alpha, [&](double yc, Run* runs) {
    double lo = 0, hi = 0;
    int hits = 0;
    for (int i = 0; i < n; ++i) {
      const double ax = xy[2 * i], ay = xy[2 * i + 1];
      const double bx = xy[2 * ((i + 1) % n)], by = xy[2 * ((i + 1) % n) + 1];
      // Edges crossing the row, each counted on a half-open span so a vertex counts once.
      if ((ay <= yc) == (by <= yc)) continue;
      const double x = ax + (yc - ay) * (bx - ax) / (by - ay);
      lo = hits ? std::min(lo, x) : x;
      hi = hits ? std::max(hi, x) : x;
      ++hits;
    }
    if (hits < 2) return 0;
    runs[0] = {lo, hi};
    return 1;
  });
}

void Skin_Bar(Raster_IBitmap* plane, double x1, double y1, double x2, double y2, double width,
              const SkinPaint& paint, float alpha) {
  const double len = std::hypot(x2 - x1, y2 - y1);
  if (len <= 0) return;
  const double nx = -(y2 - y1) / len * width / 2, ny = (x2 - x1) / len * width / 2;
  const double quad[8] = {x1 + nx, y1 + ny, x2 + nx, y2 + ny, x2 - nx, y2 - ny, x1 - nx, y1 - ny};
  Skin_Polygon(plane, quad, 4, paint, alpha);
}

void Skin_RadialBar(Raster_IBitmap* plane, double cx, double cy, double angle, double r1, double r2,
                    double width, const SkinPaint& paint, float alpha) {
  Skin_Bar(plane, Skin_PolarX(cx, angle, r1), Skin_PolarY(cy, angle, r1),
           Skin_PolarX(cx, angle, r2), Skin_PolarY(cy, angle, r2), width, paint, alpha);
}

void Skin_RoundRect(Raster_IBitmap* plane, double x, double y, double w, double h, double radius,
                    const SkinPaint& paint, float alpha) {
  const double r = std::min({radius, w / 2, h / 2});
  FillRows(plane, y, y + h, paint, alpha, [&](double yc, Run* runs) {
    if (yc < y || yc >= y + h) return 0;
    double inset = 0;
    const double dy = std::max(y + r - yc, yc - (y + h - r));
    if (r > 0 && dy > 0) inset = r - std::sqrt(std::max(0.0, r * r - dy * dy));
    runs[0] = {x + inset, x + w - inset};
    return 1;
  });
}

void Skin_Outline(Raster_IBitmap* plane, double cx, double cy, double r, Raster_PixelValue color,
                  float alpha) {
  // The library addresses pixels by index, pixel i centred on i: continuous x is index x - 0.5.
  Raster_Circle(plane, static_cast<float>(cx * S - 0.5), static_cast<float>(cy * S - 0.5),
                static_cast<float>(r * S), color, alpha, kBlitCopy, true);
}

void Skin_ArcBand(Raster_IBitmap* plane, double cx, double cy, double rIn, double rOut, double a0,
                  double a1, const SkinPaint& paint, float alpha) {
  if (!(a1 > a0)) return;
  if (a1 - a0 > M_PI) {
    // A wedge wider than a half turn is not convex: two halves.
    const double mid = (a0 + a1) / 2;
    Skin_ArcBand(plane, cx, cy, rIn, rOut, a0, mid, paint, alpha);
    Skin_ArcBand(plane, cx, cy, rIn, rOut, mid, a1, paint, alpha);
    return;
  }
  // The wedge is where n0 . (p - c) >= 0 (clockwise of a0) and n1 . (p - c) >= 0
  // (anticlockwise of a1), with y pointing down.
  const double n0x = std::cos(a0), n0y = std::sin(a0);
  const double n1x = -std::cos(a1), n1y = -std::sin(a1);
  FillRows(plane, cy - rOut, cy + rOut, paint, alpha, [&](double yc, Run* runs) {
    const double dy = yc - cy;
    if (std::fabs(dy) >= rOut) return 0;
    const double xo = std::sqrt(rOut * rOut - dy * dy);
    Run ring[2];
    int n = 1;
    ring[0] = {-xo, xo};
    if (std::fabs(dy) < rIn) {
      const double xi = std::sqrt(rIn * rIn - dy * dy);
      ring[0] = {-xo, -xi};
      ring[1] = {xi, xo};
      n = 2;
    }
    // Cuts run (x relative to cx) to nx * x + ny * dy >= 0.
    auto cut = [dy](Run& run, double nx, double ny) {
      if (nx > 0)
        run.x0 = std::max(run.x0, -ny * dy / nx);
      else if (nx < 0)
        run.x1 = std::min(run.x1, -ny * dy / nx);
      else if (ny * dy < 0)
        run.x1 = run.x0;
    };
    int kept = 0;
    for (int k = 0; k < n; ++k) {
      Run run = ring[k];
      cut(run, n0x, n0y);
      cut(run, n1x, n1y);
      if (run.x1 > run.x0) runs[kept++] = {cx + run.x0, cx + run.x1};
    }
    return kept;
  });
}
