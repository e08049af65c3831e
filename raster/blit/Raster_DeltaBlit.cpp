// Affine ("delta") blits and the two blits built on them: rotated and grid-warped.

#include "raster/blit/Raster_Blit.h"
#include "raster/blit/Raster_BlitTemplate.h"

#include <cmath>

namespace {

int64_t fixed16(double v) { return (int64_t)(v * 65536.0); }

// The mapping of a delta blit over a positive-size destination rectangle.
struct Mapping {
  double s0, t0, sStepX, tStepX, sStepY, tStepY, sStepXY, tStepXY;
};

// Draws the mapping; area is the readable source rectangle (already limited to the source).
void deltaDraw(Raster_IBitmap* dest, Raster_IBitmap* src, int destX, int destY, int destW,
               int destH, const Mapping& m, bool clip, double cl, double ct, double cr, double cb,
               int weight, int mode) {
  Raster_RowView d(dest), s(src);
  if (d.empty() || s.empty() || destW <= 0 || destH <= 0) return;

  Raster_DeltaJob job;
  job.dst = d;
  job.src = s;
  job.weight = weight;
  job.filter = Raster_ModeFiltered(mode);
  job.area = Raster_SourceArea{0, 0, s.w, s.h};
  if (clip) {
    if (cl > 0) job.area.l = (int)cl;
    if (ct > 0) job.area.t = (int)ct;
    double er = std::ceil(cr), eb = std::ceil(cb);
    if (er < job.area.r) job.area.r = er < 0 ? 0 : (int)er;
    if (eb < job.area.b) job.area.b = eb < 0 ? 0 : (int)eb;
  }
  if (job.area.r <= job.area.l || job.area.b <= job.area.t) return;

  job.s0 = fixed16(m.s0);
  job.t0 = fixed16(m.t0);
  job.sdx = fixed16(m.sStepX);
  job.tdx = fixed16(m.tStepX);
  job.sdy = fixed16(m.sStepY);
  job.tdy = fixed16(m.tStepY);
  job.sdxy = fixed16(m.sStepXY);
  job.tdxy = fixed16(m.tStepXY);

  int x0 = destX, y0 = destY, x1 = destX + destW, y1 = destY + destH;
  job.skipCols = 0;
  if (x0 < 0) {
    job.skipCols = -x0;
    x0 = 0;
  }
  if (y0 < 0) {
    int rows = -y0;
    job.s0 += rows * job.sdy;
    job.t0 += rows * job.tdy;
    job.sdx += rows * job.sdxy;
    job.tdx += rows * job.tdxy;
    y0 = 0;
  }
  if (x1 > d.w) x1 = d.w;
  if (y1 > d.h) y1 = d.h;
  if (x1 <= x0 || y1 <= y0) return;
  job.dx = x0;
  job.dy = y0;
  job.w = x1 - x0;
  job.h = y1 - y0;

  Raster_CombineKind kind = Raster_CombineKindForBlit(mode, weight);
  if ((mode & 0xFF) == kBlitCopy && !(mode & kBlitUseSourceAlpha) && weight == 256)
    kind = kRasterCombineClobber;
  Raster_WithCombine(kind, [&](auto rule) {
    using C = typename decltype(rule)::type;
    _Raster_Template_Blit<C>::deltaBlit(job);
  });
}

// Makes a negative destination size positive by mirroring the mapping on that axis: pixel i of
// the mirrored rectangle samples what pixel (W - 1 - i) samples in the original mapping.
void normalise(int& destX, int& destY, int& destW, int& destH, Mapping& m) {
  if (destW < 0) {
    destW = -destW;
    destX -= destW;
    double n = destW - 1;
    m.s0 += n * m.sStepX;
    m.t0 += n * m.tStepX;
    m.sStepY += n * m.sStepXY;
    m.tStepY += n * m.tStepXY;
    m.sStepX = -m.sStepX;
    m.tStepX = -m.tStepX;
    m.sStepXY = -m.sStepXY;
    m.tStepXY = -m.tStepXY;
  }
  if (destH < 0) {
    destH = -destH;
    destY -= destH;
    double n = destH - 1;
    m.s0 += n * m.sStepY;
    m.t0 += n * m.tStepY;
    m.sStepX += n * m.sStepXY;
    m.tStepX += n * m.tStepXY;
    m.sStepY = -m.sStepY;
    m.tStepY = -m.tStepY;
    m.sStepXY = -m.sStepXY;
    m.tStepXY = -m.tStepXY;
  }
}

}  // namespace

