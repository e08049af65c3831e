// The blit family: placement, cutting to the source, and the premultiplication rules.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>

#include "GDI_TestDC.h"

namespace {

// A memory context whose pixel (x, y) has red x * 10 + 5 and green y * 10 + 5.
struct Source : GDI_TestDC {
  Source(int w, int h) : GDI_TestDC(w, h) {
    uint8_t* p = static_cast<uint8_t*>(GDI_GetCtxFrameBuffer(dc));
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x, p += 4)
        p[0] = 255, p[1] = x * 10 + 5, p[2] = y * 10 + 5, p[3] = 9;
  }
};
COLORREF Src(int x, int y) { return (x * 10 + 5) << 16 | (y * 10 + 5) << 8 | 9; }

}  // namespace

TEST(GDI_BitBlt, CopiesExactlyAndCutsTheRectangleToTheSource) {
  Source src(4, 3);
  GDI_TestDC dst(12, 10);
  BitBlt(dst.dc, 2, 1, 4, 3, src.dc, 0, 0, 0);  // the whole source
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(Src(x, y), dst.rgb(2 + x, 1 + y)) << x << "," << y;
  EXPECT_TRUE(dst.untouched(1, 1));
  EXPECT_TRUE(dst.untouched(6, 1));

  GDI_TestDC big(12, 10);
  BitBlt(big.dc, 1, 1, 10, 8, src.dc, 0, 0, 0);  // larger than the source: cut to it
  const auto ink = big.ink();
  EXPECT_EQ(1, ink.l);
  EXPECT_EQ(5, ink.r);
  EXPECT_EQ(4, ink.b);

  // A source point off the top-left lands where it would: the cut part keeps its place.
  GDI_TestDC off(12, 10);
  BitBlt(off.dc, 5, 5, 4, 4, src.dc, -2, -1, 0);
  EXPECT_EQ(Src(0, 0), off.rgb(7, 6));
  EXPECT_TRUE(off.untouched(6, 6));
  EXPECT_TRUE(off.untouched(7, 5));
}

TEST(GDI_BitBlt, NothingHappensWithoutAMemorySourceOrASize) {
  Source src(4, 4);
  GDI_TestDC dst(8, 8);
  BitBlt(dst.dc, 0, 0, 0, 4, src.dc, 0, 0, 0);
  BitBlt(dst.dc, 0, 0, 4, -1, src.dc, 0, 0, 0);
  BitBlt(dst.dc, 0, 0, 4, 4, nullptr, 0, 0, 0);
  BitBlt(nullptr, 0, 0, 4, 4, src.dc, 0, 0, 0);
  BitBlt(dst.dc, 0, 0, 4, 4, src.dc, 4, 0, 0);  // entirely right of the source
  BitBlt(dst.dc, 0, 0, INT_MAX, INT_MAX, src.dc, INT_MIN, INT_MIN, 0);
  EXPECT_TRUE(dst.ink().empty());
  BitBlt(dst.dc, -2, -2, INT_MAX, INT_MAX, src.dc, 0, 0, 0);  // huge, yet only the source
  EXPECT_EQ(Src(2, 3), dst.rgb(0, 1));
}

TEST(GDI_StretchBlt, ScalesTheSourceRectangleOntoTheDestination) {
  Source src(4, 4);
  GDI_TestDC dst(16, 16);
  StretchBlt(dst.dc, 0, 0, 8, 8, src.dc, 1, 1, 2, 2, 0);
  const auto ink = dst.ink();
  EXPECT_EQ(0, ink.l);
  EXPECT_EQ(8, ink.r);
  EXPECT_EQ(8, ink.b);
  // Smoothly scaled: a corner keeps its source pixel, the middle lies between.
  EXPECT_EQ(Src(1, 1), dst.rgb(0, 0));
  EXPECT_EQ(Src(2, 2), dst.rgb(7, 7));
  const int red = dst.rgb(4, 0) >> 16;
  EXPECT_GT(red, 15);
  EXPECT_LT(red, 25);
}

