// Object model behind the CoreFoundation references: every CF object derives from
// CFObject, which carries the type ID and a thread-safe reference count.
#ifndef TESSOR_CF_INTERNAL_H
#define TESSOR_CF_INTERNAL_H

#include <CoreFoundation/CoreFoundation.h>

#include <atomic>
#include <string>
#include <utility>
#include <vector>

namespace cfimpl {

enum : CFTypeID {
  kTypeBoolean = 21,
  kTypeNumber = 22,
  kTypeString = 7,
  kTypeData = 20,
  kTypeArray = 19,
  kTypeDictionary = 18,
  kTypeURL = 29,
  kTypeBundle = 31,
  kTypeError = 36,
  kTypeRunLoop = 43
};

struct CFObject {
  explicit CFObject(CFTypeID type) : typeID(type) {}
  virtual ~CFObject() = default;
  CFObject(const CFObject&) = delete;
  CFObject& operator=(const CFObject&) = delete;

  // Value equality with another object of the same type ID.
  virtual bool Equal(const CFObject& other) const { return this == &other; }
  virtual CFHashCode Hash() const { return reinterpret_cast<CFHashCode>(this); }
  virtual std::string Describe() const;

  const CFTypeID typeID;
  std::atomic<long> refs{1};
  bool immortal = false;  // constants: retain and release do nothing
};

// The object behind a reference, or null for null.
inline const CFObject* Obj(CFTypeRef ref) { return static_cast<const CFObject*>(ref); }

// The object as T when it has T's type ID, else null (wrong-type references are ignored
// rather than misread).
template <class T>
T* As(CFTypeRef ref) {
  const CFObject* o = Obj(ref);
  if (!o || o->typeID != T::kTypeID) return nullptr;
  return static_cast<T*>(const_cast<CFObject*>(o));
}

CFHashCode HashBytes(const void* data, size_t n);
std::string UTF8Of(CFStringRef s);                // "" for null or non-strings
CFStringRef MakeString(const std::string& utf8);  // new string (+1)

}  // namespace cfimpl

struct __CFString : cfimpl::CFObject {
  static constexpr CFTypeID kTypeID = cfimpl::kTypeString;
  __CFString() : CFObject(kTypeID) {}
  bool Equal(const CFObject& other) const override;
  CFHashCode Hash() const override;
  std::string Describe() const override { return text; }
  std::string text;  // valid UTF-8
  bool isMutable = false;
};

struct __CFBoolean : cfimpl::CFObject {
  static constexpr CFTypeID kTypeID = cfimpl::kTypeBoolean;
  explicit __CFBoolean(bool v) : CFObject(kTypeID), value(v) { immortal = true; }
  std::string Describe() const override { return value ? "true" : "false"; }
  bool value;
};

struct __CFNumber : cfimpl::CFObject {
  static constexpr CFTypeID kTypeID = cfimpl::kTypeNumber;
  __CFNumber() : CFObject(kTypeID) {}
  bool Equal(const CFObject& other) const override;
  CFHashCode Hash() const override;
  std::string Describe() const override;
  CFNumberType type = kCFNumberSInt32Type;  // canonical stored type
  bool isFloat = false;
  SInt64 i = 0;
  double d = 0.0;
};

struct __CFData : cfimpl::CFObject {
  static constexpr CFTypeID kTypeID = cfimpl::kTypeData;
  __CFData() : CFObject(kTypeID) {}
  bool Equal(const CFObject& other) const override;
  CFHashCode Hash() const override;
  std::string Describe() const override;
  std::vector<UInt8> bytes;
  bool isMutable = false;
};

