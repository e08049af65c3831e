// The records behind Carbon's opaque references, shared by the Carbon stand-in's sources.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include <Carbon/Carbon.h>

#include "WindowSystem/src/WSCore.h"

struct OpaqueEventRef {
  int refs = 1;
  UInt32 eventClass = 0, kind = 0;
  EventTime when = 0;
  struct Param {
    EventParamType type;
    std::vector<unsigned char> bytes;
  };
  std::map<EventParamName, Param> params;
};

struct OpaqueEventHandlerRef {
  EventHandlerUPP proc = nullptr;
  std::vector<EventTypeSpec> types;
  void* userData = nullptr;
  EventTargetRef target = nullptr;
  bool live = true;
  bool Wants(UInt32 eventClass, UInt32 kind) const {
    for (const EventTypeSpec& t : types)
      if (t.eventClass == eventClass && t.eventKind == kind) return true;
    return false;
  }
};

struct OpaqueEventTargetRef {
  // Installation order; dispatch runs them newest first.
  std::vector<std::shared_ptr<OpaqueEventHandlerRef>> handlers;
  OpaqueEventTargetRef() = default;
  OpaqueEventTargetRef(const OpaqueEventTargetRef&) = delete;
  OpaqueEventTargetRef& operator=(const OpaqueEventTargetRef&) = delete;
  // Its handlers die with it: removing one later is refused, not a crash.
  ~OpaqueEventTargetRef();
};

struct OpaqueGrafPtr {
  WindowRef window;
};

struct OpaqueRgnHandle {
  Rect bounds = {0, 0, 0, 0};
};

struct OpaqueControlRef {
  WindowRef window = nullptr;
  ControlRef parent = nullptr;
  std::vector<ControlRef> children;
  HIRect frame = {{0, 0}, {0, 0}};  // in the parent's coordinates
  UInt32 features = 0;
  HIViewID viewID = {0, 0};
  bool disposing = false;
  OpaqueEventTargetRef target;
};

struct OpaqueWindowPtr : ws::Client {
  WindowSystemWindow* native = nullptr;
  WindowAttributes attributes = 0;
  Rect bounds = {0, 0, 0, 0};
  OpaqueEventTargetRef target;
  OpaqueGrafPtr port = {nullptr};
  ControlRef root = nullptr;
  std::vector<ControlRef> controls;  // every control of the window, in or out of the tree
  bool hasDirty = false;
  HIRect dirty = {{0, 0}, {0, 0}};  // window coordinates

  bool Composited() const { return attributes & kWindowCompositingAttribute; }
  void HandleEvent(const ws::Event& e) override;
  void Display() override;
  void Uncover(int x, int y, int w, int h) override;
};

namespace carbon {
// The result of the chain that took the event.
OSStatus Dispatch(EventRef event, EventTargetRef target);
bool IsLiveWindow(const OpaqueWindowPtr* window);
bool IsLiveControl(const OpaqueControlRef* control);
// The control's top-left corner in window coordinates.
HIPoint OriginInWindow(ControlRef control);
}  // namespace carbon
