// String and path helpers.
#include "gdi_compat/GDI_Strings.h"

#include <cstring>

CFStringRef GDI_CStringToCFString(const char* str) {
  if (!str) str = "";
  CFStringRef s = CFStringCreateWithCString(nullptr, str, kCFStringEncodingUTF8);
  if (!s) s = CFStringCreateWithCString(nullptr, str, kCFStringEncodingASCII);
  // Bytes that are neither UTF-8 nor ASCII still give a string (one character per byte), so
  // callers never receive null for text they passed in.
  if (!s) s = CFStringCreateWithCString(nullptr, str, kCFStringEncodingISOLatin1);
  return s;
}

namespace {
// The longest bundle path read, terminator included; a longer one reads as no path at all.
constexpr int kMaxModulePathBytes = 8192;
}  // namespace

int GetModuleFileName(HINSTANCE, char* buf, int size) {
  if (!buf || size <= 0) return 0;
  char path[kMaxModulePathBytes];
  path[0] = 0;
  CFBundleRef bundle = CFBundleGetMainBundle();
  if (bundle) {
    CFURLRef url = CFBundleCopyBundleURL(bundle);
    if (url) {
      if (!CFURLGetFileSystemRepresentation(url, true, reinterpret_cast<UInt8*>(path), sizeof path))
        path[0] = 0;
      CFRelease(url);
    }
  }
  lstrcpyn(buf, path, size);
  return static_cast<int>(strlen(buf));
}
