// Fonts, metrics and DrawText, checked against Liberation Sans' own design metrics
// (ascender 1854, descender 434, line gap 67, 2048 units per em): "Arial" resolves to it.
#include <gtest/gtest.h>

#include <cmath>

#include "GDI_TestDC.h"

namespace {

HFONT Arial(int height, int weight = 400, int orientation = 0) {
  return CreateFont(height, 0, 0, orientation, weight, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
}

// A context with a font selected; the font is deleted with it.
struct TextDC : GDI_TestDC {
  TextDC(int w, int h, HFONT f) : GDI_TestDC(w, h), font(f) { SelectObject(dc, font); }
  ~TextDC() { DeleteObject(font); }
  RECT measure(const char* s, int flags = 0) {
    RECT r = {0, 0, 0, 0};
    GDI_DrawText(dc, s, -1, &r, flags | DT_CALCRECT);
    return r;
  }
  int draw(const char* s, RECT r, int flags = 0) { return GDI_DrawText(dc, s, -1, &r, flags); }
  HFONT font;
};

int Ceil(double units, int size) { return static_cast<int>(std::ceil(units * size / 2048)); }

}  // namespace

TEST(GDI_Fonts, SizeAndWeightRulesShowInTheMetrics) {
  for (int height : {0, -12, 12, 1, 9000}) {
    TextDC t(1, 1, Arial(height));
    const int size =
        height == 0 || std::abs(height) < 2 || std::abs(height) > 8192 ? 10 : std::abs(height);
    TEXTMETRIC tm;
    ASSERT_EQ(1, GetTextMetrics(t.dc, &tm)) << height;
    EXPECT_EQ(Ceil(1854, size), tm.tmAscent) << height;
    EXPECT_EQ(Ceil(434, size), tm.tmDescent) << height;
    EXPECT_EQ(static_cast<int>(67.0 * size / 2048), tm.tmInternalLeading) << height;
    EXPECT_EQ(Ceil(1854 + 434 + 67, size), tm.tmHeight) << height;
    EXPECT_EQ(static_cast<int>(tm.tmHeight * 0.75), tm.tmAveCharWidth) << height;
  }
  // Width stands in for a missing height.
  HFONT byWidth = CreateFont(0, -20, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  TextDC w(1, 1, byWidth);
  TEXTMETRIC tm;
  GetTextMetrics(w.dc, &tm);
  EXPECT_EQ(Ceil(1854, 20), tm.tmAscent);

  TextDC regular(1, 1, Arial(20, 699)), bold(1, 1, Arial(20, 700));
  EXPECT_GT(bold.measure("Tessor EQ").right, regular.measure("Tessor EQ").right);
}

TEST(GDI_Fonts, MetricsWithoutAFontLeaveTheDefaults) {
  GDI_TestDC t(1, 1);
  TEXTMETRIC tm;
  EXPECT_EQ(0, GetTextMetrics(t.dc, &tm));
  EXPECT_EQ(16, tm.tmHeight);
  EXPECT_EQ(12, tm.tmAscent);
  EXPECT_EQ(4, tm.tmDescent);
  EXPECT_EQ(3, tm.tmInternalLeading);
  EXPECT_EQ(12, tm.tmAveCharWidth);
  EXPECT_EQ(0, GetTextMetrics(nullptr, nullptr));
}

TEST(GDI_Fonts, IndirectFontsReadAFullFaceNameWithoutATerminator) {
  LOGFONT lf = {};
  lf.lfHeight = -14;
  lf.lfWeight = 700;
  const char name[] = "Arial";
  memcpy(lf.lfFaceName, name, sizeof name);
  TextDC a(1, 1, CreateFontIndirect(&lf)), b(1, 1, Arial(14, 700));
  EXPECT_EQ(b.measure("Indirect").right, a.measure("Indirect").right);
  memset(lf.lfFaceName, 'x', LF_FACESIZE);  // no zero anywhere: still read safely
  TextDC c(1, 1, CreateFontIndirect(&lf));
  EXPECT_GT(c.measure("Indirect").right, 0);
  EXPECT_EQ(nullptr, CreateFontIndirect(nullptr));
}

TEST(GDI_DrawText, MeasuringWritesTheSizeAndDrawsNothing) {
  TextDC t(40, 40, Arial(12));
  RECT r = {10, 10, 10, 10};
  const int height = GDI_DrawText(t.dc, "Hello", -1, &r, DT_CALCRECT);
  EXPECT_EQ(Ceil(1854, 12) + Ceil(434, 12), height);
  EXPECT_EQ(10 + height, r.bottom);
  EXPECT_GT(r.right, 10 + 20);
  EXPECT_TRUE(t.ink().empty());
  // The default font is 10-pixel Arial.
  GDI_TestDC bare(1, 1);
  TextDC ten(1, 1, Arial(10));
  RECT m = {0, 0, 0, 0};
  GDI_DrawText(bare.dc, "Default", -1, &m, DT_CALCRECT);
  EXPECT_EQ(ten.measure("Default").right, m.right);
  EXPECT_EQ(ten.measure("Default").bottom, m.bottom);
  EXPECT_EQ(0, GDI_DrawText(nullptr, "x", -1, &m, 0));
  EXPECT_EQ(0, GDI_DrawText(bare.dc, "x", -1, nullptr, 0));
}

TEST(GDI_DrawText, AmpersandsAndNewlinesFollowTheirFlags) {
  TextDC t(1, 1, Arial(14));
  EXPECT_EQ(t.measure("ab").right, t.measure("a&b").right);
  EXPECT_GT(t.measure("a&b", DT_NOPREFIX).right, t.measure("ab").right);
  EXPECT_EQ(t.measure("a b").right, t.measure("a\nb", DT_SINGLELINE).right);
  // Without the flag a newline takes no room in the single line; '\r' always goes.
  EXPECT_EQ(t.measure("ab").right, t.measure("a\r\nb").right);
  // A length counts source bytes.
  RECT r = {0, 0, 0, 0};
  GDI_DrawText(t.dc, "abcdef", 3, &r, DT_CALCRECT);
  EXPECT_EQ(t.measure("abc").right, r.right);
}

TEST(GDI_DrawText, AlignmentFlagsPutTheInkWhereTheySay) {
  const RECT box = {20, 10, 180, 70};
  const int tol = 3;
  for (int flags : {0, +DT_CENTER, +DT_RIGHT, +DT_VCENTER, +DT_BOTTOM, DT_CENTER | DT_VCENTER,
                    DT_RIGHT | DT_BOTTOM, DT_RIGHT | DT_CENTER, DT_BOTTOM | DT_VCENTER}) {
    TextDC t(200, 80, Arial(16));
    const RECT size = t.measure("Align");
    t.draw("Align", box, flags);
    const auto ink = t.ink();
    ASSERT_FALSE(ink.empty()) << flags;
    if (flags & DT_RIGHT)
      EXPECT_NEAR(box.right, ink.r, tol) << flags;
    else if (flags & DT_CENTER)
      EXPECT_NEAR((box.left + box.right) / 2.0, (ink.l + ink.r) / 2.0, tol) << flags;
    else
      EXPECT_NEAR(box.left, ink.l, tol) << flags;
    // The line box (ascent + descent) is what is aligned; the ink lies inside it.
    int top = box.top;
    if (flags & DT_BOTTOM)
      top = box.bottom - size.bottom;
    else if (flags & DT_VCENTER)
      top = (box.top + box.bottom) / 2 - size.bottom / 2;
    EXPECT_GE(ink.t, top) << flags;
    EXPECT_LE(ink.b, top + size.bottom) << flags;
    EXPECT_LE(ink.t, top + size.bottom / 3) << flags;  // capitals reach near the top
  }
}

TEST(GDI_DrawText, TextStaysInsideItsRectangleUnlessTold) {
  TextDC t(120, 40, Arial(24, 700));
  const RECT box = {10, 8, 50, 30};
  t.draw("Clipped text", box);
  auto ink = t.ink();
  EXPECT_GE(ink.l, box.left);
  EXPECT_LE(ink.r, box.right);
  EXPECT_GE(ink.t, box.top);
  EXPECT_LE(ink.b, box.bottom);
  t.draw("Clipped text", box, DT_NOCLIP);
  ink = t.ink();
  EXPECT_GT(ink.r, box.right + 40);
  EXPECT_GT(ink.b, box.bottom);
}

TEST(GDI_DrawText, TruncationCutsToTheRectangleWithAnEllipsis) {
  TextDC t(200, 30, Arial(14));
  const RECT box = {0, 0, 60, 20};
  RECT m = box;
  GDI_DrawText(t.dc, "A label far too long", -1, &m, DT_CALCRECT | DT_END_ELLIPSIS);
  EXPECT_LE(m.right, 60);
  EXPECT_GT(m.right, 30);
  RECT whole = box;
  GDI_DrawText(t.dc, "A label far too long", -1, &whole, DT_CALCRECT);
  EXPECT_GT(whole.right, 100);
  RECT fits = box;
  GDI_DrawText(t.dc, "Short", -1, &fits, DT_CALCRECT | DT_END_ELLIPSIS);
  EXPECT_EQ(t.measure("Short").right, fits.right);
}

TEST(GDI_DrawText, TextIsDrawnInTheContextsColourExactly) {
  TextDC t(60, 30, Arial(24, 700));
  SetTextColor(t.dc, 0xFFFFFF);
  t.draw("II", RECT{2, 2, 58, 28});
  int full = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 60; ++x)
      if (!t.untouched(x, y) && t.rgb(x, y) == 0xFFFFFF) ++full;
  EXPECT_GT(full, 20);  // the stems' inside pixels are fully covered: pure white
}

TEST(GDI_DrawText, SidewaysTextStartsOneAscentInAndRuns) {
  TextDC up(60, 200, Arial(16, 400, 900));
  const RECT box = {10, 10, 50, 190};
  up.draw("Sideways", box, DT_BOTTOM | DT_NOCLIP);
  const auto ink = up.ink();
  // Turned a quarter counterclockwise: the line runs upward from the bottom, its glyphs
  // to the left of the baseline at left + ascent.
  EXPECT_GT(ink.b - ink.t, 3 * (ink.r - ink.l));
  EXPECT_LE(ink.r, 10 + Ceil(1854, 16) + Ceil(434, 16) + 1);
  EXPECT_GE(ink.l, 10 - 1);
}
