// Integer and float lines, clipping, dashed lines, rectangles and triangles.

#include "raster/lines/Raster_Lines.h"

#include "Raster_TestBitmap.h"
#include "Raster_TestCanvas.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

using rastertest::GuardedBitmap;
using rastertest::Px;
using Picture = std::vector<std::string>;

namespace {
const unsigned int kWhite = 0xFFFFFFFF;
const unsigned int kOrange = Px(255, 128, 0, 255);
int red(Raster_PixelValue p) { return Raster_GetR(p); }
}  // namespace

// ---- clipping ----

TEST(RasterClipLine, MovesEachOutsideEndOntoTheEdgeItCrosses) {
  struct Case {
    int in[4];
    bool kept;
    int out[4];
  } cases[] = {
      {{-5, -5, 14, 14}, true, {0, 0, 9, 9}},  // through the top-left and bottom-right corners
      {{5, 5, 20, 12}, true, {5, 5, 9, 7}},    // bottom first, then right: (15, 9) then (9, 7)
      {{-10, 5, 300, 5}, true, {0, 5, 9, 5}},  // left and right edges
      {{4, -3, 4, 30}, true, {4, 0, 4, 9}},    // top and bottom edges
      {{3, 3, 6, 7}, true, {3, 3, 6, 7}},      // inside: unchanged
      {{-5, 3, 3, -5}, false, {}},             // passes outside the top-left corner
      {{INT_MIN, 5, INT_MAX, 5}, true, {0, 5, 9, 5}},
  };
  for (const Case& c : cases) {
    int x1 = c.in[0], y1 = c.in[1], x2 = c.in[2], y2 = c.in[3];
    ASSERT_EQ(Raster_ClipLine(&x1, &y1, &x2, &y2, 0, 0, 10, 10), c.kept)
        << c.in[0] << "," << c.in[1];
    if (!c.kept) continue;
    EXPECT_EQ(x1, c.out[0]);
    EXPECT_EQ(y1, c.out[1]);
    EXPECT_EQ(x2, c.out[2]);
    EXPECT_EQ(y2, c.out[3]);
  }
}

TEST(RasterClipLine, RejectsEndsOnTheSameOutsideSideWithoutTouchingThem) {
  int x1 = -7, y1 = 2, x2 = -1, y2 = 40;
  EXPECT_FALSE(Raster_ClipLine(&x1, &y1, &x2, &y2, 0, 0, 10, 10));
  EXPECT_EQ(x1, -7);
  EXPECT_EQ(y1, 2);
  EXPECT_EQ(x2, -1);
  EXPECT_EQ(y2, 40);
}

TEST(RasterClipLine, WorksInTheRectanglesOwnCoordinatesAndRejectsEmptyRectangles) {
  int x1 = 95, y1 = 45, x2 = 114, y2 = 64;
  ASSERT_TRUE(Raster_ClipLine(&x1, &y1, &x2, &y2, 100, 50, 110, 60));
  EXPECT_EQ(x1, 100);
  EXPECT_EQ(y1, 50);
  EXPECT_EQ(x2, 109);
  EXPECT_EQ(y2, 59);
  int a = 1, b = 1, c = 2, d = 2;
  EXPECT_FALSE(Raster_ClipLine(&a, &b, &c, &d, 5, 0, 5, 10));
  EXPECT_FALSE(Raster_ClipLine(&a, &b, &c, &d, INT_MAX, INT_MAX, INT_MIN, INT_MIN));
  EXPECT_FALSE(Raster_ClipLine(nullptr, &b, &c, &d, 0, 0, 10, 10));
}

// ---- integer lines ----

TEST(RasterLine, ClippedHorizontalLineCoversExactlyTheRow) {
  GuardedBitmap b(100, 8);
  Raster_Line(&b, -10, 5, 300, 5, kOrange, 1.0f, kBlitCopy, false);
  for (int x = 0; x < 100; ++x) EXPECT_EQ(b.at(x, 5), kOrange) << x;
  EXPECT_EQ(b.changed(), 100);
  EXPECT_TRUE(b.guardsIntact());
}

