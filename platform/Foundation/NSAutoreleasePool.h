// Autorelease pools: objects handed to the innermost pool of the calling thread are released
// when that pool is drained. Pools nest per thread; draining one drains the pools opened
// inside it first. Each pass of the window system's run loop runs in a pool of its own.
// Objects autoreleased while a thread has no pool are kept in an outermost pool of the
// thread, drained when the thread ends (on the platform they would leak).
#ifndef __FOUNDATION_NSAUTORELEASEPOOL__
#define __FOUNDATION_NSAUTORELEASEPOOL__

#include <vector>

#include <Foundation/NSObject.h>

class NSAutoreleasePool : public NSObject {
  NS_OBJECT_CLASS(NSAutoreleasePool, NSObject)

  // Opens the pool on this thread.
  NSAutoreleasePool* init() override;
  // Releases what the pool holds and closes it (release does the same).
  void drain();

  // Adds the object to the calling thread's innermost pool.
  static void addObject(NSObject* object);

 private:
  friend struct NSAutoreleasePoolStack;
  std::vector<NSObject*> m_objects;
  bool m_open = false;
  void Empty();
};

// Opens a pool for the scope.
class NSAutoreleaseScope {
 public:
  NSAutoreleaseScope() : m_pool(NSAutoreleasePool::alloc()->init()) {}
  ~NSAutoreleaseScope() {
    if (m_pool) m_pool->drain();
  }
  NSAutoreleaseScope(const NSAutoreleaseScope&) = delete;
  NSAutoreleaseScope& operator=(const NSAutoreleaseScope&) = delete;

 private:
  NSAutoreleasePool* m_pool;
};

#endif
