// The skin painter's own drawing: shapes cover the area they describe and nothing else once
// the canvas is reduced, and a stepped knob resting on a position shows the frame whose pointer
// points where the panel prints that position.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "raster/bitmap/Raster_PixelUtil.h"
#include "tessor_eq/skins/skin_canvas.h"

namespace {

const Raster_PixelValue kInk = Raster_MakePixel(255, 255, 255, 255);

// The reduced canvas's coverage: its summed alpha in pixels, and how much of it lies outside
// the region inside(x, y) (pixel centres).
template <class Inside>
void Coverage(SkinCanvas& c, Inside inside, double* area, double* stray) {
  Raster_MemBitmap out(c.w, c.h);
  SkinCanvas_Resolve(&c, &out, 0, 0);
  *area = *stray = 0;
  for (int y = 0; y < c.h; ++y)
    for (int x = 0; x < c.w; ++x) {
      const double a = Raster_GetA(Raster_GetPixel(&out, x, y)) / 255.0;
      *area += a;
      if (!inside(x + 0.5, y + 0.5)) *stray += a;
    }
}

struct Blank : SkinCanvas {
  Blank() { SkinCanvas_Init(this, 40, 40, Raster_MakePixel(0, 0, 0, 255), true); }
};

}  // namespace

TEST(SkinDrawing, ShapesCoverTheirAreaAndNothingElse) {
  double area, stray;
  Blank disc;
  Skin_Disc(&disc.cover, 20, 20, 10, kInk);
  Coverage(
      disc, [](double x, double y) { return std::hypot(x - 20, y - 20) < 11; }, &area, &stray);
  EXPECT_NEAR(area, M_PI * 100, 2.0);
  EXPECT_EQ(stray, 0);

  // A quarter of a ring, from straight up to three o'clock.
  Blank arc;
  Skin_ArcBand(&arc.cover, 20, 20, 10, 16, 0, M_PI / 2, kInk);
  Coverage(
      arc,
      [](double x, double y) { return x > 19.5 && y < 20.5 && std::hypot(x - 20, y - 20) < 17; },
      &area, &stray);
  EXPECT_NEAR(area, M_PI * (256 - 100) / 4, 2.0);
  EXPECT_EQ(stray, 0);

  // A bar 2 wide and 20 long, at 30 degrees.
  Blank bar;
  const double a = M_PI / 6;
  Skin_RadialBar(&bar.cover, 20, 20, a, 0, 20, 2, kInk);
  Coverage(
      bar,
      [a](double x, double y) {
        const double along = (x - 20) * std::sin(a) - (y - 20) * std::cos(a);
        const double across = (x - 20) * std::cos(a) + (y - 20) * std::sin(a);
        return along > -1 && along < 21 && std::fabs(across) < 2;
      },
      &area, &stray);
  EXPECT_NEAR(area, 40, 1.0);
  EXPECT_EQ(stray, 0);
}

TEST(SkinDrawing, FrameForAValueFollowsTheDetentKnobsRule) {
  EXPECT_EQ(SkinKnobFrame(0, kSkinKnobFrames), 1);
  EXPECT_EQ(SkinKnobFrame(1, kSkinKnobFrames), kSkinKnobFrames);
  EXPECT_EQ(SkinKnobFrame(0.5, kSkinKnobFrames), 136);
  EXPECT_EQ(SkinKnobFrame(-0.3, kSkinKnobFrames), 1);
  EXPECT_EQ(SkinKnobFrame(1.7, kSkinKnobFrames), kSkinKnobFrames);
  EXPECT_EQ(SkinKnobFrame(std::numeric_limits<double>::quiet_NaN(), kSkinKnobFrames), 1);

  // At each position the frame's pointer angle is the printed position's angle, within the
  // 300 / 270 degrees between neighbouring frames.
  for (const SkinControl& c : kSkinControls)
    for (int i = 0; c.steps && i < c.steps; ++i) {
      const double v = i / double(c.steps - 1);
      const int k = SkinKnobFrame(v, kSkinKnobFrames);
      EXPECT_NEAR(SkinKnobAngle((k - 1) / double(kSkinKnobFrames - 1)), SkinKnobAngle(v),
                  0.5 * kSkinSweepDegrees / (kSkinKnobFrames - 1) * M_PI / 180);
    }
}
