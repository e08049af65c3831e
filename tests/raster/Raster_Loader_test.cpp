#include "raster/bitmap/Raster_ImageLoader.h"
#include "raster/bitmap/Raster_MemBitmap.h"
#include "raster/bitmap/Raster_PixelUtil.h"

#include "Raster_TestBitmap.h"
#include "Raster_TestFiles.h"

#include <png.h>
#include <zlib.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

using rastertest::Px;
using rastertest::TempDir;
using rastertest::WriteJPEG;
using rastertest::WritePNG;

namespace {

std::string path(const char* name) { return TempDir() + "/" + name; }

std::unique_ptr<Raster_IBitmap> load(const std::string& p) {
  return std::unique_ptr<Raster_IBitmap>(Raster_LoadPNG(p.c_str(), nullptr));
}

// Loads a 2 x 2 PNG and compares all four pixels.
void expectPNG(const char* name, int type, int depth, const std::vector<std::vector<uint8_t>>& rows,
               const Raster_PixelValue want[4], const std::vector<uint8_t>& palette = {},
               const std::vector<uint8_t>& trns = {}) {
  std::string p = path(name);
  ASSERT_TRUE(WritePNG(p, 2, 2, type, depth, rows, palette, trns));
  auto b = load(p);
  ASSERT_NE(b, nullptr) << name;
  ASSERT_EQ(b->getWidth(), 2);
  ASSERT_EQ(b->getHeight(), 2);
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(Raster_GetPixel(b.get(), i % 2, i / 2), want[i]) << name << " pixel " << i;
}

}  // namespace

TEST(RasterPNGLoader, TrueColourEightBitIsOpaque) {
  const Raster_PixelValue want[4] = {Px(255, 0, 0, 255), Px(0, 255, 0, 255), Px(0, 0, 255, 255),
                                     Px(1, 2, 3, 255)};
  expectPNG("rgb8.png", PNG_COLOR_TYPE_RGB, 8, {{255, 0, 0, 0, 255, 0}, {0, 0, 255, 1, 2, 3}},
            want);
}

TEST(RasterPNGLoader, TrueColourWithAlphaKeepsStraightChannels) {
  const Raster_PixelValue want[4] = {Px(255, 0, 0, 0), Px(10, 20, 30, 128), Px(0, 0, 255, 255),
                                     Px(1, 2, 3, 4)};
  expectPNG("rgba8.png", PNG_COLOR_TYPE_RGBA, 8,
            {{255, 0, 0, 0, 10, 20, 30, 128}, {0, 0, 255, 255, 1, 2, 3, 4}}, want);
}

TEST(RasterPNGLoader, SixteenBitChannelsKeepTheHighByte) {
  const Raster_PixelValue rgb[4] = {Px(0x12, 0x34, 0x56, 255), Px(255, 0, 0, 255), Px(0, 0, 0, 255),
                                    Px(0xAB, 0xCD, 0xEF, 255)};
  expectPNG("rgb16.png", PNG_COLOR_TYPE_RGB, 16,
            {{0x12, 0xFF, 0x34, 0x00, 0x56, 0x80, 0xFF, 0xFF, 0, 0, 0, 0},
             {0, 0, 0, 0, 0, 0, 0xAB, 1, 0xCD, 2, 0xEF, 3}},
            rgb);
  const Raster_PixelValue rgba[4] = {Px(0x12, 0x34, 0x56, 0x78), Px(0, 0, 0, 0),
                                     Px(255, 255, 255, 255), Px(1, 2, 3, 4)};
  expectPNG("rgba16.png", PNG_COLOR_TYPE_RGBA, 16,
            {{0x12, 9, 0x34, 9, 0x56, 9, 0x78, 9, 0, 0, 0, 0, 0, 0, 0, 0},
             {255, 255, 255, 255, 255, 255, 255, 255, 1, 0, 2, 0, 3, 0, 4, 0}},
            rgba);
}

