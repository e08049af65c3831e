#include <gtest/gtest.h>

#include "GDI_TestDC.h"

namespace {
struct Tools {
  HPEN pen = nullptr;
  HBRUSH brush = nullptr;
  ~Tools() {
    DeleteObject(pen);
    DeleteObject(brush);
  }
};
}  // namespace

TEST(GDI_Rectangle, BrushFillsExactlyTheRectangle) {
  GDI_TestDC t(6, 5);
  Tools k;
  k.brush = CreateSolidBrush(0x20A040);
  SelectObject(t.dc, k.brush);
  Rectangle(t.dc, 1, 1, 4, 3);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x) {
      bool inside = x >= 1 && x < 4 && y >= 1 && y < 3;
      if (inside)
        EXPECT_EQ(0x20A040u, t.rgb(x, y)) << x << "," << y;
      else
        EXPECT_TRUE(t.untouched(x, y)) << x << "," << y;
    }
}

TEST(GDI_Rectangle, PenOutlineIsStrokedOverTheFill) {
  GDI_TestDC t(8, 8);
  Tools k;
  k.brush = CreateSolidBrush(0x0000FF);
  k.pen = CreatePen(0, 2, 0xFF0000);
  SelectObject(t.dc, k.brush);
  SelectObject(t.dc, k.pen);
  Rectangle(t.dc, 1, 1, 7, 7);
  // A 2-wide outline centred on the edges covers one pixel on each side of them.
  EXPECT_EQ(0xFF0000u, t.rgb(0, 4));
  EXPECT_EQ(0xFF0000u, t.rgb(1, 4));
  EXPECT_EQ(0xFF0000u, t.rgb(6, 4));
  EXPECT_EQ(0xFF0000u, t.rgb(7, 4));
  EXPECT_EQ(0xFF0000u, t.rgb(4, 0));
  EXPECT_EQ(0x0000FFu, t.rgb(2, 2));
  EXPECT_EQ(0x0000FFu, t.rgb(5, 5));
}

TEST(GDI_LineTo, DrawsFromTheCurrentPositionWithThePenWidthAndMovesIt) {
  GDI_TestDC t(6, 4);
  Tools k;
  k.pen = CreatePen(0, 2, 0x00FF00);
  GDI_LineTo(t.dc, 6, 2);  // no pen yet: nothing, position stays
  EXPECT_EQ(0, t.dc->lastpos_x);
  EXPECT_TRUE(t.untouched(3, 1));
  SelectObject(t.dc, k.pen);
  MoveToEx(t.dc, 0, 2, nullptr);
  GDI_LineTo(t.dc, 6, 2);
  EXPECT_EQ(6, t.dc->lastpos_x);
  EXPECT_EQ(2, t.dc->lastpos_y);
  for (int x = 0; x < 6; ++x) {
    EXPECT_TRUE(t.untouched(x, 0));
    EXPECT_EQ(0x00FF00u, t.rgb(x, 1));
    EXPECT_EQ(0x00FF00u, t.rgb(x, 2));
    EXPECT_TRUE(t.untouched(x, 3));
  }
}

TEST(GDI_LineTo, AZeroWidthPenDrawsOnePixelWide) {
  GDI_TestDC t(5, 3);
  Tools k;
  k.pen = CreatePen(0, 0, 0xFFFFFF);
  SelectObject(t.dc, k.pen);
  MoveToEx(t.dc, 0, 1, nullptr);
  GDI_LineTo(t.dc, 5, 1);
  // On a pixel edge a one-pixel line half covers the rows on both sides.
  EXPECT_NEAR(128, t.green(2, 0), 2);
  EXPECT_NEAR(128, t.green(2, 1), 2);
  EXPECT_TRUE(t.untouched(2, 2));
}

