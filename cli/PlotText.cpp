#include "cli/PlotText.h"

#include "gdi_compat/GDI.h"

namespace cli {

void DrawPlotText(Raster_IBitmap* bitmap, int x, int y, TextAnchor anchor, int sizePx,
                  Raster_PixelValue color, const std::string& text) {
  HDC dc = static_cast<HDC>(bitmap->getDC());
  if (!dc) return;
  HFONT font = CreateFont(sizePx, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  if (!font) return;
  HGDIOBJ previous = SelectObject(dc, font);
  SetTextColor(dc, static_cast<COLORREF>(Raster_GetR(color) << 16 | Raster_GetG(color) << 8 |
                                         Raster_GetB(color)));
  // A rectangle far larger than any label, placed so that the alignment flags put the text
  // at the anchor; nothing is clipped.
  const int kFar = 4096;
  RECT rect = {x, y, x + kFar, y + kFar};
  int flags = DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP;
  if (anchor == TextAnchor::TopCenter) {
    rect = {x - kFar, y, x + kFar, y + kFar};
    flags |= DT_CENTER;
  } else if (anchor == TextAnchor::MiddleRight) {
    rect = {x - kFar, y - kFar, x, y + kFar};
    flags |= DT_RIGHT | DT_VCENTER;
  }
  GDI_DrawText(dc, text.c_str(), -1, &rect, flags);
  SelectObject(dc, previous);
  DeleteObject(font);
}

}  // namespace cli
