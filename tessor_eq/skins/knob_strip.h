#pragma once
// The two knob strips: kSkinKnobFrames frames stacked vertically, frame k showing the pointer
// at value (k - 1) / (kSkinKnobFrames - 1), on a transparent surround.

#include "raster/bitmap/Raster_IBitmap.h"
#include "tessor_eq/skins/skin_geometry.h"

// Radii of the knob bodies. The panel prints its scales and legends just outside them.
inline constexpr double kSkinLevelKnobRadius = 18.0;
inline constexpr double kSkinFreqKnobRadius = 16.0;

// Paints the strip of kSkinFreqKnob or kSkinLevelKnob into strip, which is resized to it.
// False for another image or when memory runs out.
bool Skin_PaintKnobStrip(Raster_IBitmap* strip, ESkinImage knob);
