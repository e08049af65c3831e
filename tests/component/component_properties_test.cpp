// Every property the unit answers: get-info (size, writability, refusals), get and set.
#include <AudioToolbox/AudioUnitUtilities.h>

#include "tests/component/ComponentFixture.h"

using namespace component_test;

namespace {

constexpr AudioUnitScope G = kAudioUnitScope_Global, I = kAudioUnitScope_Input,
                         O = kAudioUnitScope_Output;
constexpr OSStatus kRefused = kAudioUnitErr_InvalidProperty;

struct InfoRow {
  AudioUnitPropertyID id;
  AudioUnitScope scope;
  AudioUnitElement element;
  OSStatus result;
  UInt32 size;  // 12345: left as the host passed it
  bool writable;
};

// Sizes are those of the records on this build.
const InfoRow kInfoRows[] = {
    {kAudioUnitProperty_ClassInfo, O, 0, noErr, sizeof(CFPropertyListRef), true},
    {kAudioUnitProperty_MakeConnection, G, 0, noErr, sizeof(AudioUnitConnection), true},
    {kAudioUnitProperty_MakeConnection, I, 0, noErr, sizeof(AudioUnitConnection), true},
    {kAudioUnitProperty_MakeConnection, O, 0, kRefused, 12345, false},
    {kAudioUnitProperty_SampleRate, I, 0, noErr, 8, true},
    {kAudioUnitProperty_ParameterList, G, 0, noErr, 40, false},
    {kAudioUnitProperty_ParameterList, I, 0, noErr, 0, false},
    {kAudioUnitProperty_ParameterInfo, G, 9, noErr, sizeof(AudioUnitParameterInfo), false},
    {kAudioUnitProperty_ParameterInfo, G, 10, kRefused, sizeof(AudioUnitParameterInfo), false},
    {kAudioUnitProperty_ParameterInfo, I, 0, kRefused, 12345, false},
    {kAudioUnitProperty_FastDispatch, G, kAudioUnitRenderSelect, noErr, sizeof(void*), false},
    {kAudioUnitProperty_FastDispatch, G, 1, kAudioUnitErr_InvalidElement, 12345, false},
    {kAudioUnitProperty_StreamFormat, I, 0, noErr, 40, true},
    {kAudioUnitProperty_StreamFormat, O, 0, noErr, 40, true},
    {kAudioUnitProperty_StreamFormat, G, 0, noErr, 40, true},
    {kAudioUnitProperty_StreamFormat, I, 1, kRefused, 12345, false},
    {kAudioUnitProperty_StreamFormat, 3, 0, kRefused, 12345, false},
    {kAudioUnitProperty_ElementCount, 3, 0, noErr, 4, false},
    {kAudioUnitProperty_Latency, G, 0, noErr, 8, false},
    {kAudioUnitProperty_Latency, I, 0, kRefused, 12345, false},
    {kAudioUnitProperty_SupportedNumChannels, G, 0, noErr, 2 * sizeof(AUChannelInfo), false},
    {kAudioUnitProperty_SupportedNumChannels, O, 0, kRefused, 12345, false},
    {kAudioUnitProperty_MaximumFramesPerSlice, G, 0, noErr, 4, true},
    {kAudioUnitProperty_MaximumFramesPerSlice, I, 0, kRefused, 12345, false},
    {kAudioUnitProperty_ParameterValueStrings, G, 0, noErr, sizeof(CFArrayRef), false},
    {kAudioUnitProperty_ParameterValueStrings, G, 2, kRefused, 0, false},
    {kAudioUnitProperty_ParameterValueStrings, G, 10, kRefused, 12345, false},
    {kAudioUnitProperty_ParameterValueStrings, I, 0, kRefused, 12345, false},
    {kAudioUnitProperty_GetUIComponentList, O, 0, noErr, sizeof(ComponentDescription), false},
    {kAudioUnitProperty_TailTime, G, 0, noErr, 8, false},
    {kAudioUnitProperty_TailTime, O, 0, kRefused, 12345, false},
    {kAudioUnitProperty_BypassEffect, G, 0, noErr, 4, true},
    {kAudioUnitProperty_BypassEffect, I, 0, kRefused, 12345, false},
    {kAudioUnitProperty_LastRenderError, G, 0, noErr, 4, false},
    {kAudioUnitProperty_LastRenderError, O, 0, kRefused, 12345, false},
    {kAudioUnitProperty_SetRenderCallback, I, 0, noErr, sizeof(AURenderCallbackStruct), true},
    {kAudioUnitProperty_SetRenderCallback, G, 0, noErr, sizeof(AURenderCallbackStruct), true},
    {kAudioUnitProperty_SetRenderCallback, I, 1, kRefused, 12345, false},
    {kAudioUnitProperty_SetRenderCallback, O, 0, kRefused, 12345, false},
    {kAudioUnitProperty_FactoryPresets, I, 0, noErr, sizeof(CFArrayRef), false},
    {kAudioUnitProperty_HostCallbacks, G, 0, noErr, sizeof(HostCallbackInfo), true},
    {kAudioUnitProperty_HostCallbacks, I, 0, kRefused, 12345, false},
    {kAudioUnitProperty_CurrentPreset, O, 0, noErr, sizeof(AUPreset), true},
    {kAudioUnitProperty_PresentPreset, G, 0, noErr, sizeof(AUPreset), true},
    {kAudioUnitProperty_CocoaUI, I, 0, noErr, sizeof(AudioUnitCocoaViewInfo), false},
    {kAudioUnitProperty_ParameterStringFromValue, G, 0, noErr,
     sizeof(AudioUnitParameterStringFromValue), false},
    {kAudioUnitProperty_ParameterStringFromValue, I, 0, noErr,
     sizeof(AudioUnitParameterStringFromValue), false},
    {kAudioUnitProperty_ParameterIDName, G, 0, noErr, sizeof(AudioUnitParameterIDName), false},
    {kAudioUnitProperty_ParameterValueFromString, G, 0, noErr,
     sizeof(AudioUnitParameterValueFromString), false},
    {kMusicDeviceProperty_InstrumentCount, G, 0, kRefused, 12345, false},  // not an instrument
    {kAudioUnitProperty_CPULoad, G, 0, kRefused, 12345, false},
    {kAudioUnitProperty_RenderQuality, G, 0, kRefused, 12345, false},
};

template <class T>
T Get(AudioUnit unit, AudioUnitPropertyID id, AudioUnitScope scope, AudioUnitElement el = 0,
      OSStatus expect = noErr) {
  T value{};
  UInt32 size = sizeof(T);
  EXPECT_EQ(expect, AudioUnitGetProperty(unit, id, scope, el, &value, &size)) << id;
  return value;
}

template <class T>
OSStatus Set(AudioUnit unit, AudioUnitPropertyID id, AudioUnitScope scope, const T& value,
             AudioUnitElement el = 0) {
  return AudioUnitSetProperty(unit, id, scope, el, &value, sizeof(T));
}

}  // namespace

