// Audio Unit properties of the wrapper: what each property reports per scope (size,
// writability, data) and what a host may set.
#include <atomic>
#include <climits>
#include <cstring>

#include <CoreServices/Gestalt.h>

#include "framework/IPluginUtilities.h"
#include "framework/au/IPluginAU.h"
#include "framework/au/IPluginAU_CFStrings.h"

#define TRACELOC __FUNCTION__, __LINE__

namespace {

// A factory preset handed to the host inside a CFArray. The array's callbacks count references
// to it, so releasing the array (or its last copy) frees the record and its name.
// The Cocoa view factory protocol the editor's view needs came with system 10.5.
constexpr SInt32 kFirstCocoaViewSystem = 0x1050;

// The system version as Gestalt reports it (0x1068 for 10.6.8); 0 when it cannot tell.
SInt32 SystemVersion() {
  SInt32 version = 0;
  return Gestalt(gestaltSystemVersion, &version) == noErr ? version : 0;
}

struct SharedPreset {
  AUPreset mPreset;  // first, so an element of the array reads as an AUPreset*
  std::atomic<int> mRefs;
};

const void* RetainSharedPreset(CFAllocatorRef, const void* value) {
  static_cast<SharedPreset*>(const_cast<void*>(value))->mRefs.fetch_add(1);
  return value;
}

void ReleaseSharedPreset(CFAllocatorRef, const void* value) {
  SharedPreset* rec = static_cast<SharedPreset*>(const_cast<void*>(value));
  if (rec->mRefs.fetch_sub(1) == 1) {
    CFRelease(rec->mPreset.presetName);
    delete rec;
  }
}

const CFArrayCallBacks kSharedPresetCallBacks = {0, RetainSharedPreset, ReleaseSharedPreset,
                                                 nullptr, nullptr};

// A new array (the host releases it) of the preset slots' numbers and names.
CFArrayRef CopyFactoryPresets(const IPluginBase& plug) {
  const int n = plug.NPresets();
  CFMutableArrayRef presets = CFArrayCreateMutable(kCFAllocatorDefault, n, &kSharedPresetCallBacks);
  for (int i = 0; i < n; ++i) {
    SharedPreset* rec = new SharedPreset();
    rec->mPreset.presetNumber = i;
    rec->mPreset.presetName = MakeCFString(plug.GetPresetName(i));
    rec->mRefs.store(0);
    CFArrayAppendValue(presets, rec);  // the array's retain takes the first reference
  }
  return presets;
}

// What a host learns of a parameter: name, unit, bounds and default. The name string is
// released by the host (CFNameRelease), as is the unit name when there is one.
void FillParameterInfo(const IParam& param, AudioUnitParameterInfo* info) {
  memset(info, 0, sizeof(*info));
  info->flags = kAudioUnitParameterFlag_IsWritable | kAudioUnitParameterFlag_IsReadable |
                kAudioUnitParameterFlag_HasCFNameString | kAudioUnitParameterFlag_CFNameRelease;
  info->cfNameString = MakeCFString(param.GetNameForHost());
  CopyTextField(info->name, param.GetNameForHost(), sizeof(info->name));
  switch (param.Type()) {
    case kParamBool:
      info->unit = kAudioUnitParameterUnit_Boolean;
      break;
    case kParamEnum:
      info->unit = kAudioUnitParameterUnit_Indexed;
      break;
    default:
      if (*param.GetLabelForHost()) {
        info->unit = kAudioUnitParameterUnit_CustomUnit;
        info->unitName = MakeCFString(param.GetLabelForHost());
      } else {
        info->unit = kAudioUnitParameterUnit_Generic;
      }
      break;
  }
  double lo, hi;
  param.GetBounds(&lo, &hi);
  info->minValue = static_cast<Float32>(lo);
  info->maxValue = static_cast<Float32>(hi);
  info->defaultValue = static_cast<Float32>(param.Value());
  info->clumpID = 0;
}

// The host's record of a parameter-indexed property names the parameter it asks about; an ID
// beyond the parameter list is refused.
const ComponentResult kUnknownParameter = kAudioUnitErr_InvalidProperty;

}  // namespace

