#include "tessor_eq/skins/skin_images.h"

#include "tessor_eq/skins/knob_strip.h"
#include "tessor_eq/skins/panel_plate.h"
#include "tessor_eq/skins/panel_print.h"
#include "tessor_eq/skins/skin_palette.h"
#include "tessor_eq/skins/switch_strip.h"

namespace {

// The faceplate is painted on a canvas, resolved into the bitmap, and printed on there: text
// goes through the bitmap's memory context at its final size, where glyphs are hinted for it.
bool PaintBackground(Raster_SysBitmap* out) {
  out->resize(kSkinPanelW, kSkinPanelH);
  if (!out->getBits() || !out->getDC()) return false;
  SkinCanvas c;
  if (!SkinCanvas_Init(&c, kSkinPanelW, kSkinPanelH, kSkinPlateTop, false)) return false;
  Skin_PaintPlate(&c);
  SkinCanvas_Resolve(&c, out, 0, 0);
  Skin_PrintPanel(static_cast<HDC>(out->getDC()));
  return true;
}

}  // namespace

bool Skin_PaintImage(ESkinImage image, Raster_SysBitmap* out) {
  switch (image) {
    case kSkinBackground:
      return PaintBackground(out);
    case kSkinFreqKnob:
    case kSkinLevelKnob:
      return Skin_PaintKnobStrip(out, image);
    case kSkinSwitch:
      return Skin_PaintSwitchStrip(out);
    case kNumSkinImages:
      break;
  }
  return false;
}
