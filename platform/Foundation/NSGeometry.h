// Foundation's geometry records, the same as Core Graphics' on 64-bit builds.
#ifndef __FOUNDATION_NSGEOMETRY__
#define __FOUNDATION_NSGEOMETRY__

#include <CoreGraphics/CGGeometry.h>

typedef CGPoint NSPoint;
typedef CGSize NSSize;
typedef CGRect NSRect;

static inline NSPoint NSMakePoint(CGFloat x, CGFloat y) { return CGPointMake(x, y); }
static inline NSSize NSMakeSize(CGFloat w, CGFloat h) { return CGSizeMake(w, h); }
static inline NSRect NSMakeRect(CGFloat x, CGFloat y, CGFloat w, CGFloat h) {
  return CGRectMake(x, y, w, h);
}

#endif
