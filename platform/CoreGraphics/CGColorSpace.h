// Colour spaces. Only the device RGB space exists.
#ifndef CG_COLOR_SPACE_H
#define CG_COLOR_SPACE_H

#include <CoreGraphics/CGBase.h>

typedef struct CGColorSpace* CGColorSpaceRef;

// A new reference to the device RGB colour space (release it with CGColorSpaceRelease).
CG_EXTERN CGColorSpaceRef CGColorSpaceCreateDeviceRGB(void);
CG_EXTERN CGColorSpaceRef CGColorSpaceRetain(CGColorSpaceRef space);
CG_EXTERN void CGColorSpaceRelease(CGColorSpaceRef space);
// Colour components without alpha: 3 for RGB, 0 for null.
CG_EXTERN size_t CGColorSpaceGetNumberOfComponents(CGColorSpaceRef space);

#endif
