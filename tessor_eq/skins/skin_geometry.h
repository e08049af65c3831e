#pragma once
// Tessor EQ's panel: the four skin images (file, resource identifier, frames, frame size), the
// corner where each control sits, and how far a knob's pointer turns. The skin painter draws
// the images and the scales around the knobs from it, and the editor layout places its
// controls with it, so a knob image and the scale printed around it share one centre.
//
// Coordinates are panel pixels, x to the right and y down; a control's centre is its corner
// plus half its frame size (so a 56-pixel knob at x = 270 is centred on the line x = 298.0, the
// boundary between pixel columns 297 and 298).

#include <cmath>

enum { kSkinPanelW = 664, kSkinPanelH = 215, kSkinKnobFrames = 271 };

// Frame sizes. The two knobs of a band sit at corners 9 pixels apart horizontally (low shelf
// 261 and 270, first mid band 367 and 376), so the frequency knob is 18 pixels wider than the
// level knob to stand on the same centre line; its wider image leaves room for the frequency
// legends around it, which show through the image's transparent surround.
enum {
  kSkinLevelKnobSize = 56,
  kSkinFreqKnobSize = kSkinLevelKnobSize + 18,
  kSkinSwitchW = 44,
  kSkinSwitchFrameH = 22,
};

enum ESkinImage { kSkinBackground, kSkinFreqKnob, kSkinLevelKnob, kSkinSwitch, kNumSkinImages };

struct SkinImage {
  int resourceId;
  const char* file;
  int frames;  // stacked vertically, frame 1 at the top
  int width;
  int frameHeight;
};

inline constexpr SkinImage kSkinImages[kNumSkinImages] = {
    {101, "TSQ-back.png", 1, kSkinPanelW, kSkinPanelH},
    {103, "271-frame-stack-fixed-again.png", kSkinKnobFrames, kSkinFreqKnobSize, kSkinFreqKnobSize},
    {104, "smallknob.png", kSkinKnobFrames, kSkinLevelKnobSize, kSkinLevelKnobSize},
    {102, "TSQ-OS.png", 2, kSkinSwitchW, kSkinSwitchFrameH},
};

// One control of the panel, in the order the editor attaches them. steps is the number of
// positions of a stepped knob, 0 for a continuous knob or the switch.
struct SkinControl {
  int paramIdx;
  int x, y;
  ESkinImage image;
  int steps;
};

enum { kNumSkinControls = 10 };
inline constexpr SkinControl kSkinControls[kNumSkinControls] = {
    {8, 53, 92, kSkinLevelKnob, 0},    // Gain
    {2, 270, 139, kSkinLevelKnob, 0},  // LoShelf Level
    {4, 376, 139, kSkinLevelKnob, 0},  // MF Level 1
    {6, 482, 139, kSkinLevelKnob, 0},  // MF Level 2
    {7, 581, 80, kSkinLevelKnob, 0},   // HiShelf Level
    {0, 158, 50, kSkinFreqKnob, 6},    // HPF
    {1, 261, 29, kSkinFreqKnob, 4},    // LoShelf Freq
    {3, 367, 29, kSkinFreqKnob, 6},    // MF 1 Freq
    {5, 471, 29, kSkinFreqKnob, 7},    // MF 2 Freq
    {9, 173, 157, kSkinSwitch, 0},     // Oversample
};

inline double SkinCentreX(const SkinControl& c) { return c.x + kSkinImages[c.image].width / 2.0; }
inline double SkinCentreY(const SkinControl& c) {
  return c.y + kSkinImages[c.image].frameHeight / 2.0;
}

// The pointer turns 300 degrees, from 150 degrees left of straight up (value 0) to 150 degrees
// right of it (value 1), leaving the gap at the bottom.
inline constexpr double kSkinSweepDegrees = 300.0;

// The pointer's angle for a normalised value: radians, 0 straight up, growing clockwise.
inline double SkinKnobAngle(double value) {
  return (value - 0.5) * kSkinSweepDegrees * M_PI / 180.0;
}

// The point at radius r along the angle (0 up, clockwise) around (cx, cy).
inline double Skin_PolarX(double cx, double angle, double r) { return cx + r * std::sin(angle); }
inline double Skin_PolarY(double cy, double angle, double r) { return cy - r * std::cos(angle); }

// The frame (1-based) a knob strip shows for a normalised value: frame k of n shows value
// (k - 1) / (n - 1), so value v is frame trunc((n - 1) v + 0.5) + 1, held to 1..n.
inline int SkinKnobFrame(double value, int frames) {
  const double k = std::trunc((frames - 1) * value + 0.5) + 1;
  if (!(k >= 1)) return 1;  // below the range, or not a number
  return k > frames ? frames : static_cast<int>(k);
}
