// Timers and the run loop. This platform has one run loop, run by the host program through
// the window system (<WindowSystem/WindowSystem.h>): currentRunLoop and mainRunLoop both
// answer it, and its timers fire on the thread that runs it. Timers fire in the default and
// the common modes; a timer added for another mode is kept but never fires.
#ifndef __FOUNDATION_NSTIMER__
#define __FOUNDATION_NSTIMER__

#include <CoreFoundation/CFRunLoop.h>
#include <Foundation/NSObjCRuntime.h>

class NSTimer;

// A timer's action: a member function of the target taking the timer (the platform's
// selector). NS_TIMER_ACTION(MyView, onTimer) names MyView::onTimer.
typedef void (NSObject::*NSTimerAction)(NSTimer* timer);
#define NS_TIMER_ACTION(Class, method) static_cast<NSTimerAction>(&Class::method)

typedef double NSTimeInterval;

#define NSDefaultRunLoopMode kCFRunLoopDefaultMode
#define NSRunLoopCommonModes kCFRunLoopCommonModes

class NSTimer : public NSObject {
  NS_OBJECT_CLASS(NSTimer, NSObject)

  // An autoreleased timer, not yet on a run loop. It retains the target and the user info
  // until it is invalidated. An interval of 0 or less counts as 0.1 ms, as on the platform.
  static NSTimer* timerWithTimeInterval_target_selector_userInfo_repeats(NSTimeInterval interval,
                                                                         NSObject* target,
                                                                         NSTimerAction action,
                                                                         NSObject* userInfo,
                                                                         bool repeats);
  // The same, already added to the current run loop in the default mode.
  static NSTimer* scheduledTimerWithTimeInterval_target_selector_userInfo_repeats(
      NSTimeInterval interval, NSObject* target, NSTimerAction action, NSObject* userInfo,
      bool repeats);

  // Stops the timer for good: it leaves its run loop and lets go of target and user info.
  void invalidate();
  bool isValid() const { return m_valid; }
  NSTimeInterval timeInterval() const { return m_repeats ? m_interval : 0; }
  NSObject* userInfo() const { return m_userInfo; }
  // Runs the action now; a timer that does not repeat is then invalidated.
  void fire();

 private:
  friend class NSRunLoop;
  NSTimeInterval m_interval = 0;
  NSObject* m_target = nullptr;
  NSTimerAction m_action = nullptr;
  NSObject* m_userInfo = nullptr;
  bool m_repeats = false;
  bool m_valid = true;
  void* m_scheduled = nullptr;  // the run loop's entry while the timer is on one
};

class NSRunLoop : public NSObject {
  NS_OBJECT_CLASS(NSRunLoop, NSObject)

  static NSRunLoop* currentRunLoop();
  static NSRunLoop* mainRunLoop();
  // The run loop retains the timer until it is invalidated. Adding a timer twice, or an
  // invalidated one, does nothing.
  void addTimer_forMode(NSTimer* timer, CFStringRef mode);
};

#endif
