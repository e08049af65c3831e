// PNG files through libpng's simplified reader, JPEG files through libjpeg; both into
// straight-alpha ARGB pixels handed to Core Graphics.
#include "NSImageDecode.h"

#include <png.h>
#include <stdio.h>

#include <jpeglib.h>
#include <jerror.h>

#include <csetjmp>
#include <cstdlib>
#include <cstring>

namespace {

CGImageRef ImageFromARGB(const uint8_t* pixels, size_t w, size_t h, CGBitmapInfo info) {
  CGDataProviderRef provider = CGDataProviderCreateWithData(nullptr, pixels, w * h * 4, nullptr);
  if (!provider) return nullptr;
  CGColorSpaceRef space = CGColorSpaceCreateDeviceRGB();
  CGImageRef image = CGImageCreate(w, h, 8, 32, w * 4, space, info, provider, nullptr, false,
                                   kCGRenderingIntentDefault);
  CGColorSpaceRelease(space);
  CGDataProviderRelease(provider);
  return image;
}

CGImageRef DecodePNG(const char* path) {
  png_image img;
  memset(&img, 0, sizeof img);
  img.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&img, path)) return nullptr;
  if (img.width == 0 || img.height == 0 ||
      static_cast<long long>(img.width) * img.height > kNSImageMaxPixels) {
    png_image_free(&img);
    return nullptr;
  }
  img.format = PNG_FORMAT_ARGB;
  uint8_t* pixels = static_cast<uint8_t*>(malloc(PNG_IMAGE_SIZE(img)));
  if (!pixels) {
    png_image_free(&img);
    return nullptr;
  }
  CGImageRef image = nullptr;
  if (png_image_finish_read(&img, nullptr, pixels, 0, nullptr) && !PNG_IMAGE_FAILED(img))
    image = ImageFromARGB(pixels, img.width, img.height, kCGImageAlphaFirst);
  png_image_free(&img);
  free(pixels);
  return image;
}

struct JpegError {
  jpeg_error_mgr pub;
  jmp_buf jump;
};

void JpegFail(j_common_ptr cinfo) { longjmp(reinterpret_cast<JpegError*>(cinfo->err)->jump, 1); }
// Damaged or truncated data is a failure, not a picture padded with made-up pixels.
void JpegMessage(j_common_ptr cinfo, int level) {
  if (level < 0 && cinfo->err->msg_code != JWRN_EXTRANEOUS_DATA) JpegFail(cinfo);
}
void JpegSilent(j_common_ptr) {}

// Plain C state only between setjmp and longjmp: nothing here has a destructor.
CGImageRef DecodeJPEG(FILE* f) {
  jpeg_decompress_struct cinfo;
  JpegError err;
  uint8_t* volatile pixels = nullptr;
  JSAMPLE* volatile row = nullptr;
  CGImage* volatile image = nullptr;
  cinfo.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = JpegFail;
  err.pub.emit_message = JpegMessage;
  err.pub.output_message = JpegSilent;
  jpeg_create_decompress(&cinfo);
  if (setjmp(err.jump) == 0) {
    jpeg_stdio_src(&cinfo, f);
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    const size_t w = cinfo.image_width, h = cinfo.image_height;
    if (w > 0 && h > 0 && static_cast<long long>(w) * h <= kNSImageMaxPixels &&
        (cinfo.jpeg_color_space == JCS_GRAYSCALE || cinfo.jpeg_color_space == JCS_YCbCr ||
         cinfo.jpeg_color_space == JCS_RGB)) {
      jpeg_start_decompress(&cinfo);
      pixels = static_cast<uint8_t*>(malloc(w * h * 4));
      row = static_cast<JSAMPLE*>(malloc(w * 3));
      if (pixels && row && cinfo.output_components == 3) {
        while (cinfo.output_scanline < h) {
          const size_t y = cinfo.output_scanline;
          JSAMPROW rows[1] = {row};
          if (jpeg_read_scanlines(&cinfo, rows, 1) != 1) break;
          uint8_t* out = pixels + y * w * 4;
          for (size_t x = 0; x < w; ++x, out += 4) {
            out[0] = 255;
            memcpy(out + 1, row + 3 * x, 3);
          }
        }
        if (cinfo.output_scanline == h) {
          jpeg_finish_decompress(&cinfo);
          image = ImageFromARGB(pixels, w, h, kCGImageAlphaNoneSkipFirst);
        }
      }
    }
  }
  jpeg_destroy_decompress(&cinfo);
  free(pixels);
  free(row);
  return image;
}

}  // namespace

CGImageRef NSImageDecodeFile(const char* path) {
  if (!path) return nullptr;
  FILE* f = fopen(path, "rb");
  if (!f) return nullptr;
  unsigned char sig[8] = {};
  const size_t n = fread(sig, 1, sizeof sig, f);
  CGImageRef image = nullptr;
  if (n == 8 && png_sig_cmp(sig, 0, 8) == 0) {
    fclose(f);
    return DecodePNG(path);
  }
  if (n >= 3 && sig[0] == 0xFF && sig[1] == 0xD8 && sig[2] == 0xFF) {
    rewind(f);
    image = DecodeJPEG(f);
  }
  fclose(f);
  return image;
}
