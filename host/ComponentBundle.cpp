// Loads component bundles: reads and checks Info.plist, loads the shared object, resolves the
// entry functions and registers the components with the Component Manager.
#include "host/ComponentBundle.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <map>
#include <mutex>

namespace host {

namespace {

std::mutex gLoadLock;
std::map<std::string, LoadedBundle>& Loaded() {
  static auto* loaded = new std::map<std::string, LoadedBundle>;
  return *loaded;
}

LoadedBundle Failure(LoadStatus status, const std::string& path, const std::string& message) {
  LoadedBundle result;
  result.status = status;
  result.path = path;
  result.message = message;
  return result;
}

bool IsDirectory(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

CFStringRef Key(const char* text) { return __CFStringMakeConstantString(text); }

CFTypeRef Get(CFDictionaryRef dict, const char* key) {
  return CFDictionaryGetValue(dict, Key(key));
}

bool IsString(CFTypeRef v) { return v && CFGetTypeID(v) == CFStringGetTypeID(); }

// A code from a four-character string or an integer.
bool ReadCode(CFTypeRef v, OSType* code) {
  if (IsString(v)) return ParseFourCC(StringFromCF(static_cast<CFStringRef>(v)), code);
  SInt64 n;
  if (v && CFGetTypeID(v) == CFNumberGetTypeID() &&
      CFNumberGetValue(static_cast<CFNumberRef>(v), kCFNumberSInt64Type, &n) && n >= 0 &&
      n <= 0xFFFFFFFFLL) {
    *code = static_cast<OSType>(n);
    return true;
  }
  return false;
}

// An Info.plist is a few kilobytes; a file this large is not one and is not read into memory.
const off_t kMaxInfoPlistBytes = 16 << 20;

// The contents of a regular file of reasonable size; false for anything else (missing,
// unreadable, a directory or a device), without throwing.
bool ReadRegularFile(const std::string& file, std::string* text) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st;
  bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= kMaxInfoPlistBytes;
  char buffer[65536];
  while (ok) {
    const ssize_t n = ::read(fd, buffer, sizeof(buffer));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = n == 0;
      break;
    }
    text->append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);
  return ok;
}

// Reads Info.plist; on failure sets *failure.
CFDictionaryRef ReadInfo(const std::string& path, LoadedBundle* failure) {
  std::string file = path + "/Contents/Info.plist";
  std::string text;
  if (!ReadRegularFile(file, &text)) {
    *failure =
        Failure(LoadStatus::MissingInfoPlist, path, "no Info.plist in " + path + "/Contents");
    return nullptr;
  }
  CFDataRef data = CFDataCreate(nullptr, reinterpret_cast<const UInt8*>(text.data()),
                                static_cast<CFIndex>(text.size()));
  CFErrorRef error = nullptr;
  CFPropertyListRef plist =
      CFPropertyListCreateWithData(nullptr, data, kCFPropertyListImmutable, nullptr, &error);
  CFRelease(data);
  if (!plist) {
    CFStringRef description = CFErrorCopyDescription(error);
    *failure = Failure(LoadStatus::MalformedInfoPlist, path,
                       "malformed Info.plist in " + path + ": " + StringFromCF(description));
    CFRelease(description);
    CFRelease(error);
    return nullptr;
  }
  if (CFGetTypeID(plist) != CFDictionaryGetTypeID()) {
    CFRelease(plist);
    *failure = Failure(LoadStatus::MalformedInfoPlist, path,
                       "malformed Info.plist in " + path + ": the top level is not a dictionary");
    return nullptr;
  }
  return static_cast<CFDictionaryRef>(plist);
}

// Reads the component list; false with a message for a missing or wrongly typed key.
bool ReadComponents(CFDictionaryRef info, std::vector<ComponentEntryInfo>* out,
                    std::string* message) {
  CFTypeRef list = Get(info, "AudioComponents");
  if (!list || CFGetTypeID(list) != CFArrayGetTypeID() ||
      CFArrayGetCount(static_cast<CFArrayRef>(list)) == 0) {
    *message = "Info.plist lists no AudioComponents";
    return false;
  }
  CFArrayRef array = static_cast<CFArrayRef>(list);
  for (CFIndex i = 0; i < CFArrayGetCount(array); ++i) {
    CFTypeRef item = CFArrayGetValueAtIndex(array, i);
    std::string where = "AudioComponents item " + std::to_string(i);
    if (!item || CFGetTypeID(item) != CFDictionaryGetTypeID()) {
      *message = where + " is not a dictionary";
      return false;
    }
    CFDictionaryRef d = static_cast<CFDictionaryRef>(item);
    ComponentEntryInfo c;
    if (!ReadCode(Get(d, "type"), &c.description.componentType)) {
      *message = where + ": missing or invalid \"type\"";
      return false;
    }
    if (!ReadCode(Get(d, "subtype"), &c.description.componentSubType)) {
      *message = where + ": missing or invalid \"subtype\"";
      return false;
    }
    if (!ReadCode(Get(d, "manufacturer"), &c.description.componentManufacturer)) {
      *message = where + ": missing or invalid \"manufacturer\"";
      return false;
    }
    CFTypeRef entry = Get(d, "entry");
    if (!entry) entry = Get(d, "factoryFunction");
    if (!IsString(entry) || StringFromCF(static_cast<CFStringRef>(entry)).empty()) {
      *message = where + ": missing \"entry\" (the entry function's name)";
      return false;
    }
    c.entryName = StringFromCF(static_cast<CFStringRef>(entry));
    CFTypeRef name = Get(d, "name");
    if (name && !IsString(name)) {
      *message = where + ": \"name\" is not a string";
      return false;
    }
    c.name = StringFromCF(static_cast<CFStringRef>(name));
    CFTypeRef version = Get(d, "version");
    if (version) {
      SInt64 v;
      if (CFGetTypeID(version) != CFNumberGetTypeID() ||
          !CFNumberGetValue(static_cast<CFNumberRef>(version), kCFNumberSInt64Type, &v) || v < 0 ||
          v > 0xFFFFFFFFLL) {
        *message = where + ": \"version\" is not a packed version number";
        return false;
      }
      c.version = static_cast<UInt32>(v);
    }
    CFTypeRef view = Get(d, "viewFactory");
    if (view && !IsString(view)) {
      *message = where + ": \"viewFactory\" is not a string";
      return false;
    }
    c.viewFactory = StringFromCF(static_cast<CFStringRef>(view));
    out->push_back(c);
  }
  return true;
}

LoadedBundle Load(const std::string& path) {
  LoadedBundle failure;
  CFDictionaryRef info = ReadInfo(path, &failure);
  if (!info) return failure;
  LoadedBundle result;
  result.path = path;
  CFTypeRef identifier = Get(info, "CFBundleIdentifier");
  std::string message;
  bool ok = true;
  if (!IsString(identifier) || StringFromCF(static_cast<CFStringRef>(identifier)).empty()) {
    message = "Info.plist has no CFBundleIdentifier";
    ok = false;
  } else {
    result.identifier = StringFromCF(static_cast<CFStringRef>(identifier));
    ok = ReadComponents(info, &result.components, &message);
  }
  CFRelease(info);
  if (!ok)
    return Failure(LoadStatus::MalformedInfoPlist, path,
                   "malformed Info.plist in " + path + ": " + message);

  CFStringRef cfPath = CFStringCreateWithCString(nullptr, path.c_str(), kCFStringEncodingUTF8);
  CFURLRef url = CFURLCreateWithFileSystemPath(nullptr, cfPath, kCFURLPOSIXPathStyle, true);
  CFRelease(cfPath);
  result.bundle = CFBundleCreate(nullptr, url);
  CFRelease(url);
  if (!result.bundle) return Failure(LoadStatus::MissingBundle, path, "no bundle at " + path);

  if (!CFBundleLoadExecutable(result.bundle)) {
    CFURLRef exe = CFBundleCopyExecutableURL(result.bundle);
    LoadStatus status = exe ? LoadStatus::LoadFailed : LoadStatus::MissingExecutable;
    CFRelease(exe);
    return Failure(status, path,
                   "cannot load the executable of " + path + ": " +
                       StringFromCF(_CFBundleCopyLoadErrorText(result.bundle)));
  }

  std::vector<ComponentRoutineUPP> entries;
  for (ComponentEntryInfo& c : result.components) {
    CFStringRef symbol =
        CFStringCreateWithCString(nullptr, c.entryName.c_str(), kCFStringEncodingUTF8);
    void* fn = CFBundleGetFunctionPointerForName(result.bundle, symbol);
    CFRelease(symbol);
    if (!fn)
      return Failure(LoadStatus::MissingSymbol, path,
                     "entry function " + c.entryName + " not found in the executable of " + path);
    entries.push_back(reinterpret_cast<ComponentRoutineUPP>(fn));
  }
  for (size_t i = 0; i < result.components.size(); ++i) {
    ComponentEntryInfo& c = result.components[i];
    CFStringRef name = CFStringCreateWithCString(nullptr, c.name.c_str(), kCFStringEncodingUTF8);
    c.component =
        RegisterComponentWithBundle(&c.description, entries[i], name, c.version, result.bundle);
    CFRelease(name);
    if (!c.component) {
      for (size_t j = 0; j < i; ++j) UnregisterComponent(result.components[j].component);
      return Failure(LoadStatus::RegistrationFailed, path,
                     "component " + c.name + " of " + path + " refused its registration");
    }
  }
  return result;
}

}  // namespace

