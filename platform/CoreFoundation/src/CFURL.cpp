// CFURL: file URLs over POSIX paths.
#include "CFInternal.h"

#include <cctype>
#include <cstring>

namespace {

std::string Normalise(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::string PercentEncode(const std::string& path) {
  static const char hex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : path) {
    if (std::isalnum(c) || std::strchr("/-._~!$&'()*+,;=:@", c)) {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += hex[c >> 4];
      out += hex[c & 15];
    }
  }
  return out;
}

CFURLRef NewURL(const std::string& path, bool isDirectory) {
  if (path.empty()) return nullptr;
  __CFURL* u = new __CFURL;
  u->path = Normalise(path);
  u->isDirectory = isDirectory;
  std::string text = PercentEncode(u->path);
  if (isDirectory && u->path != "/") text += '/';
  if (!u->path.empty() && u->path[0] == '/') text = "file://" + text;
  u->urlString = cfimpl::MakeString(text);
  return u;
}

}  // namespace

__CFURL::~__CFURL() { CFRelease(urlString); }

bool __CFURL::Equal(const CFObject& other) const {
  const __CFURL& o = static_cast<const __CFURL&>(other);
  return path == o.path && isDirectory == o.isDirectory;
}

CFTypeID CFURLGetTypeID(void) { return cfimpl::kTypeURL; }

CFURLRef CFURLCreateWithFileSystemPath(CFAllocatorRef, CFStringRef filePath,
                                       CFURLPathStyle pathStyle, Boolean isDirectory) {
  if (pathStyle != kCFURLPOSIXPathStyle || !cfimpl::As<__CFString>(filePath)) return nullptr;
  return NewURL(cfimpl::UTF8Of(filePath), isDirectory);
}

CFURLRef CFURLCreateFromFileSystemRepresentation(CFAllocatorRef, const UInt8* buffer,
                                                 CFIndex bufLen, Boolean isDirectory) {
  if (!buffer || bufLen <= 0) return nullptr;
  std::string path(reinterpret_cast<const char*>(buffer), static_cast<size_t>(bufLen));
  size_t nul = path.find('\0');
  if (nul != std::string::npos) path.resize(nul);
  return NewURL(path, isDirectory);
}

CFURLRef CFURLCreateCopyAppendingPathComponent(CFAllocatorRef, CFURLRef url,
                                               CFStringRef pathComponent, Boolean isDirectory) {
  const __CFURL* u = cfimpl::As<__CFURL>(url);
  if (!u || !cfimpl::As<__CFString>(pathComponent)) return nullptr;
  std::string path = u->path;
  if (path.back() != '/') path += '/';
  return NewURL(path + cfimpl::UTF8Of(pathComponent), isDirectory);
}

CFStringRef CFURLCopyFileSystemPath(CFURLRef anURL, CFURLPathStyle pathStyle) {
  const __CFURL* u = cfimpl::As<__CFURL>(anURL);
  if (!u || pathStyle != kCFURLPOSIXPathStyle) return nullptr;
  return cfimpl::MakeString(u->path);
}

CFStringRef CFURLCopyLastPathComponent(CFURLRef url) {
  const __CFURL* u = cfimpl::As<__CFURL>(url);
  if (!u) return nullptr;
  size_t slash = u->path.rfind('/');
  if (slash == std::string::npos || u->path == "/") return cfimpl::MakeString(u->path);
  return cfimpl::MakeString(u->path.substr(slash + 1));
}

CFStringRef CFURLGetString(CFURLRef anURL) {
  const __CFURL* u = cfimpl::As<__CFURL>(anURL);
  return u ? u->urlString : nullptr;
}

Boolean CFURLGetFileSystemRepresentation(CFURLRef url, Boolean, UInt8* buffer, CFIndex maxBufLen) {
  const __CFURL* u = cfimpl::As<__CFURL>(url);
  if (!u || !buffer || maxBufLen <= 0 || u->path.size() + 1 > static_cast<size_t>(maxBufLen))
    return false;
  std::memcpy(buffer, u->path.c_str(), u->path.size() + 1);
  return true;
}

Boolean CFURLHasDirectoryPath(CFURLRef anURL) {
  const __CFURL* u = cfimpl::As<__CFURL>(anURL);
  return u && u->isDirectory;
}
