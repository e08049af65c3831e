// Timers on the window system's run loop.
#include "Foundation/NSTimer.h"

#include <algorithm>

#include "WindowSystem/src/WSCore.h"

NSTimer::~NSTimer() {}

NSTimer* NSTimer::timerWithTimeInterval_target_selector_userInfo_repeats(NSTimeInterval interval,
                                                                         NSObject* target,
                                                                         NSTimerAction action,
                                                                         NSObject* userInfo,
                                                                         bool repeats) {
  NSTimer* t = alloc();
  if (!t) return nullptr;
  t->m_interval = interval > 0 ? interval : 0.0001;
  t->m_target = target ? target->retain() : nullptr;
  t->m_action = action;
  t->m_userInfo = userInfo ? userInfo->retain() : nullptr;
  t->m_repeats = repeats;
  return static_cast<NSTimer*>(t->autorelease());
}

NSTimer* NSTimer::scheduledTimerWithTimeInterval_target_selector_userInfo_repeats(
    NSTimeInterval interval, NSObject* target, NSTimerAction action, NSObject* userInfo,
    bool repeats) {
  NSTimer* t = timerWithTimeInterval_target_selector_userInfo_repeats(interval, target, action,
                                                                      userInfo, repeats);
  if (t) NSRunLoop::currentRunLoop()->addTimer_forMode(t, NSDefaultRunLoopMode);
  return t;
}

void NSTimer::invalidate() {
  if (!m_valid) return;
  m_valid = false;
  NSRelease(m_target);
  NSRelease(m_userInfo);
  if (m_scheduled) {
    ws::RemoveTimer(static_cast<ws::Timer*>(m_scheduled));
    m_scheduled = nullptr;
    release();  // the run loop's reference
  }
}

void NSTimer::fire() {
  if (!m_valid) return;
  retain();  // the action may invalidate the timer and drop the run loop's reference
  NSObject* target = m_target;
  if (target && m_action) {
    target->retain();
    (target->*m_action)(this);
    target->release();
  }
  if (!m_repeats) invalidate();
  release();
}

NSRunLoop::~NSRunLoop() {}

NSRunLoop* NSRunLoop::currentRunLoop() { return mainRunLoop(); }

NSRunLoop* NSRunLoop::mainRunLoop() {
  static NSRunLoop* loop = alloc();  // for the process's life
  return loop;
}

void NSRunLoop::addTimer_forMode(NSTimer* timer, CFStringRef mode) {
  if (!timer || !timer->m_valid || timer->m_scheduled) return;
  timer->retain();
  const bool runs =
      mode && (CFEqual(mode, kCFRunLoopCommonModes) || CFEqual(mode, kCFRunLoopDefaultMode));
  if (!runs) {
    // Kept like a scheduled timer, but nothing ever fires it.
    timer->m_scheduled = ws::AddTimer(1e300, 0, [] {});
    return;
  }
  timer->m_scheduled = ws::AddTimer(timer->m_interval, timer->m_repeats ? timer->m_interval : 0,
                                    [timer] { timer->fire(); });
}

NS_REGISTER_CLASS(NSTimer);
NS_REGISTER_CLASS(NSRunLoop);