TEST(RasterLine, LinesEntirelyOutsideOrRejectedDrawNothing) {
  GuardedBitmap b(10, 10);
  Raster_Line(&b, -5, 3, 3, -5, kWhite, 1.0f, kBlitCopy, true);
  Raster_Line(&b, 10, 0, 20, 9, kWhite, 1.0f, kBlitCopy, false);
  Raster_Line(&b, INT_MIN, INT_MIN, INT_MIN + 5, INT_MAX, kWhite, 1.0f, kBlitAdd, true);
  Raster_Line(&b, 0, 0, 9, 9, kWhite, 0.0f, kBlitAdd, false);    // opacity 0
  Raster_Line(&b, 0, 0, 9, 9, kWhite, 1.0f, 6, false);           // unknown mode
  Raster_Line(&b, 0, 0, 9, 9, kWhite, -0.5f, kBlitCopy, false);  // negative copy opacity
  Raster_Line(nullptr, 0, 0, 9, 9, kWhite, 1.0f, kBlitCopy, false);
  EXPECT_EQ(b.changed(), 0);
  EXPECT_TRUE(b.guardsIntact());
}

TEST(RasterLine, FlippedBitmapPutsRowZeroAtTheEndOfMemory) {
  GuardedBitmap b(6, 4, true);
  Raster_Line(&b, 0, 0, 5, 0, kOrange, 1.0f, kBlitCopy, false);
  for (int x = 0; x < 6; ++x) EXPECT_EQ(b.mem(x, 3), kOrange);
  Raster_Line(&b, 1, 0, 1, 2, kWhite, 1.0f, kBlitCopy, false);
  EXPECT_EQ(b.mem(1, 1), kWhite);
  EXPECT_EQ(b.mem(1, 0), GuardedBitmap::kBack);
  EXPECT_TRUE(b.guardsIntact());
}

TEST(RasterLine, CopyModeStoresHalfMixesOrMixesByOpacity) {
  GuardedBitmap b(3, 3);
  const unsigned int c = Px(200, 100, 51, 255);
  b.clear(Px(100, 0, 0, 0));
  Raster_Line(&b, 0, 0, 0, 2, c, 1.0f, kBlitCopy, false);
  EXPECT_EQ(b.at(0, 1), c);
  Raster_Line(&b, 1, 0, 1, 2, c, 0.5f, kBlitCopy, false);  // (d + s) / 2 per channel
  EXPECT_EQ(b.at(1, 2), Px(150, 50, 25, 127));
  Raster_Line(&b, 0, 2, 2, 2, c, 0.25f, kBlitCopy, false);  // (s * 64 + d * 192) / 256
  EXPECT_EQ(b.at(2, 2), Px(125, 25, 12, 63));
  EXPECT_EQ(b.at(0, 2), Px(200, 100, 51, 255));  // (200 * 64 + 200 * 192) / 256 on the stored pixel
}

TEST(RasterLine, OtherModesBlendWithWeightAlphaTimes256) {
  GuardedBitmap b(4, 1);
  b.clear(Px(100, 100, 100, 100));
  Raster_Line(&b, 0, 0, 3, 0, Px(200, 10, 0, 0), 0.5f, kBlitAdd, false);
  EXPECT_EQ(b.at(0, 0), Px(200, 105, 100, 100));
  b.clear(Px(255, 255, 0, 0));
  Raster_Line(&b, 3, 0, 0, 0, Px(128, 0, 0, 255), 1.0f, kBlitMul,
              true);  // aa has no effect on rows
  EXPECT_EQ(b.at(2, 0), Px(127, 0, 0, 0));
}

TEST(RasterLine, PlainSlopedLineStepsTheMinorAxisPastHalf) {
  GuardedBitmap b(8, 4);
  Raster_Line(&b, 0, 0, 6, 2, kWhite, 1.0f, kBlitCopy, false);
  EXPECT_EQ(b.picture(), (Picture{"##......", "..###...", ".....##.", "........"}));
  GuardedBitmap s(4, 8);
  Raster_Line(&s, 3, 6, 1, 0, kWhite, 1.0f, kBlitCopy, false);  // steep, drawn from the lower end
  EXPECT_EQ(s.picture(), (Picture{".#..", ".#..", "..#.", "..#.", "..#.", "...#", "...#", "...."}));
}

TEST(RasterLine, SmoothedSteepLineSharesWeightWithTheNextColumn) {
  GuardedBitmap b(4, 10);
  b.clear(0);
  Raster_Line(&b, 0, 0, 2, 8, kWhite, 1.0f, kBlitCopy, true);
  // s = 1/4: row i splits the weight 256 by f = 64, 128, 192, 256, ...; channel = 255 * w / 256.
  const int want[10][4] = {
      {255, 0, 0, 0},  {191, 63, 0, 0},  {127, 127, 0, 0}, {63, 191, 0, 0}, {0, 255, 0, 0},
      {0, 191, 63, 0}, {0, 127, 127, 0}, {0, 63, 191, 0},  {0, 63, 0, 0},   {0, 0, 0, 0},
  };
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(red(b.at(x, y)), want[y][x]) << x << "," << y;
}

