#pragma once
// Helpers for the line, circle and curve tests: a bitmap whose rows sit inside guard memory
// (so any write outside the bitmap shows), and pictures of which pixels were touched.

#include "raster/bitmap/Raster_IBitmap.h"

#include <string>
#include <vector>

namespace rastertest {

// w x h pixels, row span w + 3, with two guard rows above and below; optionally flipped.
class GuardedBitmap : public Raster_IBitmap {
 public:
  static constexpr Raster_PixelValue kBack = 0x10203040;
  static constexpr Raster_PixelValue kGuard = 0xA5A5A5A5;

  GuardedBitmap(int w, int h, bool flipped = false)
      : mW(w), mH(h), mSpan(w + 3), mFlipped(flipped), mMem((size_t)(h + 4) * (w + 3), kGuard) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) mem(x, y) = kBack;
  }
  Raster_PixelValue* getBits() override { return mMem.data() + 2 * mSpan; }
  int getWidth() override { return mW; }
  int getHeight() override { return mH; }
  int getRowSpan() override { return mSpan; }
  bool isFlipped() override { return mFlipped; }
  bool resize(int, int) override { return false; }

  // Pixel at visible (x, y): row 0 is the top, also when flipped.
  Raster_PixelValue& at(int x, int y) { return mem(x, mFlipped ? mH - 1 - y : y); }
  // Pixel at memory row y.
  Raster_PixelValue& mem(int x, int y) { return mMem[(size_t)(y + 2) * mSpan + x]; }

  bool guardsIntact() const {
    for (int y = 0; y < mH + 4; ++y)
      for (int x = 0; x < mSpan; ++x) {
        bool inside = y >= 2 && y < mH + 2 && x < mW;
        if (!inside && mMem[(size_t)y * mSpan + x] != kGuard) return false;
      }
    return true;
  }
  // One string per visible row: '#' for a pixel that differs from the background, '.' otherwise.
  std::vector<std::string> picture() {
    std::vector<std::string> out;
    for (int y = 0; y < mH; ++y) {
      std::string row;
      for (int x = 0; x < mW; ++x) row += at(x, y) == kBack ? '.' : '#';
      out.push_back(row);
    }
    return out;
  }
  void clear(Raster_PixelValue c) {
    for (int y = 0; y < mH; ++y)
      for (int x = 0; x < mW; ++x) mem(x, y) = c;
  }
  int changed() {
    int n = 0;
    for (int y = 0; y < mH; ++y)
      for (int x = 0; x < mW; ++x) n += at(x, y) != kBack;
    return n;
  }

 private:
  int mW, mH, mSpan;
  bool mFlipped;
  std::vector<Raster_PixelValue> mMem;
};

}  // namespace rastertest
