// The component entry point: creates and deletes the plug-in, decodes every other selector's
// argument words and calls the member that implements it, under the plug-in mutex.
#include <cstring>

#include "framework/IPluginUtilities.h"
#include "framework/au/IPluginAU.h"

#define TRACELOC __FUNCTION__, __LINE__

namespace {

// The arguments of one call as the Component Manager packs them: one word per argument, the
// last argument of the public call in word 0.
class ArgWords {
 public:
  ArgWords(const ComponentParameters* params, int nArgs) : mParams(params), mNArgs(nArgs) {}

  // True when the record carries at least the words the selector needs.
  bool Complete() const {
    return mParams->paramSize >= static_cast<unsigned>(mNArgs) * sizeof(long);
  }

  long Word(int argIdx) const { return mParams->params[mNArgs - 1 - argIdx]; }

  template <class T>
  T Ptr(int argIdx) const {
    return reinterpret_cast<T>(Word(argIdx));
  }

  UInt32 U32(int argIdx) const { return static_cast<UInt32>(Word(argIdx)); }

  Float32 F32(int argIdx) const {
    long word = Word(argIdx);
    Float32 value;
    memcpy(&value, &word, sizeof(value));
    return value;
  }

 private:
  const ComponentParameters* mParams;
  int mNArgs;
};

// Number of argument words of each implemented selector; -1 for selectors the entry does not
// implement.
int ArgCount(int selector) {
  switch (selector) {
    case kComponentCanDoSelect:
      return 1;
    case kComponentVersionSelect:
      return 0;
    case kAudioUnitInitializeSelect:
      return 0;
    case kAudioUnitUninitializeSelect:
      return 0;
    case kAudioUnitGetPropertyInfoSelect:
      return 5;
    case kAudioUnitGetPropertySelect:
      return 5;
    case kAudioUnitSetPropertySelect:
      return 5;
    case kAudioUnitGetParameterSelect:
      return 4;
    case kAudioUnitSetParameterSelect:
      return 5;
    case kAudioUnitResetSelect:
      return 2;
    case kAudioUnitAddPropertyListenerSelect:
      return 3;
    case kAudioUnitRemovePropertyListenerSelect:
      return 2;
    case kAudioUnitRenderSelect:
      return 5;
    case kAudioUnitAddRenderNotifySelect:
      return 2;
    case kAudioUnitRemoveRenderNotifySelect:
      return 2;
    case kAudioUnitScheduleParametersSelect:
      return 2;
    case kAudioUnitRemovePropertyListenerWithUserDataSelect:
      return 3;
    case kMusicDeviceMIDIEventSelect:
      return 4;
    case kMusicDevicePrepareInstrumentSelect:
      return 1;
    case kMusicDeviceReleaseInstrumentSelect:
      return 1;
    case kMusicDeviceStartNoteSelect:
      return 5;
    case kMusicDeviceStopNoteSelect:
      return 3;
    default:
      return -1;
  }
}

// What can-do answers: the selectors a host may rely on. Removing a listener with user data
// works but is not announced.
bool CanDo(long selector) {
  switch (selector) {
    case kAudioUnitInitializeSelect:
    case kAudioUnitUninitializeSelect:
    case kAudioUnitGetPropertyInfoSelect:
    case kAudioUnitGetPropertySelect:
    case kAudioUnitSetPropertySelect:
    case kAudioUnitGetParameterSelect:
    case kAudioUnitSetParameterSelect:
    case kAudioUnitResetSelect:
    case kAudioUnitAddPropertyListenerSelect:
    case kAudioUnitRemovePropertyListenerSelect:
    case kAudioUnitRenderSelect:
    case kAudioUnitAddRenderNotifySelect:
    case kAudioUnitRemoveRenderNotifySelect:
    case kAudioUnitScheduleParametersSelect:
      return true;
    default:
      return false;
  }
}

}  // namespace

