#pragma once
// Bitmap whose pixels belong to a GDI memory context, so system drawing (text, paths) and the
// raster library work on the same memory. Shrinking keeps the context; growing makes a new one.

#include "raster/bitmap/Raster_IBitmap.h"

#include "gdi_compat/GDI_Types.h"

class Raster_SysBitmap : public Raster_IBitmap {
 public:
  Raster_SysBitmap(int w = 0, int h = 0);
  ~Raster_SysBitmap() override;
  Raster_SysBitmap(const Raster_SysBitmap&) = delete;
  Raster_SysBitmap& operator=(const Raster_SysBitmap&) = delete;

  Raster_PixelValue* getBits() override { return m_pixels; }
  int getWidth() override { return m_w; }
  int getHeight() override { return m_h; }
  int getRowSpan() override { return m_spanw; }
  bool resize(int w, int h) override;
  void* getDC() override { return m_ctx; }

 private:
  int m_w;
  int m_h;
  Raster_PixelValue* m_pixels;
  HDC m_ctx;
  int m_spanw;  // width the context was created with: the row span
  int m_spanh;  // height the context was created with
};