TEST(GDI_BitBltAlphaFromMem, PremultipliesByOpacityAndPixelAlpha) {
  // One pixel: alpha 128, colour (200, 100, 50), over black.
  const uint8_t px[4] = {128, 200, 100, 50};
  auto draw = [&](bool useAlpha, float opacity) {
    GDI_TestDC d(1, 1);
    BitBltAlphaFromMem(d.dc, 0, 0, 1, 1, px, 1, 1, 0, 0, 0, useAlpha, opacity);
    return d.rgb(0, 0);
  };
  // Over black the result is the premultiplied colour itself.
  EXPECT_EQ(COLORREF(200 << 16 | 100 << 8 | 50), draw(false, 1));
  EXPECT_EQ(COLORREF(((200 * 128) >> 8) << 16 | ((100 * 128) >> 8) << 8 | ((50 * 128) >> 8)),
            draw(false, 0.5f));
  EXPECT_EQ(COLORREF(((200 * 128) >> 8) << 16 | ((100 * 128) >> 8) << 8 | ((50 * 128) >> 8)),
            draw(true, 1));
  const unsigned m = (128 * 128) >> 8;  // opacity 0.5 -> 128 of 256, times alpha 128
  EXPECT_EQ(COLORREF(((200 * m) >> 8) << 16 | ((100 * m) >> 8) << 8 | ((50 * m) >> 8)),
            draw(true, 0.5f));
  GDI_TestDC none(1, 1);
  BitBltAlphaFromMem(none.dc, 0, 0, 1, 1, px, 1, 1, 0, 0, 0, false, 0.00005f);
  BitBltAlphaFromMem(none.dc, 0, 0, 1, 1, px, 1, 1, 0, 0, 0, false, NAN);
  EXPECT_TRUE(none.untouched(0, 0));
}

TEST(GDI_BitBltAlphaFromMem, ReadsBottomUpRowsAndMovesForNegativeOffsets) {
  // 2 x 2 opaque pixels stored bottom-up: memory row 0 is the bottom row.
  const uint8_t px[16] = {255, 1, 0, 0, 255, 2, 0, 0, 255, 3, 0, 0, 255, 4, 0, 0};
  GDI_TestDC d(6, 6);
  BitBltAlphaFromMem(d.dc, 1, 1, 2, 2, px, -2, 2, 0, 0, 0, false, 1);
  EXPECT_EQ(0x030000u, d.rgb(1, 1));
  EXPECT_EQ(0x040000u, d.rgb(2, 1));
  EXPECT_EQ(0x010000u, d.rgb(1, 2));
  GDI_TestDC m(6, 6);
  BitBltAlphaFromMem(m.dc, 1, 1, 2, 2, px, 2, 2, -1, 1, 0, false, 1);
  // One column moves right, one row is skipped: only source (0, 1) fits, at (2, 1).
  EXPECT_EQ(0x030000u, m.rgb(2, 1));
  EXPECT_EQ(1, m.ink().r - m.ink().l);
  EXPECT_EQ(1, m.ink().b - m.ink().t);
}

TEST(GDI_BitBltAlpha, UsesTheSourcesAlphaWhereAsked) {
  GDI_TestDC src(2, 1), plain(2, 1), alpha(2, 1);
  // Pixel 0 drawn (alpha byte 255), pixel 1 never drawn (alpha byte 0).
  uint8_t* p = static_cast<uint8_t*>(GDI_GetCtxFrameBuffer(src.dc));
  p[0] = 255, p[1] = 200;
  p[5] = 200;
  BitBltAlpha(plain.dc, 0, 0, 2, 1, src.dc, 0, 0, 0, false, 1);
  BitBltAlpha(alpha.dc, 0, 0, 2, 1, src.dc, 0, 0, 0, true, 1);
  EXPECT_EQ(0xC80000u, plain.rgb(1, 0));  // copied as opaque
  EXPECT_EQ(0xC70000u, alpha.rgb(0, 0));  // 200 * 255 >> 8
  EXPECT_TRUE(alpha.untouched(1, 0) || alpha.rgb(1, 0) == 0);
}
