#pragma once
// Writes a raster bitmap as an 8-bit RGBA PNG file.

#include "raster/bitmap/Raster_IBitmap.h"

// True when the whole file was written.
bool Gallery_WritePNG(Raster_IBitmap* bmp, const char* path);
