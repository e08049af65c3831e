#include "tessor_eq/skins/switch_strip.h"

#include "tessor_eq/skins/skin_canvas.h"
#include "tessor_eq/skins/skin_geometry.h"
#include "tessor_eq/skins/skin_palette.h"

namespace {

const Raster_PixelValue kTrackOff = Skin_Rgb(22, 23, 26);
const Raster_PixelValue kGlowTop = Skin_Rgb(255, 196, 96);

void PaintSwitch(SkinCanvas& c, bool on) {
  const double w = c.w, h = c.h;
  // The bezel the track is set into: a dark cut with a light lower edge, like the panel's
  // engravings.
  Skin_RoundRect(&c.cover, 1, 1, w - 2, h - 2, (h - 2) / 2, kSkinWhite);
  Skin_RoundRect(&c.color, 1, 1, w - 2, h - 2, (h - 2) / 2,
                 SkinPaint(kSkinEngraveDark, kSkinEngraveLight, 2, h - 2));

  // The track, its upper edge in shade.
  const double tx = 3, ty = 3, tw = w - 6, th = h - 6;
  if (on)
    Skin_RoundRect(&c.color, tx, ty, tw, th, th / 2, SkinPaint(kGlowTop, kSkinAccent, ty, ty + th));
  else
    Skin_RoundRect(&c.color, tx, ty, tw, th, th / 2, kTrackOff);
  Skin_RoundRect(&c.color, tx, ty, tw, 2.0, 1.0, kSkinShadow, on ? 0.25f : 0.6f);

  // The thumb, a small silver knob with its shadow.
  const double r = th / 2 - 0.5;
  const double cx = on ? tx + tw - th / 2 : tx + th / 2, cy = ty + th / 2;
  Skin_Disc(&c.color, cx, cy + 0.8, r + 0.6, kSkinShadow, 0.55f);
  Skin_Disc(&c.color, cx, cy, r, SkinPaint(kSkinSilverTop, kSkinSilverBottom, cy - r, cy + r));
  Skin_Outline(&c.color, cx, cy, r * 0.45, kSkinShadow, 0.25f);
}

}  // namespace

bool Skin_PaintSwitchStrip(Raster_IBitmap* strip) {
  const SkinImage& img = kSkinImages[kSkinSwitch];
  strip->resize(img.width, img.frameHeight * img.frames);
  if (!strip->getBits()) return false;
  SkinCanvas c;
  for (int k = 0; k < img.frames; ++k) {
    if (!SkinCanvas_Init(&c, img.width, img.frameHeight, kSkinEngraveDark, true)) return false;
    PaintSwitch(c, k == 1);
    SkinCanvas_Resolve(&c, strip, 0, k * img.frameHeight);
  }
  return true;
}
