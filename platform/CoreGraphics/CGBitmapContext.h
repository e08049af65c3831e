// Bitmap contexts: drawing into 32-bit pixels in memory.
#ifndef CG_BITMAP_CONTEXT_H
#define CG_BITMAP_CONTEXT_H

#include <CoreGraphics/CGContext.h>

// A context drawing into width x height pixels at data, bytesPerRow apart, memory row 0
// being the top row (the one at the largest y of the default user space). When data is
// null the context allocates (zero-filled) memory of its own and frees it on release.
// Supported: 8 bits per component, RGB colour space, bitmapInfo with alpha
// kCGImageAlphaNoneSkipFirst, kCGImageAlphaNoneSkipLast, kCGImageAlphaPremultipliedFirst or
// kCGImageAlphaPremultipliedLast and byte order default, 32Big or 32Little. Drawing into a
// "skip" layout writes 255 into the skipped byte of every pixel it touches. Null for
// anything else, or when bytesPerRow < 4 x width.
CG_EXTERN CGContextRef CGBitmapContextCreate(void* data, size_t width, size_t height,
                                             size_t bitsPerComponent, size_t bytesPerRow,
                                             CGColorSpaceRef space, CGBitmapInfo bitmapInfo);
CG_EXTERN void* CGBitmapContextGetData(CGContextRef c);
CG_EXTERN size_t CGBitmapContextGetWidth(CGContextRef c);
CG_EXTERN size_t CGBitmapContextGetHeight(CGContextRef c);
CG_EXTERN size_t CGBitmapContextGetBitsPerComponent(CGContextRef c);
CG_EXTERN size_t CGBitmapContextGetBitsPerPixel(CGContextRef c);
CG_EXTERN size_t CGBitmapContextGetBytesPerRow(CGContextRef c);
CG_EXTERN CGColorSpaceRef CGBitmapContextGetColorSpace(CGContextRef c);
CG_EXTERN CGBitmapInfo CGBitmapContextGetBitmapInfo(CGContextRef c);
CG_EXTERN CGImageAlphaInfo CGBitmapContextGetAlphaInfo(CGContextRef c);
// An image holding a copy of the context's pixels now; null for a null context.
CG_EXTERN CGImageRef CGBitmapContextCreateImage(CGContextRef c);

#endif
