#pragma once
// A bitmap for tests with a row span wider than its width and an optional flipped layout,
// plus helpers to address pixels by visible row.

#include "raster/bitmap/Raster_IBitmap.h"

#include <vector>

namespace rastertest {

class SpanBitmap : public Raster_IBitmap {
 public:
  SpanBitmap(int w, int h, int span, bool flipped, Raster_PixelValue fill = 0)
      : mW(w), mH(h), mSpan(span), mFlipped(flipped), mPixels((size_t)span * h, fill) {}
  Raster_PixelValue* getBits() override { return mPixels.empty() ? nullptr : mPixels.data(); }
  int getWidth() override { return mW; }
  int getHeight() override { return mH; }
  int getRowSpan() override { return mSpan; }
  bool isFlipped() override { return mFlipped; }
  bool resize(int w, int h) override {
    if (w == mW && h == mH) return false;
    mW = w;
    mH = h;
    mSpan = w + 3;
    mPixels.assign((size_t)mSpan * h, 0);
    return true;
  }
  // Pixel at visible (x, y), honouring the flipped layout.
  Raster_PixelValue& at(int x, int y) { return mPixels[(size_t)memRow(y) * mSpan + x]; }
  int memRow(int y) const { return mFlipped ? mH - 1 - y : y; }
  // The padding pixels beyond the width of every row.
  std::vector<Raster_PixelValue> padding() const {
    std::vector<Raster_PixelValue> out;
    for (int y = 0; y < mH; ++y)
      for (int x = mW; x < mSpan; ++x) out.push_back(mPixels[(size_t)y * mSpan + x]);
    return out;
  }

 private:
  int mW, mH, mSpan;
  bool mFlipped;
  std::vector<Raster_PixelValue> mPixels;
};

inline Raster_PixelValue Px(int r, int g, int b, int a) { return Raster_MakePixel(r, g, b, a); }

}  // namespace rastertest
