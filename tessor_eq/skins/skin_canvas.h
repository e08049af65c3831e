#pragma once
// Drawing the skins at four times their final resolution. Every shape is drawn on a canvas
// kSkinScale times larger than the image and then reduced by averaging blocks of
// kSkinScale x kSkinScale pixels, so edges, thin scale marks and a knob pointer at any of its
// 271 angles all get the same smooth, even anti-aliasing.
//
// Coordinates given to these functions are final-image pixels, continuous: pixel column i spans
// x = i .. i + 1, so a disc centred at (28, 28) in a 56-pixel image sits exactly in its middle.

#include "raster/bitmap/Raster_MemBitmap.h"
#include "tessor_eq/skins/skin_geometry.h"

enum { kSkinScale = 4 };

// An image being drawn: its colours at kSkinScale times the size and, for an image with a
// transparent surround (knobs and the switch, drawn over the panel with their alpha), a
// coverage plane of the same size that becomes the alpha: white opaque, black transparent.
struct SkinCanvas {
  int w = 0, h = 0;  // final size
  Raster_MemBitmap color;
  Raster_MemBitmap cover;  // empty for an opaque image
};

// Sizes the canvas and fills it with the ground colour (and the coverage plane with black).
// False when the memory cannot be had.
bool SkinCanvas_Init(SkinCanvas* c, int w, int h, Raster_PixelValue ground, bool withCover);

// Reduces the canvas to its final size and copies it into dest at (x, y): colours averaged,
// alpha the averaged coverage (opaque for a canvas without one).
void SkinCanvas_Resolve(SkinCanvas* c, Raster_IBitmap* dest, int x, int y);

// A colour, or a vertical gradient from top (at y = y0) to bottom (at y = y1), held beyond.
struct SkinPaint {
  Raster_PixelValue top, bottom;
  double y0 = 0, y1 = 0;
  SkinPaint(Raster_PixelValue c) : top(c), bottom(c) {}
  SkinPaint(Raster_PixelValue t, Raster_PixelValue b, double from, double to)
      : top(t), bottom(b), y0(from), y1(to) {}
  Raster_PixelValue at(double y) const;
};

// The shapes, drawn on a canvas plane (SkinCanvas::color or ::cover) at opacity alpha. Each
// pixel of a shape is blended once, so translucent shapes come out even.
void Skin_Ring(Raster_IBitmap* plane, double cx, double cy, double rIn, double rOut,
               const SkinPaint& paint, float alpha = 1.0f);
inline void Skin_Disc(Raster_IBitmap* plane, double cx, double cy, double r, const SkinPaint& paint,
                      float alpha = 1.0f) {
  Skin_Ring(plane, cx, cy, 0, r, paint, alpha);
}
// Convex polygon of n points (n <= 8).
void Skin_Polygon(Raster_IBitmap* plane, const double* xy, int n, const SkinPaint& paint,
                  float alpha = 1.0f);
// A straight bar of the given width from (x1, y1) to (x2, y2), square ends.
void Skin_Bar(Raster_IBitmap* plane, double x1, double y1, double x2, double y2, double width,
              const SkinPaint& paint, float alpha = 1.0f);
// The bar from radius r1 to r2 along the angle (radians, 0 up, clockwise) around (cx, cy).
void Skin_RadialBar(Raster_IBitmap* plane, double cx, double cy, double angle, double r1, double r2,
                    double width, const SkinPaint& paint, float alpha = 1.0f);
// Rectangle with corners rounded by radius (0: square corners).
void Skin_RoundRect(Raster_IBitmap* plane, double x, double y, double w, double h, double radius,
                    const SkinPaint& paint, float alpha = 1.0f);
// A thin anti-aliased circle outline (the raster library's smoothed circle), one canvas pixel
// wide: a quarter of a final pixel, so draw it a few times with growing radius for a line.
void Skin_Outline(Raster_IBitmap* plane, double cx, double cy, double r, Raster_PixelValue color,
                  float alpha = 1.0f);
// The part of a ring between the angles a0 and a1 (radians, 0 up, clockwise, a0 < a1).
void Skin_ArcBand(Raster_IBitmap* plane, double cx, double cy, double rIn, double rOut, double a0,
                  double a1, const SkinPaint& paint, float alpha = 1.0f);
