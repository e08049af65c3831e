// Input events as views receive them: mouse presses, releases, drags, moves and wheel
// steps, with the location in the window's base coordinates (origin at the bottom-left of
// the content, y up), the modifier keys, the click count and the wheel delta.
#ifndef __APPKIT_NSEVENT__
#define __APPKIT_NSEVENT__

#include <Foundation/Foundation.h>

class NSWindow;

typedef NSUInteger NSEventType;
enum {
  NSLeftMouseDown = 1,
  NSLeftMouseUp = 2,
  NSRightMouseDown = 3,
  NSRightMouseUp = 4,
  NSMouseMoved = 5,
  NSLeftMouseDragged = 6,
  NSRightMouseDragged = 7,
  NSScrollWheel = 22,
  NSOtherMouseDown = 25,
  NSOtherMouseUp = 26,
  NSOtherMouseDragged = 27
};

typedef NSUInteger NSEventModifierFlags;
enum {
  // Device-dependent bit this platform sets on events of the secondary (right) button,
  // which it delivers as primary-button events so a view sees a context click the way it
  // sees a command-click.
  NSSecondaryButtonMask = 1 << 3,
  NSAlphaShiftKeyMask = 1 << 16,
  NSShiftKeyMask = 1 << 17,
  NSControlKeyMask = 1 << 18,
  NSAlternateKeyMask = 1 << 19,
  NSCommandKeyMask = 1 << 20
};

class NSEvent : public NSObject {
  NS_OBJECT_CLASS(NSEvent, NSObject)

  // An autoreleased mouse or wheel event.
  static NSEvent* mouseEventWithType(NSEventType type, NSPoint location, NSEventModifierFlags flags,
                                     NSTimeInterval time, NSWindow* window, NSInteger clickCount,
                                     CGFloat deltaX, CGFloat deltaY);

  NSEventType type() const { return m_type; }
  NSPoint locationInWindow() const { return m_location; }
  NSEventModifierFlags modifierFlags() const { return m_flags; }
  NSInteger clickCount() const { return m_clickCount; }
  CGFloat deltaX() const { return m_deltaX; }
  CGFloat deltaY() const { return m_deltaY; }
  NSTimeInterval timestamp() const { return m_time; }
  NSWindow* window() const { return m_window; }  // not retained

 private:
  NSEventType m_type = 0;
  NSPoint m_location = {0, 0};
  NSEventModifierFlags m_flags = 0;
  NSInteger m_clickCount = 0;
  CGFloat m_deltaX = 0, m_deltaY = 0;
  NSTimeInterval m_time = 0;
  NSWindow* m_window = nullptr;
};

#endif
