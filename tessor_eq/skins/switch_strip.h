#pragma once
// The oversampling switch: two frames stacked vertically, off on top and on below. A slide
// switch in a recessed track: off, the track is dark and the thumb sits left; on, the track
// glows amber and the thumb sits right.

#include "raster/bitmap/Raster_IBitmap.h"

// Paints both frames into strip, which is resized to them. False when memory runs out.
bool Skin_PaintSwitchStrip(Raster_IBitmap* strip);
