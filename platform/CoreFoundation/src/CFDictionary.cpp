// CFDictionary: key-value pairs in insertion order with key and value callbacks.
#include "CFInternal.h"

using cfimpl::DescribeCF;
using cfimpl::EqualCF;
using cfimpl::HashCF;
using cfimpl::ReleaseCF;
using cfimpl::RetainCF;

namespace {

__CFDictionary* NewDict(const CFDictionaryKeyCallBacks* k, const CFDictionaryValueCallBacks* v,
                        bool isMutable) {
  __CFDictionary* d = new __CFDictionary;
  if (k) d->kcb = *k;
  if (v) d->vcb = *v;
  d->isMutable = isMutable;
  return d;
}

const void* RetainKey(const __CFDictionary* d, const void* k) {
  return d->kcb.retain ? d->kcb.retain(nullptr, k) : k;
}
const void* RetainValue(const __CFDictionary* d, const void* v) {
  return d->vcb.retain ? d->vcb.retain(nullptr, v) : v;
}
void ReleaseKey(const __CFDictionary* d, const void* k) {
  if (d->kcb.release) d->kcb.release(nullptr, k);
}
void ReleaseValue(const __CFDictionary* d, const void* v) {
  if (d->vcb.release) d->vcb.release(nullptr, v);
}

void Put(__CFDictionary* d, const void* key, const void* value, bool add, bool replace) {
  long i = d->Find(key);
  if (i < 0) {
    if (!add) return;
    d->entries.emplace_back(RetainKey(d, key), RetainValue(d, value));
    return;
  }
  if (!replace) return;
  const void* old = d->entries[static_cast<size_t>(i)].second;
  d->entries[static_cast<size_t>(i)].second = RetainValue(d, value);
  ReleaseValue(d, old);
}

}  // namespace

const CFDictionaryKeyCallBacks kCFTypeDictionaryKeyCallBacks = {0,          RetainCF, ReleaseCF,
                                                                DescribeCF, EqualCF,  HashCF};
const CFDictionaryKeyCallBacks kCFCopyStringDictionaryKeyCallBacks = {
    0, RetainCF, ReleaseCF, DescribeCF, EqualCF, HashCF};
const CFDictionaryValueCallBacks kCFTypeDictionaryValueCallBacks = {0, RetainCF, ReleaseCF,
                                                                    DescribeCF, EqualCF};

__CFDictionary::~__CFDictionary() {
  for (auto& e : entries) {
    ReleaseKey(this, e.first);
    ReleaseValue(this, e.second);
  }
}

long __CFDictionary::Find(const void* key) const {
  for (size_t i = 0; i < entries.size(); ++i)
    if (KeysEqual(entries[i].first, key)) return static_cast<long>(i);
  return -1;
}

bool __CFDictionary::Equal(const CFObject& other) const {
  const __CFDictionary& o = static_cast<const __CFDictionary&>(other);
  if (entries.size() != o.entries.size()) return false;
  for (auto& e : entries) {
    long j = o.Find(e.first);
    if (j < 0 || !ValuesEqual(e.second, o.entries[static_cast<size_t>(j)].second)) return false;
  }
  return true;
}

std::string __CFDictionary::Describe() const {
  std::string s = "{";
  bool cfKeys = kcb.retain == RetainCF, cfValues = vcb.retain == RetainCF;
  for (size_t i = 0; i < entries.size(); ++i) {
    if (i) s += ", ";
    const cfimpl::CFObject* k = cfKeys ? cfimpl::Obj(entries[i].first) : nullptr;
    const cfimpl::CFObject* v = cfValues ? cfimpl::Obj(entries[i].second) : nullptr;
    s += (k ? k->Describe() : std::string("<key>")) + " = " +
         (v ? v->Describe() : std::string("<value>"));
  }
  return s + "}";
}

CFTypeID CFDictionaryGetTypeID(void) { return cfimpl::kTypeDictionary; }

CFDictionaryRef CFDictionaryCreate(CFAllocatorRef, const void** keys, const void** values,
                                   CFIndex numValues, const CFDictionaryKeyCallBacks* keyCallBacks,
                                   const CFDictionaryValueCallBacks* valueCallBacks) {
  if (numValues < 0 || ((!keys || !values) && numValues > 0)) return nullptr;
  __CFDictionary* d = NewDict(keyCallBacks, valueCallBacks, false);
  for (CFIndex i = 0; i < numValues; ++i) Put(d, keys[i], values[i], true, true);
  return d;
}

