// Reference counting, class checks and the table of live objects.
#include "Foundation/NSObject.h"

#include <string.h>

#include <mutex>
#include <unordered_set>

#include "Foundation/NSAutoreleasePool.h"

namespace {

// Every live object, so that an opaque pointer can be recognised without reading it.
struct LiveObjects {
  std::mutex mutex;
  std::unordered_set<const void*> set;
};
LiveObjects& Live() {
  static LiveObjects* live = new LiveObjects();  // outlives every static object
  return *live;
}

bool SameClass(Class a, Class b) { return a == b || (a && b && strcmp(a->name, b->name) == 0); }

}  // namespace

Class NSObject::class_() {
  static const NSClassDescription description = {"NSObject", nullptr, &NSObject::allocObject};
  return &description;
}

NSObject::NSObject() {
  LiveObjects& l = Live();
  std::lock_guard<std::mutex> lock(l.mutex);
  l.set.insert(this);
}

NSObject::~NSObject() {
  LiveObjects& l = Live();
  std::lock_guard<std::mutex> lock(l.mutex);
  l.set.erase(this);
}

NSObject* NSObject::retain() {
  m_refs.fetch_add(1, std::memory_order_relaxed);
  return this;
}

void NSObject::release() {
  if (m_refs.fetch_sub(1, std::memory_order_acq_rel) == 1) delete this;
}

NSObject* NSObject::autorelease() {
  NSAutoreleasePool::addObject(this);
  return this;
}

bool NSObject::isKindOfClass(Class cls) const {
  if (!cls) return false;
  for (Class c = isa(); c; c = c->superclass)
    if (SameClass(c, cls)) return true;
  return false;
}

bool NSObject::isMemberOfClass(Class cls) const { return cls && SameClass(isa(), cls); }

NSObject* NSObject::fromOpaque(const void* p) {
  if (!p) return nullptr;
  LiveObjects& l = Live();
  std::lock_guard<std::mutex> lock(l.mutex);
  return l.set.count(p) ? static_cast<NSObject*>(const_cast<void*>(p)) : nullptr;
}
