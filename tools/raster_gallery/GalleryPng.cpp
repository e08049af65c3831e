#include "GalleryPng.h"

#include <cstdio>
#include <string>

#include "raster/bitmap/Raster_PNGWriter.h"

bool Gallery_WritePNG(Raster_IBitmap* bmp, const char* path) {
  std::string bytes;
  if (!Raster_EncodePNG(bmp, &bytes)) return false;
  FILE* f = std::fopen(path, "wb");
  if (!f) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}
