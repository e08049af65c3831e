// Bitmap contexts over caller memory (or memory of their own).
#include "CGInternal.h"

#include <climits>
#include <new>

CGContextRef CGBitmapContextCreate(void* data, size_t width, size_t height, size_t bitsPerComponent,
                                   size_t bytesPerRow, CGColorSpaceRef space, CGBitmapInfo info) {
  CGPixelLayout layout;
  if (bitsPerComponent != 8 || !space || CGColorSpaceGetNumberOfComponents(space) != 3 ||
      width == 0 || height == 0 || !CGPixelLayoutFromBitmapInfo(info, false, &layout))
    return nullptr;
  // Sizes must fit the rasteriser's int coordinates and strides.
  if (width > INT_MAX / 4 || height > INT_MAX) return nullptr;
  if (!data && bytesPerRow == 0) bytesPerRow = width * 4;
  if (bytesPerRow < width * 4 || bytesPerRow > INT_MAX) return nullptr;
  // The rasteriser addresses rows with int arithmetic: the whole bitmap must fit in INT_MAX bytes.
  if (height > static_cast<size_t>(INT_MAX) / bytesPerRow) return nullptr;

  CGContext* c = new (std::nothrow) CGContext();
  if (!c) return nullptr;
  if (!data) {
    c->data = new (std::nothrow) uint8_t[bytesPerRow * height]();
    if (!c->data) {
      delete c;
      return nullptr;
    }
    c->ownsData = true;
  } else {
    c->data = static_cast<uint8_t*>(data);
  }
  c->width = width;
  c->height = height;
  c->bytesPerRow = bytesPerRow;
  c->bitmapInfo = info;
  c->layout = layout;
  c->target = CGRasterTargetCreate(c->data, static_cast<int>(width), static_cast<int>(height),
                                   static_cast<int>(bytesPerRow), layout);
  if (!c->target) {
    delete c;
    return nullptr;
  }
  c->space = CGColorSpaceRetain(space);
  c->gs.clipX2 = static_cast<double>(width);
  c->gs.clipY2 = static_cast<double>(height);
  return c;
}

void* CGBitmapContextGetData(CGContextRef c) { return c ? c->data : nullptr; }
size_t CGBitmapContextGetWidth(CGContextRef c) { return c ? c->width : 0; }
size_t CGBitmapContextGetHeight(CGContextRef c) { return c ? c->height : 0; }
size_t CGBitmapContextGetBitsPerComponent(CGContextRef c) { return c ? 8 : 0; }
size_t CGBitmapContextGetBitsPerPixel(CGContextRef c) { return c ? 32 : 0; }
size_t CGBitmapContextGetBytesPerRow(CGContextRef c) { return c ? c->bytesPerRow : 0; }
CGColorSpaceRef CGBitmapContextGetColorSpace(CGContextRef c) { return c ? c->space : nullptr; }
CGBitmapInfo CGBitmapContextGetBitmapInfo(CGContextRef c) { return c ? c->bitmapInfo : 0; }
CGImageAlphaInfo CGBitmapContextGetAlphaInfo(CGContextRef c) {
  return c ? static_cast<CGImageAlphaInfo>(c->bitmapInfo & kCGBitmapAlphaInfoMask)
           : kCGImageAlphaNone;
}

CGImageRef CGBitmapContextCreateImage(CGContextRef c) {
  if (!c || !c->data) return nullptr;
  return CGImageCreateFromPixels(c->data, c->width, c->height, c->bytesPerRow, c->layout,
                                 c->bitmapInfo);
}
