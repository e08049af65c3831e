#pragma once
// Paints one of Tessor EQ's four skin images into a bitmap (resized to the image).

#include "raster/bitmap/Raster_SysBitmap.h"
#include "tessor_eq/skins/skin_geometry.h"

// False when the image cannot be painted (no memory, no drawing context for the text).
bool Skin_PaintImage(ESkinImage image, Raster_SysBitmap* out);
