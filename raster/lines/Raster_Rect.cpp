// Rectangle outlines and bordered rectangles, built on the integer line and the fill.

#include "raster/blit/Raster_Blit.h"
#include "raster/lines/Raster_DrawRule.h"
#include "raster/lines/Raster_Lines.h"

namespace {
// a + b pinned to the int range: an edge that far out is outside any bitmap either way.
inline int addSat(int a, int b) { return (int)Raster_SatToInt((long long)a + b); }
}  // namespace

void Raster_DrawRect(Raster_IBitmap* dest, int x, int y, int w, int h, unsigned int color,
                     float alpha, int mode) {
  if (!dest) return;
  const int r = addSat(x, w), b = addSat(y, h);
  Raster_Line(dest, x, y, r, y, color, alpha, mode, false);
  Raster_Line(dest, r, y, r, b, color, alpha, mode, false);
  Raster_Line(dest, r, b, x, b, color, alpha, mode, false);
  Raster_Line(dest, x, b, x, y, color, alpha, mode, false);
}

void Raster_BorderedRect(Raster_IBitmap* dest, int x, int y, int w, int h, unsigned int bgcolor,
                         unsigned int fgcolor, float alpha, int mode) {
  if (!dest || !Raster_DrawableAlpha(alpha)) return;
  // The interior, clipped here in 64 bits so the fill only ever sees a rectangle on the bitmap.
  long long l = (long long)x + 1, t = (long long)y + 1, r = (long long)x + w, b = (long long)y + h;
  if (l < 0) l = 0;
  if (t < 0) t = 0;
  if (r > dest->getWidth()) r = dest->getWidth();
  if (b > dest->getHeight()) b = dest->getHeight();
  if (l < r && t < b)
    Raster_FillRect(dest, (int)l, (int)t, (int)(r - l), (int)(b - t), bgcolor, alpha, mode);
  Raster_DrawRect(dest, x, y, w, h, fgcolor, alpha, mode);
}
