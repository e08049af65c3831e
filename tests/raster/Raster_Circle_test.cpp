// Circles, discs, the small-circle glyphs, arcs and rounded rectangles.

#include "raster/curves/Raster_Curves.h"
#include "raster/lines/Raster_Lines.h"

#include "Raster_TestBitmap.h"
#include "Raster_TestCanvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

using rastertest::GuardedBitmap;
using rastertest::Px;
using Picture = std::vector<std::string>;

namespace {
const unsigned int kWhite = 0xFFFFFFFF;
const float kPi = 3.14159265358979f;
int red(Raster_PixelValue p) { return Raster_GetR(p); }

// Coverage of glyphs from their row patterns (symbols mapped to values, 'F' = 255, '0' = 0).
std::vector<int> pattern(const std::vector<std::string>& rows, std::map<char, int> sym) {
  sym['F'] = 255;
  sym['0'] = 0;
  std::vector<int> out;
  for (const std::string& r : rows)
    for (char c : r) out.push_back(sym.at(c));
  return out;
}
}  // namespace

TEST(RasterCircleGlyphs, EverySmallRadiusDrawsItsFixedCoverageMap) {
  const std::vector<std::string> r25 = {"hlFFlh", "lmooml", "Fo00oF", "Fo00oF", "lmooml", "hlFFlh"};
  const std::vector<std::string> r3 = {"0hFFFh0", "hFlmlFh", "Fo000oF", "Fs000sF",
                                       "Fo000oF", "hFlmlFh", "0hFFFh0"};
  const std::vector<std::string> r35 = {"0hlFFlh0", "hFmoomFh", "lm0000ml", "Fo0000oF",
                                        "Fo0000oF", "lm0000ml", "hFmoomFh", "0hlFFlh0"};
  struct Case {
    float r;
    bool aa;
    int size;
    std::vector<int> cover;
  } cases[] = {
      {2, true, 5, {15, 191, 255, 191, 15, 191, 209, 79, 209, 191, 255, 79, 0,
                    79, 255, 191, 209, 79, 209, 191, 15, 191, 255, 191, 15}},
      {2, false, 5, {0, 0,   255, 0,   0, 0,   255, 0, 255, 0,   255, 0, 0,
                     0, 255, 0,   255, 0, 255, 0,   0, 0,   255, 0,   0}},
      {2.5f, true, 6, pattern(r25, {{'h', 15}, {'l', 191}, {'m', 209}, {'o', 79}})},
      {2.5f, false, 6, pattern(r25, {{'h', 0}, {'l', 0}, {'m', 255}, {'o', 0}})},
      {3, true, 7, pattern(r3, {{'h', 143}, {'l', 97}, {'m', 64}, {'o', 112}, {'s', 48}})},
      {3, false, 7, pattern(r3, {{'h', 0}, {'l', 0}, {'m', 0}, {'o', 0}, {'s', 0}})},
      {3.5f, true, 8, pattern(r35, {{'h', 79}, {'l', 222}, {'m', 176}, {'o', 64}})},
      {3.5f, false, 8, pattern(r35, {{'h', 0}, {'l', 255}, {'m', 255}, {'o', 0}})},
      {4, true, 9, {0,   31,  176, 255, 255, 255, 176, 31,  0,   31,  240, 209, 79,  64,
                    79,  209, 240, 31,  176, 209, 15,  0,   0,   0,   15,  209, 176, 255,
                    79,  0,   0,   0,   0,   0,   79,  255, 255, 48,  0,   0,   0,   0,
                    0,   48,  255, 255, 79,  0,   0,   0,   0,   0,   79,  255, 176, 209,
                    15,  0,   0,   0,   15,  209, 176, 31,  240, 209, 79,  64,  79,  209,
                    240, 31,  0,   31,  176, 255, 255, 255, 176, 31,  0}},
      {4, false, 9,
       pattern({"00FFFFF00", "0FF000FF0", "FF00000FF", "F0000000F", "F0000000F", "F0000000F",
                "FF00000FF", "0FF000FF0", "00FFFFF00"},
               {})},
  };
  for (const Case& c : cases) {
    GuardedBitmap b(14, 14);
    b.clear(0);
    // Placed at (int)(c - r): centre 6.7 puts the map's corner at column (int)(6.7 - r).
    Raster_Circle(&b, 6.7f, 6.2f, c.r, kWhite, 1.0f, kBlitAdd, c.aa);
    const int x0 = (int)(6.7f - c.r), y0 = (int)(6.2f - c.r);
    for (int y = 0; y < 14; ++y)
      for (int x = 0; x < 14; ++x) {
        const bool in = x >= x0 && y >= y0 && x < x0 + c.size && y < y0 + c.size;
        const int cov = in ? c.cover[(size_t)((y - y0) * c.size + (x - x0))] : 0;
        ASSERT_EQ(red(b.at(x, y)), 255 * cov / 256)
            << "r " << c.r << " aa " << c.aa << " at " << x << "," << y;
      }
  }
}

