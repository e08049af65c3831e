// Drawing contexts: graphics state (CTM, clip, colours, line style), the current path,
// stroke and fill, and image drawing.
//
// As on the platform, user space has its origin at the bottom-left with y growing upward
// until the CTM is changed; an image drawn into a rectangle has its top row at the
// rectangle's maximum y in user space, so in a context flipped to a top-left origin images
// appear upside down unless the caller flips locally around the drawing.
#ifndef CG_CONTEXT_H
#define CG_CONTEXT_H

#include <CoreGraphics/CGAffineTransform.h>
#include <CoreGraphics/CGColor.h>
#include <CoreGraphics/CGImage.h>

typedef struct CGContext* CGContextRef;

enum CGLineCap { kCGLineCapButt = 0, kCGLineCapRound = 1, kCGLineCapSquare = 2 };
typedef enum CGLineCap CGLineCap;

enum CGLineJoin { kCGLineJoinMiter = 0, kCGLineJoinRound = 1, kCGLineJoinBevel = 2 };
typedef enum CGLineJoin CGLineJoin;

enum CGPathDrawingMode {
  kCGPathFill = 0,
  kCGPathEOFill = 1,
  kCGPathStroke = 2,
  kCGPathFillStroke = 3,
  kCGPathEOFillStroke = 4
};
typedef enum CGPathDrawingMode CGPathDrawingMode;

enum CGInterpolationQuality {
  kCGInterpolationDefault = 0,
  kCGInterpolationNone = 1,  // nearest pixel
  kCGInterpolationLow = 2,
  kCGInterpolationHigh = 3,
  kCGInterpolationMedium = 4
};
typedef enum CGInterpolationQuality CGInterpolationQuality;

CG_EXTERN CGContextRef CGContextRetain(CGContextRef c);
CG_EXTERN void CGContextRelease(CGContextRef c);
CG_EXTERN void CGContextFlush(CGContextRef c);
CG_EXTERN void CGContextSynchronize(CGContextRef c);

// Graphics state. Save pushes a copy of the state (CTM, clip, colours, line style, alpha,
// anti-aliasing, interpolation); restore pops it. A restore without a save does nothing.
CG_EXTERN void CGContextSaveGState(CGContextRef c);
CG_EXTERN void CGContextRestoreGState(CGContextRef c);

// Current transformation matrix (user space to the context's base space).
CG_EXTERN void CGContextTranslateCTM(CGContextRef c, CGFloat tx, CGFloat ty);
CG_EXTERN void CGContextScaleCTM(CGContextRef c, CGFloat sx, CGFloat sy);
CG_EXTERN void CGContextRotateCTM(CGContextRef c, CGFloat angle);
CG_EXTERN void CGContextConcatCTM(CGContextRef c, CGAffineTransform t);
CG_EXTERN CGAffineTransform CGContextGetCTM(CGContextRef c);

// Clipping. The clip is kept as a rectangle in device space: clipping to a rectangle under
// a CTM that rotates by other than a multiple of 90 degrees clips to the rectangle's
// device-space bounding box. Clip edges at fractional positions are anti-aliased.
CG_EXTERN void CGContextClipToRect(CGContextRef c, CGRect rect);
CG_EXTERN CGRect CGContextGetClipBoundingBox(CGContextRef c);

// Line style and colours.
CG_EXTERN void CGContextSetLineWidth(CGContextRef c, CGFloat width);
CG_EXTERN void CGContextSetLineCap(CGContextRef c, CGLineCap cap);
CG_EXTERN void CGContextSetLineJoin(CGContextRef c, CGLineJoin join);
CG_EXTERN void CGContextSetMiterLimit(CGContextRef c, CGFloat limit);
CG_EXTERN void CGContextSetFillColorWithColor(CGContextRef c, CGColorRef color);
CG_EXTERN void CGContextSetStrokeColorWithColor(CGContextRef c, CGColorRef color);
CG_EXTERN void CGContextSetRGBFillColor(CGContextRef c, CGFloat r, CGFloat g, CGFloat b, CGFloat a);
CG_EXTERN void CGContextSetRGBStrokeColor(CGContextRef c, CGFloat r, CGFloat g, CGFloat b,
                                          CGFloat a);
