// Random and extreme arguments to every line, fill, circle and curve primitive: nothing may be
// written outside the bitmap (guard memory around it must stay intact), nothing may hang or
// crash, and under the sanitizers nothing may overflow or read out of bounds.

#include "raster/curves/Raster_Curves.h"
#include "raster/lines/Raster_Lines.h"

#include "Raster_TestCanvas.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <random>

using rastertest::GuardedBitmap;

namespace {

class Args {
 public:
  Args(int w, int h, unsigned seed) : mW(w), mH(h), mRng(seed) {}

  int coord() {
    static const int extremes[] = {INT_MIN, INT_MIN + 1, -1000000,    -1,
                                   0,       INT_MAX,     INT_MAX - 1, 1000000};
    switch (pick(6)) {
      case 0:
        return extremes[pick(8)];
      case 1:
        return pick(2) ? mW - 1 + (int)pick(3) : mH - 1 + (int)pick(3);
      default:
        return -20 + (int)pick((unsigned)(std::max(mW, mH) + 40));
    }
  }
  float fcoord() {
    static const float inf = std::numeric_limits<float>::infinity();
    static const float extremes[] = {inf,    -inf,          std::nanf(""),  1e30f,
                                     -1e30f, 3.4e38f,       -3.4e38f,       1e-40f,
                                     -0.0f,  2147483648.0f, -2147483904.0f, 16777217.0f};
    if (pick(7) == 0) return extremes[pick(12)];
    return -20.0f + std::uniform_real_distribution<float>(0, (float)std::max(mW, mH) + 40)(mRng);
  }
  float radius() {
    static const float special[] = {2, 2.5f, 3, 3.5f, 4, 0, -0.5f, -1, -7, 20000, 1e7f, 1e30f};
    if (pick(4) == 0) return special[pick(12)];
    return std::uniform_real_distribution<float>(-3, 40)(mRng);
  }
  float angle() {
    static const float special[] = {0,     3.1415927f, 6.2831855f,   -6.2831855f,
                                    1e30f, -1e30f,     std::nanf("")};
    if (pick(5) == 0) return special[pick(7)];
    return std::uniform_real_distribution<float>(-8, 8)(mRng);
  }
  float alpha() {
    static const float a[] = {1, 0.5f, 0, 0.3f, 0.77f, -0.6f, 2, 300, std::nanf(""), 1e30f};
    return a[pick(10)];
  }
  int mode() {
    static const int m[] = {0, 1, 2, 3, 4, 5, 6, 0x10000, 0x100 | 1, 0xF4, -1};
    return m[pick(11)];
  }
  unsigned color() { return (unsigned)mRng(); }
  bool flag() { return pick(2) == 0; }
  int dash() {
    static const int d[] = {INT_MIN, -3, -1, 0, 1, 2, 3, 7, INT_MAX};
    return d[pick(9)];
  }
  unsigned pick(unsigned n) { return (unsigned)(mRng() % n); }

