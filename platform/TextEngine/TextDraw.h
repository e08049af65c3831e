// Drawing shaped lines into Core Graphics contexts: anti-aliased glyph coverage in the
// fill colour given, inside the context's clip, under its CTM and alpha.
#pragma once

#include <CoreGraphics/CoreGraphics.h>

#include "TextEngine/TextLine.h"

// Draws the line with its origin (the left end of its baseline) at (x, y) in the
// context's user space. The glyphs stand upright along the user space's +y, turned
// counterclockwise by rotationDegrees about the origin (a rotation that is not finite
// counts as 0). rgba is a straight colour in 0..1; underline draws a line under the whole
// advance width. Small glyphs come from a process-wide cache of rendered masks; large ones
// are filled as outlines.
void TextDrawLine(CGContextRef c, const TextLine& line, CGFloat x, CGFloat y,
                  CGFloat rotationDegrees, const CGFloat rgba[4], bool underline);

// Glyph masks held in the cache (for tests and diagnostics).
size_t TextGlyphCacheCount();
