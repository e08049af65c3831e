#include "framework/editor/IRadioButtonsControl.h"

#include "framework/editor/IGraphics.h"

IRadioButtonsControl::IRadioButtonsControl(IPluginBase* plug, const IRECT* pR, int paramIdx,
                                           int nButtons, const IBitmap* pBitmap,
                                           EDirection direction)
    : IControl(plug, pR, paramIdx), mButtonRects(4096), mSkin(pBitmap ? *pBitmap : IBitmap()) {
  const int w = mSkin.mWidth;
  const double h = static_cast<double>(mSkin.mHeight) / mSkin.mFrames;
  const int hi = static_cast<int>(h);
  // The gap between neighbours; one button has none (and no division by n - 1).
  double gap = 0.0;
  if (nButtons > 1) {
    if (direction == kHorizontal)
      gap = (mDrawRect.W() - nButtons * static_cast<double>(w));
    else
      gap = (mDrawRect.H() - nButtons * static_cast<double>(hi));
    gap /= nButtons - 1;
  }
  const int step = (direction == kHorizontal ? w : hi) + static_cast<int>(gap);
  int x = mDrawRect.L, y = mDrawRect.T;
  for (int i = 0; i < nButtons; ++i) {
    if (!mButtonRects.Add(IRECT(x, y, x + w, y + hi))) break;
    if (direction == kHorizontal)
      x += step;
    else
      y += step;
  }
}

bool IRadioButtonsControl::Draw(IGraphics* pGraphics) {
  const int n = NButtons();
  // The nearest button; clamped before the conversion so no value can overflow it.
  const double pos = (n - 1) * mValue + 0.5;
  const int active = pos >= n - 1 ? n - 1 : (pos > 0.0 ? static_cast<int>(pos) : 0);
  for (int i = 0; i < n; ++i) {
    IRECT r = ButtonRect(i);
    pGraphics->DrawBitmap(&mSkin, &r, i == active ? 2 : 1, &mDrawBlend);
  }
  return true;
}

void IRadioButtonsControl::OnMouseDown(int x, int y, IMouseMod* pMod) {
  if (pMod && pMod->Right) {
    PromptUserInput();
    return;
  }
  const int n = NButtons();
  for (int i = 0; i < n; ++i) {
    if (ButtonRect(i).Contains(x, y)) {
      mValue = n > 1 ? static_cast<double>(i) / (n - 1) : 0.0;
      break;
    }
  }
  SetDirty(true);
}
