#include "raster/blit/Raster_Combine.h"

#include <gtest/gtest.h>

namespace {
// Applies rule C to a destination pixel (r, g, b, a) and returns the result.
template <class C>
Raster_PixelValue apply(Raster_PixelValue d, int r, int g, int b, int a, int w) {
  C::doPix((unsigned char*)&d, r, g, b, a, w);
  return d;
}
Raster_PixelValue grey(int v, int a) { return Raster_MakePixel(v, v, v, a); }
}  // namespace

TEST(RasterCombine, ClobberAndHalfMixIgnoreTheWeight) {
  EXPECT_EQ(apply<_Raster_CombinePixelsClobber>(grey(9, 9), 1, 2, 3, 4, 17),
            Raster_MakePixel(1, 2, 3, 4));
  EXPECT_EQ(apply<_Raster_CombinePixelsHalfMix>(grey(1, 1), 2, 255, 0, 1, 3),
            Raster_MakePixel(1, 128, 0, 1));
  // The shift form halves each side first: 1/2 + 1/2 is 0.
  EXPECT_EQ(apply<_Raster_CombinePixelsHalfShift>(grey(1, 1), 1, 255, 0, 1, 3),
            Raster_MakePixel(0, 127, 0, 0));
}

TEST(RasterCombine, CopyMixesByWeightWithTruncation) {
  EXPECT_EQ(apply<_Raster_CombinePixelsCopy>(grey(0, 0), 255, 255, 255, 255, 128), grey(127, 127));
  EXPECT_EQ(
      apply<_Raster_CombinePixelsCopy>(grey(100, 0), 200, 0, 100, 255, 64),
      Raster_MakePixel(125, 75, 100, 63));  // (200*64 + 100*192)/256 = 125; alpha (255*64)/256 = 63
  EXPECT_EQ(apply<_Raster_CombinePixelsCopy>(grey(100, 50), 7, 8, 9, 10, 256),
            Raster_MakePixel(7, 8, 9, 10));
}

TEST(RasterCombine, AddClampsAt255) {
  EXPECT_EQ(apply<_Raster_CombinePixelsAdd>(grey(200, 200), 100, 100, 100, 100, 256),
            grey(255, 255));
  EXPECT_EQ(apply<_Raster_CombinePixelsAdd>(grey(10, 0), 100, 3, 0, 0, 128),
            Raster_MakePixel(60, 11, 10, 0));
}

TEST(RasterCombine, MultiplyScalesDestinationBySource) {
  EXPECT_EQ(apply<_Raster_CombinePixelsMul>(grey(255, 255), 128, 128, 128, 128, 256),
            grey(127, 127));
  // Half weight: factor ((128 * 256) + 0 * 128) / 65536 = 1/2 against a black source.
  EXPECT_EQ(apply<_Raster_CombinePixelsMul>(grey(200, 200), 0, 0, 0, 0, 128), grey(100, 100));
}

TEST(RasterCombine, ColorDodgeBrightensAndSaturatesAtFullSource) {
  // k = 128: d * 256 / 128 doubles.
  EXPECT_EQ(apply<_Raster_CombinePixelsColorDodge>(grey(50, 0), 128, 0, 255, 0, 256),
            Raster_MakePixel(100, 50, 255, 0));
  // k = 255 > 254: any non-zero destination goes to 255, zero stays 0.
  EXPECT_EQ(
      apply<_Raster_CombinePixelsColorDodge>(Raster_MakePixel(1, 0, 0, 0), 255, 255, 0, 0, 256),
      Raster_MakePixel(255, 0, 0, 0));
}

TEST(RasterCombine, OverlayFollowsItsQuadraticRule) {
  // d = 100, s = 200, w = 256: m = 0, q = 51200: t = 100 * (32768 - 51200) / 256 + 51200 = 44000,
  // result 100 * 44000 / 32768 = 134.
  EXPECT_EQ(Raster_GetR(apply<_Raster_CombinePixelsOverlay>(grey(100, 0), 200, 0, 0, 0, 256)), 134);
  // Grey source at full weight leaves a value: 128 -> t = 128*0/256 + 32768 -> d.
  EXPECT_EQ(Raster_GetG(apply<_Raster_CombinePixelsOverlay>(grey(77, 0), 0, 128, 0, 0, 256)), 77);
  // Weight 0 is identity as well.
  EXPECT_EQ(apply<_Raster_CombinePixelsOverlay>(grey(77, 33), 255, 0, 9, 4, 0), grey(77, 33));
}

