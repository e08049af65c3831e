#pragma once
// The mode word of every blit and fill: bits 0..7 pick the combining rule, bits 8..15 the
// sampling filter, bit 16 multiplies the weight by the source pixel's alpha.

enum {
  kBlitCopy = 0,       // mix the source into the destination by the weight
  kBlitAdd = 1,        // add the weighted source
  kBlitDodge = 2,      // colour dodge
  kBlitMul = 3,        // multiply
  kBlitOverlay = 4,    // overlay
  kBlitHSVAdjust = 5,  // hue, saturation and value adjusted by the source
  // 0xF0..0xFF (Raster_Blit only): destination byte ((mode >> 2) & 3) := source byte (mode & 3),
  // bytes numbered in memory order (0 alpha, 1 red, 2 green, 3 blue); the weight is ignored.
  kBlitChannelCopy = 0xF0,

  kBlitFilterMask = 0xFF00,
  kBlitFilterBilinear = 0x100,  // any other value of bits 8..15 samples the nearest pixel
  kBlitUseSourceAlpha = 0x10000,
};

inline bool Raster_ModeFiltered(int mode) {
  return (mode & kBlitFilterMask) == kBlitFilterBilinear;
}

// Integer weight of a float opacity: alpha x 256 truncated toward zero (1.0 is 256). A value
// that is not a number draws nothing; values beyond +-2^20 saturate there, far past any weight
// that still changes a result, so no rule's arithmetic can overflow.
inline int Raster_WeightOf(float alpha) {
  const int kMaxWeight = 1 << 20;
  const float w = alpha * 256.0f;
  if (!(w == w)) return 0;
  if (w > (float)kMaxWeight) return kMaxWeight;
  if (w < -(float)kMaxWeight) return -kMaxWeight;
  return (int)w;
}