TEST(RasterCircleGlyphs, RadiusJustAboveAGlyphUsesTheGeneralOutline) {
  GuardedBitmap glyph(14, 14), general(14, 14);
  Raster_Circle(&glyph, 7, 7, 3.0f, kWhite, 1.0f, kBlitCopy, false);
  Raster_Circle(&general, 7, 7, 3.01f, kWhite, 1.0f, kBlitCopy, false);
  EXPECT_NE(glyph.picture(), general.picture());
  EXPECT_EQ(general.at(10, 7), kWhite);  // (cx + r, cy) of the outline
  EXPECT_EQ(general.at(7, 10), kWhite);
}

TEST(RasterCircle, PlainOutlineIsTheMidpointCircle) {
  GuardedBitmap b(13, 13);
  Raster_Circle(&b, 6, 6, 5, kWhite, 1.0f, kBlitCopy, false);
  EXPECT_EQ(b.picture(), (Picture{
                             ".............",
                             "....#####....",
                             "...#.....#...",
                             "..#.......#..",
                             ".#.........#.",
                             ".#.........#.",
                             ".#.........#.",
                             ".#.........#.",
                             ".#.........#.",
                             "..#.......#..",
                             "...#.....#...",
                             "....#####....",
                             ".............",
                         }));
}

TEST(RasterCircle, CircleTouchingTheEdgeDrawsOnlyTheInsidePart) {
  GuardedBitmap whole(13, 13), edge(7, 9);
  Raster_Circle(&whole, 6, 6, 5, kWhite, 0.8f, kBlitAdd, false);
  Raster_Circle(&edge, 0, 4, 5, kWhite, 0.8f, kBlitAdd, false);  // centre on the left edge
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 7; ++x) EXPECT_EQ(edge.at(x, y), whole.at(x + 6, y + 2)) << x << "," << y;
  EXPECT_TRUE(edge.guardsIntact());
}

TEST(RasterCircle, SmoothedOutlineSplitsWeightAcrossTheCrossing) {
  GuardedBitmap b(15, 15);
  b.clear(0);
  Raster_Circle(&b, 7, 7, 5, Px(100, 0, 0, 0), 1.0f, kBlitAdd, true);
  // y = 0: whole radius at full weight 255; rows (and columns) cy +- 0 coincide, so the four
  // axis points blend twice.
  EXPECT_EQ(red(b.at(12, 7)), 2 * (100 * 255 / 256));
  EXPECT_EQ(red(b.at(7, 2)), 2 * (100 * 255 / 256));
  // y = 1: x = sqrt(24) = 4.899: column 12 gets 229 of 255, column 11 the remaining 25.
  EXPECT_NEAR(red(b.at(12, 8)), 100 * 229 / 256, 1);
  EXPECT_NEAR(red(b.at(11, 8)), 100 * 25 / 256, 1);
  EXPECT_EQ(red(b.at(7, 7)), 0);
}