void Raster_DeltaBlit(Raster_IBitmap* dest, Raster_IBitmap* src, int destX, int destY, int destW,
                      int destH, float srcX, float srcY, float srcW, float srcH, double sStepX,
                      double tStepX, double sStepY, double tStepY, double sStepXY, double tStepXY,
                      bool clipToSource, float alpha, int mode) {
  if (!dest || !src || destW == 0 || destH == 0) return;
  int weight = Raster_WeightOf(alpha);
  if (weight == 0) return;
  Mapping m{srcX, srcY, sStepX, tStepX, sStepY, tStepY, sStepXY, tStepXY};
  normalise(destX, destY, destW, destH, m);
  deltaDraw(dest, src, destX, destY, destW, destH, m, clipToSource, srcX, srcY, (double)srcX + srcW,
            (double)srcY + srcH, weight, mode);
}

void Raster_RotatedBlit(Raster_IBitmap* dest, Raster_IBitmap* src, int destX, int destY, int destW,
                        int destH, float srcX, float srcY, float srcW, float srcH, float angle,
                        bool clipToSource, float alpha, int mode, float centerOffsetX,
                        float centerOffsetY) {
  if (!dest || !src || destW == 0 || destH == 0) return;
  int weight = Raster_WeightOf(alpha);
  if (weight == 0) return;
  // A negative size mirrors: the scale on that axis turns negative, which mirrors the
  // sampling about the centre of the rectangle.
  double sx = (double)srcW / destW, sy = (double)srcH / destH;
  if (destW < 0) {
    destX += destW;
    destW = -destW;
  }
  if (destH < 0) {
    destY += destH;
    destH = -destH;
  }
  double c = std::cos((double)angle), sn = std::sin((double)angle);
  Mapping m{};
  m.sStepX = c * sx;
  m.tStepX = -sn * sy;
  m.sStepY = sn * sx;
  m.tStepY = c * sy;
  // The centre of the destination rectangle samples the (offset) centre of the source.
  double cx = (double)srcX + srcW / 2.0 + centerOffsetX;
  double cy = (double)srcY + srcH / 2.0 + centerOffsetY;
  double hw = destW / 2.0, hh = destH / 2.0;
  m.s0 = cx - hw * m.sStepX - hh * m.sStepY;
  m.t0 = cy - hw * m.tStepX - hh * m.tStepY;
  deltaDraw(dest, src, destX, destY, destW, destH, m, clipToSource, srcX, srcY, (double)srcX + srcW,
            (double)srcY + srcH, weight, mode);
}

void Raster_TransformBlit(Raster_IBitmap* dest, Raster_IBitmap* src, int destX, int destY,
                          int destW, int destH, float* gridPoints, int gridCols, int gridRows,
                          float alpha, int mode) {
  if (!dest || !src || !gridPoints || destW < 1 || destH < 1 || gridCols < 2 || gridRows < 2)
    return;
  int weight = Raster_WeightOf(alpha);
  if (weight == 0) return;
  const double cellW = (double)destW / (gridCols - 1), cellH = (double)destH / (gridRows - 1);
  auto pt = [&](int col, int row, int k) {
    return (double)gridPoints[2 * (row * gridCols + col) + k];
  };

  double yEdge = destY;
  for (int row = 0; row < gridRows - 1; ++row) {
    int top = (int)yEdge;
    yEdge += cellH;
    int bottom = (int)yEdge;
    int h = bottom - top;
    double xEdge = destX;
    for (int col = 0; col < gridCols - 1; ++col) {
      int left = (int)xEdge;
      xEdge += cellW;
      int right = (int)xEdge;
      int w = right - left;
      if (w <= 0 || h <= 0) continue;
      Mapping m;
      m.s0 = pt(col, row, 0);
      m.t0 = pt(col, row, 1);
      m.sStepX = (pt(col + 1, row, 0) - m.s0) / w;
      m.tStepX = (pt(col + 1, row, 1) - m.t0) / w;
      m.sStepY = (pt(col, row + 1, 0) - m.s0) / h;
      m.tStepY = (pt(col, row + 1, 1) - m.t0) / h;
      double bsx = (pt(col + 1, row + 1, 0) - pt(col, row + 1, 0)) / w;
      double btx = (pt(col + 1, row + 1, 1) - pt(col, row + 1, 1)) / w;
      m.sStepXY = (bsx - m.sStepX) / h;
      m.tStepXY = (btx - m.tStepX) / h;
      deltaDraw(dest, src, left, top, w, h, m, false, 0, 0, 0, 0, weight, mode);
    }
  }
}
