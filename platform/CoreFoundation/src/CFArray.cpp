// CFArray: ordered values with retain/release/equal callbacks.
#include "CFInternal.h"

using cfimpl::DescribeCF;
using cfimpl::EqualCF;
using cfimpl::ReleaseCF;
using cfimpl::RetainCF;

namespace {

__CFArray* NewArray(const CFArrayCallBacks* cb, bool isMutable) {
  __CFArray* a = new __CFArray;
  if (cb) a->cb = *cb;
  a->isMutable = isMutable;
  return a;
}

bool RangeOK(const __CFArray* a, CFRange r) {
  return r.location >= 0 && r.length >= 0 && static_cast<size_t>(r.location) <= a->values.size() &&
         static_cast<size_t>(r.length) <= a->values.size() - static_cast<size_t>(r.location);
}

}  // namespace

const CFArrayCallBacks kCFTypeArrayCallBacks = {0, RetainCF, ReleaseCF, DescribeCF, EqualCF};

__CFArray::~__CFArray() {
  for (const void* v : values) Release(v);
}

bool __CFArray::Equal(const CFObject& other) const {
  const __CFArray& o = static_cast<const __CFArray&>(other);
  if (values.size() != o.values.size()) return false;
  for (size_t i = 0; i < values.size(); ++i)
    if (!ValuesEqual(values[i], o.values[i])) return false;
  return true;
}

std::string __CFArray::Describe() const {
  std::string s = "(";
  for (size_t i = 0; i < values.size(); ++i) {
    if (i) s += ", ";
    const cfimpl::CFObject* o = cb.retain == RetainCF ? cfimpl::Obj(values[i]) : nullptr;
    s += o ? o->Describe() : std::string("<value>");
  }
  return s + ")";
}

CFTypeID CFArrayGetTypeID(void) { return cfimpl::kTypeArray; }

CFArrayRef CFArrayCreate(CFAllocatorRef, const void** values, CFIndex numValues,
                         const CFArrayCallBacks* callBacks) {
  if (numValues < 0 || (!values && numValues > 0)) return nullptr;
  __CFArray* a = NewArray(callBacks, false);
  for (CFIndex i = 0; i < numValues; ++i) a->values.push_back(a->Retained(values[i]));
  return a;
}

CFArrayRef CFArrayCreateCopy(CFAllocatorRef, CFArrayRef theArray) {
  const __CFArray* s = cfimpl::As<__CFArray>(theArray);
  if (!s) return nullptr;
  __CFArray* a = NewArray(&s->cb, false);
  for (const void* v : s->values) a->values.push_back(a->Retained(v));
  return a;
}

CFMutableArrayRef CFArrayCreateMutable(CFAllocatorRef, CFIndex capacity,
                                       const CFArrayCallBacks* callBacks) {
  __CFArray* a = NewArray(callBacks, true);
  if (capacity > 0) a->values.reserve(static_cast<size_t>(capacity));
  return a;
}

CFIndex CFArrayGetCount(CFArrayRef theArray) {
  const __CFArray* a = cfimpl::As<__CFArray>(theArray);
  return a ? static_cast<CFIndex>(a->values.size()) : 0;
}

const void* CFArrayGetValueAtIndex(CFArrayRef theArray, CFIndex idx) {
  const __CFArray* a = cfimpl::As<__CFArray>(theArray);
  if (!a || idx < 0 || static_cast<size_t>(idx) >= a->values.size()) return nullptr;
  return a->values[static_cast<size_t>(idx)];
}

void CFArrayGetValues(CFArrayRef theArray, CFRange range, const void** values) {
  const __CFArray* a = cfimpl::As<__CFArray>(theArray);
  if (!a || !values || !RangeOK(a, range)) return;
  for (CFIndex i = 0; i < range.length; ++i)
    values[i] = a->values[static_cast<size_t>(range.location + i)];
}

CFIndex CFArrayGetFirstIndexOfValue(CFArrayRef theArray, CFRange range, const void* value) {
  const __CFArray* a = cfimpl::As<__CFArray>(theArray);
  if (!a || !RangeOK(a, range)) return kCFNotFound;
  for (CFIndex i = range.location; i < range.location + range.length; ++i)
    if (a->ValuesEqual(a->values[static_cast<size_t>(i)], value)) return i;
  return kCFNotFound;
}

Boolean CFArrayContainsValue(CFArrayRef theArray, CFRange range, const void* value) {
  return CFArrayGetFirstIndexOfValue(theArray, range, value) != kCFNotFound;
}

void CFArrayApplyFunction(CFArrayRef theArray, CFRange range, CFArrayApplierFunction applier,
                          void* context) {
  const __CFArray* a = cfimpl::As<__CFArray>(theArray);
  if (!a || !applier || !RangeOK(a, range)) return;
  for (CFIndex i = range.location; i < range.location + range.length; ++i)
    applier(a->values[static_cast<size_t>(i)], context);
}

void CFArrayAppendValue(CFMutableArrayRef theArray, const void* value) {
  __CFArray* a = cfimpl::As<__CFArray>(theArray);
  if (a && a->isMutable) a->values.push_back(a->Retained(value));
}

void CFArrayInsertValueAtIndex(CFMutableArrayRef theArray, CFIndex idx, const void* value) {
  __CFArray* a = cfimpl::As<__CFArray>(theArray);
  if (!a || !a->isMutable || idx < 0 || static_cast<size_t>(idx) > a->values.size()) return;
  a->values.insert(a->values.begin() + idx, a->Retained(value));
}

void CFArraySetValueAtIndex(CFMutableArrayRef theArray, CFIndex idx, const void* value) {
  __CFArray* a = cfimpl::As<__CFArray>(theArray);
  if (!a || !a->isMutable || idx < 0 || static_cast<size_t>(idx) > a->values.size()) return;
  if (static_cast<size_t>(idx) == a->values.size()) {
    a->values.push_back(a->Retained(value));
    return;
  }
  const void* old = a->values[static_cast<size_t>(idx)];
  a->values[static_cast<size_t>(idx)] = a->Retained(value);
  a->Release(old);
}

void CFArrayRemoveValueAtIndex(CFMutableArrayRef theArray, CFIndex idx) {
  __CFArray* a = cfimpl::As<__CFArray>(theArray);
  if (!a || !a->isMutable || idx < 0 || static_cast<size_t>(idx) >= a->values.size()) return;
  const void* old = a->values[static_cast<size_t>(idx)];
  a->values.erase(a->values.begin() + idx);
  a->Release(old);
}

void CFArrayRemoveAllValues(CFMutableArrayRef theArray) {
  __CFArray* a = cfimpl::As<__CFArray>(theArray);
  if (!a || !a->isMutable) return;
  std::vector<const void*> old;
  old.swap(a->values);
  for (const void* v : old) a->Release(v);
}
