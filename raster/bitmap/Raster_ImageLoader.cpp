#include "raster/bitmap/Raster_ImageLoader.h"

#include <cstring>

Raster_ImageLoader* Raster_ImageLoader_list = nullptr;

const char* Raster_FileExtension(const char* filename) {
  if (!filename) return "";
  const char* ext = filename;
  for (const char* p = filename; *p; ++p)
    if (*p == '.' || *p == '/' || *p == '\\') ext = p;
  return ext;
}

Raster_IBitmap* Raster_LoadPNGFromResource(void*, int, Raster_IBitmap*) { return nullptr; }
Raster_IBitmap* Raster_LoadJPGFromResource(void*, int, Raster_IBitmap*) { return nullptr; }
