// Unscaled blits: clipping, the copy-mode shortcuts, channel copies and the combine rules.

#include "raster/blit/Raster_Blit.h"
#include "raster/blit/Raster_BlitTemplate.h"

#include <climits>
#include <cstring>

namespace {

void channelCopy(const Raster_RowView& d, const Raster_RowView& s, int dx, int dy, int sx, int sy,
                 int w, int h, int mode) {
  const int db = (mode >> 2) & 3, sb = mode & 3;
  for (int j = 0; j < h; ++j) {
    unsigned char* dp = (unsigned char*)(d.row(dy + j) + dx);
    const unsigned char* sp = (const unsigned char*)(s.row(sy + j) + sx);
    for (int i = 0; i < w; ++i) dp[4 * i + db] = sp[4 * i + sb];
  }
}

// Rows top to bottom, pixels left to right: a row that overlaps its source is copied pixel by
// pixel in that order, so a self-blit to the right repeats pixels just as a blit downwards
// repeats rows.
void rawCopy(const Raster_RowView& d, const Raster_RowView& s, int dx, int dy, int sx, int sy,
             int w, int h) {
  for (int j = 0; j < h; ++j) {
    Raster_PixelValue* dp = d.row(dy + j) + dx;
    const Raster_PixelValue* sp = s.row(sy + j) + sx;
    if (dp + w <= sp || sp + w <= dp || dp <= sp) {
      memmove(dp, sp, (size_t)w * 4);  // same result as the forward order
    } else {
      for (int i = 0; i < w; ++i) dp[i] = sp[i];
    }
  }
}

void halfMix(const Raster_RowView& d, const Raster_RowView& s, int dx, int dy, int sx, int sy,
             int w, int h) {
  for (int j = 0; j < h; ++j) {
    Raster_PixelValue* dp = d.row(dy + j) + dx;
    const Raster_PixelValue* sp = s.row(sy + j) + sx;
    for (int i = 0; i < w; ++i) dp[i] = ((dp[i] >> 1) & 0x7F7F7F7F) + ((sp[i] >> 1) & 0x7F7F7F7F);
  }
}

// The copy rule for 0 < weight < 256 on whole pixels; rows that overlap go pixel by pixel in order.
void mixRows(const Raster_RowView& d, const Raster_RowView& s, int dx, int dy, int sx, int sy,
             int w, int h, uint32_t weight) {
  for (int j = 0; j < h; ++j) {
    Raster_PixelValue* dp = d.row(dy + j) + dx;
    const Raster_PixelValue* sp = s.row(sy + j) + sx;
    if (dp + w <= sp || sp + w <= dp) {
      // Byte by byte in 16-bit arithmetic (s * w + d * (256 - w) <= 65280): vectorises with the
      // baseline instruction set's 16-bit multiplies.
      unsigned char* __restrict o = (unsigned char*)dp;
      const unsigned char* __restrict in = (const unsigned char*)sp;
      const uint16_t wt = (uint16_t)weight, iw = (uint16_t)(256 - weight);
      for (int k = 0; k < 4 * w; ++k)
        o[k] = (unsigned char)((uint16_t)(in[k] * wt + o[k] * iw) >> 8);
    } else {
      for (int i = 0; i < w; ++i) dp[i] = Raster_MixPacked(dp[i], sp[i], weight);
    }
  }
}

void blitClipped(const Raster_RowView& d, const Raster_RowView& s, int destX, int destY, int l,
                 int t, int w, int h, float alpha, int mode);

}  // namespace

void Raster_Blit(Raster_IBitmap* dest, Raster_IBitmap* src, int destX, int destY, RECT* srcRect,
                 float alpha, int mode) {
  if (!dest || !src) return;
  Raster_RowView d(dest), s(src);
  if (d.empty() || s.empty()) return;

  // Clipping in 64-bit so that extreme rectangles and positions cannot overflow.
  long long l = 0, t = 0, r = s.w, b = s.h, dx = destX, dy = destY;
  if (srcRect) {
    l = srcRect->left < 0 ? 0 : srcRect->left;
    t = srcRect->top < 0 ? 0 : srcRect->top;
    r = srcRect->right < s.w ? srcRect->right : s.w;
    b = srcRect->bottom < s.h ? srcRect->bottom : s.h;
  }
  if (dx < 0) {
    l -= dx;
    dx = 0;
  }
  if (dy < 0) {
    t -= dy;
    dy = 0;
  }
  long long w = r - l, h = b - t;
  if (w > d.w - dx) w = d.w - dx;
  if (h > d.h - dy) h = d.h - dy;
  if (w <= 0 || h <= 0) return;
  blitClipped(d, s, (int)dx, (int)dy, (int)l, (int)t, (int)w, (int)h, alpha, mode);
}

namespace {
void blitClipped(const Raster_RowView& d, const Raster_RowView& s, int destX, int destY, int l,
                 int t, int w, int h, float alpha, int mode) {
  if ((mode & 0xFF) >= kBlitChannelCopy) {
    channelCopy(d, s, destX, destY, l, t, w, h, mode);
    return;
  }
  int weight = Raster_WeightOf(alpha);
  if (weight == 0) return;
  if ((mode & 0xFF) == kBlitCopy && weight < 0) return;
  if ((mode & 0xFF) == kBlitCopy && !(mode & kBlitUseSourceAlpha)) {
    if (weight == 256) {
      rawCopy(d, s, destX, destY, l, t, w, h);
      return;
    }
    if (weight == 128) {
      halfMix(d, s, destX, destY, l, t, w, h);
      return;
    }
    if (weight < 256) {
      mixRows(d, s, destX, destY, l, t, w, h, (uint32_t)weight);
      return;
    }
  }
  Raster_CombineKind kind = Raster_CombineKindForBlit(mode, weight);
  if (kind == kRasterCombineCopySourceAlpha && weight == 256)
    kind = kRasterCombineCopySourceAlphaIgnoreWeight;
  Raster_WithCombine(kind, [&](auto rule) {
    using C = typename decltype(rule)::type;
    _Raster_Template_Blit<C>::blit(d, s, destX, destY, l, t, w, h, weight);
  });
}
}  // namespace

void Raster_Blit(Raster_IBitmap* dest, Raster_IBitmap* src, int destX, int destY, int srcX,
                 int srcY, int srcW, int srcH, float alpha, int mode) {
  // The far edges saturate instead of overflowing.
  auto farEdge = [](int start, int size) {
    long long e = (long long)start + size;
    return (int)(e > INT_MAX ? INT_MAX : (e < INT_MIN ? INT_MIN : e));
  };
  RECT r;
  r.left = srcX;
  r.top = srcY;
  r.right = farEdge(srcX, srcW);
  r.bottom = farEdge(srcY, srcH);
  Raster_Blit(dest, src, destX, destY, &r, alpha, mode);
}
