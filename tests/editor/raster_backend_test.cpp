// The raster back end on real pixels: primitives, the clipped blit, the rotated mask, the image
// cache, missing skins and the redraw cycle. Image ids are unique per test: the cache is the
// process's.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <fstream>
#include <mutex>
#include <thread>

#include "framework/editor/IBitmapCache.h"
#include "framework/editor/IControls.h"
#include "raster/bitmap/Raster_PixelUtil.h"
#include "tests/editor/RasterGraphics.h"
#include "tests/framework/TestPlugin.h"

namespace {

const IChannelBlend gOpaque(kBlendOpaque);

class RasterTest : public ::testing::Test {
 protected:
  RasterTest() : g(new RasterGraphics(&p, 40, 30)) { p.AttachGraphics(g); }

  int Painted() {
    int n = 0;
    for (const IColor& c : g->Pixels()) n += c != COLOR_TRANSPARENT;
    return n;
  }

  TestPlugin p;
  RasterGraphics* g;  // owned by p
};

}  // namespace

TEST_F(RasterTest, ForcedPixelsReadBackExactlyAndNothingIsWrittenOutsideTheSurface) {
  const IColor c(255, 1, 2, 3);
  EXPECT_TRUE(g->ForcePixel(&c, 39, 29));
  EXPECT_EQ(c, g->GetPoint(39, 29));
  for (auto [x, y] : {std::pair{-1, 0}, {40, 0}, {0, 30}, {0, -1}, {1 << 30, 1 << 30}})
    EXPECT_FALSE(g->ForcePixel(&COLOR_WHITE, x, y));
  EXPECT_EQ(1, Painted());
}

TEST_F(RasterTest, StraightLinesAreClampedIntoTheSurfaceAndFollowItsRowsAfterAShrink) {
  const IColor c(200, 10, 20, 30);
  g->DrawHorizontalLine(&c, -5, -10, 10000);  // the whole of row 0
  g->DrawVerticalLine(&c, 1000, 25, 100);     // the last column, rows 25 to 29
  g->DrawHorizontalLine(&c, 10, 8, 7);        // low end above the high end: nothing
  EXPECT_EQ(40 + 5, Painted());
  EXPECT_EQ(c, g->GetPoint(0, 0));
  EXPECT_EQ(c, g->GetPoint(39, 25));
  EXPECT_EQ(COLOR_TRANSPARENT, g->GetPoint(39, 24));

  g->Resize(30, 20);  // the surface keeps its 40-pixel rows
  g->DrawHorizontalLine(&COLOR_RED, 5, 0, 100);
  for (int x = 0; x < 30; ++x) EXPECT_EQ(COLOR_RED, g->GetPoint(x, 5)) << x;
  EXPECT_EQ(30 + 30, Painted());  // rows 0 (cut to 30) and 5; the column is outside now
}

TEST_F(RasterTest, ShapesBlendByTheirModeAndPointsRoundToTheNearestPixel) {
  IRECT all(0, 0, 40, 30), r(2, 2, 6, 6);
  g->FillIRect(&COLOR_WHITE, &all, &gOpaque);
  const IColor halfRed(128, 255, 0, 0);
  g->FillIRect(&halfRed, &r, &gOpaque);  // opaque: copied as it is, alpha included
  EXPECT_EQ(halfRed, g->GetPoint(5, 5));
  EXPECT_EQ(COLOR_WHITE, g->GetPoint(6, 5));
  g->FillIRect(&COLOR_TRANSPARENT, &all, nullptr);  // source alpha 0 leaves everything
  EXPECT_EQ(COLOR_WHITE, g->GetPoint(0, 0));
  EXPECT_TRUE(g->DrawPoint(&COLOR_BLUE, 9.5f, 9.4f, nullptr, false));
  EXPECT_EQ(COLOR_BLUE, g->GetPoint(10, 9));
  EXPECT_TRUE(g->DrawLine(&COLOR_GREEN, 0.9f, 20.7f, 5.9f, 20.2f, nullptr, false));
  EXPECT_EQ(COLOR_GREEN, g->GetPoint(5, 20));
  EXPECT_EQ(COLOR_WHITE, g->GetPoint(6, 20));
  EXPECT_FALSE(g->DrawLine(&COLOR_GREEN, NAN, 0.0f, 5.0f, 5.0f, nullptr, false));
}