TEST_F(EqUnit, GetInfoReportsSizeWritabilityAndRefusalsForEveryRow) {
  for (const InfoRow& row : kInfoRows) {
    UInt32 size = 12345;
    Boolean writable = true;
    const OSStatus r =
        AudioUnitGetPropertyInfo(unit, row.id, row.scope, row.element, &size, &writable);
    EXPECT_EQ(row.result, r) << "property " << row.id << " scope " << row.scope;
    EXPECT_EQ(row.size, size) << "property " << row.id << " scope " << row.scope;
    EXPECT_EQ(row.writable, writable != 0) << "property " << row.id;
  }
  // Null out-pointers are allowed.
  EXPECT_EQ(noErr,
            AudioUnitGetPropertyInfo(unit, kAudioUnitProperty_SampleRate, G, 0, nullptr, nullptr));
}

TEST_F(EqUnit, ParametersReportNamesRangesDefaultsAndUnits) {
  struct Expect {
    const char* name;
    AudioUnitParameterUnit unit;
    float min, max, def;
  };
  const Expect rows[10] = {{"HPF", kAudioUnitParameterUnit_Indexed, 0, 5, 0},
                           {"LoShelf Freq", kAudioUnitParameterUnit_Indexed, 0, 3, 0},
                           {"LoShelf Level", kAudioUnitParameterUnit_CustomUnit, -20, 20, 0},
                           {"MF 1 Freq", kAudioUnitParameterUnit_Indexed, 0, 5, 2},
                           {"MF Level 1", kAudioUnitParameterUnit_CustomUnit, -20, 20, 0},
                           {"MF 2 Freq", kAudioUnitParameterUnit_Indexed, 0, 6, 3},
                           {"MF Level 2", kAudioUnitParameterUnit_CustomUnit, -20, 20, 0},
                           {"HiShelf Level", kAudioUnitParameterUnit_CustomUnit, -20, 20, 0},
                           {"Gain", kAudioUnitParameterUnit_CustomUnit, -20, 10, 0},
                           {"Oversample", kAudioUnitParameterUnit_Indexed, 0, 1, 0}};
  UInt32 ids[10] = {};
  UInt32 size = sizeof(ids);
  ASSERT_EQ(noErr, AudioUnitGetProperty(unit, kAudioUnitProperty_ParameterList, G, 0, ids, &size));
  for (UInt32 p = 0; p < 10; ++p) {
    EXPECT_EQ(p, ids[p]);
    AudioUnitParameterInfo info =
        Get<AudioUnitParameterInfo>(unit, kAudioUnitProperty_ParameterInfo, G, p);
    EXPECT_STREQ(rows[p].name, info.name);
    EXPECT_EQ(rows[p].name, CFText(info.cfNameString));
    EXPECT_EQ(0xC8000010u, info.flags);
    EXPECT_EQ(rows[p].unit, info.unit) << p;
    EXPECT_EQ(rows[p].min, info.minValue);
    EXPECT_EQ(rows[p].max, info.maxValue);
    EXPECT_EQ(rows[p].def, info.defaultValue);
    if (info.unit == kAudioUnitParameterUnit_CustomUnit)
      EXPECT_EQ("dB", CFText(info.unitName));
    else
      EXPECT_EQ(nullptr, info.unitName);
    CFRelease(info.cfNameString);
    if (info.unitName) CFRelease(info.unitName);
  }
  // The "default" is the value at the time of the query.
  ASSERT_EQ(noErr, AudioUnitSetParameter(unit, 8, G, 0, 2.5f, 0));
  AudioUnitParameterInfo gain =
      Get<AudioUnitParameterInfo>(unit, kAudioUnitProperty_ParameterInfo, G, 8);
  EXPECT_EQ(2.5f, gain.defaultValue);
  CFRelease(gain.cfNameString);
  CFRelease(gain.unitName);
}

