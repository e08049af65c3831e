#include "framework/editor/IControl.h"

#include "framework/IPluginBase.h"
#include "framework/editor/IGraphics.h"

IControl::IControl(IPluginBase* plug, const IRECT* pR, int paramIdx, IChannelBlend blend)
    : mPlugin(plug),
      mDrawRect(pR ? *pR : IRECT()),
      mHitRect(mDrawRect),
      mParamIndex(paramIdx),
      mValue(0.0),
      mResetValue(-1.0),
      mMinValue(0.0),
      mMaxValue(1.0),
      mDirty(true),
      mHidden(false),
      mGrayedOut(false),
      mRedrawPending(false),
      mNoPrompt(false),
      mDoubleClickAsDown(false),
      mDrawBlend(blend) {}

IGraphics* IControl::GetGUI() const { return mPlugin ? mPlugin->GetGUI() : nullptr; }

void IControl::OnMouseDown(int, int, IMouseMod* pMod) {
  if (pMod && pMod->Right) PromptUserInput();
}

void IControl::OnMouseDblClick(int, int, IMouseMod*) {
  if (mResetValue >= 0.0) {
    mValue = mResetValue;
    SetDirty(true);
  }
}

void IControl::OnMouseWheel(int, int, IMouseMod* pMod, int d) {
  const bool fine = pMod && (pMod->Ctrl || pMod->Shift);
  mValue += d * (fine ? 0.001 : 0.01);
  SetDirty(true);
}

void IControl::SetValueFromPlug(double value) {
  if (mResetValue < 0.0) {
    mValue = mResetValue = value;
  } else if (value == mValue) {
    return;
  } else {
    mValue = value;
  }
  SetDirty(false);
  mRedrawPending = true;
}

void IControl::SetValueFromUserInput(double value) {
  if (value != mValue) {
    mValue = value;
    SetDirty(true);
    mRedrawPending = true;
  }
}

void IControl::Hide(bool hide) {
  mRedrawPending = true;
  mHidden = hide;
  SetDirty(false);
}

void IControl::GrayOut(bool gray) {
  mGrayedOut = gray;
  mDrawBlend.mOpacity = gray ? 0.25f : 1.0f;
  SetDirty(false);
}

void IControl::SetDirty(bool pushParamToPlug) {
  // Written so that a value that is not a number ends at the bottom of the range instead of
  // travelling on to the frame arithmetic and the plug-in.
  if (!(mValue >= mMinValue))
    mValue = mMinValue;
  else if (mValue > mMaxValue)
    mValue = mMaxValue;
  mDirty = true;
  if (pushParamToPlug && mPlugin && mParamIndex >= 0)
    mPlugin->SetParameterFromGUI(mParamIndex, mValue);
}

void IControl::SetClean() {
  mDirty = mRedrawPending;
  mRedrawPending = false;
}

void IControl::PromptUserInput() {
  if (mParamIndex < 0 || mNoPrompt || !mPlugin) return;
  IGraphics* gui = mPlugin->GetGUI();
  IParam* param = mPlugin->GetParam(mParamIndex);
  if (!gui || !param) return;
  gui->PromptUserInput(this, param);
  mRedrawPending = true;
}

int FrameForValue(int nFrames, double value) {
  if (nFrames <= 1 || !(value == value)) return 1;
  // Values outside 0..1 are cut before the conversion, which is undefined past int's range.
  const double v = value < -1.0 ? -1.0 : (value > 2.0 ? 2.0 : value);
  const int i = static_cast<int>((nFrames - 1) * v + 0.5) + 1;
  return i < 1 ? 1 : (i > nFrames ? nFrames : i);
}
