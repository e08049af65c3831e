#pragma once
// Base of every editor control: a normalised value (0..1) bound to at most one plug-in
// parameter, the rectangle the control draws in, the rectangle it takes mouse events in, and the
// dirty flags the editor's redraw cycle reads.
//
// Values travel two ways. From the plug-in: SetValueFromPlug, which marks the control for
// redrawing but sends nothing back. From the user: a handler changes mValue and calls
// SetDirty(true), which clamps it into [mMinValue, mMaxValue] and sends it to the plug-in
// (IPluginBase::SetParameterFromGUI), which stores the parameter and informs the host.

#include "framework/editor/IGraphicsStructs.h"

class IGraphics;
class IPluginBase;

class IControl {
 public:
  IControl(IPluginBase* plug, const IRECT* pR, int paramIdx = -1,
           IChannelBlend blend = IChannelBlend());
  virtual ~IControl() {}
  IControl(const IControl&) = delete;
  IControl& operator=(const IControl&) = delete;

  // ---- Virtual operations, in slot order ----
  // A press with the Right modifier asks for a typed value (PromptUserInput); nothing else.
  virtual void OnMouseDown(int x, int y, IMouseMod* pMod);
  virtual void OnMouseUp(int, int, IMouseMod*) {}
  virtual void OnMouseDrag(int, int, int, int, IMouseMod*) {}
  // Restores the reset value (the first value the plug-in sent), when there is one.
  virtual void OnMouseDblClick(int x, int y, IMouseMod* pMod);
  // Moves the value by d hundredths, or d thousandths with Ctrl or Shift held.
  virtual void OnMouseWheel(int x, int y, IMouseMod* pMod, int d);
  virtual void OnKeyDown(int, int, int) {}
  virtual void OnMouseOver(int, int, IMouseMod*) {}
  virtual void OnMouseOut() {}
  virtual bool Draw(IGraphics* pGraphics) = 0;
  // The first value ever received also becomes the reset value; an unchanged value does
  // nothing at all. Otherwise the control is marked for two redraws (see mRedrawPending).
  virtual void SetValueFromPlug(double value);
  virtual void Hide(bool hide);
  // A grayed control draws at a quarter of its weight and takes no mouse events.
  virtual void GrayOut(bool gray);
  virtual bool IsHit(int x, int y) { return mHitRect.Contains(x, y); }
  // Clamps mValue into the clamp range and marks the control dirty; with pushParamToPlug the
  // value is sent to the bound parameter.
  virtual void SetDirty(bool pushParamToPlug = true);
  virtual void SetClean();
  virtual bool IsDirty() { return mDirty; }
  virtual void OnGUIIdle() {}

  // A value typed by the user: taken and sent to the plug-in when it differs from the current.
  void SetValueFromUserInput(double value);
  // Asks the editor for a typed value of the bound parameter, unless there is none or prompts
  // are disabled.
  void PromptUserInput();

  // ---- Accessors ----
  IPluginBase* GetPlug() const { return mPlugin; }
  // The plug-in's editor, or null while none is attached.
  IGraphics* GetGUI() const;
  int ParamIdx() const { return mParamIndex; }
  double GetValue() const { return mValue; }
  double GetResetValue() const { return mResetValue; }
  double GetMinValue() const { return mMinValue; }
  double GetMaxValue() const { return mMaxValue; }
  const IRECT& GetRECT() const { return mDrawRect; }
  const IRECT& GetTargetRECT() const { return mHitRect; }
  void SetTargetArea(const IRECT& r) { mHitRect = r; }
  const IChannelBlend& GetBlend() const { return mDrawBlend; }
  bool IsHidden() const { return mHidden; }
  bool IsGrayed() const { return mGrayedOut; }
  bool RedrawPending() const { return mRedrawPending; }
  // The range the value is clamped into; applied at the next SetDirty.
  void Clamp(double lo, double hi) {
    mMinValue = lo;
    mMaxValue = hi;
  }
  void DisablePrompt(bool disable) { mNoPrompt = disable; }
  bool DoubleClickAsDown() const { return mDoubleClickAsDown; }
  void SetDoubleClickAsDown(bool asDown) { mDoubleClickAsDown = asDown; }

 protected:
  IPluginBase* mPlugin;
  IRECT mDrawRect;
  IRECT mHitRect;
  int mParamIndex;
  double mValue;
  double mResetValue;  // -1: not yet known
  double mMinValue, mMaxValue;
  bool mDirty;
  bool mHidden, mGrayedOut;
  bool mRedrawPending;  // keeps the control dirty through one more redraw
  bool mNoPrompt;
  bool mDoubleClickAsDown;
  IChannelBlend mDrawBlend;
};

// Frame of a filmstrip of nFrames frames that shows value (0..1): 1-based, nearest frame, always
// within 1..nFrames (1 for a single frame or a value that is not a number).
int FrameForValue(int nFrames, double value);