CG_EXTERN void CGContextSetGrayFillColor(CGContextRef c, CGFloat gray, CGFloat a);
CG_EXTERN void CGContextSetGrayStrokeColor(CGContextRef c, CGFloat gray, CGFloat a);
// Global opacity applied to everything drawn, 0..1.
CG_EXTERN void CGContextSetAlpha(CGContextRef c, CGFloat alpha);
CG_EXTERN void CGContextSetShouldAntialias(CGContextRef c, bool shouldAntialias);
CG_EXTERN void CGContextSetInterpolationQuality(CGContextRef c, CGInterpolationQuality quality);
CG_EXTERN CGInterpolationQuality CGContextGetInterpolationQuality(CGContextRef c);

// The current path. Points are given in user space and fixed by the CTM in force when
// they are added. Adding a segment without a current point does nothing.
CG_EXTERN void CGContextBeginPath(CGContextRef c);
CG_EXTERN void CGContextMoveToPoint(CGContextRef c, CGFloat x, CGFloat y);
CG_EXTERN void CGContextAddLineToPoint(CGContextRef c, CGFloat x, CGFloat y);
CG_EXTERN void CGContextAddCurveToPoint(CGContextRef c, CGFloat cp1x, CGFloat cp1y, CGFloat cp2x,
                                        CGFloat cp2y, CGFloat x, CGFloat y);
CG_EXTERN void CGContextAddQuadCurveToPoint(CGContextRef c, CGFloat cpx, CGFloat cpy, CGFloat x,
                                            CGFloat y);
CG_EXTERN void CGContextClosePath(CGContextRef c);
// A new subpath through the points (an open polyline).
CG_EXTERN void CGContextAddLines(CGContextRef c, const CGPoint* points, size_t count);
// A closed subpath around the rectangle.
CG_EXTERN void CGContextAddRect(CGContextRef c, CGRect rect);
// A closed subpath of four cubic curves around the ellipse inscribed in the rectangle.
CG_EXTERN void CGContextAddEllipseInRect(CGContextRef c, CGRect rect);
CG_EXTERN bool CGContextIsPathEmpty(CGContextRef c);
// In user space; CGPointZero without a current point.
CG_EXTERN CGPoint CGContextGetPathCurrentPoint(CGContextRef c);

// Painting the current path; each empties the path afterwards.
CG_EXTERN void CGContextFillPath(CGContextRef c);    // non-zero winding rule
CG_EXTERN void CGContextEOFillPath(CGContextRef c);  // even-odd rule
CG_EXTERN void CGContextStrokePath(CGContextRef c);
CG_EXTERN void CGContextDrawPath(CGContextRef c, CGPathDrawingMode mode);

// Convenience painting; these leave the current path alone.
CG_EXTERN void CGContextFillRect(CGContextRef c, CGRect rect);
CG_EXTERN void CGContextStrokeRect(CGContextRef c, CGRect rect);
CG_EXTERN void CGContextStrokeRectWithWidth(CGContextRef c, CGRect rect, CGFloat width);
CG_EXTERN void CGContextFillEllipseInRect(CGContextRef c, CGRect rect);
CG_EXTERN void CGContextStrokeEllipseInRect(CGContextRef c, CGRect rect);
// Strokes count / 2 separate segments, points taken in pairs.
CG_EXTERN void CGContextStrokeLineSegments(CGContextRef c, const CGPoint* points, size_t count);
// Sets the pixels of the rectangle to transparent black (zero), whatever the graphics state's
// colours and alpha; clipped like any drawing.
CG_EXTERN void CGContextClearRect(CGContextRef c, CGRect rect);

// Draws the image scaled into the rectangle, composited over what is there (source over),
// with the context's alpha, clip and interpolation quality.
CG_EXTERN void CGContextDrawImage(CGContextRef c, CGRect rect, CGImageRef image);

#endif
