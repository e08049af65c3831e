#pragma once
// The colours of Tessor EQ's panel: a dark anodised faceplate with warm white print and one
// amber accent, shared by the background, the knobs and the switch so they read as one piece.

#include "raster/bitmap/Raster_Pixel.h"

inline constexpr Raster_PixelValue Skin_Rgb(int r, int g, int b) {
  return static_cast<Raster_PixelValue>(255) | static_cast<Raster_PixelValue>(r) << 8 |
         static_cast<Raster_PixelValue>(g) << 16 | static_cast<Raster_PixelValue>(b) << 24;
}

inline constexpr Raster_PixelValue kSkinWhite = Skin_Rgb(255, 255, 255);
inline constexpr Raster_PixelValue kSkinBlack = Skin_Rgb(0, 0, 0);

// Faceplate, top to bottom, and its engraved lines (a dark cut with a light edge below it).
inline constexpr Raster_PixelValue kSkinPlateTop = Skin_Rgb(54, 58, 64);
inline constexpr Raster_PixelValue kSkinPlateBottom = Skin_Rgb(36, 39, 44);
inline constexpr Raster_PixelValue kSkinEngraveDark = Skin_Rgb(18, 19, 22);
inline constexpr Raster_PixelValue kSkinEngraveLight = Skin_Rgb(92, 97, 105);

// Print: names and legends, the quieter maker line and scale marks, and the accent.
inline constexpr Raster_PixelValue kSkinPrint = Skin_Rgb(232, 228, 216);
inline constexpr Raster_PixelValue kSkinPrintQuiet = Skin_Rgb(160, 162, 166);
inline constexpr Raster_PixelValue kSkinAccent = Skin_Rgb(246, 162, 48);

// Knobs: the ground under a knob's shadow, the knurled skirt, the caps and the pointers.
inline constexpr Raster_PixelValue kSkinShadow = Skin_Rgb(8, 8, 10);
inline constexpr Raster_PixelValue kSkinSkirtTop = Skin_Rgb(82, 84, 90);
inline constexpr Raster_PixelValue kSkinSkirtBottom = Skin_Rgb(30, 31, 35);
inline constexpr Raster_PixelValue kSkinSilverTop = Skin_Rgb(230, 231, 234);
inline constexpr Raster_PixelValue kSkinSilverBottom = Skin_Rgb(120, 123, 130);
inline constexpr Raster_PixelValue kSkinBlackCapTop = Skin_Rgb(62, 64, 70);
inline constexpr Raster_PixelValue kSkinBlackCapBottom = Skin_Rgb(16, 16, 18);
inline constexpr Raster_PixelValue kSkinPointerLight = Skin_Rgb(244, 242, 236);

// COLORREF (0x00RRGGBB) of a panel colour, for the GDI text layer.
inline constexpr unsigned Skin_ColorRef(Raster_PixelValue p) {
  return ((p >> 8) & 0xFF) << 16 | ((p >> 16) & 0xFF) << 8 | (p >> 24);
}
