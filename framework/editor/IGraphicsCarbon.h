#pragma once
// The editor inside a Carbon window: a user-pane control in the host's window, a draw
// handler on the control, mouse handlers on the window and a timer on the main event loop
// at half the editor's rate. Compositing windows draw through HIView invalidation and the
// draw event's Core Graphics context; others through UpdateControls and the window's port.

#include <Carbon/Carbon.h>

class IGraphicsMac;

class IGraphicsCarbon {
 public:
  // Creates the pane in the window, under the parent control when given (else the window's
  // content view, or its root control for a window without compositing), and installs the
  // handlers and the timer.
  IGraphicsCarbon(IGraphicsMac* pGraphicsMac, WindowRef pWindow, ControlRef pParentControl);
  // Removes the timer and the handlers, and takes the pane out of the host's window.
  ~IGraphicsCarbon();
  IGraphicsCarbon(const IGraphicsCarbon&) = delete;
  IGraphicsCarbon& operator=(const IGraphicsCarbon&) = delete;

  ControlRef GetView() const { return mPane; }
  // The content area becomes w x h from the same top-left corner and the pane follows; false
  // without window or pane.
  bool Resize(int w, int h);
  // Moves the rectangle by the content offset of the draw event in progress.
  void OffsetContentRect(CGRect* pR) const;
  // The draw event's context; null outside a draw event.
  CGContextRef DrawContext() const { return mDrawContext; }
  bool IsComposited() const { return mComposited; }

 private:
  static OSStatus CarbonEventHandler(EventHandlerCallRef pHandlerCall, EventRef pEvent,
                                     void* pGraphicsCarbon);
  static void CarbonTimerHandler(EventLoopTimerRef pTimer, void* pGraphicsCarbon);
  OSStatus OnControlEvent(EventRef pEvent);
  OSStatus OnMouseEvent(EventHandlerCallRef pHandlerCall, EventRef pEvent);
  void OnTimer();

  IGraphicsMac* mHost;
  bool mComposited;
  int mContentOffsetX, mContentOffsetY;
  RgnHandle mUpdateRgn;
  WindowRef mHostWindow;
  ControlRef mPane;
  EventLoopTimerRef mTimerRef;
  EventHandlerRef mPaneHandler, mMouseHandler;
  CGContextRef mDrawContext;
  bool mPaneDisposed;  // the host disposed the pane (or its window)
};
