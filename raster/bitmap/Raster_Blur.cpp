// Soft blur: each pixel half itself, the rest shared among its neighbours inside the area.

#include "raster/bitmap/Raster_PixelUtil.h"

#include <cstdlib>
#include <cstring>

namespace {

inline Raster_PixelValue h2(Raster_PixelValue p) { return (p >> 1) & 0x7F7F7F7Fu; }
inline Raster_PixelValue h4(Raster_PixelValue p) { return (p >> 2) & 0x3F3F3F3Fu; }
inline Raster_PixelValue h8(Raster_PixelValue p) { return (p >> 3) & 0x1F1F1F1Fu; }

// One output row from the source row and its neighbours (null when outside the area).
void blurRow(Raster_PixelValue* out, const Raster_PixelValue* up, const Raster_PixelValue* mid,
             const Raster_PixelValue* down, int w) {
  for (int i = 0; i < w; ++i) {
    Raster_PixelValue v = h2(mid[i]);
    if (i == 0)
      v += h4(mid[1]);
    else if (i == w - 1)
      v += h4(mid[w - 2]);
    else
      v += h8(mid[i - 1]) + h8(mid[i + 1]);
    if (!up)
      v += h4(down[i]);
    else if (!down)
      v += h4(up[i]);
    else
      v += h8(up[i]) + h8(down[i]);
    out[i] = v;
  }
}

}  // namespace

void Raster_Blur(Raster_IBitmap* dest, Raster_IBitmap* src, int destX, int destY, int srcX,
                 int srcY, int srcW, int srcH) {
  Raster_RowView d(dest), s(src);
  if (d.empty() || s.empty()) return;
  int x0 = srcX < 0 ? 0 : srcX, y0 = srcY < 0 ? 0 : srcY;
  int x1 = srcX + srcW < s.w ? srcX + srcW : s.w;
  int y1 = srcY + srcH < s.h ? srcY + srcH : s.h;
  if (destX < 0) {
    x0 -= destX;
    destX = 0;
  }
  if (destY < 0) {
    y0 -= destY;
    destY = 0;
  }
  if (x1 - x0 > d.w - destX) x1 = x0 + d.w - destX;
  if (y1 - y0 > d.h - destY) y1 = y0 + d.h - destY;
  const int w = x1 - x0, h = y1 - y0;
  if (w < 2 || h < 2) return;

  if (dest != src) {
    for (int j = 0; j < h; ++j) {
      const Raster_PixelValue* mid = s.row(y0 + j) + x0;
      const Raster_PixelValue* up = j > 0 ? s.row(y0 + j - 1) + x0 : nullptr;
      const Raster_PixelValue* down = j < h - 1 ? s.row(y0 + j + 1) + x0 : nullptr;
      blurRow(d.row(destY + j) + destX, up, mid, down, w);
    }
    return;
  }

  if (destX != x0 || destY != y0) {
    // Same bitmap, shifted: work from a copy of the source area so no output feeds an input.
    // Without memory for the copy nothing is drawn (no exception leaves the library).
    Raster_PixelValue* copy = (Raster_PixelValue*)malloc((size_t)w * h * 4);
    if (!copy) return;
    for (int j = 0; j < h; ++j) memcpy(copy + (size_t)j * w, s.row(y0 + j) + x0, (size_t)w * 4);
    for (int j = 0; j < h; ++j) {
      const Raster_PixelValue* mid = copy + (size_t)j * w;
      blurRow(d.row(destY + j) + destX, j > 0 ? mid - w : nullptr, mid,
              j < h - 1 ? mid + w : nullptr, w);
    }
    free(copy);
    return;
  }

  // In place: save each row before it is overwritten; the row above comes from the other buffer.
  // Rows up to the editor's width and beyond keep both saved rows on the stack.
  const int kStackRowPixels = 1024;
  Raster_PixelValue stackBuf[2 * kStackRowPixels];
  Raster_PixelValue* heapBuf = nullptr;
  Raster_PixelValue* buf = stackBuf;
  if (w > kStackRowPixels) {
    heapBuf = (Raster_PixelValue*)malloc((size_t)w * 2 * 4);
    if (!heapBuf) return;
    buf = heapBuf;
  }
  Raster_PixelValue* saved[2] = {buf, buf + w};
  for (int j = 0; j < h; ++j) {
    Raster_PixelValue* row = s.row(y0 + j) + x0;
    Raster_PixelValue* cur = saved[j & 1];
    memcpy(cur, row, (size_t)w * 4);
    const Raster_PixelValue* up = j > 0 ? saved[(j - 1) & 1] : nullptr;
    const Raster_PixelValue* down = j < h - 1 ? s.row(y0 + j + 1) + x0 : nullptr;
    blurRow(row, up, cur, down, w);
  }
  free(heapBuf);
}