TEST_F(EqUnit, EnumeratedParametersListTheirDisplayTexts) {
  const std::vector<std::vector<std::string>> texts = {
      {"Off", "30 Hz", "50 Hz", "80 Hz", "160 Hz", "300 Hz"},
      {"35 Hz", "60 Hz", "110 Hz", "220 Hz"},
      {},
      {"150 Hz", "180 Hz", "240 Hz", "400 Hz", "820 Hz", "1200 Hz"},
      {},
      {"220 Hz", "315 Hz", "640 Hz", "2500 Hz", "3150 Hz", "6000 Hz", "8000 Hz"},
      {},
      {},
      {},
      {"Off", "On"}};
  for (UInt32 p = 0; p < 10; ++p) {
    CFArrayRef strings = nullptr;
    UInt32 size = sizeof(strings);
    OSStatus r =
        AudioUnitGetProperty(unit, kAudioUnitProperty_ParameterValueStrings, G, p, &strings, &size);
    if (texts[p].empty()) {
      EXPECT_EQ(kRefused, r);
      EXPECT_EQ(0u, size);
      continue;
    }
    ASSERT_EQ(noErr, r);
    ASSERT_EQ(static_cast<CFIndex>(texts[p].size()), CFArrayGetCount(strings));
    for (size_t i = 0; i < texts[p].size(); ++i)
      EXPECT_EQ(texts[p][i], CFText(static_cast<CFStringRef>(CFArrayGetValueAtIndex(strings, i))));
    CFRelease(strings);
  }
}

