// Images and the registry of named images.
#include "AppKit/NSImage.h"

#include <map>
#include <mutex>
#include <string>

#include "NSImageDecode.h"

namespace {

// Name -> image, and the reverse, for every registered image.
struct Registry {
  std::mutex mutex;
  std::map<std::string, NSImage*> byName;
  std::map<const NSImage*, std::string> byImage;

  void Forget(const NSImage* image) {
    auto it = byImage.find(image);
    if (it == byImage.end()) return;
    byName.erase(it->second);
    byImage.erase(it);
  }
};
Registry& Names() {
  static Registry* r = new Registry();  // outlives every static object
  return *r;
}

}  // namespace

NSImage::~NSImage() {
  Registry& r = Names();
  {
    std::lock_guard<std::mutex> lock(r.mutex);
    r.Forget(this);
  }
  CGImageRelease(m_image);
}

NSImage* NSImage::initWithContentsOfFile(const char* path) {
  CGImageRef image = NSImageDecodeFile(path);
  NSImage* self = initWithCGImage_size(image, NSMakeSize(0, 0));
  CGImageRelease(image);
  return self;
}

NSImage* NSImage::initWithCGImage_size(CGImageRef image, NSSize size) {
  if (!image) {
    release();
    return nullptr;
  }
  CGImageRelease(m_image);
  m_image = CGImageRetain(image);
  if (size.width == 0 && size.height == 0)
    size = NSMakeSize(CGImageGetWidth(image), CGImageGetHeight(image));
  m_size = size;
  return this;
}

CGImageRef NSImage::CGImageForProposedRect_context_hints(NSRect*, void*, void*) const {
  return m_image;
}

NSImage* NSImage::imageNamed(const char* name) {
  if (!name) return nullptr;
  Registry& r = Names();
  std::lock_guard<std::mutex> lock(r.mutex);
  auto it = r.byName.find(name);
  return it == r.byName.end() ? nullptr : it->second;
}

bool NSImage::setName(const char* name) {
  Registry& r = Names();
  std::lock_guard<std::mutex> lock(r.mutex);
  if (!name || !*name) {
    r.Forget(this);
    return true;
  }
  auto taken = r.byName.find(name);
  if (taken != r.byName.end() && taken->second != this) return false;
  r.Forget(this);
  r.byName[name] = this;
  r.byImage[this] = name;
  return true;
}

const char* NSImage::name() const {
  Registry& r = Names();
  std::lock_guard<std::mutex> lock(r.mutex);
  auto it = r.byImage.find(this);
  return it == r.byImage.end() ? nullptr : it->second.c_str();
}