TEST(RasterLine, SmoothedShallowLineSharesWeightWithTheNextRow) {
  GuardedBitmap b(6, 3);
  b.clear(0);
  Raster_Line(&b, 0, 0, 4, 1, kWhite, 0.5f, kBlitAdd, true);  // W = 128
  const int want[3][6] = {{127, 95, 63, 31, 31, 0}, {0, 31, 63, 95, 0, 0}, {0, 0, 0, 0, 0, 0}};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(red(b.at(x, y)), want[y][x]) << x << "," << y;
}

TEST(RasterLine, SmoothedDiagonalInCopyAtFullOpacityLeavesThreeQuartersOnTheLine) {
  GuardedBitmap b(5, 5);
  b.clear(0);
  Raster_Line(&b, 1, 1, 3, 3, kWhite, 1.0f, kBlitCopy, true);
  const int want[5][5] = {
      {0, 0, 0, 0, 0}, {0, 190, 63, 0, 0}, {0, 63, 190, 63, 0}, {0, 0, 63, 190, 0}, {0, 0, 0, 0, 0},
  };
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(b.at(x, y), 0x01010101u * (unsigned)want[y][x]) << x << "," << y;
}

TEST(RasterLine, SmoothedDiagonalInOtherModesUsesThreeQuarterAndQuarterWeights) {
  GuardedBitmap b(4, 4);
  b.clear(0);
  Raster_Line(&b, 3, 0, 0, 3, kWhite, 1.0f, kBlitAdd, true);  // steps (-1, +1)
  EXPECT_EQ(red(b.at(3, 0)), 191);
  EXPECT_EQ(red(b.at(2, 0)), 63);
  EXPECT_EQ(red(b.at(3, 1)), 63);
  EXPECT_EQ(red(b.at(0, 3)), 191);
  GuardedBitmap p(4, 4);
  Raster_Line(&p, 0, 0, 3, 3, kWhite, 1.0f, kBlitCopy, false);
  EXPECT_EQ(p.picture(), (Picture{"#...", ".#..", "..#.", "...#"}));
}

// ---- float lines ----

TEST(RasterFLine, SmoothedLineSplitsCoverageByTheFractionalRow) {
  GuardedBitmap b(6, 5);
  b.clear(0);
  Raster_FLine(&b, 1.0f, 2.25f, 4.0f, 2.25f, kWhite, 1.0f, kBlitCopy, true);
  for (int x = 1; x <= 4; ++x) {
    EXPECT_EQ(red(b.at(x, 2)), 191) << x;
    EXPECT_EQ(red(b.at(x, 3)), 63) << x;
  }
  EXPECT_EQ(red(b.at(0, 2)), 0);
  EXPECT_EQ(red(b.at(5, 2)), 0);
}

TEST(RasterFLine, PlainFloatLineStepsLikeTheIntegerLine) {
  GuardedBitmap a(8, 4), b(8, 4);
  Raster_Line(&a, 0, 0, 6, 2, kWhite, 1.0f, kBlitCopy, false);
  Raster_FLine(&b, 0.0f, 0.0f, 6.0f, 2.0f, kWhite, 1.0f, kBlitCopy, false);
  EXPECT_EQ(a.picture(), b.picture());
}

TEST(RasterFLine, LineTowardSmallerRowsStartsFromTheComplementOfTheFraction) {
  GuardedBitmap b(10, 5);
  b.clear(0);
  Raster_FLine(&b, 0.0f, 3.25f, 8.0f, 1.25f, kWhite, 1.0f, kBlitAdd, true);  // e starts at 0.75
  EXPECT_EQ(red(b.at(0, 3)), 63);
  EXPECT_EQ(red(b.at(0, 2)), 191);
  EXPECT_EQ(red(b.at(1, 3)), 0);
  EXPECT_EQ(red(b.at(1, 2)), 255);
  EXPECT_EQ(red(b.at(2, 2)), 191);
  EXPECT_EQ(red(b.at(2, 1)), 63);
}

TEST(RasterFLine, ClipsToTheBitmapAndIgnoresNonFiniteEnds) {
  const float inf = std::numeric_limits<float>::infinity(), nan = std::nanf("");
  GuardedBitmap b(10, 6, true);
  Raster_FLine(&b, -1e30f, 2.0f, 1e30f, 2.0f, kWhite, 1.0f, kBlitCopy, false);
  for (int x = 0; x < 10; ++x) EXPECT_EQ(b.at(x, 2), kWhite) << x;
  EXPECT_EQ(b.changed(), 10);
  Raster_FLine(&b, nan, 0, 5, 5, kWhite, 1.0f, kBlitCopy, true);
  Raster_FLine(&b, 0, 0, inf, 5, kWhite, 1.0f, kBlitCopy, true);
  Raster_FLine(&b, 0, 0, 5, 5, kWhite, nan, kBlitCopy, true);
  Raster_FLine(&b, 0, 0, 5, 5, kWhite, 0.0f, kBlitCopy, true);
  EXPECT_EQ(b.changed(), 10);
  EXPECT_TRUE(b.guardsIntact());
}

