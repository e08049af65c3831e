#pragma once
// The bitmap a loader decodes into: the caller's, resized to the image, or a new memory bitmap.

#include "raster/bitmap/Raster_ImageLoader.h"
#include "raster/bitmap/Raster_MemBitmap.h"

// Null when the image is too large or the bitmap cannot take its size; *created tells whether
// the returned bitmap is a new one the loader must delete on a later failure.
inline Raster_IBitmap* Raster_ImageTarget(Raster_IBitmap* bmp, int w, int h, bool* created) {
  *created = false;
  if (w <= 0 || h <= 0 || (long long)w * h > kRasterMaxImagePixels) return nullptr;
  if (bmp) {
    bmp->resize(w, h);
    if (bmp->getWidth() != w || bmp->getHeight() != h || !bmp->getBits()) return nullptr;
    return bmp;
  }
  Raster_MemBitmap* mem = new Raster_MemBitmap(w, h);
  if (!mem->getBits()) {
    delete mem;
    return nullptr;
  }
  *created = true;
  return mem;
}
