#pragma once
// Lines, rectangle outlines, bordered rectangles and filled triangles, clipped to the bitmap
// and blended by the low byte of the mode (0 copy, 1 add, 2 colour dodge, 3 multiply,
// 4 overlay, 5 HSV adjust; anything else draws nothing). Coordinates are pixels with y = 0 the
// top row; on a flipped bitmap (memory row 0 at the bottom) every y is mapped to memory row
// height - 1 - y first. Opacity 0 draws nothing. A null bitmap draws nothing. Any coordinates
// are accepted: nothing is ever written outside the bitmap.

#include "raster/bitmap/Raster_IBitmap.h"
#include "raster/blit/Raster_BlendModes.h"

// Integer line, both end points included. Copy mode: opacity 1 stores the colour, 0.5 half
// mixes, any other positive opacity mixes, 0 or less draws nothing. aa smooths sloped lines.
void Raster_Line(Raster_IBitmap* dest, int x1, int y1, int x2, int y2, unsigned int color,
                 float alpha, int mode, bool aa);
// Float line; every mode mixes by (int)(alpha * 256), with no copy-mode shortcuts.
void Raster_FLine(Raster_IBitmap* dest, float x1, float y1, float x2, float y2, unsigned int color,
                  float alpha, int mode, bool aa);
// Horizontal or vertical line drawn as pxon pixels on, pxoff off from the smaller end; any
// other line, and pxon <= 0, draws nothing. aa has no effect.
void Raster_DashedLine(Raster_IBitmap* dest, int x1, int y1, int x2, int y2, int pxon, int pxoff,
                       unsigned int color, float alpha, int mode, bool aa);
// Outline of (x, y)-(x + w, y + h): w + 1 by h + 1 pixels, corners drawn twice.
void Raster_DrawRect(Raster_IBitmap* dest, int x, int y, int w, int h, unsigned int color,
                     float alpha, int mode);
// Interior (x + 1, y + 1, w - 1, h - 1) filled with bgcolor, then the outline in fgcolor.
void Raster_BorderedRect(Raster_IBitmap* dest, int x, int y, int w, int h, unsigned int bgcolor,
                         unsigned int fgcolor, float alpha, int mode);
// Solid triangle; rows from the top vertex up to, not including, the bottom vertex's row.
void Raster_FillTriangle(Raster_IBitmap* dest, int x1, int y1, int x2, int y2, int x3, int y3,
                         unsigned int color, float alpha, int mode);
// Clips the segment in place to [xLo, xHi) x [yLo, yHi); false when nothing is left.
bool Raster_ClipLine(int* x1, int* y1, int* x2, int* y2, int xLo, int yLo, int xHi, int yHi);