 private:
  int mW, mH;
  std::mt19937 mRng;
};

const int kPrimitives = 14;

void drawOne(int which, Raster_IBitmap* b, Args& a) {
  switch (which) {
    case 0:
      Raster_Line(b, a.coord(), a.coord(), a.coord(), a.coord(), a.color(), a.alpha(), a.mode(),
                  a.flag());
      break;
    case 1:
      Raster_FLine(b, a.fcoord(), a.fcoord(), a.fcoord(), a.fcoord(), a.color(), a.alpha(),
                   a.mode(), a.flag());
      break;
    case 2: {
      int x = a.coord(), y = a.coord(), len = a.coord();
      if (a.flag())
        Raster_DashedLine(b, x, y, len, y, a.dash(), a.dash(), a.color(), a.alpha(), a.mode(),
                          a.flag());
      else
        Raster_DashedLine(b, x, y, x, len, a.dash(), a.dash(), a.color(), a.alpha(), a.mode(),
                          a.flag());
      break;
    }
    case 3:
      Raster_DrawRect(b, a.coord(), a.coord(), a.coord(), a.coord(), a.color(), a.alpha(),
                      a.mode());
      break;
    case 4:
      Raster_BorderedRect(b, a.coord(), a.coord(), a.coord(), a.coord(), a.color(), a.color(),
                          a.alpha(), a.mode());
      break;
    case 5:
      Raster_FillTriangle(b, a.coord(), a.coord(), a.coord(), a.coord(), a.coord(), a.coord(),
                          a.color(), a.alpha(), a.mode());
      break;
    case 6:
      Raster_Circle(b, a.fcoord(), a.fcoord(), a.radius(), a.color(), a.alpha(), a.mode(),
                    a.flag());
      break;
    case 7:
      Raster_FillCircle(b, a.fcoord(), a.fcoord(), a.radius(), a.color(), a.alpha(), a.mode(),
                        a.flag());
      break;
    case 8:
      Raster_Arc(b, a.fcoord(), a.fcoord(), a.radius(), a.angle(), a.angle(), a.color(), a.alpha(),
                 a.mode(), a.flag());
      break;
    case 9: {
      static const int radii[] = {INT_MIN, -1, 0, 1, 2, 3, 8, 1000, INT_MAX};
      Raster_RoundRect(b, a.fcoord(), a.fcoord(), a.fcoord(), a.fcoord(), radii[a.pick(9)],
                       a.color(), a.alpha(), a.mode(), a.flag());
      break;
    }
    case 10: {
      static const float tol[] = {0, 0.5f, 1, 1.5f, 2, 8, -1, 1e30f, std::nanf("")};
      Raster_DrawQBezier(b, a.fcoord(), a.fcoord(), a.fcoord(), a.fcoord(), a.fcoord(), a.fcoord(),
                         a.color(), a.alpha(), a.mode(), a.flag(), tol[a.pick(9)]);
      break;
    }
    case 11: {
      static const float tol[] = {0, 0.5f, 1, 1.5f, 2, 8, -1, 1e30f, std::nanf("")};
      Raster_DrawCBezier(b, a.fcoord(), a.fcoord(), a.fcoord(), a.fcoord(), a.fcoord(), a.fcoord(),
                         a.fcoord(), a.fcoord(), a.color(), a.alpha(), a.mode(), a.flag(),
                         tol[a.pick(9)]);
      break;
    }
    case 12: {
      float nx, dy;
      double lo, hi;
      Raster_CBezier_GetY(a.fcoord(), a.fcoord(), a.fcoord(), a.fcoord(), a.fcoord(), a.fcoord(),
                          a.fcoord(), a.fcoord(), a.fcoord(), &nx, &dy, &lo, &hi);
      break;
    }
    default: {
      // Clipping keeps a segment inside the rectangle, or rejects it.
      int x1 = a.coord(), y1 = a.coord(), x2 = a.coord(), y2 = a.coord();
      int l = a.coord(), t = a.coord(), r = a.coord(), bt = a.coord();
      if (Raster_ClipLine(&x1, &y1, &x2, &y2, l, t, r, bt)) {
        ASSERT_TRUE(x1 >= l && x1 < r && x2 >= l && x2 < r)
            << x1 << " " << x2 << " in " << l << ".." << r;
        ASSERT_TRUE(y1 >= t && y1 < bt && y2 >= t && y2 < bt)
            << y1 << " " << y2 << " in " << t << ".." << bt;
      }
      break;
    }
  }
}

void fuzz(int w, int h, bool flipped, unsigned seed, int rounds) {
  GuardedBitmap b(w, h, flipped);
  Args a(w, h, seed);
  for (int i = 0; i < rounds; ++i) {
    const int which = (int)a.pick(kPrimitives);
    drawOne(which, nullptr, a);  // a null bitmap is never touched
    drawOne(which, &b, a);
    ASSERT_TRUE(b.guardsIntact()) << "primitive " << which << " round " << i;
  }
}

}  // namespace

TEST(RasterPrimitivesFuzz, RandomAndExtremeArgumentsStayInsideTheBitmap) {
  fuzz(37, 23, false, 1234u, 10000);
  fuzz(37, 23, true, 99u, 10000);
}

TEST(RasterPrimitivesFuzz, OnePixelAndOneRowBitmaps) {
  fuzz(1, 1, false, 7u, 800);
  fuzz(29, 1, true, 8u, 800);
  fuzz(1, 17, false, 9u, 800);
}

TEST(RasterPrimitivesFuzz, LinesInsideTheBitmapIncludeBothEnds) {
  GuardedBitmap b(31, 19);
  std::mt19937 rng(5);
  for (int i = 0; i < 300; ++i) {
    b.clear(GuardedBitmap::kBack);
    const int x1 = (int)(rng() % 31), y1 = (int)(rng() % 19), x2 = (int)(rng() % 31),
              y2 = (int)(rng() % 19);
    Raster_Line(&b, x1, y1, x2, y2, 0xFFFFFFFF, 1.0f, kBlitCopy, false);
    ASSERT_EQ(b.at(x1, y1), 0xFFFFFFFFu) << x1 << "," << y1 << " - " << x2 << "," << y2;
    ASSERT_EQ(b.at(x2, y2), 0xFFFFFFFFu) << x1 << "," << y1 << " - " << x2 << "," << y2;
    const int dx = std::abs(x2 - x1), dy = std::abs(y2 - y1);
    ASSERT_EQ(b.changed(), std::max(dx, dy) + 1);  // one pixel per step of the longer axis
  }
}
