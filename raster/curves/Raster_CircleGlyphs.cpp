// The small-circle coverage maps.

#include "raster/curves/Raster_CircleGlyphs.h"

namespace {

// clang-format off
const unsigned char kR2AA[25] = {
   15, 191, 255, 191,  15,
  191, 209,  79, 209, 191,
  255,  79,   0,  79, 255,
  191, 209,  79, 209, 191,
   15, 191, 255, 191,  15};
const unsigned char kR2[25] = {
    0,   0, 255,   0,   0,
    0, 255,   0, 255,   0,
  255,   0,   0,   0, 255,
    0, 255,   0, 255,   0,
    0,   0, 255,   0,   0};

// 6 x 6: h l F F l h / l m o o m l / F o 0 0 o F / (mirrored)
#define R25(h, l, m, o) {h, l, 255, 255, l, h,  l, m, o, o, m, l,  255, o, 0, 0, o, 255, \
                         255, o, 0, 0, o, 255,  l, m, o, o, m, l,  h, l, 255, 255, l, h}
const unsigned char kR25AA[36] = R25(15, 191, 209, 79);
const unsigned char kR25[36] = R25(0, 0, 255, 0);

// 7 x 7: 0 h F F F h 0 / h F l m l F h / F o 0 0 0 o F / F s 0 0 0 s F / (mirrored)
#define R3(h, l, m, o, s) {0, h, 255, 255, 255, h, 0,  h, 255, l, m, l, 255, h,  255, o, 0, 0, 0, o, 255, \
                           255, s, 0, 0, 0, s, 255,  255, o, 0, 0, 0, o, 255,  h, 255, l, m, l, 255, h, \
                           0, h, 255, 255, 255, h, 0}
const unsigned char kR3AA[49] = R3(143, 97, 64, 112, 48);
const unsigned char kR3[49] = R3(0, 0, 0, 0, 0);

// 8 x 8: 0 h l F F l h 0 / h F m o o m F h / l m 0 0 0 0 m l / F o 0 0 0 0 o F / (mirrored)
#define R35(h, l, m, o) {0, h, l, 255, 255, l, h, 0,  h, 255, m, o, o, m, 255, h,  l, m, 0, 0, 0, 0, m, l, \
                         255, o, 0, 0, 0, 0, o, 255,  255, o, 0, 0, 0, 0, o, 255,  l, m, 0, 0, 0, 0, m, l, \
                         h, 255, m, o, o, m, 255, h,  0, h, l, 255, 255, l, h, 0}
const unsigned char kR35AA[64] = R35(79, 222, 176, 64);
const unsigned char kR35[64] = R35(0, 255, 255, 0);

const unsigned char kR4AA[81] = {
    0,  31, 176, 255, 255, 255, 176,  31,   0,
   31, 240, 209,  79,  64,  79, 209, 240,  31,
  176, 209,  15,   0,   0,   0,  15, 209, 176,
  255,  79,   0,   0,   0,   0,   0,  79, 255,
  255,  48,   0,   0,   0,   0,   0,  48, 255,
  255,  79,   0,   0,   0,   0,   0,  79, 255,
  176, 209,  15,   0,   0,   0,  15, 209, 176,
   31, 240, 209,  79,  64,  79, 209, 240,  31,
    0,  31, 176, 255, 255, 255, 176,  31,   0};
const unsigned char kR4[81] = {
    0,   0, 255, 255, 255, 255, 255,   0,   0,
    0, 255, 255,   0,   0,   0, 255, 255,   0,
  255, 255,   0,   0,   0,   0,   0, 255, 255,
  255,   0,   0,   0,   0,   0,   0,   0, 255,
  255,   0,   0,   0,   0,   0,   0,   0, 255,
  255,   0,   0,   0,   0,   0,   0,   0, 255,
  255, 255,   0,   0,   0,   0,   0, 255, 255,
    0, 255, 255,   0,   0,   0, 255, 255,   0,
    0,   0, 255, 255, 255, 255, 255,   0,   0};
// clang-format on

const Raster_CircleGlyph kGlyphs[5][2] = {
    {{5, kR2}, {5, kR2AA}},   {{6, kR25}, {6, kR25AA}}, {{7, kR3}, {7, kR3AA}},
    {{8, kR35}, {8, kR35AA}}, {{9, kR4}, {9, kR4AA}},
};

}  // namespace

const Raster_CircleGlyph* Raster_FindCircleGlyph(float r, bool aa) {
  int i;
  if (r == 2.0f)
    i = 0;
  else if (r == 2.5f)
    i = 1;
  else if (r == 3.0f)
    i = 2;
  else if (r == 3.5f)
    i = 3;
  else if (r == 4.0f)
    i = 4;
  else
    return nullptr;
  return &kGlyphs[i][aa ? 1 : 0];
}
