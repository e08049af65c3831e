#include "tessor_eq/skins/knob_strip.h"

#include "tessor_eq/skins/skin_canvas.h"
#include "tessor_eq/skins/skin_palette.h"

namespace {

// What tells the two knobs apart: the level knobs have a machined silver cap and an amber
// pointer, the stepped frequency knobs a black cap and a white pointer.
struct KnobLook {
  double radius;     // the skirt
  double capRadius;  // the cap on top of it
  Raster_PixelValue capTop, capBottom;
  Raster_PixelValue pointer;
  int ridges;  // knurls around the skirt, turning with the pointer
};

const KnobLook kLevelLook = {kSkinLevelKnobRadius, 12.5, kSkinSilverTop, kSkinSilverBottom,  //
                             kSkinAccent,          36};
const KnobLook kFreqLook = {kSkinFreqKnobRadius, 11.0, kSkinBlackCapTop, kSkinBlackCapBottom,  //
                            kSkinPointerLight,   24};

// The shadow under the knob, on the coverage plane: nested discs below the centre, each
// adding a little, fade from the knob's edge to nothing a few pixels out.
void PaintShadow(SkinCanvas& c, double cx, double cy, double r) {
  const int kLayers = 8;
  for (int i = 0; i < kLayers; ++i)
    Skin_Disc(&c.cover, cx, cy + 1.6, r + 3.4 - i * 0.45, kSkinWhite, 0.085f);
}

// One frame: the knob with its pointer at angle (radians, 0 up, clockwise).
void PaintKnob(SkinCanvas& c, const KnobLook& look, double angle) {
  const double cx = c.w / 2.0, cy = c.h / 2.0, r = look.radius, cap = look.capRadius;
  PaintShadow(c, cx, cy, r);
  Skin_Disc(&c.cover, cx, cy, r, kSkinWhite);

  // The skirt, lit from above, with its knurls and a bright upper edge.
  Skin_Disc(&c.color, cx, cy, r, SkinPaint(kSkinSkirtTop, kSkinSkirtBottom, cy - r, cy + r));
  for (int i = 0; i < look.ridges; ++i)
    Skin_RadialBar(&c.color, cx, cy, angle + i * 2 * M_PI / look.ridges, cap + 1.2, r - 0.3, 0.8,
                   kSkinShadow, 0.45f);
  Skin_ArcBand(&c.color, cx, cy, r - 0.8, r, -1.2, 1.2, kSkinEngraveLight, 0.6f);

  // The cap casts a thin shadow onto the skirt, then its face shades from light to dark.
  Skin_Ring(&c.color, cx, cy + 0.5, cap - 0.5, cap + 1.0, kSkinShadow, 0.6f);
  Skin_Disc(&c.color, cx, cy, cap, SkinPaint(look.capTop, look.capBottom, cy - cap, cy + cap));
  for (int i = 1; i < 4; ++i)
    Skin_Outline(&c.color, cx, cy, cap * i / 4.0, i % 2 ? kSkinWhite : kSkinShadow, 0.08f);
  Skin_ArcBand(&c.color, cx, cy, cap - 0.7, cap, -1.0, 1.0, kSkinWhite, 0.5f);

  // The pointer: a line from near the middle to the skirt's edge, outlined in black so it
  // stands out on the light cap and on the dark skirt alike.
  Skin_RadialBar(&c.color, cx, cy, angle, 3.6, r - 0.4, 3.4, kSkinShadow, 0.85f);
  Skin_RadialBar(&c.color, cx, cy, angle, 4.0, r - 0.9, 2.0, look.pointer);
}

}  // namespace

bool Skin_PaintKnobStrip(Raster_IBitmap* strip, ESkinImage knob) {
  if (knob != kSkinFreqKnob && knob != kSkinLevelKnob) return false;
  const SkinImage& img = kSkinImages[knob];
  const KnobLook& look = knob == kSkinFreqKnob ? kFreqLook : kLevelLook;
  strip->resize(img.width, img.frameHeight * img.frames);
  if (!strip->getBits()) return false;
  SkinCanvas c;
  for (int k = 1; k <= img.frames; ++k) {
    if (!SkinCanvas_Init(&c, img.width, img.frameHeight, kSkinShadow, true)) return false;
    PaintKnob(c, look, SkinKnobAngle((k - 1) / double(img.frames - 1)));
    SkinCanvas_Resolve(&c, strip, 0, (k - 1) * img.frameHeight);
  }
  return true;
}