TEST_F(RasterTest, BitmapsDrawOnlyWhereDestinationAndClipOverlapFromTheMatchingSourceOffset) {
  std::unique_ptr<Raster_IBitmap> image(Coordinates(10, 10));
  IBitmap bitmap(image.get(), 10, 10);
  IRECT dest(5, 5, 15, 15);
  g->SetClip(IRECT());  // nothing being painted
  g->DrawBitmap(&bitmap, &dest, 0, 0, &gOpaque);
  EXPECT_EQ(0, Painted());

  g->SetClip(IRECT(10, 0, 40, 30));
  g->DrawBitmap(&bitmap, &dest, 0, 2, &gOpaque);  // from source row 2: 8 rows are left
  EXPECT_EQ(5 * 8, Painted());
  EXPECT_EQ(IColor(255, 5, 2, 0), g->GetPoint(10, 5));
  EXPECT_EQ(IColor(255, 9, 9, 0), g->GetPoint(14, 12));

  IBitmap missing;
  EXPECT_FALSE(g->DrawBitmap(&missing, &dest, 0, 0, &gOpaque));
  EXPECT_FALSE(g->DrawRotatedMask(&missing, &bitmap, &bitmap, 0, 0, 0.0, nullptr));
  EXPECT_EQ(5 * 8, Painted());
}

TEST_F(RasterTest, ARotatedMaskShowsTheBaseWhereTheTurnedMaskIsOpaque) {
  const IColor green(255, 0, 255, 0);
  std::unique_ptr<Raster_IBitmap> base(MakeImage(8, 8, [&](int, int) { return green; }));
  // Opaque over the left half; the top image has one white pixel at (1, 2). The turn is about
  // (4, 4): a half turn takes x to 8 - x.
  std::unique_ptr<Raster_IBitmap> mask(
      MakeImage(8, 8, [](int x, int) { return x < 4 ? COLOR_BLACK : COLOR_TRANSPARENT; }));
  std::unique_ptr<Raster_IBitmap> top(MakeImage(
      8, 8, [](int x, int y) { return x == 1 && y == 2 ? COLOR_WHITE : COLOR_TRANSPARENT; }));
  IBitmap b(base.get(), 8, 8), m(mask.get(), 8, 8), t(top.get(), 8, 8);
  IRECT all(0, 0, 40, 30);
  g->SetClip(all);
  for (double angle : {0.0, 180.0}) {
    g->FillIRect(&COLOR_BLUE, &all, &gOpaque);
    EXPECT_TRUE(g->DrawRotatedMask(&b, &m, &t, 4, 4, angle, nullptr));
    const bool turned = angle != 0.0;
    EXPECT_EQ(turned ? COLOR_BLUE : green, g->GetPoint(5, 8)) << angle;
    EXPECT_EQ(turned ? green : COLOR_BLUE, g->GetPoint(10, 8)) << angle;
    // The half turn's sine is not exactly 0 in float, so a trace of the neighbours mixes in.
    const IColor w = turned ? g->GetPoint(4 + 7, 4 + 6) : g->GetPoint(4 + 1, 4 + 2);
    EXPECT_GE(std::min({w.R, w.G, w.B}), turned ? 250 : 255) << angle;
  }
}

TEST_F(RasterTest, AnIdIsLoadedOnceForEveryEditorAndDerivedImagesLiveUntilTheirLastRelease) {
  IBitmapCache& cache = IBitmapCache::Instance();
  const int deleted = TrackedImage::deleted;
  g->makers[1001] = [] { return Coordinates(6, 12); };
  IBitmap a = g->LoadIBitmap(1001, "knob.png", 2);
  RasterGraphics other(nullptr, 10, 10);
  IBitmap b = other.LoadIBitmap(1001, "other.png", 3);
  EXPECT_EQ(a.mImage, b.mImage);
  EXPECT_EQ(1, g->loads + other.loads);
  EXPECT_EQ("6x12/3", Dims(b));

  IRECT part(2, 3, 5, 7);
  IBitmap crop = g->CropBitmap(&a, &part);
  EXPECT_EQ("3x4/2", Dims(crop));
  EXPECT_EQ(Raster_MakePixel(2, 3, 0, 255), Raster_GetPixel(crop.mImage, 0, 0));
  IBitmap scaled = g->ScaleBitmap(&a, 3, 6);
  EXPECT_EQ("3x6/2", Dims(scaled));
  EXPECT_TRUE(cache.Contains(scaled.mImage));
  // -1 marks derived images: it never finds one.
  g->makers[kDerivedImageId] = [] { return Coordinates(1, 1); };
  EXPECT_NE(crop.mImage, g->LoadIBitmap(kDerivedImageId, "", 1).mImage);

  g->RetainBitmap(&crop);  // a second hold
  g->ReleaseBitmap(&crop);
  EXPECT_TRUE(cache.Contains(crop.mImage));
  g->ReleaseBitmap(&crop);
  EXPECT_FALSE(cache.Contains(crop.mImage));
  g->ReleaseBitmap(&a);  // a loaded skin stays for the process
  EXPECT_EQ(a.mImage, g->LoadIBitmap(1001, "knob.png", 1).mImage);
  EXPECT_EQ(2, g->loads);  // the 1001 load and the -1 one
  EXPECT_EQ(deleted, TrackedImage::deleted);
}

