// A small Audio Unit component used to check the host library and the platform's dispatch:
// it logs every call it receives, keeps parameter values, renders a known pattern and
// answers a few properties from inside the plug-in (its own bundle, the host's identifier).
#include <AudioToolbox/AudioToolbox.h>
#include <AudioUnit/AudioUnit.h>

#include "tests/host/TestComponent.h"

#include <cstring>
#include <map>
#include <mutex>
#include <vector>

namespace {

const char kBundleIdentifier[] = "org.tessor.test.unit";

struct Instance {
  ComponentInstance self = nullptr;
  std::mutex lock;
  std::vector<TestComponentCall> calls;
  std::map<AudioUnitParameterID, Float32> params;
};

template <class T>
T Arg(ComponentParameters* p, int index, int count) {
  long word = p->params[count - 1 - index];
  T value;
  std::memcpy(&value, &word, sizeof value);
  return value;
}

CFStringRef CopyOwnResourcePath() {
  CFStringRef id = CFStringCreateWithCString(nullptr, kBundleIdentifier, kCFStringEncodingUTF8);
  CFBundleRef bundle = CFBundleGetBundleWithIdentifier(id);
  CFRelease(id);
  CFURLRef url = CFBundleCopyResourceURL(bundle, CFSTR("test-resource"), CFSTR("txt"), nullptr);
  if (!url) return nullptr;
  CFStringRef path = CFURLCopyFileSystemPath(url, kCFURLPOSIXPathStyle);
  CFRelease(url);
  return path;
}

ComponentResult GetProperty(Instance* inst, AudioUnitPropertyID id, void* data, UInt32* size) {
  switch (id) {
    case kTestProperty_HostIdentifier:
    case kTestProperty_OwnResourcePath: {
      if (*size < sizeof(CFStringRef)) return kAudioUnitErr_InvalidPropertyValue;
      CFStringRef value = nullptr;
      if (id == kTestProperty_HostIdentifier) {
        CFStringRef host = CFBundleGetIdentifier(CFBundleGetMainBundle());
        value = host ? CFStringCreateCopy(nullptr, host) : nullptr;
      } else {
        value = CopyOwnResourcePath();
      }
      *size = sizeof(CFStringRef);
      if (data) std::memcpy(data, &value, sizeof value);
      return 0;
    }
    case kAudioUnitProperty_ElementCount: {
      UInt32 one = 1;
      *size = sizeof one;
      if (data) std::memcpy(data, &one, sizeof one);
      return 0;
    }
    default:
      (void)inst;
      return kAudioUnitErr_InvalidProperty;
  }
}

ComponentResult Render(Instance*, const AudioTimeStamp* ts, UInt32 bus, UInt32 frames,
                       AudioBufferList* list) {
  if (!ts || !(ts->mFlags & kAudioTimeStampSampleTimeValid))
    return kAudioUnitErr_InvalidPropertyValue;
  for (UInt32 b = 0; b < list->mNumberBuffers; ++b) {
    Float32* out = static_cast<Float32*>(list->mBuffers[b].mData);
    if (!out || list->mBuffers[b].mDataByteSize < frames * sizeof(Float32))
      return kAudioUnitErr_TooManyFramesToProcess;
    for (UInt32 i = 0; i < frames; ++i)
      out[i] = static_cast<Float32>(bus * 1000 + b * 100) + static_cast<Float32>(ts->mSampleTime) +
               static_cast<Float32>(i);
  }
  return 0;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int TestComponent_CopyCalls(
    void* storage, TestComponentCall* out, int max) {
  Instance* inst = static_cast<Instance*>(storage);
  if (!inst) return -1;
  std::lock_guard<std::mutex> guard(inst->lock);
  int n = 0;
  for (auto& c : inst->calls) {
    if (n >= max) break;
    out[n++] = c;
  }
  return static_cast<int>(inst->calls.size());
}

extern "C" __attribute__((visibility("default"))) ComponentResult TestComponent_Entry(
    ComponentParameters* params, void* storage) {
  Instance* inst = static_cast<Instance*>(storage);
  if (params->what == kComponentOpenSelect) {
    if (storage) return paramErr;  // a new instance has no storage yet
    Instance* created = new Instance;
    created->self = reinterpret_cast<ComponentInstance>(params->params[0]);
    SetComponentInstanceStorage(created->self, reinterpret_cast<Handle>(created));
    return 0;
  }
  if (params->what == kComponentCloseSelect) {
    delete inst;
    return 0;
  }
  if (!inst) return badComponentInstance;
  {
    TestComponentCall call{};
    call.what = params->what;
    call.paramSize = params->paramSize;
    int words = params->paramSize / static_cast<int>(sizeof(long)) + 1;  // the instance follows
    for (int i = 0; i < words && i < 8; ++i) call.words[i] = params->params[i];
    call.storage = storage;
    std::lock_guard<std::mutex> guard(inst->lock);
    inst->calls.push_back(call);
  }
  switch (params->what) {
    case kComponentVersionSelect:
      return kTestComponentVersion;
    case kComponentCanDoSelect: {
      SInt16 selector = static_cast<SInt16>(params->params[0]);
      return (selector >= 1 && selector <= 7) || selector == 9 || selector == 14 ? 1 : 0;
    }
    case kAudioUnitInitializeSelect:
    case kAudioUnitUninitializeSelect:
    case kAudioUnitResetSelect:
      return 0;
    case kAudioUnitGetPropertyInfoSelect: {
      UInt32 size = 0;
      ComponentResult r = GetProperty(inst, Arg<UInt32>(params, 0, 5), nullptr, &size);
      if (UInt32* out = Arg<UInt32*>(params, 3, 5)) *out = size;
      if (Boolean* w = Arg<Boolean*>(params, 4, 5)) *w = false;
      return r;
    }
    case kAudioUnitGetPropertySelect: {
      UInt32* size = Arg<UInt32*>(params, 4, 5);
      UInt32 local = 0;
      return GetProperty(inst, Arg<UInt32>(params, 0, 5), Arg<void*>(params, 3, 5),
                         size ? size : &local);
    }
    case kAudioUnitSetPropertySelect: {
      if (Arg<UInt32>(params, 0, 5) != kTestProperty_NotifyGesture)
        return kAudioUnitErr_InvalidProperty;
      const UInt32* param = Arg<const UInt32*>(params, 3, 5);
      AudioUnitEvent event{};
      event.mEventType = kAudioUnitEvent_BeginParameterChangeGesture;
      event.mArgument.mParameter = {inst->self, *param, kAudioUnitScope_Global, 0};
      return AUEventListenerNotify(nullptr, nullptr, &event);
    }
    case kAudioUnitGetParameterSelect: {
      if (Arg<UInt32>(params, 1, 4) != kAudioUnitScope_Global) return kAudioUnitErr_InvalidProperty;
      std::lock_guard<std::mutex> guard(inst->lock);
      *Arg<Float32*>(params, 3, 4) = inst->params[Arg<UInt32>(params, 0, 4)];
      return 0;
    }
    case kAudioUnitSetParameterSelect: {
      if (Arg<UInt32>(params, 1, 5) != kAudioUnitScope_Global) return kAudioUnitErr_InvalidProperty;
      std::lock_guard<std::mutex> guard(inst->lock);
      inst->params[Arg<UInt32>(params, 0, 5)] = Arg<Float32>(params, 3, 5);
      return 0;
    }
    case kAudioUnitRenderSelect:
      return Render(inst, Arg<const AudioTimeStamp*>(params, 1, 5), Arg<UInt32>(params, 2, 5),
                    Arg<UInt32>(params, 3, 5), Arg<AudioBufferList*>(params, 4, 5));
    case kAudioUnitAddPropertyListenerSelect:
    case kAudioUnitRemovePropertyListenerSelect:
    case kAudioUnitRemovePropertyListenerWithUserDataSelect:
    case kAudioUnitAddRenderNotifySelect:
    case kAudioUnitRemoveRenderNotifySelect:
    case kAudioUnitScheduleParametersSelect:
    case kMusicDeviceMIDIEventSelect:
    case kMusicDeviceSysExSelect:
    case kMusicDeviceStartNoteSelect:
    case kMusicDeviceStopNoteSelect:
      return 0;  // logged only
    default:
      return badComponentSelector;
  }
}
