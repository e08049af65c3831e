#pragma once
// Abstract 32-bit bitmap: rows of Raster_PixelValue, getRowSpan() pixels apart. Row 0 in
// memory is the top row unless isFlipped() answers true (then it is the bottom row).

#include "raster/bitmap/Raster_Pixel.h"

class Raster_IBitmap
{
public:
  virtual ~Raster_IBitmap() {}
  virtual Raster_PixelValue* getBits() = 0;   // first pixel of memory row 0, null when empty
  virtual int getWidth() = 0;
  virtual int getHeight() = 0;
  virtual int getRowSpan() = 0;                // pixels from one row to the next
  virtual bool isFlipped() { return false; }
  // True when the size changed (even if storage could not be had), false when unchanged.
  virtual bool resize(int w, int h) = 0;
  virtual void* getDC() { return nullptr; }    // system drawing context, if any
  virtual int Extended(int id, void* data)
  {
    (void)id;
    (void)data;
    return 0;
  }
};

// Row addressing that honours the row span and the flipped flag: row(y) is the visible row y
// counted from the top. Null-safe: a bitmap without pixels yields an empty view.
struct Raster_RowView
{
  Raster_PixelValue* base = nullptr; // visible row 0
  long step = 0;                     // pixels from visible row y to y + 1
  int w = 0;
  int h = 0;

  explicit Raster_RowView(Raster_IBitmap* bmp, bool honourFlip = true)
  {
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
};
