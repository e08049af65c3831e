// Unscaled blits: clipping, the copy-mode shortcuts, channel copies and the combine rules.

#include "raster/blit/Raster_Blit.h"
#include "raster/blit/Raster_BlitTemplate.h"

#include <cstring>

namespace {

void channelCopy(const Raster_RowView& d, const Raster_RowView& s, int dx, int dy, int sx, int sy, int w, int h,
                 int mode)
{
  const int db = (mode >> 2) & 3, sb = mode & 3;
  for (int j = 0; j < h; ++j) {
    unsigned char* dp = (unsigned char*)(d.row(dy + j) + dx);
    const unsigned char* sp = (const unsigned char*)(s.row(sy + j) + sx);
    for (int i = 0; i < w; ++i) dp[4 * i + db] = sp[4 * i + sb];
  }
}

void rawCopy(const Raster_RowView& d, const Raster_RowView& s, int dx, int dy, int sx, int sy, int w, int h)
{
  for (int j = 0; j < h; ++j) memmove(d.row(dy + j) + dx, s.row(sy + j) + sx, (size_t)w * 4);
}

void halfMix(const Raster_RowView& d, const Raster_RowView& s, int dx, int dy, int sx, int sy, int w, int h)
{
  for (int j = 0; j < h; ++j) {
    Raster_PixelValue* dp = d.row(dy + j) + dx;
    const Raster_PixelValue* sp = s.row(sy + j) + sx;
    for (int i = 0; i < w; ++i) dp[i] = ((dp[i] >> 1) & 0x7F7F7F7F) + ((sp[i] >> 1) & 0x7F7F7F7F);
  }
}

// The copy rule for 0 < weight < 256 on whole pixels; rows that overlap go pixel by pixel in order.
void mixRows(const Raster_RowView& d, const Raster_RowView& s, int dx, int dy, int sx, int sy, int w, int h,
             uint32_t weight)
{
  for (int j = 0; j < h; ++j) {
    Raster_PixelValue* dp = d.row(dy + j) + dx;
    const Raster_PixelValue* sp = s.row(sy + j) + sx;
    if (dp + w <= sp || sp + w <= dp) {
      // Byte by byte in 16-bit arithmetic (s * w + d * (256 - w) <= 65280): vectorises with the
      // baseline instruction set's 16-bit multiplies.
      unsigned char* __restrict o = (unsigned char*)dp;
      const unsigned char* __restrict in = (const unsigned char*)sp;
      const uint16_t wt = (uint16_t)weight, iw = (uint16_t)(256 - weight);
      for (int k = 0; k < 4 * w; ++k) o[k] = (unsigned char)((uint16_t)(in[k] * wt + o[k] * iw) >> 8);
    } else {
      for (int i = 0; i < w; ++i) dp[i] = Raster_MixPacked(dp[i], sp[i], weight);
    }
  }
}

} // namespace

void Raster_Blit(Raster_IBitmap* dest, Raster_IBitmap* src, int destX, int destY, RECT* srcRect, float alpha,
                 int mode)
{
  if (!dest || !src) return;
  Raster_RowView d(dest), s(src);
  if (d.empty() || s.empty()) return;

  int l = 0, t = 0, r = s.w, b = s.h;
  if (srcRect) {
    l = srcRect->left < 0 ? 0 : srcRect->left;
    t = srcRect->top < 0 ? 0 : srcRect->top;
    r = srcRect->right < s.w ? srcRect->right : s.w;
    b = srcRect->bottom < s.h ? srcRect->bottom : s.h;
  }
  if (destX < 0) {
    l -= destX;
    destX = 0;
  }
  if (destY < 0) {
    t -= destY;
    destY = 0;
  }
  int w = r - l, h = b - t;
  if (w > d.w - destX) w = d.w - destX;
  if (h > d.h - destY) h = d.h - destY;
  if (w <= 0 || h <= 0) return;

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
  Raster_WithCombine(Raster_CombineKindForBlit(mode, weight), [&](auto rule) {
    using C = typename decltype(rule)::type;
    _Raster_Template_Blit<C>::blit(d, s, destX, destY, l, t, w, h, weight);
  });
}

void Raster_Blit(Raster_IBitmap* dest, Raster_IBitmap* src, int destX, int destY, int srcX, int srcY, int srcW,
                 int srcH, float alpha, int mode)
{
  RECT r;
  r.left = srcX;
  r.top = srcY;
  r.right = srcX + srcW;
  r.bottom = srcY + srcH;
  Raster_Blit(dest, src, destX, destY, &r, alpha, mode);
}
