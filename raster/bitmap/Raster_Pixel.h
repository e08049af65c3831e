#pragma once
// The raster library's pixel: one 32-bit value whose bytes in memory are alpha, red, green,
// blue (byte 0 alpha). Read as a little-endian integer: alpha | red << 8 | green << 16 |
// blue << 24. Colours are straight, not multiplied by alpha.

#include <cstdint>

typedef uint32_t Raster_PixelValue;

// Byte positions of the channels inside a pixel in memory.
enum { kRasterByteA = 0, kRasterByteR = 1, kRasterByteG = 2, kRasterByteB = 3 };

inline int Raster_GetA(Raster_PixelValue p) { return (int)(p & 0xFF); }
inline int Raster_GetR(Raster_PixelValue p) { return (int)((p >> 8) & 0xFF); }
inline int Raster_GetG(Raster_PixelValue p) { return (int)((p >> 16) & 0xFF); }
inline int Raster_GetB(Raster_PixelValue p) { return (int)(p >> 24); }

inline Raster_PixelValue Raster_MakePixel(int r, int g, int b, int a) {
  return (Raster_PixelValue)(a & 0xFF) | ((Raster_PixelValue)(r & 0xFF) << 8) |
         ((Raster_PixelValue)(g & 0xFF) << 16) | ((Raster_PixelValue)(b & 0xFF) << 24);
}

// The blit interface takes the GDI layer's RECT (left, top, right, bottom).
#include "gdi_compat/GDI_Types.h"
