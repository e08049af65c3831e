#pragma once
// Knobs: controls turned by dragging. The drag moves the value relative to where it is (the
// pointer's absolute position is ignored); the subclasses differ only in how they draw.

#include "framework/editor/IControl.h"

// Dragging the control's full height (vertical knobs, upwards increases) or full width
// (horizontal knobs) moves the value by 1 / dragScale, ten times less with Ctrl or Shift held.
class IKnobControl : public IControl {
 public:
  IKnobControl(IPluginBase* plug, const IRECT* pR, int paramIdx, EDirection direction = kVertical,
               double dragScale = 4.0);
  void OnMouseDrag(int x, int y, int dX, int dY, IMouseMod* pMod) override;

 protected:
  EDirection mAxis;
  double mDragScale;
};

// A line from the inner to the outer radius about the rectangle's centre, at an angle (radians,
// 0 pointing up, clockwise) between startAngle and endAngle. An outer radius of 0 reaches the
// rectangle's half width. Always drawn opaque and anti-aliased.
class IKnobLineControl : public IKnobControl {
 public:
  IKnobLineControl(IPluginBase* plug, const IRECT* pR, int paramIdx, const IColor* pColor,
                   double innerRadius = 0.0, double outerRadius = 0.0,
                   double startAngle = -0.75 * 3.14159265358979323846,
                   double endAngle = 0.75 * 3.14159265358979323846,
                   EDirection direction = kVertical, double dragScale = 4.0);
  bool Draw(IGraphics* pGraphics) override;

 protected:
  IColor mLineColor;
  float mStartAngle, mEndAngle;
  float mRadiusInner, mRadiusOuter;
};

// The whole image rotated about the rectangle's centre by an angle (radians) between startAngle
// and endAngle; pivotY moves the rotation centre vertically.
class IKnobRotaterControl : public IKnobControl {
 public:
  IKnobRotaterControl(IPluginBase* plug, int x, int y, int paramIdx, const IBitmap* pBitmap,
                      double startAngle = -0.75 * 3.14159265358979323846,
                      double endAngle = 0.75 * 3.14159265358979323846, int pivotY = 0,
                      EDirection direction = kVertical, double dragScale = 4.0);
  bool Draw(IGraphics* pGraphics) override;

 protected:
  IBitmap mSkin;
  double mStartAngle, mEndAngle;
  int mPivotY;
};

// One frame of a filmstrip per position, as IBitmapControl draws it.
class IKnobMultiControl : public IKnobControl {
 public:
  IKnobMultiControl(IPluginBase* plug, int x, int y, int paramIdx, const IBitmap* pBitmap,
                    EDirection direction = kVertical, double dragScale = 4.0);
  bool Draw(IGraphics* pGraphics) override;

 protected:
  IBitmap mSkin;
};

// A base image whose colours show through a mask rotated by an angle (degrees) between
// startAngle and endAngle, with a top image rotated over it; all three share the base's size.
class IKnobRotatingMaskControl : public IKnobControl {
 public:
  IKnobRotatingMaskControl(IPluginBase* plug, int x, int y, int paramIdx, const IBitmap* pBase,
                           const IBitmap* pMask, const IBitmap* pTop, double startAngle = -135.0,
                           double endAngle = 135.0, EDirection direction = kVertical,
                           double dragScale = 4.0);
  bool Draw(IGraphics* pGraphics) override;

 protected:
  IBitmap mBaseImage, mMaskImage, mTopImage;
  double mStartAngle, mEndAngle;
};
