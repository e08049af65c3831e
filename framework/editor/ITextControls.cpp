#include "framework/editor/ITextControls.h"

#include <cstring>

#include "framework/editor/IGraphics.h"

ITextControl::ITextControl(IPluginBase* plug, const IRECT* pR, const IText* pText, const char* str)
    : IControl(plug, pR), mTextStyle(pText ? *pText : IText()), mString(str, 128) {}

bool ITextControl::Draw(IGraphics* pGraphics) {
  if (mString.GetLength() == 0) return true;
  return pGraphics->DrawIText(&mTextStyle, mString.Get(), &mDrawRect);
}

void ITextControl::SetTextFromPlug(const char* str) {
  if (!str) str = "";
  if (strcmp(str, mString.Get()) == 0) return;
  SetDirty(false);
  mString.Set(str);
}

ICaptionControl::ICaptionControl(IPluginBase* plug, const IRECT* pR, int paramIdx,
                                 const IText* pText, bool appendLabel)
    : ITextControl(plug, pR, pText), mAppendLabel(appendLabel) {
  mParamIndex = paramIdx;
}

bool ICaptionControl::Draw(IGraphics* pGraphics) {
  IParam* param = mPlugin ? mPlugin->GetParam(mParamIndex) : nullptr;
  if (!param) {
    mString.Set("");
    return true;
  }
  char display[kParamTextSize];
  param->GetDisplayForHost(param->Value(), false, display);
  mString.Set(display);
  if (mAppendLabel) {
    mString.Append(" ");
    mString.Append(param->GetLabelForHost());
  }
  return ITextControl::Draw(pGraphics);
}