TEST(RasterFLine, SegmentWhoseCrossingsAlternateBetweenTwoEdgesIsRejected) {
  // Moving the outside end onto the left edge puts it above the top, and back onto the top
  // edge puts it left again: the clip gives up instead of alternating for ever.
  GuardedBitmap b(31, 29);
  Raster_FLine(&b, -0.72f, -0.65f, -1.0992f, 0.0f, kWhite, 1.0f, kBlitCopy, true);
  EXPECT_EQ(b.changed(), 0);
  EXPECT_TRUE(b.guardsIntact());
}

// ---- dashed lines ----

TEST(RasterDashedLine, DrawsDashesFromTheSmallerEndAndStopsShortOfTheLast) {
  GuardedBitmap b(3, 12);
  Raster_DashedLine(&b, 0, 9, 0, 0, 3, 2, kWhite, 1.0f, kBlitCopy, false);
  Raster_DashedLine(&b, 2, 0, 2, 7, 3, 2, kWhite, 1.0f, kBlitCopy, false);
  std::string col0, col2;
  for (int y = 0; y < 12; ++y) {
    col0 += b.picture()[y][0];
    col2 += b.picture()[y][2];
  }
  EXPECT_EQ(col0, "###..###....");
  EXPECT_EQ(col2, "###..##.....");
}

TEST(RasterDashedLine, DottedHorizontalClippedAndDegenerateDashes) {
  GuardedBitmap b(12, 4);
  Raster_DashedLine(&b, -4, 1, 9, 1, 1, 1, kWhite, 1.0f, kBlitCopy, true);  // clipped to 0..9
  EXPECT_EQ(b.picture()[1], "#.#.#.#.#...");
  Raster_DashedLine(&b, 0, 2, 9, 2, 3, -5, kWhite, 1.0f, kBlitCopy, false);  // gap below 0: solid
  EXPECT_EQ(b.picture()[2], "#########...");
  Raster_DashedLine(&b, 0, 3, 9, 3, 0, 2, kWhite, 1.0f, kBlitCopy, false);  // no dash: nothing
  Raster_DashedLine(&b, 0, 0, 9, 3, 2, 2, kWhite, 1.0f, kBlitCopy, false);  // sloped: nothing
  EXPECT_EQ(b.picture()[3], "............");
  EXPECT_EQ(b.picture()[0], "............");
  EXPECT_TRUE(b.guardsIntact());
}

TEST(RasterDashedLine, SmallNegativeGapOverlapsTheDashes) {
  GuardedBitmap b(12, 1);
  b.clear(0);
  // Dashes of 3 advancing by 2: starts 0, 2, 4, then the last dash from 6 up to the end 9.
  Raster_DashedLine(&b, 0, 0, 9, 0, 3, -1, Px(10, 0, 0, 0), 1.0f, kBlitAdd, false);
  const int want[12] = {10, 10, 20, 10, 20, 10, 20, 10, 10, 0, 0, 0};
  for (int x = 0; x < 12; ++x) EXPECT_EQ(red(b.at(x, 0)), want[x]) << x;
}

TEST(RasterDashedLine, BlendsThroughTheModeAndHonoursFlipping) {
  GuardedBitmap b(4, 6, true);
  b.clear(Px(100, 100, 100, 100));
  Raster_DashedLine(&b, 1, 0, 1, 5, 2, 1, Px(50, 0, 0, 0), 1.0f, kBlitAdd, false);
  // The dashes start at the smaller memory row: memory rows 0, 1, 3, 4 (visible 5, 4, 2, 1).
  const Raster_PixelValue on = Px(150, 100, 100, 100), off = Px(100, 100, 100, 100);
  const Raster_PixelValue want[6] = {off, on, on, off, on, on};
  for (int y = 0; y < 6; ++y) EXPECT_EQ(b.at(1, y), want[y]) << y;
}

// ---- rectangles ----

