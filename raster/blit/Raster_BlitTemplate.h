#pragma once
// The blit loops, written once over the combine class. Only the blit sources include this.

#include "raster/bitmap/Raster_IBitmap.h"
#include "raster/blit/Raster_Combine.h"
#include "raster/blit/Raster_RowKernels.h"

#include <cmath>
#include <cstdint>
#include <type_traits>

// Readable source area [l, r) x [t, b).
struct Raster_SourceArea {
  int l, t, r, b;
  bool contains(int x, int y) const { return x >= l && x < r && y >= t && y < b; }
};

// Bilinear sample at integer (ix, iy) with 16-bit fractions; on the area's last column only the
// vertical pair is mixed, on its last row only the horizontal pair, at the corner none.
inline void Raster_SampleBilinear(const Raster_RowView& s, const Raster_SourceArea& area, int ix,
                                  int iy, int fx, int fy, int out[4]) {
  const unsigned char* p = (const unsigned char*)(s.row(iy) + ix);
  bool right = ix + 1 < area.r;
  bool below = iy + 1 < area.b;
  if (right && below) {
    const unsigned char* pr = p + 4;
    const unsigned char* pb = (const unsigned char*)(s.row(iy + 1) + ix);
    const unsigned char* pbr = pb + 4;
    // Each weighted sum stays below 255 * 65536: 32-bit arithmetic is exact.
    const uint32_t c = (uint32_t)(((uint64_t)(uint32_t)fx * (uint32_t)fy) >> 16);
    const uint32_t wp = 65536u - (uint32_t)fx - (uint32_t)fy + c, wr = (uint32_t)fx - c,
                   wb = (uint32_t)fy - c;
    for (int k = 0; k < 4; ++k)
      out[k] = (int)((p[k] * wp + pr[k] * wr + pb[k] * wb + pbr[k] * c) >> 16);
  } else if (below) {
    const unsigned char* pb = (const unsigned char*)(s.row(iy + 1) + ix);
    for (int k = 0; k < 4; ++k)
      out[k] = (int)((p[k] * (65536u - (uint32_t)fy) + pb[k] * (uint32_t)fy) >> 16);
  } else if (right) {
    const unsigned char* pr = p + 4;
    for (int k = 0; k < 4; ++k)
      out[k] = (int)((p[k] * (65536u - (uint32_t)fx) + pr[k] * (uint32_t)fx) >> 16);
  } else {
    for (int k = 0; k < 4; ++k) out[k] = p[k];
  }
}

// Parameters of a scaled blit after clipping.
struct Raster_ScaleJob {
  Raster_RowView dst{nullptr}, src{nullptr};
  int dx, dy, w, h;     // clipped destination rectangle
  int64_t fx0, fxStep;  // source x of the first column and its step, 16.16
  double sy0, syStep;   // source y of the first row and its step
  Raster_SourceArea area;
  double maxStep;  // the larger reduction factor (area filter)
  int weight;
};

// Parameters of a delta blit after clipping; positions and deltas in 16.16.
struct Raster_DeltaJob {
  Raster_RowView dst{nullptr}, src{nullptr};
  int dx, dy, w, h;  // clipped destination rectangle
  int skipCols;      // destination columns clipped on the left
  int64_t s0, t0;    // source position of pixel (0, 0) of the first drawn row, before skipCols
  int64_t sdx, tdx, sdy, tdy, sdxy, tdxy;
  Raster_SourceArea area;
  bool filter;
  int weight;
};

// One row of rule C from a source row that does not overlap the destination row.
template <class C>
inline void Raster_CombineRowDisjoint(Raster_PixelValue* __restrict dp,
                                      const Raster_PixelValue* __restrict sp, int w, int weight) {
  if constexpr (std::is_same_v<C, _Raster_CombinePixelsCopySourceAlphaIngoreAlphaParm>)
    Raster_RowCompositeSourceAlpha(dp, sp, w);
  else
    for (int i = 0; i < w; ++i) Raster_CombinePixel<C>(dp + i, sp[i], weight);
}

