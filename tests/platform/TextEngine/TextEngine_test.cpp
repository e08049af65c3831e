// The text engine against the fonts' own data: faces found by name, advances and metrics
// read straight from the font files with FreeType, and where drawn glyphs land.
#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H

#include <string>

#include "../CoreGraphics/CGTestSurface.h"
#include "TextEngine/TextDraw.h"

namespace {

std::u16string U(const char* s) { return std::u16string(s, s + strlen(s)); }

TextLine Line(const char* text, double size, TextFace* face = TextFace::Find("Arial"),
              bool bold = false) {
  TextLine line;
  const std::u16string t = U(text);
  line.Layout(TextFont{face, size, bold, false}, reinterpret_cast<const uint16_t*>(t.data()),
              t.size());
  return line;
}

// The face's file read independently: design advances of characters.
struct FontFile {
  explicit FontFile(const TextFace* face) {
    FT_Init_FreeType(&lib);
    FT_New_Face(lib, face->FilePath().c_str(), 0, &ft);
  }
  ~FontFile() {
    FT_Done_Face(ft);
    FT_Done_FreeType(lib);
  }
  double Advance(char32_t ch, double size) {
    FT_Fixed adv = 0;
    FT_Get_Advance(ft, FT_Get_Char_Index(ft, ch), FT_LOAD_NO_SCALE, &adv);
    return adv * size / ft->units_per_EM;
  }
  FT_Library lib;
  FT_Face ft = nullptr;
};

}  // namespace

TEST(TextFace, NamesResolveToInstalledOrMetricCompatibleFaces) {
  TextFace* arial = TextFace::Find("Arial");
  ASSERT_NE(nullptr, arial);
  EXPECT_EQ("Liberation Sans", arial->FamilyName());
  TextFace* bold = TextFace::Find("Liberation Sans Bold");
  ASSERT_NE(nullptr, bold);
  EXPECT_TRUE(bold->IsBold());
  EXPECT_EQ(bold, arial->WithTraits(true, false));
  TextFace* boldItalic = TextFace::Find("Arial Bold Italic");
  ASSERT_NE(nullptr, boldItalic);
  EXPECT_TRUE(boldItalic->IsBold() && boldItalic->IsItalic());
  EXPECT_EQ(nullptr, TextFace::Find("No Such Font"));
  EXPECT_EQ(nullptr, TextFace::Find(""));
  EXPECT_NE(nullptr, TextFace::Default());
  EXPECT_EQ(arial, TextFace::FromId(arial->Id()));
  // A family without a bold face gets emboldened outlines instead.
  TextFace* math = TextFace::Find("DejaVu Math TeX Gyre");
  ASSERT_NE(nullptr, math);
  const TextResolvedFont r = TextFontResolve(TextFont{math, 12, true, true});
  EXPECT_TRUE(r.syntheticBold && r.syntheticItalic);
}

TEST(TextLine, WidthsAndMetricsAgreeWithTheFontsOwnData) {
  TextFace* arial = TextFace::Find("Arial");
  FontFile file(arial);
  for (double size : {10.0, 14.0, 24.0}) {
    double sum = 0;
    for (char ch : std::string("Hill 12")) sum += file.Advance(ch, size);
    EXPECT_NEAR(sum, Line("Hill 12", size).Width(), 1e-9) << size;
    const TextFontMetrics m = Line("x", size).Metrics();
    EXPECT_NEAR(file.ft->ascender * size / file.ft->units_per_EM, m.ascent, 1e-9);
    EXPECT_NEAR(-file.ft->descender * size / file.ft->units_per_EM, m.descent, 1e-9);
  }
  // Kerning pulls A and V together.
  EXPECT_LT(Line("AV", 20).Width(), file.Advance('A', 20) + file.Advance('V', 20) - 0.5);
  EXPECT_GT(Line("Tessor", 14, arial, true).Width(), Line("Tessor", 14).Width());
  // Control characters take no room.
  EXPECT_EQ(Line("ab", 12).Width(), Line("a\nb", 12).Width());
}

