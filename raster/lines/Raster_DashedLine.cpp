// Dashed horizontal and vertical lines.

#include "raster/lines/Raster_LineClass.h"
#include "raster/lines/Raster_LineClip.h"
#include "raster/lines/Raster_Lines.h"

void Raster_DashedLine(Raster_IBitmap* dest, int x1, int y1, int x2, int y2, int pxon, int pxoff,
                       unsigned int color, float alpha, int mode, bool aa) {
  (void)aa;
  Raster_RowView v(dest, false);
  if (v.empty()) return;
  // A dash of no pixels draws nothing. A gap so negative that a dash and its gap do not move
  // forward would never finish (or walk backwards out of the bitmap): drawn as no gap. A
  // smaller negative gap just overlaps the dashes.
  if (pxon <= 0) return;
  if ((long long)pxon + pxoff <= 0) pxoff = 0;
  long long X1 = x1, Y1 = y1, X2 = x2, Y2 = y2;
  if (dest->isFlipped()) {
    Y1 = v.h - 1 - Y1;
    Y2 = v.h - 1 - Y2;
  }
  if (!Raster_ClipLineToSize(&X1, &Y1, &X2, &Y2, v.w, v.h)) return;
  if (X1 > X2) std::swap(X1, X2);
  if (Y1 > Y2) std::swap(Y1, Y2);
  const bool vertical = X1 == X2;
  if (!vertical && Y1 != Y2) return;
  const long long end = vertical ? Y2 : X2;
  const int fixed = (int)(vertical ? X1 : Y1);
  const int w = Raster_WeightOf(alpha);

  Raster_WithShapeCombine(Raster_ShapeCombineKind(mode, alpha), [&](auto rule) {
    using C = typename decltype(rule)::type;
    auto dash = [&](long long from, long long count) {
      for (long long i = from; i < from + count; ++i) {
        Raster_PixelValue* p = vertical ? v.row((int)i) + fixed : v.row(fixed) + i;
        Raster_ShapePut<C>(p, color, w);
      }
    };
    long long pos = vertical ? Y1 : X1;
    while (pos < end - pxon) {
      dash(pos, pxon);
      pos += (long long)pxon + pxoff;
    }
    const long long rest = end - pos < pxon ? end - pos : pxon;
    if (rest > 0) dash(pos, rest);
  });
}
