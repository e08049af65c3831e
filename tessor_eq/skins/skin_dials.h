#pragma once
// What the panel prints for each control: the heading over it and, around a knob, the text of
// every stepped position (where the pointer points at that position) or a scale in dB; and the
// radii at which the marks and texts sit around the knob's centre.

#include "tessor_eq/skins/knob_strip.h"
#include "tessor_eq/skins/skin_geometry.h"

struct SkinDial {
  const char* heading;
  const char* const* steps;  // stepped knob: one text per position, in value order; else null
  int minDb, maxDb;          // level knob: the scale's range; 0, 0 for the others
};

// Position texts, shortened as on a hardware panel: kilohertz as "k" (2500 Hz is "2.5k").
inline constexpr const char* kSkinHpfSteps[] = {"Off", "30", "50", "80", "160", "300"};
inline constexpr const char* kSkinLfSteps[] = {"35", "60", "110", "220"};
inline constexpr const char* kSkinMf1Steps[] = {"150", "180", "240", "400", "820", "1.2k"};
inline constexpr const char* kSkinMf2Steps[] = {"220", "315", "640", "2.5k", "3.15k", "6k", "8k"};

// In the order of kSkinControls.
inline constexpr SkinDial kSkinDials[kNumSkinControls] = {
    {"GAIN", nullptr, -20, 10},         {"LF LEVEL", nullptr, -20, 20},
    {"MF 1 LEVEL", nullptr, -20, 20},   {"MF 2 LEVEL", nullptr, -20, 20},
    {"HF LEVEL", nullptr, -20, 20},     {"HPF", kSkinHpfSteps, 0, 0},
    {"LF FREQ", kSkinLfSteps, 0, 0},    {"MF 1 FREQ", kSkinMf1Steps, 0, 0},
    {"MF 2 FREQ", kSkinMf2Steps, 0, 0}, {"OVERSAMPLE", nullptr, 0, 0},
};

// Level scales: a mark every 2.5 dB, longer every 5 dB, longest with its number every 10 dB.
inline constexpr double kSkinScaleStepDb = 2.5;
inline constexpr double kSkinScaleLabelDb = 10.0;
inline constexpr double kSkinTickIn = kSkinLevelKnobRadius + 2.4;
inline constexpr double kSkinTickOut[3] = {kSkinTickIn + 2.2, kSkinTickIn + 3.0, kSkinTickIn + 4.0};
// Stepped knobs: a dot at every position.
inline constexpr double kSkinDotRadius = kSkinFreqKnobRadius + 4.0;
// Texts keep at least this distance from the knob's centre.
inline constexpr double kSkinLevelTextIn = kSkinTickOut[2] + 2.0;
inline constexpr double kSkinFreqTextIn = kSkinDotRadius + 4.0;

// The normalised value of a level scale's mark at db.
inline double SkinScaleValue(const SkinDial& d, double db) {
  return (db - d.minDb) / double(d.maxDb - d.minDb);
}