CFDictionaryRef CFDictionaryCreateCopy(CFAllocatorRef, CFDictionaryRef theDict) {
  const __CFDictionary* s = cfimpl::As<__CFDictionary>(theDict);
  if (!s) return nullptr;
  __CFDictionary* d = NewDict(&s->kcb, &s->vcb, false);
  for (auto& e : s->entries)
    d->entries.emplace_back(RetainKey(d, e.first), RetainValue(d, e.second));
  return d;
}

CFMutableDictionaryRef CFDictionaryCreateMutable(CFAllocatorRef, CFIndex capacity,
                                                 const CFDictionaryKeyCallBacks* keyCallBacks,
                                                 const CFDictionaryValueCallBacks* valueCallBacks) {
  __CFDictionary* d = NewDict(keyCallBacks, valueCallBacks, true);
  if (capacity > 0) d->entries.reserve(static_cast<size_t>(capacity));
  return d;
}

CFMutableDictionaryRef CFDictionaryCreateMutableCopy(CFAllocatorRef, CFIndex,
                                                     CFDictionaryRef theDict) {
  const __CFDictionary* s = cfimpl::As<__CFDictionary>(theDict);
  if (!s) return nullptr;
  __CFDictionary* d = NewDict(&s->kcb, &s->vcb, true);
  for (auto& e : s->entries)
    d->entries.emplace_back(RetainKey(d, e.first), RetainValue(d, e.second));
  return d;
}

CFIndex CFDictionaryGetCount(CFDictionaryRef theDict) {
  const __CFDictionary* d = cfimpl::As<__CFDictionary>(theDict);
  return d ? static_cast<CFIndex>(d->entries.size()) : 0;
}

const void* CFDictionaryGetValue(CFDictionaryRef theDict, const void* key) {
  const void* v = nullptr;
  CFDictionaryGetValueIfPresent(theDict, key, &v);
  return v;
}

Boolean CFDictionaryGetValueIfPresent(CFDictionaryRef theDict, const void* key,
                                      const void** value) {
  const __CFDictionary* d = cfimpl::As<__CFDictionary>(theDict);
  if (!d) return false;
  long i = d->Find(key);
  if (i < 0) return false;
  if (value) *value = d->entries[static_cast<size_t>(i)].second;
  return true;
}

Boolean CFDictionaryContainsKey(CFDictionaryRef theDict, const void* key) {
  return CFDictionaryGetValueIfPresent(theDict, key, nullptr);
}

void CFDictionaryGetKeysAndValues(CFDictionaryRef theDict, const void** keys, const void** values) {
  const __CFDictionary* d = cfimpl::As<__CFDictionary>(theDict);
  if (!d) return;
  for (size_t i = 0; i < d->entries.size(); ++i) {
    if (keys) keys[i] = d->entries[i].first;
    if (values) values[i] = d->entries[i].second;
  }
}

void CFDictionaryApplyFunction(CFDictionaryRef theDict, CFDictionaryApplierFunction applier,
                               void* context) {
  const __CFDictionary* d = cfimpl::As<__CFDictionary>(theDict);
  if (!d || !applier) return;
  for (auto& e : d->entries) applier(e.first, e.second, context);
}

void CFDictionaryAddValue(CFMutableDictionaryRef theDict, const void* key, const void* value) {
  __CFDictionary* d = cfimpl::As<__CFDictionary>(theDict);
  if (d && d->isMutable) Put(d, key, value, true, false);
}

void CFDictionaryReplaceValue(CFMutableDictionaryRef theDict, const void* key, const void* value) {
  __CFDictionary* d = cfimpl::As<__CFDictionary>(theDict);
  if (d && d->isMutable) Put(d, key, value, false, true);
}

void CFDictionarySetValue(CFMutableDictionaryRef theDict, const void* key, const void* value) {
  __CFDictionary* d = cfimpl::As<__CFDictionary>(theDict);
  if (d && d->isMutable) Put(d, key, value, true, true);
}

void CFDictionaryRemoveValue(CFMutableDictionaryRef theDict, const void* key) {
  __CFDictionary* d = cfimpl::As<__CFDictionary>(theDict);
  if (!d || !d->isMutable) return;
  long i = d->Find(key);
  if (i < 0) return;
  auto e = d->entries[static_cast<size_t>(i)];
  d->entries.erase(d->entries.begin() + i);
  ReleaseKey(d, e.first);
  ReleaseValue(d, e.second);
}

void CFDictionaryRemoveAllValues(CFMutableDictionaryRef theDict) {
  __CFDictionary* d = cfimpl::As<__CFDictionary>(theDict);
  if (!d || !d->isMutable) return;
  std::vector<std::pair<const void*, const void*>> old;
  old.swap(d->entries);
  for (auto& e : old) {
    ReleaseKey(d, e.first);
    ReleaseValue(d, e.second);
  }
}