TEST(RasterDrawRect, OutlineIsOneLargerThanTheSizeAndCornersBlendTwice) {
  GuardedBitmap b(6, 5);
  b.clear(0);
  Raster_DrawRect(&b, 1, 1, 3, 2, Px(10, 0, 0, 0), 1.0f, kBlitAdd);
  const int want[5][6] = {
      {0, 0, 0, 0, 0, 0},     {0, 20, 10, 10, 20, 0}, {0, 10, 0, 0, 10, 0},
      {0, 20, 10, 10, 20, 0}, {0, 0, 0, 0, 0, 0},
  };
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(red(b.at(x, y)), want[y][x]) << x << "," << y;
  b.clear(0);
  Raster_DrawRect(&b, 2, 2, 0, 0, Px(10, 0, 0, 0), 1.0f, kBlitAdd);  // one pixel, four times
  for (int y = 1; y <= 3; ++y)
    for (int x = 1; x <= 3; ++x) EXPECT_EQ(red(b.at(x, y)), x == 2 && y == 2 ? 40 : 0);
}

TEST(RasterDrawRect, HugeRectanglesClipWithoutOverflow) {
  GuardedBitmap b(5, 5);
  Raster_DrawRect(&b, -10, 1, INT_MAX, INT_MAX, kWhite, 1.0f, kBlitCopy);
  EXPECT_EQ(b.picture(), (Picture{".....", "#####", ".....", ".....", "....."}));
  Raster_BorderedRect(&b, INT_MIN, INT_MIN, INT_MAX, INT_MAX, kWhite, kWhite, 1.0f, kBlitCopy);
  EXPECT_TRUE(b.guardsIntact());
}

TEST(RasterBorderedRect, FillsTheInteriorThenDrawsTheOutline) {
  GuardedBitmap b(6, 5);
  const unsigned int bg = Px(1, 2, 3, 4), fg = Px(9, 9, 9, 9);
  Raster_BorderedRect(&b, 0, 0, 4, 3, bg, fg, 1.0f, kBlitCopy);
  for (int y = 0; y <= 3; ++y)
    for (int x = 0; x <= 4; ++x) {
      bool edge = x == 0 || y == 0 || x == 4 || y == 3;
      EXPECT_EQ(b.at(x, y), edge ? fg : bg) << x << "," << y;
    }
  EXPECT_EQ(b.changed(), 20);
}

// ---- triangles ----

TEST(RasterFillTriangle, FillsRowsFromTopToJustAboveTheBottomVertex) {
  GuardedBitmap b(8, 6);
  Raster_FillTriangle(&b, 2, 0, 6, 4, 2, 4, kWhite, 1.0f, kBlitCopy);
  EXPECT_EQ(b.picture(),
            (Picture{"..#.....", "..##....", "..###...", "..####..", "........", "........"}));
}

TEST(RasterFillTriangle, SharedTopRowRestartsTheShortEdgeAtTheMiddleVertex) {
  GuardedBitmap b(8, 5);
  Raster_FillTriangle(&b, 0, 0, 6, 0, 3, 3, kWhite, 1.0f, kBlitCopy);
  EXPECT_EQ(b.picture(), (Picture{"#######.", ".#####..", "..###...", "........", "........"}));
  GuardedBitmap flat(8, 5);
  Raster_FillTriangle(&flat, 0, 2, 7, 2, 3, 2, kWhite, 1.0f, kBlitAdd);
  EXPECT_EQ(flat.changed(), 0);
}

TEST(RasterFillTriangle, ClipsColumnsAndRowsOnFlippedBitmaps) {
  GuardedBitmap b(6, 4, true);
  Raster_FillTriangle(&b, -20, -2, 40, -2, 2, 8, kWhite, 1.0f, kBlitCopy);
  // Visible rows 0..3 of a triangle narrowing from 61 columns at row -2 by 6 per row each side.
  EXPECT_EQ(b.picture(), (Picture{"######", "######", "######", "######"}));
  GuardedBitmap h(6, 4);
  Raster_FillTriangle(&h, INT_MIN, INT_MIN, INT_MAX, 2, 0, INT_MAX, kWhite, 1.0f, kBlitCopy);
  EXPECT_TRUE(h.guardsIntact());
  EXPECT_TRUE(b.guardsIntact());
}

TEST(RasterFillTriangle, HalfOpacityCopyHalfMixesEachPixelOnce) {
  GuardedBitmap b(5, 4);
  b.clear(Px(100, 0, 0, 0));
  Raster_FillTriangle(&b, 0, 0, 4, 0, 0, 3, Px(201, 0, 0, 0), 0.5f, kBlitCopy);
  EXPECT_EQ(red(b.at(0, 0)), 150);
  EXPECT_EQ(red(b.at(1, 1)), 150);
  EXPECT_EQ(red(b.at(0, 3)), 100);
}
