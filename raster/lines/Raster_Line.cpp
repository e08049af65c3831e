// Integer and float lines.

#include "raster/lines/Raster_LineClass.h"
#include "raster/lines/Raster_LineClip.h"
#include "raster/lines/Raster_Lines.h"

namespace {

inline Raster_PixelValue half(Raster_PixelValue p) { return (p >> 1) & 0x7F7F7F7F; }
inline Raster_PixelValue quarter(Raster_PixelValue p) { return (p >> 2) & 0x3F3F3F3F; }

// Smoothed diagonal in copy mode at full opacity, on whole pixels: the pixel on the line
// becomes 3/4 colour + 1/4 old, the two pixels touching the next step 1/4 colour + 3/4 old
// (each fraction by per-byte halving and quartering).
void diagCopyFull(const Raster_RowView& v, int x, int y, int n, int sx, int sy,
                  Raster_PixelValue c) {
  const Raster_PixelValue on = half(c) + quarter(c), side = quarter(c);
  auto put = [&](int px, int py, bool onLine) {
    if (!Raster_InBitmap(v, px, py)) return;
    Raster_PixelValue* p = v.row(py) + px;
    *p = onLine ? on + quarter(*p) : side + half(*p) + quarter(*p);
  };
  for (int i = 0; i < n; ++i, x += sx, y += sy) {
    put(x, y, true);
    put(x + sx, y, false);
    put(x, y + sy, false);
  }
  put(x, y, true);
}

}  // namespace

void Raster_Line(Raster_IBitmap* dest, int x1, int y1, int x2, int y2, unsigned int color,
                 float alpha, int mode, bool aa) {
  Raster_RowView v(dest, false);
  if (v.empty()) return;
  long long X1 = x1, Y1 = y1, X2 = x2, Y2 = y2;
  if (dest->isFlipped()) {
    Y1 = v.h - 1 - Y1;
    Y2 = v.h - 1 - Y2;
  }
  if (!Raster_ClipLineToSize(&X1, &Y1, &X2, &Y2, v.w, v.h)) return;
  x1 = (int)X1;
  y1 = (int)Y1;
  x2 = (int)X2;
  y2 = (int)Y2;

  const int w = Raster_WeightOf(alpha);
  const int adx = x2 > x1 ? x2 - x1 : x1 - x2, ady = y2 > y1 ? y2 - y1 : y1 - y2;
  const bool sloped = adx != 0 && ady != 0;
  // Sloped smoothed lines mix in copy mode at every opacity (a store or half mix cannot carry
  // a coverage weight), except the full-opacity diagonal, which has its own whole-pixel rule.
  const bool copyMixes = aa && sloped;
  if (copyMixes && adx == ady && (mode & 0xFF) == kBlitCopy && alpha == 1.0f) {
    diagCopyFull(v, x1, y1, adx, x2 > x1 ? 1 : -1, y2 > y1 ? 1 : -1, color);
    return;
  }
  Raster_WithShapeCombine(Raster_ShapeCombineKind(mode, alpha, copyMixes), [&](auto rule) {
    using L = __Raster_LineClass<typename decltype(rule)::type>;
    if (adx == 0)
      L::Raster_VertLine(v, x1, y1, y2, color, w);
    else if (ady == 0)
      L::Raster_HorizLine(v.row(y1), x1, x2, color, w);
    else if (adx == ady)
      L::Raster_DiagLine(v, x1, y1, adx, x2 > x1 ? 1 : -1, y2 > y1 ? 1 : -1, color, w, aa);
    else
      L::Raster_LineImpl(v, x1, y1, x2, y2, color, w, aa);
  });
}

void Raster_FLine(Raster_IBitmap* dest, float x1, float y1, float x2, float y2, unsigned int color,
                  float alpha, int mode, bool aa) {
  Raster_RowView v(dest, false);
  if (v.empty()) return;
  if (dest->isFlipped()) {
    y1 = (float)(v.h - 1) - y1;
    y2 = (float)(v.h - 1) - y2;
  }
  if (!Raster_ClipFLineToSize(&x1, &y1, &x2, &y2, v.w, v.h)) return;
  if (alpha == 0.0f || !Raster_DrawableAlpha(alpha)) return;
  const int w = Raster_WeightOf(alpha);
  Raster_WithShapeCombine(Raster_CombineKindOfLowByte(mode), [&](auto rule) {
    __Raster_LineClass<typename decltype(rule)::type>::Raster_FLineImpl(v, x1, y1, x2, y2, color, w,
                                                                        aa);
  });
}