TEST(RasterPNGLoader, GreyOfEveryDepthExpandsToEqualChannels) {
  const Raster_PixelValue g8[4] = {Px(0, 0, 0, 255), Px(0x80, 0x80, 0x80, 255),
                                   Px(255, 255, 255, 255), Px(7, 7, 7, 255)};
  expectPNG("grey8.png", PNG_COLOR_TYPE_GRAY, 8, {{0, 0x80}, {255, 7}}, g8);
  const Raster_PixelValue g16[4] = {Px(0x80, 0x80, 0x80, 255), Px(1, 1, 1, 255), Px(0, 0, 0, 255),
                                    Px(255, 255, 255, 255)};
  expectPNG("grey16.png", PNG_COLOR_TYPE_GRAY, 16, {{0x80, 0xFF, 1, 0}, {0, 0, 0xFF, 0xFF}}, g16);
  // 1 bit: 0 black, 1 white (rows are packed from the high bit).
  const Raster_PixelValue g1[4] = {Px(255, 255, 255, 255), Px(0, 0, 0, 255), Px(0, 0, 0, 255),
                                   Px(255, 255, 255, 255)};
  expectPNG("grey1.png", PNG_COLOR_TYPE_GRAY, 1, {{0x80}, {0x40}}, g1);
  // 2 bit: levels 0, 85, 170, 255.
  const Raster_PixelValue g2[4] = {Px(85, 85, 85, 255), Px(170, 170, 170, 255),
                                   Px(255, 255, 255, 255), Px(0, 0, 0, 255)};
  expectPNG("grey2.png", PNG_COLOR_TYPE_GRAY, 2, {{0x60}, {0xC0}}, g2);
  // 4 bit: 0x5 -> 0x55, 0xA -> 0xAA.
  const Raster_PixelValue g4[4] = {Px(0x55, 0x55, 0x55, 255), Px(0xAA, 0xAA, 0xAA, 255),
                                   Px(0, 0, 0, 255), Px(255, 255, 255, 255)};
  expectPNG("grey4.png", PNG_COLOR_TYPE_GRAY, 4, {{0x5A}, {0x0F}}, g4);
}

TEST(RasterPNGLoader, GreyWithAlphaPutsAlphaFirst) {
  const Raster_PixelValue want[4] = {Px(10, 10, 10, 200), Px(255, 255, 255, 0), Px(0, 0, 0, 255),
                                     Px(99, 99, 99, 1)};
  expectPNG("greyalpha8.png", PNG_COLOR_TYPE_GRAY_ALPHA, 8, {{10, 200, 255, 0}, {0, 255, 99, 1}},
            want);
  const Raster_PixelValue want16[4] = {Px(10, 10, 10, 200), Px(255, 255, 255, 0), Px(0, 0, 0, 255),
                                       Px(99, 99, 99, 1)};
  expectPNG("greyalpha16.png", PNG_COLOR_TYPE_GRAY_ALPHA, 16,
            {{10, 0, 200, 0, 255, 255, 0, 0}, {0, 0, 255, 255, 99, 0, 1, 0}}, want16);
}

TEST(RasterPNGLoader, PaletteImagesWithAndWithoutTransparency) {
  const std::vector<uint8_t> pal = {255, 0, 0, 0, 255, 0, 0, 0, 255, 9, 8, 7};
  const Raster_PixelValue opaque[4] = {Px(255, 0, 0, 255), Px(0, 255, 0, 255), Px(0, 0, 255, 255),
                                       Px(9, 8, 7, 255)};
  expectPNG("pal8.png", PNG_COLOR_TYPE_PALETTE, 8, {{0, 1}, {2, 3}}, opaque, pal);
  expectPNG("pal2.png", PNG_COLOR_TYPE_PALETTE, 2, {{0x10}, {0xB0}}, opaque, pal);
  // tRNS gives entries 0 and 1 alpha; entries past the chunk stay opaque.
  const Raster_PixelValue trans[4] = {Px(255, 0, 0, 0), Px(0, 255, 0, 128), Px(0, 0, 255, 255),
                                      Px(9, 8, 7, 255)};
  expectPNG("pal8t.png", PNG_COLOR_TYPE_PALETTE, 8, {{0, 1}, {2, 3}}, trans, pal, {0, 128});
  expectPNG("pal4t.png", PNG_COLOR_TYPE_PALETTE, 4, {{0x01}, {0x23}}, trans, pal, {0, 128});
  expectPNG("pal1t.png", PNG_COLOR_TYPE_PALETTE, 1, {{0x40}, {0x00}},
            std::vector<Raster_PixelValue>{Px(255, 0, 0, 0), Px(0, 255, 0, 128), Px(255, 0, 0, 0),
                                           Px(255, 0, 0, 0)}
                .data(),
            std::vector<uint8_t>(pal.begin(), pal.begin() + 6), {0, 128});
}