ComponentResult IPluginAU::IPluginAUEntry(ComponentParameters* params, void* pPlug) {
  if (!params) return paramErr;
  const int select = params->what;
  Trace(TRACELOC, "(%d:%s)", select, AUSelectStr(select));

  if (select == kComponentOpenSelect) {
    if (params->paramSize < sizeof(long)) return paramErr;
    ComponentInstance ci = reinterpret_cast<ComponentInstance>(params->params[0]);
    IPluginAU* plug = MakePlug();
    if (!plug) return memFullErr;
    plug->HostSpecificInit();
    plug->PruneUninitializedPresets();
    plug->mComponent = ci;
    SetComponentInstanceStorage(ci, reinterpret_cast<Handle>(plug));
    return noErr;
  }
  if (select == kComponentCloseSelect) {
    delete static_cast<IPluginAU*>(pPlug);
    return noErr;
  }

  IPluginAU* plug = static_cast<IPluginAU*>(pPlug);
  const int nArgs = ArgCount(select);
  if (!plug || nArgs < 0) return badComponentSelector;
  const ArgWords args(params, nArgs);
  if (!args.Complete()) return paramErr;

  Core_MutexLock lock(&plug->mPlugLock);

  switch (select) {
    case kComponentCanDoSelect:
      return CanDo(args.Word(0)) ? 1 : 0;

    case kComponentVersionSelect:
      return plug->GetEffectVersion(false);

    case kAudioUnitInitializeSelect:
      return plug->DoInitialize();

    case kAudioUnitUninitializeSelect:
      return plug->DoUninitialize();

    case kAudioUnitGetPropertyInfoSelect: {
      UInt32 privateSize = 0;
      Boolean privateWriteable = false;
      UInt32* pSize = args.Ptr<UInt32*>(3);
      Boolean* pWriteable = args.Ptr<Boolean*>(4);
      if (!pSize) pSize = &privateSize;
      if (!pWriteable) pWriteable = &privateWriteable;
      *pWriteable = false;
      return plug->GetProperty(args.U32(0), args.U32(1), args.U32(2), pSize, pWriteable, nullptr);
    }

    case kAudioUnitGetPropertySelect: {
      UInt32 privateSize = 0;
      Boolean writeable = false;
      UInt32* pSize = args.Ptr<UInt32*>(4);
      if (!pSize) pSize = &privateSize;
      return plug->GetProperty(args.U32(0), args.U32(1), args.U32(2), pSize, &writeable,
                               args.Ptr<void*>(3));
    }

    case kAudioUnitSetPropertySelect:
      return plug->SetProperty(args.U32(0), args.U32(1), args.U32(2), args.U32(4),
                               args.Ptr<const void*>(3));

    case kAudioUnitGetParameterSelect:
      return GetParamProc(plug, args.U32(0), args.U32(1), args.U32(2),
                          args.Ptr<AudioUnitParameterValue*>(3));

    case kAudioUnitSetParameterSelect:
      return SetParamProc(plug, args.U32(0), args.U32(1), args.U32(2), args.F32(3), args.U32(4));

    case kAudioUnitResetSelect:
      plug->Reset();
      return noErr;

    case kAudioUnitAddPropertyListenerSelect:
      plug->AddPropertyListener(args.U32(0), args.Ptr<AudioUnitPropertyListenerProc>(1),
                                args.Ptr<void*>(2));
      return noErr;

    case kAudioUnitRemovePropertyListenerSelect:
      plug->RemovePropertyListener(args.U32(0), args.Ptr<AudioUnitPropertyListenerProc>(1), false,
                                   nullptr);
      return noErr;

    case kAudioUnitRemovePropertyListenerWithUserDataSelect:
      plug->RemovePropertyListener(args.U32(0), args.Ptr<AudioUnitPropertyListenerProc>(1), true,
                                   args.Ptr<void*>(2));
      return noErr;

    case kAudioUnitRenderSelect:
      return RenderProc(plug, args.Ptr<AudioUnitRenderActionFlags*>(0),
                        args.Ptr<const AudioTimeStamp*>(1), args.U32(2), args.U32(3),
                        args.Ptr<AudioBufferList*>(4));

    case kAudioUnitAddRenderNotifySelect: {
      RenderNotification* rec =
          new RenderNotification{args.Ptr<AURenderCallback>(0), args.Ptr<void*>(1)};
      if (!plug->mRenderNotifications.Add(rec)) {
        delete rec;
        return memFullErr;
      }
      return noErr;
    }

    case kAudioUnitRemoveRenderNotifySelect: {
      const AURenderCallback proc = args.Ptr<AURenderCallback>(0);
      for (int i = 0; i < plug->mRenderNotifications.GetSize(); ++i) {
        if (plug->mRenderNotifications.Get(i)->mProc == proc) {
          plug->mRenderNotifications.Delete(i, true);
          break;
        }
      }
      return noErr;
    }

    case kAudioUnitScheduleParametersSelect:
      return plug->DoScheduleParameters(args.Ptr<const AudioUnitParameterEvent*>(0), args.U32(1));

    case kMusicDeviceMIDIEventSelect: {
      IMidiMsg msg(static_cast<int>(args.U32(3)), static_cast<uint8_t>(args.U32(0) & 0xFF),
                   static_cast<uint8_t>(args.U32(1) & 0xFF),
                   static_cast<uint8_t>(args.U32(2) & 0xFF));
      plug->ProcessMidiMsg(&msg);
      return noErr;
    }

    case kMusicDevicePrepareInstrumentSelect:
    case kMusicDeviceReleaseInstrumentSelect:
      return noErr;

    case kMusicDeviceStartNoteSelect: {
      NoteInstanceID* pNoteID = args.Ptr<NoteInstanceID*>(2);
      const MusicDeviceNoteParams* pNote = args.Ptr<const MusicDeviceNoteParams*>(4);
      if (!pNote) return paramErr;
      const int note = TruncToInt(pNote->mPitch);
      if (pNoteID) *pNoteID = static_cast<NoteInstanceID>(note);
      IMidiMsg msg;
      msg.MakeNoteOnMsg(note, TruncToInt(pNote->mVelocity), static_cast<int>(args.U32(3)));
      plug->ProcessMidiMsg(&msg);
      return noErr;
    }

    case kMusicDeviceStopNoteSelect: {
      IMidiMsg msg;
      msg.MakeNoteOffMsg(static_cast<int>(args.U32(1)), static_cast<int>(args.U32(2)));
      plug->ProcessMidiMsg(&msg);
      return noErr;
    }

    default:
      return badComponentSelector;
  }
}

