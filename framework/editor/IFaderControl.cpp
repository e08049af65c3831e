#include "framework/editor/IFaderControl.h"

#include "framework/editor/IGraphics.h"

IFaderControl::IFaderControl(IPluginBase* plug, int x, int y, int len, int paramIdx,
                             const IBitmap* pHandle, EDirection direction)
    : IControl(plug, nullptr, paramIdx),
      mTravel(len),
      mHandleSize(0),
      mHandleImage(pHandle ? *pHandle : IBitmap()),
      mAxis(direction) {
  const int w = mHandleImage.mWidth, h = mHandleImage.mHeight;
  if (direction == kHorizontal) {
    mHandleSize = w;
    mDrawRect = IRECT(x, y, x + len, y + h);
  } else {
    mHandleSize = h;
    mDrawRect = IRECT(x, y, x + w, y + len);
  }
  mHitRect = mDrawRect;
}

IRECT IFaderControl::GetHandleRECT(double value) const {
  if (value < 0.0) value = mValue;
  IRECT r(mDrawRect.L, mDrawRect.T, mDrawRect.L + mHandleImage.mWidth,
          mDrawRect.T + mHandleImage.mHeight);
  if (mAxis == kHorizontal) {
    const int offset = static_cast<int>(value * Range());
    r.L += offset;
    r.R += offset;
  } else {
    const int offset = static_cast<int>((1.0 - value) * Range());
    r.T += offset;
    r.B += offset;
  }
  return r;
}

bool IFaderControl::Draw(IGraphics* pGraphics) {
  IRECT r = GetHandleRECT();
  return pGraphics->DrawBitmap(&mHandleImage, &r, 1, &mDrawBlend);
}

void IFaderControl::OnMouseDown(int x, int y, IMouseMod* pMod) {
  if (pMod && pMod->Right)
    PromptUserInput();
  else
    SnapToMouse(x, y);
}

void IFaderControl::OnMouseDrag(int x, int y, int, int, IMouseMod*) { SnapToMouse(x, y); }

void IFaderControl::SnapToMouse(int x, int y) {
  if (Range() > 0) {
    if (mAxis == kHorizontal)
      mValue = static_cast<double>(x - mDrawRect.L - mHandleSize / 2) / Range();
    else
      mValue = 1.0 - static_cast<double>(y - mDrawRect.T - mHandleSize / 2) / Range();
  }
  SetDirty(true);
}
