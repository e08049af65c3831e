// Window pixels saved as PNG files (screenshots for people to look at).
#include <png.h>
#include <stdio.h>

#include "WSCore.h"

bool WindowSystemWritePNG(const char* path, const std::vector<uint32_t>& pixels, int width,
                          int height) {
  if (!path || width < 1 || height < 1 ||
      pixels.size() < static_cast<size_t>(width) * static_cast<size_t>(height))
    return false;
  FILE* f = fopen(path, "wb");
  if (!f) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  std::vector<png_byte> row(static_cast<size_t>(width) * 3);
  volatile bool ok = false;
  if (info && !setjmp(png_jmpbuf(png))) {
    png_init_io(png, f);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const uint32_t p = pixels[static_cast<size_t>(y) * width + x];
        row[3 * x] = static_cast<png_byte>(p >> 16);
        row[3 * x + 1] = static_cast<png_byte>(p >> 8);
        row[3 * x + 2] = static_cast<png_byte>(p);
      }
      png_write_row(png, row.data());
    }
    png_write_end(png, info);
    ok = true;
  }
  png_destroy_write_struct(&png, info ? &info : nullptr);
  return fclose(f) == 0 && ok;
}
