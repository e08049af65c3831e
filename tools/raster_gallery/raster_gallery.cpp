// raster-gallery [OUT.png [SCALE]]: draws every line, fill, circle and curve primitive of the raster
// library once per blend mode, one row per mode and one column per primitive, on a grey
// checkerboard (so that mixing, adding and multiplying are visible), and writes the PNG,
// enlarged SCALE times (1 to 8, nearest pixel) for a close look at single pixels.

#include "GalleryPng.h"

#include "raster/bitmap/Raster_MemBitmap.h"
#include "raster/blit/Raster_Blit.h"
#include "raster/curves/Raster_Curves.h"
#include "raster/lines/Raster_Lines.h"

#include <cstdio>
#include <cstdlib>

namespace {

const int kCell = 72;

struct ModeRow {
  const char* name;
  int mode;
  float alpha;
};

const ModeRow kModes[] = {
    {"copy 1.0", kBlitCopy, 1.0f},   {"copy 0.5", kBlitCopy, 0.5f},
    {"copy 0.7", kBlitCopy, 0.7f},   {"add", kBlitAdd, 1.0f},
    {"dodge", kBlitDodge, 0.8f},     {"multiply", kBlitMul, 1.0f},
    {"overlay", kBlitOverlay, 1.0f}, {"hsv adjust", kBlitHSVAdjust, 1.0f},
};

typedef void (*Primitive)(Raster_IBitmap*, int x, int y, unsigned int color, float alpha, int mode);

const unsigned int kOrange = Raster_MakePixel(255, 140, 20, 255);
const unsigned int kBlue = Raster_MakePixel(40, 120, 255, 255);

const Primitive kPrimitives[] = {
    // lines, plain and smoothed
    [](Raster_IBitmap* b, int x, int y, unsigned int c, float a, int m) {
      for (int i = 0; i < 6; ++i)
        Raster_Line(b, x + 6, y + 6 + i * 11, x + 66, y + 6 + i * 4 + i * i, c, a, m, false);
      Raster_Line(b, x + 36, y + 4, x + 36, y + 68, c, a, m, false);
    },
    [](Raster_IBitmap* b, int x, int y, unsigned int c, float a, int m) {
      for (int i = 0; i < 6; ++i)
        Raster_Line(b, x + 6, y + 6 + i * 11, x + 66, y + 6 + i * 4 + i * i, c, a, m, true);
      Raster_Line(b, x + 6, y + 66, x + 40, y + 32, c, a, m, true);
    },
    [](Raster_IBitmap* b, int x, int y, unsigned int c, float a, int m) {
      for (int i = 0; i < 8; ++i)
        Raster_FLine(b, x + 36.5f, y + 36.5f,
                     x + 36.5f + 30 * (i % 2 ? 0.4f : 1.0f) * (i < 4 ? 1 : -1),
                     y + 36.5f + 30 * ((i * 37) % 9 - 4) / 4.0f, c, a, m, true);
    },
    [](Raster_IBitmap* b, int x, int y, unsigned int c, float a, int m) {
      for (int i = 0; i < 5; ++i)
        Raster_DashedLine(b, x + 6, y + 8 + i * 6, x + 66, y + 8 + i * 6, 1 + i, 1 + i / 2, c, a, m,
                          false);
      for (int i = 0; i < 5; ++i)
        Raster_DashedLine(b, x + 10 + i * 12, y + 40, x + 10 + i * 12, y + 68, 3, i, c, a, m,
                          false);
    },
    [](Raster_IBitmap* b, int x, int y, unsigned int c, float a, int m) {
      Raster_DrawRect(b, x + 6, y + 6, 58, 58, c, a, m);
      Raster_BorderedRect(b, x + 16, y + 16, 38, 38, kBlue, c, a, m);
    },
    [](Raster_IBitmap* b, int x, int y, unsigned int c, float a, int m) {
      Raster_FillTriangle(b, x + 6, y + 60, x + 36, y + 6, x + 66, y + 44, c, a, m);
      Raster_FillTriangle(b, x + 6, y + 66, x + 30, y + 50, x + 60, y + 68, kBlue, a, m);
    },
    [](Raster_IBitmap* b, int x, int y, unsigned int c, float a, int m) {
      const float r[] = {2, 2.5f, 3, 3.5f, 4};
      for (int i = 0; i < 5; ++i) {
        Raster_Circle(b, x + 8 + i * 13, y + 12, r[i], c, a, m, false);
        Raster_Circle(b, x + 8 + i * 13, y + 28, r[i], c, a, m, true);
      }
      Raster_Circle(b, x + 20, y + 52, 14, c, a, m, false);
      Raster_Circle(b, x + 52, y + 52, 14.5f, c, a, m, true);
    },
    [](Raster_IBitmap* b, int x, int y, unsigned int c, float a, int m) {
      Raster_FillCircle(b, x + 20, y + 20, 14, c, a, m, false);
      Raster_FillCircle(b, x + 52, y + 20, 13.6f, c, a, m, true);
      Raster_FillCircle(b, x + 36, y + 52, 17.3f, kBlue, a, m, true);
    },
    [](Raster_IBitmap* b, int x, int y, unsigned int c, float a, int m) {
      const float q = 3.14159265f / 2;
      Raster_Arc(b, x + 22, y + 22, 16, 0, q, c, a, m, false);
      Raster_Arc(b, x + 22, y + 22, 12, 2 * q, 3 * q, c, a, m, false);
      Raster_Arc(b, x + 50, y + 22, 16, -q, 2 * q, c, a, m, true);
      Raster_Arc(b, x + 36, y + 52, 16, -2.4f, 2.4f, kBlue, a, m, true);
    },
    [](Raster_IBitmap* b, int x, int y, unsigned int c, float a, int m) {
      Raster_RoundRect(b, x + 6, y + 6, 60, 26, 8, c, a, m, false);
      Raster_RoundRect(b, x + 6, y + 38, 60, 28, 12, c, a, m, true);
    },
    [](Raster_IBitmap* b, int x, int y, unsigned int c, float a, int m) {
      Raster_DrawQBezier(b, x + 4, y + 66, x + 36, y - 30, x + 68, y + 66, c, a, m, false, 0);
      Raster_DrawQBezier(b, x + 4, y + 40, x + 36, y + 90, x + 68, y + 20, kBlue, a, m, true, 2);
    },
    [](Raster_IBitmap* b, int x, int y, unsigned int c, float a, int m) {
      Raster_DrawCBezier(b, x + 4, y + 36, x + 30, y - 30, x + 42, y + 100, x + 68, y + 36, c, a, m,
                         false, 0);
      Raster_DrawCBezier(b, x + 4, y + 66, x + 20, y + 6, x + 52, y + 6, x + 68, y + 66, kBlue, a,
                         m, true, 1.5f);
    },
};

}  // namespace