TEST(RasterCircle, CopyModeStoresHalfMixesOrMixesByOpacityAndSmoothing) {
  // Outline point (12, 7) of a radius-5 circle centred at (7, 7), over black, white colour.
  // The smoothed outline reaches the four axis points twice (y = 0 mirrors onto itself).
  struct Case {
    float alpha;
    bool aa;
    int expect;
  } cases[] = {
      {1.0f, false, 255},              // plain store
      {0.5f, false, 127},              // (0 + 255) / 2, weight ignored
      {0.7f, false, 255 * 178 / 256},  // copy rule at (int)(0.7 * 255) = 178
      {1.0f, true,
       (255 * 255 + 254 * 1) / 256},  // always the copy rule when smoothing: 254, then 254
      {0.5f, true, (255 * 127 + 126 * 129) / 256},  // 126, then 189
  };
  for (const Case& c : cases) {
    GuardedBitmap b(15, 15);
    b.clear(Px(0, 0, 0, 0));
    Raster_Circle(&b, 7, 7, 5, kWhite, c.alpha, kBlitCopy, c.aa);
    EXPECT_EQ(red(b.at(12, 7)), c.expect) << c.alpha << " aa " << c.aa;
  }
  for (float alpha : {0.0f, -0.5f}) {
    GuardedBitmap b(15, 15);
    Raster_Circle(&b, 7, 7, 5, kWhite, alpha, kBlitCopy, false);
    Raster_FillCircle(&b, 7, 7, 5, kWhite, alpha, kBlitCopy, true);
    EXPECT_EQ(b.changed(), 0) << alpha;
  }
}

TEST(RasterFillCircle, PlainDiscCoversTheOutlineAndEveryRowBetween) {
  GuardedBitmap b(13, 13);
  Raster_FillCircle(&b, 6, 6, 5, kWhite, 1.0f, kBlitCopy, false);
  EXPECT_EQ(b.picture(), (Picture{
                             ".............",
                             "....#####....",
                             "...#######...",
                             "..#########..",
                             ".###########.",
                             ".###########.",
                             ".###########.",
                             ".###########.",
                             ".###########.",
                             "..#########..",
                             "...#######...",
                             "....#####....",
                             ".............",
                         }));
}

TEST(RasterFillCircle, DiscsClipAtEveryEdgeAndCornerAndHugeOnesAreRefused) {
  const float inf = std::numeric_limits<float>::infinity();
  for (float cx : {-3.0f, 5.0f, 12.0f})
    for (float cy : {-2.0f, 4.0f, 9.5f}) {
      GuardedBitmap b(10, 8, cy > 5);
      Raster_FillCircle(&b, cx, cy, 6.3f, kWhite, 0.7f, kBlitAdd, true);
      Raster_FillCircle(&b, cx, cy, 6.0f, kWhite, 1.0f, kBlitCopy, false);
      EXPECT_TRUE(b.guardsIntact()) << cx << "," << cy;
      EXPECT_GT(b.changed(), 0);
    }
  GuardedBitmap b(10, 8);
  Raster_FillCircle(&b, 5, 4, 1e9f, kWhite, 1.0f, kBlitCopy, false);
  Raster_FillCircle(&b, 5, 4, inf, kWhite, 1.0f, kBlitCopy, true);
  Raster_Circle(&b, std::nanf(""), 4, 10, kWhite, 1.0f, kBlitCopy, true);
  Raster_Circle(&b, 1e30f, -1e30f, 2.5f, kWhite, 1.0f, kBlitCopy, true);
  Raster_Circle(&b, 5, 4, 100, kWhite, 1.0f, kBlitCopy, true);  // bitmap wholly inside the ring
  EXPECT_EQ(b.changed(), 0);
}

// ---- arcs ----

namespace {
// Pixels of the full outline that lie in [l, r) x [t, b): what an arc clipped to it shows.
Picture circlePart(float cx, float cy, float rad, int l, int t, int r, int b, int w, int h) {
  GuardedBitmap c(w, h);
  Raster_Circle(&c, cx, cy, rad, kWhite, 1.0f, kBlitCopy, false);
  Picture p = c.picture();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (x < l || x >= r || y < t || y >= b) p[y][x] = '.';
  return p;
}
}  // namespace