ComponentResult IPluginAU::GetProperty(AudioUnitPropertyID propID, AudioUnitScope scope,
                                       AudioUnitElement element, UInt32* pDataSize,
                                       Boolean* pWriteable, void* pData) {
  Trace(TRACELOC, "%s(%u:%s):(%u:%s):%u", pData ? "" : "info:", propID, AUPropertyStr(propID),
        scope, AUScopeStr(scope), element);
  const PropertyQuery q = {propID, scope, element, pDataSize, pWriteable, pData};
  switch (propID) {
    case kAudioUnitProperty_SampleRate:
    case kAudioUnitProperty_MaximumFramesPerSlice:
    case kAudioUnitProperty_Latency:
    case kAudioUnitProperty_TailTime:
    case kAudioUnitProperty_BypassEffect:
    case kAudioUnitProperty_LastRenderError:
    case kAudioUnitProperty_FastDispatch:
    case kAudioUnitProperty_HostCallbacks:
    case kMusicDeviceProperty_InstrumentCount:
      return GetUnitProperty(q);

    case kAudioUnitProperty_StreamFormat:
    case kAudioUnitProperty_ElementCount:
    case kAudioUnitProperty_SupportedNumChannels:
    case kAudioUnitProperty_MakeConnection:
    case kAudioUnitProperty_SetRenderCallback:
      return GetBusProperty(q);

    case kAudioUnitProperty_ParameterList:
    case kAudioUnitProperty_ParameterInfo:
    case kAudioUnitProperty_ParameterValueStrings:
    case kAudioUnitProperty_ParameterStringFromValue:
    case kAudioUnitProperty_ParameterIDName:
    case kAudioUnitProperty_ParameterValueFromString:
      return GetParameterProperty(q);

    case kAudioUnitProperty_ClassInfo:
    case kAudioUnitProperty_FactoryPresets:
    case kAudioUnitProperty_CurrentPreset:
    case kAudioUnitProperty_PresentPreset:
      return GetStateProperty(q);

    case kAudioUnitProperty_GetUIComponentList:
    case kAudioUnitProperty_CocoaUI:
      return GetViewProperty(q);

    default:
      return kAudioUnitErr_InvalidProperty;
  }
}

// Processing set-up: sample rate, block size, latency and tail, bypass, the fast-dispatch
// procedures, the host's transport callbacks, and the instrument count.
ComponentResult IPluginAU::GetUnitProperty(const PropertyQuery& q) {
  switch (q.mID) {
    case kAudioUnitProperty_SampleRate:
      *q.mSize = sizeof(Float64);
      *q.mWriteable = true;
      if (q.mData) *static_cast<Float64*>(q.mData) = mRate;
      return noErr;

    case kAudioUnitProperty_MaximumFramesPerSlice:
      if (!q.Global()) return kAudioUnitErr_InvalidProperty;
      *q.mSize = sizeof(UInt32);
      *q.mWriteable = true;
      if (q.mData) *static_cast<UInt32*>(q.mData) = static_cast<UInt32>(mMaxBlock);
      return noErr;

    case kAudioUnitProperty_Latency:
    case kAudioUnitProperty_TailTime:
      if (!q.Global()) return kAudioUnitErr_InvalidProperty;
      *q.mSize = sizeof(Float64);
      if (q.mData) *static_cast<Float64*>(q.mData) = mRate > 0.0 ? mDelaySamples / mRate : 0.0;
      return noErr;

    case kAudioUnitProperty_BypassEffect:
      if (!q.Global()) return kAudioUnitErr_InvalidProperty;
      *q.mSize = sizeof(UInt32);
      *q.mWriteable = true;
      if (q.mData) *static_cast<UInt32*>(q.mData) = mBypass ? 1 : 0;
      return noErr;

    case kAudioUnitProperty_LastRenderError:
      if (!q.Global()) return kAudioUnitErr_InvalidProperty;
      *q.mSize = sizeof(OSStatus);
      if (q.mData) *static_cast<OSStatus*>(q.mData) = noErr;
      return noErr;

    case kAudioUnitProperty_FastDispatch: {
      unsigned long size = *q.mSize;
      ComponentResult r = GetProc(q.mElement, &size, q.mData);
      if (r == noErr) *q.mSize = static_cast<UInt32>(size);
      return r;
    }

    case kAudioUnitProperty_HostCallbacks:
      if (!q.Global()) return kAudioUnitErr_InvalidProperty;
      *q.mSize = sizeof(HostCallbackInfo);
      *q.mWriteable = true;
      return noErr;

    case kMusicDeviceProperty_InstrumentCount:
      if (!q.Global() || !mInstrumentFlag) return kAudioUnitErr_InvalidProperty;
      *q.mSize = sizeof(UInt32);
      if (q.mData) *static_cast<UInt32*>(q.mData) = 1;
      return noErr;

    default:
      return kAudioUnitErr_InvalidProperty;
  }
}

