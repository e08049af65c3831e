// Bitmap objects holding images: loading (with magenta keying), size, drawing.
#include <AppKit/AppKit.h>

#include <cstring>

#include "gdi_compat/GDI_Images.h"
#include "gdi_compat/GDI_Objects.h"
#include "gdi_compat/GDI_Pools.h"

namespace {

// The bitmap object behind a handle, else null (selection codes are not objects).
GDP_OBJECT* Bitmap(HGDIOBJ obj) {
  return GDI_IsObject(obj) && obj->type == GDP_OBJECT_BITMAP ? obj : nullptr;
}

// A copy of the image with opaque magenta pixels made transparent; null when memory fails.
NSImage* KeyedCopy(NSImage* image) {
  CGImageRef src = image->CGImageForProposedRect_context_hints(nullptr, nullptr, nullptr);
  const size_t w = CGImageGetWidth(src), h = CGImageGetHeight(src);
  CGColorSpaceRef space = CGColorSpaceCreateDeviceRGB();
  CGContextRef gc =
      CGBitmapContextCreate(nullptr, w, h, 8, 0, space, kCGImageAlphaPremultipliedFirst);
  CGColorSpaceRelease(space);
  if (!gc) return nullptr;
  CGContextSetInterpolationQuality(gc, kCGInterpolationNone);
  CGContextDrawImage(gc, CGRectMake(0, 0, w, h), src);
  uint8_t* p = static_cast<uint8_t*>(CGBitmapContextGetData(gc));
  const size_t stride = CGBitmapContextGetBytesPerRow(gc);
  for (size_t y = 0; y < h; ++y)
    for (uint8_t* px = p + y * stride; px < p + y * stride + 4 * w; px += 4)
      if (px[0] == 255 && px[1] == 255 && px[2] == 0 && px[3] == 255) memset(px, 0, 4);
  CGImageRef keyed = CGBitmapContextCreateImage(gc);
  CGContextRelease(gc);
  NSImage* copy = keyed ? NSImage::alloc() : nullptr;
  if (copy) copy = copy->initWithCGImage_size(keyed, image->size());
  CGImageRelease(keyed);
  return copy;
}

}  // namespace

HICON LoadNamedImage(const char* name, bool magentaTransparent) {
  if (!name) return nullptr;
  NSImage* image = nullptr;
  bool owned = false;
  if (strchr(name, '/')) {
    image = NSImage::alloc();
    if (image) image = image->initWithContentsOfFile(name);
    owned = image != nullptr;
  }
  if (!image) image = NSImage::imageNamed(name);
  if (!image) return nullptr;
  if (magentaTransparent) {
    NSImage* keyed = KeyedCopy(image);
    if (owned) image->release();
    if (!keyed) return nullptr;
    image = keyed;
    owned = true;
  }
  GDP_OBJECT* obj = GDI_AllocObjectRecord();
  if (!obj) {
    if (owned) image->release();
    return nullptr;
  }
  obj->type = GDP_OBJECT_BITMAP;
  obj->image = image;
  obj->wid = owned ? 1 : 0;
  return obj;
}

int GetObject(HGDIOBJ obj, int size, void* out) {
  if (out && size > 0) memset(out, 0, static_cast<size_t>(size));
  GDP_OBJECT* bmp = Bitmap(obj);
  if (!bmp || !bmp->image || size != 8 || !out) return 0;
  const NSSize s = static_cast<NSImage*>(bmp->image)->size();
  const int wh[2] = {static_cast<int>(s.width + 0.5), static_cast<int>(s.height + 0.5)};
  memcpy(out, wh, sizeof wh);
  return 1;
}

NSImage* GetNSImageFromHICON(HICON icon) {
  GDP_OBJECT* bmp = Bitmap(icon);
  return bmp ? static_cast<NSImage*>(bmp->image) : nullptr;
}

void DrawImageInRect(HDC ctx, HICON icon, const RECT* rect) {
  NSImage* image = GetNSImageFromHICON(icon);
  if (!ctx || !ctx->ctx || !image || !rect) return;
  const double w = static_cast<double>(rect->right) - rect->left;
  const double h = static_cast<double>(rect->bottom) - rect->top;
  if (w <= 0 || h <= 0) return;
  CGContextRef gc = ctx->ctx;
  CGContextSaveGState(gc);
  // Images stand upright in a y-up space: flip about the rectangle so the top row lands on
  // its top edge.
  CGContextTranslateCTM(gc, 0, static_cast<double>(rect->top) + rect->bottom);
  CGContextScaleCTM(gc, 1, -1);
  CGContextDrawImage(gc, CGRectMake(rect->left, rect->top, w, h),
                     image->CGImageForProposedRect_context_hints(nullptr, nullptr, nullptr));
  CGContextRestoreGState(gc);
}
