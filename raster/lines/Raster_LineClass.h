#pragma once
// The line loops, written once over the combine class C. Rows are addressed through a
// Raster_RowView in memory order (callers have already mapped y for flipped bitmaps). Every
// member takes coordinates that the caller has clipped; the stepping loops still test each
// pixel against the bitmap, so rounding at a clipped end can never write outside it.

#include "raster/lines/Raster_DrawRule.h"

#include <cmath>
#include <cstdlib>

template <class C>
struct __Raster_LineClass {
  static inline void put(const Raster_RowView& v, int x, int y, Raster_PixelValue c, int w) {
    if (Raster_InBitmap(v, x, y)) Raster_ShapePut<C>(v.row(y) + x, c, w);
  }

  // Columns x1..x2 (either order, both included) of one row, already inside the bitmap.
  static void Raster_HorizLine(Raster_PixelValue* row, int x1, int x2, Raster_PixelValue c, int w) {
    if (x1 > x2) std::swap(x1, x2);
    for (int x = x1; x <= x2; ++x) Raster_ShapePut<C>(row + x, c, w);
  }

  // Rows y1..y2 (either order, both included) of one column, already inside the bitmap.
  static void Raster_VertLine(const Raster_RowView& v, int x, int y1, int y2, Raster_PixelValue c,
                              int w) {
    if (y1 > y2) std::swap(y1, y2);
    for (int y = y1; y <= y2; ++y) Raster_ShapePut<C>(v.row(y) + x, c, w);
  }

  // n + 1 pixels from (x, y) stepping (sx, sy) each time. Smoothed: the pixel on the line gets
  // 3/4 of the weight and the two pixels touching the next step, (x + sx, y) and (x, y + sy),
  // 1/4 each; the last pixel 3/4.
  static void Raster_DiagLine(const Raster_RowView& v, int x, int y, int n, int sx, int sy,
                              Raster_PixelValue c, int w, bool aa) {
    if (!aa) {
      for (int i = 0; i <= n; ++i, x += sx, y += sy) put(v, x, y, c, w);
      return;
    }
    const int on = w * 3 / 4, side = w / 4;
    for (int i = 0; i < n; ++i, x += sx, y += sy) {
      put(v, x, y, c, on);
      put(v, x + sx, y, c, side);
      put(v, x, y + sy, c, side);
    }
    put(v, x, y, c, on);
  }

  // Any slope, integer end points. The major axis is the longer one, s = minor / major.
  // Plain: an error from 0 grows by s per pixel and steps the minor axis when above 0.5.
  // Smoothed: the first pixel gets w; then with e from s, f = (int)(e * 256), each pixel gets
  // w * (256 - f) / 256 and its minor-axis neighbour w * f / 256, stepping the minor axis when
  // e exceeds 1; the last pixel gets the share of the last f computed.
  static void Raster_LineImpl(const Raster_RowView& v, int x1, int y1, int x2, int y2,
                              Raster_PixelValue c, int w, bool aa) {
    const int dx = x2 - x1, dy = y2 - y1;
    const int adx = std::abs(dx), ady = std::abs(dy);
    const int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
    const bool steep = ady > adx;
    const int n = steep ? ady : adx;
    if (n == 0) {
      put(v, x1, y1, c, w);
      return;
    }
    const double s = steep ? (double)adx / ady : (double)ady / adx;
    const int mx = steep ? 0 : sx, my = steep ? sy : 0;  // major step
    const int nx = steep ? sx : 0, ny = steep ? 0 : sy;  // minor step
    int x = x1, y = y1;
    if (!aa) {
      double e = 0;
      for (int i = 0; i <= n; ++i) {
        put(v, x, y, c, w);
        e += s;
        if (e > 0.5) {
          x += nx;
          y += ny;
          e -= 1;
        }
        x += mx;
        y += my;
      }
      return;
    }
    put(v, x, y, c, w);
    x += mx;
    y += my;
    double e = s;
    int f = 0;
    for (int i = 1; i < n; ++i) {
      f = (int)(e * 256);
      put(v, x, y, c, w * (256 - f) / 256);
      if (f) put(v, x + nx, y + ny, c, w * f / 256);
      e += s;
      if (e > 1) {
        x += nx;
        y += ny;
        e -= 1;
      }
      x += mx;
      y += my;
    }
    put(v, x, y, c, w * (256 - f) / 256);
  }

  // Float end points. Major axis: the larger extent (ties to x); n = (int)extent pixels after
  // the first, which is ((int)x1, (int)y1). The error starts at the fractional part of the
  // start's minor coordinate (1 - it when the line runs toward smaller minor coordinates).
  // Smoothed: each pixel shares w with its minor-axis neighbour by f = (int)(e * 256) and the
  // minor axis steps when e exceeds 1. Plain: 0.5-threshold stepping from 0 at full weight.
  static void Raster_FLineImpl(const Raster_RowView& v, float x1, float y1, float x2, float y2,
                               Raster_PixelValue c, int w, bool aa) {
    const float dx = x2 - x1, dy = y2 - y1;
    const float adx = std::fabs(dx), ady = std::fabs(dy);
    const bool steep = ady > adx;
    const float ext = steep ? ady : adx;
    const float lim = (float)(v.w + v.h + 2);  // a clipped line is never longer
    if (!(ext < lim)) return;
    const int n = (int)ext;
    const float s = ext > 0 ? (steep ? adx : ady) / ext : 0.0f;
    const int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
    const int mx = steep ? 0 : sx, my = steep ? sy : 0;
    const int nx = steep ? sx : 0, ny = steep ? 0 : sy;
    int x = Raster_TruncToInt(x1), y = Raster_TruncToInt(y1);
    if (!aa) {
      float e = 0;
      for (int i = 0; i <= n; ++i) {
        put(v, x, y, c, w);
        e += s;
        if (e > 0.5f) {
          x += nx;
          y += ny;
          e -= 1;
        }
        x += mx;
        y += my;
      }
      return;
    }
    const float m0 = steep ? x1 : y1;
    float e = m0 - std::floor(m0);
    if ((steep ? dx < 0 : dy < 0) && e != 0) e = 1 - e;
    for (int i = 0; i <= n; ++i) {
      const int f = (int)(e * 256);
      put(v, x, y, c, w * (256 - f) / 256);
      if (f) put(v, x + nx, y + ny, c, w * f / 256);
      e += s;
      if (e > 1) {
        x += nx;
        y += ny;
        e -= 1;
      }
      x += mx;
      y += my;
    }
  }
};
