// Solid triangles, scan-converted row by row between a long and a short edge.

#include "raster/lines/Raster_LineClass.h"
#include "raster/lines/Raster_Lines.h"

#include <cmath>

namespace {

struct Vertex {
  long long x, y;
};

// Rows above the bitmap are stepped one by one (the edges accumulate exactly as they would
// while drawing) up to this many; beyond it the edges jump straight to row 0.
const long long kMaxSteppedRows = 1 << 20;

}  // namespace

void Raster_FillTriangle(Raster_IBitmap* dest, int x1, int y1, int x2, int y2, int x3, int y3,
                         unsigned int color, float alpha, int mode) {
  Raster_RowView v(dest, false);
  if (v.empty()) return;
  Vertex p[3] = {{x1, y1}, {x2, y2}, {x3, y3}};
  if (dest->isFlipped())
    for (Vertex& q : p) q.y = v.h - 1 - q.y;
  // Stable sort by row: top, middle, bottom.
  if (p[1].y < p[0].y) std::swap(p[0], p[1]);
  if (p[2].y < p[1].y) std::swap(p[1], p[2]);
  if (p[1].y < p[0].y) std::swap(p[0], p[1]);
  const Vertex top = p[0], mid = p[1], bot = p[2];
  if (top.y == bot.y || bot.y <= 0 || top.y >= v.h) return;

  const int w = Raster_WeightOf(alpha);
  const double longSlope = (double)(bot.x - top.x) / (double)(bot.y - top.y);
  const double lowerSlope =
      bot.y == mid.y ? 0.0 : (double)(bot.x - mid.x) / (double)(bot.y - mid.y);
  double shortSlope = mid.y == top.y ? 0.0 : (double)(mid.x - top.x) / (double)(mid.y - top.y);
  double xl = (double)top.x, xs = (double)top.x;
  long long y = top.y;
  if (-y > kMaxSteppedRows) {
    xl = (double)top.x + longSlope * (double)-y;
    if (mid.y < 0) {
      xs = (double)mid.x + lowerSlope * (double)-mid.y;
      shortSlope = lowerSlope;
    } else {
      xs = (double)top.x + shortSlope * (double)-y;
    }
    y = 0;
  }

  Raster_WithShapeCombine(Raster_ShapeCombineKind(mode, alpha), [&](auto rule) {
    using L = __Raster_LineClass<typename decltype(rule)::type>;
    const double right = (double)(v.w - 1);
    for (; y < bot.y && y < v.h; ++y) {
      if (y == mid.y) {
        xs = (double)mid.x;
        shortSlope = lowerSlope;
      }
      if (y >= 0) {
        double a = std::floor(xl + 0.5), b = std::floor(xs + 0.5);
        if (a > b) std::swap(a, b);
        if (a < 0) a = 0;
        if (b > right) b = right;
        if (a <= b) L::Raster_HorizLine(v.row((int)y), (int)a, (int)b, color, w);
      }
      xl += longSlope;
      xs += shortSlope;
    }
  });
}
