#pragma once
// Bitmap in plain heap memory; the row span equals the width.

#include "raster/bitmap/Raster_IBitmap.h"

class Raster_MemBitmap : public Raster_IBitmap {
 public:
  Raster_MemBitmap(int w = 0, int h = 0);
  ~Raster_MemBitmap() override;
  Raster_MemBitmap(const Raster_MemBitmap&) = delete;
  Raster_MemBitmap& operator=(const Raster_MemBitmap&) = delete;

  Raster_PixelValue* getBits() override { return m_pixels; }
  int getWidth() override { return m_w; }
  int getHeight() override { return m_h; }
  int getRowSpan() override { return m_w; }
  bool resize(int w, int h) override;

  int getCapacity() const { return m_capacity; }  // bytes allocated for the pixels

 private:
  Raster_PixelValue* m_pixels;
  int m_w;
  int m_h;
  int m_capacity;
};
