// Per-thread stacks of autorelease pools.
#include "Foundation/NSAutoreleasePool.h"

#include <algorithm>

// The calling thread's open pools, innermost last, and the outermost pool that takes what is
// autoreleased while none is open; that one is emptied when the thread ends.
struct NSAutoreleasePoolStack {
  std::vector<NSAutoreleasePool*> open;
  std::vector<NSObject*> orphans;
  ~NSAutoreleasePoolStack() {
    while (!open.empty()) open.back()->drain();
    // Releasing may autorelease more; keep going until nothing is left.
    while (!orphans.empty()) {
      std::vector<NSObject*> batch;
      batch.swap(orphans);
      for (NSObject* o : batch) o->release();
    }
  }
};

namespace {
NSAutoreleasePoolStack& Stack() {
  static thread_local NSAutoreleasePoolStack stack;
  return stack;
}
}  // namespace

NSAutoreleasePool::~NSAutoreleasePool() { Empty(); }

NSAutoreleasePool* NSAutoreleasePool::init() {
  m_open = true;
  Stack().open.push_back(this);
  return this;
}

void NSAutoreleasePool::Empty() {
  // An object released here may autorelease others into this same pool.
  while (!m_objects.empty()) {
    std::vector<NSObject*> batch;
    batch.swap(m_objects);
    for (NSObject* o : batch) o->release();
  }
}

void NSAutoreleasePool::drain() {
  if (m_open) {
    std::vector<NSAutoreleasePool*>& open = Stack().open;
    auto it = std::find(open.begin(), open.end(), this);
    // Pools opened inside this one go first.
    while (it != open.end() && open.back() != this) {
      open.back()->drain();
      it = std::find(open.begin(), open.end(), this);
    }
    Empty();
    if (!open.empty() && open.back() == this) open.pop_back();
    m_open = false;
  }
  release();
}

void NSAutoreleasePool::addObject(NSObject* object) {
  if (!object) return;
  NSAutoreleasePoolStack& s = Stack();
  if (s.open.empty())
    s.orphans.push_back(object);
  else
    s.open.back()->m_objects.push_back(object);
}