TEST(RasterPNGLoader, ColourKeyTransparencyBecomesAlpha) {
  const Raster_PixelValue grey[4] = {Px(0x80, 0x80, 0x80, 0), Px(0x81, 0x81, 0x81, 255),
                                     Px(0, 0, 0, 255), Px(0x80, 0x80, 0x80, 0)};
  expectPNG("greykey.png", PNG_COLOR_TYPE_GRAY, 8, {{0x80, 0x81}, {0, 0x80}}, grey, {}, {0, 0x80});
  const Raster_PixelValue rgb[4] = {Px(1, 2, 3, 0), Px(1, 2, 4, 255), Px(255, 255, 255, 255),
                                    Px(1, 2, 3, 0)};
  expectPNG("rgbkey.png", PNG_COLOR_TYPE_RGB, 8, {{1, 2, 3, 1, 2, 4}, {255, 255, 255, 1, 2, 3}},
            rgb, {}, {0, 1, 0, 2, 0, 3});
  const Raster_PixelValue rgb16[4] = {Px(1, 2, 3, 0), Px(1, 2, 3, 255), Px(0, 0, 0, 255),
                                      Px(1, 2, 3, 0)};
  expectPNG("rgb16key.png", PNG_COLOR_TYPE_RGB, 16,
            {{1, 1, 2, 2, 3, 3, 1, 1, 2, 2, 3, 4}, {0, 0, 0, 0, 0, 0, 1, 1, 2, 2, 3, 3}}, rgb16, {},
            {1, 1, 2, 2, 3, 3});
}

TEST(RasterPNGLoader, InterlacedImagesLoadWhole) {
  std::vector<std::vector<uint8_t>> rows(9, std::vector<uint8_t>(9 * 3));
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 9; ++x) {
      rows[y][3 * x] = (uint8_t)(x * 20);
      rows[y][3 * x + 1] = (uint8_t)(y * 20);
      rows[y][3 * x + 2] = 77;
    }
  std::string p = path("interlaced.png");
  ASSERT_TRUE(WritePNG(p, 9, 9, PNG_COLOR_TYPE_RGB, 8, rows, {}, {}, true));
  auto b = load(p);
  ASSERT_NE(b, nullptr);
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 9; ++x)
      ASSERT_EQ(Raster_GetPixel(b.get(), x, y), Px(x * 20, y * 20, 77, 255));
}

TEST(RasterPNGLoader, FillsAGivenFlippedBitmapWithWideRowsTopRowFirst) {
  std::string p = path("flip.png");
  ASSERT_TRUE(WritePNG(
      p, 2, 3, PNG_COLOR_TYPE_RGBA, 8,
      {{1, 0, 0, 255, 2, 0, 0, 255}, {3, 0, 0, 255, 4, 0, 0, 255}, {5, 0, 0, 255, 6, 0, 0, 255}}));
  rastertest::SpanBitmap b(1, 1, 1, true);
  ASSERT_EQ(Raster_LoadPNG(p.c_str(), &b), &b);
  ASSERT_EQ(b.getWidth(), 2);
  ASSERT_EQ(b.getRowSpan(), 5);
  EXPECT_EQ(b.at(0, 0), Px(1, 0, 0, 255));
  EXPECT_EQ(b.at(1, 2), Px(6, 0, 0, 255));
  EXPECT_EQ(b.getBits()[0], Px(5, 0, 0, 255));  // memory row 0 is the bottom row
}

