// Which byte of a 32-bit pixel holds which component, from a bitmap info word.
#include "CGInternal.h"

bool CGPixelLayoutFromBitmapInfo(CGBitmapInfo info, bool allowStraight, CGPixelLayout* out) {
  if (info & kCGBitmapFloatComponents) return false;
  const uint32_t order = info & kCGBitmapByteOrderMask;
  const uint32_t alpha = info & kCGBitmapAlphaInfoMask;
  bool alphaFirst;
  CGAlphaKind kind;
  switch (alpha) {
    case kCGImageAlphaNoneSkipFirst:
      alphaFirst = true;
      kind = kCGAlphaKindSkip;
      break;
    case kCGImageAlphaNoneSkipLast:
      alphaFirst = false;
      kind = kCGAlphaKindSkip;
      break;
    case kCGImageAlphaPremultipliedFirst:
      alphaFirst = true;
      kind = kCGAlphaKindPremultiplied;
      break;
    case kCGImageAlphaPremultipliedLast:
      alphaFirst = false;
      kind = kCGAlphaKindPremultiplied;
      break;
    case kCGImageAlphaFirst:
      alphaFirst = true;
      kind = kCGAlphaKindStraight;
      break;
    case kCGImageAlphaLast:
      alphaFirst = false;
      kind = kCGAlphaKindStraight;
      break;
    default:
      return false;
  }
  if (kind == kCGAlphaKindStraight && !allowStraight) return false;
  bool little;
  if (order == kCGBitmapByteOrderDefault || order == kCGBitmapByteOrder32Big) {
    little = false;
  } else if (order == kCGBitmapByteOrder32Little) {
    little = true;
  } else {
    return false;
  }
  // Big-endian order: components in memory as named (ARGB or RGBA); little-endian reverses.
  int a = alphaFirst ? 0 : 3, r = alphaFirst ? 1 : 0, g = alphaFirst ? 2 : 1,
      b = alphaFirst ? 3 : 2;
  if (little) {
    a = 3 - a;
    r = 3 - r;
    g = 3 - g;
    b = 3 - b;
  }
  *out = CGPixelLayout{a, r, g, b, kind};
  return true;
}
