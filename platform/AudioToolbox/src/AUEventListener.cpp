// Audio Unit event listeners: a process-wide table of listeners and their registrations;
// notifications are delivered synchronously on the notifying thread.
#include <AudioToolbox/AudioUnitUtilities.h>

#include <time.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

struct AUListenerBase {
  struct Registration {
    AudioUnitEvent event;
    void* object;
  };
  AUEventListenerProc eventProc = nullptr;
  AUParameterListenerProc parameterProc = nullptr;
  void* refCon = nullptr;
  std::vector<Registration> registrations;
  int deliveries = 0;     // deliveries in progress, on any thread
  bool disposed = false;  // freed by whoever ends the last delivery
};

namespace {

struct Bus {
  std::mutex lock;
  std::condition_variable idle;
  std::vector<AUListenerBase*> listeners;
};

Bus& B() {
  static Bus* b = new Bus;
  return *b;
}

// Listeners this thread is delivering to right now (a callback may dispose its own listener).
thread_local std::vector<AUListenerBase*> tDelivering;

bool IsParameterEvent(AudioUnitEventType t) {
  return t == kAudioUnitEvent_ParameterValueChange ||
         t == kAudioUnitEvent_BeginParameterChangeGesture ||
         t == kAudioUnitEvent_EndParameterChangeGesture;
}

bool SameRegistration(const AudioUnitEvent& a, const AudioUnitEvent& b) {
  if (a.mEventType != b.mEventType) return false;
  if (IsParameterEvent(a.mEventType)) {
    const AudioUnitParameter &x = a.mArgument.mParameter, &y = b.mArgument.mParameter;
    return x.mAudioUnit == y.mAudioUnit && x.mParameterID == y.mParameterID &&
           x.mScope == y.mScope && x.mElement == y.mElement;
  }
  const AudioUnitProperty &x = a.mArgument.mProperty, &y = b.mArgument.mProperty;
  return x.mAudioUnit == y.mAudioUnit && x.mPropertyID == y.mPropertyID && x.mScope == y.mScope &&
         x.mElement == y.mElement;
}

// Does a registration for `reg` want the event `ev`?
bool Wants(const AudioUnitEvent& reg, const AudioUnitEvent& ev) {
  if (reg.mEventType != ev.mEventType) return false;
  if (IsParameterEvent(ev.mEventType)) {
    const AudioUnitParameter &r = reg.mArgument.mParameter, &e = ev.mArgument.mParameter;
    return r.mAudioUnit == e.mAudioUnit &&
           (r.mParameterID == kAUParameterListener_AnyParameter ||
            r.mParameterID == e.mParameterID) &&
           r.mScope == e.mScope && r.mElement == e.mElement;
  }
  return SameRegistration(reg, ev);
}

bool Known(Bus& b, AUListenerBase* l) {
  return l && std::find(b.listeners.begin(), b.listeners.end(), l) != b.listeners.end();
}

UInt64 HostTime() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  const UInt64 kNanosecondsPerSecond = 1000000000ULL;
  return static_cast<UInt64>(ts.tv_sec) * kNanosecondsPerSecond + static_cast<UInt64>(ts.tv_nsec);
}

OSStatus Create(AUEventListenerProc eventProc, AUParameterListenerProc parameterProc, void* refCon,
                AUParameterListenerRef* out) {
  if ((!eventProc && !parameterProc) || !out) return paramErr;
  AUListenerBase* l = new AUListenerBase;
  l->eventProc = eventProc;
  l->parameterProc = parameterProc;
  l->refCon = refCon;
  Bus& b = B();
  std::lock_guard<std::mutex> guard(b.lock);
  b.listeners.push_back(l);
  *out = l;
  return noErr;
}

OSStatus Add(AUEventListenerRef l, void* object, const AudioUnitEvent& ev) {
  Bus& b = B();
  std::lock_guard<std::mutex> guard(b.lock);
  if (!Known(b, l)) return paramErr;
  for (auto& r : l->registrations)
    if (r.object == object && SameRegistration(r.event, ev)) return noErr;
  l->registrations.push_back({ev, object});
  return noErr;
}

OSStatus Remove(AUEventListenerRef l, void* object, const AudioUnitEvent& ev) {
  Bus& b = B();
  std::lock_guard<std::mutex> guard(b.lock);
  if (!Known(b, l)) return paramErr;
  auto& regs = l->registrations;
  regs.erase(std::remove_if(regs.begin(), regs.end(),
                            [&](const AUListenerBase::Registration& r) {
                              return r.object == object && SameRegistration(r.event, ev);
                            }),
             regs.end());
  return noErr;
}

AudioUnitEvent ValueChangeEvent(const AudioUnitParameter& p) {
  AudioUnitEvent ev{};
  ev.mEventType = kAudioUnitEvent_ParameterValueChange;
  ev.mArgument.mParameter = p;
  return ev;
}

}  // namespace

OSStatus AUEventListenerCreate(AUEventListenerProc inProc, void* inCallbackRefCon, CFRunLoopRef,
                               CFStringRef, Float32, Float32, AUEventListenerRef* outListener) {
  if (!inProc) return paramErr;
  return Create(inProc, nullptr, inCallbackRefCon, outListener);
}

