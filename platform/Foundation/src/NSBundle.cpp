// Foundation bundles over CoreFoundation's.
#include "Foundation/NSBundle.h"

#include <map>
#include <mutex>
#include <vector>

namespace {

// A CF string from UTF-8 text (+1), null for null.
CFStringRef CFString(const NSString* s) {
  return s ? CFStringCreateWithCString(nullptr, s->UTF8String(), kCFStringEncodingUTF8) : nullptr;
}

NSString* FromCFString(CFStringRef s) {
  if (!s) return nullptr;
  CFIndex size = CFStringGetMaximumSizeForEncoding(CFStringGetLength(s), kCFStringEncodingUTF8) + 1;
  std::vector<char> buffer(static_cast<size_t>(size));
  if (!CFStringGetCString(s, buffer.data(), size, kCFStringEncodingUTF8)) return nullptr;
  return NSString::FromStd(buffer.data());
}

// The path of a URL (consumed), null for null.
NSString* PathOf(CFURLRef url) {
  if (!url) return nullptr;
  CFStringRef path = CFURLCopyFileSystemPath(url, kCFURLPOSIXPathStyle);
  NSString* result = FromCFString(path);
  if (path) CFRelease(path);
  CFRelease(url);
  return result;
}

}  // namespace

NSBundle::~NSBundle() {}

NSBundle* NSBundle::ForCFBundle(CFBundleRef bundle) {
  if (!bundle) return nullptr;
  static std::mutex mutex;
  static auto* objects = new std::map<CFBundleRef, NSBundle*>();  // for the process's life
  std::lock_guard<std::mutex> lock(mutex);
  NSBundle*& b = (*objects)[bundle];
  if (!b) {
    b = alloc();
    if (!b) return nullptr;
    CFRetain(bundle);
    b->m_bundle = bundle;
  }
  return b;
}

NSBundle* NSBundle::bundleWithIdentifier(const NSString* identifier) {
  CFStringRef ident = CFString(identifier);
  if (!ident) return nullptr;
  CFBundleRef bundle = CFBundleGetBundleWithIdentifier(ident);
  CFRelease(ident);
  return ForCFBundle(bundle);
}

NSBundle* NSBundle::bundleWithPath(const NSString* path) {
  if (!path) return nullptr;
  const std::string& p = path->str();
  CFURLRef url = CFURLCreateFromFileSystemRepresentation(
      nullptr, reinterpret_cast<const UInt8*>(p.data()), static_cast<CFIndex>(p.size()), true);
  if (!url) return nullptr;
  CFBundleRef bundle = CFBundleCreate(nullptr, url);
  CFRelease(url);
  NSBundle* b = ForCFBundle(bundle);
  if (bundle) CFRelease(bundle);
  return b;
}

NSBundle* NSBundle::mainBundle() { return ForCFBundle(CFBundleGetMainBundle()); }

NSString* NSBundle::bundleIdentifier() const {
  return FromCFString(CFBundleGetIdentifier(m_bundle));
}
NSString* NSBundle::bundlePath() const { return PathOf(CFBundleCopyBundleURL(m_bundle)); }
NSString* NSBundle::resourcePath() const {
  return PathOf(CFBundleCopyResourcesDirectoryURL(m_bundle));
}
NSString* NSBundle::executablePath() const { return PathOf(CFBundleCopyExecutableURL(m_bundle)); }

NSString* NSBundle::pathForResource_ofType(const NSString* name, const NSString* type) const {
  CFStringRef n = CFString(name);
  if (!n) return nullptr;
  CFStringRef t = type && !type->str().empty() ? CFString(type) : nullptr;
  CFURLRef url = CFBundleCopyResourceURL(m_bundle, n, t, nullptr);
  CFRelease(n);
  if (t) CFRelease(t);
  return PathOf(url);
}

NS_REGISTER_CLASS(NSBundle);
