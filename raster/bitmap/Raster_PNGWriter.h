#pragma once
// Bitmaps encoded as 8-bit RGBA PNG, the visible rows from the top (flipped or not).

#include <string>

#include "raster/bitmap/Raster_IBitmap.h"

// The PNG bytes of the bitmap appended to *out; false when the bitmap has no pixels or libpng
// gave up (*out then holds whatever had been appended).
bool Raster_EncodePNG(Raster_IBitmap* bmp, std::string* out);