const char* LoadStatusName(LoadStatus status) {
  switch (status) {
    case LoadStatus::Ok:
      return "ok";
    case LoadStatus::MissingBundle:
      return "missing bundle";
    case LoadStatus::MissingInfoPlist:
      return "missing Info.plist";
    case LoadStatus::MalformedInfoPlist:
      return "malformed Info.plist";
    case LoadStatus::MissingExecutable:
      return "missing executable";
    case LoadStatus::LoadFailed:
      return "executable failed to load";
    case LoadStatus::MissingSymbol:
      return "missing entry function";
    case LoadStatus::RegistrationFailed:
      return "registration failed";
  }
  return "unknown";
}

LoadedBundle LoadComponentBundle(const std::string& bundlePath) {
  char resolved[PATH_MAX];
  if (bundlePath.empty() || !::realpath(bundlePath.c_str(), resolved) || !IsDirectory(resolved))
    return Failure(LoadStatus::MissingBundle, bundlePath, "no bundle at " + bundlePath);
  std::string path = resolved;
  std::lock_guard<std::mutex> guard(gLoadLock);
  auto it = Loaded().find(path);
  if (it != Loaded().end()) return it->second;
  LoadedBundle result = Load(path);
  if (result.ok()) Loaded()[path] = result;
  return result;
}