ComponentResult IPluginAU::DoInitialize() {
  if (!CheckLegalIO()) return badComponentSelector;
  mInitialized = true;
  OnParamReset();
  OnActivate(true);
  return noErr;
}

ComponentResult IPluginAU::DoUninitialize() {
  mInitialized = false;
  ClearConnections();
  OnActivate(false);
  return noErr;
}

ComponentResult IPluginAU::DoScheduleParameters(const AudioUnitParameterEvent* pEvents,
                                                UInt32 nEvents) {
  for (UInt32 i = 0; pEvents && i < nEvents; ++i) {
    const AudioUnitParameterEvent& ev = pEvents[i];
    if (ev.eventType != kParameterEvent_Immediate) continue;  // ramps are not supported
    ComponentResult r =
        SetParamProc(this, ev.parameter, ev.scope, ev.element, ev.eventValues.immediate.value,
                     ev.eventValues.immediate.bufferOffset);
    if (r != noErr) return r;
  }
  return noErr;
}

ComponentResult IPluginAU::GetProc(unsigned long selector, unsigned long* pDataSize, void* pData) {
  void* proc;
  switch (selector) {
    case kAudioUnitGetParameterSelect:
      proc = reinterpret_cast<void*>(&GetParamProc);
      break;
    case kAudioUnitSetParameterSelect:
      proc = reinterpret_cast<void*>(&SetParamProc);
      break;
    case kAudioUnitRenderSelect:
      proc = reinterpret_cast<void*>(&RenderProc);
      break;
    default:
      return kAudioUnitErr_InvalidElement;
  }
  *pDataSize = sizeof(void*);
  if (pData) memcpy(pData, &proc, sizeof(proc));
  return noErr;
}
