#include "tessor_eq/skins/panel_plate.h"

#include "raster/blit/Raster_Blit.h"
#include "tessor_eq/skins/skin_dials.h"
#include "tessor_eq/skins/skin_palette.h"

#include <cstdint>

namespace {

// A small fixed pseudo-random sequence, so every build paints the same grain.
struct Grain {
  uint32_t state = 0x2545F491u;
  double next() {  // 0..1
    state = state * 1664525u + 1013904223u;
    return (state >> 8) / double(1u << 24);
  }
};

// The anodised ground: a gradient from top to bottom with a brushed grain, every row a touch
// lighter or darker and a few longer streaks.
void PaintGround(SkinCanvas& c) {
  const int W = c.w * kSkinScale, H = c.h * kSkinScale;
  auto f = [](Raster_PixelValue p, int (*ch)(Raster_PixelValue)) { return ch(p) / 255.0f; };
  const float top[3] = {f(kSkinPlateTop, Raster_GetR), f(kSkinPlateTop, Raster_GetG),
                        f(kSkinPlateTop, Raster_GetB)};
  const float bottom[3] = {f(kSkinPlateBottom, Raster_GetR), f(kSkinPlateBottom, Raster_GetG),
                           f(kSkinPlateBottom, Raster_GetB)};
  Raster_GradRect(&c.color, 0, 0, W, H, top[0], top[1], top[2], 1.0f, 0, 0, 0, 0,
                  (bottom[0] - top[0]) / H, (bottom[1] - top[1]) / H, (bottom[2] - top[2]) / H, 0,
                  kBlitCopy);
  Grain g;
  for (int y = 0; y < c.h; ++y) {
    const double v = g.next();
    Raster_FillRect(&c.color, 0, y * kSkinScale, W, kSkinScale, v < 0.5 ? kSkinBlack : kSkinWhite,
                    static_cast<float>(0.035 * std::fabs(v - 0.5) * 2), kBlitCopy);
  }
  for (int i = 0; i < 160; ++i) {
    const double x = g.next() * c.w, y = std::floor(g.next() * c.h), len = 20 + g.next() * 120;
    Skin_RoundRect(&c.color, x, y, len, 1, 0.5, kSkinWhite, 0.025f);
  }
  // Bevelled edges: light along the top, dark along the bottom.
  Skin_RoundRect(&c.color, 0, 0, c.w, 1, 0, kSkinEngraveLight, 0.8f);
  Skin_RoundRect(&c.color, 0, c.h - 1, c.w, 1, 0, kSkinEngraveDark, 0.9f);
}

// An engraved vertical line: a dark cut with its lit edge to the right.
void Engrave(SkinCanvas& c, double x, double y0, double y1) {
  Skin_RoundRect(&c.color, x, y0, 1, y1 - y0, 0.5, kSkinEngraveDark, 0.8f);
  Skin_RoundRect(&c.color, x + 1, y0, 1, y1 - y0, 0.5, kSkinEngraveLight, 0.45f);
}

// Lines between the panel's columns: the name and gain, the high-pass with the oversampling
// switch, then one column per band. Each line lies halfway between two columns' knobs.
void PaintColumns(SkinCanvas& c) {
  const int kColumnKnobs[] = {0, 5, 6, 7, 8, 4};  // indices into kSkinControls, left to right
  const int n = sizeof kColumnKnobs / sizeof kColumnKnobs[0];
  for (int i = 0; i + 1 < n; ++i) {
    const double x = (SkinCentreX(kSkinControls[kColumnKnobs[i]]) +
                      SkinCentreX(kSkinControls[kColumnKnobs[i + 1]])) /
                     2;
    Engrave(c, std::floor(x) - 1, 10, c.h - 10);
  }
}

// The recess a knob sits in, and its scale: marks every 2.5 dB around a level knob, a dot at
// every position around a stepped knob.
void PaintDial(SkinCanvas& c, const SkinControl& ctl, const SkinDial& dial) {
  const double cx = SkinCentreX(ctl), cy = SkinCentreY(ctl);
  const double r = ctl.image == kSkinLevelKnob ? kSkinLevelKnobRadius : kSkinFreqKnobRadius;
  Skin_Disc(&c.color, cx, cy, r + 1.8, kSkinEngraveDark, 0.6f);
  Skin_ArcBand(&c.color, cx, cy, r + 1.0, r + 1.8, M_PI / 2, 3 * M_PI / 2, kSkinEngraveLight,
               0.35f);
  if (dial.steps) {
    for (int i = 0; i < ctl.steps; ++i) {
      const double a = SkinKnobAngle(i / double(ctl.steps - 1));
      Skin_Disc(&c.color, Skin_PolarX(cx, a, kSkinDotRadius), Skin_PolarY(cy, a, kSkinDotRadius),
                1.25, kSkinPrint);
    }
  } else if (dial.maxDb > dial.minDb) {
    const int marks = static_cast<int>((dial.maxDb - dial.minDb) / kSkinScaleStepDb + 0.5);
    for (int i = 0; i <= marks; ++i) {
      const double db = dial.minDb + i * kSkinScaleStepDb;
      const int kind = std::fmod(db, kSkinScaleLabelDb) == 0 ? 2 : (std::fmod(db, 5.0) == 0);
      Skin_RadialBar(&c.color, cx, cy, SkinKnobAngle(SkinScaleValue(dial, db)), kSkinTickIn,
                     kSkinTickOut[kind], kind == 2 ? 1.3 : 0.9,
                     kind ? kSkinPrint : kSkinPrintQuiet);
    }
  }
}

}  // namespace

void Skin_PaintPlate(SkinCanvas* c) {
  PaintGround(*c);
  PaintColumns(*c);
  for (int i = 0; i < kNumSkinControls; ++i)
    if (kSkinControls[i].image != kSkinSwitch) PaintDial(*c, kSkinControls[i], kSkinDials[i]);
}