template <class C>
struct _Raster_Template_Blit {
  // Unscaled: w x h pixels from (sx, sy) to (dx, dy), rows top to bottom, pixels left to right.
  static void blit(const Raster_RowView& d, const Raster_RowView& s, int dx, int dy, int sx, int sy,
                   int w, int h, int weight) {
    for (int j = 0; j < h; ++j) {
      Raster_PixelValue* dp = d.row(dy + j) + dx;
      const Raster_PixelValue* sp = s.row(sy + j) + sx;
      if (dp + w <= sp || sp + w <= dp) {
        Raster_CombineRowDisjoint<C>(dp, sp, w, weight);
      } else {
        for (int i = 0; i < w; ++i) Raster_CombinePixel<C>(dp + i, sp[i], weight);  // in order
      }
    }
  }

  // Nearest or bilinear sampling.
  static void scaleBlit(const Raster_ScaleJob& job, bool filter) {
    const Raster_SourceArea& a = job.area;
    for (int j = 0; j < job.h; ++j) {
      double sy = job.sy0 + j * job.syStep;
      double fly = sy < 0 ? -1.0 : sy;
      int iy = (int)fly;
      if (sy < 0 || iy < a.t || iy >= a.b) continue;
      int fy = (int)((sy - iy) * 65536.0);
      Raster_PixelValue* dp = job.dst.row(job.dy + j) + job.dx;
      const Raster_PixelValue* srow = job.src.row(iy);
      int64_t fx = job.fx0;
      // Plain bilinear copy: the columns whose right neighbour is readable too, on a row with a
      // readable row below, go through the row kernel; the columns at either end as below.
      int spanFrom = 0, spanTo = 0;
      if constexpr (std::is_same_v<C, _Raster_CombinePixelsClobber>) {
        if (filter && iy + 1 < a.b) {
          auto inner = [&](int i) {
            int64_t ix = (job.fx0 + i * job.fxStep) >> 16;
            return ix >= a.l && ix + 1 < a.r;
          };
          // Source columns move monotonically, so the inner columns are one run.
          while (spanFrom < job.w && !inner(spanFrom)) ++spanFrom;
          spanTo = job.w;
          while (spanTo > spanFrom && !inner(spanTo - 1)) --spanTo;
          Raster_RowBilinearInterior(dp + spanFrom, srow, job.src.row(iy + 1),
                                     job.fx0 + spanFrom * job.fxStep, job.fxStep, fy,
                                     spanTo - spanFrom);
        }
      }
      for (int i = 0; i < job.w; ++i, fx += job.fxStep) {
        if (i == spanFrom && spanTo > spanFrom) {
          i = spanTo - 1;
          fx = job.fx0 + i * job.fxStep;
          continue;
        }
        int64_t ix64 = fx >> 16;
        if (ix64 < a.l || ix64 >= a.r) continue;
        int ix = (int)ix64;
        if (filter) {
          int c[4];
          Raster_SampleBilinear(job.src, a, ix, iy, (int)(fx & 0xFFFF), fy, c);
          C::doPix((unsigned char*)(dp + i), c[kRasterByteR], c[kRasterByteG], c[kRasterByteB],
                   c[kRasterByteA], job.weight);
        } else {
          const unsigned char* sb = (const unsigned char*)(srow + ix);
          C::doPix((unsigned char*)(dp + i), sb[kRasterByteR], sb[kRasterByteG], sb[kRasterByteB],
                   sb[kRasterByteA], job.weight);
        }
      }
    }
  }

