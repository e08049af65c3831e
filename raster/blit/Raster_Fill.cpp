// Single-colour operations: one pixel, a rectangle, a gradient rectangle and a coverage glyph.

#include "raster/blit/Raster_Blit.h"
#include "raster/blit/Raster_Combine.h"
#include "raster/blit/Raster_RowKernels.h"

namespace {

inline Raster_PixelValue half(Raster_PixelValue p) { return (p >> 1) & 0x7F7F7F7F; }
inline Raster_PixelValue quarter(Raster_PixelValue p) { return (p >> 2) & 0x3F3F3F3F; }

// Copy-mode whole-pixel shortcuts for the weights 1.0, 0.5, 0.25 and 0.75.
enum Shortcut { kNone, kSet, kHalf, kQuarter, kThreeQuarter };

Shortcut copyShortcut(int mode, int weight) {
  if ((mode & 0xFF) != kBlitCopy) return kNone;
  switch (weight) {
    case 256:
      return kSet;
    case 128:
      return kHalf;
    case 64:
      return kQuarter;
    case 192:
      return kThreeQuarter;
    default:
      return kNone;
  }
}

template <Shortcut S>
inline Raster_PixelValue shortcutPixel(Raster_PixelValue d, Raster_PixelValue c) {
  switch (S) {
    case kSet:
      return c;
    case kHalf:
      return half(c) + half(d);
    case kQuarter:
      return half(d) + quarter(d) + quarter(c);
    case kThreeQuarter:
      return half(c) + quarter(c) + quarter(d);
    default:
      return d;
  }
}

template <Shortcut S>
void fillShortcut(const Raster_RowView& v, int x, int y, int w, int h, Raster_PixelValue c) {
  for (int j = 0; j < h; ++j) {
    Raster_PixelValue* p = v.row(y + j) + x;
    for (int i = 0; i < w; ++i) p[i] = shortcutPixel<S>(p[i], c);
  }
}

template <class C>
void fillRule(const Raster_RowView& v, int x, int y, int w, int h, Raster_PixelValue c,
              int weight) {
  for (int j = 0; j < h; ++j) {
    Raster_PixelValue* p = v.row(y + j) + x;
    for (int i = 0; i < w; ++i) Raster_CombinePixel<C>(p + i, c, weight);
  }
}

// Plain stores of one colour: the same loop built for 32-byte stores where the processor has
// them (the stored pixels are the same either way).
void setRows(const Raster_RowView& v, int x, int y, int w, int h, Raster_PixelValue c) {
  fillShortcut<kSet>(v, x, y, w, h, c);
}
#if defined(__x86_64__) && defined(__GNUC__)
__attribute__((target("avx2"))) void setRowsAvx2(const Raster_RowView& v, int x, int y, int w,
                                                 int h, Raster_PixelValue c) {
  for (int j = 0; j < h; ++j) {
    Raster_PixelValue* p = v.row(y + j) + x;
    for (int i = 0; i < w; ++i) p[i] = c;
  }
}
#endif

void fill(const Raster_RowView& v, int x, int y, int w, int h, Raster_PixelValue c, int weight,
          int mode) {
  switch (copyShortcut(mode, weight)) {
    case kSet:
#if defined(__x86_64__) && defined(__GNUC__)
      if (w >= 8 && Raster_HaveAvx2()) {
        setRowsAvx2(v, x, y, w, h, c);
        return;
      }
#endif
      setRows(v, x, y, w, h, c);
      return;
    case kHalf:
      fillShortcut<kHalf>(v, x, y, w, h, c);
      return;
    case kQuarter:
      fillShortcut<kQuarter>(v, x, y, w, h, c);
      return;
    case kThreeQuarter:
      fillShortcut<kThreeQuarter>(v, x, y, w, h, c);
      return;
    case kNone:
      break;
  }
  if ((mode & 0xFF) == kBlitCopy && weight > 0 && weight <= 256) {
    // The copy rule on whole pixels, two channels per lane pair.
    // Byte by byte in 16-bit arithmetic (at most 65280): vectorises with 16-bit multiplies.
    const uint16_t iw = (uint16_t)(256 - weight);
    uint16_t cw[4];
    for (int k = 0; k < 4; ++k) cw[k] = (uint16_t)(((c >> (8 * k)) & 0xFF) * weight);
    for (int j = 0; j < h; ++j) {
      unsigned char* p = (unsigned char*)(v.row(y + j) + x);
      for (int i = 0; i < w; ++i, p += 4)
        for (int k = 0; k < 4; ++k) p[k] = (unsigned char)((uint16_t)(cw[k] + p[k] * iw) >> 8);
    }
    return;
  }
  Raster_WithCombine(Raster_CombineKindOfLowByte(mode), [&](auto rule) {
    using C = typename decltype(rule)::type;
    fillRule<C>(v, x, y, w, h, c, weight);
  });
}

}  // namespace

void Raster_PutPixel(Raster_IBitmap* dest, int x, int y, Raster_PixelValue color, float alpha,
                     int mode) {
  Raster_RowView v(dest);
  if (v.empty() || x < 0 || y < 0 || x >= v.w || y >= v.h) return;
  int weight = Raster_WeightOf(alpha);
  if (weight == 0) return;
  fill(v, x, y, 1, 1, color, weight, mode & 0xFF);
}

