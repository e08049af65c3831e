// Scaled blits: mirroring, clipping in source coordinates, and the choice between the
// nearest pixel, bilinear sampling and the area filter.

#include "raster/blit/Raster_Blit.h"
#include "raster/blit/Raster_BlitTemplate.h"

#include <cmath>
#include <memory>
#include <new>
#include <utility>

namespace {
bool nearWhole(float v) { return std::fabs(v - std::floor(v + 0.5f)) < 0.03f; }

using ClobberBlit = _Raster_Template_Blit<_Raster_CombinePixelsClobber>;

// Bytes [first, last) a view's rows occupy.
void rowSpan(const Raster_RowView& v, const char*& first, const char*& last) {
  const Raster_PixelValue *a = v.row(0), *b = v.row(v.h - 1);
  if (b < a) std::swap(a, b);
  first = (const char*)a;
  last = (const char*)(b + v.w);
}

bool disjoint(const Raster_RowView& d, const Raster_RowView& s) {
  const char *d0, *d1, *s0, *s1;
  rowSpan(d, d0, d1);
  rowSpan(s, s0, s1);
  return d1 <= s0 || s1 <= d0;
}

// The plain bilinear copy between distinct bitmaps, as the generic loop draws it, with the
// columns whose right neighbour is readable on rows with a readable row below taken from
// tables: source offsets and fractions once per call, the row pair's differences once per
// source row, the base once per destination row. Returns false (nothing drawn) when the tables
// cannot be had.
bool scaleBilinearCopy(const Raster_ScaleJob& job) {
  const Raster_SourceArea& a = job.area;
  auto column = [&](int i) { return (job.fx0 + i * job.fxStep) >> 16; };
  auto inner = [&](int i) { return column(i) >= a.l && column(i) + 1 < a.r; };
  // Source columns move monotonically, so the inner columns are one run.
  int from = 0, to = job.w;
  while (from < job.w && !inner(from)) ++from;
  while (to > from && !inner(to - 1)) --to;
  const int n = to - from;
  if (n < 8) return false;

  const int c0 = (int)column(from), c1 = (int)column(to - 1);
  const int lo = c0 < c1 ? c0 : c1, cols = (c0 < c1 ? c1 : c0) - lo + 1;
  // One block: base (4 x int32 a column), differences (8 x int16), offsets, fractions.
  const size_t bytes = (size_t)cols * 32 + (size_t)n * 6;
  std::unique_ptr<unsigned char[]> block(new (std::nothrow) unsigned char[bytes]);
  if (!block) return false;
  int32_t* base = (int32_t*)block.get();
  int16_t* ad = (int16_t*)(block.get() + (size_t)cols * 16);
  int32_t* ix = (int32_t*)(block.get() + (size_t)cols * 32);
  uint16_t* fx = (uint16_t*)(ix + n);
  for (int i = 0; i < n; ++i) {
    const int64_t pos = job.fx0 + (int64_t)(from + i) * job.fxStep;
    ix[i] = (int32_t)((pos >> 16) - lo);
    fx[i] = (uint16_t)(pos & 0xFFFF);
  }

  Raster_ScaleJob edge = job;
  edge.w = from;
  if (edge.w > 0) ClobberBlit::scaleBlit(edge, true);
  edge.dx = job.dx + to;
  edge.w = job.w - to;
  edge.fx0 = job.fx0 + to * job.fxStep;
  if (edge.w > 0) ClobberBlit::scaleBlit(edge, true);

  int diffsRow = -1;
  for (int j = 0; j < job.h; ++j) {
    // Row position and fraction exactly as the generic loop computes them.
    double sy = job.sy0 + j * job.syStep;
    double fly = sy < 0 ? -1.0 : sy;
    int iy = (int)fly;
    if (sy < 0 || iy < a.t || iy >= a.b) continue;
    if (iy + 1 >= a.b) {
      // Last readable row: only horizontal pairs, through the generic loop.
      Raster_ScaleJob row = job;
      row.dx = job.dx + from;
      row.w = n;
      row.fx0 = job.fx0 + from * job.fxStep;
      row.dy = job.dy + j;
      row.h = 1;
      row.sy0 = sy;
      ClobberBlit::scaleBlit(row, true);
      continue;
    }
    int fy = (int)((sy - iy) * 65536.0);
    const Raster_PixelValue* top = job.src.row(iy) + lo;
    const Raster_PixelValue* below = job.src.row(iy + 1) + lo;
    Raster_BilinearPrepareBase(base, top, below, fy, cols, iy != diffsRow ? ad : nullptr);
    diffsRow = iy;
    Raster_BilinearFromTables(job.dst.row(job.dy + j) + job.dx + from, ix, fx, base, ad, fy, n);
  }
  return true;
}
}  // namespace

