// Responders and views: the view tree, invalidation, drawing and hit testing.
#include "AppKit/NSView.h"

#include <algorithm>

#include "AppKit/NSGraphicsContext.h"
#include "AppKit/NSWindow.h"

NSResponder::~NSResponder() {}

void NSResponder::mouseDown(NSEvent* e) {
  if (NSResponder* next = nextResponder()) next->mouseDown(e);
}
void NSResponder::mouseUp(NSEvent* e) {
  if (NSResponder* next = nextResponder()) next->mouseUp(e);
}
void NSResponder::mouseDragged(NSEvent* e) {
  if (NSResponder* next = nextResponder()) next->mouseDragged(e);
}
void NSResponder::mouseMoved(NSEvent* e) {
  if (NSResponder* next = nextResponder()) next->mouseMoved(e);
}
void NSResponder::scrollWheel(NSEvent* e) {
  if (NSResponder* next = nextResponder()) next->scrollWheel(e);
}
void NSResponder::rightMouseDown(NSEvent* e) {
  if (NSResponder* next = nextResponder()) next->rightMouseDown(e);
}
void NSResponder::rightMouseUp(NSEvent* e) {
  if (NSResponder* next = nextResponder()) next->rightMouseUp(e);
}

NSView::~NSView() {
  for (NSView* v : m_subviews) {
    v->m_superview = nullptr;
    v->SetWindow(nullptr);
    v->release();
  }
}

NSView* NSView::initWithFrame(NSRect frame) {
  m_frame = frame;
  m_needsDisplay = true;
  return this;
}

void NSView::setFrame(NSRect frame) {
  setNeedsDisplay(true);  // where it was
  m_frame = frame;
  setNeedsDisplay(true);  // where it is
}

void NSView::setFrameSize(NSSize size) {
  setFrame(NSMakeRect(m_frame.origin.x, m_frame.origin.y, size.width, size.height));
}

void NSView::setFrameOrigin(NSPoint origin) {
  setFrame(NSMakeRect(origin.x, origin.y, m_frame.size.width, m_frame.size.height));
}

void NSView::addSubview(NSView* view) {
  if (!view || view == this) return;
  view->retain();
  if (view->m_superview) view->removeFromSuperview();
  view->m_superview = this;
  m_subviews.push_back(view);
  view->SetWindow(m_window);
  view->setNeedsDisplay(true);
}

void NSView::removeFromSuperview() {
  NSView* super = m_superview;
  if (!super) return;
  setNeedsDisplay(true);  // the area it covered shows what is under it again
  auto& siblings = super->m_subviews;
  siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  m_superview = nullptr;
  retain();  // viewDidMoveToWindow runs on a live view
  SetWindow(nullptr);
  release();  // the superview's reference
  release();
}

void NSView::SetWindow(NSWindow* window) {
  if (m_window == window) return;
  if (m_window) m_window->ViewLeaving(this);
  m_window = window;
  for (NSView* v : m_subviews) v->SetWindow(window);
  viewDidMoveToWindow();
}

NSPoint NSView::OriginInWindow() const {
  NSPoint p = m_frame.origin;
  for (const NSView* v = m_superview; v; v = v->m_superview) {
    p.x += v->m_frame.origin.x;
    p.y += v->m_frame.origin.y;
  }
  return p;
}

void NSView::setNeedsDisplay(bool flag) {
  if (flag) setNeedsDisplayInRect(bounds());
}

void NSView::setNeedsDisplayInRect(NSRect rect) {
  NSRect r = CGRectIntersection(rect, bounds());
  if (CGRectIsEmpty(r)) return;
  m_needsDisplay = true;
  if (!m_window) return;
  const NSPoint o = OriginInWindow();
  m_window->ViewNeedsDisplay(CGRectOffset(r, o.x, o.y));
}

void NSView::drawRect(NSRect) {}

void NSView::DisplayTree(CGContextRef windowContext, NSRect windowArea) {
  const NSPoint o = OriginInWindow();
  const NSRect mine = CGRectOffset(bounds(), o.x, o.y);
  const NSRect area = CGRectIntersection(windowArea, mine);
  if (CGRectIsEmpty(area)) return;
  retain();
  CGContextSaveGState(windowContext);
  CGContextTranslateCTM(windowContext, o.x, o.y);
  const NSRect local = CGRectOffset(area, -o.x, -o.y);
  CGContextClipToRect(windowContext, local);
  NSGraphicsContext::saveGraphicsState();
  NSGraphicsContext::setCurrentContext(
      NSGraphicsContext::graphicsContextWithGraphicsPort_flipped(windowContext, isFlipped()));
  m_needsDisplay = false;
  drawRect(local);
  NSGraphicsContext::restoreGraphicsState();
  CGContextRestoreGState(windowContext);
  // A copy: drawing may change the tree.
  std::vector<NSView*> subviews = m_subviews;
  for (NSView* v : subviews) v->retain();
  for (NSView* v : subviews) {
    if (v->m_superview == this) v->DisplayTree(windowContext, area);
    v->release();
  }
  release();
}

NSPoint NSView::convertPoint_fromView(NSPoint point, const NSView* view) const {
  NSPoint from = view ? view->OriginInWindow() : NSPoint{0, 0};
  const NSPoint to = OriginInWindow();
  return NSPoint{point.x + from.x - to.x, point.y + from.y - to.y};
}

NSView* NSView::hitTest(NSPoint point) {
  if (!CGRectContainsPoint(m_frame, point)) return nullptr;
  const NSPoint local = {point.x - m_frame.origin.x, point.y - m_frame.origin.y};
  for (auto it = m_subviews.rbegin(); it != m_subviews.rend(); ++it)
    if (NSView* hit = (*it)->hitTest(local)) return hit;
  return this;
}

NS_REGISTER_CLASS(NSResponder);
NS_REGISTER_CLASS(NSView);