void SetHostIdentifier(const std::string& identifier) {
  if (identifier.empty()) {
    _CFBundleSetMainBundleIdentifier(nullptr);
    return;
  }
  CFStringRef id = CFStringCreateWithCString(nullptr, identifier.c_str(), kCFStringEncodingUTF8);
  _CFBundleSetMainBundleIdentifier(id);
  CFRelease(id);
}

std::string HostIdentifier() {
  return StringFromCF(CFBundleGetIdentifier(CFBundleGetMainBundle()));
}

Component FindComponent(OSType type, OSType subtype, OSType manufacturer) {
  ComponentDescription looking{type, subtype, manufacturer, 0, 0};
  return FindNextComponent(nullptr, &looking);
}

OSStatus OpenUnit(Component component, AudioUnit* outUnit) {
  return OpenAComponent(component, outUnit);
}

OSStatus CloseUnit(AudioUnit unit) { return CloseComponent(unit); }

std::string FourCCString(OSType code) {
  std::string s(4, ' ');
  for (int i = 0; i < 4; ++i)
    s[static_cast<size_t>(i)] = static_cast<char>((code >> (24 - 8 * i)) & 0xFF);
  return s;
}

bool ParseFourCC(const std::string& text, OSType* code) {
  if (text.size() != 4) return false;
  OSType v = 0;
  for (unsigned char c : text) v = (v << 8) | c;
  *code = v;
  return true;
}

std::string StringFromCF(CFStringRef string) {
  if (!string) return std::string();
  const char* direct = CFStringGetCStringPtr(string, kCFStringEncodingUTF8);
  if (direct) return direct;
  CFIndex size =
      CFStringGetMaximumSizeForEncoding(CFStringGetLength(string), kCFStringEncodingUTF8) + 1;
  std::string buffer(static_cast<size_t>(size), '\0');
  if (!CFStringGetCString(string, &buffer[0], size, kCFStringEncodingUTF8)) return std::string();
  buffer.resize(std::char_traits<char>::length(buffer.c_str()));
  return buffer;
}

}  // namespace host
