// CFData: immutable and mutable byte buffers.
#include "CFInternal.h"

#include <cstdio>
#include <cstring>

bool __CFData::Equal(const CFObject& other) const {
  return bytes == static_cast<const __CFData&>(other).bytes;
}

CFHashCode __CFData::Hash() const { return cfimpl::HashBytes(bytes.data(), bytes.size()); }

std::string __CFData::Describe() const {
  char buf[48];
  std::snprintf(buf, sizeof buf, "<CFData %zu bytes>", bytes.size());
  return buf;
}

CFTypeID CFDataGetTypeID(void) { return cfimpl::kTypeData; }

CFDataRef CFDataCreate(CFAllocatorRef, const UInt8* bytes, CFIndex length) {
  if (length < 0 || (!bytes && length > 0)) return nullptr;
  __CFData* d = new __CFData;
  if (length > 0) d->bytes.assign(bytes, bytes + length);
  return d;
}

CFDataRef CFDataCreateCopy(CFAllocatorRef, CFDataRef theData) {
  const __CFData* s = cfimpl::As<__CFData>(theData);
  if (!s) return nullptr;
  __CFData* d = new __CFData;
  d->bytes = s->bytes;
  return d;
}

CFMutableDataRef CFDataCreateMutable(CFAllocatorRef, CFIndex capacity) {
  __CFData* d = new __CFData;
  d->isMutable = true;
  if (capacity > 0) d->bytes.reserve(static_cast<size_t>(capacity));
  return d;
}

CFIndex CFDataGetLength(CFDataRef theData) {
  const __CFData* d = cfimpl::As<__CFData>(theData);
  return d ? static_cast<CFIndex>(d->bytes.size()) : 0;
}

const UInt8* CFDataGetBytePtr(CFDataRef theData) {
  const __CFData* d = cfimpl::As<__CFData>(theData);
  return d ? d->bytes.data() : nullptr;
}

UInt8* CFDataGetMutableBytePtr(CFMutableDataRef theData) {
  __CFData* d = cfimpl::As<__CFData>(theData);
  return d && d->isMutable ? d->bytes.data() : nullptr;
}

void CFDataGetBytes(CFDataRef theData, CFRange range, UInt8* buffer) {
  const __CFData* d = cfimpl::As<__CFData>(theData);
  if (!d || !buffer || range.location < 0 || range.length <= 0 ||
      static_cast<size_t>(range.location) > d->bytes.size() ||
      static_cast<size_t>(range.length) > d->bytes.size() - static_cast<size_t>(range.location))
    return;
  std::memcpy(buffer, d->bytes.data() + range.location, static_cast<size_t>(range.length));
}

void CFDataSetLength(CFMutableDataRef theData, CFIndex length) {
  __CFData* d = cfimpl::As<__CFData>(theData);
  if (d && d->isMutable && length >= 0) d->bytes.resize(static_cast<size_t>(length), 0);
}

void CFDataAppendBytes(CFMutableDataRef theData, const UInt8* bytes, CFIndex length) {
  __CFData* d = cfimpl::As<__CFData>(theData);
  if (d && d->isMutable && bytes && length > 0)
    d->bytes.insert(d->bytes.end(), bytes, bytes + length);
}
