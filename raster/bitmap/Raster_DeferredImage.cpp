#include "raster/bitmap/Raster_DeferredImage.h"

#include <cstdio>
#include <cstring>

#include "raster/bitmap/Raster_ImageLoader.h"

namespace {

// A PNG file starts with its 8-byte signature and then the IHDR chunk: 4 bytes of length,
// "IHDR", then width and height as 32-bit big-endian numbers.
bool ReadPNGSize(const char* path, int* w, int* h) {
  static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  unsigned char head[24];
  FILE* f = fopen(path, "rb");
  if (!f) return false;
  const bool read = fread(head, 1, sizeof head, f) == sizeof head;
  fclose(f);
  if (!read || memcmp(head, kSignature, 8) != 0 || memcmp(head + 12, "IHDR", 4) != 0) return false;
  auto be32 = [](const unsigned char* p) {
    return (unsigned long)p[0] << 24 | (unsigned long)p[1] << 16 | (unsigned long)p[2] << 8 | p[3];
  };
  const unsigned long width = be32(head + 16), height = be32(head + 20);
  if (width == 0 || height == 0 || width > kRasterMaxImagePixels ||
      height > kRasterMaxImagePixels || (unsigned long long)width * height > kRasterMaxImagePixels)
    return false;
  *w = (int)width;
  *h = (int)height;
  return true;
}

}  // namespace

Raster_DeferredImage* Raster_DeferredImage::OpenPNG(const char* path, FailureReport onFailure) {
  int w = 0, h = 0;
  if (!path || !ReadPNGSize(path, &w, &h)) return nullptr;
  return new Raster_DeferredImage(path, w, h, onFailure);
}

Raster_DeferredImage::Raster_DeferredImage(const char* path, int w, int h, FailureReport onFailure)
    : mPath(path), mWidth(w), mHeight(h), mOnFailure(onFailure) {}

Raster_MemBitmap& Raster_DeferredImage::Pixels() {
  std::call_once(mOnce, [this] {
    const bool ok = Raster_LoadPNG(mPath.c_str(), &mPixels) && mPixels.getWidth() == mWidth &&
                    mPixels.getHeight() == mHeight;
    if (!ok) {
      mPixels.resize(mWidth, mHeight);
      if (mPixels.getBits())
        memset(mPixels.getBits(), 0, sizeof(Raster_PixelValue) * (size_t)mWidth * mHeight);
      if (mOnFailure) mOnFailure(mPath.c_str());
    }
    mDecoded.store(true, std::memory_order_release);
  });
  return mPixels;
}

bool Raster_DeferredImage::resize(int w, int h) {
  const bool changed = Pixels().resize(w, h);
  mWidth = mPixels.getWidth();
  mHeight = mPixels.getHeight();
  return changed;
}
