// QuickDraw as the Carbon window host uses it: rectangles, regions (kept as their bounding
// rectangle), window ports and Core Graphics contexts on them.
#ifndef __CARBON_QUICKDRAW__
#define __CARBON_QUICKDRAW__

#include <CoreGraphics/CoreGraphics.h>
#include <MacTypes.h>

typedef struct Rect {
  short top, left, bottom, right;
} Rect;
typedef struct Point {
  short v, h;
} Point;

typedef struct OpaqueRgnHandle* RgnHandle;
typedef struct OpaqueGrafPtr* CGrafPtr;
typedef CGrafPtr GrafPtr;

// A new empty region; null when memory is short. DisposeRgn of null does nothing.
PLATFORM_EXPORT RgnHandle NewRgn(void);
PLATFORM_EXPORT void DisposeRgn(RgnHandle rgn);
PLATFORM_EXPORT void SetRectRgn(RgnHandle rgn, short left, short top, short right, short bottom);
PLATFORM_EXPORT void RectRgn(RgnHandle rgn, const Rect* r);
PLATFORM_EXPORT Rect* GetRegionBounds(RgnHandle rgn, Rect* bounds);
PLATFORM_EXPORT Boolean EmptyRgn(RgnHandle rgn);

// A Core Graphics context over the port's pixels, with the origin at the bottom-left of the
// port (the window's content) and y up; QDEndCGContext sends what was drawn to the screen
// and releases the context. paramErr for a null or closed port.
PLATFORM_EXPORT OSStatus QDBeginCGContext(CGrafPtr port, CGContextRef* context);
PLATFORM_EXPORT OSStatus QDEndCGContext(CGrafPtr port, CGContextRef* context);

#endif
