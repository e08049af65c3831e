#include "raster/bitmap/Raster_PixelUtil.h"

#include "raster/blit/Raster_Blit.h"

#include <cstring>

void Raster_Clear(Raster_IBitmap* dest, Raster_PixelValue color) {
  Raster_RowView v(dest);
  for (int y = 0; y < v.h; ++y) {
    Raster_PixelValue* p = v.row(y);
    for (int x = 0; x < v.w; ++x) p[x] = color;
  }
}

void Raster_ClearRect(Raster_IBitmap* dest, int x, int y, int w, int h, Raster_PixelValue mask,
                      Raster_PixelValue setBits) {
  Raster_RowView v(dest);
  if (v.empty() || !v.clip(x, y, w, h)) return;
  for (int j = 0; j < h; ++j) {
    Raster_PixelValue* p = v.row(y + j) + x;
    for (int i = 0; i < w; ++i) p[i] = (p[i] & mask) | setBits;
  }
}

Raster_PixelValue Raster_GetPixel(Raster_IBitmap* bmp, int x, int y) {
  Raster_RowView v(bmp);
  if (v.empty() || x < 0 || y < 0 || x >= v.w || y >= v.h) return 0;
  return v.row(y)[x];
}

void Raster_SetAlphaFromColorMask(Raster_IBitmap* dest, Raster_PixelValue color) {
  Raster_RowView v(dest);
  for (int y = 0; y < v.h; ++y) {
    Raster_PixelValue* p = v.row(y);
    for (int x = 0; x < v.w; ++x) p[x] = (p[x] & 0xFFFFFF00u) == color ? color : (p[x] | 0xFFu);
  }
}

void Raster_SimpleFill(Raster_IBitmap* dest, int x, int y, Raster_PixelValue fillColor,
                       Raster_PixelValue matchMask, Raster_PixelValue retainMask) {
  Raster_RowView v(dest, false);  // memory rows as they are
  if (v.empty() || x < 0 || y < 0 || x >= v.w || y >= v.h) return;
  const Raster_PixelValue match = v.row(y)[x] & matchMask;
  auto matches = [&](Raster_PixelValue p) { return (p & matchMask) == match; };
  auto fillRow = [&](int row) {
    Raster_PixelValue* p = v.row(row);
    if (!matches(p[x])) return false;
    p[x] = fillColor | (p[x] & retainMask);
    for (int i = x + 1; i < v.w && matches(p[i]); ++i) p[i] = fillColor | (p[i] & retainMask);
    for (int i = x - 1; i >= 0 && matches(p[i]); --i) p[i] = fillColor | (p[i] & retainMask);
    return true;
  };
  for (int row = y; row < v.h; ++row)
    if (!fillRow(row)) break;
  for (int row = y - 1; row >= 0; --row)
    if (!fillRow(row)) break;
}

void Raster_Copy(Raster_IBitmap* dest, Raster_IBitmap* src) {
  if (!dest || !src) return;
  dest->resize(src->getWidth(), src->getHeight());
  Raster_Blit(dest, src, 0, 0, nullptr, 1.0f, kBlitCopy);
}

int Raster_BitmapCmp(Raster_IBitmap* a, Raster_IBitmap* b) {
  if (!a) return b ? -1 : 0;
  if (!b) return 1;
  if (a->getWidth() != b->getWidth()) return b->getWidth() - a->getWidth();
  if (a->getHeight() != b->getHeight()) return b->getHeight() - a->getHeight();
  const void* pa = a->getBits();
  const void* pb = b->getBits();
  long bytes = (long)a->getWidth() * a->getHeight() * 4;
  if (bytes <= 0 || pa == pb) return 0;
  if (!pa || !pb) return pa ? 1 : -1;
  return memcmp(pa, pb, (size_t)bytes);
}

void Raster_HalveBlitAA(Raster_IBitmap* dest, Raster_IBitmap* src) {
  Raster_RowView d(dest, false), s(src, false);
  if (d.empty() || s.empty()) return;
  int w = s.w / 2 < d.w ? s.w / 2 : d.w;
  int h = s.h / 2 < d.h ? s.h / 2 : d.h;
  for (int y = 0; y < h; ++y) {
    const Raster_PixelValue* s0 = s.row(2 * y);
    const Raster_PixelValue* s1 = s.row(2 * y + 1);
    Raster_PixelValue* dp = d.row(y);
    for (int x = 0; x < w; ++x) {
      auto q = [](Raster_PixelValue p) { return (p >> 2) & 0x3F3F3F3Fu; };
      dp[x] = q(s0[2 * x]) + q(s0[2 * x + 1]) + q(s1[2 * x]) + q(s1[2 * x + 1]);
    }
  }
}

namespace {
// f x 256 truncated toward zero. Factors beyond +-16384 already saturate every channel, so
// they are held there: the conversion and add + scale x 255 then stay inside an int. NaN is 0.
int toFixed256(float f) {
  const double lim = (double)(1 << 22);
  double v = (double)f * 256.0;
  if (!(v == v)) return 0;
  if (v > lim) v = lim;
  if (v < -lim) v = -lim;
  return (int)v;
}
}  // namespace

void Raster_MultiplyAddRect(Raster_IBitmap* dest, int x, int y, int w, int h, float scaleR,
                            float scaleG, float scaleB, float scaleA, float addR, float addG,
                            float addB, float addA) {
  Raster_RowView v(dest);
  if (v.empty() || !v.clip(x, y, w, h)) return;
  int scale[4], add[4];
  scale[kRasterByteA] = toFixed256(scaleA);
  scale[kRasterByteR] = toFixed256(scaleR);
  scale[kRasterByteG] = toFixed256(scaleG);
  scale[kRasterByteB] = toFixed256(scaleB);
  add[kRasterByteA] = toFixed256(addA);
  add[kRasterByteR] = toFixed256(addR);
  add[kRasterByteG] = toFixed256(addG);
  add[kRasterByteB] = toFixed256(addB);
  for (int j = 0; j < h; ++j) {
    unsigned char* p = (unsigned char*)(v.row(y + j) + x);
    for (int i = 0; i < w * 4; ++i) {
      int k = i & 3;
      int c = (add[k] + scale[k] * p[i]) >> 8;
      p[i] = (unsigned char)(c < 0 ? 0 : (c > 255 ? 255 : c));
    }
  }
}
