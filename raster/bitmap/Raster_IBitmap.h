#pragma once
// Abstract 32-bit bitmap: rows of Raster_PixelValue, getRowSpan() pixels apart. Row 0 in
// memory is the top row unless isFlipped() answers true (then it is the bottom row).

#include "raster/bitmap/Raster_Pixel.h"

class Raster_IBitmap {
 public:
  virtual ~Raster_IBitmap() {}
  virtual Raster_PixelValue* getBits() = 0;  // first pixel of memory row 0, null when empty
  virtual int getWidth() = 0;
  virtual int getHeight() = 0;
  virtual int getRowSpan() = 0;  // pixels from one row to the next
  virtual bool isFlipped() { return false; }
  // True when the size changed (even if storage could not be had), false when unchanged.
  virtual bool resize(int w, int h) = 0;
  virtual void* getDC() { return nullptr; }  // system drawing context, if any
  virtual int Extended(int id, void* data) {
    (void)id;
    (void)data;
    return 0;
  }
};

// Row addressing that honours the row span and the flipped flag: row(y) is the visible row y
// counted from the top. Null-safe: a bitmap without pixels yields an empty view.
struct Raster_RowView {
  Raster_PixelValue* base = nullptr;  // visible row 0
  long step = 0;                      // pixels from visible row y to y + 1
  int w = 0;
  int h = 0;

  explicit Raster_RowView(Raster_IBitmap* bmp, bool honourFlip = true) {
    if (!bmp) return;
    Raster_PixelValue* bits = bmp->getBits();
    int bw = bmp->getWidth(), bh = bmp->getHeight();
    if (!bits || bw <= 0 || bh <= 0) return;
    long span = bmp->getRowSpan();
    w = bw;
    h = bh;
    if (honourFlip && bmp->isFlipped()) {
      base = bits + (long)(bh - 1) * span;
      step = -span;
    } else {
      base = bits;
      step = span;
    }
  }
  bool empty() const { return base == nullptr; }
  Raster_PixelValue* row(int y) const { return base + (long)y * step; }

  // Clips the rectangle (x, y, w, h) to the view, in 64-bit arithmetic so extreme positions and
  // sizes cannot overflow; false when nothing is left. skipX and skipY, when given, receive how
  // far the origin moved right and down (the columns and rows cut off at the left and top).
  bool clip(int& x, int& y, int& rw, int& rh, int* skipX = nullptr, int* skipY = nullptr) const {
    long long sx = 0, sy = 0;
    if (!clipSpan(w, x, rw, sx) || !clipSpan(h, y, rh, sy)) return false;
    if (skipX) *skipX = (int)sx;
    if (skipY) *skipY = (int)sy;
    return true;
  }

 private:
  static bool clipSpan(int limit, int& pos, int& len, long long& skipped) {
    long long p = pos, l = len;
    if (p < 0) {
      skipped = -p;
      l += p;
      p = 0;
    }
    if (l > limit - p) l = limit - p;
    if (l <= 0) return false;
    pos = (int)p;
    len = (int)l;
    return true;
  }
};
