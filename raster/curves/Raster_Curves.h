#pragma once
// Circles, discs, arcs, rounded rectangles and Bezier curves, clipped to the bitmap and
// blended by the low byte of the mode (0 copy, 1 add, 2 colour dodge, 3 multiply, 4 overlay,
// 5 HSV adjust; anything else draws nothing). The weight handed to the combiners is
// (int)(alpha * 255), scaled by coverage when smoothing. Without smoothing, copy mode stores
// the colour at opacity exactly 1 and half-mixes at exactly 0.5. Opacity 0 draws nothing.
// y = 0 is the top row, also on flipped bitmaps. Null bitmaps, non-finite coordinates and
// radii beyond Raster_kMaxCurveRadius draw nothing; nothing is ever written outside the bitmap.

#include "raster/bitmap/Raster_IBitmap.h"
#include "raster/blit/Raster_BlendModes.h"

// Radii above this are not drawn (the outline would take that many steps per octant).
const float Raster_kMaxCurveRadius = 1048576.0f;

// Circle outline. Radii 2, 2.5, 3, 3.5 and 4 are drawn from fixed glyphs.
void Raster_Circle(Raster_IBitmap* dest, float cx, float cy, float r, unsigned int color,
                   float alpha, int mode, bool aa);
// Disc.
void Raster_FillCircle(Raster_IBitmap* dest, float cx, float cy, float r, unsigned int color,
                       float alpha, int mode, bool aa);
// Arc of a circle outline from minAngle clockwise to maxAngle; angles in radians, 0 at the top.
// A span of a whole turn or more draws the circle; maxAngle <= minAngle draws nothing.
void Raster_Arc(Raster_IBitmap* dest, float cx, float cy, float r, float minAngle, float maxAngle,
                unsigned int color, float alpha, int mode, bool aa);
// Rectangle outline with quarter-arc corners of radius min(cornerRadius, w / 2, h / 2); a plain
// outline when that is below 2.
void Raster_RoundRect(Raster_IBitmap* dest, float x, float y, float w, float h, int cornerRadius,
                      unsigned int color, float alpha, int mode, bool aa);
// Quadratic Bezier. tolerance > 1: drawn as straight pieces of at most that length; otherwise
// as points halving the curve until neighbours are less than a pixel apart.
void Raster_DrawQBezier(Raster_IBitmap* dest, float xStart, float yStart, float xCtl, float yCtl,
                        float xEnd, float yEnd, unsigned int color, float alpha, int mode, bool aa,
                        float tolerance);
// Cubic Bezier; tolerance > 0 draws straight pieces of at most that length.
void Raster_DrawCBezier(Raster_IBitmap* dest, float xStart, float yStart, float xCtl1, float yCtl1,
                        float xCtl2, float yCtl2, float xEnd, float yEnd, unsigned int color,
                        float alpha, int mode, bool aa, float tolerance);
// y of the cubic with control x values x1..x4 and y values y1..y4 at x, by at most 8 halvings
// of t and straight interpolation between the brackets. nextX: the upper bracket's x; dYdX: the
// slope between the brackets; tLo, tHi: the brackets. Every output pointer may be null.
float Raster_CBezier_GetY(float x1, float x2, float x3, float x4, float y1, float y2, float y3,
                          float y4, float x, float* nextX, float* dYdX, double* tLo, double* tHi);
