// Scaled blits: mirroring, clipping in source coordinates, and the choice between the
// nearest pixel, bilinear sampling and the area filter.

#include "raster/blit/Raster_Blit.h"
#include "raster/blit/Raster_BlitTemplate.h"

#include <cmath>

namespace {
bool nearWhole(float v) { return std::fabs(v - std::floor(v + 0.5f)) < 0.03f; }
} // namespace

void Raster_ScaledBlit(Raster_IBitmap* dest, Raster_IBitmap* src, int destX, int destY, int destW, int destH,
                       float srcX, float srcY, float srcW, float srcH, float alpha, int mode)
{
  if (!dest || !src || destW == 0 || destH == 0) return;
  int weight = Raster_WeightOf(alpha);
  if (weight == 0) return;
  const bool filter = Raster_ModeFiltered(mode);

  if (std::fabs(srcW - destW) < 0.001f && std::fabs(srcH - destH) < 0.001f &&
      (!filter || (nearWhole(srcX) && nearWhole(srcY)))) {
    Raster_Blit(dest, src, destX, destY, (int)(srcX + 0.5f), (int)(srcY + 0.5f), destW, destH, alpha, mode);
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
  if (plainCopy && weight == 256) kind = kRasterCombineClobber;
  else if (plainCopy && weight == 128 && !filter) kind = kRasterCombineHalfShift;

  const bool area = filter && ax >= 1.7 && ay >= 1.7;
  Raster_WithCombine(kind, [&](auto rule) {
    using C = typename decltype(rule)::type;
    if (area) _Raster_Template_Blit<C>::scaleBlitFilterDown(job);
    else _Raster_Template_Blit<C>::scaleBlit(job, filter);
  });
}