TEST(GDI_PolyPolyline, EachCountConsumesItsPointsAndOnlyRunsOfTwoOrMoreDraw) {
  GDI_TestDC t(10, 10);
  Tools k;
  k.pen = CreatePen(0, 2, 0xFFFFFF);
  SelectObject(t.dc, k.pen);
  const POINT pts[] = {{0, 1}, {10, 1},           // first polyline: a line at y 0..2
                       {5, 5},                    // a lone point: consumed, not drawn
                       {1, 8}, {4, 8},  {4, 8}};  // three points along y 7..9
  const DWORD counts[] = {2, 0, 1, 3};
  PolyPolyline(t.dc, pts, counts, 4);
  EXPECT_EQ(0xFFFFFFu, t.rgb(7, 0));
  EXPECT_EQ(0xFFFFFFu, t.rgb(7, 1));
  EXPECT_TRUE(t.untouched(5, 5));
  EXPECT_TRUE(t.untouched(4, 4));
  EXPECT_EQ(0xFFFFFFu, t.rgb(2, 7));
  EXPECT_TRUE(t.untouched(7, 8));
  PolyPolyline(t.dc, pts, counts, 0);  // n = 0 draws nothing and must not read
}

TEST(GDI_PolyBezierTo, DrawsWholeGroupsOfThreeAndEndsAtTheLastEndPoint) {
  GDI_TestDC t(12, 4);
  Tools k;
  k.pen = CreatePen(0, 2, 0xFFFFFF);
  SelectObject(t.dc, k.pen);
  MoveToEx(t.dc, 0, 2, nullptr);
  // Control points on the line make straight segments; the 7th point is an incomplete group.
  const POINT pts[] = {{1, 2}, {2, 2}, {3, 2}, {5, 2}, {6, 2}, {8, 2}, {11, 0}};
  PolyBezierTo(t.dc, pts, 2);  // fewer than three: nothing
  EXPECT_TRUE(t.untouched(1, 1));
  EXPECT_EQ(0, t.dc->lastpos_x);
  PolyBezierTo(t.dc, pts, 7);
  EXPECT_EQ(8, t.dc->lastpos_x);
  EXPECT_EQ(2, t.dc->lastpos_y);
  EXPECT_EQ(0xFFFFFFu, t.rgb(1, 1));
  EXPECT_EQ(0xFFFFFFu, t.rgb(7, 2));
  EXPECT_TRUE(t.untouched(10, 1));  // nothing towards the leftover point
}

TEST(GDI_Polygon, FillsWithTheBrushAndLeavesTheOutlineOpen) {
  GDI_TestDC t(10, 10);
  Tools k;
  k.brush = CreateSolidBrush(0x0000FF);
  SelectObject(t.dc, k.brush);
  const POINT tri[] = {{0, 0}, {10, 0}, {0, 10}};
  GDI_Polygon(t.dc, tri, 3);
  EXPECT_EQ(0x0000FFu, t.rgb(2, 2));
  EXPECT_TRUE(t.untouched(8, 8));

  GDI_TestDC o(10, 10);
  k.pen = CreatePen(0, 2, 0xFF0000);
  SelectObject(o.dc, k.pen);
  GDI_Polygon(o.dc, tri, 3);
  EXPECT_EQ(0xFF0000u, o.rgb(5, 0));  // first edge
  EXPECT_NE(0u, o.rgb(5, 5) >> 16);   // second edge, diagonal
  EXPECT_TRUE(o.untouched(0, 5));     // no closing edge back to the first point
  EXPECT_TRUE(o.untouched(2, 2));     // outline only
  GDI_Polygon(o.dc, tri, 1);          // too few points: nothing
}

TEST(GDI_RoundRect, CutsTheCornersByAThirdOfTheRoundingSize) {
  GDI_TestDC t(12, 12);
  Tools k;
  k.brush = CreateSolidBrush(0xFFFFFF);
  SelectObject(t.dc, k.brush);
  RoundRect(t.dc, 0, 0, 12, 12, 9, 9);  // corners cut by 3
  EXPECT_TRUE(t.untouched(0, 0));
  EXPECT_TRUE(t.untouched(11, 11));
  EXPECT_TRUE(t.untouched(0, 11));
  EXPECT_EQ(0xFFFFFFu, t.rgb(6, 0));
  EXPECT_EQ(0xFFFFFFu, t.rgb(0, 6));
  EXPECT_EQ(0xFFFFFFu, t.rgb(6, 6));
}

