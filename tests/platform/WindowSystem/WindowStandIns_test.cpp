// The Foundation, AppKit and Carbon stand-ins where the window host relies on their rules:
// strings from foreign bytes, addresses, the class registry on opaque pointers, autorelease,
// timers, and Carbon's handler chains.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <AppKit/AppKit.h>
#include <Carbon/Carbon.h>
#include <WindowSystem/WindowSystem.h>

TEST(NSStringTest, CStringsOfAnyBytesAndPathParts) {
  NSAutoreleaseScope pool;
  EXPECT_STREQ(NSString::stringWithCString("caf\xE9 \xB0"
                                           "C")
                   ->UTF8String(),
               "café °C");
  EXPECT_STREQ(NSString::stringWithCString("\xC3\xA9t\xC3")->UTF8String(), "ét\xC3\x83");
  EXPECT_EQ(NSString::stringWithUTF8String("caf\xE9"), nullptr);
  EXPECT_EQ(NSString::stringWithCString(nullptr), nullptr);
  EXPECT_EQ(NSString::stringWithUTF8String("a\xF0\x9F\x8E\x9B")->length(), 3u);
  auto path = [](const char* p, NSString* (NSString::*op)() const) {
    return std::string((NSString::stringWithCString(p)->*op)()->UTF8String());
  };
  EXPECT_EQ(path("skins/v2/knob.PNG", &NSString::lastPathComponent), "knob.PNG");
  EXPECT_EQ(path("skins/v2/", &NSString::lastPathComponent), "v2");
  EXPECT_EQ(path("/", &NSString::lastPathComponent), "/");
  EXPECT_EQ(path("a.b/knob", &NSString::stringByDeletingPathExtension), "a.b/knob");
  EXPECT_EQ(path("knob.tar.png", &NSString::stringByDeletingPathExtension), "knob.tar");
  EXPECT_EQ(path(".png", &NSString::pathExtension), "");
  EXPECT_EQ(path("/Library/X.component", &NSString::stringByDeletingLastPathComponent), "/Library");
  EXPECT_EQ(path("/X.component", &NSString::stringByDeletingLastPathComponent), "/");
  EXPECT_EQ(path("X.component", &NSString::stringByDeletingLastPathComponent), "");
}

TEST(NSURLTest, OnlyTextAURLMayHoldMakesOne) {
  NSAutoreleaseScope pool;
  auto url = [](const char* t) {
    NSURL* u = NSURL::URLWithString(NSString::stringWithCString(t));
    return u ? std::string(u->absoluteString()->UTF8String()) : std::string("nil");
  };
  EXPECT_EQ(url("https://fenwarde.audio/a?b=1&c=%20#x"), "https://fenwarde.audio/a?b=1&c=%20#x");
  EXPECT_EQ(url("http://a b"), "nil");
  EXPECT_EQ(url("http://a/%2"), "nil");
  EXPECT_EQ(url("http://a/\"x\""), "nil");
  EXPECT_EQ(url("http://caf\xE9"), "nil");
  EXPECT_EQ(url(""), "nil");
}

TEST(ClassRegistryTest, HostsMakeClassesByNameAndTellViewsFromWindows) {
  NSAutoreleaseScope pool;
  Class viewClass = NSClassFromString("NSView");
  ASSERT_EQ(viewClass, NSView::class_());
  NSObject* view = NSCreateInstance(viewClass);
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(NSObjectCast<NSView>(view));
  EXPECT_EQ(NSObjectCast<NSWindow>(view), nullptr);
  const Rect bounds = {0, 0, 20, 20};
  WindowRef carbon = nullptr;
  ASSERT_EQ(CreateNewWindow(kDocumentWindowClass, 0, &bounds, &carbon), noErr);
  EXPECT_EQ(NSObjectCast<NSView>(carbon), nullptr);
  // A second class may not take a name that is in use.
  static const NSClassDescription impostor = {"NSView", NSObject::class_(), nullptr};
  EXPECT_FALSE(NSRegisterClass(&impostor));
  EXPECT_TRUE(NSRegisterClass(NSView::class_()));
  DisposeWindow(carbon);
  EXPECT_FALSE(IsValidWindowPtr(carbon));
  view->release();
}

namespace {
struct Target : NSObject {
  NS_OBJECT_CLASS(Target, NSObject)
  void onTick(NSTimer* t) {
    if (++ticks == 3) t->invalidate();
  }
  int ticks = 0;
};
Target::~Target() {}
}  // namespace

TEST(NSTimerTest, ARepeatingTimerHoldsItsTargetUntilInvalidated) {
  Target* target = Target::alloc();
  {
    NSAutoreleaseScope pool;
    NSTimer* t = NSTimer::timerWithTimeInterval_target_selector_userInfo_repeats(
        0.1, target, NS_TIMER_ACTION(Target, onTick), nullptr, true);
    NSRunLoop::currentRunLoop()->addTimer_forMode(t, kCFRunLoopCommonModes);
    NSTimer* other = NSTimer::timerWithTimeInterval_target_selector_userInfo_repeats(
        0.1, target, NS_TIMER_ACTION(Target, onTick), nullptr, true);
    NSRunLoop::currentRunLoop()->addTimer_forMode(other, CFSTR("SomeOtherMode"));
    other->invalidate();
  }
  EXPECT_EQ(target->retainCount(), 2u);
  WindowSystemRunFor(1);
  EXPECT_EQ(target->ticks, 3);  // the third tick invalidated the timer
  EXPECT_EQ(target->retainCount(), 1u);
  target->release();
}

namespace {
std::vector<std::string> calls;
OSStatus Passes(EventHandlerCallRef, EventRef, void* name) {
  calls.push_back(static_cast<const char*>(name));
  return eventNotHandledErr;
}
OSStatus CallsNextFirst(EventHandlerCallRef call, EventRef e, void*) {
  const OSStatus next = CallNextEventHandler(call, e);
  calls.push_back("first then " + std::to_string(next));
  return noErr;
}
}  // namespace

TEST(CarbonEventsTest, NewestHandlerFirstAndCallNextRunsTheRestOnce) {
  const Rect bounds = {0, 0, 20, 20};
  WindowRef w = nullptr;
  ASSERT_EQ(CreateNewWindow(kDocumentWindowClass, 0, &bounds, &w), noErr);
  const EventTypeSpec down = {kEventClassMouse, kEventMouseDown};
  EventHandlerRef a, b, c;
  InstallEventHandler(GetWindowEventTarget(w), Passes, 1, &down, (void*)"oldest", &a);
  InstallEventHandler(GetWindowEventTarget(w), CallsNextFirst, 1, &down, nullptr, &b);
  InstallEventHandler(GetWindowEventTarget(w), Passes, 1, &down, (void*)"newest", &c);
  WindowSystemPostMouse(WindowSystemWindowOf(w), kWindowSystemPress, 5, 5, 1, 0);
  WindowSystemRunOnce(0);
  EXPECT_EQ(calls, std::vector<std::string>({"newest", "oldest", "first then -9874"}));
  EXPECT_EQ(RemoveEventHandler(b), noErr);
  EXPECT_EQ(RemoveEventHandler(b), paramErr);
  DisposeWindow(w);
  EXPECT_EQ(RemoveEventHandler(a), paramErr);  // went with its window
}
