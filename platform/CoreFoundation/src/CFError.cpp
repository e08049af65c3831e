// CFError: domain, code and user info.
#include "CFInternal.h"

const CFStringRef kCFErrorDomainPOSIX = CFSTR("NSPOSIXErrorDomain");
const CFStringRef kCFErrorDomainOSStatus = CFSTR("NSOSStatusErrorDomain");
const CFStringRef kCFErrorDomainCocoa = CFSTR("NSCocoaErrorDomain");
const CFStringRef kCFErrorDescriptionKey = CFSTR("NSDescription");

__CFError::~__CFError() {
  CFRelease(domain);
  CFRelease(userInfo);
}

std::string __CFError::Describe() const {
  return cfimpl::UTF8Of(domain) + " error " + std::to_string(code);
}

CFTypeID CFErrorGetTypeID(void) { return cfimpl::kTypeError; }

CFErrorRef CFErrorCreate(CFAllocatorRef, CFStringRef domain, CFIndex code,
                         CFDictionaryRef userInfo) {
  if (!cfimpl::As<__CFString>(domain)) return nullptr;
  __CFError* e = new __CFError;
  e->domain = CFStringCreateCopy(nullptr, domain);
  e->code = code;
  if (userInfo) e->userInfo = CFDictionaryCreateCopy(nullptr, userInfo);
  return e;
}

CFStringRef CFErrorGetDomain(CFErrorRef err) {
  const __CFError* e = cfimpl::As<__CFError>(err);
  return e ? e->domain : nullptr;
}

CFIndex CFErrorGetCode(CFErrorRef err) {
  const __CFError* e = cfimpl::As<__CFError>(err);
  return e ? e->code : 0;
}

CFDictionaryRef CFErrorCopyUserInfo(CFErrorRef err) {
  const __CFError* e = cfimpl::As<__CFError>(err);
  if (!e) return nullptr;
  if (e->userInfo) return static_cast<CFDictionaryRef>(CFRetain(e->userInfo));
  return CFDictionaryCreate(nullptr, nullptr, nullptr, 0, &kCFTypeDictionaryKeyCallBacks,
                            &kCFTypeDictionaryValueCallBacks);
}

CFStringRef CFErrorCopyDescription(CFErrorRef err) {
  const __CFError* e = cfimpl::As<__CFError>(err);
  if (!e) return nullptr;
  CFStringRef text =
      static_cast<CFStringRef>(CFDictionaryGetValue(e->userInfo, kCFErrorDescriptionKey));
  if (cfimpl::As<__CFString>(text)) return CFStringCreateCopy(nullptr, text);
  return cfimpl::MakeString("The operation couldn't be completed. (" + e->Describe() + ")");
}

namespace cfimpl {

CFErrorRef MakeError(CFIndex code, const std::string& description) {
  CFStringRef text = MakeString(description);
  if (!text) text = MakeString("invalid property list");
  const void* keys[] = {kCFErrorDescriptionKey};
  const void* values[] = {text};
  CFDictionaryRef info = CFDictionaryCreate(
      nullptr, keys, values, 1, &kCFTypeDictionaryKeyCallBacks, &kCFTypeDictionaryValueCallBacks);
  CFErrorRef e = CFErrorCreate(nullptr, kCFErrorDomainCocoa, code, info);
  CFRelease(info);
  CFRelease(text);
  return e;
}

}  // namespace cfimpl
