#include "tessor_eq/IDetentKnob.h"

#include <cmath>

#include "framework/editor/IGraphics.h"

namespace {

// The neighbouring position of `from` in the direction of `towards`.
double StepTowards(double from, double towards, double step) {
  return towards > from ? from + step : from - step;
}

}  // namespace

IDetentKnob::IDetentKnob(IPluginBase* plug, int x, int y, int paramIdx, IBitmap* pBitmap,
                         int nSteps)
    : IKnobMultiControl(plug, x, y, paramIdx, pBitmap),
      mDetentValue(0.0),
      // A knob of fewer than two positions has nowhere to go: one step covers the whole range.
      mStep(nSteps > 1 ? 1.0 / (nSteps - 1) : 1.0),
      mHalfStep(mStep / 2.0),
      mDragValue(0.0),
      mFirstDraw(true),
      mBitmap(pBitmap ? *pBitmap : IBitmap()) {
  mRedrawPending = true;
}

void IDetentKnob::OnMouseDrag(int x, int y, int dX, int dY, IMouseMod* pMod) {
  const double before = mValue;
  IKnobControl::OnMouseDrag(x, y, dX, dY, pMod);
  mDragValue += mValue - before;
}

void IDetentKnob::OnMouseWheel(int x, int y, IMouseMod* pMod, int d) {
  const double before = mValue;
  IControl::OnMouseWheel(x, y, pMod, d);
  mDragValue += mValue - before;
}

void IDetentKnob::OnMouseUp(int, int, IMouseMod*) {
  // The release of a double-click comes before the next draw has taken the reset value as the
  // position; without this the release would put the knob back where it was.
  AdoptOutsideChange();
  mDragValue = mDetentValue;
  mValue = mDetentValue;
  SetDirty(true);
}

void IDetentKnob::SetValueFromPlug(double value) {
  if (mResetValue < 0.0) {
    // The first value the plug-in sends (when the editor is attached) is where the parameter
    // stands: the knob starts there, and it is the value a double-click restores.
    mDetentValue = mDragValue = value;
    IControl::SetValueFromPlug(value);
    return;
  }
  if (std::fabs(value - mDetentValue) >= mHalfStep) {
    mDetentValue = mDragValue = StepTowards(mDetentValue, value, mStep);
    // The inherited call sets the value itself: one that already had it would take it as
    // unchanged and not redraw the knob.
    IControl::SetValueFromPlug(mDetentValue);
  } else {
    IControl::SetValueFromPlug(mValue);
  }
}

bool IDetentKnob::AdoptOutsideChange() {
  // The gesture handlers move the value and the drag value together, and a draw brings the
  // value to the drag value; a value far from it was set by something else.
  if (std::fabs(mValue - mDragValue) < 0.9 * mStep) return false;
  mDetentValue = mDragValue = mValue;
  return true;
}

bool IDetentKnob::Draw(IGraphics* pGraphics) {
  if (mFirstDraw) {
    mFirstDraw = false;
    mDetentValue = mDragValue = mValue;
    mRedrawPending = true;
  } else if (AdoptOutsideChange()) {
    SetDirty(true);
    mRedrawPending = true;
  } else if (std::fabs(mDragValue - mDetentValue) >= mHalfStep) {
    // Dragged past half a step: the knob jumps to the neighbouring position. The parameter
    // already has it, rounded from the dragged value the drag handler sent.
    mDetentValue = StepTowards(mDetentValue, mDragValue, mStep);
    mDragValue = mValue = mDetentValue;
    mRedrawPending = true;
  }
  const int frame = FrameForValue(mBitmap.mFrames, mDragValue);
  return pGraphics->DrawBitmap(&mBitmap, &mDrawRect, frame, &mDrawBlend);
}
