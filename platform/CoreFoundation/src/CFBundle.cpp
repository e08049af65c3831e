// CFBundle: bundle directories, their Info.plist, resources and executables, the
// process-wide table of bundles and the main bundle of the host program.
#include "CFInternal.h"

#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <mutex>
#include <sstream>

struct __CFBundle : cfimpl::CFObject {
  static constexpr CFTypeID kTypeID = cfimpl::kTypeBundle;
  __CFBundle() : CFObject(kTypeID) { immortal = true; }
  std::string path;                            // the bundle directory
  std::string executableDir;                   // where the executable lives
  std::atomic<CFDictionaryRef> info{nullptr};  // immortal once published
  std::mutex loadLock;
  void* handle = nullptr;
  CFStringRef loadError = nullptr;
};

const CFStringRef kCFBundleInfoDictionaryVersionKey = CFSTR("CFBundleInfoDictionaryVersion");
const CFStringRef kCFBundleExecutableKey = CFSTR("CFBundleExecutable");
const CFStringRef kCFBundleIdentifierKey = CFSTR("CFBundleIdentifier");
const CFStringRef kCFBundleVersionKey = CFSTR("CFBundleVersion");
const CFStringRef kCFBundleNameKey = CFSTR("CFBundleName");
const CFStringRef kCFBundleDevelopmentRegionKey = CFSTR("CFBundleDevelopmentRegion");