namespace {
// A bitmap that refuses every size change.
class FixedBitmap : public Raster_MemBitmap {
 public:
  FixedBitmap() : Raster_MemBitmap(1, 1) {}
  bool resize(int, int) override { return false; }
};
}  // namespace

TEST(RasterPNGLoader, BitmapThatCannotTakeTheSizeFails) {
  std::string p = path("small.png");
  ASSERT_TRUE(WritePNG(p, 2, 1, PNG_COLOR_TYPE_GRAY, 8, {{1, 2}}));
  FixedBitmap b;
  b.getBits()[0] = 0x5A5A5A5A;
  EXPECT_EQ(Raster_LoadPNG(p.c_str(), &b), nullptr);
  EXPECT_EQ(b.getBits()[0], 0x5A5A5A5Au);
}

TEST(RasterPNGLoader, ExtensionCheckAndTypeList) {
  std::string p = path("ext.PNG");
  ASSERT_TRUE(WritePNG(p, 1, 1, PNG_COLOR_TYPE_GRAY, 8, {{1}}));
  std::unique_ptr<Raster_IBitmap> ok(Raster_PNGLoader::loadfunc(p.c_str(), true, nullptr));
  EXPECT_NE(ok, nullptr);
  std::string j = path("ext_png.jpg");
  ASSERT_TRUE(WritePNG(j, 1, 1, PNG_COLOR_TYPE_GRAY, 8, {{1}}));
  EXPECT_EQ(Raster_PNGLoader::loadfunc(j.c_str(), true, nullptr), nullptr);
  std::unique_ptr<Raster_IBitmap> unchecked(Raster_PNGLoader::loadfunc(j.c_str(), false, nullptr));
  EXPECT_NE(unchecked, nullptr);
  EXPECT_STREQ(Raster_FileExtension("dir.d/name"), "/name");
  EXPECT_STREQ(Raster_FileExtension("noext"), "noext");
  const char* list = Raster_PNGLoader::get_extlist();
  EXPECT_STREQ(list, "PNG files (*.PNG)");
  EXPECT_STREQ(list + strlen(list) + 1, "*.PNG");
  EXPECT_EQ(list[strlen(list) + 1 + strlen("*.PNG") + 1], 0);
}

TEST(RasterLoaderList, BothLoadersAreRegistered) {
  int found = 0;
  for (Raster_ImageLoader* l = Raster_ImageLoader_list; l; l = l->next)
    if (l == &Raster_pngldr || l == &Raster_jgpldr) ++found;
  EXPECT_EQ(found, 2);
  EXPECT_EQ(Raster_LoadPNGFromResource(nullptr, 1, nullptr), nullptr);
  EXPECT_EQ(Raster_LoadJPGFromResource(nullptr, 1, nullptr), nullptr);
}

TEST(RasterJPGLoader, ColourImageLoadsOpaqueWithinCompressionError) {
  std::vector<uint8_t> s(16 * 16 * 3);
  for (int i = 0; i < 16 * 16; ++i) {
    s[3 * i] = 200;
    s[3 * i + 1] = 40;
    s[3 * i + 2] = 90;
  }
  std::string p = path("colour.jpg");
  ASSERT_TRUE(WriteJPEG(p, 16, 16, 3, s));
  std::unique_ptr<Raster_IBitmap> b(Raster_LoadJPG(p.c_str(), nullptr));
  ASSERT_NE(b, nullptr);
  ASSERT_EQ(b->getWidth(), 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      Raster_PixelValue v = Raster_GetPixel(b.get(), x, y);
      ASSERT_EQ(Raster_GetA(v), 255);
      ASSERT_NEAR(Raster_GetR(v), 200, 3);
      ASSERT_NEAR(Raster_GetG(v), 40, 3);
      ASSERT_NEAR(Raster_GetB(v), 90, 3);
    }
}

