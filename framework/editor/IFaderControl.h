#pragma once
// A handle image that slides along a track of len pixels; the handle's centre follows the
// pointer. Vertical faders have 1 at the top.

#include "framework/editor/IControl.h"

class IFaderControl : public IControl {
 public:
  // The track runs from (x, y) along the direction for len pixels and is as wide as the handle
  // across it. A track no longer than the handle leaves the handle where it is.
  IFaderControl(IPluginBase* plug, int x, int y, int len, int paramIdx, const IBitmap* pHandle,
                EDirection direction = kVertical);
  bool Draw(IGraphics* pGraphics) override;
  // A press with Right prompts; any other press, and every drag, snaps to the pointer.
  void OnMouseDown(int x, int y, IMouseMod* pMod) override;
  void OnMouseDrag(int x, int y, int dX, int dY, IMouseMod* pMod) override;

  // Where the handle is drawn for value (the current value when negative).
  IRECT GetHandleRECT(double value = -1.0) const;
  void SnapToMouse(int x, int y);

 protected:
  int mTravel;
  int mHandleSize;
  IBitmap mHandleImage;
  EDirection mAxis;

 private:
  // Pixels the handle can move; 0 when the track is not longer than the handle.
  int Range() const { return mTravel > mHandleSize ? mTravel - mHandleSize : 0; }
};
