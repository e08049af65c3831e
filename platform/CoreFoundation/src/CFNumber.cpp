// CFNumber and CFBoolean.
#include "CFInternal.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace {

__CFBoolean gTrue(true);
__CFBoolean gFalse(false);

struct TypeInfo {
  bool isFloat;
  int bytes;  // of the value in memory
  CFNumberType canonical;
};

bool Info(CFNumberType t, TypeInfo* out) {
  switch (t) {
    case kCFNumberSInt8Type:
    case kCFNumberCharType:
      *out = {false, 1, kCFNumberSInt8Type};
      return true;
    case kCFNumberSInt16Type:
    case kCFNumberShortType:
      *out = {false, 2, kCFNumberSInt16Type};
      return true;
    case kCFNumberSInt32Type:
    case kCFNumberIntType:
      *out = {false, 4, kCFNumberSInt32Type};
      return true;
    case kCFNumberSInt64Type:
    case kCFNumberLongType:
    case kCFNumberLongLongType:
    case kCFNumberCFIndexType:
    case kCFNumberNSIntegerType:
      *out = {false, 8, kCFNumberSInt64Type};
      return true;
    case kCFNumberFloat32Type:
    case kCFNumberFloatType:
      *out = {true, 4, kCFNumberFloat32Type};
      return true;
    case kCFNumberFloat64Type:
    case kCFNumberDoubleType:
    case kCFNumberCGFloatType:
      *out = {true, 8, kCFNumberFloat64Type};
      return true;
    default:
      return false;
  }
}

template <class T>
bool StoreInt(SInt64 v, void* p) {
  T t = static_cast<T>(v);
  std::memcpy(p, &t, sizeof t);
  return v >= std::numeric_limits<T>::min() && v <= std::numeric_limits<T>::max();
}

template <class T>
bool StoreIntFromDouble(double d, void* p) {
  T t;
  bool exact;
  if (std::isnan(d)) {
    t = 0;
    exact = false;
  } else if (d <= static_cast<double>(std::numeric_limits<T>::min())) {
    t = std::numeric_limits<T>::min();
    exact = d == static_cast<double>(t);
  } else if (d >= static_cast<double>(std::numeric_limits<T>::max())) {
    t = std::numeric_limits<T>::max();
    exact = false;
  } else {
    t = static_cast<T>(d);  // truncates toward zero
    exact = static_cast<double>(t) == d;
  }
  std::memcpy(p, &t, sizeof t);
  return exact;
}

double AsDouble(const __CFNumber& n) { return n.isFloat ? n.d : static_cast<double>(n.i); }

}  // namespace

const CFBooleanRef kCFBooleanTrue = &gTrue;
const CFBooleanRef kCFBooleanFalse = &gFalse;

CFTypeID CFBooleanGetTypeID(void) { return cfimpl::kTypeBoolean; }

Boolean CFBooleanGetValue(CFBooleanRef boolean) {
  const __CFBoolean* b = cfimpl::As<__CFBoolean>(boolean);
  return b && b->value;
}

bool __CFNumber::Equal(const CFObject& other) const {
  const __CFNumber& o = static_cast<const __CFNumber&>(other);
  if (!isFloat && !o.isFloat) return i == o.i;
  return AsDouble(*this) == AsDouble(o);
}

CFHashCode __CFNumber::Hash() const {
  double d = AsDouble(*this);
  if (!isFloat || (std::floor(d) == d && std::fabs(d) < 9.2e18)) {
    SInt64 v = isFloat ? static_cast<SInt64>(d) : i;
    return cfimpl::HashBytes(&v, sizeof v);
  }
  return cfimpl::HashBytes(&d, sizeof d);
}

std::string __CFNumber::Describe() const {
  char buf[64];
  if (isFloat)
    std::snprintf(buf, sizeof buf, "%.17g", d);
  else
    std::snprintf(buf, sizeof buf, "%lld", static_cast<long long>(i));
  return buf;
}

CFTypeID CFNumberGetTypeID(void) { return cfimpl::kTypeNumber; }

