#include "framework/editor/IGraphics.h"

#include <cmath>

#include "framework/editor/IBitmapControls.h"

namespace {

// Controls the hit scan never returns: hidden or grayed ones.
bool TakesMouse(IControl* c) { return !c->IsHidden() && !c->IsGrayed(); }

}  // namespace

IGraphics::IGraphics(IPluginBase* plug, int w, int h, int ticksPerSecond)
    : mControlList(4096),
      mPlugin(plug),
      mEditorWidth(w),
      mEditorHeight(h),
      mTickRate(ticksPerSecond > 0 ? ticksPerSecond : 24),
      mIdleCount(0),
      mCapturedControl(-1),
      mHoverControl(-1),
      mLastMouseX(-1),
      mLastMouseY(-1),
      mTrackHover(false),
      mStrictDrawing(true),
      mRightButtonDown(false) {}

IGraphics::~IGraphics() { DeleteControls(); }

void IGraphics::DeleteControls() { mControlList.Empty(true); }

// ---- The control list ----

int IGraphics::AttachControl(IControl* pControl) {
  if (!pControl) return -1;
  if (!mControlList.Add(pControl)) {
    delete pControl;
    return -1;
  }
  return mControlList.GetSize() - 1;
}

void IGraphics::AttachBackground(int id, const char* name) {
  IBitmap bg = LoadIBitmap(id, name, 1);
  IControl* c = new IBitmapControl(mPlugin, 0, 0, -1, &bg, IChannelBlend(kBlendOpaque, 1.0f));
  if (!mControlList.Insert(0, c)) delete c;
}

void IGraphics::Resize(int w, int h) {
  mEditorWidth = w;
  mEditorHeight = h;
  ReleaseMouseCapture();
  // The hover index would name a control of the next generation.
  mHoverControl = -1;
  DeleteControls();
  if (mPlugin) mPlugin->ResizeGraphics(w, h);
}

// ---- Value traffic ----

void IGraphics::SetControlFromPlug(int controlIdx, double normalizedValue) {
  if (IControl* c = mControlList.Get(controlIdx)) c->SetValueFromPlug(normalizedValue);
}

void IGraphics::SetParameterFromGUI(int paramIdx, double normalizedValue) {
  ForEachControlOf(paramIdx, [&](IControl* c) { c->SetValueFromUserInput(normalizedValue); });
}

void IGraphics::ClampControl(int paramIdx, double lo, double hi, bool normalized) {
  if (!normalized) {
    IParam* param = mPlugin ? mPlugin->GetParam(paramIdx) : nullptr;
    if (!param) return;
    lo = param->GetNormalized(lo);
    hi = param->GetNormalized(hi);
  }
  ForEachControlOf(paramIdx, [&](IControl* c) { c->Clamp(lo, hi); });
}

void IGraphics::HideControl(int paramIdx, bool hide) {
  ForEachControlOf(paramIdx, [&](IControl* c) { c->Hide(hide); });
}

void IGraphics::GrayOutControl(int paramIdx, bool gray) {
  ForEachControlOf(paramIdx, [&](IControl* c) { c->GrayOut(gray); });
}

void IGraphics::SetAllControlsDirty() {
  for (int i = 0; i < NControls(); ++i) mControlList.Get(i)->SetDirty(false);
}

void IGraphics::SetStrictDrawing(bool strict) {
  mStrictDrawing = strict;
  SetAllControlsDirty();
}

void IGraphics::OnGUIIdle() {
  for (int i = 0; i < NControls(); ++i) mControlList.Get(i)->OnGUIIdle();
}

// ---- Drawing helpers ----

bool IGraphics::DrawBitmap(IBitmap* pBitmap, IRECT* pDest, int state, const IChannelBlend* pBlend) {
  if (!pBitmap) return false;
  int srcY = 0;
  if (pBitmap->mFrames > 1 && state > 1)
    srcY = static_cast<int>(static_cast<double>(pBitmap->mHeight) * (state - 1) / pBitmap->mFrames +
                            0.5);
  return DrawBitmap(pBitmap, pDest, 0, srcY, pBlend);
}

bool IGraphics::DrawRect(const IColor* pColor, IRECT* pR) {
  // All four sides are drawn even when one fails.
  bool ok = DrawHorizontalLine(pColor, pR->T, pR->L, pR->R);
  ok = DrawHorizontalLine(pColor, pR->B, pR->L, pR->R) && ok;
  ok = DrawVerticalLine(pColor, pR->L, pR->T, pR->B) && ok;
  ok = DrawVerticalLine(pColor, pR->R, pR->T, pR->B) && ok;
  return ok;
}

