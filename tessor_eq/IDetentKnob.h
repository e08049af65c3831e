#pragma once
// A filmstrip knob that rests only on the positions of an enumeration (n positions spread
// evenly over 0..1) and jumps from one position to the next while it is dragged.
//
// While the mouse moves within half a step of the position the knob rests on, the image follows
// the mouse; once the dragged value passes half a step, the next draw moves the knob to the
// neighbouring position and further dragging is measured from there. Releasing the mouse always
// leaves the knob and its parameter on a position. A change from the host moves the knob by one
// position per call, towards the host's value.

#include "framework/editor/IKnobControls.h"

class IDetentKnob : public IKnobMultiControl {
 public:
  IDetentKnob(IPluginBase* plug, int x, int y, int paramIdx, IBitmap* pBitmap, int nSteps);

  void OnMouseUp(int x, int y, IMouseMod* pMod) override;
  void OnMouseDrag(int x, int y, int dX, int dY, IMouseMod* pMod) override;
  void OnMouseWheel(int x, int y, IMouseMod* pMod, int d) override;
  bool Draw(IGraphics* pGraphics) override;
  void SetValueFromPlug(double value) override;

 protected:
  // When the value was changed by something other than this knob's gestures (a double-click
  // reset), the knob rests where it was put: true when that happened.
  bool AdoptOutsideChange();

  double mDetentValue;  // the position the knob rests on
  double mStep;         // distance between two positions: 1 / (n - 1)
  double mHalfStep;
  double mDragValue;  // where the user's gestures have taken the knob since it last rested
  bool mFirstDraw;
  IBitmap mBitmap;
};
