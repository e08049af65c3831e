#include "framework/au/IPluginAU_CFStrings.h"

#include <climits>

CFStringRef MakeCFString(const char* text) {
  return CFStringCreateWithCString(kCFAllocatorDefault, text ? text : "", kCFStringEncodingUTF8);
}

bool CopyCFStringUTF8(CFStringRef str, Core_TypedBuf<char>* pText) {
  if (!str || CFGetTypeID(str) != CFStringGetTypeID()) return false;
  // Room for the longest encoding of every character, and the terminator.
  const CFIndex size =
      CFStringGetMaximumSizeForEncoding(CFStringGetLength(str), kCFStringEncodingUTF8) + 1;
  if (size <= 0 || size > INT_MAX) return false;
  pText->Resize(static_cast<int>(size));
  if (pText->GetSize() != size) return false;
  return CFStringGetCString(str, pText->Get(), size, kCFStringEncodingUTF8);
}