namespace {

// Clamps a fraction into 0..1; a value that is not a number counts as 0.
float Fraction(float f) { return f > 1.0f ? 1.0f : (f > 0.0f ? f : 0.0f); }

}  // namespace

bool IGraphics::DrawVerticalLine(const IColor* pColor, IRECT* pR, float x) {
  const int xi = pR->L + static_cast<int>((pR->R - pR->L) * Fraction(x));
  return DrawVerticalLine(pColor, xi, pR->T, pR->B);
}

bool IGraphics::DrawHorizontalLine(const IColor* pColor, IRECT* pR, float y) {
  const int yi = pR->B - static_cast<int>((pR->B - pR->T) * Fraction(y));
  return DrawHorizontalLine(pColor, yi, pR->L, pR->R);
}

bool IGraphics::DrawVerticalLine(const IColor* pColor, int xi, int yLo, int yHi) {
  IChannelBlend opaque(kBlendOpaque, 1.0f);
  return DrawLine(pColor, static_cast<float>(xi), static_cast<float>(yLo), static_cast<float>(xi),
                  static_cast<float>(yHi), &opaque, false);
}

bool IGraphics::DrawHorizontalLine(const IColor* pColor, int yi, int xLo, int xHi) {
  IChannelBlend opaque(kBlendOpaque, 1.0f);
  return DrawLine(pColor, static_cast<float>(xLo), static_cast<float>(yi), static_cast<float>(xHi),
                  static_cast<float>(yi), &opaque, false);
}

bool IGraphics::DrawRadialLine(const IColor* pColor, float cx, float cy, float angle, float rMin,
                               float rMax, const IChannelBlend* pBlend, bool antiAlias) {
  const float sinV = std::sin(angle);
  const float cosV = std::cos(angle);
  return DrawLine(pColor, cx + sinV * rMin, cy - cosV * rMin, cx + sinV * rMax, cy - cosV * rMax,
                  pBlend, antiAlias);
}

// ---- Redraw cycle ----

bool IGraphics::IsDirty(IRECT* pR) {
  IRECT merged = pR ? *pR : IRECT();
  bool dirty = false;
  for (int i = 0; i < NControls(); ++i) {
    IControl* c = mControlList.Get(i);
    if (c->IsDirty()) {
      merged = merged.Union(c->GetRECT());
      dirty = true;
    }
  }
  if (pR) *pR = merged;
  if (dirty) {
    mIdleCount = 0;
    return true;
  }
  // Controls that animate on their own get a call after a second or so without redraws.
  if (++mIdleCount > 20) {
    OnGUIIdle();
    mIdleCount = 0;
  }
  return false;
}

bool IGraphics::DrawControl(IControl* pControl) { return pControl->Draw(this); }

// Strict: every visible control the region touches is drawn, in list order, with the region as
// the clip; every control is cleaned, drawn or not.
void IGraphics::DrawStrict(const IRECT& r) {
  mClipRect = r;
  for (int i = 0; i < NControls(); ++i) {
    IControl* c = mControlList.Get(i);
    if (!c->IsHidden() && !r.Empty() && r.Intersects(c->GetRECT())) DrawControl(c);
    c->SetClean();
  }
}

// Non-strict: a dirty background repaints everything; otherwise each dirty control is repainted
// with the slices of the controls under and over it, clipped to its own rectangle.
void IGraphics::DrawNonStrict() {
  IControl* bg = mControlList.Get(0);
  if (bg->IsDirty()) {
    mClipRect = bg->GetRECT();
    for (int i = 0; i < NControls(); ++i) {
      IControl* c = mControlList.Get(i);
      if (i == 0 || !c->IsHidden()) {
        DrawControl(c);
        c->SetClean();
      }
    }
    return;
  }
  for (int i = 1; i < NControls(); ++i) {
    IControl* dirty = mControlList.Get(i);
    if (!dirty->IsDirty()) continue;
    mClipRect = dirty->GetRECT();
    for (int j = 0; j < NControls(); ++j) {
      IControl* c = mControlList.Get(j);
      // A control that was just hidden is dirty too: what lies under it is repainted, the
      // control itself is not.
      if (c->IsHidden()) continue;
      if (j == i || (!c->GetRECT().Empty() && c->GetRECT().Intersects(mClipRect))) DrawControl(c);
    }
    dirty->SetClean();
  }
}

bool IGraphics::Draw(IRECT* pR) {
  if (NControls() == 0) return true;
  IRECT whole(0, 0, mEditorWidth, mEditorHeight);
  if (!pR) pR = &whole;
  if (mStrictDrawing)
    DrawStrict(*pR);
  else
    DrawNonStrict();
  return DrawScreen(pR);
}

