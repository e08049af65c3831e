// Saved state (the class-info dictionary), parameter get and set, notifications to the host,
// property listeners, latency and the host's transport.
#include <climits>
#include <cstring>

#include "framework/IPluginUtilities.h"
#include "framework/editor/IGraphics.h"
#include "framework/au/IPluginAU.h"
#include "framework/au/IPluginAU_CFStrings.h"

#define TRACELOC __FUNCTION__, __LINE__

namespace {

// Bytes of the saved preset name that a restore uses (the terminator not counted).
constexpr int kMaxRestoredNameBytes = 63;

void AddNumber(CFMutableDictionaryRef dict, const char* key, SInt32 value) {
  CFStringRef k = MakeCFString(key);
  CFNumberRef v = CFNumberCreate(kCFAllocatorDefault, kCFNumberSInt32Type, &value);
  CFDictionaryAddValue(dict, k, v);
  CFRelease(k);
  CFRelease(v);
}

// The value under key when it has the expected type, else null.
CFTypeRef GetTyped(CFDictionaryRef dict, const char* key, CFTypeID type) {
  CFStringRef k = MakeCFString(key);
  CFTypeRef v = CFDictionaryGetValue(dict, k);
  CFRelease(k);
  return v && CFGetTypeID(v) == type ? v : nullptr;
}

bool GetNumber(CFDictionaryRef dict, const char* key, SInt32* pValue) {
  CFNumberRef n = static_cast<CFNumberRef>(GetTyped(dict, key, CFNumberGetTypeID()));
  return n && CFNumberGetValue(n, kCFNumberSInt32Type, pValue);
}

// The string's UTF-8 text cut to at most maxBytes bytes, never inside a character.
bool GetCutName(CFStringRef str, char* name, int maxBytes) {
  Core_TypedBuf<char> text(4096);
  if (!CopyCFStringUTF8(str, &text)) return false;
  int len = static_cast<int>(strlen(text.Get()));
  if (len > maxBytes) {
    len = maxBytes;
    // Step back over continuation bytes so the cut keeps whole characters.
    while (len > 0 && (static_cast<unsigned char>(text.Get()[len]) & 0xC0) == 0x80) --len;
  }
  memcpy(name, text.Get(), static_cast<size_t>(len));
  name[len] = '\0';
  return true;
}

}  // namespace

ComponentResult IPluginAU::GetState(CFPropertyListRef* ppPropList) {
  Trace(TRACELOC, "%s", GetPresetName(mActivePreset));
  ComponentDescription cd;
  OSErr err =
      GetComponentInfo(reinterpret_cast<Component>(mComponent), &cd, nullptr, nullptr, nullptr);
  if (err != noErr) return err;

  CFMutableDictionaryRef dict = CFDictionaryCreateMutable(
      kCFAllocatorDefault, 0, &kCFTypeDictionaryKeyCallBacks, &kCFTypeDictionaryValueCallBacks);
  AddNumber(dict, kAUPresetVersionKey, GetEffectVersion(false));
  AddNumber(dict, kAUPresetTypeKey, static_cast<SInt32>(cd.componentType));
  AddNumber(dict, kAUPresetSubtypeKey, static_cast<SInt32>(cd.componentSubType));
  AddNumber(dict, kAUPresetManufacturerKey, static_cast<SInt32>(cd.componentManufacturer));
  CFStringRef nameKey = MakeCFString(kAUPresetNameKey);
  CFStringRef name = MakeCFString(GetPresetName(mActivePreset));
  CFDictionaryAddValue(dict, nameKey, name);
  CFRelease(nameKey);
  CFRelease(name);

  ByteChunk chunk;
  const bool serialized = mOwnStateFormat ? SerializeState(&chunk) : SerializeParams(&chunk);
  if (serialized) {
    CFStringRef dataKey = MakeCFString(kAUPresetDataKey);
    CFDataRef data = CFDataCreate(kCFAllocatorDefault, chunk.Data(), chunk.Size());
    CFDictionaryAddValue(dict, dataKey, data);
    CFRelease(dataKey);
    CFRelease(data);
  }
  *ppPropList = dict;
  return noErr;
}