TEST(RasterJPGLoader, GreyValueBecomesEqualChannels) {
  std::vector<uint8_t> s(8 * 8, 0x80);
  std::string p = path("grey.jpeg");
  ASSERT_TRUE(WriteJPEG(p, 8, 8, 1, s));
  rastertest::SpanBitmap b(1, 1, 1, true);
  ASSERT_EQ(Raster_JPGLoader::loadfunc(p.c_str(), true, &b), &b);
  EXPECT_EQ(b.at(3, 5), Px(0x80, 0x80, 0x80, 255));
  std::unique_ptr<Raster_IBitmap> fresh(Raster_JPGLoader::loadfunc(p.c_str(), true, nullptr));
  ASSERT_NE(fresh, nullptr);
  EXPECT_EQ(Raster_GetPixel(fresh.get(), 7, 7), Px(0x80, 0x80, 0x80, 255));
}

TEST(RasterJPGLoader, ExtensionCheck) {
  std::string p = path("photo.JFIF");
  ASSERT_TRUE(WriteJPEG(p, 8, 8, 1, std::vector<uint8_t>(64, 1)));
  std::unique_ptr<Raster_IBitmap> a(Raster_JPGLoader::loadfunc(p.c_str(), true, nullptr));
  EXPECT_NE(a, nullptr);
  std::string q = path("photo.png");
  ASSERT_TRUE(WriteJPEG(q, 8, 8, 1, std::vector<uint8_t>(64, 1)));
  EXPECT_EQ(Raster_JPGLoader::loadfunc(q.c_str(), true, nullptr), nullptr);
}

TEST(RasterLoaders, MissingTruncatedAndForeignFilesGiveNull) {
  EXPECT_EQ(Raster_LoadPNG(path("does-not-exist.png").c_str(), nullptr), nullptr);
  EXPECT_EQ(Raster_LoadJPG(path("does-not-exist.jpg").c_str(), nullptr), nullptr);
  EXPECT_EQ(Raster_LoadPNG(nullptr, nullptr), nullptr);

  std::string png = path("whole.png"), jpg = path("whole.jpg");
  std::vector<std::vector<uint8_t>> rows(32, std::vector<uint8_t>(32 * 4, 0x33));
  ASSERT_TRUE(WritePNG(png, 32, 32, PNG_COLOR_TYPE_RGBA, 8, rows));
  ASSERT_TRUE(WriteJPEG(jpg, 32, 32, 3, std::vector<uint8_t>(32 * 32 * 3, 0x44)));
  auto pngBytes = rastertest::ReadFile(png), jpgBytes = rastertest::ReadFile(jpg);
  std::string cut = path("cut.png"), cutj = path("cut.jpg");
  ASSERT_TRUE(
      rastertest::WriteFile(cut, std::vector<uint8_t>(pngBytes.begin(), pngBytes.begin() + 60)));
  ASSERT_TRUE(
      rastertest::WriteFile(cutj, std::vector<uint8_t>(jpgBytes.begin(), jpgBytes.begin() + 200)));
  EXPECT_EQ(Raster_LoadPNG(cut.c_str(), nullptr), nullptr);
  EXPECT_EQ(Raster_LoadJPG(cutj.c_str(), nullptr), nullptr);
  EXPECT_EQ(Raster_LoadPNG(jpg.c_str(), nullptr), nullptr);
  EXPECT_EQ(Raster_LoadJPG(png.c_str(), nullptr), nullptr);
}

