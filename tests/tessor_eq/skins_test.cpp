// Tessor EQ's skin images as the build puts them into the component bundle: sizes that fit the
// panel's layout, knob strips whose pointer sweeps the whole scale on a transparent surround, a
// switch whose states differ plainly, and legends that match the parameters they sit around.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>

#include "TestOndrel.h"
#include "raster/bitmap/Raster_ImageLoader.h"
#include "raster/bitmap/Raster_PixelUtil.h"
#include "tessor_eq/skins/skin_dials.h"

namespace {

// Each image loaded once from the bundle, as the editor loads it.
Raster_IBitmap* Image(ESkinImage i) {
  static std::unique_ptr<Raster_IBitmap> images[kNumSkinImages];
  if (!images[i]) {
    const std::string path =
        std::string(TESSOR_EQ_BUNDLE) + "/Contents/Resources/" + kSkinImages[i].file;
    images[i].reset(Raster_LoadPNG(path.c_str(), nullptr));
  }
  return images[i].get();
}

Raster_PixelValue Pixel(ESkinImage i, int frame, int x, int y) {
  return Raster_GetPixel(Image(i), x, (frame - 1) * kSkinImages[i].frameHeight + y);
}

int ColourDistance(Raster_PixelValue a, Raster_PixelValue b) {
  return std::abs(Raster_GetR(a) - Raster_GetR(b)) + std::abs(Raster_GetG(a) - Raster_GetG(b)) +
         std::abs(Raster_GetB(a) - Raster_GetB(b));
}

// Where a knob frame's pointer points, in degrees (0 up, clockwise): the centroid of how much
// the frame differs from a reference frame, inside the middle of the knob (the skirt's knurls
// turn too) and on one side of the centre, away from the reference frame's own pointer.
double PointerDegrees(ESkinImage knob, int frame, int reference, bool below) {
  const int size = kSkinImages[knob].width;
  const double c = size / 2.0, reach = size * 0.15;
  double sx = 0, sy = 0;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const double dx = x + 0.5 - c, dy = y + 0.5 - c;
      if (std::hypot(dx, dy) > reach || (dy > 0) != below) continue;
      const int d = ColourDistance(Pixel(knob, frame, x, y), Pixel(knob, reference, x, y));
      sx += d * dx;
      sy += d * dy;
    }
  return std::atan2(sx, -sy) * 180 / M_PI;
}

// The frequency a legend stands for: "Off" as 0, "2.5k" as 2500, "150 Hz" as 150.
double Hertz(const char* text) {
  if (std::string(text) == "Off") return 0;
  char* end = nullptr;
  const double v = std::strtod(text, &end);
  return *end == 'k' ? v * 1000 : v;
}

}  // namespace

TEST(Skins, BundleHoldsEveryImageSizedForTheLayout) {
  for (int i = 0; i < kNumSkinImages; ++i) {
    const SkinImage& img = kSkinImages[i];
    SCOPED_TRACE(img.file);
    Raster_IBitmap* b = Image(static_cast<ESkinImage>(i));
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->getWidth(), img.width);
    EXPECT_EQ(b->getHeight(), img.frames * img.frameHeight);
  }
  // Every control inside the panel, and each band's two knobs on one centre line (the second
  // mid band's corners are 11 pixels apart, not 9, so its knobs stand 2 pixels apart).
  for (const SkinControl& c : kSkinControls) {
    EXPECT_LE(c.x + Image(c.image)->getWidth(), kSkinPanelW);
    EXPECT_LE(c.y + Image(c.image)->getHeight() / kSkinImages[c.image].frames, kSkinPanelH);
  }
  for (int band = 0; band < 3; ++band) {
    const SkinControl &level = kSkinControls[1 + band], &freq = kSkinControls[6 + band];
    EXPECT_NEAR(freq.x + Image(freq.image)->getWidth() / 2.0,
                level.x + Image(level.image)->getWidth() / 2.0, band == 2 ? 2.0 : 0.0);
  }
}

TEST(Skins, KnobPointerSweepsFromMinus150ToPlus150DegreesOnATransparentSurround) {
  const int middle = (kSkinKnobFrames + 1) / 2;
  for (ESkinImage knob : {kSkinFreqKnob, kSkinLevelKnob}) {
    SCOPED_TRACE(kSkinImages[knob].file);
    EXPECT_NEAR(PointerDegrees(knob, 1, middle, true), -150, 3);
    EXPECT_NEAR(PointerDegrees(knob, kSkinKnobFrames, middle, true), 150, 3);
    EXPECT_NEAR(PointerDegrees(knob, middle, 1, false), 0, 3);

    const int size = kSkinImages[knob].width;
    for (int frame : {1, middle, int(kSkinKnobFrames)}) {
      EXPECT_EQ(Raster_GetA(Pixel(knob, frame, size / 2, size / 2)), 255);
      int visibleOutside = 0;
      for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
          if (std::hypot(x + 0.5 - size / 2.0, y + 0.5 - size / 2.0) > size * 0.48)
            visibleOutside += Raster_GetA(Pixel(knob, frame, x, y)) != 0;
      EXPECT_EQ(visibleOutside, 0) << "frame " << frame;
    }
  }
}

TEST(Skins, SwitchStatesDifferPlainly) {
  const SkinImage& sw = kSkinImages[kSkinSwitch];
  int changed = 0;
  for (int y = 0; y < sw.frameHeight; ++y)
    for (int x = 0; x < sw.width; ++x)
      changed += ColourDistance(Pixel(kSkinSwitch, 1, x, y), Pixel(kSkinSwitch, 2, x, y)) > 150;
  EXPECT_GT(changed, sw.width * sw.frameHeight / 4);
}

TEST(Skins, LegendsMatchTheParametersTheySitAround) {
  TestOndrel eq;
  for (int i = 0; i < kNumSkinControls; ++i) {
    const SkinControl& c = kSkinControls[i];
    const SkinDial& dial = kSkinDials[i];
    const IParam* p = eq.GetParam(c.paramIdx);
    SCOPED_TRACE(p->GetNameForHost());
    if (c.image == kSkinLevelKnob) {
      EXPECT_EQ(dial.minDb, p->GetMin());
      EXPECT_EQ(dial.maxDb, p->GetMax());
    } else if (c.image == kSkinFreqKnob) {
      ASSERT_EQ(c.steps, p->GetNDisplayTexts());
      for (int s = 0; s < c.steps; ++s)
        EXPECT_EQ(Hertz(dial.steps[s]), Hertz(p->GetDisplayText(s))) << dial.steps[s];
    } else {
      EXPECT_EQ(p->GetNDisplayTexts(), kSkinImages[c.image].frames);
    }
  }
}
