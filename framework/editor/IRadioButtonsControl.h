#pragma once
// A row or column of buttons sharing one two-frame image (off, on), of which one is active. With
// n buttons, button i stands for the value i / (n - 1).

#include "core/Core_TypedBuf.h"
#include "framework/editor/IControl.h"

class IRadioButtonsControl : public IControl {
 public:
  // The buttons are spread evenly over pR from its top-left corner, the first and the last
  // touching its edges. A single button sits at the corner and stands for 0; a count below 1
  // gives no buttons.
  IRadioButtonsControl(IPluginBase* plug, const IRECT* pR, int paramIdx, int nButtons,
                       const IBitmap* pBitmap, EDirection direction = kVertical);
  bool Draw(IGraphics* pGraphics) override;
  // Selects the first button under the point; the value is sent to the plug-in even when the
  // press falls between buttons. A press with Right only prompts.
  void OnMouseDown(int x, int y, IMouseMod* pMod) override;

  int NButtons() const { return mButtonRects.GetSize(); }
  IRECT ButtonRect(int i) const { return mButtonRects.Get()[i]; }

 protected:
  Core_TypedBuf<IRECT> mButtonRects;
  IBitmap mSkin;
};