TEST(GDI_Ellipse, FillsTheInscribedEllipseAndStrokesItsOutline) {
  GDI_TestDC t(20, 20);
  Tools k;
  k.brush = CreateSolidBrush(0x0000FF);
  SelectObject(t.dc, k.brush);
  Ellipse(t.dc, 0, 0, 20, 20);
  EXPECT_EQ(0x0000FFu, t.rgb(10, 10));
  EXPECT_TRUE(t.untouched(0, 0));
  EXPECT_TRUE(t.untouched(19, 19));

  GDI_TestDC o(20, 20);
  k.pen = CreatePen(0, 1, 0xFF0000);
  SelectObject(o.dc, k.pen);
  Ellipse(o.dc, 0, 0, 20, 20);
  EXPECT_TRUE(o.untouched(10, 10));
  EXPECT_GT(o.rgb(10, 0) >> 16, 64u);
  EXPECT_GT(o.rgb(0, 10) >> 16, 64u);
}

TEST(GDI_FillRect, OnlyADrawableBrushObjectFills) {
  GDI_TestDC t(3, 3);
  Tools k;
  k.brush = CreateSolidBrush(0x445566);
  k.pen = CreatePen(0, 1, 0xFFFFFF);
  RECT r = {0, 0, 2, 2};
  GDI_FillRect(t.dc, &r, reinterpret_cast<HBRUSH>(2));
  GDI_FillRect(t.dc, &r, GetStockObject(2));
  GDI_FillRect(t.dc, &r, k.pen);
  GDI_FillRect(t.dc, &r, nullptr);
  EXPECT_TRUE(t.untouched(0, 0));
  GDI_FillRect(t.dc, &r, k.brush);
  EXPECT_EQ(0x445566u, t.rgb(1, 1));
  EXPECT_TRUE(t.untouched(2, 2));
}

TEST(GDI_FillDialogBackground, PaintsTheRectangleInTheDialogGrey) {
  GDI_TestDC t(3, 1);
  RECT r = {1, 0, 3, 1};
  GDI_FillDialogBackground(t.dc, &r, 0);
  EXPECT_TRUE(t.untouched(0, 0));
  EXPECT_EQ(0xECECECu, t.rgb(1, 0));
}

TEST(GDI_Draw, NullContextsAndMissingArgumentsDrawNothing) {
  POINT p[3] = {{0, 0}, {1, 1}, {2, 2}};
  DWORD n[1] = {3};
  RECT r = {0, 0, 1, 1};
  GDI_LineTo(nullptr, 1, 1);
  PolyPolyline(nullptr, p, n, 1);
  PolyBezierTo(nullptr, p, 3);
  GDI_Polygon(nullptr, p, 3);
  Rectangle(nullptr, 0, 0, 1, 1);
  Ellipse(nullptr, 0, 0, 1, 1);
  RoundRect(nullptr, 0, 0, 1, 1, 3, 3);
  GDI_FillRect(nullptr, &r, nullptr);
  GDI_SetPixel(nullptr, 0, 0, 0);
  GDI_FillDialogBackground(nullptr, &r, 0);
  GDI_TestDC t(2, 2);
  Tools k;
  k.pen = CreatePen(0, 1, 0xFFFFFF);
  SelectObject(t.dc, k.pen);
  PolyPolyline(t.dc, nullptr, n, 1);
  PolyBezierTo(t.dc, nullptr, 3);
  GDI_Polygon(t.dc, nullptr, 3);
  GDI_FillDialogBackground(t.dc, nullptr, 0);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) EXPECT_TRUE(t.untouched(x, y));
}
