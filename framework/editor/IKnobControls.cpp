#include "framework/editor/IKnobControls.h"

#include "framework/editor/IGraphics.h"

namespace {

IBitmap Copy(const IBitmap* pBitmap) { return pBitmap ? *pBitmap : IBitmap(); }

IRECT ImageRect(int x, int y, const IBitmap& image, int height) {
  return IRECT(x, y, x + image.mWidth, y + height);
}

}  // namespace

IKnobControl::IKnobControl(IPluginBase* plug, const IRECT* pR, int paramIdx, EDirection direction,
                           double dragScale)
    : IControl(plug, pR, paramIdx), mAxis(direction), mDragScale(dragScale) {}

void IKnobControl::OnMouseDrag(int, int, int dX, int dY, IMouseMod* pMod) {
  // The control's extent along the drag: a zero extent or drag scale makes the knob immovable
  // rather than dividing by zero.
  const int extent = mAxis == kVertical ? mDrawRect.T - mDrawRect.B : mDrawRect.R - mDrawRect.L;
  const int delta = mAxis == kVertical ? dY : dX;
  if (extent == 0 || mDragScale == 0.0) return;
  double step = static_cast<double>(delta) / extent / mDragScale;
  if (pMod && (pMod->Ctrl || pMod->Shift)) step /= 10.0;
  mValue += step;
  SetDirty(true);
}

IKnobLineControl::IKnobLineControl(IPluginBase* plug, const IRECT* pR, int paramIdx,
                                   const IColor* pColor, double innerRadius, double outerRadius,
                                   double startAngle, double endAngle, EDirection direction,
                                   double dragScale)
    : IKnobControl(plug, pR, paramIdx, direction, dragScale),
      mLineColor(pColor ? *pColor : COLOR_BLACK),
      mStartAngle(static_cast<float>(startAngle)),
      mEndAngle(static_cast<float>(endAngle)),
      mRadiusInner(static_cast<float>(innerRadius)),
      mRadiusOuter(static_cast<float>(outerRadius == 0.0 ? mDrawRect.W() * 0.5 : outerRadius)) {
  mDrawBlend = IChannelBlend(kBlendOpaque, 1.0f);
}

bool IKnobLineControl::Draw(IGraphics* pGraphics) {
  const double angle =
      static_cast<double>(mStartAngle) + (static_cast<double>(mEndAngle) - mStartAngle) * mValue;
  const float cx = (mDrawRect.L + mDrawRect.R) * 0.5f;
  const float cy = (mDrawRect.T + mDrawRect.B) * 0.5f;
  return pGraphics->DrawRadialLine(&mLineColor, cx, cy, static_cast<float>(angle), mRadiusInner,
                                   mRadiusOuter, &mDrawBlend, true);
}

IKnobRotaterControl::IKnobRotaterControl(IPluginBase* plug, int x, int y, int paramIdx,
                                         const IBitmap* pBitmap, double startAngle, double endAngle,
                                         int pivotY, EDirection direction, double dragScale)
    : IKnobControl(plug, nullptr, paramIdx, direction, dragScale),
      mSkin(Copy(pBitmap)),
      mStartAngle(startAngle),
      mEndAngle(endAngle),
      mPivotY(pivotY) {
  mDrawRect = mHitRect = ImageRect(x, y, mSkin, mSkin.mHeight);
}

bool IKnobRotaterControl::Draw(IGraphics* pGraphics) {
  const double angle = mStartAngle + (mEndAngle - mStartAngle) * mValue;
  return pGraphics->DrawRotatedBitmap(&mSkin, (mDrawRect.L + mDrawRect.R) / 2,
                                      (mDrawRect.T + mDrawRect.B) / 2, angle, mPivotY, &mDrawBlend);
}

IKnobMultiControl::IKnobMultiControl(IPluginBase* plug, int x, int y, int paramIdx,
                                     const IBitmap* pBitmap, EDirection direction, double dragScale)
    : IKnobControl(plug, nullptr, paramIdx, direction, dragScale), mSkin(Copy(pBitmap)) {
  mDrawRect = mHitRect = ImageRect(x, y, mSkin, mSkin.FrameHeight());
}

bool IKnobMultiControl::Draw(IGraphics* pGraphics) {
  const int frame = FrameForValue(mSkin.mFrames, mValue);
  return pGraphics->DrawBitmap(&mSkin, &mDrawRect, frame, &mDrawBlend);
}

IKnobRotatingMaskControl::IKnobRotatingMaskControl(IPluginBase* plug, int x, int y, int paramIdx,
                                                   const IBitmap* pBase, const IBitmap* pMask,
                                                   const IBitmap* pTop, double startAngle,
                                                   double endAngle, EDirection direction,
                                                   double dragScale)
    : IKnobControl(plug, nullptr, paramIdx, direction, dragScale),
      mBaseImage(Copy(pBase)),
      mMaskImage(Copy(pMask)),
      mTopImage(Copy(pTop)),
      mStartAngle(startAngle),
      mEndAngle(endAngle) {
  mDrawRect = mHitRect = ImageRect(x, y, mBaseImage, mBaseImage.mHeight);
}

bool IKnobRotatingMaskControl::Draw(IGraphics* pGraphics) {
  const double angle = mStartAngle + (mEndAngle - mStartAngle) * mValue;
  return pGraphics->DrawRotatedMask(&mBaseImage, &mMaskImage, &mTopImage, mDrawRect.L, mDrawRect.T,
                                    angle, &mDrawBlend);
}
