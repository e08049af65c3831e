#pragma once
// Pixel-combining rules. Each rule is a class with one static operation
//   doPix(unsigned char* dest, int r, int g, int b, int a, int w)
// that updates the four bytes of one destination pixel (memory order alpha, red, green, blue)
// from a straight source colour (r, g, b, a, each 0..255) and an integer weight w (256 = 1.0).
// Every result is clamped to 0..255. Drawing routines are templates over these classes, so
// each rule is compiled once per routine with the rule inlined in the pixel loop.
//
// To draw with them:
//   int w = Raster_WeightOf(alpha);
//   Raster_CombineKind k = Raster_CombineKindForColor(mode, w);   // or ...ForBlit
//   Raster_WithCombine(k, [&](auto rule) {
//     using C = typename decltype(rule)::type;
//     ... C::doPix((unsigned char*)pixelPtr, r, g, b, a, w); ...
//   });

#include "raster/bitmap/Raster_Pixel.h"
#include "raster/blit/Raster_BlendModes.h"

#include <array>
#include <cstdint>
#include <type_traits>

inline int Raster_Clamp255(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

// d := s (weight ignored)
struct _Raster_CombinePixelsClobber {
  static inline void doPix(unsigned char* d, int r, int g, int b, int a, int) {
    d[kRasterByteA] = (unsigned char)Raster_Clamp255(a);
    d[kRasterByteR] = (unsigned char)Raster_Clamp255(r);
    d[kRasterByteG] = (unsigned char)Raster_Clamp255(g);
    d[kRasterByteB] = (unsigned char)Raster_Clamp255(b);
  }
};

// d := (d + s) / 2 (weight ignored)
struct _Raster_CombinePixelsHalfMix {
  static inline int mix(int d, int s) { return Raster_Clamp255((d + s) / 2); }
  static inline void doPix(unsigned char* d, int r, int g, int b, int a, int) {
    d[kRasterByteA] = (unsigned char)mix(d[kRasterByteA], a);
    d[kRasterByteR] = (unsigned char)mix(d[kRasterByteR], r);
    d[kRasterByteG] = (unsigned char)mix(d[kRasterByteG], g);
    d[kRasterByteB] = (unsigned char)mix(d[kRasterByteB], b);
  }
};

// d := d / 2 + s / 2, each halved with truncation: the whole-pixel shift-and-mask half mix
// ((d >> 1) & 0x7F7F7F7F) + ((s >> 1) & 0x7F7F7F7F) of the copy-mode shortcuts, per channel.
struct _Raster_CombinePixelsHalfShift {
  static inline void doPix(unsigned char* d, int r, int g, int b, int a, int) {
    d[kRasterByteA] = (unsigned char)((d[kRasterByteA] >> 1) + ((a & 0xFF) >> 1));
    d[kRasterByteR] = (unsigned char)((d[kRasterByteR] >> 1) + ((r & 0xFF) >> 1));
    d[kRasterByteG] = (unsigned char)((d[kRasterByteG] >> 1) + ((g & 0xFF) >> 1));
    d[kRasterByteB] = (unsigned char)((d[kRasterByteB] >> 1) + ((b & 0xFF) >> 1));
  }
};

// Per-channel (s * w + d * (256 - w)) >> 8 on a whole pixel, two channels per 32-bit lane
// pair; exact for 0 <= w <= 256 (no lane exceeds 16 bits, nothing carries across lanes).
inline Raster_PixelValue Raster_MixPacked(Raster_PixelValue d, Raster_PixelValue s, uint32_t w) {
  const uint32_t iw = 256 - w;
  uint32_t even = ((s & 0x00FF00FFu) * w + (d & 0x00FF00FFu) * iw) >> 8;
  uint32_t odd = ((s >> 8) & 0x00FF00FFu) * w + ((d >> 8) & 0x00FF00FFu) * iw;
  return (even & 0x00FF00FFu) | (odd & 0xFF00FF00u);
}

// d := (s * w + d * (256 - w)) / 256
struct _Raster_CombinePixelsCopy {
  static inline int mix(int d, int s, int w) {
    return Raster_Clamp255((s * w + d * (256 - w)) / 256);
  }
  static inline void doPixel(Raster_PixelValue* d, Raster_PixelValue s, int w) {
    if ((unsigned)w <= 256u)
      *d = Raster_MixPacked(*d, s, (uint32_t)w);
    else
      doPix((unsigned char*)d, Raster_GetR(s), Raster_GetG(s), Raster_GetB(s), Raster_GetA(s), w);
  }
  static inline void doPix(unsigned char* d, int r, int g, int b, int a, int w) {
    d[kRasterByteA] = (unsigned char)mix(d[kRasterByteA], a, w);
    d[kRasterByteR] = (unsigned char)mix(d[kRasterByteR], r, w);
    d[kRasterByteG] = (unsigned char)mix(d[kRasterByteG], g, w);
    d[kRasterByteB] = (unsigned char)mix(d[kRasterByteB], b, w);
  }
};

// d := clamp(d + s * w / 256)
struct _Raster_CombinePixelsAdd {
  static inline int mix(int d, int s, int w) { return Raster_Clamp255(d + s * w / 256); }
  static inline void doPix(unsigned char* d, int r, int g, int b, int a, int w) {
    d[kRasterByteA] = (unsigned char)mix(d[kRasterByteA], a, w);
    d[kRasterByteR] = (unsigned char)mix(d[kRasterByteR], r, w);
    d[kRasterByteG] = (unsigned char)mix(d[kRasterByteG], g, w);
    d[kRasterByteB] = (unsigned char)mix(d[kRasterByteB], b, w);
  }
};

// d := clamp(d * ((256 - w) * 256 + s * w) / 65536)
struct _Raster_CombinePixelsMul {
  static inline int mix(int d, int s, int w) {
    return Raster_Clamp255((int)((long long)d * ((256 - w) * 256 + s * w) / 65536));
  }
  static inline void doPix(unsigned char* d, int r, int g, int b, int a, int w) {
    d[kRasterByteA] = (unsigned char)mix(d[kRasterByteA], a, w);
    d[kRasterByteR] = (unsigned char)mix(d[kRasterByteR], r, w);
    d[kRasterByteG] = (unsigned char)mix(d[kRasterByteG], g, w);
    d[kRasterByteB] = (unsigned char)mix(d[kRasterByteB], b, w);
  }
};

// k = s * w / 256; k > 254: d := clamp(d * 256), else d := clamp(d * 256 / (256 - k))
struct _Raster_CombinePixelsColorDodge {
  static inline int mix(int d, int s, int w) {
    int k = s * w / 256;
    if (k > 254) return Raster_Clamp255(d * 256);
    return Raster_Clamp255(d * 256 / (256 - k));
  }
  static inline void doPix(unsigned char* d, int r, int g, int b, int a, int w) {
    d[kRasterByteA] = (unsigned char)mix(d[kRasterByteA], a, w);
    d[kRasterByteR] = (unsigned char)mix(d[kRasterByteR], r, w);
    d[kRasterByteG] = (unsigned char)mix(d[kRasterByteG], g, w);
    d[kRasterByteB] = (unsigned char)mix(d[kRasterByteB], b, w);
  }
};

// m = (256 - w) * 128, q = s * w; d := clamp(d * (d * (32768 - m - q) / 256 + m + q) / 32768)
struct _Raster_CombinePixelsOverlay {
  static inline int mix(int d, int s, int w) {
    int m = (256 - w) * 128;
    int q = s * w;
    long long t = (long long)d * (32768 - m - q) / 256 + m + q;
    return Raster_Clamp255((int)((long long)d * t / 32768));
  }
  static inline void doPix(unsigned char* d, int r, int g, int b, int a, int w) {
    d[kRasterByteA] = (unsigned char)mix(d[kRasterByteA], a, w);
    d[kRasterByteR] = (unsigned char)mix(d[kRasterByteR], r, w);
    d[kRasterByteG] = (unsigned char)mix(d[kRasterByteG], g, w);
    d[kRasterByteB] = (unsigned char)mix(d[kRasterByteB], b, w);
  }
};

namespace raster_detail {
// T[0] = 0, T[i] = 65536 / i - 1: reciprocals for the integer hue/saturation conversion.
struct HSVTable {
  uint16_t t[256];
  constexpr HSVTable() : t() {
    for (int i = 1; i < 256; ++i) t[i] = (uint16_t)(65536 / i - 1);
  }
};
inline constexpr HSVTable kHSVTable{};
}  // namespace raster_detail

// Hue (0..383, six sectors of 64), saturation and value of the destination shifted by the
// source: red turns the hue, green the saturation, blue the value; alpha := source alpha.
struct _Raster_CombinePixelsHSVAdjust {
  static inline void doPix(unsigned char* d, int r, int g, int b, int a, int w) {
    const uint16_t* T = raster_detail::kHSVTable.t;
    int R = d[kRasterByteR], G = d[kRasterByteG], B = d[kRasterByteB];
    int V = R > G ? R : G;
    if (B > V) V = B;
    int mn = R < G ? R : G;
    if (B < mn) mn = B;
    int delta = V - mn;
    int S = delta * T[V] / 256;
    int base, k;
    if (R >= G && R > B) {
      base = G < B ? 383 : 0;
      k = G - B;
    } else if (G > R && G > B) {
      base = 128;
      k = B - R;
    } else {
      base = 256;
      k = R - G;
    }
    int H = base + k * (T[delta] + 1) / 1024;

    H += w * (r + r / 2 - 192) / 256;
    if (H < 0)
      H += 384;
    else if (H >= 384)
      H -= 384;
    S = Raster_Clamp255(S + w * (g - 128) / 256);
    V = Raster_Clamp255(V + w * (b - 128) / 256);

    int P = V * (256 - S) / 256;
    auto ramp = [V, S](int x) { return V * (16384 - S * x) / 16384; };
    int nr, ng, nb;
    if (H < 64) {
      nr = V;
      ng = ramp(64 - H);
      nb = P;
    } else if (H < 128) {
      nr = ramp(H - 64);
      ng = V;
      nb = P;
    } else if (H < 192) {
      nr = P;
      ng = V;
      nb = ramp(192 - H);
    } else if (H < 256) {
      nr = P;
      ng = ramp(H - 192);
      nb = V;
    } else if (H < 320) {
      nr = ramp(320 - H);
      ng = P;
      nb = V;
    } else {
      nr = V;
      ng = P;
      nb = ramp(H - 320);
    }
    d[kRasterByteR] = (unsigned char)Raster_Clamp255(nr);
    d[kRasterByteG] = (unsigned char)Raster_Clamp255(ng);
    d[kRasterByteB] = (unsigned char)Raster_Clamp255(nb);
    d[kRasterByteA] = (unsigned char)Raster_Clamp255(a);
  }
};

// Source-alpha twins: the weight becomes w * (a + 1) / 256 first. Copy, add and multiply leave
// the destination alone for a fully transparent source; the others apply the reduced weight.
template <class Rule, bool SkipTransparent>
struct _Raster_CombinePixelsSourceAlpha {
  static inline void doPix(unsigned char* d, int r, int g, int b, int a, int w) {
    if (SkipTransparent && a == 0) return;
    Rule::doPix(d, r, g, b, a, w * (a + 1) / 256);
  }
};
struct _Raster_CombinePixelsCopySourceAlpha
    : _Raster_CombinePixelsSourceAlpha<_Raster_CombinePixelsCopy, true> {};
struct _Raster_CombinePixelsAddSourceAlpha
    : _Raster_CombinePixelsSourceAlpha<_Raster_CombinePixelsAdd, true> {};
struct _Raster_CombinePixelsMulSourceAlpha
    : _Raster_CombinePixelsSourceAlpha<_Raster_CombinePixelsMul, true> {};
struct _Raster_CombinePixelsColorDodgeSourceAlpha
    : _Raster_CombinePixelsSourceAlpha<_Raster_CombinePixelsColorDodge, false> {};
struct _Raster_CombinePixelsOverlaySourceAlpha
    : _Raster_CombinePixelsSourceAlpha<_Raster_CombinePixelsOverlay, false> {};
struct _Raster_CombinePixelsHSVAdjustSourceAlpha
    : _Raster_CombinePixelsSourceAlpha<_Raster_CombinePixelsHSVAdjust, false> {};

// Copy at weight 1.0 with source alpha: alpha 0 leaves the pixel, 255 writes the colour with
// alpha 255, otherwise with c = a + 1 colours mix by c and alpha := (c * c + d * (256 - c)) >> 8.
struct _Raster_CombinePixelsCopySourceAlphaIngoreAlphaParm {
  static inline void doPix(unsigned char* d, int r, int g, int b, int a, int) {
    if (a == 0) return;
    if (a == 255) {
      d[kRasterByteA] = 255;
      d[kRasterByteR] = (unsigned char)Raster_Clamp255(r);
      d[kRasterByteG] = (unsigned char)Raster_Clamp255(g);
      d[kRasterByteB] = (unsigned char)Raster_Clamp255(b);
      return;
    }
    int c = a + 1, ic = 256 - c;
    d[kRasterByteR] = (unsigned char)Raster_Clamp255((r * c + d[kRasterByteR] * ic) >> 8);
    d[kRasterByteG] = (unsigned char)Raster_Clamp255((g * c + d[kRasterByteG] * ic) >> 8);
    d[kRasterByteB] = (unsigned char)Raster_Clamp255((b * c + d[kRasterByteB] * ic) >> 8);
    d[kRasterByteA] = (unsigned char)Raster_Clamp255((c * c + d[kRasterByteA] * ic) >> 8);
  }
  // The same on a whole pixel without branches: the colours mix packed (alpha 255 gives
  // c = 256, the source colours), alpha is computed on its own and alpha 0 keeps the pixel.
  static inline void doPixel(Raster_PixelValue* d, Raster_PixelValue s, int) {
    const uint32_t a = s & 0xFFu;
    const uint32_t c = a + 1;
    const uint32_t dv = *d;
    uint32_t alpha = (c * c + (dv & 0xFFu) * (256 - c)) >> 8;
    alpha = alpha > 255u ? 255u : alpha;
    const uint32_t mixed = (Raster_MixPacked(dv, s, c) & 0xFFFFFF00u) | alpha;
    *d = a ? mixed : dv;
  }
};

// Which rule a mode and weight select.
enum Raster_CombineKind {
  kRasterCombineNone,  // the mode draws nothing
  kRasterCombineClobber,
  kRasterCombineHalfMix,
  kRasterCombineHalfShift,
  kRasterCombineCopy,
  kRasterCombineAdd,
  kRasterCombineDodge,
  kRasterCombineMul,
  kRasterCombineOverlay,
  kRasterCombineHSVAdjust,
  kRasterCombineCopySourceAlpha,
  kRasterCombineAddSourceAlpha,
  kRasterCombineDodgeSourceAlpha,
  kRasterCombineMulSourceAlpha,
  kRasterCombineOverlaySourceAlpha,
  kRasterCombineHSVAdjustSourceAlpha,
  kRasterCombineCopySourceAlphaIgnoreWeight,
};

// The rule of the mode's low byte alone (kBlitUseSourceAlpha not consulted), no shortcuts.
inline Raster_CombineKind Raster_CombineKindOfLowByte(int mode) {
  switch (mode & 0xFF) {
    case kBlitCopy:
      return kRasterCombineCopy;
    case kBlitAdd:
      return kRasterCombineAdd;
    case kBlitDodge:
      return kRasterCombineDodge;
    case kBlitMul:
      return kRasterCombineMul;
    case kBlitOverlay:
      return kRasterCombineOverlay;
    case kBlitHSVAdjust:
      return kRasterCombineHSVAdjust;
    default:
      return kRasterCombineNone;
  }
}

// The rule for drawing from a source bitmap: the low byte plus kBlitUseSourceAlpha. Copy-mode
// shortcuts (whole-pixel mixes, and the weight-1.0 source-alpha class of the unscaled blit)
// are the caller's.
inline Raster_CombineKind Raster_CombineKindForBlit(int mode, int) {
  Raster_CombineKind k = Raster_CombineKindOfLowByte(mode);
  if (!(mode & kBlitUseSourceAlpha) || k == kRasterCombineNone) return k;
  switch (k) {
    case kRasterCombineCopy:
      return kRasterCombineCopySourceAlpha;
    case kRasterCombineAdd:
      return kRasterCombineAddSourceAlpha;
    case kRasterCombineDodge:
      return kRasterCombineDodgeSourceAlpha;
    case kRasterCombineMul:
      return kRasterCombineMulSourceAlpha;
    case kRasterCombineOverlay:
      return kRasterCombineOverlaySourceAlpha;
    case kRasterCombineHSVAdjust:
      return kRasterCombineHSVAdjustSourceAlpha;
    default:
      return k;
  }
}

template <class T>
struct Raster_CombineTag {
  using type = T;
};

// Calls fn(Raster_CombineTag<Class>{}) for the class of kind k; returns false for
// kRasterCombineNone (nothing called). One call site per class keeps one instance per rule.
template <class Fn>
inline bool Raster_WithCombine(Raster_CombineKind k, Fn&& fn) {
  switch (k) {
    case kRasterCombineClobber:
      fn(Raster_CombineTag<_Raster_CombinePixelsClobber>{});
      return true;
    case kRasterCombineHalfMix:
      fn(Raster_CombineTag<_Raster_CombinePixelsHalfMix>{});
      return true;
    case kRasterCombineHalfShift:
      fn(Raster_CombineTag<_Raster_CombinePixelsHalfShift>{});
      return true;
    case kRasterCombineCopy:
      fn(Raster_CombineTag<_Raster_CombinePixelsCopy>{});
      return true;
    case kRasterCombineAdd:
      fn(Raster_CombineTag<_Raster_CombinePixelsAdd>{});
      return true;
    case kRasterCombineDodge:
      fn(Raster_CombineTag<_Raster_CombinePixelsColorDodge>{});
      return true;
    case kRasterCombineMul:
      fn(Raster_CombineTag<_Raster_CombinePixelsMul>{});
      return true;
    case kRasterCombineOverlay:
      fn(Raster_CombineTag<_Raster_CombinePixelsOverlay>{});
      return true;
    case kRasterCombineHSVAdjust:
      fn(Raster_CombineTag<_Raster_CombinePixelsHSVAdjust>{});
      return true;
    case kRasterCombineCopySourceAlpha:
      fn(Raster_CombineTag<_Raster_CombinePixelsCopySourceAlpha>{});
      return true;
    case kRasterCombineAddSourceAlpha:
      fn(Raster_CombineTag<_Raster_CombinePixelsAddSourceAlpha>{});
      return true;
    case kRasterCombineDodgeSourceAlpha:
      fn(Raster_CombineTag<_Raster_CombinePixelsColorDodgeSourceAlpha>{});
      return true;
    case kRasterCombineMulSourceAlpha:
      fn(Raster_CombineTag<_Raster_CombinePixelsMulSourceAlpha>{});
      return true;
    case kRasterCombineOverlaySourceAlpha:
      fn(Raster_CombineTag<_Raster_CombinePixelsOverlaySourceAlpha>{});
      return true;
    case kRasterCombineHSVAdjustSourceAlpha:
      fn(Raster_CombineTag<_Raster_CombinePixelsHSVAdjustSourceAlpha>{});
      return true;
    case kRasterCombineCopySourceAlphaIgnoreWeight:
      fn(Raster_CombineTag<_Raster_CombinePixelsCopySourceAlphaIngoreAlphaParm>{});
      return true;
    case kRasterCombineNone:
      break;
  }
  return false;
}

namespace raster_detail {
template <class C, class = void>
struct HasDoPixel : std::false_type {};
template <class C>
struct HasDoPixel<C, std::void_t<decltype(C::doPixel((Raster_PixelValue*)nullptr, 0u, 0))>>
    : std::true_type {};
}  // namespace raster_detail

// Combines a whole source pixel value into a destination pixel with rule C, through the rule's
// whole-pixel form where it has one (same result, fewer operations).
template <class C>
inline void Raster_CombinePixel(Raster_PixelValue* dest, Raster_PixelValue s, int w) {
  if constexpr (raster_detail::HasDoPixel<C>::value)
    C::doPixel(dest, s, w);
  else
    C::doPix((unsigned char*)dest, Raster_GetR(s), Raster_GetG(s), Raster_GetB(s), Raster_GetA(s),
             w);
}
