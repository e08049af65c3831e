// Mutated real files through both loaders: every result is either null or a complete bitmap of
// a sane size. Run under AddressSanitizer this also catches overruns and leaks.

#include "raster/bitmap/Raster_ImageLoader.h"

#include "Raster_TestFiles.h"

#include <png.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

namespace {

// Byte flips, overwrites with boundary values, truncation and duplicated chunks.
std::vector<uint8_t> mutate(const std::vector<uint8_t>& in, std::mt19937& rng) {
  std::vector<uint8_t> out = in;
  int edits = 1 + (int)(rng() % 6);
  for (int e = 0; e < edits && !out.empty(); ++e) {
    size_t at = rng() % out.size();
    switch (rng() % 5) {
      case 0:
        out[at] ^= (uint8_t)(1u << (rng() % 8));
        break;
      case 1:
        out[at] = (uint8_t[]){0, 1, 0x7F, 0x80, 0xFF}[rng() % 5];
        break;
      case 2:
        out.resize(at);
        break;
      case 3: {
        size_t len = 1 + rng() % 16;
        if (at + len <= out.size())
          out.insert(out.begin() + (long)at, out.begin() + (long)at,
                     out.begin() + (long)(at + len));
        break;
      }
      default:
        out[at] = (uint8_t)rng();
        break;
    }
  }
  return out;
}

void fuzz(Raster_IBitmap* (*loader)(const char*, Raster_IBitmap*),
          const std::vector<std::vector<uint8_t>>& seeds, const char* ext, int rounds) {
  std::mt19937 rng(12345);
  std::string p = rastertest::TempDir() + "/fuzz" + ext;
  int loaded = 0;
  for (int i = 0; i < rounds; ++i) {
    const auto& seed = seeds[(size_t)i % seeds.size()];
    ASSERT_TRUE(rastertest::WriteFile(p, mutate(seed, rng)));
    Raster_IBitmap* b = loader(p.c_str(), nullptr);
    if (b) {
      ++loaded;
      ASSERT_GT(b->getWidth(), 0);
      ASSERT_GT(b->getHeight(), 0);
      ASSERT_LE((long long)b->getWidth() * b->getHeight(), (long long)kRasterMaxImagePixels);
      ASSERT_NE(b->getBits(), nullptr);
      delete b;
    }
  }
  // Many mutations hit pixel data only and still decode: the loaders are actually exercised.
  EXPECT_GT(loaded, 0);
}

}  // namespace

TEST(RasterLoaderFuzz, MutatedPNGFilesNeverCrashOrLeak) {
  std::vector<std::vector<uint8_t>> seeds;
  struct Kind {
    int type, depth, bpp;
  } kinds[] = {{PNG_COLOR_TYPE_RGBA, 8, 32},
               {PNG_COLOR_TYPE_RGB, 16, 48},
               {PNG_COLOR_TYPE_GRAY, 4, 4},
               {PNG_COLOR_TYPE_PALETTE, 8, 8},
               {PNG_COLOR_TYPE_GRAY_ALPHA, 8, 16}};
  int n = 0;
  for (const Kind& k : kinds) {
    const int w = 13, h = 11;
    std::vector<std::vector<uint8_t>> rows(h, std::vector<uint8_t>((size_t)(w * k.bpp + 7) / 8));
    for (int y = 0; y < h; ++y)
      for (size_t x = 0; x < rows[y].size(); ++x) rows[y][x] = (uint8_t)(x * 7 + y * 3);
    if (k.type == PNG_COLOR_TYPE_PALETTE)
      for (auto& r : rows)
        for (auto& v : r) v %= 4;
    std::string p = rastertest::TempDir() + "/seed" + std::to_string(n++) + ".png";
    std::vector<uint8_t> pal = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    ASSERT_TRUE(rastertest::WritePNG(
        p, w, h, k.type, k.depth, rows,
        k.type == PNG_COLOR_TYPE_PALETTE ? pal : std::vector<uint8_t>{},
        k.type == PNG_COLOR_TYPE_PALETTE ? std::vector<uint8_t>{0, 50} : std::vector<uint8_t>{},
        n % 2 == 0));
    seeds.push_back(rastertest::ReadFile(p));
  }
  fuzz(Raster_LoadPNG, seeds, ".png", 1500);
}

TEST(RasterLoaderFuzz, MutatedJPEGFilesNeverCrashOrLeak) {
  std::vector<std::vector<uint8_t>> seeds;
  for (int comps : {1, 3}) {
    const int w = 19, h = 9;
    std::vector<uint8_t> s((size_t)w * h * comps);
    for (size_t i = 0; i < s.size(); ++i) s[i] = (uint8_t)(i * 13);
    std::string p = rastertest::TempDir() + "/seed" + std::to_string(comps) + ".jpg";
    ASSERT_TRUE(rastertest::WriteJPEG(p, w, h, comps, s));
    seeds.push_back(rastertest::ReadFile(p));
  }
  fuzz(Raster_LoadJPG, seeds, ".jpg", 1000);
}