TEST(TextLine, TruncationEndsInAnEllipsisThatFits) {
  TextFace* arial = TextFace::Find("Arial");
  FontFile file(arial);
  TextLine line = Line("A label far too long for its box", 14);
  EXPECT_FALSE(line.TruncateEnd(1000));
  EXPECT_TRUE(line.TruncateEnd(80));
  EXPECT_LE(line.Width(), 80);
  EXPECT_GT(line.Width(), 80 - file.Advance('w', 14) - file.Advance(0x2026, 14));
  EXPECT_EQ(FT_Get_Char_Index(file.ft, 0x2026), line.Glyphs().back().glyph);
  TextLine tiny = Line("Label", 14);
  EXPECT_TRUE(tiny.TruncateEnd(2));
  EXPECT_TRUE(tiny.Glyphs().empty());
  EXPECT_EQ(0, tiny.Width());
}

namespace {
struct Ink {
  int l = 1 << 30, t = 1 << 30, r = -1, b = -1;
};
Ink InkOf(const CGTestSurface& s) {
  Ink k;
  for (int y = 0; y < s.h; ++y)
    for (int x = 0; x < s.w; ++x)
      if (!s.untouched(x, y))
        k = {std::min(k.l, x), std::min(k.t, y), std::max(k.r, x + 1), std::max(k.b, y + 1)};
  return k;
}
const CGFloat kBlack[4] = {0, 0, 0, 1};
}  // namespace

TEST(TextDraw, GlyphsLandInsideTheLinesBoxWhateverTheRouteAndTurn) {
  for (double size : {12.0, 300.0}) {  // cached masks, and outlines filled as paths
    const TextLine line = Line("Hxg", size);
    const TextFontMetrics m = line.Metrics();
    CGTestSurface s(static_cast<int>(line.Width()) + 20, static_cast<int>(size * 1.5) + 20);
    const double baseline = 10 + m.ascent;
    TextDrawLine(s.ctx, line, 10, s.h - baseline, 0, kBlack, false);  // y-up user space
    const Ink k = InkOf(s);
    EXPECT_GE(k.l, 10) << size;
    EXPECT_LE(k.r, 10 + line.Width() + 1) << size;
    EXPECT_GE(k.t, 10) << size;
    EXPECT_LE(k.b, baseline + m.descent + 1) << size;
    EXPECT_GT(k.r - k.l, line.Width() * 0.8) << size;
  }
  // A quarter turn counterclockwise: the line runs up the surface from the origin.
  const TextLine line = Line("Turned", 16);
  CGTestSurface s(60, 120);
  TextDrawLine(s.ctx, line, 30, 10, 90, kBlack, false);
  const Ink k = InkOf(s);
  EXPECT_GE(k.b, 120 - 10 - 1);
  EXPECT_NEAR(120 - 10 - line.Width(), k.t, 2);
  EXPECT_LE(k.r, 31);
  EXPECT_GE(k.l, 30 - line.Metrics().ascent - 1);
}

TEST(TextDraw, ClipHoldsAndRepeatedLabelsRenderNoNewGlyphs) {
  const TextLine line = Line("Clip me", 20);
  CGTestSurface s(120, 40);
  CGContextClipToRect(s.ctx, CGRectMake(20, 0, 30, 40));
  TextDrawLine(s.ctx, line, 5, 12, 0, kBlack, true);
  const size_t cached = TextGlyphCacheCount();
  TextDrawLine(s.ctx, line, 5, 12, 0, kBlack, true);
  EXPECT_EQ(cached, TextGlyphCacheCount());
  const Ink k = InkOf(s);
  EXPECT_EQ(20, k.l);
  EXPECT_EQ(50, k.r);
}

// Many sizes of one label put hundreds of glyphs into the cache, which grows to hold them:
// drawn again, every glyph is found (nothing new is rendered) and the pixels are the same.
TEST(TextDraw, AGrowingGlyphCacheStillFindsEveryGlyph) {
  std::vector<TextLine> lines;
  for (int size = 6; size < 46; ++size) lines.push_back(Line("Qwerty 2k", size));
  CGTestSurface first(400, 60), again(400, 60);
  size_t cached = 0;
  for (CGTestSurface* s : {&first, &again}) {
    for (size_t i = 0; i < lines.size(); ++i)
      TextDrawLine(s->ctx, lines[i], 0.25 * i, 40, 0, kBlack, false);
    if (s == &first) cached = TextGlyphCacheCount();
  }
  EXPECT_GT(cached, 300u);
  EXPECT_EQ(cached, TextGlyphCacheCount());
  EXPECT_EQ(first.bytes, again.bytes);
}