TEST_F(EqUnit, ValueTextsAndNamesConvertBothWays) {
  AudioUnitParameterStringFromValue s = {3, nullptr, nullptr};
  ASSERT_EQ(noErr, AudioUnitGetProperty(unit, kAudioUnitProperty_ParameterStringFromValue, G, 0, &s,
                                        nullptr));
  EXPECT_EQ("240 Hz", CFText(s.outString));  // the current value
  CFRelease(s.outString);
  const AudioUnitParameterValue step = 3.9f;
  s = {5, &step, nullptr};
  ASSERT_EQ(noErr, AudioUnitGetProperty(unit, kAudioUnitProperty_ParameterStringFromValue, G, 0, &s,
                                        nullptr));
  EXPECT_EQ("2500 Hz", CFText(s.outString));  // the integer part picks the text
  CFRelease(s.outString);

  AudioUnitParameterValueFromString v = {0, CFSTR("160 Hz"), -1.0f};
  ASSERT_EQ(noErr, AudioUnitGetProperty(unit, kAudioUnitProperty_ParameterValueFromString, G, 0, &v,
                                        nullptr));
  EXPECT_EQ(4.0f, v.outValue);
  v = {0, CFSTR("170 Hz"), -1.0f};
  ASSERT_EQ(noErr, AudioUnitGetProperty(unit, kAudioUnitProperty_ParameterValueFromString, G, 0, &v,
                                        nullptr));
  EXPECT_EQ(-1.0f, v.outValue);  // unknown text: left as it was

  AudioUnitParameterIDName n = {1, 4, nullptr};
  ASSERT_EQ(noErr,
            AudioUnitGetProperty(unit, kAudioUnitProperty_ParameterIDName, G, 0, &n, nullptr));
  EXPECT_EQ("LoSh", CFText(n.outName));
  CFRelease(n.outName);
  n = {1, kAudioUnitParameterName_Full, nullptr};
  ASSERT_EQ(noErr,
            AudioUnitGetProperty(unit, kAudioUnitProperty_ParameterIDName, G, 0, &n, nullptr));
  EXPECT_EQ("LoShelf Freq", CFText(n.outName));
  CFRelease(n.outName);

  // Unknown parameters are refused and the record is left alone.
  n = {10, 4, nullptr};
  EXPECT_EQ(kRefused,
            AudioUnitGetProperty(unit, kAudioUnitProperty_ParameterIDName, G, 0, &n, nullptr));
  EXPECT_EQ(nullptr, n.outName);
  s = {10, nullptr, nullptr};
  EXPECT_EQ(kRefused, AudioUnitGetProperty(unit, kAudioUnitProperty_ParameterStringFromValue, G, 0,
                                           &s, nullptr));
  v = {12, CFSTR("Off"), -1.0f};
  EXPECT_EQ(kRefused, AudioUnitGetProperty(unit, kAudioUnitProperty_ParameterValueFromString, G, 0,
                                           &v, nullptr));
  EXPECT_EQ(-1.0f, v.outValue);
}

TEST_F(EqUnit, StreamFormatsReportAndAcceptFloatPCM) {
  AudioStreamBasicDescription f =
      Get<AudioStreamBasicDescription>(unit, kAudioUnitProperty_StreamFormat, I);
  EXPECT_EQ(44100.0, f.mSampleRate);
  EXPECT_EQ(kAudioFormatLinearPCM, f.mFormatID);
  EXPECT_EQ(0x29u, f.mFormatFlags);
  EXPECT_EQ(2u, f.mChannelsPerFrame);
  EXPECT_EQ(4u, f.mBytesPerFrame);
  EXPECT_EQ(32u, f.mBitsPerChannel);

  ASSERT_EQ(noErr, SetFormat(unit, O, 1, 96000.0));
  EXPECT_EQ(96000.0, Get<Float64>(unit, kAudioUnitProperty_SampleRate, G));
  EXPECT_EQ(
      1u,
      Get<AudioStreamBasicDescription>(unit, kAudioUnitProperty_StreamFormat, G).mChannelsPerFrame);

  // 16-bit packed integers carry the packed bit: accepted.
  AudioStreamBasicDescription ints = FloatFormat(1, 0.0);
  ints.mFormatFlags = kAudioFormatFlagIsSignedInteger | kAudioFormatFlagIsPacked;
  ints.mBitsPerChannel = 16;
  EXPECT_EQ(noErr, Set(unit, kAudioUnitProperty_StreamFormat, I, ints));
  AudioStreamBasicDescription aac = FloatFormat(1, 0.0);
  aac.mFormatID = kAudioFormatMPEG4AAC;
  EXPECT_EQ(kRefused, Set(unit, kAudioUnitProperty_StreamFormat, I, aac));
  AudioStreamBasicDescription noBits = FloatFormat(1, 0.0);
  noBits.mFormatFlags = kAudioFormatFlagIsNonInterleaved;
  EXPECT_EQ(kRefused, Set(unit, kAudioUnitProperty_StreamFormat, I, noBits));
  EXPECT_EQ(kRefused, Set(unit, kAudioUnitProperty_StreamFormat, I, FloatFormat(1, 0.0), 1));
}