ComponentResult IPluginAU::SetState(CFPropertyListRef pPropList) {
  Trace(TRACELOC, "%p", pPropList);
  ComponentDescription cd;
  OSErr err =
      GetComponentInfo(reinterpret_cast<Component>(mComponent), &cd, nullptr, nullptr, nullptr);
  if (err != noErr) return err;
  if (!pPropList || CFGetTypeID(pPropList) != CFDictionaryGetTypeID())
    return kAudioUnitErr_InvalidPropertyValue;
  CFDictionaryRef dict = static_cast<CFDictionaryRef>(pPropList);

  // Keys of the wrong type count as missing.
  SInt32 version, type, subtype, manufacturer;
  if (!GetNumber(dict, kAUPresetVersionKey, &version) ||
      !GetNumber(dict, kAUPresetTypeKey, &type) ||
      !GetNumber(dict, kAUPresetSubtypeKey, &subtype) ||
      !GetNumber(dict, kAUPresetManufacturerKey, &manufacturer))
    return kAudioUnitErr_InvalidPropertyValue;
  CFStringRef nameStr =
      static_cast<CFStringRef>(GetTyped(dict, kAUPresetNameKey, CFStringGetTypeID()));
  char name[kMaxRestoredNameBytes + 1];
  if (!nameStr || !GetCutName(nameStr, name, kMaxRestoredNameBytes))
    return kAudioUnitErr_InvalidPropertyValue;

  if (static_cast<OSType>(type) != cd.componentType ||
      static_cast<OSType>(subtype) != cd.componentSubType ||
      static_cast<OSType>(manufacturer) != cd.componentManufacturer)
    return kAudioUnitErr_InvalidPropertyValue;

  RestorePreset(name);

  CFDataRef data = static_cast<CFDataRef>(GetTyped(dict, kAUPresetDataKey, CFDataGetTypeID()));
  if (!data) return kAudioUnitErr_InvalidPropertyValue;
  ByteChunk chunk;
  const CFIndex length = CFDataGetLength(data);
  if (length > 0) {
    if (length > INT_MAX || chunk.AppendBytes(CFDataGetBytePtr(data), static_cast<int>(length)) !=
                                static_cast<int>(length))
      return kAudioUnitErr_InvalidPropertyValue;
  }
  const int pos = mOwnStateFormat ? UnserializeState(&chunk, 0) : UnserializeParams(&chunk, 0);
  if (pos == 0) return kAudioUnitErr_InvalidPropertyValue;
  RedrawParamControls();
  return noErr;
}

ComponentResult IPluginAU::GetParamProc(void* pPlug, AudioUnitParameterID paramID,
                                        AudioUnitScope scope, AudioUnitElement,
                                        AudioUnitParameterValue* pValue) {
  IPluginAU* plug = static_cast<IPluginAU*>(pPlug);
  if (scope != kAudioUnitScope_Global) return kAudioUnitErr_InvalidProperty;
  if (!plug || !pValue) return paramErr;
  Core_MutexLock lock(&plug->mPlugLock);
  const IParam* param = plug->GetParamByID(paramID);
  if (!param) return kAudioUnitErr_InvalidElement;
  *pValue = static_cast<AudioUnitParameterValue>(param->Value());
  return noErr;
}

ComponentResult IPluginAU::SetParamProc(void* pPlug, AudioUnitParameterID paramID,
                                        AudioUnitScope scope, AudioUnitElement,
                                        AudioUnitParameterValue value, UInt32) {
  IPluginAU* plug = static_cast<IPluginAU*>(pPlug);
  if (!plug) return paramErr;
  Trace(TRACELOC, "%u:(%u:%s):%f", paramID, scope, AUScopeStr(scope), value);
  if (scope != kAudioUnitScope_Global) return kAudioUnitErr_InvalidProperty;
  Core_MutexLock lock(&plug->mPlugLock);
  IParam* param = plug->GetParamByID(paramID);
  if (!param) return kAudioUnitErr_InvalidParameter;
  const int idx = static_cast<int>(paramID);
  // The change applies at once; the buffer offset is not honoured.
  param->Set(value);
  if (plug->mEditor) plug->mEditor->SetParameterFromPlug(idx, value, false);
  plug->OnParamChange(idx);
  return noErr;
}

void SendAUEvent(AudioUnitEventType type, ComponentInstance ci, int paramIdx) {
  AudioUnitEvent event;
  memset(&event, 0, sizeof(event));
  event.mEventType = type;
  event.mArgument.mParameter.mAudioUnit = ci;
  event.mArgument.mParameter.mParameterID = static_cast<AudioUnitParameterID>(paramIdx);
  event.mArgument.mParameter.mScope = kAudioUnitScope_Global;
  event.mArgument.mParameter.mElement = 0;
  AUEventListenerNotify(nullptr, nullptr, &event);
}