TEST(RasterArc, QuarterFromTopToRightIsTheUpperRightOfTheCircle) {
  GuardedBitmap b(41, 41);
  Raster_Arc(&b, 20, 20, 10, 0, kPi / 2, kWhite, 1.0f, kBlitCopy, false);
  // Clip: left edge at the start point's column, top at its row, bottom (exclusive) at the
  // end point's row.
  EXPECT_EQ(b.picture(), circlePart(20, 20, 10, 20, 10, 41, 20, 41, 41));
}

TEST(RasterArc, EachQuadrantStaysInItsQuarter) {
  struct Case {
    float a0, a1;
    bool right, below;
  } cases[] = {{0, kPi / 2, true, false},
               {kPi / 2, kPi, true, true},
               {kPi, 3 * kPi / 2, false, true},
               {-kPi / 2, 0, false, false}};
  // The clip edges come from end points computed with a float pi: one row or column of slack.
  for (const Case& c : cases) {
    GuardedBitmap b(41, 41);
    Raster_Arc(&b, 20, 20, 10, c.a0, c.a1, kWhite, 1.0f, kBlitCopy, true);
    int n = 0;
    for (int y = 0; y < 41; ++y)
      for (int x = 0; x < 41; ++x) {
        if (b.at(x, y) == GuardedBitmap::kBack) continue;
        ++n;
        EXPECT_TRUE(c.right ? x >= 19 : x <= 21) << c.a0 << " at " << x << "," << y;
        EXPECT_TRUE(c.below ? y >= 19 : y <= 21) << c.a0 << " at " << x << "," << y;
      }
    EXPECT_GT(n, 10) << c.a0;
  }
}

TEST(RasterArc, SpansAbovePiAreSplitAndFullTurnsDrawTheCircle) {
  GuardedBitmap arc(41, 41), circle(41, 41);
  Raster_Arc(&arc, 20, 20, 10, 0, 2 * kPi, kWhite, 1.0f, kBlitCopy, false);
  Raster_Circle(&circle, 20, 20, 10, kWhite, 1.0f, kBlitCopy, false);
  EXPECT_EQ(arc.picture(), circle.picture());

  GuardedBitmap split(41, 41);
  Raster_Arc(&split, 20, 20, 10, -kPi / 2, 3 * kPi / 4, kWhite, 1.0f, kBlitCopy, false);
  EXPECT_NE(split.at(10, 18),
            GuardedBitmap::kBack);  // left, above the start point (float pi puts it at 19.99)
  EXPECT_NE(split.at(20, 10), GuardedBitmap::kBack);  // top, the split
  EXPECT_NE(split.at(30, 20), GuardedBitmap::kBack);  // right
  EXPECT_EQ(split.at(20, 30), GuardedBitmap::kBack);  // bottom lies beyond the end
  EXPECT_EQ(split.at(11, 26), GuardedBitmap::kBack);  // lower left, before the start

  // A start past pi with a span near 2 pi: split at pi would leave a part above pi forever.
  GuardedBitmap odd(41, 41);
  Raster_Arc(&odd, 20, 20, 10, 3.0f, 3.0f + 1.9f * kPi, kWhite, 1.0f, kBlitCopy, false);
  EXPECT_GT(odd.changed(), 40);
  for (int y = 0; y < 41; ++y)
    for (int x = 0; x < 41; ++x)
      if (odd.at(x, y) != GuardedBitmap::kBack) {
        EXPECT_EQ(circle.at(x, y), kWhite);
      }
}

