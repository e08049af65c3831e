// Services of the Core Graphics stand-in for the other stand-ins in the same library (the
// text engine draws glyph coverage through them). Not part of the platform's interface.
#pragma once

#include <CoreGraphics/CoreGraphics.h>

// The CTM followed by the step to pixel coordinates (x right, y down from memory row 0).
CGAffineTransform CGContextGetUserToPixelTransform(CGContextRef c);

// Composites a colour (straight red, green, blue, alpha in 0..1, times the context's alpha)
// over the pixels of a w x h coverage mask (one byte per pixel, rows pitch bytes apart)
// whose top-left pixel lies at pixel (x, y). Only pixels whose centres lie inside the clip
// are touched; the mask may extend past the bitmap anywhere.
void CGContextFillCoverageMask(CGContextRef c, const uint8_t* mask, int pitch, int w, int h, int x,
                               int y, const CGFloat rgba[4]);
