// The editor's Cocoa view: timer, drawing and mouse events.
#include "framework/editor/IGraphicsCocoa.h"

#include "framework/editor/IGraphicsMac.h"

IMouseMod GetCocoaMouseMod(NSEventModifierFlags flags) {
  return IMouseMod(true, (flags & (NSSecondaryButtonMask | NSCommandKeyMask)) != 0,
                   (flags & NSShiftKeyMask) != 0, (flags & NSControlKeyMask) != 0,
                   (flags & NSAlternateKeyMask) != 0);
}

IGraphicsCocoa_v1002::~IGraphicsCocoa_v1002() {}

IGraphicsCocoa_v1002* IGraphicsCocoa_v1002::init() {
  mGraphics = nullptr;
  mTimer = nullptr;
  NSView::init();
  return this;
}

IGraphicsCocoa_v1002* IGraphicsCocoa_v1002::initWithIGraphics(IGraphicsMac* pGraphics) {
  mGraphics = pGraphics;
  initWithFrame(NSMakeRect(0, 0, pGraphics->Width(), pGraphics->Height()));
  mTimer = NSTimer::timerWithTimeInterval_target_selector_userInfo_repeats(
      1.0 / pGraphics->FPS(), this, NS_TIMER_ACTION(IGraphicsCocoa_v1002, onTimer), nullptr, true);
  NSRunLoop::currentRunLoop()->addTimer_forMode(mTimer, kCFRunLoopCommonModes);
  return this;
}

void IGraphicsCocoa_v1002::viewDidMoveToWindow() {
  if (NSWindow* w = window()) {
    w->makeFirstResponder(this);
    w->setAcceptsMouseMovedEvents(true);
  }
}

void IGraphicsCocoa_v1002::killTimer() {
  if (mTimer) mTimer->invalidate();
  mTimer = nullptr;
}

void IGraphicsCocoa_v1002::removeFromSuperview() {
  retain();  // the editor lets go of the view while it closes
  if (IGraphicsMac* g = mGraphics) {
    mGraphics = nullptr;
    g->CloseWindow();
  }
  NSView::removeFromSuperview();
  release();
}

void IGraphicsCocoa_v1002::getMouseXY_x_y(NSEvent* pEvent, int* pX, int* pY) {
  const NSPoint p = convertPoint_fromView(pEvent->locationInWindow(), nullptr);
  *pX = static_cast<int>(p.x);
  *pY = (mGraphics ? mGraphics->Height() : 0) - static_cast<int>(p.y);
}

void IGraphicsCocoa_v1002::onTimer(NSTimer* pTimer) {
  if (pTimer != mTimer || !mGraphics) return;
  IRECT r;
  if (mGraphics->IsDirty(&r)) {
    const int h = mGraphics->Height();
    setNeedsDisplayInRect(NSMakeRect(r.L, h - r.B, r.R - r.L, r.B - r.T));
  }
}

void IGraphicsCocoa_v1002::drawRect(NSRect rect) {
  if (!mGraphics) return;
  const int h = mGraphics->Height();
  const int x = static_cast<int>(rect.origin.x), y = static_cast<int>(rect.origin.y);
  const int w = static_cast<int>(rect.size.width), rh = static_cast<int>(rect.size.height);
  IRECT r(x, h - (y + rh), x + w, h - y);
  mGraphics->Draw(&r);
}

void IGraphicsCocoa_v1002::mouseDown(NSEvent* pEvent) {
  NSView::mouseDown(pEvent);
  if (!mGraphics) return;
  int x, y;
  getMouseXY_x_y(pEvent, &x, &y);
  IMouseMod mod = GetCocoaMouseMod(pEvent->modifierFlags());
  if (pEvent->clickCount() >= 2)
    mGraphics->OnMouseDblClick(x, y, &mod);
  else
    mGraphics->OnMouseDown(x, y, &mod);
}

void IGraphicsCocoa_v1002::mouseUp(NSEvent* pEvent) {
  if (!mGraphics) return;
  int x, y;
  getMouseXY_x_y(pEvent, &x, &y);
  IMouseMod mod = GetCocoaMouseMod(pEvent->modifierFlags());
  mGraphics->OnMouseUp(x, y, &mod);
}

void IGraphicsCocoa_v1002::mouseDragged(NSEvent* pEvent) {
  if (!mGraphics) return;
  int x, y;
  getMouseXY_x_y(pEvent, &x, &y);
  IMouseMod mod = GetCocoaMouseMod(pEvent->modifierFlags());
  mGraphics->OnMouseDrag(x, y, &mod);
}

void IGraphicsCocoa_v1002::mouseMoved(NSEvent* pEvent) {
  if (!mGraphics) return;
  int x, y;
  getMouseXY_x_y(pEvent, &x, &y);
  IMouseMod mod = GetCocoaMouseMod(pEvent->modifierFlags());
  mGraphics->OnMouseOver(x, y, &mod);
}

void IGraphicsCocoa_v1002::scrollWheel(NSEvent* pEvent) {
  if (!mGraphics) return;
  int x, y;
  getMouseXY_x_y(pEvent, &x, &y);
  IMouseMod mod = GetCocoaMouseMod(pEvent->modifierFlags());
  mGraphics->OnMouseWheel(x, y, &mod, static_cast<int>(static_cast<float>(pEvent->deltaY())));
}
