#pragma once
// Controls that show their value as one frame of a filmstrip image, and the switches built on
// them.

#include "framework/editor/IControl.h"

// Draws the frame of mSkin that matches the value (frame 1 for a single-frame image). Takes the
// image's width and one frame's height at (x, y).
class IBitmapControl : public IControl {
 public:
  IBitmapControl(IPluginBase* plug, int x, int y, int paramIdx, const IBitmap* pBitmap,
                 IChannelBlend blend = IChannelBlend());
  bool Draw(IGraphics* pGraphics) override;

 protected:
  IBitmap mSkin;
};

// Each press steps to the next frame's value (1 / (frames - 1), or 1 for a single frame) and
// wraps past the last to 0: a 3-frame switch cycles 0, 0.5, 1, 0. A press with Right prompts
// instead of stepping.
class ISwitchControl : public IBitmapControl {
 public:
  using IBitmapControl::IBitmapControl;
  void OnMouseDown(int x, int y, IMouseMod* pMod) override;
};

// A switch that springs back to 0 on release.
class IContactControl : public ISwitchControl {
 public:
  using ISwitchControl::ISwitchControl;
  void OnMouseUp(int x, int y, IMouseMod* pMod) override;
};

// A switch shown only while on (value 0.5 or more). While off nothing is drawn and it takes
// clicks in pTargetArea instead of its own rectangle; the switch takes effect at the next draw.
class IBitmapOverlayControl : public ISwitchControl {
 public:
  IBitmapOverlayControl(IPluginBase* plug, int x, int y, int paramIdx, const IBitmap* pBitmap,
                        const IRECT* pTargetArea, IChannelBlend blend = IChannelBlend());
  bool Draw(IGraphics* pGraphics) override;

 protected:
  IRECT mOffHitRect;
};

// An area without image that toggles between 0 and 1 on each press; never prompts.
class IInvisibleSwitchControl : public IControl {
 public:
  IInvisibleSwitchControl(IPluginBase* plug, const IRECT* pR, int paramIdx);
  bool Draw(IGraphics*) override { return true; }
  void OnMouseDown(int x, int y, IMouseMod* pMod) override;
};
