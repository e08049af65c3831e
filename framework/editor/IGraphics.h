#pragma once
// The platform-neutral heart of a plug-in's editor: the ordered list of controls (the background
// first, later ones drawn on top and hit first), dirty tracking and the redraw cycle, mouse
// dispatch with capture, and the value traffic between controls and parameters.
//
// Drawing primitives and window operations are virtual; the raster back end and the window host
// implement them. A subclass that overrides one overload of DrawBitmap, DrawVerticalLine,
// DrawHorizontalLine or OpenWindow adds `using IGraphics::Name;` so the others stay visible.
//
// How the plug-in base reaches the editor. The framework core owns the editor and calls exactly
// three of its operations: SetParameterFromPlug (attach time, host changes, preset restores),
// PrepDraw and the destructor. The latter two are virtual, and SetParameterFromPlug is defined
// inline below, so the core calls all three through this header alone: it never links the editor
// library, and dependencies keep pointing from the editor to the core. (Sanitizer builds compile
// the core files that make these calls without the dynamic-type check, which would need this
// library's type information; see framework/CMakeLists.txt.)

#include "core/Core_Mutex.h"
#include "core/Core_PtrList.h"
#include "core/Core_String.h"
#include "framework/IPluginBase.h"
#include "framework/editor/IControl.h"
#include "framework/editor/IGraphicsStructs.h"

class IGraphics {
 public:
  // ticksPerSecond: rate of the window host's redraw timer; 0 or less means 24.
  IGraphics(IPluginBase* plug, int w, int h, int ticksPerSecond = 0);
  IGraphics(const IGraphics&) = delete;
  IGraphics& operator=(const IGraphics&) = delete;

  // ---- Virtual operations, in slot order ----
  virtual void PrepDraw() = 0;
  virtual bool DrawScreen(IRECT* pR) = 0;
  // Draws the image region starting at (srcX, srcY), of the destination's size, at pDest; clipped
  // to mClipRect.
  virtual bool DrawBitmap(IBitmap* pBitmap, IRECT* pDest, int srcX, int srcY,
                          const IChannelBlend* pBlend) = 0;
  virtual bool DrawRotatedBitmap(IBitmap* pBitmap, int destCtrX, int destCtrY, double angle,
                                 int yOffsetZeroDeg, const IChannelBlend* pBlend) = 0;
  virtual bool DrawRotatedMask(IBitmap* pBase, IBitmap* pMask, IBitmap* pTop, int x, int y,
                               double angle, const IChannelBlend* pBlend) = 0;
  virtual bool DrawPoint(const IColor* pColor, float x, float y, const IChannelBlend* pBlend,
                         bool antiAlias) = 0;
  virtual bool ForcePixel(const IColor* pColor, int x, int y) = 0;
  virtual bool DrawLine(const IColor* pColor, float x1, float y1, float x2, float y2,
                        const IChannelBlend* pBlend, bool antiAlias) = 0;
  virtual bool DrawArc(const IColor* pColor, float cx, float cy, float r, float minAngle,
                       float maxAngle, const IChannelBlend* pBlend, bool antiAlias) = 0;
  virtual bool DrawCircle(const IColor* pColor, float cx, float cy, float r,
                          const IChannelBlend* pBlend, bool antiAlias) = 0;
  virtual bool FillIRect(const IColor* pColor, IRECT* pR, const IChannelBlend* pBlend) = 0;
  virtual bool DrawIText(IText* pTxt, const char* str, IRECT* pR) = 0;
  virtual IColor GetPoint(int x, int y) = 0;
  virtual void* GetData() = 0;
  // Stores the new size, releases the mouse, deletes every control and asks the plug-in to
  // rebuild them (IPluginBase::ResizeGraphics).
  virtual void Resize(int w, int h);
  virtual bool WindowIsOpen() { return GetWindow() != nullptr; }
  virtual void PromptUserInput(IControl* pControl, IParam* pParam) = 0;
  virtual void HostPath(Core_String* pPath) = 0;
  virtual void PluginPath(Core_String* pPath) = 0;
  virtual void PromptForFile(Core_String* pResult, EFileAction action, const char* dir,
                             const char* extensions) = 0;
  virtual bool PromptForColor(IColor* pColor, const char* prompt) = 0;
  // The three texts travel with the request for hosts that show them.
  virtual bool OpenURL(const char* url, const char* msgWindowTitle, const char* confirmMsg,
                       const char* errMsgOnFailure) = 0;
  virtual void* OpenWindow(void* pParentWnd) = 0;
  virtual void* OpenWindow(void*, void*) { return nullptr; }
  virtual void CloseWindow() = 0;
  virtual void* GetWindow() = 0;
  // Deletes every control, the last first.
  virtual ~IGraphics();
  virtual IBitmap LoadIBitmap(int id, const char* name, int nFrames) = 0;
  virtual IBitmap ScaleBitmap(IBitmap* pBitmap, int destW, int destH) = 0;
  virtual IBitmap CropBitmap(IBitmap* pBitmap, IRECT* pR) = 0;
  // Loads the image (one frame) and inserts it at index 0 as an opaque, parameterless control.
  virtual void AttachBackground(int id, const char* name);
  // Lines from one end to the other inclusive; here through DrawLine, opaque.
  virtual bool DrawVerticalLine(const IColor* pColor, int xi, int yLo, int yHi);
  virtual bool DrawHorizontalLine(const IColor* pColor, int yi, int xLo, int xHi);
  virtual void RetainBitmap(IBitmap* pBitmap) = 0;
  virtual void ReleaseBitmap(IBitmap* pBitmap) = 0;
  virtual Raster_IBitmap* OSLoadBitmap(int id, const char* name) = 0;

