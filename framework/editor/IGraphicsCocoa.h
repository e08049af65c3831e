#pragma once
// The editor as a Cocoa view: an NSView of the editor's size that draws the editor, turns
// mouse events into the editor's (top-left origin, IMouseMod) and runs the redraw timer at
// the editor's rate on the current run loop. The view lives as long as someone holds it; the
// editor in it only while the window is open: after the editor closed, or after the view was
// taken out of its superview, the view ignores every event, drawing and timer.

#include <AppKit/AppKit.h>

class IGraphicsMac;
struct IMouseMod;

class IGraphicsCocoa_v1002 : public NSView {
  NS_OBJECT_CLASS(IGraphicsCocoa_v1002, NSView)

  // Both nil.
  IGraphicsCocoa_v1002* init() override;
  // Shows the editor: frame (0, 0, editor width, editor height) and the timer.
  IGraphicsCocoa_v1002* initWithIGraphics(IGraphicsMac* pGraphics);

  bool isOpaque() override { return true; }
  bool acceptsFirstResponder() override { return true; }
  bool acceptsFirstMouse(NSEvent*) override { return true; }
  void viewDidMoveToWindow() override;
  void doCommandBySelector(SEL aSelector) override { NSView::doCommandBySelector(aSelector); }

  // Stops the timer for good.
  void killTimer();
  // Detaches the editor (which closes its window), then leaves the superview.
  void removeFromSuperview() override;
  IGraphicsMac* Graphics() const { return mGraphics; }
  // Called by the editor when it closes: the view lets go of it.
  void DetachGraphics() { mGraphics = nullptr; }

  // The event's position in editor pixels: x truncated, y counted from the top as the
  // editor's height minus the truncated bottom-up y.
  void getMouseXY_x_y(NSEvent* pEvent, int* pX, int* pY);
  void onTimer(NSTimer* pTimer);
  void drawRect(NSRect rect) override;
  void mouseDown(NSEvent* pEvent) override;
  void mouseUp(NSEvent* pEvent) override;
  void mouseDragged(NSEvent* pEvent) override;
  void mouseMoved(NSEvent* pEvent) override;
  void scrollWheel(NSEvent* pEvent) override;

 private:
  IGraphicsMac* mGraphics = nullptr;
  NSTimer* mTimer = nullptr;
};

// The editor's modifiers from Cocoa modifier flags: Left always; Right for the secondary
// button or the command key (a command-click is a context click); Shift, Ctrl and Alt from
// their keys.
IMouseMod GetCocoaMouseMod(NSEventModifierFlags flags);
