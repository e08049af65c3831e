// Points, sizes and rectangles.
#ifndef CG_GEOMETRY_H
#define CG_GEOMETRY_H

#include <CoreGraphics/CGBase.h>

struct CGPoint {
  CGFloat x;
  CGFloat y;
};
typedef struct CGPoint CGPoint;

struct CGSize {
  CGFloat width;
  CGFloat height;
};
typedef struct CGSize CGSize;

struct CGRect {
  CGPoint origin;
  CGSize size;
};
typedef struct CGRect CGRect;

CG_EXTERN const CGPoint CGPointZero;
CG_EXTERN const CGSize CGSizeZero;
CG_EXTERN const CGRect CGRectZero;
// The empty rectangle that results from intersecting disjoint rectangles.
CG_EXTERN const CGRect CGRectNull;

CG_EXTERN CGPoint CGPointMake(CGFloat x, CGFloat y);
CG_EXTERN CGSize CGSizeMake(CGFloat width, CGFloat height);
CG_EXTERN CGRect CGRectMake(CGFloat x, CGFloat y, CGFloat width, CGFloat height);

CG_EXTERN CGFloat CGRectGetMinX(CGRect r);
CG_EXTERN CGFloat CGRectGetMaxX(CGRect r);
CG_EXTERN CGFloat CGRectGetMidX(CGRect r);
CG_EXTERN CGFloat CGRectGetMinY(CGRect r);
CG_EXTERN CGFloat CGRectGetMaxY(CGRect r);
CG_EXTERN CGFloat CGRectGetMidY(CGRect r);
CG_EXTERN CGFloat CGRectGetWidth(CGRect r);
CG_EXTERN CGFloat CGRectGetHeight(CGRect r);

// A rectangle with non-negative width and height covering the same area.
CG_EXTERN CGRect CGRectStandardize(CGRect r);
CG_EXTERN bool CGRectIsNull(CGRect r);
// True for a null rectangle or one of zero width or height.
CG_EXTERN bool CGRectIsEmpty(CGRect r);
CG_EXTERN bool CGRectEqualToRect(CGRect a, CGRect b);
// CGRectNull when the rectangles do not overlap.
CG_EXTERN CGRect CGRectIntersection(CGRect a, CGRect b);
CG_EXTERN CGRect CGRectUnion(CGRect a, CGRect b);
CG_EXTERN CGRect CGRectOffset(CGRect r, CGFloat dx, CGFloat dy);
CG_EXTERN CGRect CGRectInset(CGRect r, CGFloat dx, CGFloat dy);
// The smallest rectangle with whole-number corners that covers r; null stays null.
CG_EXTERN CGRect CGRectIntegral(CGRect r);
CG_EXTERN bool CGRectContainsPoint(CGRect r, CGPoint p);
CG_EXTERN bool CGPointEqualToPoint(CGPoint a, CGPoint b);

#endif