CFNumberRef CFNumberCreate(CFAllocatorRef, CFNumberType theType, const void* valuePtr) {
  TypeInfo info;
  if (!valuePtr || !Info(theType, &info)) return nullptr;
  __CFNumber* n = new __CFNumber;
  n->type = info.canonical;
  n->isFloat = info.isFloat;
  switch (info.canonical) {
    case kCFNumberSInt8Type: {
      SInt8 v;
      std::memcpy(&v, valuePtr, 1);
      n->i = v;
      break;
    }
    case kCFNumberSInt16Type: {
      SInt16 v;
      std::memcpy(&v, valuePtr, 2);
      n->i = v;
      break;
    }
    case kCFNumberSInt32Type: {
      SInt32 v;
      std::memcpy(&v, valuePtr, 4);
      n->i = v;
      break;
    }
    case kCFNumberSInt64Type: {
      SInt64 v;
      std::memcpy(&v, valuePtr, 8);
      n->i = v;
      break;
    }
    case kCFNumberFloat32Type: {
      Float32 v;
      std::memcpy(&v, valuePtr, 4);
      n->d = v;
      break;
    }
    default: {
      Float64 v;
      std::memcpy(&v, valuePtr, 8);
      n->d = v;
      break;
    }
  }
  return n;
}

CFNumberType CFNumberGetType(CFNumberRef number) {
  const __CFNumber* n = cfimpl::As<__CFNumber>(number);
  return n ? n->type : 0;
}

CFIndex CFNumberGetByteSize(CFNumberRef number) {
  TypeInfo info;
  const __CFNumber* n = cfimpl::As<__CFNumber>(number);
  return n && Info(n->type, &info) ? info.bytes : 0;
}

Boolean CFNumberIsFloatType(CFNumberRef number) {
  const __CFNumber* n = cfimpl::As<__CFNumber>(number);
  return n && n->isFloat;
}

Boolean CFNumberGetValue(CFNumberRef number, CFNumberType theType, void* valuePtr) {
  const __CFNumber* n = cfimpl::As<__CFNumber>(number);
  TypeInfo info;
  if (!n || !valuePtr || !Info(theType, &info)) return false;
  if (info.isFloat) {
    double d = AsDouble(*n);
    if (info.bytes == 4) {
      Float32 f = static_cast<Float32>(d);
      std::memcpy(valuePtr, &f, 4);
      return std::isnan(d) || static_cast<double>(f) == d;
    }
    std::memcpy(valuePtr, &d, 8);
    return n->isFloat || static_cast<SInt64>(d) == n->i;
  }
  if (n->isFloat) {
    switch (info.bytes) {
      case 1:
        return StoreIntFromDouble<SInt8>(n->d, valuePtr);
      case 2:
        return StoreIntFromDouble<SInt16>(n->d, valuePtr);
      case 4:
        return StoreIntFromDouble<SInt32>(n->d, valuePtr);
      default:
        return StoreIntFromDouble<SInt64>(n->d, valuePtr);
    }
  }
  switch (info.bytes) {
    case 1:
      return StoreInt<SInt8>(n->i, valuePtr);
    case 2:
      return StoreInt<SInt16>(n->i, valuePtr);
    case 4:
      return StoreInt<SInt32>(n->i, valuePtr);
    default:
      return StoreInt<SInt64>(n->i, valuePtr);
  }
}

CFComparisonResult CFNumberCompare(CFNumberRef number, CFNumberRef otherNumber, void*) {
  const __CFNumber* a = cfimpl::As<__CFNumber>(number);
  const __CFNumber* b = cfimpl::As<__CFNumber>(otherNumber);
  if (!a || !b) return kCFCompareEqualTo;
  if (!a->isFloat && !b->isFloat)
    return a->i < b->i   ? kCFCompareLessThan
           : a->i > b->i ? kCFCompareGreaterThan
                         : kCFCompareEqualTo;
  double x = AsDouble(*a), y = AsDouble(*b);
  return x < y ? kCFCompareLessThan : x > y ? kCFCompareGreaterThan : kCFCompareEqualTo;
}
