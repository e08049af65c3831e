// Retain counting, type identity, equality and hashing of CF objects, and the allocator
// and run-loop constants.
#include "CFInternal.h"

#include <climits>
#include <cstdio>

const CFAllocatorRef kCFAllocatorDefault = nullptr;
const CFAllocatorRef kCFAllocatorSystemDefault = nullptr;
const CFAllocatorRef kCFAllocatorMalloc = nullptr;
const CFAllocatorRef kCFAllocatorNull = nullptr;

namespace cfimpl {

std::string CFObject::Describe() const {
  char buf[64];
  std::snprintf(buf, sizeof buf, "<CFType %lu %p>", typeID, static_cast<const void*>(this));
  return buf;
}

CFHashCode HashBytes(const void* data, size_t n) {
  // FNV-1a, 64-bit: its published offset basis and prime.
  const UInt64 kFnvOffsetBasis = 1469598103934665603ULL;
  const UInt64 kFnvPrime = 1099511628211ULL;
  const UInt8* p = static_cast<const UInt8*>(data);
  UInt64 h = kFnvOffsetBasis;
  for (size_t i = 0; i < n; ++i) {
    h ^= p[i];
    h *= kFnvPrime;
  }
  return static_cast<CFHashCode>(h);
}

}  // namespace cfimpl

CFTypeRef CFRetain(CFTypeRef cf) {
  const cfimpl::CFObject* o = cfimpl::Obj(cf);
  if (o && !o->immortal)
    const_cast<cfimpl::CFObject*>(o)->refs.fetch_add(1, std::memory_order_relaxed);
  return cf;
}

void CFRelease(CFTypeRef cf) {
  cfimpl::CFObject* o = const_cast<cfimpl::CFObject*>(cfimpl::Obj(cf));
  if (!o || o->immortal) return;
  if (o->refs.fetch_sub(1, std::memory_order_acq_rel) == 1) delete o;
}

CFIndex CFGetRetainCount(CFTypeRef cf) {
  const cfimpl::CFObject* o = cfimpl::Obj(cf);
  if (!o) return 0;
  if (o->immortal) return LONG_MAX;
  return o->refs.load(std::memory_order_relaxed);
}

CFTypeID CFGetTypeID(CFTypeRef cf) {
  const cfimpl::CFObject* o = cfimpl::Obj(cf);
  return o ? o->typeID : 0;
}

Boolean CFEqual(CFTypeRef cf1, CFTypeRef cf2) {
  if (cf1 == cf2) return true;
  const cfimpl::CFObject* a = cfimpl::Obj(cf1);
  const cfimpl::CFObject* b = cfimpl::Obj(cf2);
  if (!a || !b || a->typeID != b->typeID) return false;
  return a->Equal(*b);
}

CFHashCode CFHash(CFTypeRef cf) {
  const cfimpl::CFObject* o = cfimpl::Obj(cf);
  return o ? o->Hash() : 0;
}

CFStringRef CFCopyDescription(CFTypeRef cf) {
  const cfimpl::CFObject* o = cfimpl::Obj(cf);
  return cfimpl::MakeString(o ? o->Describe() : std::string("(null)"));
}

CFStringRef CFCopyTypeIDDescription(CFTypeID typeID) {
  const char* name = "CFType";
  switch (typeID) {
    case cfimpl::kTypeBoolean:
      name = "CFBoolean";
      break;
    case cfimpl::kTypeNumber:
      name = "CFNumber";
      break;
    case cfimpl::kTypeString:
      name = "CFString";
      break;
    case cfimpl::kTypeData:
      name = "CFData";
      break;
    case cfimpl::kTypeArray:
      name = "CFArray";
      break;
    case cfimpl::kTypeDictionary:
      name = "CFDictionary";
      break;
    case cfimpl::kTypeURL:
      name = "CFURL";
      break;
    case cfimpl::kTypeBundle:
      name = "CFBundle";
      break;
    case cfimpl::kTypeError:
      name = "CFError";
      break;
    case cfimpl::kTypeRunLoop:
      name = "CFRunLoop";
      break;
    default:
      break;
  }
  return cfimpl::MakeString(name);
}

// Run loops: one immortal object stands for every thread's run loop; nothing is
// scheduled on it because notifications are delivered synchronously.
struct __CFRunLoop : cfimpl::CFObject {
  static constexpr CFTypeID kTypeID = cfimpl::kTypeRunLoop;
  __CFRunLoop() : CFObject(kTypeID) { immortal = true; }
};

const CFStringRef kCFRunLoopDefaultMode = CFSTR("kCFRunLoopDefaultMode");
const CFStringRef kCFRunLoopCommonModes = CFSTR("kCFRunLoopCommonModes");

CFRunLoopRef CFRunLoopGetCurrent(void) {
  static __CFRunLoop loop;
  return &loop;
}

CFRunLoopRef CFRunLoopGetMain(void) { return CFRunLoopGetCurrent(); }
