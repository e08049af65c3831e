#include "framework/editor/IBitmapControls.h"

#include "framework/editor/IGraphics.h"

namespace {

IRECT FrameRect(int x, int y, const IBitmap* pBitmap) {
  return pBitmap ? IRECT(x, y, x + pBitmap->mWidth, y + pBitmap->FrameHeight()) : IRECT();
}

}  // namespace

IBitmapControl::IBitmapControl(IPluginBase* plug, int x, int y, int paramIdx,
                               const IBitmap* pBitmap, IChannelBlend blend)
    : IControl(plug, nullptr, paramIdx, blend), mSkin(pBitmap ? *pBitmap : IBitmap()) {
  mDrawRect = mHitRect = FrameRect(x, y, pBitmap);
}

bool IBitmapControl::Draw(IGraphics* pGraphics) {
  const int frame = FrameForValue(mSkin.mFrames, mValue);
  return pGraphics->DrawBitmap(&mSkin, &mDrawRect, frame, &mDrawBlend);
}

void ISwitchControl::OnMouseDown(int, int, IMouseMod* pMod) {
  if (pMod && pMod->Right)
    PromptUserInput();
  else
    mValue += mSkin.mFrames > 1 ? 1.0 / (mSkin.mFrames - 1) : 1.0;
  if (mValue > 1.001) mValue = 0.0;
  SetDirty(true);
}

void IContactControl::OnMouseUp(int, int, IMouseMod*) {
  mValue = 0.0;
  SetDirty(true);
}

IBitmapOverlayControl::IBitmapOverlayControl(IPluginBase* plug, int x, int y, int paramIdx,
                                             const IBitmap* pBitmap, const IRECT* pTargetArea,
                                             IChannelBlend blend)
    : ISwitchControl(plug, x, y, paramIdx, pBitmap, blend),
      mOffHitRect(pTargetArea ? *pTargetArea : IRECT()) {}

bool IBitmapOverlayControl::Draw(IGraphics* pGraphics) {
  if (mValue < 0.5) {
    mHitRect = mOffHitRect;
    return true;
  }
  mHitRect = mDrawRect;
  return ISwitchControl::Draw(pGraphics);
}

IInvisibleSwitchControl::IInvisibleSwitchControl(IPluginBase* plug, const IRECT* pR, int paramIdx)
    : IControl(plug, pR, paramIdx, IChannelBlend(kBlendOpaque, 1.0f)) {
  mNoPrompt = true;
}

void IInvisibleSwitchControl::OnMouseDown(int, int, IMouseMod*) {
  mValue = mValue < 0.5 ? 1.0 : 0.0;
  SetDirty(true);
}
