// Events, handler chains and event-loop timers.
#include <string.h>

#include <algorithm>
#include <set>

#include "CarbonInternal.h"

struct OpaqueEventHandlerCallRef {
  std::vector<std::shared_ptr<OpaqueEventHandlerRef>> chain;  // newest first
  size_t next = 0;
  bool nextCalled = false;
};

struct OpaqueEventLoopRef {};

struct OpaqueEventLoopTimerRef {
  ws::Timer* timer = nullptr;
};

namespace {

std::set<const OpaqueEventHandlerRef*>& LiveHandlers() {
  static auto* s = new std::set<const OpaqueEventHandlerRef*>();
  return *s;
}
std::set<const OpaqueEventLoopTimerRef*>& LiveTimers() {
  static auto* s = new std::set<const OpaqueEventLoopTimerRef*>();
  return *s;
}

OSStatus RunChain(OpaqueEventHandlerCallRef* call, EventRef event) {
  while (call->next < call->chain.size()) {
    std::shared_ptr<OpaqueEventHandlerRef> h = call->chain[call->next++];
    if (!h->live) continue;
    call->nextCalled = false;
    const OSStatus result = h->proc(call, event, h->userData);
    // A handler that ran the rest of the chain itself has the last word.
    if (call->nextCalled || result != eventNotHandledErr) return result;
  }
  return eventNotHandledErr;
}

}  // namespace

OpaqueEventTargetRef::~OpaqueEventTargetRef() {
  for (auto& h : handlers) {
    h->live = false;
    LiveHandlers().erase(h.get());
  }
}

namespace carbon {
OSStatus Dispatch(EventRef event, EventTargetRef target) {
  if (!event || !target) return paramErr;
  OpaqueEventHandlerCallRef call;
  for (auto it = target->handlers.rbegin(); it != target->handlers.rend(); ++it)
    if ((*it)->Wants(event->eventClass, event->kind)) call.chain.push_back(*it);
  RetainEvent(event);
  const OSStatus result = RunChain(&call, event);
  ReleaseEvent(event);
  return result;
}
}  // namespace carbon

OSStatus CreateEvent(CFAllocatorRef, UInt32 eventClass, UInt32 kind, EventTime when,
                     EventAttributes, EventRef* outEvent) {
  if (!outEvent) return paramErr;
  EventRef e = new (std::nothrow) OpaqueEventRef();
  if (!e) return memFullErr;
  e->eventClass = eventClass;
  e->kind = kind;
  e->when = when;
  *outEvent = e;
  return noErr;
}

EventRef RetainEvent(EventRef event) {
  if (event) ++event->refs;
  return event;
}

void ReleaseEvent(EventRef event) {
  if (event && --event->refs == 0) delete event;
}

UInt32 GetEventClass(EventRef event) { return event ? event->eventClass : 0; }
UInt32 GetEventKind(EventRef event) { return event ? event->kind : 0; }

OSStatus GetEventParameter(EventRef event, EventParamName name, EventParamType desiredType,
                           EventParamType* actualType, ByteCount bufferSize, ByteCount* actualSize,
                           void* outData) {
  if (!event) return paramErr;
  auto it = event->params.find(name);
  if (it == event->params.end() || it->second.type != desiredType) return eventParameterNotFoundErr;
  const auto& bytes = it->second.bytes;
  if (actualType) *actualType = it->second.type;
  if (actualSize) *actualSize = bytes.size();
  if (outData) {
    if (bufferSize < bytes.size()) return paramErr;
    memcpy(outData, bytes.data(), bytes.size());
  }
  return noErr;
}

OSStatus SetEventParameter(EventRef event, EventParamName name, EventParamType type, ByteCount size,
                           const void* data) {
  if (!event || (size && !data)) return paramErr;
  const unsigned char* p = static_cast<const unsigned char*>(data);
  event->params[name] = OpaqueEventRef::Param{type, std::vector<unsigned char>(p, p + size)};
  return noErr;
}

EventTargetRef GetApplicationEventTarget(void) {
  static auto* target = new OpaqueEventTargetRef();
  return target;
}

OSStatus InstallEventHandler(EventTargetRef target, EventHandlerUPP handler, ItemCount numTypes,
                             const EventTypeSpec* list, void* userData, EventHandlerRef* outRef) {
  if (!target || !handler || (numTypes && !list)) return paramErr;
  auto h = std::make_shared<OpaqueEventHandlerRef>();
  h->proc = handler;
  h->types.assign(list, list + numTypes);
  h->userData = userData;
  h->target = target;
  target->handlers.push_back(h);
  LiveHandlers().insert(h.get());
  if (outRef) *outRef = h.get();
  return noErr;
}

OSStatus RemoveEventHandler(EventHandlerRef handler) {
  if (!handler || !LiveHandlers().count(handler)) return paramErr;
  LiveHandlers().erase(handler);
  handler->live = false;
  auto& list = handler->target->handlers;
  // A chain being run keeps its own reference until it ends.
  list.erase(std::remove_if(list.begin(), list.end(),
                            [handler](const std::shared_ptr<OpaqueEventHandlerRef>& h) {
                              return h.get() == handler;
                            }),
             list.end());
  return noErr;
}

OSStatus CallNextEventHandler(EventHandlerCallRef callRef, EventRef event) {
  if (!callRef || !event) return paramErr;
  callRef->nextCalled = true;
  OpaqueEventHandlerCallRef rest;
  rest.chain = callRef->chain;
  rest.next = callRef->next;
  return RunChain(&rest, event);
}

OSStatus SendEventToEventTarget(EventRef event, EventTargetRef target) {
  return carbon::Dispatch(event, target);
}

EventLoopRef GetMainEventLoop(void) {
  static OpaqueEventLoopRef loop;
  return &loop;
}
EventLoopRef GetCurrentEventLoop(void) { return GetMainEventLoop(); }

OSStatus InstallEventLoopTimer(EventLoopRef loop, EventTimerInterval fireDelay,
                               EventTimerInterval interval, EventLoopTimerUPP proc, void* userData,
                               EventLoopTimerRef* outTimer) {
  if (!loop || !proc || !outTimer) return paramErr;
  auto* t = new (std::nothrow) OpaqueEventLoopTimerRef();
  if (!t) return memFullErr;
  t->timer = ws::AddTimer(fireDelay, interval, [t, proc, userData] { proc(t, userData); });
  LiveTimers().insert(t);
  *outTimer = t;
  return noErr;
}

OSStatus RemoveEventLoopTimer(EventLoopTimerRef timer) {
  if (!timer || !LiveTimers().count(timer)) return paramErr;
  LiveTimers().erase(timer);
  ws::RemoveTimer(timer->timer);
  delete timer;  // the firing in progress, if any, holds its own copy of the callback
  return noErr;
}

EventTime GetCurrentEventTime(void) { return ws::Now(); }