TEST_F(EqUnit, ScalarPropertiesReadBackWhatWasSet) {
  EXPECT_EQ(noErr, Set<Float64>(unit, kAudioUnitProperty_SampleRate, G, 48000.0));
  EXPECT_EQ(48000.0, Get<Float64>(unit, kAudioUnitProperty_SampleRate, O));
  EXPECT_EQ(1024u, Get<UInt32>(unit, kAudioUnitProperty_MaximumFramesPerSlice, G));
  EXPECT_EQ(noErr, Set<UInt32>(unit, kAudioUnitProperty_MaximumFramesPerSlice, G, 4096));
  EXPECT_EQ(4096u, Get<UInt32>(unit, kAudioUnitProperty_MaximumFramesPerSlice, G));
  EXPECT_EQ(0u, Get<UInt32>(unit, kAudioUnitProperty_BypassEffect, G));
  EXPECT_EQ(noErr, Set<UInt32>(unit, kAudioUnitProperty_BypassEffect, G, 7));
  EXPECT_EQ(1u, Get<UInt32>(unit, kAudioUnitProperty_BypassEffect, G));
  EXPECT_EQ(0.0, Get<Float64>(unit, kAudioUnitProperty_Latency, G));
  ASSERT_EQ(noErr, AudioUnitSetParameter(unit, 9, G, 0, 1.0f, 0));
  EXPECT_EQ(0.0, Get<Float64>(unit, kAudioUnitProperty_Latency, G));  // also oversampled
  EXPECT_EQ(0.0, Get<Float64>(unit, kAudioUnitProperty_TailTime, G));
  EXPECT_EQ(0, Get<OSStatus>(unit, kAudioUnitProperty_LastRenderError, G));
  EXPECT_EQ(1u, Get<UInt32>(unit, kAudioUnitProperty_ElementCount, I));
  EXPECT_EQ(1u, Get<UInt32>(unit, kAudioUnitProperty_ElementCount, O));
  EXPECT_EQ(1u, Get<UInt32>(unit, kAudioUnitProperty_ElementCount, G));
  EXPECT_EQ(0u, Get<UInt32>(unit, kAudioUnitProperty_ElementCount, 3));

  AUChannelInfo io[2] = {};
  UInt32 size = sizeof(io);
  ASSERT_EQ(noErr,
            AudioUnitGetProperty(unit, kAudioUnitProperty_SupportedNumChannels, G, 0, io, &size));
  EXPECT_EQ(1, io[0].inChannels);
  EXPECT_EQ(1, io[0].outChannels);
  EXPECT_EQ(2, io[1].inChannels);
  EXPECT_EQ(2, io[1].outChannels);
}

TEST_F(EqUnit, OpenInstanceOffersExactlyTheDefaultPreset) {
  CFArrayRef presets = Get<CFArrayRef>(unit, kAudioUnitProperty_FactoryPresets, G);
  ASSERT_NE(nullptr, presets);
  ASSERT_EQ(1, CFArrayGetCount(presets));
  const AUPreset* p = static_cast<const AUPreset*>(CFArrayGetValueAtIndex(presets, 0));
  EXPECT_EQ(0, p->presetNumber);
  EXPECT_EQ("Default", CFText(p->presetName));
  CFArrayRef copy = CFArrayCreateCopy(kCFAllocatorDefault, presets);
  CFRelease(presets);  // the copy keeps the record alive
  EXPECT_EQ("Default",
            CFText(static_cast<const AUPreset*>(CFArrayGetValueAtIndex(copy, 0))->presetName));
  CFRelease(copy);

  AUPreset current = Get<AUPreset>(unit, kAudioUnitProperty_CurrentPreset, G);
  EXPECT_EQ(0, current.presetNumber);
  EXPECT_EQ("Default", CFText(current.presetName));
  CFRelease(current.presetName);
}

