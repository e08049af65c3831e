// Immutable 32-bit images.
#ifndef CG_IMAGE_H
#define CG_IMAGE_H

#include <CoreGraphics/CGColorSpace.h>
#include <CoreGraphics/CGDataProvider.h>

typedef struct CGImage* CGImageRef;

enum CGImageAlphaInfo {
  kCGImageAlphaNone = 0,
  kCGImageAlphaPremultipliedLast = 1,
  kCGImageAlphaPremultipliedFirst = 2,
  kCGImageAlphaLast = 3,
  kCGImageAlphaFirst = 4,
  kCGImageAlphaNoneSkipLast = 5,
  kCGImageAlphaNoneSkipFirst = 6,
  kCGImageAlphaOnly = 7
};
typedef enum CGImageAlphaInfo CGImageAlphaInfo;

typedef uint32_t CGBitmapInfo;
enum {
  kCGBitmapAlphaInfoMask = 0x1F,
  kCGBitmapFloatComponents = 1u << 8,
  kCGBitmapByteOrderMask = 0x7000,
  kCGBitmapByteOrderDefault = 0u << 12,
  kCGBitmapByteOrder16Little = 1u << 12,
  kCGBitmapByteOrder32Little = 2u << 12,
  kCGBitmapByteOrder16Big = 3u << 12,
  kCGBitmapByteOrder32Big = 4u << 12
};

enum CGColorRenderingIntent { kCGRenderingIntentDefault = 0 };
typedef enum CGColorRenderingIntent CGColorRenderingIntent;

// Supported layouts (images and bitmap contexts alike): 8 bits per component, 32 bits per
// pixel, RGB, alpha first or last, premultiplied or skipped (kCGImageAlphaFirst and
// kCGImageAlphaLast, straight alpha, are accepted for images only), byte order default/32Big
// (components in memory in the order named) or 32Little (reversed). The pixels are copied
// when the image is made. Null for anything else; decode must be null.
CG_EXTERN CGImageRef CGImageCreate(size_t width, size_t height, size_t bitsPerComponent,
                                   size_t bitsPerPixel, size_t bytesPerRow, CGColorSpaceRef space,
                                   CGBitmapInfo bitmapInfo, CGDataProviderRef provider,
                                   const CGFloat* decode, bool shouldInterpolate,
                                   CGColorRenderingIntent intent);
CG_EXTERN CGImageRef CGImageRetain(CGImageRef image);
CG_EXTERN void CGImageRelease(CGImageRef image);
CG_EXTERN size_t CGImageGetWidth(CGImageRef image);
CG_EXTERN size_t CGImageGetHeight(CGImageRef image);
CG_EXTERN size_t CGImageGetBitsPerComponent(CGImageRef image);
CG_EXTERN size_t CGImageGetBitsPerPixel(CGImageRef image);
CG_EXTERN CGImageAlphaInfo CGImageGetAlphaInfo(CGImageRef image);
CG_EXTERN CGBitmapInfo CGImageGetBitmapInfo(CGImageRef image);

#endif
