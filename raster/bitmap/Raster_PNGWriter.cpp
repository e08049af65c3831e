#include "raster/bitmap/Raster_PNGWriter.h"

#include <png.h>

#include <vector>

#include "raster/bitmap/Raster_Pixel.h"

namespace {

void Append(png_structp png, png_bytep data, png_size_t length) {
  static_cast<std::string*>(png_get_io_ptr(png))
      ->append(reinterpret_cast<const char*>(data), length);
}

void NoFlush(png_structp) {}

// Runs libpng over the rows; false when it gave up (its errors return through setjmp, so
// nothing that changes after the setjmp is read afterwards).
bool EncodeRows(png_structp png, png_infop info, const Raster_RowView& view, std::string* out) {
  std::vector<png_byte> row(static_cast<size_t>(view.w) * 4);
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_write_fn(png, out, &Append, &NoFlush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(view.w), static_cast<png_uint_32>(view.h), 8,
               PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < view.h; ++y) {
    const Raster_PixelValue* p = view.row(y);
    for (int x = 0; x < view.w; ++x) {
      row[4 * x + 0] = static_cast<png_byte>(Raster_GetR(p[x]));
      row[4 * x + 1] = static_cast<png_byte>(Raster_GetG(p[x]));
      row[4 * x + 2] = static_cast<png_byte>(Raster_GetB(p[x]));
      row[4 * x + 3] = static_cast<png_byte>(Raster_GetA(p[x]));
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  return true;
}

}  // namespace

bool Raster_EncodePNG(Raster_IBitmap* bmp, std::string* out) {
  Raster_RowView view(bmp);
  if (view.empty() || !out) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  const bool ok = png && info && EncodeRows(png, info, view, out);
  png_destroy_write_struct(png ? &png : nullptr, info ? &info : nullptr);
  return ok;
}