TEST_F(EqUnit, ViewsAreAnnouncedWithTheBundleTheFactoryClassAndTheCarbonViewComponent) {
  AudioUnitCocoaViewInfo info = {};
  UInt32 size = sizeof(info);
  ASSERT_EQ(noErr, AudioUnitGetProperty(unit, kAudioUnitProperty_CocoaUI, G, 0, &info, &size));
  ASSERT_NE(nullptr, info.mCocoaAUViewBundleLocation);
  CFURLRef expected = CFBundleCopyBundleURL(host::LoadComponentBundle(TESSOR_EQ_BUNDLE).bundle);
  EXPECT_TRUE(CFEqual(expected, info.mCocoaAUViewBundleLocation));
  EXPECT_EQ("ondrel_View", host::StringFromCF(info.mCocoaAUViewClass[0]));
  CFRelease(expected);
  CFRelease(info.mCocoaAUViewBundleLocation);
  CFRelease(info.mCocoaAUViewClass[0]);

  ComponentDescription cd = {};
  size = sizeof(cd);
  ASSERT_EQ(noErr,
            AudioUnitGetProperty(unit, kAudioUnitProperty_GetUIComponentList, G, 0, &cd, &size));
  EXPECT_EQ(host::FourCCString(cd.componentType) + host::FourCCString(cd.componentSubType) +
                host::FourCCString(cd.componentManufacturer),
            "auvw2l87Fnwd");
  EXPECT_NE(nullptr, FindNextComponent(nullptr, &cd)) << "the bundle registers the view component";
}

TEST_F(EqUnit, SetsOfReadOnlyOrUnknownPropertiesAreRefused) {
  for (AudioUnitPropertyID id : std::vector<AudioUnitPropertyID>{
           kAudioUnitProperty_ParameterList, kAudioUnitProperty_Latency,
           kAudioUnitProperty_ElementCount, kAudioUnitProperty_FactoryPresets,
           kAudioUnitProperty_TailTime, 9999u}) {
    UInt32 word = 0;
    EXPECT_EQ(kRefused, Set(unit, id, G, word)) << id;
  }
  AURenderCallbackStruct cb = {nullptr, nullptr};
  EXPECT_EQ(kRefused, Set(unit, kAudioUnitProperty_SetRenderCallback, G, cb));
  EXPECT_EQ(noErr, Set(unit, kAudioUnitProperty_SetRenderCallback, I, cb));
  EXPECT_EQ(kRefused, Set(unit, kAudioUnitProperty_SetRenderCallback, I, cb, 1));
}

// ---- Transport, gestures and latency, seen through the test plug-in ----

namespace {

enum { kLevel = 6, kTempo = 7, kSamplePos = 8, kTimeSigNum = 9, kTimeSigDen = 10 };

struct Transport {
  double tempo = 98.0;
};

OSStatus BeatAndTempo(void* user, Float64* beat, Float64* tempo) {
  *beat = 3.0;
  *tempo = static_cast<Transport*>(user)->tempo;
  return noErr;
}

OSStatus TimeLocation(void*, UInt32* delta, Float32* num, UInt32* denom, Float64* downbeat) {
  *delta = 10;
  *num = 7.9f;
  *denom = 8;
  *downbeat = 4.0;
  return noErr;
}

OSStatus TransportState(void*, Boolean* playing, Boolean* changed, Float64* sample,
                        Boolean* cycling, Float64*, Float64*) {
  *playing = true;
  *changed = false;
  *sample = 88200.75;
  *cycling = false;
  return noErr;
}

struct EventLog {
  std::vector<AudioUnitEventType> types;
  std::vector<AudioUnitParameterID> params;
};

void LogEvent(void* refCon, void*, const AudioUnitEvent* ev, UInt64, AudioUnitParameterValue) {
  EventLog* log = static_cast<EventLog*>(refCon);
  log->types.push_back(ev->mEventType);
  log->params.push_back(ev->mArgument.mParameter.mParameterID);
}

Float64 gLatencySeenByListener = -1.0;
void ReadLatency(void*, AudioUnit unit, AudioUnitPropertyID, AudioUnitScope, AudioUnitElement) {
  UInt32 size = sizeof(Float64);
  AudioUnitGetProperty(unit, kAudioUnitProperty_Latency, kAudioUnitScope_Global, 0,
                       &gLatencySeenByListener, &size);
}

}  // namespace