TEST(RasterLoaders, HugeDimensionsAreRefusedBeforeAllocating) {
  // A valid 1 x 1 PNG whose header is rewritten to 60000 x 60000 with a correct CRC.
  std::string p = path("huge.png");
  ASSERT_TRUE(WritePNG(p, 1, 1, PNG_COLOR_TYPE_RGBA, 8, {{1, 2, 3, 4}}));
  auto bytes = rastertest::ReadFile(p);
  ASSERT_GT(bytes.size(), 33u);
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = (uint8_t)(v >> (24 - 8 * i));
  };
  put32(16, 60000);
  put32(20, 60000);
  put32(29, (uint32_t)crc32(0, &bytes[12], 17));
  std::string huge = path("huge2.png");
  ASSERT_TRUE(rastertest::WriteFile(huge, bytes));
  Raster_MemBitmap given(3, 3);
  EXPECT_EQ(Raster_LoadPNG(huge.c_str(), nullptr), nullptr);
  EXPECT_EQ(Raster_LoadPNG(huge.c_str(), &given), nullptr);

  // A JPEG whose frame header claims 65000 x 65000.
  std::string j = path("hugej.jpg");
  ASSERT_TRUE(WriteJPEG(j, 8, 8, 3, std::vector<uint8_t>(8 * 8 * 3, 9)));
  auto jb = rastertest::ReadFile(j);
  bool patched = false;
  for (size_t i = 0; i + 8 < jb.size(); ++i)
    if (jb[i] == 0xFF &&
        jb[i + 1] == 0xC0) {  // baseline frame: length(2) precision(1) height(2) width(2)
      jb[i + 5] = 0xFD;
      jb[i + 6] = 0xE8;
      jb[i + 7] = 0xFD;
      jb[i + 8] = 0xE8;
      patched = true;
      break;
    }
  ASSERT_TRUE(patched);
  std::string hj = path("hugej2.jpg");
  ASSERT_TRUE(rastertest::WriteFile(hj, jb));
  EXPECT_EQ(Raster_LoadJPG(hj.c_str(), nullptr), nullptr);
}

TEST(RasterJPGLoader, ImageDataCutShortOrDamagedGivesNull) {
  // A textured image so the compressed scan is long; cut it inside the scan data, where the
  // decoder would otherwise pad the missing rows with grey and report success.
  const int w = 64, h = 64;
  std::vector<uint8_t> s((size_t)w * h * 3);
  for (size_t i = 0; i < s.size(); ++i) s[i] = (uint8_t)((i * 37) ^ (i >> 5));
  std::string whole = path("scan.jpg");
  ASSERT_TRUE(WriteJPEG(whole, w, h, 3, s));
  auto bytes = rastertest::ReadFile(whole);
  ASSERT_GT(bytes.size(), 2000u);
  std::unique_ptr<Raster_IBitmap> ok(Raster_LoadJPG(whole.c_str(), nullptr));
  ASSERT_NE(ok, nullptr);

  std::string cut = path("scan_cut.jpg");
  ASSERT_TRUE(rastertest::WriteFile(
      cut, std::vector<uint8_t>(bytes.begin(), bytes.begin() + (long)bytes.size() * 2 / 3)));
  EXPECT_EQ(Raster_LoadJPG(cut.c_str(), nullptr), nullptr);
  // A given bitmap is not handed back half-decoded either.
  rastertest::SpanBitmap given(1, 1, 1, false);
  EXPECT_EQ(Raster_LoadJPG(cut.c_str(), &given), nullptr);

  // Cut just before the end-of-image marker: still a truncated file.
  std::string noEOI = path("scan_noeoi.jpg");
  ASSERT_TRUE(rastertest::WriteFile(noEOI, std::vector<uint8_t>(bytes.begin(), bytes.end() - 2)));
  EXPECT_EQ(Raster_LoadJPG(noEOI.c_str(), nullptr), nullptr);

  // A marker planted inside the scan ends the entropy data early.
  auto damaged = bytes;
  size_t mid = damaged.size() / 2;
  damaged[mid] = 0xFF;
  damaged[mid + 1] = 0xD9;
  std::string bad = path("scan_marker.jpg");
  ASSERT_TRUE(rastertest::WriteFile(bad, damaged));
  EXPECT_EQ(Raster_LoadJPG(bad.c_str(), nullptr), nullptr);
}
