// Bad input thrown at text, images and blits (run under the sanitizers as well): nothing
// may crash, overrun or draw outside where it was told to.
#include <gtest/gtest.h>

#include <AppKit/AppKit.h>
#include <png.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "GDI_TestDC.h"

namespace {

std::mt19937 rng(12);
int Any(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
// Mostly ordinary values, sometimes the extremes.
int Wild(int lo, int hi) {
  const int pick = Any(0, 19);
  return pick == 0 ? INT_MIN : pick == 1 ? INT_MAX : pick == 2 ? 0 : Any(lo, hi);
}
std::string Bytes(size_t n) {
  std::string s(n, 0);
  for (char& c : s) c = static_cast<char>(Any(0, 255));
  return s;
}
bool InkInside(const GDI_TestDC& t, const RECT& r) {
  const auto k = t.ink();
  return k.empty() || (k.l >= r.left && k.t >= r.top && k.r <= r.right && k.b <= r.bottom);
}

}  // namespace

TEST(GDI_Fuzz, TextOfAnyBytesFontsAndRectanglesStaysInItsClip) {
  const char* faces[] = {"Arial", "", "No Such Face", "Liberation Mono", nullptr};
  int inked = 0;
  for (int i = 0; i < 200; ++i) {
    GDI_TestDC t(64, 48);
    const std::string face = i % 7 == 0 ? Bytes(Any(1, 40)) : "";
    HFONT f =
        CreateFont(Wild(-300, 300), Wild(-300, 300), 0, Wild(-7200, 7200), Any(0, 1000), Any(0, 1),
                   Any(0, 1), 0, 0, 0, 0, 0, 0, i % 7 == 0 ? face.c_str() : faces[Any(0, 4)]);
    ASSERT_NE(nullptr, f);
    if (i % 5) SelectObject(t.dc, f);
    std::string text = Bytes(i % 50 == 0 ? 9000 : Any(0, 30));
    const int flags = Any(0, 0x1FF) & ~DT_NOCLIP;
    RECT r = {Any(-20, 50), Any(-20, 40), 0, 0};
    r.right = r.left + Any(-5, 60);
    r.bottom = r.top + Any(-5, 40);
    const RECT asked = r;
    const int height = GDI_DrawText(t.dc, text.data(), Any(-1, 9000), &r, flags);
    EXPECT_GE(height, 0);
    EXPECT_LE(height, 3 * 8192);
    if (flags & DT_CALCRECT) {
      EXPECT_TRUE(t.ink().empty());
    } else {
      const RECT visible = {std::max(0, asked.left), std::max(0, asked.top),
                            std::min(64, asked.right), std::min(48, asked.bottom)};
      EXPECT_TRUE(InkInside(t, visible)) << i;
      inked += !t.ink().empty();
    }
    TEXTMETRIC tm;
    GetTextMetrics(t.dc, &tm);
    EXPECT_GT(tm.tmHeight, 0);
    SelectObject(t.dc, reinterpret_cast<HGDIOBJ>(GDI_NO_FONT));
    DeleteObject(f);
  }
  EXPECT_GT(inked, 20);  // the ordinary cases do draw
}

TEST(GDI_Fuzz, BlitsOfAnyRectangleTouchOnlyTheirDestination) {
  GDI_TestDC src(7, 5);
  uint8_t* sp = static_cast<uint8_t*>(GDI_GetCtxFrameBuffer(src.dc));
  for (int k = 0; k < 7 * 5 * 4; ++k) sp[k] = static_cast<uint8_t>(Any(0, 255));
  std::vector<uint8_t> mem(4 * 9 * 6);
  for (uint8_t& b : mem) b = static_cast<uint8_t>(Any(0, 255));
  int drawn = 0;
  for (int i = 0; i < 400; ++i) {
    GDI_TestDC dst(24, 20);
    const int x = Wild(-8, 20), y = Wild(-8, 16), w = Wild(-2, 16), h = Wild(-2, 16);
    const int sx = Wild(-4, 6), sy = Wild(-4, 4);
    switch (i % 4) {
      case 0:
        BitBlt(dst.dc, x, y, w, h, src.dc, sx, sy, 0);
        break;
      case 1:
        StretchBlt(dst.dc, x, y, w, h, src.dc, sx, sy, Wild(-5, 12), Wild(-5, 12), 0);
        break;
      case 2:
        BitBltAlpha(dst.dc, x, y, w, h, src.dc, sx, sy, 0, Any(0, 1), Any(-1, 3) / 2.0f);
        break;
      default: {
        // Any shape that fits the memory, rows either way up.
        const int pw = Any(1, 9) * (Any(0, 1) ? -1 : 1), ph = Any(-1, 6);
        BitBltAlphaFromMem(dst.dc, x, y, w, h, mem.data(), pw, ph, sx, sy, 0, Any(0, 1),
                           Any(0, 4) / 3.0f);
      }
    }
    if (w <= 0 || h <= 0) {
      EXPECT_TRUE(dst.ink().empty()) << i;
    }
    drawn += !dst.ink().empty();
    // Drawing reaches at most one pixel past the destination rectangle (smooth edges).
    const long long l = std::max(0ll, x - 1ll), t = std::max(0ll, y - 1ll);
    const long long r = std::min(24ll, x + (long long)w + 1),
                    b = std::min(20ll, y + (long long)h + 1);
    if (w > 0 && h > 0 && x > -100 && y > -100) {
      EXPECT_TRUE(InkInside(dst, RECT{int(l), int(t), int(r), int(b)})) << i;
    }
  }
  EXPECT_GT(drawn, 40);  // the ordinary cases do draw
}

TEST(GDI_Fuzz, DamagedImagesAndForeignHandlesAreRefused) {
  // A valid PNG to damage: bytes flipped, cut short, or replaced by noise.
  GDI_TestDC canvas(16, 16);
  std::vector<uint8_t> rgba(4 * 6 * 5, 200);
  png_image img = {};
  img.version = PNG_IMAGE_VERSION;
  img.width = 6;
  img.height = 5;
  img.format = PNG_FORMAT_RGBA;
  png_alloc_size_t size = 0;
  ASSERT_TRUE(png_image_write_to_memory(&img, nullptr, &size, 0, rgba.data(), 0, nullptr));
  std::string valid(size, 0);
  ASSERT_TRUE(png_image_write_to_memory(&img, &valid[0], &size, 0, rgba.data(), 0, nullptr));
  const std::string path = testing::TempDir() + "/fuzz_damaged.img";
  const std::string prefixes[] = {std::string("\x89PNG\r\n\x1a\n", 8), "\xff\xd8\xff", ""};
  for (int i = 0; i < 120; ++i) {
    FILE* f = fopen(path.c_str(), "wb");
    std::string body = valid;
    if (i % 4 == 3) {
      body = prefixes[i % 3] + Bytes(Any(0, 600));
    } else {
      for (int k = Any(0, 3); k > 0; --k) body[Any(0, int(body.size()) - 1)] ^= 1 << Any(0, 7);
      if (i % 2) body.resize(Any(8, int(body.size())));
    }
    fwrite(body.data(), 1, body.size(), f);
    fclose(f);
    HICON img = LoadNamedImage(path.c_str(), Any(0, 1));
    if (img) {
      int size[2];
      EXPECT_EQ(1, GetObject(img, 8, size));
      RECT r = {0, 0, 16, 16};
      DrawImageInRect(canvas.dc, img, &r);
      DeleteObject(img);
    }
  }
  // Handles that are not what they should be.
  HGDIOBJ codes[] = {nullptr, reinterpret_cast<HGDIOBJ>(1), reinterpret_cast<HGDIOBJ>(2),
                     reinterpret_cast<HGDIOBJ>(3)};
  HPEN pen = CreatePen(0, 1, 0);
  RECT r = {0, 0, 8, 8};
  int out[2];
  for (HGDIOBJ h : codes) {
    EXPECT_EQ(0, GetObject(h, 8, out));
    EXPECT_EQ(nullptr, GetNSImageFromHICON(h));
    DrawImageInRect(canvas.dc, h, &r);
    DeleteObject(h);
  }
  SelectObject(canvas.dc, pen);
  canvas.dc->curfont = pen;  // a pen where the font should be: the default font stands in
  EXPECT_GT(GDI_DrawText(canvas.dc, "still drawn", -1, &r, DT_CALCRECT), 0);
  canvas.dc->curfont = nullptr;
  DeleteObject(pen);
  EXPECT_EQ(0, GetObject(nullptr, -5, nullptr));
}