  // Area filter: weighted average of a 3 x 3 or 5 x 5 square centred on each source position.
  static void scaleBlitFilterDown(const Raster_ScaleJob& job) {
    const Raster_SourceArea& a = job.area;
    const int rad = job.maxStep > 3.0 ? 2 : 1;
    int tap[5][5];
    for (int ty = -rad; ty <= rad; ++ty)
      for (int tx = -rad; tx <= rad; ++tx) {
        double wgt = 1.0;
        if (tx || ty) {
          wgt = (job.maxStep - 1.0) / std::sqrt((double)(tx * tx + ty * ty));
          if (wgt < 0) wgt = 0;
          if (wgt > 1) wgt = 1;
        }
        tap[ty + 2][tx + 2] = (int)(wgt * 65536.0);
      }
    for (int j = 0; j < job.h; ++j) {
      double sy = job.sy0 + j * job.syStep;
      if (sy < 0) continue;
      int iy = (int)sy;
      if (iy < a.t || iy >= a.b) continue;
      Raster_PixelValue* dp = job.dst.row(job.dy + j) + job.dx;
      int y0 = iy - rad < a.t ? a.t : iy - rad;
      int y1 = iy + rad >= a.b ? a.b - 1 : iy + rad;
      int64_t fx = job.fx0;
      for (int i = 0; i < job.w; ++i, fx += job.fxStep) {
        int64_t ix64 = fx >> 16;
        if (ix64 < a.l || ix64 >= a.r) continue;
        int ix = (int)ix64;
        int x0 = ix - rad < a.l ? a.l : ix - rad;
        int x1 = ix + rad >= a.r ? a.r - 1 : ix + rad;
        int64_t sum[4] = {0, 0, 0, 0};
        int64_t total = 0;
        for (int y = y0; y <= y1; ++y) {
          const int* trow = tap[y - iy + 2];
          const unsigned char* sp = (const unsigned char*)job.src.row(y);
          for (int x = x0; x <= x1; ++x) {
            int wt = trow[x - ix + 2];
            const unsigned char* p = sp + 4 * x;
            sum[0] += (int64_t)p[0] * wt;
            sum[1] += (int64_t)p[1] * wt;
            sum[2] += (int64_t)p[2] * wt;
            sum[3] += (int64_t)p[3] * wt;
            total += wt;
          }
        }
        C::doPix((unsigned char*)(dp + i), (int)(sum[kRasterByteR] / total),
                 (int)(sum[kRasterByteG] / total), (int)(sum[kRasterByteB] / total),
                 (int)(sum[kRasterByteA] / total), job.weight);
      }
    }
  }

  static void deltaBlit(const Raster_DeltaJob& job) {
    const Raster_SourceArea& a = job.area;
    int64_t rowS = job.s0, rowT = job.t0, sdx = job.sdx, tdx = job.tdx;
    for (int j = 0; j < job.h; ++j) {
      Raster_PixelValue* dp = job.dst.row(job.dy + j) + job.dx;
      int64_t s = rowS + job.skipCols * sdx;
      int64_t t = rowT + job.skipCols * tdx;
      for (int i = 0; i < job.w; ++i, s += sdx, t += tdx) {
        int64_t ix64 = s >> 16, iy64 = t >> 16;
        if (ix64 < a.l || ix64 >= a.r || iy64 < a.t || iy64 >= a.b) continue;
        int ix = (int)ix64, iy = (int)iy64;
        if (job.filter) {
          int c[4];
          Raster_SampleBilinear(job.src, a, ix, iy, (int)(s & 0xFFFF), (int)(t & 0xFFFF), c);
          C::doPix((unsigned char*)(dp + i), c[kRasterByteR], c[kRasterByteG], c[kRasterByteB],
                   c[kRasterByteA], job.weight);
        } else {
          const unsigned char* sb = (const unsigned char*)(job.src.row(iy) + ix);
          C::doPix((unsigned char*)(dp + i), sb[kRasterByteR], sb[kRasterByteG], sb[kRasterByteB],
                   sb[kRasterByteA], job.weight);
        }
      }
      rowS += job.sdy;
      rowT += job.tdy;
      sdx += job.sdxy;
      tdx += job.tdxy;
    }
  }
};
