#include "tessor_eq/ondrel_editor.h"

#include "framework/au/IPluginAU.h"
#include "framework/editor/IBitmapControls.h"
#include "framework/editor/IGraphicsMac.h"
#include "framework/editor/IKnobControls.h"
#include "tessor_eq/IDetentKnob.h"
#include "tessor_eq/ondrel_identity.h"
#include "tessor_eq/skins/skin_geometry.h"

namespace {

constexpr int kEditorFPS = 30;

}  // namespace

IGraphics* MakeGraphics(IPluginAU* plug, int width, int height, int fps) {
  IGraphicsMac* graphics = new IGraphicsMac(plug, width, height, fps);
  graphics->SetBundleID(kOndrelBundleIdentifier);
  return graphics;
}

IGraphics* MakeOndrelEditor(IPluginAU* plug) {
  IGraphics* g = MakeGraphics(plug, kSkinPanelW, kSkinPanelH, kEditorFPS);

  const SkinImage& back = kSkinImages[kSkinBackground];
  g->AttachBackground(back.resourceId, back.file);
  // The strips, loaded in the order freq knob, level knob, switch.
  IBitmap strips[kNumSkinImages];
  for (int i = kSkinFreqKnob; i < kNumSkinImages; ++i) {
    const SkinImage& image = kSkinImages[i];
    strips[i] = g->LoadIBitmap(image.resourceId, image.file, image.frames);
  }

  for (const SkinControl& c : kSkinControls) {
    IBitmap* strip = &strips[c.image];
    IControl* control;
    if (c.image == kSkinSwitch)
      control = new ISwitchControl(plug, c.x, c.y, c.paramIdx, strip);
    else if (c.steps > 0)
      control = new IDetentKnob(plug, c.x, c.y, c.paramIdx, strip, c.steps);
    else
      control = new IKnobMultiControl(plug, c.x, c.y, c.paramIdx, strip);
    g->AttachControl(control);
  }
  return g;
}