namespace {

struct Registry {
  std::mutex lock;
  std::vector<__CFBundle*> bundles;  // never freed: references stay valid for the process
  __CFBundle* main = nullptr;
  // Replaced info dictionaries and error texts: callers may still hold values from them.
  std::vector<CFTypeRef> retired;
};

Registry& Table() {
  static Registry* r = new Registry;
  return *r;
}

bool IsDirectory(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsFile(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string ExecutablePath() {
  char buf[PATH_MAX];
  ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return std::string();
  return std::string(buf, static_cast<size_t>(n));
}

CFDictionaryRef MakeImmortal(CFDictionaryRef d) {
  if (d) const_cast<cfimpl::CFObject*>(cfimpl::Obj(d))->immortal = true;
  return d;
}

CFDictionaryRef MainInfo(const std::string& identifier, const std::string& executable) {
  CFStringRef id = cfimpl::MakeString(identifier);
  CFStringRef exe = cfimpl::MakeString(executable);
  CFMutableDictionaryRef d = CFDictionaryCreateMutable(nullptr, 0, &kCFTypeDictionaryKeyCallBacks,
                                                       &kCFTypeDictionaryValueCallBacks);
  if (id) CFDictionarySetValue(d, kCFBundleIdentifierKey, id);
  if (exe) CFDictionarySetValue(d, kCFBundleExecutableKey, exe);
  CFRelease(id);
  CFRelease(exe);
  return MakeImmortal(d);
}

std::string BaseName(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

__CFBundle* MainBundleLocked(Registry& r) {
  if (!r.main) {
    std::string exe = ExecutablePath();
    __CFBundle* b = new __CFBundle;
    size_t slash = exe.rfind('/');
    b->path = slash == std::string::npos ? std::string(".") : exe.substr(0, slash);
    b->executableDir = b->path;
    std::string name = BaseName(exe);
    b->info.store(MainInfo("local." + (name.empty() ? std::string("host") : name), name));
    r.main = b;
  }
  return r.main;
}

CFDictionaryRef ReadInfoPlist(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return nullptr;
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::string error;
  CFPropertyListRef plist = cfimpl::ReadPlistXML(text.data(), text.size(), 0, &error);
  if (plist && CFGetTypeID(plist) != CFDictionaryGetTypeID()) {
    CFRelease(plist);
    plist = nullptr;
  }
  return static_cast<CFDictionaryRef>(plist);
}

bool IsMain(const __CFBundle* b) {
  Registry& r = Table();
  std::lock_guard<std::mutex> guard(r.lock);
  return b == r.main;
}

std::string StringValue(CFBundleRef bundle, CFStringRef key) {
  return cfimpl::UTF8Of(
      static_cast<CFStringRef>(CFBundleGetValueForInfoDictionaryKey(bundle, key)));
}

}  // namespace

CFTypeID CFBundleGetTypeID(void) { return cfimpl::kTypeBundle; }

CFBundleRef CFBundleGetMainBundle(void) {
  Registry& r = Table();
  std::lock_guard<std::mutex> guard(r.lock);
  return MainBundleLocked(r);
}

void _CFBundleSetMainBundleIdentifier(CFStringRef identifier) {
  Registry& r = Table();
  std::lock_guard<std::mutex> guard(r.lock);
  __CFBundle* b = MainBundleLocked(r);
  std::string exe = BaseName(ExecutablePath());
  std::string id = cfimpl::As<__CFString>(identifier)
                       ? cfimpl::UTF8Of(identifier)
                       : "local." + (exe.empty() ? std::string("host") : exe);
  r.retired.push_back(b->info.load());
  b->info.store(MainInfo(id, exe));
}

CFBundleRef CFBundleGetBundleWithIdentifier(CFStringRef bundleID) {
  if (!cfimpl::As<__CFString>(bundleID)) return nullptr;
  Registry& r = Table();
  std::lock_guard<std::mutex> guard(r.lock);
  __CFBundle* main = MainBundleLocked(r);
  if (CFEqual(CFDictionaryGetValue(main->info.load(), kCFBundleIdentifierKey), bundleID))
    return main;
  for (__CFBundle* b : r.bundles)
    if (CFEqual(CFDictionaryGetValue(b->info.load(), kCFBundleIdentifierKey), bundleID)) return b;
  return nullptr;
}

CFBundleRef CFBundleCreate(CFAllocatorRef, CFURLRef bundleURL) {
  const __CFURL* u = cfimpl::As<__CFURL>(bundleURL);
  if (!u) return nullptr;
  char resolved[PATH_MAX];
  if (!::realpath(u->path.c_str(), resolved) || !IsDirectory(resolved)) return nullptr;
  std::string path = resolved;
  Registry& r = Table();
  std::lock_guard<std::mutex> guard(r.lock);
  for (__CFBundle* b : r.bundles)
    if (b->path == path) return b;
  __CFBundle* b = new __CFBundle;
  b->path = path;
  b->executableDir = path + "/Contents/MacOS";
  CFDictionaryRef info = ReadInfoPlist(path + "/Contents/Info.plist");
  if (!info)
    info = CFDictionaryCreate(nullptr, nullptr, nullptr, 0, &kCFTypeDictionaryKeyCallBacks,
                              &kCFTypeDictionaryValueCallBacks);
  b->info.store(MakeImmortal(info));
  r.bundles.push_back(b);
  return b;
}

CFStringRef CFBundleGetIdentifier(CFBundleRef bundle) {
  CFTypeRef v = CFBundleGetValueForInfoDictionaryKey(bundle, kCFBundleIdentifierKey);
  return cfimpl::As<__CFString>(v) ? static_cast<CFStringRef>(v) : nullptr;
}

CFDictionaryRef CFBundleGetInfoDictionary(CFBundleRef bundle) {
  const __CFBundle* b = cfimpl::As<__CFBundle>(bundle);
  return b ? b->info.load() : nullptr;
}

CFTypeRef CFBundleGetValueForInfoDictionaryKey(CFBundleRef bundle, CFStringRef key) {
  return CFDictionaryGetValue(CFBundleGetInfoDictionary(bundle), key);
}

UInt32 CFBundleGetVersionNumber(CFBundleRef bundle) {
  CFTypeRef v = CFBundleGetValueForInfoDictionaryKey(bundle, kCFBundleVersionKey);
  SInt64 n = 0;
  if (CFGetTypeID(v) == CFNumberGetTypeID() &&
      CFNumberGetValue(static_cast<CFNumberRef>(v), kCFNumberSInt64Type, &n))
    return static_cast<UInt32>(n);
  return 0;
}

CFURLRef CFBundleCopyBundleURL(CFBundleRef bundle) {
  const __CFBundle* b = cfimpl::As<__CFBundle>(bundle);
  if (!b) return nullptr;
  CFStringRef path = cfimpl::MakeString(b->path);
  CFURLRef url = CFURLCreateWithFileSystemPath(nullptr, path, kCFURLPOSIXPathStyle, true);
  CFRelease(path);
  return url;
}

CFURLRef CFBundleCopyResourcesDirectoryURL(CFBundleRef bundle) {
  const __CFBundle* b = cfimpl::As<__CFBundle>(bundle);
  if (!b) return nullptr;
  std::string dir = IsMain(b) ? b->path + "/Resources" : b->path + "/Contents/Resources";
  CFStringRef path = cfimpl::MakeString(dir);
  CFURLRef url = CFURLCreateWithFileSystemPath(nullptr, path, kCFURLPOSIXPathStyle, true);
  CFRelease(path);
  return url;
}

CFURLRef CFBundleCopyExecutableURL(CFBundleRef bundle) {
  const __CFBundle* b = cfimpl::As<__CFBundle>(bundle);
  if (!b) return nullptr;
  std::string name = StringValue(bundle, kCFBundleExecutableKey);
  if (name.empty() || name.find('/') != std::string::npos) return nullptr;
  std::string file = b->executableDir + "/" + name;
  if (!IsFile(file)) return nullptr;
  CFStringRef path = cfimpl::MakeString(file);
  CFURLRef url = CFURLCreateWithFileSystemPath(nullptr, path, kCFURLPOSIXPathStyle, false);
  CFRelease(path);
  return url;
}

CFURLRef CFBundleCopyResourceURL(CFBundleRef bundle, CFStringRef resourceName,
                                 CFStringRef resourceType, CFStringRef subDirName) {
  CFURLRef dir = CFBundleCopyResourcesDirectoryURL(bundle);
  if (!dir || !cfimpl::As<__CFString>(resourceName)) {
    CFRelease(dir);
    return nullptr;
  }
  std::string name = cfimpl::UTF8Of(resourceName);
  std::string type = cfimpl::UTF8Of(resourceType);
  std::string sub = cfimpl::UTF8Of(subDirName);
  std::string file = cfimpl::As<__CFURL>(dir)->path + "/";
  CFRelease(dir);
  if (!sub.empty()) file += sub + "/";
  file += name;
  if (!type.empty()) file += (type[0] == '.' ? "" : ".") + type;
  if (name.empty() || name.find("..") != std::string::npos || !IsFile(file)) return nullptr;
  CFStringRef path = cfimpl::MakeString(file);
  CFURLRef url = CFURLCreateWithFileSystemPath(nullptr, path, kCFURLPOSIXPathStyle, false);
  CFRelease(path);
  return url;
}

Boolean CFBundleLoadExecutable(CFBundleRef bundle) {
  __CFBundle* b = cfimpl::As<__CFBundle>(bundle);
  if (!b) return false;
  std::lock_guard<std::mutex> guard(b->loadLock);
  if (b->handle) return true;
  if (IsMain(b)) {
    b->handle = ::dlopen(nullptr, RTLD_NOW);
    return b->handle != nullptr;
  }
  CFURLRef exe = CFBundleCopyExecutableURL(bundle);
  std::string error;
  if (!exe) {
    std::string name = StringValue(bundle, kCFBundleExecutableKey);
    error = name.empty() ? "the bundle names no executable (CFBundleExecutable)"
                         : "executable not found: " + b->executableDir + "/" + name;
  } else {
    b->handle = ::dlopen(cfimpl::As<__CFURL>(exe)->path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!b->handle) {
      const char* e = ::dlerror();
      error = e ? e : "the executable could not be loaded";
    }
    CFRelease(exe);
  }
  if (!b->handle) {
    CFStringRef text = cfimpl::MakeString(error);
    if (text) {
      const_cast<__CFString*>(cfimpl::As<__CFString>(text))->immortal = true;
      std::lock_guard<std::mutex> tableGuard(Table().lock);
      if (b->loadError) Table().retired.push_back(b->loadError);
      b->loadError = text;
    }
    return false;
  }
  return true;
}

Boolean CFBundleIsExecutableLoaded(CFBundleRef bundle) {
  __CFBundle* b = cfimpl::As<__CFBundle>(bundle);
  if (!b) return false;
  std::lock_guard<std::mutex> guard(b->loadLock);
  return b->handle != nullptr;
}

CFStringRef _CFBundleCopyLoadErrorText(CFBundleRef bundle) {
  __CFBundle* b = cfimpl::As<__CFBundle>(bundle);
  if (!b) return nullptr;
  std::lock_guard<std::mutex> guard(b->loadLock);
  return b->loadError;
}

void* CFBundleGetFunctionPointerForName(CFBundleRef bundle, CFStringRef functionName) {
  return CFBundleGetDataPointerForName(bundle, functionName);
}

void* CFBundleGetDataPointerForName(CFBundleRef bundle, CFStringRef symbolName) {
  __CFBundle* b = cfimpl::As<__CFBundle>(bundle);
  if (!b || !cfimpl::As<__CFString>(symbolName)) return nullptr;
  if (!CFBundleLoadExecutable(bundle)) return nullptr;
  std::lock_guard<std::mutex> guard(b->loadLock);
  return ::dlsym(b->handle, cfimpl::UTF8Of(symbolName).c_str());
}