// Buses, their stream formats and channel configurations, and input connections.
ComponentResult IPluginAU::GetBusProperty(const PropertyQuery& q) {
  switch (q.mID) {
    case kAudioUnitProperty_StreamFormat: {
      BusChannels* bus = GetBus(q.mScope, q.mElement);
      if (!bus) return kAudioUnitErr_InvalidProperty;
      *q.mSize = sizeof(AudioStreamBasicDescription);
      *q.mWriteable = true;
      if (q.mData) {
        const int n = bus->mHostChannelCount < 0 ? bus->mPlugChannelCount : bus->mHostChannelCount;
        MakeDefaultASBD(static_cast<AudioStreamBasicDescription*>(q.mData), mRate, n, false);
      }
      return noErr;
    }

    case kAudioUnitProperty_ElementCount: {
      *q.mSize = sizeof(UInt32);
      if (q.mData) {
        UInt32 n = 0;
        if (q.mScope == kAudioUnitScope_Input)
          n = static_cast<UInt32>(mInputBuses.GetSize());
        else if (q.mScope == kAudioUnitScope_Output)
          n = static_cast<UInt32>(mOutputBuses.GetSize());
        else if (q.Global())
          n = 1;
        *static_cast<UInt32*>(q.mData) = n;
      }
      return noErr;
    }

    case kAudioUnitProperty_SupportedNumChannels: {
      if (!q.Global()) return kAudioUnitErr_InvalidProperty;
      const int n = NChannelIO();
      *q.mSize = static_cast<UInt32>(n) * sizeof(AUChannelInfo);
      if (q.mData) {
        AUChannelInfo* info = static_cast<AUChannelInfo*>(q.mData);
        for (int i = 0; i < n; ++i) {
          int nIn = 0, nOut = 0;
          GetChannelIO(i, &nIn, &nOut);
          Trace(TRACELOC, "IO:%d:%d", nIn, nOut);
          info[i].inChannels = static_cast<SInt16>(nIn);
          info[i].outChannels = static_cast<SInt16>(nOut);
        }
      }
      return noErr;
    }

    case kAudioUnitProperty_MakeConnection:
      if (q.mScope != kAudioUnitScope_Global && q.mScope != kAudioUnitScope_Input)
        return kAudioUnitErr_InvalidProperty;
      *q.mSize = sizeof(AudioUnitConnection);
      *q.mWriteable = true;
      return noErr;

    case kAudioUnitProperty_SetRenderCallback:
      if ((q.mScope != kAudioUnitScope_Global && q.mScope != kAudioUnitScope_Input) ||
          q.mElement >= static_cast<UInt32>(mInputBuses.GetSize()))
        return kAudioUnitErr_InvalidProperty;
      *q.mSize = sizeof(AURenderCallbackStruct);
      *q.mWriteable = true;
      return noErr;

    default:
      return kAudioUnitErr_InvalidProperty;
  }
}