void Raster_ScaledBlit(Raster_IBitmap* dest, Raster_IBitmap* src, int destX, int destY, int destW,
                       int destH, float srcX, float srcY, float srcW, float srcH, float alpha,
                       int mode) {
  if (!dest || !src || destW == 0 || destH == 0) return;
  int weight = Raster_WeightOf(alpha);
  if (weight == 0) return;
  const bool filter = Raster_ModeFiltered(mode);

  if (std::fabs(srcW - destW) < 0.001f && std::fabs(srcH - destH) < 0.001f &&
      (!filter || (nearWhole(srcX) && nearWhole(srcY)))) {
    Raster_Blit(dest, src, destX, destY, (int)(srcX + 0.5f), (int)(srcY + 0.5f), destW, destH,
                alpha, mode);
    return;
  }

  Raster_RowView d(dest), s(src);
  if (d.empty() || s.empty()) return;

  double xStep = (double)srcW / std::abs(destW);
  double yStep = (double)srcH / std::abs(destH);
  // Source position of destination column 0 and row 0 of the (positive) rectangle. A mirrored
  // axis reads from its far edge backwards: column i samples what column (W - 1 - i) would.
  double sx0 = srcX, sy0 = srcY;
  if (destW < 0) {
    destX += destW;
    destW = -destW;
    sx0 = srcX + srcW - xStep;
    xStep = -xStep;
  }
  if (destH < 0) {
    destY += destH;
    destH = -destH;
    sy0 = srcY + srcH - yStep;
    yStep = -yStep;
  }

  Raster_ScaleJob job;
  job.dst = d;
  job.src = s;
  job.weight = weight;
  job.area.l = srcX > 0 ? (int)srcX : 0;
  job.area.t = srcY > 0 ? (int)srcY : 0;
  double er = std::ceil((double)srcX + srcW), eb = std::ceil((double)srcY + srcH);
  job.area.r = er < s.w ? (int)er : s.w;
  job.area.b = eb < s.h ? (int)eb : s.h;
  if (job.area.r <= job.area.l || job.area.b <= job.area.t) return;

  int x0 = destX, y0 = destY, x1 = destX + destW, y1 = destY + destH;
  if (x0 < 0) {
    sx0 += -x0 * xStep;
    x0 = 0;
  }
  if (y0 < 0) {
    sy0 += -y0 * yStep;
    y0 = 0;
  }
  if (x1 > d.w) x1 = d.w;
  if (y1 > d.h) y1 = d.h;
  if (x1 <= x0 || y1 <= y0) return;
  job.dx = x0;
  job.dy = y0;
  job.w = x1 - x0;
  job.h = y1 - y0;
  job.fx0 = (int64_t)std::floor(sx0 * 65536.0);
  job.fxStep = (int64_t)(xStep * 65536.0);
  job.sy0 = sy0;
  job.syStep = yStep;
  double ax = std::fabs(xStep), ay = std::fabs(yStep);
  job.maxStep = ax > ay ? ax : ay;

  const bool plainCopy = (mode & 0xFF) == kBlitCopy && !(mode & kBlitUseSourceAlpha);
  Raster_CombineKind kind = Raster_CombineKindForBlit(mode, weight);
  if (plainCopy && weight == 256)
    kind = kRasterCombineClobber;
  else if (plainCopy && weight == 128 && !filter)
    kind = kRasterCombineHalfShift;

  const bool area = filter && ax >= 1.7 && ay >= 1.7;
  if (kind == kRasterCombineClobber && filter && !area && Raster_BilinearTablesAvailable() &&
      disjoint(d, s) && scaleBilinearCopy(job))
    return;
  Raster_WithCombine(kind, [&](auto rule) {
    using C = typename decltype(rule)::type;
    if (area)
      _Raster_Template_Blit<C>::scaleBlitFilterDown(job);
    else
      _Raster_Template_Blit<C>::scaleBlit(job, filter);
  });
}