  // ---- The control list ----
  // Appends the control, which the editor then owns; returns its index (-1 and the control
  // deleted when the list cannot grow).
  int AttachControl(IControl* pControl);
  IControl* GetControl(int idx) const { return mControlList.Get(idx); }
  int NControls() const { return mControlList.GetSize(); }

  // ---- Value traffic; every loop visits every control bound to the parameter ----
  // From the plug-in: value is normalised when normalized is set, else a real value of the
  // parameter, converted here. A real value for a parameter that does not exist goes nowhere.
  void SetParameterFromPlug(int paramIdx, double value, bool normalized) {
    if (!normalized) {
      IParam* param = mPlugin ? mPlugin->GetParam(paramIdx) : nullptr;
      if (!param) return;
      value = param->GetNormalized(value);
    }
    ForEachControlOf(paramIdx, [value](IControl* c) { c->SetValueFromPlug(value); });
  }
  // Ignored for an index outside the list.
  void SetControlFromPlug(int controlIdx, double normalizedValue);
  // A typed value for the parameter, as the user's: sent on to the plug-in.
  void SetParameterFromGUI(int paramIdx, double normalizedValue);
  // Clamp range of the controls bound to paramIdx, from real values unless normalized.
  void ClampControl(int paramIdx, double lo, double hi, bool normalized);
  void HideControl(int paramIdx, bool hide);
  void GrayOutControl(int paramIdx, bool gray);
  void SetAllControlsDirty();
  void SetStrictDrawing(bool strict);
  void OnGUIIdle();
  void DisplayControlValue(IControl*) {}

  // ---- Drawing helpers on the primitives ----
  // state is a 1-based frame number; 1 or less draws the first frame.
  bool DrawBitmap(IBitmap* pBitmap, IRECT* pDest, int state, const IChannelBlend* pBlend);
  bool DrawRect(const IColor* pColor, IRECT* pR);
  // At fraction x (clamped to 0..1) of the width, from the top to the bottom of pR.
  bool DrawVerticalLine(const IColor* pColor, IRECT* pR, float x);
  // At fraction y (clamped to 0..1) of the height counted from the bottom, across pR.
  bool DrawHorizontalLine(const IColor* pColor, IRECT* pR, float y);
  // angle in radians, 0 pointing up, growing clockwise; from radius rMin to rMax.
  bool DrawRadialLine(const IColor* pColor, float cx, float cy, float angle, float rMin, float rMax,
                      const IChannelBlend* pBlend, bool antiAlias);

  // ---- Redraw cycle ----
  // Merges the draw rectangles of the dirty controls into *pR (given empty); false when none is
  // dirty. The 21st quiet call in a row gives every control its idle call.
  bool IsDirty(IRECT* pR);
  // Draws the controls in the region and copies it to the screen; see IGraphics.cpp for the two
  // orders. A null region means the whole editor.
  bool Draw(IRECT* pR);

  // ---- Mouse and keys (editor pixels, origin top-left); a null modifier means none ----
  // The captured control wherever the point is; else the topmost visible, ungrayed control hit.
  int GetMouseControlIdx(int x, int y);
  void OnMouseDown(int x, int y, IMouseMod* pMod);
  void OnMouseUp(int x, int y, IMouseMod* pMod);
  void OnMouseDrag(int x, int y, IMouseMod* pMod);
  // True when the control took the double-click as a press.
  bool OnMouseDblClick(int x, int y, IMouseMod* pMod);
  void OnMouseWheel(int x, int y, IMouseMod* pMod, int d);
  // False when hover tracking is off.
  bool OnMouseOver(int x, int y, IMouseMod* pMod);
  void OnMouseOut();
  void OnKeyDown(int x, int y, int key);
  void ReleaseMouseCapture();
  void HandleMouseOver(bool canHandle) { mTrackHover = canHandle; }

  // ---- Accessors ----
  IPluginBase* GetPlug() const { return mPlugin; }
  int Width() const { return mEditorWidth; }
  int Height() const { return mEditorHeight; }
  int FPS() const { return mTickRate; }
  bool StrictDrawing() const { return mStrictDrawing; }
  int CapturedControl() const { return mCapturedControl; }
  int HoverControl() const { return mHoverControl; }
  const IRECT& ClipRect() const { return mClipRect; }
  // Not taken by anything here; a window host may serialise its timer and teardown on it.
  Core_Mutex* GetMutex() { return &mMutex; }

 protected:
  Core_PtrList<IControl> mControlList;
  IPluginBase* mPlugin;
  IRECT mClipRect;
  Core_Mutex mMutex;
  int mEditorWidth, mEditorHeight;
  int mTickRate;
  int mIdleCount;
  int mCapturedControl;
  int mHoverControl;
  int mLastMouseX, mLastMouseY;
  bool mTrackHover;
  bool mStrictDrawing;
  bool mRightButtonDown;

 private:
  // Calls f on every control bound to paramIdx, in list order.
  template <class F>
  void ForEachControlOf(int paramIdx, F f) {
    for (int i = 0; i < mControlList.GetSize(); ++i) {
      IControl* c = mControlList.Get(i);
      if (c->ParamIdx() == paramIdx) f(c);
    }
  }
  void DeleteControls();
  void DrawStrict(const IRECT& r);
  void DrawNonStrict();
  bool DrawControl(IControl* pControl);
  // The control under the point and its index (capture rules apply); null when none.
  IControl* ControlAt(int x, int y, int* pIdx);
};