struct __CFArray : cfimpl::CFObject {
  static constexpr CFTypeID kTypeID = cfimpl::kTypeArray;
  __CFArray() : CFObject(kTypeID) {}
  ~__CFArray() override;
  bool Equal(const CFObject& other) const override;
  CFHashCode Hash() const override { return values.size(); }
  std::string Describe() const override;
  const void* Retained(const void* v) const { return cb.retain ? cb.retain(nullptr, v) : v; }
  void Release(const void* v) const {
    if (cb.release) cb.release(nullptr, v);
  }
  bool ValuesEqual(const void* a, const void* b) const {
    return a == b || (cb.equal && cb.equal(a, b));
  }
  CFArrayCallBacks cb{};
  std::vector<const void*> values;
  bool isMutable = false;
};

struct __CFDictionary : cfimpl::CFObject {
  static constexpr CFTypeID kTypeID = cfimpl::kTypeDictionary;
  __CFDictionary() : CFObject(kTypeID) {}
  ~__CFDictionary() override;
  bool Equal(const CFObject& other) const override;
  CFHashCode Hash() const override { return entries.size(); }
  std::string Describe() const override;
  // Index of the entry with key, or -1.
  long Find(const void* key) const;
  bool KeysEqual(const void* a, const void* b) const {
    return a == b || (kcb.equal && kcb.equal(a, b));
  }
  bool ValuesEqual(const void* a, const void* b) const {
    return a == b || (vcb.equal && vcb.equal(a, b));
  }
  CFDictionaryKeyCallBacks kcb{};
  CFDictionaryValueCallBacks vcb{};
  std::vector<std::pair<const void*, const void*>> entries;  // insertion order
  bool isMutable = false;
};

struct __CFError : cfimpl::CFObject {
  static constexpr CFTypeID kTypeID = cfimpl::kTypeError;
  __CFError() : CFObject(kTypeID) {}
  ~__CFError() override;
  std::string Describe() const override;
  CFStringRef domain = nullptr;
  CFIndex code = 0;
  CFDictionaryRef userInfo = nullptr;
};

struct __CFURL : cfimpl::CFObject {
  static constexpr CFTypeID kTypeID = cfimpl::kTypeURL;
  __CFURL() : CFObject(kTypeID) {}
  ~__CFURL() override;
  bool Equal(const CFObject& other) const override;
  CFHashCode Hash() const override { return cfimpl::HashBytes(path.data(), path.size()); }
  std::string Describe() const override { return cfimpl::UTF8Of(urlString); }
  std::string path;  // POSIX path, without a trailing slash except for "/"
  bool isDirectory = false;
  CFStringRef urlString = nullptr;  // "file://" form, owned
};

namespace cfimpl {

// The callbacks of the kCFType array and dictionary callback sets. Collections recognise
// values that are CF objects by their retain callback being RetainCF, so both kinds share
// these (an inline function has one address in the whole library).
inline const void* RetainCF(CFAllocatorRef, const void* v) { return CFRetain(v); }
inline void ReleaseCF(CFAllocatorRef, const void* v) { CFRelease(v); }
inline CFStringRef DescribeCF(const void* v) { return CFCopyDescription(v); }
inline Boolean EqualCF(const void* a, const void* b) { return CFEqual(a, b); }
inline CFHashCode HashCF(const void* v) { return CFHash(v); }

// Appends the UTF-8 form of one code point.
void AppendUTF8(std::string* out, UInt32 cp);

// Creates an error in the Cocoa domain with a description (+1).
CFErrorRef MakeError(CFIndex code, const std::string& description);

// Base64 as used by <data> in XML property lists.
std::string Base64Encode(const UInt8* data, size_t n);
// False for characters outside the alphabet (whitespace is skipped) or bad padding.
bool Base64Decode(const char* text, size_t n, std::vector<UInt8>* out);

// XML property-list text from a property list; false with a message for a value that is
// not a property-list object.
bool WritePlistXML(CFPropertyListRef plist, std::string* out, std::string* error);
// Property list from XML text; null with a message for malformed input.
CFPropertyListRef ReadPlistXML(const char* text, size_t n, CFOptionFlags options,
                               std::string* error);

}  // namespace cfimpl

#endif
