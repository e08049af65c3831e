// Mouse and wheel events.
#include "AppKit/NSEvent.h"

NSEvent::~NSEvent() {}

NSEvent* NSEvent::mouseEventWithType(NSEventType type, NSPoint location, NSEventModifierFlags flags,
                                     NSTimeInterval time, NSWindow* window, NSInteger clickCount,
                                     CGFloat deltaX, CGFloat deltaY) {
  NSEvent* e = alloc();
  if (!e) return nullptr;
  e->m_type = type;
  e->m_location = location;
  e->m_flags = flags;
  e->m_time = time;
  e->m_window = window;
  e->m_clickCount = clickCount;
  e->m_deltaX = deltaX;
  e->m_deltaY = deltaY;
  return static_cast<NSEvent*>(e->autorelease());
}

NS_REGISTER_CLASS(NSEvent);
