#include "GalleryPng.h"

#include <png.h>

#include <cstdio>
#include <vector>

bool Gallery_WritePNG(Raster_IBitmap* bmp, const char* path) {
  Raster_RowView v(bmp);
  if (v.empty()) return false;
  FILE* f = std::fopen(path, "wb");
  if (!f) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  std::vector<png_byte> row((size_t)v.w * 4);
  bool ok = false;
  if (png && info && !setjmp(png_jmpbuf(png))) {
    png_init_io(png, f);
    png_set_IHDR(png, info, (png_uint_32)v.w, (png_uint_32)v.h, 8, PNG_COLOR_TYPE_RGBA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < v.h; ++y) {
      const Raster_PixelValue* p = v.row(y);
      for (int x = 0; x < v.w; ++x) {
        row[4 * x + 0] = (png_byte)Raster_GetR(p[x]);
        row[4 * x + 1] = (png_byte)Raster_GetG(p[x]);
        row[4 * x + 2] = (png_byte)Raster_GetB(p[x]);
        row[4 * x + 3] = (png_byte)Raster_GetA(p[x]);
      }
      png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    ok = true;
  }
  png_destroy_write_struct(png ? &png : nullptr, info ? &info : nullptr);
  return std::fclose(f) == 0 && ok;
}
