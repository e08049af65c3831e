#pragma once
// Shared by the line, fill, circle and curve drawers: which combine class a mode and opacity
// select, dispatch over the eight classes these drawers are instantiated for, and the small
// safety helpers that keep every write inside the bitmap whatever the coordinates.

#include "raster/bitmap/Raster_IBitmap.h"
#include "raster/blit/Raster_Combine.h"

#include <cmath>
#include <type_traits>

// Integer weight of the circle and curve code: opacity x 255 (lines use x 256).
inline int Raster_ShapeWeightOf(float alpha) { return (int)(alpha * 255.0f); }

// Opacities beyond +-256 (and NaN) are not drawn: their integer weights would overflow the
// combiners' arithmetic.
inline bool Raster_DrawableAlpha(float alpha) { return alpha >= -256.0f && alpha <= 256.0f; }

// Class for the integer line entry points and for unsmoothed circles and curves: copy mode
// stores the colour at opacity exactly 1, half-mixes at exactly 0.5, mixes at any other
// positive opacity and draws nothing otherwise. With copyAlwaysMixes (smoothed circles and
// curves, smoothed lines) copy mode always uses the mixing class. Opacity exactly 0 and mode
// bytes above 5 draw nothing.
inline Raster_CombineKind Raster_ShapeCombineKind(int mode, float alpha,
                                                  bool copyAlwaysMixes = false) {
  if (alpha == 0.0f || !Raster_DrawableAlpha(alpha)) return kRasterCombineNone;
  Raster_CombineKind k = Raster_CombineKindOfLowByte(mode);
  if (k != kRasterCombineCopy) return k;
  if (!(alpha > 0.0f)) return kRasterCombineNone;
  if (copyAlwaysMixes) return kRasterCombineCopy;
  if (alpha == 1.0f) return kRasterCombineClobber;
  if (alpha == 0.5f) return kRasterCombineHalfMix;
  return kRasterCombineCopy;
}

// Calls fn(Raster_CombineTag<Class>{}) for the classes the shape drawers use; false (nothing
// called) for any other kind.
template <class Fn>
inline bool Raster_WithShapeCombine(Raster_CombineKind k, Fn&& fn) {
  switch (k) {
    case kRasterCombineClobber:
      fn(Raster_CombineTag<_Raster_CombinePixelsClobber>{});
      return true;
    case kRasterCombineHalfMix:
      fn(Raster_CombineTag<_Raster_CombinePixelsHalfMix>{});
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
    default:
      return false;
  }
}

// One pixel through class C; the clobbering class is a plain store.
template <class C>
inline void Raster_ShapePut(Raster_PixelValue* p, Raster_PixelValue color, int w) {
  if constexpr (std::is_same<C, _Raster_CombinePixelsClobber>::value)
    *p = color;
  else
    Raster_CombinePixel<C>(p, color, w);
}

inline bool Raster_InBitmap(const Raster_RowView& v, long long x, long long y) {
  return x >= 0 && y >= 0 && x < v.w && y < v.h;
}

// Truncation toward zero that never overflows: values beyond +-2^30 (and NaN, as the low
// limit) are pinned first. Far outside any bitmap either way.
inline int Raster_TruncToInt(double v) {
  const double lim = 1073741824.0;
  if (!(v > -lim)) return -(int)lim;
  if (v > lim) return (int)lim;
  return (int)v;
}

inline long long Raster_SatToInt(long long v) {
  return v < -2147483647LL - 1 ? -2147483647LL - 1 : (v > 2147483647LL ? 2147483647LL : v);
}

inline bool Raster_AllFinite(std::initializer_list<float> vals) {
  for (float f : vals)
    if (!std::isfinite(f)) return false;
  return true;
}