OSStatus AUListenerCreate(AUParameterListenerProc inProc, void* inUserData, CFRunLoopRef,
                          CFStringRef, Float32, AUParameterListenerRef* outListener) {
  if (!inProc) return paramErr;
  return Create(nullptr, inProc, inUserData, outListener);
}

OSStatus AUListenerDispose(AUParameterListenerRef inListener) {
  Bus& b = B();
  std::unique_lock<std::mutex> guard(b.lock);
  if (!Known(b, inListener)) return paramErr;
  b.listeners.erase(std::find(b.listeners.begin(), b.listeners.end(), inListener));
  long mine = std::count(tDelivering.begin(), tDelivering.end(), inListener);
  b.idle.wait(guard, [&] { return inListener->deliveries == mine; });
  if (mine > 0) {
    inListener->disposed = true;  // the delivery on this thread frees it when it returns
  } else {
    delete inListener;
  }
  return noErr;
}

OSStatus AUEventListenerAddEventType(AUEventListenerRef inListener, void* inObject,
                                     const AudioUnitEvent* inEvent) {
  if (!inEvent) return paramErr;
  return Add(inListener, inObject, *inEvent);
}

OSStatus AUEventListenerRemoveEventType(AUEventListenerRef inListener, void* inObject,
                                        const AudioUnitEvent* inEvent) {
  if (!inEvent) return paramErr;
  return Remove(inListener, inObject, *inEvent);
}

OSStatus AUListenerAddParameter(AUParameterListenerRef inListener, void* inObject,
                                const AudioUnitParameter* inParameter) {
  if (!inParameter) return paramErr;
  return Add(inListener, inObject, ValueChangeEvent(*inParameter));
}

OSStatus AUListenerRemoveParameter(AUParameterListenerRef inListener, void* inObject,
                                   const AudioUnitParameter* inParameter) {
  if (!inParameter) return paramErr;
  return Remove(inListener, inObject, ValueChangeEvent(*inParameter));
}

OSStatus AUEventListenerNotify(AUEventListenerRef inSendingListener, void* inSendingObject,
                               const AudioUnitEvent* inEvent) {
  if (!inEvent) return paramErr;
  const AudioUnitEvent ev = *inEvent;
  struct Target {
    AUListenerBase* listener;
    void* object;
  };
  std::vector<Target> targets;
  Bus& b = B();
  {
    std::lock_guard<std::mutex> guard(b.lock);
    for (AUListenerBase* l : b.listeners) {
      if (l == inSendingListener) continue;
      for (auto& r : l->registrations) {
        if (inSendingObject && r.object == inSendingObject) continue;
        if (l->parameterProc && ev.mEventType != kAudioUnitEvent_ParameterValueChange) continue;
        if (!Wants(r.event, ev)) continue;
        targets.push_back({l, r.object});
        l->deliveries++;
      }
    }
  }
  if (targets.empty()) return noErr;
  AudioUnitParameterValue value = 0;
  if (ev.mEventType == kAudioUnitEvent_ParameterValueChange) {
    const AudioUnitParameter& p = ev.mArgument.mParameter;
    if (AudioUnitGetParameter(p.mAudioUnit, p.mParameterID, p.mScope, p.mElement, &value) != noErr)
      value = 0;
  }
  UInt64 when = HostTime();
  for (Target& t : targets) {
    tDelivering.push_back(t.listener);
    if (t.listener->eventProc)
      t.listener->eventProc(t.listener->refCon, t.object, &ev, when, value);
    else
      t.listener->parameterProc(t.listener->refCon, t.object, &ev.mArgument.mParameter, value);
    tDelivering.erase(std::find(tDelivering.begin(), tDelivering.end(), t.listener));
    bool free = false;
    {
      std::lock_guard<std::mutex> guard(b.lock);
      free = --t.listener->deliveries == 0 && t.listener->disposed;
    }
    b.idle.notify_all();
    if (free) delete t.listener;
  }
  return noErr;
}

OSStatus AUParameterListenerNotify(AUParameterListenerRef inSendingListener, void* inSendingObject,
                                   const AudioUnitParameter* inParameter) {
  if (!inParameter) return paramErr;
  AudioUnitEvent ev = ValueChangeEvent(*inParameter);
  return AUEventListenerNotify(inSendingListener, inSendingObject, &ev);
}

OSStatus AUParameterSet(AUParameterListenerRef inSendingListener, void* inSendingObject,
                        const AudioUnitParameter* inParameter, AudioUnitParameterValue inValue,
                        UInt32 inBufferOffsetInFrames) {
  if (!inParameter) return paramErr;
  OSStatus err =
      AudioUnitSetParameter(inParameter->mAudioUnit, inParameter->mParameterID, inParameter->mScope,
                            inParameter->mElement, inValue, inBufferOffsetInFrames);
  if (err != noErr) return err;
  return AUParameterListenerNotify(inSendingListener, inSendingObject, inParameter);
}