int main(int argc, char** argv) {
  const char* out = argc > 1 ? argv[1] : "raster_gallery.png";
  const int cols = (int)(sizeof(kPrimitives) / sizeof(kPrimitives[0]));
  const int rows = (int)(sizeof(kModes) / sizeof(kModes[0]));
  Raster_MemBitmap bmp(cols * kCell, rows * kCell);
  if (!bmp.getBits()) {
    std::fprintf(stderr, "raster-gallery: cannot allocate the image\n");
    return 1;
  }
  for (int y = 0; y < bmp.getHeight(); y += 8)
    for (int x = 0; x < bmp.getWidth(); x += 8) {
      const int g = ((x / 8 + y / 8) % 2) ? 96 : 128;
      Raster_FillRect(&bmp, x, y, 8, 8, Raster_MakePixel(g, g, g, 255), 1.0f, kBlitCopy);
    }
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c) {
      kPrimitives[c](&bmp, c * kCell, r * kCell, kOrange, kModes[r].alpha, kModes[r].mode);
      Raster_DrawRect(&bmp, c * kCell, r * kCell, kCell - 1, kCell - 1,
                      Raster_MakePixel(60, 60, 60, 255), 1.0f, kBlitCopy);
    }
  int scale = argc > 2 ? std::atoi(argv[2]) : 1;
  if (scale < 1 || scale > 8) {
    std::fprintf(stderr, "raster-gallery: SCALE must be 1 to 8\n");
    return 1;
  }
  Raster_MemBitmap big(bmp.getWidth() * scale, bmp.getHeight() * scale);
  Raster_IBitmap* img = &bmp;
  if (scale > 1) {
    Raster_ScaledBlit(&big, &bmp, 0, 0, big.getWidth(), big.getHeight(), 0, 0,
                      (float)bmp.getWidth(), (float)bmp.getHeight(), 1.0f, kBlitCopy);
    img = &big;
  }
  if (!Gallery_WritePNG(img, out)) {
    std::fprintf(stderr, "raster-gallery: cannot write %s\n", out);
    return 1;
  }
  std::printf("raster-gallery: %d primitives x %d modes (", cols, rows);
  for (int r = 0; r < rows; ++r) std::printf("%s%s", r ? ", " : "", kModes[r].name);
  std::printf(") written to %s\n", out);
  return 0;
}