// ---- Mouse and keys ----

int IGraphics::GetMouseControlIdx(int x, int y) {
  if (mCapturedControl >= 0 && mCapturedControl < NControls()) return mCapturedControl;
  for (int i = NControls() - 1; i >= 0; --i) {
    IControl* c = mControlList.Get(i);
    if (TakesMouse(c) && c->IsHit(x, y)) return i;
  }
  return -1;
}

IControl* IGraphics::ControlAt(int x, int y, int* pIdx) {
  *pIdx = GetMouseControlIdx(x, y);
  return mControlList.Get(*pIdx);
}

void IGraphics::ReleaseMouseCapture() {
  mCapturedControl = -1;
  mLastMouseX = mLastMouseY = -1;
}

void IGraphics::OnMouseDown(int x, int y, IMouseMod* pMod) {
  IMouseMod mod = pMod ? *pMod : IMouseMod();
  ReleaseMouseCapture();
  int idx;
  IControl* c = ControlAt(x, y, &idx);
  if (!c) return;
  mCapturedControl = idx;
  mLastMouseX = x;
  mLastMouseY = y;
  mRightButtonDown = mod.Right;
  c->OnMouseDown(x, y, &mod);
  // Read after the handler, which may have rebound the control.
  const int paramIdx = c->ParamIdx();
  if (paramIdx >= 0 && mPlugin) mPlugin->BeginInformHostOfParamChange(paramIdx);
}

void IGraphics::OnMouseUp(int x, int y, IMouseMod* pMod) {
  IMouseMod mod = pMod ? *pMod : IMouseMod();
  int idx;
  IControl* c = ControlAt(x, y, &idx);  // the captured control, when there is one
  ReleaseMouseCapture();
  mRightButtonDown = false;
  if (!c) return;
  c->OnMouseUp(x, y, &mod);
  const int paramIdx = c->ParamIdx();
  if (paramIdx >= 0 && mPlugin) mPlugin->EndInformHostOfParamChange(paramIdx);
}

void IGraphics::OnMouseDrag(int x, int y, IMouseMod* pMod) {
  IControl* c = mControlList.Get(mCapturedControl);
  if (!c) return;
  const int dX = x - mLastMouseX, dY = y - mLastMouseY;
  if (dX == 0 && dY == 0) return;
  mLastMouseX = x;
  mLastMouseY = y;
  IMouseMod mod = pMod ? *pMod : IMouseMod();
  c->OnMouseDrag(x, y, dX, dY, &mod);
}

bool IGraphics::OnMouseDblClick(int x, int y, IMouseMod* pMod) {
  IMouseMod mod = pMod ? *pMod : IMouseMod();
  ReleaseMouseCapture();
  int idx;
  IControl* c = ControlAt(x, y, &idx);
  if (!c) return false;
  if (c->DoubleClickAsDown()) {
    // A press without the begin-of-change report: the host hears only the end, on release.
    mCapturedControl = idx;
    mLastMouseX = x;
    mLastMouseY = y;
    c->OnMouseDown(x, y, &mod);
    return true;
  }
  c->OnMouseDblClick(x, y, &mod);
  return false;
}

void IGraphics::OnMouseWheel(int x, int y, IMouseMod* pMod, int d) {
  IMouseMod mod = pMod ? *pMod : IMouseMod();
  int idx;
  if (IControl* c = ControlAt(x, y, &idx)) c->OnMouseWheel(x, y, &mod, d);
}

bool IGraphics::OnMouseOver(int x, int y, IMouseMod* pMod) {
  if (!mTrackHover) return false;
  IMouseMod mod = pMod ? *pMod : IMouseMod();
  int idx;
  IControl* c = ControlAt(x, y, &idx);
  if (!c) return true;
  mLastMouseX = x;
  mLastMouseY = y;
  c->OnMouseOver(x, y, &mod);
  if (mHoverControl >= 0 && mHoverControl != idx) {
    if (IControl* previous = mControlList.Get(mHoverControl)) previous->OnMouseOut();
  }
  mHoverControl = idx;
  return true;
}

void IGraphics::OnMouseOut() {
  for (int i = 0; i < NControls(); ++i) mControlList.Get(i)->OnMouseOut();
  mHoverControl = -1;
}

void IGraphics::OnKeyDown(int x, int y, int key) {
  int idx;
  if (IControl* c = ControlAt(x, y, &idx)) c->OnKeyDown(x, y, key);
}
