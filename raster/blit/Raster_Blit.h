#pragma once
// Operations that move pixels between bitmaps or combine one colour into a bitmap, each under
// a mode word (Raster_BlendModes.h) and a float weight (1.0 = full). All accept null bitmaps,
// clip to both bitmaps and honour row spans and the flipped flag.

#include "raster/bitmap/Raster_IBitmap.h"
#include "raster/blit/Raster_BlendModes.h"

// Copies srcRect (left, top, right, bottom; null = whole source) to (destX, destY) unscaled.
void Raster_Blit(Raster_IBitmap* dest, Raster_IBitmap* src, int destX, int destY, RECT* srcRect,
                 float alpha, int mode);
// The same with the rectangle (srcX, srcY, srcX + srcW, srcY + srcH).
void Raster_Blit(Raster_IBitmap* dest, Raster_IBitmap* src, int destX, int destY, int srcX,
                 int srcY, int srcW, int srcH, float alpha, int mode);

// Draws the fractional source rectangle scaled into the destination rectangle; negative
// destination sizes mirror. kBlitFilterBilinear selects bilinear sampling, or an area filter
// for reductions by 1.7 or more on both axes.
void Raster_ScaledBlit(Raster_IBitmap* dest, Raster_IBitmap* src, int destX, int destY, int destW,
                       int destH, float srcX, float srcY, float srcW, float srcH, float alpha,
                       int mode);

// General mapping: destination pixel (i, j) of the rectangle samples the source at
//   s = s0 + j * sStepY + i * (sStepX + j * sStepXY), t = t0 + j * tStepY + i * (tStepX + j * tStepXY)
// with (s0, t0) = (srcX, srcY). With clipToSource only the source rectangle is read.
void Raster_DeltaBlit(Raster_IBitmap* dest, Raster_IBitmap* src, int destX, int destY, int destW,
                      int destH, float srcX, float srcY, float srcW, float srcH, double sStepX,
                      double tStepX, double sStepY, double tStepY, double sStepXY, double tStepXY,
                      bool clipToSource, float alpha, int mode);

// The source rectangle rotated by angle radians about its centre (moved by the offsets) and
// scaled into the destination rectangle.
void Raster_RotatedBlit(Raster_IBitmap* dest, Raster_IBitmap* src, int destX, int destY, int destW,
                        int destH, float srcX, float srcY, float srcW, float srcH, float angle,
                        bool clipToSource, float alpha, int mode, float centerOffsetX,
                        float centerOffsetY);

// The destination rectangle cut into a (gridCols - 1) x (gridRows - 1) grid whose corner points
// map to the source positions in gridPoints (pairs x, y, row by row).
void Raster_TransformBlit(Raster_IBitmap* dest, Raster_IBitmap* src, int destX, int destY,
                          int destW, int destH, float* gridPoints, int gridCols, int gridRows,
                          float alpha, int mode);

void Raster_PutPixel(Raster_IBitmap* dest, int x, int y, Raster_PixelValue color, float alpha,
                     int mode);
void Raster_FillRect(Raster_IBitmap* dest, int x, int y, int w, int h, Raster_PixelValue color,
                     float alpha, int mode);
// Linear gradient: colour channels in 0..1, alpha (the weight) in 0..1, per-pixel steps in x and y.
void Raster_GradRect(Raster_IBitmap* dest, int x, int y, int w, int h, float startR, float startG,
                     float startB, float startA, float stepRX, float stepGX, float stepBX,
                     float stepAX, float stepRY, float stepGY, float stepBY, float stepAY,
                     int mode);
// An 8-bit coverage map (glyphW bytes per row) drawn in one colour, weight scaled by coverage.
void Raster_DrawGlyph(Raster_IBitmap* dest, int x, int y, Raster_PixelValue color,
                      const unsigned char* coverage, int glyphW, int glyphH, float alpha, int mode);
