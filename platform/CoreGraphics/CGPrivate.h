// Services of the Core Graphics stand-in for the other stand-ins in the same library (the
// text engine draws glyph coverage through them). Not part of the platform's interface.
#pragma once

#include <CoreGraphics/CoreGraphics.h>

#include "CGCoverageBlend.h"

// The CTM followed by the step to pixel coordinates (x right, y down from memory row 0).
CGAffineTransform CGContextGetUserToPixelTransform(CGContextRef c);

// Composites a colour (straight red, green, blue, alpha in 0..1, times the context's alpha)
// over the pixels of a w x h coverage mask (one byte per pixel, rows pitch bytes apart)
// whose top-left pixel lies at pixel (x, y). Only pixels whose centres lie inside the clip
// are touched; the mask may extend past the bitmap anywhere.
void CGContextFillCoverageMask(CGContextRef c, const uint8_t* mask, int pitch, int w, int h, int x,
                               int y, const CGFloat rgba[4]);

// The same for many masks in one colour (a line's glyphs): the colour, the clip and the
// pixels are looked up once. The painter holds the context's state as it was when made and
// is used before the context changes. Returns false, leaving nothing to paint, when the
// clip is empty or the colour transparent.
struct CGCoveragePainter {
  uint8_t* data;
  size_t bytesPerRow;
  int x1, y1, x2, y2;  // the whole pixels whose centres lie inside the clip
  CGCoverageColour colour;
  CGCoverageBlendFn blend;
};
bool CGContextMakeCoveragePainter(CGContextRef c, const CGFloat rgba[4], CGCoveragePainter* out);
void CGCoveragePaint(const CGCoveragePainter& p, const uint8_t* mask, int pitch, int w, int h,
                     int x, int y);
