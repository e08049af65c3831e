#pragma once
// Fixed coverage maps (0 untouched .. 255 full colour) for the small circles the editor
// draws most: radii 2, 2.5, 3, 3.5 and 4, one smoothed and one plain map each.

struct Raster_CircleGlyph {
  int size;  // the map is size x size bytes, row by row
  const unsigned char* cover;
};

// The glyph for radius r (exactly 2, 2.5, 3, 3.5 or 4), or null for any other radius.
const Raster_CircleGlyph* Raster_FindCircleGlyph(float r, bool aa);
