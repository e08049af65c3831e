// The process's classes by name.
#include <string.h>

#include <map>
#include <mutex>
#include <string>

#include "Foundation/NSObjCRuntime.h"

namespace {

struct Registry {
  std::mutex mutex;
  std::map<std::string, Class> byName;
};
Registry& Classes() {
  static Registry* r = new Registry();  // outlives every static object
  return *r;
}

const char* SuperName(Class c) { return c->superclass ? c->superclass->name : ""; }

}  // namespace

bool NSRegisterClass(Class cls) {
  if (!cls || !cls->name) return false;
  Registry& r = Classes();
  std::lock_guard<std::mutex> lock(r.mutex);
  auto it = r.byName.find(cls->name);
  if (it == r.byName.end()) {
    r.byName[cls->name] = cls;
    return true;
  }
  return it->second == cls || strcmp(SuperName(it->second), SuperName(cls)) == 0;
}

Class NSClassFromString(const char* name) {
  if (!name) return nullptr;
  Registry& r = Classes();
  std::lock_guard<std::mutex> lock(r.mutex);
  auto it = r.byName.find(name);
  return it == r.byName.end() ? nullptr : it->second;
}

const char* NSStringFromClass(Class cls) { return cls ? cls->name : nullptr; }

NSObject* NSCreateInstance(Class cls) {
  if (!cls || !cls->allocate) return nullptr;
  NSObject* o = cls->allocate();
  return o ? o->init() : nullptr;
}

NS_REGISTER_CLASS(NSObject);