void Raster_FillRect(Raster_IBitmap* dest, int x, int y, int w, int h, Raster_PixelValue color,
                     float alpha, int mode) {
  Raster_RowView v(dest);
  if (v.empty()) return;
  if (mode & kBlitUseSourceAlpha) alpha = alpha * ((float)Raster_GetA(color) / 255.0f);
  if (!v.clip(x, y, w, h)) return;
  int weight = Raster_WeightOf(alpha);
  if (weight == 0) return;
  fill(v, x, y, w, h, color, weight, mode & 0xFF);
}

namespace {

template <class C>
void gradRule(const Raster_RowView& v, int x, int y, int w, int h, const int64_t start[4],
              const int64_t dx[4], const int64_t dy[4], bool copyMode) {
  int64_t row[4] = {start[0], start[1], start[2], start[3]};
  for (int j = 0; j < h; ++j) {
    unsigned char* p = (unsigned char*)(v.row(y + j) + x);
    int64_t c[4] = {row[0], row[1], row[2], row[3]};
    for (int i = 0; i < w; ++i, p += 4) {
      int r = Raster_Clamp255((int)(c[0] >> 16));
      int g = Raster_Clamp255((int)(c[1] >> 16));
      int b = Raster_Clamp255((int)(c[2] >> 16));
      int64_t a64 = c[3] >> 16;
      int wt = a64 < 0 ? 0 : (a64 > 256 ? 256 : (int)a64);
      if (copyMode) {
        p[kRasterByteR] = (unsigned char)_Raster_CombinePixelsCopy::mix(p[kRasterByteR], r, wt);
        p[kRasterByteG] = (unsigned char)_Raster_CombinePixelsCopy::mix(p[kRasterByteG], g, wt);
        p[kRasterByteB] = (unsigned char)_Raster_CombinePixelsCopy::mix(p[kRasterByteB], b, wt);
        p[kRasterByteA] =
            (unsigned char)Raster_Clamp255((wt * wt + p[kRasterByteA] * (256 - wt)) / 256);
      } else {
        C::doPix(p, r, g, b, wt > 255 ? 255 : wt, wt);
      }
      for (int k = 0; k < 4; ++k) c[k] += dx[k];
    }
    for (int k = 0; k < 4; ++k) row[k] += dy[k];
  }
}

}  // namespace

void Raster_GradRect(Raster_IBitmap* dest, int x, int y, int w, int h, float startR, float startG,
                     float startB, float startA, float stepRX, float stepGX, float stepBX,
                     float stepAX, float stepRY, float stepGY, float stepBY, float stepAY,
                     int mode) {
  Raster_RowView v(dest);
  if (v.empty()) return;
  auto fx = [](double value, double scale) { return (int64_t)(value * scale * 65536.0); };
  int64_t start[4] = {fx(startR, 255), fx(startG, 255), fx(startB, 255), fx(startA, 256)};
  int64_t dx[4] = {fx(stepRX, 255), fx(stepGX, 255), fx(stepBX, 255), fx(stepAX, 256)};
  int64_t dy[4] = {fx(stepRY, 255), fx(stepGY, 255), fx(stepBY, 255), fx(stepAY, 256)};
  if (x < 0)
    for (int k = 0; k < 4; ++k) start[k] += (int64_t)(-x) * dx[k];
  if (y < 0)
    for (int k = 0; k < 4; ++k) start[k] += (int64_t)(-y) * dy[k];
  if (!v.clip(x, y, w, h)) return;
  const bool copyMode = (mode & 0xFF) == kBlitCopy;
  Raster_WithCombine(Raster_CombineKindOfLowByte(mode), [&](auto rule) {
    using C = typename decltype(rule)::type;
    gradRule<C>(v, x, y, w, h, start, dx, dy, copyMode);
  });
}

namespace {
template <class C>
void glyphRule(const Raster_RowView& v, int x, int y, int w, int h, const unsigned char* cov,
               int stride, Raster_PixelValue color, int weight) {
  const int r = Raster_GetR(color), g = Raster_GetG(color), b = Raster_GetB(color),
            a = Raster_GetA(color);
  for (int j = 0; j < h; ++j) {
    unsigned char* p = (unsigned char*)(v.row(y + j) + x);
    const unsigned char* c = cov + (long)j * stride;
    for (int i = 0; i < w; ++i)
      if (c[i]) C::doPix(p + 4 * i, r, g, b, a, weight * c[i] / 256);
  }
}
}  // namespace

void Raster_DrawGlyph(Raster_IBitmap* dest, int x, int y, Raster_PixelValue color,
                      const unsigned char* coverage, int glyphW, int glyphH, float alpha,
                      int mode) {
  Raster_RowView v(dest);
  if (v.empty() || !coverage || glyphW <= 0 || glyphH <= 0) return;
  int weight = Raster_WeightOf(alpha);
  if (weight == 0) return;
  int col0 = 0, row0 = 0, w = glyphW, h = glyphH;
  if (!v.clip(x, y, w, h, &col0, &row0)) return;
  const unsigned char* start = coverage + (long)row0 * glyphW + col0;
  Raster_WithCombine(Raster_CombineKindOfLowByte(mode), [&](auto rule) {
    using C = typename decltype(rule)::type;
    glyphRule<C>(v, x, y, w, h, start, glyphW, color, weight);
  });
}