TEST(RasterArc, QuarterArcsAndRoundedCornersKeepTheirPixels) {
  // Every quarter between two axes, as rounded rectangles draw them, each quarter in its own
  // colour; plain and smoothed, whole and cut by the bitmap's edge, upright and flipped. The
  // hashes were taken from the pixels before arcs were split at the axes they cross.
  const float q = kPi / 2;
  const float quarters[][2] = {{-q, 0}, {0, q}, {q, kPi}, {kPi, 3 * q}, {3 * q, 4 * q}, {-kPi, -q}};
  const unsigned expected[2] = {4207350290u, 1965459917u};
  for (bool flipped : {false, true}) {
    GuardedBitmap b(64, 48, flipped);
    for (bool aa : {false, true})
      for (auto [cx, cy, r] : {std::tuple{20.0f, 20.0f, 10.0f},
                               {21.5f, 17.3f, 9.5f},
                               {3.2f, 40.7f, 12.25f},
                               {50.0f, 9.0f, 2.0f},
                               {55.6f, 30.1f, 3.0f}}) {
        int i = 0;
        for (auto [a0, a1] : quarters) {
          ++i;
          const unsigned color = Px(40 * i, 255 - 30 * i, aa ? 90 : 20, 0);
          Raster_Arc(&b, cx, cy, r, a0, a1, color, aa ? 1.0f : 0.6f, aa ? kBlitAdd : kBlitCopy, aa);
        }
      }
    Raster_RoundRect(&b, 30.4f, 20.7f, 22.5f, 19.2f, 7, kWhite, 0.8f, kBlitAdd, true);
    Raster_RoundRect(&b, 33, 24, 15, 12, 4, kWhite, 1.0f, kBlitCopy, false);
    unsigned h = 2166136261u;  // FNV-1a over the visible rows, top to bottom
    for (int y = 0; y < 48; ++y)
      for (int x = 0; x < 64; ++x) h = (h ^ b.at(x, y)) * 16777619u;
    EXPECT_EQ(h, expected[flipped]) << (flipped ? "flipped" : "upright");
    EXPECT_TRUE(b.guardsIntact());
  }
}

TEST(RasterArc, ArcsAcrossAxesKeepToTheirOwnPartOfTheCircle) {
  const float cx = 20.3f, cy = 19.6f, r = 12.5f;
  // Centre of pixel (x, y) relative to the circle's centre. A flipped bitmap maps row y to
  // h - 1 - y, which moves pixel centres up by half a row.
  auto offset = [&](int x, int y, bool flipped) {
    return std::pair<double, double>{x + 0.5 - cx, y + (flipped ? -0.5 : 0.5) - cy};
  };
  // Angle of that centre, counted clockwise from the top and brought into [a0, a0 + 2 pi).
  auto angle = [](std::pair<double, double> p, float a0) {
    return a0 + std::fmod(std::atan2(p.first, -p.second) - a0 + 4 * kPi, 2 * kPi);
  };
  // Across one axis, within one quadrant, across 2 pi, above pi, and a quarter ending a float
  // step or two short of 2 pi (on the axis, within the tolerance).
  const float arcs[][2] = {{2, 4},
                           {-3 * kPi / 8, 3 * kPi / 8},
                           {kPi / 4, kPi},
                           {0.3f, 1.2f},
                           {6, 7},
                           {-2.4f, 2.4f},
                           {3, 3 + 1.9f * kPi},
                           {3 * kPi / 2, 2 * kPi - 1e-6f}};
  for (bool flipped : {false, true})
    for (bool aa : {false, true})
      for (auto [a0, a1] : arcs) {
        GuardedBitmap arc(41, 41, flipped), circle(41, 41, flipped);
        Raster_Arc(&arc, cx, cy, r, a0, a1, kWhite, 1.0f, kBlitCopy, aa);
        Raster_Circle(&circle, cx, cy, r, kWhite, 1.0f, kBlitCopy, aa);
        double worst = 0;  // distance of the farthest pixel drawn from the arc
        for (int y = 0; y < 41; ++y)
          for (int x = 0; x < 41; ++x) {
            const auto [px, py] = offset(x, y, flipped);
            const double a = angle({px, py}, a0);
            if (arc.at(x, y) != GuardedBitmap::kBack) {
              const double d =
                  a <= a1 ? std::fabs(std::hypot(px, py) - r)
                          : std::fmin(std::hypot(px - r * std::sin(a0), py + r * std::cos(a0)),
                                      std::hypot(px - r * std::sin(a1), py + r * std::cos(a1)));
              worst = std::fmax(worst, d);
            } else if (circle.at(x, y) != GuardedBitmap::kBack) {
              // No gaps: the circle's pixels well inside the arc's angles are all drawn.
              EXPECT_FALSE(a > a0 + 0.15 && a < a1 - 0.15)
                  << a0 << ".." << a1 << " lacks " << x << "," << y;
            }
          }
        // Truncation puts plain pixels within a pixel of the arc; smoothing shares each point
        // with a neighbour, as the whole smoothed circle does, up to about 1.5 pixels off.
        EXPECT_LE(worst, aa ? 1.6 : 1.0)
            << a0 << ".." << a1 << " aa " << aa << " flipped " << flipped;
      }
  GuardedBitmap reversed(41, 41);
  Raster_Arc(&reversed, cx, cy, r, 1.2f, 0.3f, kWhite, 1.0f, kBlitCopy, false);
  EXPECT_EQ(reversed.changed(), 0);
}