TEST(RasterCombine, SourceAlphaScalesWeightAndSkipsTransparentForCopyAddMul) {
  // Weight 256 with alpha 127 becomes 128.
  EXPECT_EQ(apply<_Raster_CombinePixelsCopySourceAlpha>(grey(0, 0), 255, 255, 255, 127, 256),
            grey(127, 63));
  EXPECT_EQ(apply<_Raster_CombinePixelsCopySourceAlpha>(grey(9, 9), 255, 255, 255, 0, 256),
            grey(9, 9));
  EXPECT_EQ(apply<_Raster_CombinePixelsAddSourceAlpha>(grey(9, 9), 255, 255, 255, 0, 256),
            grey(9, 9));
  EXPECT_EQ(apply<_Raster_CombinePixelsMulSourceAlpha>(grey(9, 9), 0, 0, 0, 0, 256), grey(9, 9));
  // Dodge with alpha 0 still applies the reduced weight 1: k = 255 * 1 / 256 = 0 -> unchanged value.
  EXPECT_EQ(apply<_Raster_CombinePixelsColorDodgeSourceAlpha>(grey(9, 9), 255, 255, 255, 0, 256),
            grey(9, 9));
  // HSV adjust with alpha 0 still sets the destination alpha to 0.
  EXPECT_EQ(Raster_GetA(apply<_Raster_CombinePixelsHSVAdjustSourceAlpha>(grey(9, 200), 128, 128,
                                                                         128, 0, 256)),
            0);
}

TEST(RasterCombine, CopySourceAlphaAtFullWeightCompositesOver) {
  using C = _Raster_CombinePixelsCopySourceAlphaIngoreAlphaParm;
  EXPECT_EQ(apply<C>(grey(50, 10), 200, 200, 200, 0, 256), grey(50, 10));
  EXPECT_EQ(apply<C>(grey(50, 10), 1, 2, 3, 255, 256), Raster_MakePixel(1, 2, 3, 255));
  // a = 127, c = 128: colours (200*128 + 50*128) >> 8 = 125; alpha (128*128 + 10*128) >> 8 = 69.
  EXPECT_EQ(apply<C>(grey(50, 10), 200, 200, 200, 127, 256), grey(125, 69));
}

TEST(RasterCombine, HSVAdjustNeutralSourceKeepsPrimaryColours) {
  // A source of (r 128, g 128, b 128) shifts hue by w*(128+64-192)/256 = 0 and S, V by 0.
  EXPECT_EQ(
      apply<_Raster_CombinePixelsHSVAdjust>(Raster_MakePixel(255, 0, 0, 9), 128, 128, 128, 77, 256),
      Raster_MakePixel(255, 0, 0, 77));
  EXPECT_EQ(
      apply<_Raster_CombinePixelsHSVAdjust>(Raster_MakePixel(0, 0, 255, 9), 128, 128, 128, 77, 256),
      Raster_MakePixel(0, 0, 255, 77));
  EXPECT_EQ(apply<_Raster_CombinePixelsHSVAdjust>(grey(90, 9), 128, 128, 128, 1, 256), grey(90, 1));
}

TEST(RasterCombine, HSVAdjustTurnsHueAndLowersValue) {
  // Red (H 0) turned by w*(255+127-192)/256 = 190 lands in the 128..191 sector: P, V, ramp(192-190).
  // V = 255, S = 255: P = 0, ramp(2) = 255 * (16384 - 510) / 16384 = 247.
  EXPECT_EQ(apply<_Raster_CombinePixelsHSVAdjust>(Raster_MakePixel(255, 0, 0, 0), 255, 128, 128,
                                                  255, 256),
            Raster_MakePixel(0, 255, 247, 255));
  // Blue channel 0 lowers the value by 128: pure red at V 127.
  EXPECT_EQ(
      apply<_Raster_CombinePixelsHSVAdjust>(Raster_MakePixel(255, 0, 0, 0), 128, 128, 0, 255, 256),
      Raster_MakePixel(127, 0, 0, 255));
}

TEST(RasterCombine, ModeSelectsTheRule) {
  EXPECT_EQ(Raster_CombineKindForBlit(kBlitCopy, 100), kRasterCombineCopy);
  EXPECT_EQ(Raster_CombineKindForBlit(kBlitCopy | kBlitUseSourceAlpha, 256),
            kRasterCombineCopySourceAlpha);
  EXPECT_EQ(Raster_CombineKindForBlit(kBlitCopy | kBlitUseSourceAlpha, 255),
            kRasterCombineCopySourceAlpha);
  EXPECT_EQ(Raster_CombineKindForBlit(kBlitOverlay | kBlitUseSourceAlpha | kBlitFilterBilinear, 1),
            kRasterCombineOverlaySourceAlpha);
  EXPECT_EQ(Raster_CombineKindForBlit(6, 256), kRasterCombineNone);
  EXPECT_EQ(Raster_CombineKindOfLowByte(kBlitMul | kBlitUseSourceAlpha), kRasterCombineMul);
  bool called = false;
  EXPECT_FALSE(Raster_WithCombine(kRasterCombineNone, [&](auto) { called = true; }));
  EXPECT_FALSE(called);
}
