// Responders and views. A view has a frame in its superview's coordinates and bounds of
// its own, both with the origin at the bottom-left and y up (isFlipped answers NO); it
// retains its subviews; it is drawn through drawRect: when part of it was marked with
// setNeedsDisplayInRect:, in the window's next display pass, with the current graphics
// context set to the window's pixels in the view's coordinates. Mouse events reach the view
// under the pointer (drags and releases the view that took the press; moves the window's
// first responder when the window accepts them).
#ifndef __APPKIT_NSVIEW__
#define __APPKIT_NSVIEW__

#include <vector>

#include <CoreGraphics/CoreGraphics.h>
#include <AppKit/NSEvent.h>

typedef void (NSObject::*SEL)(NSObject* sender);

class NSResponder : public NSObject {
  NS_OBJECT_CLASS(NSResponder, NSObject)

  // Unhandled events go to the next responder (a view's is its superview); without one they
  // are dropped.
  virtual void mouseDown(NSEvent* event);
  virtual void mouseUp(NSEvent* event);
  virtual void mouseDragged(NSEvent* event);
  virtual void mouseMoved(NSEvent* event);
  virtual void scrollWheel(NSEvent* event);
  virtual void rightMouseDown(NSEvent* event);
  virtual void rightMouseUp(NSEvent* event);
  virtual bool acceptsFirstResponder() { return false; }
  virtual void doCommandBySelector(SEL) {}
  virtual NSResponder* nextResponder() const { return nullptr; }
};

class NSView : public NSResponder {
  NS_OBJECT_CLASS(NSView, NSResponder)

  NSView* init() override { return initWithFrame(NSMakeRect(0, 0, 0, 0)); }
  virtual NSView* initWithFrame(NSRect frame);

  NSRect frame() const { return m_frame; }
  NSRect bounds() const { return NSMakeRect(0, 0, m_frame.size.width, m_frame.size.height); }
  void setFrame(NSRect frame);
  void setFrameSize(NSSize size);
  void setFrameOrigin(NSPoint origin);

  // Retains the view, taking it from any other superview first; the view and its subviews
  // are then marked to be drawn whole.
  void addSubview(NSView* view);
  // Leaves the superview, which releases the view. Overriders call this to really leave.
  virtual void removeFromSuperview();
  NSView* superview() const { return m_superview; }
  const std::vector<NSView*>& subviews() const { return m_subviews; }
  NSWindow* window() const { return m_window; }

  void setNeedsDisplay(bool flag);
  // Marks the rectangle (in this view's coordinates) to be drawn in the window's next
  // display pass.
  void setNeedsDisplayInRect(NSRect rect);
  bool needsDisplay() const { return m_needsDisplay; }

  virtual void drawRect(NSRect dirtyRect);
  virtual bool isOpaque() { return false; }
  virtual bool isFlipped() { return false; }
  virtual bool acceptsFirstMouse(NSEvent*) { return false; }
  // Called when the view joined or left a window (window() tells which).
  virtual void viewDidMoveToWindow() {}

  // Converts a point from another view's coordinates (null: the window's base
  // coordinates) into this view's.
  NSPoint convertPoint_fromView(NSPoint point, const NSView* view) const;
  // The deepest view under the point (given in the superview's coordinates), null when the
  // point is outside this view.
  NSView* hitTest(NSPoint point);

  NSResponder* nextResponder() const override { return m_superview; }

  // The window's display pass: draws this view and its subviews where they meet the area
  // (window coordinates) into a context over the window's pixels in window coordinates.
  void DisplayTree(CGContextRef windowContext, NSRect windowArea);

 protected:
  friend class NSWindow;
  void SetWindow(NSWindow* window);

 private:
  NSPoint OriginInWindow() const;
  NSRect m_frame = {{0, 0}, {0, 0}};
  NSView* m_superview = nullptr;
  std::vector<NSView*> m_subviews;
  NSWindow* m_window = nullptr;
  bool m_needsDisplay = false;
};

#endif