// The parameter list, each parameter's description and its display texts.
ComponentResult IPluginAU::GetParameterProperty(const PropertyQuery& q) {
  switch (q.mID) {
    case kAudioUnitProperty_ParameterList: {
      const int n = q.Global() ? NParams() : 0;
      *q.mSize = static_cast<UInt32>(n) * sizeof(AudioUnitParameterID);
      if (q.mData) {
        AudioUnitParameterID* ids = static_cast<AudioUnitParameterID*>(q.mData);
        for (int i = 0; i < n; ++i) ids[i] = static_cast<AudioUnitParameterID>(i);
      }
      return noErr;
    }

    case kAudioUnitProperty_ParameterInfo: {
      if (!q.Global()) return kAudioUnitErr_InvalidProperty;
      *q.mSize = sizeof(AudioUnitParameterInfo);
      IParam* param = GetParamByID(q.mElement);
      if (!param) return kAudioUnitErr_InvalidProperty;
      if (q.mData) FillParameterInfo(*param, static_cast<AudioUnitParameterInfo*>(q.mData));
      return noErr;
    }

    case kAudioUnitProperty_ParameterValueStrings: {
      if (!q.Global()) return kAudioUnitErr_InvalidProperty;
      IParam* param = GetParamByID(q.mElement);
      if (!param) return kUnknownParameter;
      const int n = param->GetNDisplayTexts();
      if (n <= 0) {
        *q.mSize = 0;
        return kAudioUnitErr_InvalidProperty;
      }
      *q.mSize = sizeof(CFArrayRef);
      if (q.mData) {
        // The array owns its strings: the host's release of the array frees them too.
        CFMutableArrayRef texts =
            CFArrayCreateMutable(kCFAllocatorDefault, n, &kCFTypeArrayCallBacks);
        for (int i = 0; i < n; ++i) {
          CFStringRef text = MakeCFString(param->GetDisplayText(i));
          CFArrayAppendValue(texts, text);
          CFRelease(text);
        }
        *static_cast<CFArrayRef*>(q.mData) = texts;
      }
      return noErr;
    }

    case kAudioUnitProperty_ParameterStringFromValue: {
      *q.mSize = sizeof(AudioUnitParameterStringFromValue);
      if (!q.Global() || !q.mData) return noErr;
      AudioUnitParameterStringFromValue* rec =
          static_cast<AudioUnitParameterStringFromValue*>(q.mData);
      IParam* param = GetParamByID(rec->inParamID);
      if (!param) return kUnknownParameter;
      const double v = rec->inValue ? *rec->inValue : param->Value();
      rec->outString = MakeCFString(param->GetDisplayText(TruncToInt(v)));
      return noErr;
    }

    case kAudioUnitProperty_ParameterIDName: {
      *q.mSize = sizeof(AudioUnitParameterIDName);
      if (!q.Global() || !q.mData) return noErr;
      AudioUnitParameterIDName* rec = static_cast<AudioUnitParameterIDName*>(q.mData);
      IParam* param = GetParamByID(rec->inID);
      if (!param) return kUnknownParameter;
      char name[kParamTextSize];
      CopyTextField(name, param->GetNameForHost(), sizeof(name));
      // Any negative length asks for the whole name.
      if (rec->inDesiredLength >= 0 && rec->inDesiredLength < kParamTextSize - 1)
        name[rec->inDesiredLength] = '\0';
      rec->outName = MakeCFString(name);
      return noErr;
    }

    case kAudioUnitProperty_ParameterValueFromString: {
      *q.mSize = sizeof(AudioUnitParameterValueFromString);
      if (!q.Global() || !q.mData) return noErr;
      AudioUnitParameterValueFromString* rec =
          static_cast<AudioUnitParameterValueFromString*>(q.mData);
      IParam* param = GetParamByID(rec->inParamID);
      if (!param) return kUnknownParameter;
      Core_TypedBuf<char> text(4096);
      int value = 0;
      if (CopyCFStringUTF8(rec->inString, &text) && param->MapDisplayText(text.Get(), &value))
        rec->outValue = static_cast<AudioUnitParameterValue>(value);
      return noErr;
    }

    default:
      return kAudioUnitErr_InvalidProperty;
  }
}

// The saved state, the factory presets and the current preset.
ComponentResult IPluginAU::GetStateProperty(const PropertyQuery& q) {
  switch (q.mID) {
    case kAudioUnitProperty_ClassInfo:
      *q.mSize = sizeof(CFPropertyListRef);
      *q.mWriteable = true;
      if (q.mData) return GetState(static_cast<CFPropertyListRef*>(q.mData));
      return noErr;

    case kAudioUnitProperty_FactoryPresets:
      *q.mSize = sizeof(CFArrayRef);
      if (q.mData) *static_cast<CFArrayRef*>(q.mData) = CopyFactoryPresets(*this);
      return noErr;

    case kAudioUnitProperty_CurrentPreset:
    case kAudioUnitProperty_PresentPreset:
      *q.mSize = sizeof(AUPreset);
      *q.mWriteable = true;
      if (q.mData) {
        AUPreset* preset = static_cast<AUPreset*>(q.mData);
        preset->presetNumber = mActivePreset;
        preset->presetName = MakeCFString(GetPresetName(mActivePreset));
      }
      return noErr;

    default:
      return kAudioUnitErr_InvalidProperty;
  }
}

