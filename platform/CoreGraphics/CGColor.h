// Immutable, reference-counted colours: colour components followed by alpha.
#ifndef CG_COLOR_H
#define CG_COLOR_H

#include <CoreGraphics/CGColorSpace.h>

typedef struct CGColor* CGColorRef;

// components holds CGColorSpaceGetNumberOfComponents(space) + 1 values (the last is alpha),
// each clamped to 0..1. Null when space or components is null.
CG_EXTERN CGColorRef CGColorCreate(CGColorSpaceRef space, const CGFloat* components);
CG_EXTERN CGColorRef CGColorCreateGenericRGB(CGFloat red, CGFloat green, CGFloat blue,
                                             CGFloat alpha);
CG_EXTERN CGColorRef CGColorCreateCopyWithAlpha(CGColorRef color, CGFloat alpha);
CG_EXTERN CGColorRef CGColorRetain(CGColorRef color);
CG_EXTERN void CGColorRelease(CGColorRef color);
CG_EXTERN size_t CGColorGetNumberOfComponents(CGColorRef color);
CG_EXTERN const CGFloat* CGColorGetComponents(CGColorRef color);
CG_EXTERN CGFloat CGColorGetAlpha(CGColorRef color);
CG_EXTERN CGColorSpaceRef CGColorGetColorSpace(CGColorRef color);
CG_EXTERN bool CGColorEqualToColor(CGColorRef a, CGColorRef b);

#endif
