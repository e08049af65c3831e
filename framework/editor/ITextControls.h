#pragma once
// Controls that show a line of text: a fixed or plug-in supplied text, and the caption of a
// parameter's current value.

#include "core/Core_String.h"
#include "framework/editor/IControl.h"

class ITextControl : public IControl {
 public:
  ITextControl(IPluginBase* plug, const IRECT* pR, const IText* pText, const char* str = "");
  // Nothing is drawn while the text is empty.
  bool Draw(IGraphics* pGraphics) override;
  // Takes the text and marks the control for redrawing, unless it is the same text; null reads
  // as the empty text.
  void SetTextFromPlug(const char* str);
  const char* GetText() const { return mString.Get(); }

 protected:
  IText mTextStyle;
  Core_String mString;
};

// The bound parameter's display text, followed by a space and its unit label when appendLabel
// is set (the space even when the label is empty). A caption bound to a parameter the plug-in
// does not have shows nothing.
class ICaptionControl : public ITextControl {
 public:
  ICaptionControl(IPluginBase* plug, const IRECT* pR, int paramIdx, const IText* pText,
                  bool appendLabel = true);
  bool Draw(IGraphics* pGraphics) override;

 protected:
  bool mAppendLabel;
};
