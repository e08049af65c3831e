// Quadratic and cubic Bezier curves and the cubic's y-at-x search.

#include "raster/curves/Raster_Curves.h"

#include "Raster_TestBitmap.h"
#include "Raster_TestCanvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using rastertest::GuardedBitmap;
using rastertest::Px;
using Picture = std::vector<std::string>;

namespace {
const unsigned int kWhite = 0xFFFFFFFF;
int red(Raster_PixelValue p) { return Raster_GetR(p); }

// Columns of row y that were drawn, as a string over the whole width.
std::string row(GuardedBitmap& b, int y) { return b.picture()[(size_t)y]; }

// True when every column from x0 to x1 has at least one drawn pixel.
bool columnsCovered(GuardedBitmap& b, int x0, int x1) {
  Picture p = b.picture();
  for (int x = x0; x <= x1; ++x) {
    bool any = false;
    for (const std::string& r : p) any = any || r[(size_t)x] == '#';
    if (!any) return false;
  }
  return true;
}
}  // namespace

TEST(RasterQBezier, StraightCurveAtToleranceZeroPlotsEveryColumnOnce) {
  GuardedBitmap b(16, 8);
  b.clear(0);
  // Midpoints are plotted until neighbours are under a pixel apart: 1/16 steps of 0.625 px.
  Raster_DrawQBezier(&b, 2, 5, 7, 5, 12, 5, Px(10, 0, 0, 0), 1.0f, kBlitAdd, false, 0);
  for (int x = 0; x < 16; ++x) EXPECT_EQ(red(b.at(x, 5)) > 0, x >= 2 && x <= 12) << x;
  for (int y = 0; y < 8; ++y) {
    if (y == 5) continue;
    for (int x = 0; x < 16; ++x) EXPECT_EQ(b.at(x, y), 0u) << x << "," << y;
  }
}

TEST(RasterQBezier, CurveEntirelyLeftOfTheBitmapDrawsNothing) {
  GuardedBitmap b(16, 8);
  Raster_DrawQBezier(&b, -30, 2, -20, 10, -5, 4, kWhite, 1.0f, kBlitCopy, true, 0);
  Raster_DrawQBezier(&b, 30, 2, 20, 10, 16, 4, kWhite, 1.0f, kBlitCopy, false, 2);
  Raster_DrawQBezier(nullptr, 0, 0, 5, 5, 10, 0, kWhite, 1.0f, kBlitCopy, false, 0);
  Raster_DrawQBezier(&b, 0, 0, 5, 5, 10, 0, kWhite, 0.0f, kBlitCopy, false, 0);
  Raster_DrawQBezier(&b, 0, 0, 5, 5, 10, 0, kWhite, 1.0f, 9, false, 0);
  EXPECT_EQ(b.changed(), 0);
  EXPECT_TRUE(b.guardsIntact());
}

TEST(RasterQBezier, CurvesPartlyOutsideStartAndEndAtTheBitmapEdges) {
  GuardedBitmap b(20, 8);
  Raster_DrawQBezier(&b, -10, 3, 0, 3, 10, 3, kWhite, 1.0f, kBlitCopy, false, 0);
  EXPECT_EQ(row(b, 3), "###########.........");
  Raster_DrawQBezier(&b, 30, 5, 15, 5, 5, 5, kWhite, 1.0f, kBlitCopy, false, 0);  // ends swapped
  EXPECT_EQ(row(b, 5), ".....###############");
  Raster_DrawQBezier(&b, -50, -40, 10, 60, 70, -40, kWhite, 0.7f, kBlitAdd, true,
                     2);  // arch through the bitmap
  EXPECT_TRUE(b.guardsIntact());
}

TEST(RasterQBezier, ClippedStartOfACurveLinearInXLiesOnTheCurve) {
  // x(t) = -10 + 20 t crosses column 0 at t = 1/2, where y = 2 t (1 - t) 20 = 10.
  GuardedBitmap b(16, 16);
  Raster_DrawQBezier(&b, -10, 0, 0, 20, 10, 0, kWhite, 1.0f, kBlitCopy, false, 0);
  EXPECT_EQ(b.at(0, 10), kWhite);
  EXPECT_EQ(b.at(0, 0), GuardedBitmap::kBack);  // the chord's y at t = 1/2
  GuardedBitmap pieces(16, 16);
  Raster_DrawQBezier(&pieces, -10, 0, 0, 20, 10, 0, kWhite, 1.0f, kBlitCopy, false, 2);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(pieces.at(x, y), GuardedBitmap::kBack) << x << "," << y;
}

