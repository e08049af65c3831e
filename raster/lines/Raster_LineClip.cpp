// Segment clipping for the integer and float lines (and the curves' straight pieces).

#include "raster/lines/Raster_LineClip.h"
#include "raster/lines/Raster_Lines.h"

#include <cmath>

namespace {

// Each point moves at most twice (one horizontal, one vertical edge) in exact arithmetic;
// truncation can add a move. Anything beyond this bound is a degenerate segment: rejected.
const int kMaxClipMoves = 8;

template <class T, class Lim>
int outcode(T x, T y, Lim w, Lim h) {
  int c = 0;
  if (x < 0)
    c |= 1;
  else if (x >= w)
    c |= 2;
  if (y < 0)
    c |= 4;
  else if (y >= h)
    c |= 8;
  return c;
}

// Codes of a float point on its truncated coordinates: trunc(v) < 0 exactly when v <= -1.
int foutcode(float x, float y, int w, int h) {
  int c = 0;
  if (x <= -1.0f)
    c |= 1;
  else if (x >= (float)w)
    c |= 2;
  if (y <= -1.0f)
    c |= 4;
  else if (y >= (float)h)
    c |= 8;
  return c;
}

}  // namespace

bool Raster_ClipLineToSize(long long* x1, long long* y1, long long* x2, long long* y2, long long w,
                           long long h) {
  if (w <= 0 || h <= 0) return false;
  int c1 = outcode(*x1, *y1, w, h), c2 = outcode(*x2, *y2, w, h);
  for (int moves = 0; c1 | c2; ++moves) {
    if ((c1 & c2) || moves >= kMaxClipMoves) return false;
    const int c = c1 ? c1 : c2;
    const double X1 = (double)*x1, Y1 = (double)*y1, DX = (double)(*x2 - *x1),
                 DY = (double)(*y2 - *y1);
    long long x, y;
    if (c & 8) {
      x = *x1 + (long long)std::trunc(DX * ((double)h - Y1) / DY);
      y = h - 1;
    } else if (c & 4) {
      x = *x1 + (long long)std::trunc(DX * (-Y1) / DY);
      y = 0;
    } else if (c & 2) {
      y = *y1 + (long long)std::trunc(DY * ((double)w - X1) / DX);
      x = w - 1;
    } else {
      y = *y1 + (long long)std::trunc(DY * (-X1) / DX);
      x = 0;
    }
    if (c == c1) {
      *x1 = x;
      *y1 = y;
      c1 = outcode(x, y, w, h);
    } else {
      *x2 = x;
      *y2 = y;
      c2 = outcode(x, y, w, h);
    }
  }
  return true;
}

namespace {
// x1 + dx * num / den in float; in double when float overflows on extreme coordinates.
float crossing(float base, float d, float num, float den, double dbase, double dd, double dnum,
               double dden) {
  float r = base + d * num / den;
  if (std::isfinite(r)) return r;
  return (float)(dbase + dd * dnum / dden);
}
}  // namespace

bool Raster_ClipFLineToSize(float* x1, float* y1, float* x2, float* y2, int w, int h) {
  if (w <= 0 || h <= 0) return false;
  if (!std::isfinite(*x1) || !std::isfinite(*y1) || !std::isfinite(*x2) || !std::isfinite(*y2))
    return false;
  int c1 = foutcode(*x1, *y1, w, h), c2 = foutcode(*x2, *y2, w, h);
  for (int moves = 0; c1 | c2; ++moves) {
    if ((c1 & c2) || moves >= kMaxClipMoves) return false;
    const int c = c1 ? c1 : c2;
    const float dx = *x2 - *x1, dy = *y2 - *y1;
    const double ddx = (double)*x2 - *x1, ddy = (double)*y2 - *y1;
    float x, y;
    if (c & 8) {
      x = crossing(*x1, dx, (float)h - *y1, dy, *x1, ddx, (double)h - *y1, ddy);
      y = (float)(h - 1);
    } else if (c & 4) {
      x = crossing(*x1, dx, -*y1, dy, *x1, ddx, -(double)*y1, ddy);
      y = 0.0f;
    } else if (c & 2) {
      y = crossing(*y1, dy, (float)w - *x1, dx, *y1, ddy, (double)w - *x1, ddx);
      x = (float)(w - 1);
    } else {
      y = crossing(*y1, dy, -*x1, dx, *y1, ddy, -(double)*x1, ddx);
      x = 0.0f;
    }
    if (!std::isfinite(x) || !std::isfinite(y)) return false;
    if (c == c1) {
      *x1 = x;
      *y1 = y;
      c1 = foutcode(x, y, w, h);
    } else {
      *x2 = x;
      *y2 = y;
      c2 = foutcode(x, y, w, h);
    }
  }
  return true;
}

bool Raster_ClipLine(int* x1, int* y1, int* x2, int* y2, int xLo, int yLo, int xHi, int yHi) {
  if (!x1 || !y1 || !x2 || !y2) return false;
  long long X1 = (long long)*x1 - xLo, Y1 = (long long)*y1 - yLo;
  long long X2 = (long long)*x2 - xLo, Y2 = (long long)*y2 - yLo;
  if (!Raster_ClipLineToSize(&X1, &Y1, &X2, &Y2, (long long)xHi - xLo, (long long)yHi - yLo))
    return false;
  *x1 = (int)(X1 + xLo);
  *y1 = (int)(Y1 + yLo);
  *x2 = (int)(X2 + xLo);
  *y2 = (int)(Y2 + yLo);
  return true;
}