// The editor's views: the Carbon view component and the Cocoa view factory.
ComponentResult IPluginAU::GetViewProperty(const PropertyQuery& q) {
  switch (q.mID) {
    case kAudioUnitProperty_GetUIComponentList:
      if (!mEditor) return kAudioUnitErr_InvalidProperty;
      *q.mSize = sizeof(ComponentDescription);
      if (q.mData) {
        ComponentDescription* cd = static_cast<ComponentDescription*>(q.mData);
        cd->componentType = kAudioUnitCarbonViewComponentType;
        cd->componentSubType = static_cast<OSType>(mPlugCode);
        cd->componentManufacturer = static_cast<OSType>(mMakerCode);
        cd->componentFlags = 0;
        cd->componentFlagsMask = 0;
      }
      return noErr;

    case kAudioUnitProperty_CocoaUI: {
      if (!mEditor || SystemVersion() < kFirstCocoaViewSystem) return kAudioUnitErr_InvalidProperty;
      *q.mSize = sizeof(AudioUnitCocoaViewInfo);
      if (q.mData) {
        AudioUnitCocoaViewInfo* info = static_cast<AudioUnitCocoaViewInfo*>(q.mData);
        info->mCocoaAUViewBundleLocation = nullptr;
        const bool known = mBundleIdentifier.GetLength() > 0 && mViewFactoryClass.GetLength() > 0;
        if (known) {
          CFStringRef id = MakeCFString(mBundleIdentifier.Get());
          CFBundleRef bundle = CFBundleGetBundleWithIdentifier(id);
          CFRelease(id);
          if (bundle) info->mCocoaAUViewBundleLocation = CFBundleCopyBundleURL(bundle);
        }
        info->mCocoaAUViewClass[0] = MakeCFString(known ? mViewFactoryClass.Get() : "");
      }
      return noErr;
    }

    default:
      return kAudioUnitErr_InvalidProperty;
  }
}

ComponentResult IPluginAU::SetProperty(AudioUnitPropertyID propID, AudioUnitScope scope,
                                       AudioUnitElement element, UInt32, const void* pData) {
  Trace(TRACELOC, "(%u:%s):(%u:%s):%u", propID, AUPropertyStr(propID), scope, AUScopeStr(scope),
        element);
  // Listeners hear of every set before it takes effect, also of sets that are refused.
  InformListeners(propID, scope);

  switch (propID) {
    case kAudioUnitProperty_ClassInfo:
      if (!pData) return kAudioUnitErr_InvalidPropertyValue;
      return SetState(*static_cast<const CFPropertyListRef*>(pData));

    case kAudioUnitProperty_MakeConnection:
      if (scope != kAudioUnitScope_Global && scope != kAudioUnitScope_Input)
        return kAudioUnitErr_InvalidProperty;
      if (!pData) return kAudioUnitErr_InvalidPropertyValue;
      return MakeConnection(static_cast<const AudioUnitConnection*>(pData));

    case kAudioUnitProperty_SampleRate:
      if (!pData) return kAudioUnitErr_InvalidPropertyValue;
      SetSampleRate(*static_cast<const Float64*>(pData));
      Reset();
      return noErr;

    case kAudioUnitProperty_StreamFormat:
      if (!pData) return kAudioUnitErr_InvalidPropertyValue;
      return SetStreamFormat(scope, element,
                             static_cast<const AudioStreamBasicDescription*>(pData));

    case kAudioUnitProperty_MaximumFramesPerSlice: {
      if (!pData) return kAudioUnitErr_InvalidPropertyValue;
      const UInt32 frames = *static_cast<const UInt32*>(pData);
      SetBlockSize(frames > static_cast<UInt32>(INT_MAX) ? 0 : static_cast<int>(frames));
      Reset();
      return noErr;
    }

    case kAudioUnitProperty_BypassEffect:
      if (!pData) return kAudioUnitErr_InvalidPropertyValue;
      mBypass = *static_cast<const UInt32*>(pData) != 0;
      Reset();
      return noErr;

    case kAudioUnitProperty_SetRenderCallback: {
      if (scope != kAudioUnitScope_Input || element >= static_cast<UInt32>(mInputBuses.GetSize()))
        return kAudioUnitErr_InvalidProperty;
      if (!pData) return kAudioUnitErr_InvalidPropertyValue;
      InputBusConnection* conn = mInputConnections.Get(static_cast<int>(element));
      memset(conn, 0, sizeof(*conn));
      const AURenderCallbackStruct* cb = static_cast<const AURenderCallbackStruct*>(pData);
      if (cb->inputProc) conn->mHostCallback = *cb;
      AssessInputConnections();
      return noErr;
    }

    case kAudioUnitProperty_HostCallbacks: {
      if (scope != kAudioUnitScope_Global) return kAudioUnitErr_InvalidProperty;
      if (!pData) return kAudioUnitErr_InvalidPropertyValue;
      // The first four words: user data and the beat-and-tempo, musical-time-location and
      // transport-state procedures.
      const HostCallbackInfo* info = static_cast<const HostCallbackInfo*>(pData);
      mHostTransport.hostUserData = info->hostUserData;
      mHostTransport.beatAndTempoProc = info->beatAndTempoProc;
      mHostTransport.musicalTimeLocationProc = info->musicalTimeLocationProc;
      mHostTransport.transportStateProc = info->transportStateProc;
      return noErr;
    }

    case kAudioUnitProperty_CurrentPreset:
    case kAudioUnitProperty_PresentPreset:
      if (!pData) return kAudioUnitErr_InvalidPropertyValue;
      RestorePreset(static_cast<int>(static_cast<const AUPreset*>(pData)->presetNumber));
      return noErr;

    default:
      return kAudioUnitErr_InvalidProperty;
  }
}