TEST(RasterArc, FlippedBitmapShowsTheSameQuarterOnScreen) {
  GuardedBitmap b(41, 41, true);
  Raster_Arc(&b, 20, 20, 10, 0, kPi / 2, kWhite, 1.0f, kBlitCopy, false);
  int n = 0;
  for (int y = 0; y < 41; ++y)
    for (int x = 0; x < 41; ++x)
      if (b.at(x, y) != GuardedBitmap::kBack) {
        ++n;
        EXPECT_GE(x, 19);
        EXPECT_LE(y, 20);
      }
  EXPECT_GT(n, 10);
  EXPECT_TRUE(b.guardsIntact());
}

// ---- rounded rectangles ----

TEST(RasterRoundRect, RadiusBelowTwoIsAPlainOutline) {
  GuardedBitmap a(20, 12), b(20, 12);
  Raster_RoundRect(&a, 2.7f, 1.2f, 12.9f, 8.5f, 1, kWhite, 0.6f, kBlitAdd, true);
  Raster_DrawRect(&b, 2, 1, 12, 8, kWhite, 0.6f, kBlitAdd);
  EXPECT_EQ(a.picture(), b.picture());
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 20; ++x) EXPECT_EQ(a.at(x, y), b.at(x, y));
  GuardedBitmap c(20, 12), d(20, 12);
  Raster_RoundRect(&c, 2, 1, 12, 3, 8, kWhite, 1.0f, kBlitCopy, false);  // radius limited to 1.5
  Raster_DrawRect(&d, 2, 1, 12, 3, kWhite, 1.0f, kBlitCopy);
  EXPECT_EQ(c.picture(), d.picture());
}

TEST(RasterRoundRect, SmallRadiusCutsTheCornersAndKeepsTheSides) {
  GuardedBitmap b(16, 12);
  Raster_RoundRect(&b, 2, 1, 10, 8, 2, kWhite, 1.0f, kBlitCopy, false);
  Picture p = b.picture();
  for (int x = 4; x <= 10; ++x) {
    EXPECT_EQ(p[1][x], '#') << x;
    EXPECT_EQ(p[9][x], '#') << x;
  }
  for (int y = 3; y <= 7; ++y) {
    EXPECT_EQ(p[y][2], '#') << y;
    EXPECT_EQ(p[y][12], '#') << y;
  }
  for (auto [x, y] : {std::pair<int, int>{2, 1}, {12, 1}, {2, 9}, {12, 9}})
    EXPECT_EQ(p[y][x], '.') << x << "," << y;
  int outside = 0;
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 16; ++x) outside += p[y][x] == '#' && (x < 2 || x > 12 || y < 1 || y > 9);
  EXPECT_EQ(outside, 0);
}