void IPluginAU::BeginInformHostOfParamChange(int paramIdx) {
  Trace(TRACELOC, "%d", paramIdx);
  SendAUEvent(kAudioUnitEvent_BeginParameterChangeGesture, mComponent, paramIdx);
}

void IPluginAU::InformHostOfParamChange(int paramIdx, double normalizedValue) {
  Trace(TRACELOC, "%d:%f", paramIdx, normalizedValue);
  // The host reads the new value back with get-parameter.
  SendAUEvent(kAudioUnitEvent_ParameterValueChange, mComponent, paramIdx);
}

void IPluginAU::EndInformHostOfParamChange(int paramIdx) {
  Trace(TRACELOC, "%d", paramIdx);
  SendAUEvent(kAudioUnitEvent_EndParameterChangeGesture, mComponent, paramIdx);
}

void IPluginAU::AddPropertyListener(AudioUnitPropertyID propID, AudioUnitPropertyListenerProc proc,
                                    void* userData) {
  for (int i = 0; i < mPropertyListeners.GetSize(); ++i) {
    const PropertyListener* rec = mPropertyListeners.Get(i);
    if (rec->mWatchedProperty == propID && rec->mNotifyProc == proc) return;
  }
  PropertyListener* rec = new PropertyListener{propID, proc, userData};
  if (!mPropertyListeners.Add(rec)) delete rec;
}

void IPluginAU::RemovePropertyListener(AudioUnitPropertyID propID,
                                       AudioUnitPropertyListenerProc proc, bool matchUserData,
                                       void* userData) {
  for (int i = 0; i < mPropertyListeners.GetSize(); ++i) {
    const PropertyListener* rec = mPropertyListeners.Get(i);
    if (rec->mWatchedProperty == propID && rec->mNotifyProc == proc &&
        (!matchUserData || rec->mNotifyUserData == userData)) {
      mPropertyListeners.Delete(i, true);
      return;
    }
  }
}

void IPluginAU::InformListeners(AudioUnitPropertyID propID, AudioUnitScope scope) {
  // A listener may add or remove listeners while it is called: read each record afresh.
  for (int i = 0; i < mPropertyListeners.GetSize(); ++i) {
    const PropertyListener* rec = mPropertyListeners.Get(i);
    if (rec->mWatchedProperty != propID || !rec->mNotifyProc) continue;
    const AudioUnitPropertyListenerProc proc = rec->mNotifyProc;
    proc(rec->mNotifyUserData, mComponent, propID, scope, 0);
  }
}

void IPluginAU::SetLatency(int samples) {
  Core_MutexLock lock(&mPlugLock);
  // Listeners are told before the change: one that reads the latency still sees the old value.
  InformListeners(kAudioUnitProperty_Latency, kAudioUnitScope_Global);
  IPluginBase::SetLatency(samples);
}

double IPluginAU::GetTempo() {
  if (mHostTransport.beatAndTempoProc) {
    Float64 beat = 0.0, tempo = 0.0;
    mHostTransport.beatAndTempoProc(mHostTransport.hostUserData, &beat, &tempo);
    if (tempo > 0.0) mLastTempo = tempo;
  }
  return mLastTempo;
}

void IPluginAU::GetTimeSig(int* pNum, int* pDenom) {
  if (!mHostTransport.musicalTimeLocationProc) return;
  UInt32 deltaToNextBeat = 0, denom = 0;
  Float32 num = 0.0f;
  Float64 downBeat = 0.0;
  mHostTransport.musicalTimeLocationProc(mHostTransport.hostUserData, &deltaToNextBeat, &num,
                                         &denom, &downBeat);
  if (pNum) *pNum = TruncToInt(num);
  if (pDenom) *pDenom = static_cast<int>(denom);
}

int IPluginAU::GetSamplePos() {
  if (!mHostTransport.transportStateProc) return 0;
  Boolean playing = false, changed = false, cycling = false;
  Float64 sample = 0.0, cycleStart = 0.0, cycleEnd = 0.0;
  mHostTransport.transportStateProc(mHostTransport.hostUserData, &playing, &changed, &sample,
                                    &cycling, &cycleStart, &cycleEnd);
  return TruncToInt(sample);
}