TEST(RasterQBezier, ToleranceAboveOneDrawsConnectedStraightPieces) {
  GuardedBitmap b(40, 30);
  Raster_DrawQBezier(&b, 1, 28, 20, -20, 38, 28, kWhite, 1.0f, kBlitCopy, false, 2);
  EXPECT_TRUE(columnsCovered(b, 1, 38));
  EXPECT_EQ(b.at(1, 28), kWhite);
  EXPECT_NE(b.at(20, 4), GuardedBitmap::kBack);  // apex: y(1/2) = (28 - 40 + 28) / 4 = 4
  // Every drawn pixel lies within a pixel or two of the curve.
  Picture p = b.picture();
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) {
      if (p[y][x] != '#') continue;
      double best = 1e9;
      for (int i = 0; i <= 1000; ++i) {
        double t = i / 1000.0, cx = (1 - t) * (1 - t) * 1 + 2 * t * (1 - t) * 20 + t * t * 38;
        double cy = (1 - t) * (1 - t) * 28 + 2 * t * (1 - t) * -20 + t * t * 28;
        best = std::fmin(best, std::hypot(cx - x, cy - y));
      }
      EXPECT_LT(best, 1.5) << x << "," << y;
    }
}

TEST(RasterQBezier, SmoothedPointSharesWeightWithItsThreeNeighbours) {
  GuardedBitmap b(8, 8);
  b.clear(0);
  // All control points equal: both ends and the midpoint are plotted, three blends per pixel.
  Raster_DrawQBezier(&b, 3.25f, 4.5f, 3.25f, 4.5f, 3.25f, 4.5f, Px(80, 0, 0, 0), 1.0f, kBlitAdd,
                     true, 0);
  // Weights (1 - fy)(1 - fx) 255 = 95, (1 - fy) fx 255 = 31; add 80 * w / 256 three times.
  EXPECT_EQ(red(b.at(3, 4)), 3 * (80 * 95 / 256));
  EXPECT_EQ(red(b.at(4, 4)), 3 * (80 * 31 / 256));
  EXPECT_EQ(red(b.at(3, 5)), 3 * (80 * 95 / 256));
  EXPECT_EQ(red(b.at(4, 5)), 3 * (80 * 31 / 256));
  EXPECT_EQ(red(b.at(2, 4)), 0);
}

TEST(RasterQBezier, SmoothedPointWeightMultipliesCoverageByOpacityThen255) {
  GuardedBitmap b(8, 8);
  b.clear(0);
  // At (3.072, 4.291) and opacity 0.9 the top-left pixel's weight is
  // (int)((1 - fy)(1 - fx) * 0.9 * 255) = 150; taking 0.9 * 255 as one factor first gives 151.
  Raster_DrawQBezier(&b, 3.072f, 4.291f, 3.072f, 4.291f, 3.072f, 4.291f, Px(85, 0, 0, 0), 0.9f,
                     kBlitAdd, true, 0);
  EXPECT_EQ(red(b.at(3, 4)), 3 * (85 * 150 / 256));  // three plots: both ends and the midpoint
}

TEST(RasterQBezier, FlippedBitmapShowsTheCurveTheSameWayUp) {
  GuardedBitmap up(20, 12), flipped(20, 12, true);
  Raster_DrawQBezier(&up, 1, 10, 10, -6, 18, 10, kWhite, 1.0f, kBlitCopy, false, 0);
  Raster_DrawQBezier(&flipped, 1, 10, 10, -6, 18, 10, kWhite, 1.0f, kBlitCopy, false, 0);
  // Fractional rows truncate in memory order, so the two may differ by a row where y is fractional.
  Picture a = up.picture(), b = flipped.picture();
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 20; ++x)
      if (b[y][x] == '#') {
        EXPECT_TRUE(a[y][x] == '#' || (y > 0 && a[y - 1][x] == '#') ||
                    (y < 11 && a[y + 1][x] == '#'))
            << x << "," << y;
      }
  EXPECT_EQ(flipped.mem(1, 1), kWhite);  // the end point at visible row 10 is memory row 1
}

