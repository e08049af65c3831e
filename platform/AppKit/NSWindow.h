// Windows: a content view of the content rectangle's size, a first responder, event
// dispatch and the display pass, on a window of the window system (headless or X11).
// Closing a window removes every subview of its content view (removeFromSuperview, so the
// views hear of it), then closes the window system's window; the NSWindow object lives on,
// inert, until its owner releases it.
#ifndef __APPKIT_NSWINDOW__
#define __APPKIT_NSWINDOW__

#include <AppKit/NSView.h>

struct WindowSystemWindow;

typedef NSUInteger NSWindowStyleMask;
enum {
  NSBorderlessWindowMask = 0,
  NSTitledWindowMask = 1 << 0,
  NSClosableWindowMask = 1 << 1,
  NSMiniaturizableWindowMask = 1 << 2,
  NSResizableWindowMask = 1 << 3
};
typedef NSUInteger NSBackingStoreType;
enum { NSBackingStoreRetained = 0, NSBackingStoreNonretained = 1, NSBackingStoreBuffered = 2 };

class NSWindow : public NSResponder {
  NS_OBJECT_CLASS(NSWindow, NSResponder)

  // The content rectangle's size is the window's; its origin is not used. Null, releasing
  // the object, when the window system cannot make the window.
  NSWindow* initWithContentRect_styleMask_backing_defer(NSRect contentRect, NSWindowStyleMask style,
                                                        NSBackingStoreType backing, bool defer);

  NSView* contentView() const { return m_contentView; }
  // Retains the view and sizes it to the content; the previous one leaves the window.
  void setContentView(NSView* view);
  void setTitle(const NSString* title);
  NSRect frame() const;
  void setContentSize(NSSize size);

  bool makeFirstResponder(NSResponder* responder);
  NSResponder* firstResponder() const { return m_firstResponder; }
  void setAcceptsMouseMovedEvents(bool accepts) { m_acceptsMoves = accepts; }
  bool acceptsMouseMovedEvents() const { return m_acceptsMoves; }

  void makeKeyAndOrderFront(NSObject* sender);
  void orderFront(NSObject* sender);
  void orderOut(NSObject* sender);
  bool isVisible() const;
  void close();

  // Dispatches an event to the view that should have it.
  void sendEvent(NSEvent* event);
  // Draws the views marked as needing display now.
  void displayIfNeeded();

  // The window system's side; null once closed.
  WindowSystemWindow* WindowSystemHandle() const { return m_native; }
  // Views report what they need redrawn, in window coordinates; a view leaving the window
  // is forgotten as first responder and mouse target.
  void ViewNeedsDisplay(NSRect windowRect);
  void ViewLeaving(NSView* view);

 private:
  class Client;
  Client* m_client = nullptr;
  WindowSystemWindow* m_native = nullptr;
  NSView* m_contentView = nullptr;
  NSResponder* m_firstResponder = nullptr;
  NSView* m_mouseView = nullptr;  // retained while a press lasts
  bool m_acceptsMoves = false;
  bool m_hasDirty = false;
  NSRect m_dirty = {{0, 0}, {0, 0}};
  void Uncover(NSRect windowRect);
};

#endif
