#include "Raster_TestFiles.h"

#include <png.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace rastertest {

std::string TempDir() {
  static std::string dir;
  if (dir.empty()) {
    char tmpl[] = "/tmp/raster_test_XXXXXX";
    const char* made = mkdtemp(tmpl);
    dir = made ? made : "/tmp";
  }
  return dir;
}

bool WritePNG(const std::string& path, int w, int h, int colorType, int depth,
              const std::vector<std::vector<uint8_t>>& rows, const std::vector<uint8_t>& palette,
              const std::vector<uint8_t>& trns, bool interlaced) {
  FILE* f = fopen(path.c_str(), "wb");
  if (!f) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    fclose(f);
    return false;
  }
  png_init_io(png, f);
  png_set_IHDR(png, info, (png_uint_32)w, (png_uint_32)h, depth, colorType,
               interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  std::vector<png_color> pal;
  for (size_t i = 0; i + 2 < palette.size(); i += 3)
    pal.push_back(png_color{palette[i], palette[i + 1], palette[i + 2]});
  if (!pal.empty()) png_set_PLTE(png, info, pal.data(), (int)pal.size());
  if (!trns.empty()) {
    if (colorType == PNG_COLOR_TYPE_PALETTE) {
      png_set_tRNS(png, info, trns.data(), (int)trns.size(), nullptr);
    } else {
      png_color_16 key{};
      auto word = [&](size_t i) { return (png_uint_16)((trns[i] << 8) | trns[i + 1]); };
      if (colorType == PNG_COLOR_TYPE_GRAY)
        key.gray = word(0);
      else {
        key.red = word(0);
        key.green = word(2);
        key.blue = word(4);
      }
      png_set_tRNS(png, info, nullptr, 0, &key);
    }
  }
  png_write_info(png, info);
  std::vector<png_bytep> ptrs;
  for (auto& r : rows) ptrs.push_back((png_bytep)r.data());
  png_write_image(png, ptrs.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  fclose(f);
  return true;
}

bool WriteJPEG(const std::string& path, int w, int h, int components,
               const std::vector<uint8_t>& samples) {
  FILE* f = fopen(path.c_str(), "wb");
  if (!f) return false;
  jpeg_compress_struct c;
  jpeg_error_mgr err;
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  jpeg_stdio_dest(&c, f);
  c.image_width = (JDIMENSION)w;
  c.image_height = (JDIMENSION)h;
  c.input_components = components;
  c.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 100, TRUE);
  jpeg_start_compress(&c, TRUE);
  while (c.next_scanline < c.image_height) {
    JSAMPROW row = (JSAMPROW)&samples[(size_t)c.next_scanline * w * components];
    jpeg_write_scanlines(&c, &row, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  fclose(f);
  return true;
}

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::vector<uint8_t> out;
  FILE* f = fopen(path.c_str(), "rb");
  if (!f) return out;
  uint8_t buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, f)) > 0) out.insert(out.end(), buf, buf + n);
  fclose(f);
  return out;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* f = fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  fclose(f);
  return ok;
}

}  // namespace rastertest
