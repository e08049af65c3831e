// Data providers and immutable images.
#include "CGInternal.h"

#include <new>
#include <stdexcept>

CGDataProviderRef CGDataProviderCreateWithData(void* info, const void* data, size_t size,
                                               CGDataProviderReleaseDataCallback releaseData) {
  CGDataProvider* p = new (std::nothrow) CGDataProvider();
  if (!p) return nullptr;
  p->info = info;
  p->data = data;
  p->size = size;
  p->release = releaseData;
  return p;
}

CGDataProviderRef CGDataProviderRetain(CGDataProviderRef provider) {
  if (provider) provider->refs.fetch_add(1, std::memory_order_relaxed);
  return provider;
}

void CGDataProviderRelease(CGDataProviderRef provider) {
  if (!provider || provider->refs.fetch_sub(1, std::memory_order_acq_rel) != 1) return;
  if (provider->release) provider->release(provider->info, provider->data, provider->size);
  delete provider;
}

CGImageRef CGImageCreateFromPixels(const uint8_t* data, size_t width, size_t height,
                                   size_t bytesPerRow, const CGPixelLayout& layout,
                                   CGBitmapInfo bitmapInfo) {
  CGImage* img = new (std::nothrow) CGImage();
  if (!img) return nullptr;
  img->width = width;
  img->height = height;
  img->bitmapInfo = bitmapInfo;
  try {
    img->pixels.resize(width * height * 4);
  } catch (const std::exception&) {
    delete img;
    return nullptr;
  }
  uint8_t* out = img->pixels.data();
  for (size_t y = 0; y < height; ++y) {
    const uint8_t* row = data + y * bytesPerRow;
    for (size_t x = 0; x < width; ++x, out += 4) {
      const uint8_t* p = row + x * 4;
      unsigned a = layout.alpha == kCGAlphaKindSkip ? 255u : p[layout.a];
      unsigned r = p[layout.r], g = p[layout.g], b = p[layout.b];
      if (layout.alpha == kCGAlphaKindStraight) {
        r = (r * a + 127) / 255;
        g = (g * a + 127) / 255;
        b = (b * a + 127) / 255;
      }
      out[0] = static_cast<uint8_t>(a);
      out[1] = static_cast<uint8_t>(r);
      out[2] = static_cast<uint8_t>(g);
      out[3] = static_cast<uint8_t>(b);
    }
  }
  return img;
}

CGImageRef CGImageCreate(size_t width, size_t height, size_t bitsPerComponent, size_t bitsPerPixel,
                         size_t bytesPerRow, CGColorSpaceRef space, CGBitmapInfo bitmapInfo,
                         CGDataProviderRef provider, const CGFloat* decode, bool,
                         CGColorRenderingIntent) {
  CGPixelLayout layout;
  if (!space || !provider || !provider->data || decode || bitsPerComponent != 8 ||
      bitsPerPixel != 32 || width == 0 || height == 0 || bytesPerRow < width * 4 ||
      !CGPixelLayoutFromBitmapInfo(bitmapInfo, true, &layout))
    return nullptr;
  // The last row only needs its own pixels, not a whole row span.
  if (provider->size < (height - 1) * bytesPerRow + width * 4) return nullptr;
  return CGImageCreateFromPixels(static_cast<const uint8_t*>(provider->data), width, height,
                                 bytesPerRow, layout, bitmapInfo);
}

CGImageRef CGImageRetain(CGImageRef image) {
  if (image) image->refs.fetch_add(1, std::memory_order_relaxed);
  return image;
}

void CGImageRelease(CGImageRef image) {
  if (image && image->refs.fetch_sub(1, std::memory_order_acq_rel) == 1) delete image;
}

size_t CGImageGetWidth(CGImageRef image) { return image ? image->width : 0; }
size_t CGImageGetHeight(CGImageRef image) { return image ? image->height : 0; }
size_t CGImageGetBitsPerComponent(CGImageRef image) { return image ? 8 : 0; }
size_t CGImageGetBitsPerPixel(CGImageRef image) { return image ? 32 : 0; }
CGBitmapInfo CGImageGetBitmapInfo(CGImageRef image) { return image ? image->bitmapInfo : 0; }
CGImageAlphaInfo CGImageGetAlphaInfo(CGImageRef image) {
  return image ? static_cast<CGImageAlphaInfo>(image->bitmapInfo & kCGBitmapAlphaInfoMask)
               : kCGImageAlphaNone;
}