TEST(RasterCBezier, StraightCubicAndEndsClippedToTheColumns) {
  GuardedBitmap b(20, 8);
  Raster_DrawCBezier(&b, 2, 3, 6, 3, 10, 3, 14, 3, kWhite, 1.0f, kBlitCopy, false, 0);
  EXPECT_EQ(row(b, 3), "..#############.....");
  Raster_DrawCBezier(&b, 40, 5, 20, 5, 0, 5, -40, 5, kWhite, 1.0f, kBlitCopy, false,
                     0);  // reversed, both ends out
  EXPECT_EQ(row(b, 5), "####################");
  Raster_DrawCBezier(&b, -40, 6, -30, 6, -20, 6, -10, 6, kWhite, 1.0f, kBlitCopy, false, 0);
  Raster_DrawCBezier(&b, 20, 6, 30, 6, 40, 6, 50, 6, kWhite, 1.0f, kBlitCopy, false, 0);
  EXPECT_EQ(row(b, 6), "....................");
  EXPECT_TRUE(b.guardsIntact());
}

TEST(RasterCBezier, SCurveWithToleranceIsConnectedAndStaysInside) {
  GuardedBitmap b(40, 30, true);
  Raster_DrawCBezier(&b, -5, 15, 15, -30, 25, 60, 45, 15, kWhite, 0.9f, kBlitOverlay, true, 1.5f);
  Raster_DrawCBezier(&b, 0, 28, 10, 0, 30, 0, 39, 28, kWhite, 1.0f, kBlitCopy, false, 1.5f);
  EXPECT_TRUE(columnsCovered(b, 0, 39));
  EXPECT_TRUE(b.guardsIntact());
}

TEST(RasterCBezierGetY, InterpolatesBetweenBisectionBrackets) {
  // Control points on a line at thirds: x(t) = 30 t, y = x / 2.
  float nextX = 0, slope = 0;
  double lo = -1, hi = -1;
  float y = Raster_CBezier_GetY(0, 10, 20, 30, 0, 5, 10, 15, 12, &nextX, &slope, &lo, &hi);
  EXPECT_NEAR(y, 6.0f, 1e-4);
  EXPECT_NEAR(slope, 0.5f, 1e-5);
  EXPECT_DOUBLE_EQ(hi - lo, 1.0 / 256);  // eight halvings
  EXPECT_LE(lo, 0.4);
  EXPECT_GE(hi, 0.4);
  EXPECT_NEAR(nextX, 30 * hi, 1e-4);
}

TEST(RasterCBezierGetY, ExactHitAndValuesOutsideTheEnds) {
  double lo = -1, hi = -1;
  float nextX = 0, slope = 1;
  EXPECT_FLOAT_EQ(Raster_CBezier_GetY(0, 10, 20, 30, 0, 5, 10, 15, 15, nullptr, nullptr, &lo, &hi),
                  7.5f);
  EXPECT_DOUBLE_EQ(lo, 0.5);  // the first midpoint hits x = 15 exactly
  EXPECT_DOUBLE_EQ(hi, 0.5 + 1.0 / 256);
  EXPECT_FLOAT_EQ(
      Raster_CBezier_GetY(0, 10, 20, 30, 1, 5, 10, 15, -3, &nextX, &slope, nullptr, nullptr), 1.0f);
  EXPECT_FLOAT_EQ(nextX, 0);
  EXPECT_FLOAT_EQ(slope, 0);
  EXPECT_FLOAT_EQ(
      Raster_CBezier_GetY(0, 10, 20, 30, 1, 5, 10, 15, 31, &nextX, &slope, nullptr, nullptr),
      15.0f);
  EXPECT_FLOAT_EQ(nextX, 30);
  EXPECT_FLOAT_EQ(Raster_CBezier_GetY(0, 10, 20, 30, 1, 5, 10, 15, std::nanf(""), nullptr, nullptr,
                                      nullptr, nullptr),
                  1.0f);
}