TEST(ComponentTransport, PluginReadsTempoTimeSignatureAndPositionFromTheHost) {
  AudioUnit unit = nullptr;
  ASSERT_EQ(noErr, host::OpenUnit(TestPlugComponent(), &unit));
  // Before the host gives callbacks: 120 and nothing else.
  ASSERT_EQ(noErr, MusicDeviceMIDIEvent(unit, 0xC0, 1, 0, 0));
  EXPECT_FLOAT_EQ(120.0f, GetParam(unit, kTempo));
  EXPECT_FLOAT_EQ(0.0f, GetParam(unit, kSamplePos));

  Transport transport;
  HostCallbackInfo cb = {};
  cb.hostUserData = &transport;
  cb.beatAndTempoProc = BeatAndTempo;
  cb.musicalTimeLocationProc = TimeLocation;
  cb.transportStateProc = TransportState;
  ASSERT_EQ(noErr,
            AudioUnitSetProperty(unit, kAudioUnitProperty_HostCallbacks, G, 0, &cb, sizeof(cb)));
  ASSERT_EQ(noErr, MusicDeviceMIDIEvent(unit, 0xC0, 1, 0, 0));
  EXPECT_FLOAT_EQ(98.0f, GetParam(unit, kTempo));
  EXPECT_FLOAT_EQ(88200.0f, GetParam(unit, kSamplePos));
  EXPECT_FLOAT_EQ(7.0f, GetParam(unit, kTimeSigNum));
  EXPECT_FLOAT_EQ(8.0f, GetParam(unit, kTimeSigDen));
  // A host that reports no tempo leaves the last one.
  transport.tempo = 0.0;
  ASSERT_EQ(noErr, MusicDeviceMIDIEvent(unit, 0xC0, 1, 0, 0));
  EXPECT_FLOAT_EQ(98.0f, GetParam(unit, kTempo));
  EXPECT_EQ(noErr, host::CloseUnit(unit));
}

TEST(ComponentNotifications, EditorGestureReachesHostEventListenersInOrder) {
  AudioUnit unit = nullptr;
  ASSERT_EQ(noErr, host::OpenUnit(TestPlugComponent(), &unit));
  EventLog log;
  AUEventListenerRef listener = nullptr;
  ASSERT_EQ(noErr, AUEventListenerCreate(LogEvent, &log, nullptr, nullptr, 0, 0, &listener));
  AudioUnitEvent ev = {};
  ev.mArgument.mParameter = {unit, kLevel, kAudioUnitScope_Global, 0};
  for (AudioUnitEventType t :
       {kAudioUnitEvent_ParameterValueChange, kAudioUnitEvent_BeginParameterChangeGesture,
        kAudioUnitEvent_EndParameterChangeGesture}) {
    ev.mEventType = t;
    ASSERT_EQ(noErr, AUEventListenerAddEventType(listener, nullptr, &ev));
  }
  ASSERT_EQ(noErr, MusicDeviceMIDIEvent(unit, 0xB0, 7, 127, 0));  // level to the top
  ASSERT_EQ(3u, log.types.size());
  EXPECT_EQ(kAudioUnitEvent_BeginParameterChangeGesture, log.types[0]);
  EXPECT_EQ(kAudioUnitEvent_ParameterValueChange, log.types[1]);
  EXPECT_EQ(kAudioUnitEvent_EndParameterChangeGesture, log.types[2]);
  EXPECT_EQ(static_cast<AudioUnitParameterID>(kLevel), log.params[1]);
  EXPECT_FLOAT_EQ(10.0f, GetParam(unit, kLevel));
  EXPECT_EQ(noErr, AUListenerDispose(listener));
  EXPECT_EQ(noErr, host::CloseUnit(unit));
}

TEST(ComponentNotifications, LatencyListenersHearBeforeTheChange) {
  AudioUnit unit = nullptr;
  ASSERT_EQ(noErr, host::OpenUnit(TestPlugComponent(), &unit));
  ASSERT_EQ(noErr, Set<Float64>(unit, kAudioUnitProperty_SampleRate, G, 48000.0));
  ASSERT_EQ(noErr,
            AudioUnitAddPropertyListener(unit, kAudioUnitProperty_Latency, ReadLatency, nullptr));
  gLatencySeenByListener = -1.0;
  ASSERT_EQ(noErr, MusicDeviceMIDIEvent(unit, 0xE0, 64, 0, 0));  // 64 samples
  EXPECT_EQ(0.0, gLatencySeenByListener);
  EXPECT_NEAR(64.0 / 48000.0, Get<Float64>(unit, kAudioUnitProperty_Latency, G), 1e-12);
  EXPECT_NEAR(64.0 / 48000.0, Get<Float64>(unit, kAudioUnitProperty_TailTime, G), 1e-12);
  EXPECT_EQ(noErr, host::CloseUnit(unit));
}
