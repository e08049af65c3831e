#pragma once
// Whole-bitmap pixel utilities. Every function accepts a null bitmap and then does nothing
// (returning 0). Coordinates are pixels, x to the right, y down from the top row.

#include "raster/bitmap/Raster_IBitmap.h"

// Every pixel (width per row, row span honoured) becomes color.
void Raster_Clear(Raster_IBitmap* dest, Raster_PixelValue color);
// Each pixel of the clipped rectangle becomes (pixel & mask) | setBits.
void Raster_ClearRect(Raster_IBitmap* dest, int x, int y, int w, int h, Raster_PixelValue mask,
                      Raster_PixelValue setBits);
// The pixel, or 0 outside the bitmap or without pixels.
Raster_PixelValue Raster_GetPixel(Raster_IBitmap* bmp, int x, int y);
// Pixels whose colour bits (all but alpha) equal color become color; all others get alpha 255.
void Raster_SetAlphaFromColorMask(Raster_IBitmap* dest, Raster_PixelValue color);
// Scan-line fill of the runs through column x that match pixel (x, y) under matchMask.
void Raster_SimpleFill(Raster_IBitmap* dest, int x, int y, Raster_PixelValue fillColor,
                       Raster_PixelValue matchMask, Raster_PixelValue retainMask);
// Resizes dest to src's size and copies all of src to (0, 0).
void Raster_Copy(Raster_IBitmap* dest, Raster_IBitmap* src);
// 0 when equal; otherwise the sign tells which is larger (null sorts first, then size, then bytes).
int Raster_BitmapCmp(Raster_IBitmap* a, Raster_IBitmap* b);
// Soft blur of a source rectangle into dest (may be the same bitmap).
void Raster_Blur(Raster_IBitmap* dest, Raster_IBitmap* src, int destX, int destY, int srcX,
                 int srcY, int srcW, int srcH);
// 2:1 reduction of src into the top-left of dest, each output the mean of a 2 x 2 block.
void Raster_HalveBlitAA(Raster_IBitmap* dest, Raster_IBitmap* src);
// Each channel c of the clipped rectangle becomes clamp(add + scale * c) (add in channel units).
void Raster_MultiplyAddRect(Raster_IBitmap* dest, int x, int y, int w, int h, float scaleR,
                            float scaleG, float scaleB, float scaleA, float addR, float addG,
                            float addB, float addA);
