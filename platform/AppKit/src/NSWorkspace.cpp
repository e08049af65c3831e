// Opening addresses, and application start-up.
#include "AppKit/NSApplication.h"
#include "AppKit/NSWorkspace.h"
#include "WindowSystem/src/WSCore.h"

NSWorkspace::~NSWorkspace() {}

NSWorkspace* NSWorkspace::sharedWorkspace() {
  static NSWorkspace* workspace = alloc();  // for the process's life
  return workspace;
}

bool NSWorkspace::openURL(const NSURL* url) {
  if (!url) return false;
  NSString* text = url->absoluteString();
  return text && ws::OpenURL(text->str());
}

bool NSApplicationLoad() { return true; }

NS_REGISTER_CLASS(NSWorkspace);