ComponentResult IPluginAU::SetStreamFormat(AudioUnitScope scope, AudioUnitElement element,
                                           const AudioStreamBasicDescription* pASBD) {
  const int n = pASBD->mChannelsPerFrame > static_cast<UInt32>(INT32_MAX)
                    ? INT32_MAX
                    : static_cast<int>(pASBD->mChannelsPerFrame);
  BusChannels* bus = GetBus(scope, element);
  if (!bus) return kAudioUnitErr_InvalidProperty;
  bus->mHostChannelCount = 0;
  const bool legal = CheckLegalIO(scope, static_cast<int>(element), n);
  const bool linearPCM = pASBD->mFormatID == kAudioFormatLinearPCM;
  const bool canonical =
      (pASBD->mFormatFlags & (kAudioFormatFlagIsFloat | kAudioFormatFlagIsPacked)) != 0;
  const bool accepted = legal && n > 0 && linearPCM && canonical;
  Trace(TRACELOC, "%d:%d:%s:%s:%s", n, bus->mPlugChannelCount,
        linearPCM ? "linearPCM" : "notLinearPCM",
        canonical ? "canonicalFormat" : "notCanonicalFormat",
        legal ? "connectionOK" : "connectionNotOK");
  if (accepted) {
    bus->mHostChannelCount = n;
    if (pASBD->mSampleRate > 0.0) SetSampleRate(pASBD->mSampleRate);
  }
  AssessInputConnections();
  return accepted ? ComponentResult(noErr) : ComponentResult(kAudioUnitErr_InvalidProperty);
}

ComponentResult IPluginAU::MakeConnection(const AudioUnitConnection* pConn) {
  if (pConn->destInputNumber >= static_cast<UInt32>(mInputBuses.GetSize()))
    return kAudioUnitErr_InvalidProperty;
  InputBusConnection* conn = mInputConnections.Get(static_cast<int>(pConn->destInputNumber));
  memset(conn, 0, sizeof(*conn));

  bool ok = true;
  if (pConn->sourceAudioUnit) {
    AudioStreamBasicDescription asbd;
    UInt32 size = sizeof(asbd);
    ok = AudioUnitGetProperty(pConn->sourceAudioUnit, kAudioUnitProperty_StreamFormat,
                              kAudioUnitScope_Output, pConn->sourceOutputNumber, &asbd,
                              &size) == noErr &&
         SetProperty(kAudioUnitProperty_StreamFormat, kAudioUnitScope_Input, pConn->destInputNumber,
                     sizeof(asbd), &asbd) == noErr;
    if (ok) {
      conn->mSourceUnit = pConn->sourceAudioUnit;
      conn->mSourceOutput = pConn->sourceOutputNumber;
      AudioUnitRenderProc proc = nullptr;
      UInt32 procSize = sizeof(proc);
      if (AudioUnitGetProperty(pConn->sourceAudioUnit, kAudioUnitProperty_FastDispatch,
                               kAudioUnitScope_Global, kAudioUnitRenderSelect, &proc,
                               &procSize) == noErr &&
          proc) {
        conn->mSourceRenderProc = proc;
        conn->mSourceObject = GetComponentInstanceStorage(pConn->sourceAudioUnit);
      }
    }
  }
  AssessInputConnections();
  return ok ? ComponentResult(noErr) : ComponentResult(kAudioUnitErr_InvalidProperty);
}