TEST(RasterImageCache, TwoThreadsDecodingOneIdAtOnceGetTheSameImage) {
  RasterGraphics g(nullptr, 4, 4);
  std::mutex m;
  std::condition_variable cv;
  int inside = 0;
  g.makers[1002] = [&] {
    std::unique_lock<std::mutex> lock(m);
    ++inside;
    cv.notify_all();
    cv.wait(lock, [&] { return inside == 2; });  // both decode before either reaches the cache
    return Coordinates(3, 3);
  };
  const int deleted = TrackedImage::deleted, size = IBitmapCache::Instance().Size();
  Raster_IBitmap* got[2];
  std::thread t([&] { got[0] = g.LoadIBitmap(1002, "x.png", 1).mImage; });
  got[1] = g.LoadIBitmap(1002, "x.png", 1).mImage;
  t.join();
  EXPECT_EQ(got[0], got[1]);
  EXPECT_EQ(size + 1, IBitmapCache::Instance().Size());
  EXPECT_EQ(deleted + 1, TrackedImage::deleted);  // the loser's copy
}

TEST_F(RasterTest, AMissingOrBrokenSkinDrawsNothingAndIsReportedOncePerFile) {
  const std::string broken = testing::TempDir() + "broken-skin.png";
  std::ofstream(broken) << "not a PNG";
  const char* gone = "/nonexistent/skin.png";
  testing::internal::CaptureStderr();
  IBitmap missing = g->LoadIBitmap(1003, gone, 1);
  g->LoadIBitmap(1004, gone, 1);  // the same file under another id
  IBitmap bad = g->LoadIBitmap(1005, broken.c_str(), 2);
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(nullptr, missing.mImage);
  EXPECT_EQ("0x0/2", Dims(bad));
  EXPECT_EQ(nullptr, bad.mImage);
  const size_t first = err.find(gone);
  EXPECT_NE(std::string::npos, first) << err;
  EXPECT_EQ(std::string::npos, err.find(gone, first + 1)) << err;
  EXPECT_NE(std::string::npos, err.find(broken)) << err;

  g->AttachBackground(1003, gone);
  g->makers[1006] = [] { return MakeImage(4, 4, [](int, int) { return COLOR_RED; }); };
  IBitmap knob = g->LoadIBitmap(1006, "knob.png", 1);
  g->AttachControl(new IBitmapControl(&p, 2, 2, -1, &missing));
  g->AttachControl(new IBitmapControl(&p, 10, 10, -1, &knob));
  EXPECT_TRUE(g->Draw(nullptr));
  EXPECT_EQ(16, Painted());
  EXPECT_EQ(COLOR_RED, g->GetPoint(10, 10));
}

// A background and two overlapping knobs with translucent frames, so the order of drawing shows
// in the pixels. Repainting the dirty knob (strict: the dirty region; non-strict: the knob with
// the slices above and below it) must give what a full redraw gives.
TEST_F(RasterTest, RepaintingOnlyTheDirtyKnobGivesTheSurfaceOfAFullRedraw) {
  g->makers[1007] = [] {
    return MakeImage(40, 30, [](int x, int y) { return IColor(255, x * 6, y * 8, 90); });
  };
  g->makers[1008] = [] {
    return MakeImage(16, 48, [](int x, int y) { return IColor(x * 16 + y, y * 5, 200 - x, 60); });
  };
  g->AttachBackground(1007, "back.png");
  IBitmap knob = g->LoadIBitmap(1008, "knob.png", 3);
  g->AttachControl(new IKnobMultiControl(&p, 5, 5, -1, &knob));
  g->AttachControl(new IKnobMultiControl(&p, 15, 10, -1, &knob));
  double value = 0.0;
  for (bool strict : {true, false}) {
    g->SetStrictDrawing(strict);
    g->Draw(nullptr);
    for (int idx : {1, 2}) {
      const auto before = g->Pixels();
      value = value < 1.0 ? value + 0.5 : 0.0;
      g->SetControlFromPlug(idx, value);
      IRECT r;
      ASSERT_TRUE(g->IsDirty(&r));
      g->Draw(&r);
      EXPECT_EQ(r, g->screens.back());
      const auto partial = g->Pixels();
      EXPECT_NE(before, partial) << strict << idx;
      g->SetAllControlsDirty();
      g->Draw(nullptr);
      EXPECT_EQ(g->Pixels(), partial) << strict << idx;
    }
  }
}
