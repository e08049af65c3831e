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

int GetModuleFileName(HINSTANCE, char* buf, int size) {
  if (!buf || size <= 0) return 0;
  // The path is read with a limit of 8192 bytes.
  char path[8192];
  path[0] = 0;
  CFBundleRef bundle = CFBundleGetMainBundle();
  if (bundle) {
    CFURLRef url = CFBundleCopyBundleURL(bundle);
    if (url) {
      if (!CFURLGetFileSystemRepresentation(url, true, reinterpret_cast<UInt8*>(path),
                                            sizeof path))
        path[0] = 0;
      CFRelease(url);
    }
  }
  lstrcpyn(buf, path, size);
  return static_cast<int>(strlen(buf));
}
