// The Audio Unit calls reach the component's entry with the right selector, the arguments in
// the component word order and the instance's storage; instances open, close and dispatch
// safely from several threads; event listeners hear what the unit posts.
#include "tests/host/TestUnitFixture.h"

#include <AudioToolbox/AudioToolbox.h>

#include <atomic>
#include <cstring>
#include <thread>

namespace {

void ExpectCall(const TestComponentCall& c, SInt16 what, std::vector<long> words, AudioUnit unit) {
  EXPECT_EQ(what, c.what);
  EXPECT_EQ(words.size() * sizeof(long), c.paramSize) << "selector " << what;
  for (size_t i = 0; i < words.size(); ++i)
    EXPECT_EQ(words[i], c.words[i]) << "selector " << what << " word " << i;
  EXPECT_EQ(W(unit), c.words[words.size()]) << "the instance follows the arguments";
}

void NoteProc(void*, AudioUnit, AudioUnitPropertyID, AudioUnitScope, AudioUnitElement) {}
OSStatus RenderNotify(void*, AudioUnitRenderActionFlags*, const AudioTimeStamp*, UInt32, UInt32,
                      AudioBufferList*) {
  return noErr;
}

}  // namespace

TEST_F(TestUnit, OpenGivesTheInstanceItsStorageAndCloseDiscardsIt) {
  void* storage = GetComponentInstanceStorage(unit);
  ASSERT_NE(nullptr, storage);
  EXPECT_EQ(component, GetComponentFromInstance(unit));
  EXPECT_EQ(1, CountComponentInstances(component));
  ASSERT_EQ(noErr, AudioUnitInitialize(unit));
  EXPECT_EQ(storage, LastCall().storage);

  ASSERT_EQ(noErr, host::CloseUnit(unit));
  EXPECT_EQ(0, CountComponentInstances(component));
  EXPECT_EQ(badComponentInstance, AudioUnitInitialize(unit));
  EXPECT_EQ(nullptr, GetComponentInstanceStorage(unit));
  EXPECT_NE(noErr, host::CloseUnit(unit));
  unit = nullptr;
}

TEST_F(TestUnit, LifecycleAndPropertyCallsPackTheirArgumentsLastFirst) {
  UInt32 size = 0;
  Boolean writable = true;
  EXPECT_EQ(noErr, AudioUnitInitialize(unit));
  ExpectCall(LastCall(), kAudioUnitInitializeSelect, {}, unit);
  EXPECT_EQ(noErr, AudioUnitUninitialize(unit));
  ExpectCall(LastCall(), kAudioUnitUninitializeSelect, {}, unit);

  EXPECT_EQ(noErr, AudioUnitGetPropertyInfo(unit, kAudioUnitProperty_ElementCount,
                                            kAudioUnitScope_Input, 2, &size, &writable));
  ExpectCall(LastCall(), kAudioUnitGetPropertyInfoSelect,
             {W(&writable), W(&size), 2, kAudioUnitScope_Input, kAudioUnitProperty_ElementCount},
             unit);
  EXPECT_EQ(4u, size);
  EXPECT_FALSE(writable);

  UInt32 count = 0;
  size = sizeof count;
  EXPECT_EQ(noErr, AudioUnitGetProperty(unit, kAudioUnitProperty_ElementCount,
                                        kAudioUnitScope_Output, 7, &count, &size));
  ExpectCall(LastCall(), kAudioUnitGetPropertySelect,
             {W(&size), W(&count), 7, kAudioUnitScope_Output, kAudioUnitProperty_ElementCount},
             unit);
  EXPECT_EQ(1u, count);

  Float64 rate = 48000;
  EXPECT_EQ(kAudioUnitErr_InvalidProperty,
            AudioUnitSetProperty(unit, kAudioUnitProperty_SampleRate, kAudioUnitScope_Global, 0,
                                 &rate, 8));
  ExpectCall(LastCall(), kAudioUnitSetPropertySelect,
             {8, W(&rate), 0, kAudioUnitScope_Global, kAudioUnitProperty_SampleRate}, unit);

  EXPECT_EQ(noErr, AudioUnitReset(unit, kAudioUnitScope_Global, 3));
  ExpectCall(LastCall(), kAudioUnitResetSelect, {3, kAudioUnitScope_Global}, unit);
}

TEST_F(TestUnit, ListenerAndNotificationCallsPackTheirArgumentsLastFirst) {
  int data = 0;
  EXPECT_EQ(noErr, AudioUnitAddPropertyListener(unit, kAudioUnitProperty_Latency, NoteProc, &data));
  ExpectCall(LastCall(), kAudioUnitAddPropertyListenerSelect,
             {W(&data), reinterpret_cast<long>(NoteProc), kAudioUnitProperty_Latency}, unit);
  EXPECT_EQ(noErr, AudioUnitRemovePropertyListener(unit, kAudioUnitProperty_Latency, NoteProc));
  ExpectCall(LastCall(), kAudioUnitRemovePropertyListenerSelect,
             {reinterpret_cast<long>(NoteProc), kAudioUnitProperty_Latency}, unit);
  EXPECT_EQ(noErr, AudioUnitRemovePropertyListenerWithUserData(unit, kAudioUnitProperty_Latency,
                                                               NoteProc, &data));
  ExpectCall(LastCall(), kAudioUnitRemovePropertyListenerWithUserDataSelect,
             {W(&data), reinterpret_cast<long>(NoteProc), kAudioUnitProperty_Latency}, unit);
  EXPECT_EQ(noErr, AudioUnitAddRenderNotify(unit, RenderNotify, &data));
  ExpectCall(LastCall(), kAudioUnitAddRenderNotifySelect,
             {W(&data), reinterpret_cast<long>(RenderNotify)}, unit);
  EXPECT_EQ(noErr, AudioUnitRemoveRenderNotify(unit, RenderNotify, &data));
  ExpectCall(LastCall(), kAudioUnitRemoveRenderNotifySelect,
             {W(&data), reinterpret_cast<long>(RenderNotify)}, unit);
}

TEST_F(TestUnit, ParameterCallsCarryTheFloatInTheLowBytesOfItsWord) {
  EXPECT_EQ(noErr, AudioUnitSetParameter(unit, 5, kAudioUnitScope_Global, 0, 0.25f, 17));
  TestComponentCall set = LastCall();
  EXPECT_EQ(kAudioUnitSetParameterSelect, set.what);
  EXPECT_EQ(5 * sizeof(long), set.paramSize);
  EXPECT_EQ(17, set.words[0]);
  Float32 sent;
  std::memcpy(&sent, &set.words[1], sizeof sent);
  EXPECT_EQ(0.25f, sent);
  EXPECT_EQ(0, set.words[2]);
  EXPECT_EQ(kAudioUnitScope_Global, set.words[3]);
  EXPECT_EQ(5, set.words[4]);

  Float32 value = -1;
  EXPECT_EQ(noErr, AudioUnitGetParameter(unit, 5, kAudioUnitScope_Global, 0, &value));
  ExpectCall(LastCall(), kAudioUnitGetParameterSelect, {W(&value), 0, kAudioUnitScope_Global, 5},
             unit);
  EXPECT_EQ(0.25f, value);
  EXPECT_EQ(kAudioUnitErr_InvalidProperty,
            AudioUnitGetParameter(unit, 5, kAudioUnitScope_Input, 0, &value));

  AudioUnitParameterEvent events[2] = {};
  EXPECT_EQ(noErr, AudioUnitScheduleParameters(unit, events, 2));
  ExpectCall(LastCall(), kAudioUnitScheduleParametersSelect, {2, W(events)}, unit);
}

TEST_F(TestUnit, RenderPassesItsArgumentsAndTheUnitFillsTheHostBuffers) {
  float left[8] = {}, right[8] = {};
  struct {
    AudioBufferList list;
    AudioBuffer second;
  } buffers;
  buffers.list.mNumberBuffers = 2;
  buffers.list.mBuffers[0] = {1, sizeof left, left};
  buffers.second = {1, sizeof right, right};
  AudioTimeStamp ts{};
  ts.mSampleTime = 512;
  ts.mFlags = kAudioTimeStampSampleTimeValid;
  AudioUnitRenderActionFlags flags = 0;
  ASSERT_EQ(noErr, AudioUnitRender(unit, &flags, &ts, 1, 8, &buffers.list));
  ExpectCall(LastCall(), kAudioUnitRenderSelect, {W(&buffers.list), 8, 1, W(&ts), W(&flags)}, unit);
  EXPECT_EQ(1512.0f, left[0]);
  EXPECT_EQ(1519.0f, left[7]);
  EXPECT_EQ(1612.0f, right[0]);

  ts.mFlags = 0;
  EXPECT_EQ(kAudioUnitErr_InvalidPropertyValue,
            AudioUnitRender(unit, &flags, &ts, 0, 8, &buffers.list));
}

TEST_F(TestUnit, MusicDeviceCallsPackTheirArgumentsLastFirst) {
  EXPECT_EQ(noErr, MusicDeviceMIDIEvent(unit, 0x90, 60, 100, 32));
  ExpectCall(LastCall(), kMusicDeviceMIDIEventSelect, {32, 100, 60, 0x90}, unit);
  const UInt8 sysex[] = {0xF0, 0x7E, 0xF7};
  EXPECT_EQ(noErr, MusicDeviceSysEx(unit, sysex, 3));
  ExpectCall(LastCall(), kMusicDeviceSysExSelect, {3, W(sysex)}, unit);
  NoteInstanceID note = 0;
  MusicDeviceNoteParams params{2, 64.0f, 90.0f, {}};
  EXPECT_EQ(noErr, MusicDeviceStartNote(unit, 4, 9, &note, 12, &params));
  ExpectCall(LastCall(), kMusicDeviceStartNoteSelect, {W(&params), 12, W(&note), 9, 4}, unit);
  EXPECT_EQ(noErr, MusicDeviceStopNote(unit, 9, 64, 20));
  ExpectCall(LastCall(), kMusicDeviceStopNoteSelect, {20, 64, 9}, unit);
}

TEST_F(TestUnit, StandardSelectorsAnswerCanDoAndVersion) {
  EXPECT_EQ(kTestComponentVersion, GetComponentVersion(unit));
  ExpectCall(LastCall(), kComponentVersionSelect, {}, unit);
  EXPECT_EQ(1, ComponentFunctionImplemented(unit, kAudioUnitRenderSelect));
  ExpectCall(LastCall(), kComponentCanDoSelect, {kAudioUnitRenderSelect}, unit);
  EXPECT_EQ(0, ComponentFunctionImplemented(unit, kComponentOpenSelect));
  EXPECT_EQ(-1, LastCall().words[0]) << "a negative selector is sign-extended";
}

TEST_F(TestUnit, UnimplementedSelectorsAnswerBadComponentSelector) {
  ControlRef control = nullptr;
  EXPECT_EQ(badComponentSelector,
            AudioUnitCarbonViewCreate(unit, unit, nullptr, nullptr, nullptr, nullptr, &control));
  EXPECT_EQ(kAudioUnitCarbonViewCreateSelect, LastCall().what);
  EXPECT_EQ(badComponentSelector, MusicDevicePrepareInstrument(unit, 1));
}

TEST_F(TestUnit, SixtyFourInstancesOpenAndCloseFromFourThreads) {
  std::atomic<int> failures{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < 16; ++i) {
        AudioUnit u = nullptr;
        if (host::OpenUnit(component, &u) != noErr || !u) {
          ++failures;
          continue;
        }
        Float32 mine = static_cast<Float32>(t * 100 + i), back = -1;
        if (AudioUnitSetParameter(u, 1, kAudioUnitScope_Global, 0, mine, 0) != noErr ||
            AudioUnitGetParameter(u, 1, kAudioUnitScope_Global, 0, &back) != noErr || back != mine)
          ++failures;
        if (host::CloseUnit(u) != noErr) ++failures;
      }
    });
  }
  for (auto& th : threads) th.join();
  EXPECT_EQ(0, failures.load());
  EXPECT_EQ(1, CountComponentInstances(component)) << "only the fixture's unit is left open";
}

namespace {
struct Heard {
  std::vector<AudioUnitEvent> events;
  std::vector<Float32> values;
};
void Listen(void* refCon, void*, const AudioUnitEvent* event, UInt64,
            AudioUnitParameterValue value) {
  static_cast<Heard*>(refCon)->events.push_back(*event);
  static_cast<Heard*>(refCon)->values.push_back(value);
}
}  // namespace

TEST_F(TestUnit, ListenersHearGesturesThatTheUnitPostsForTheirParameter) {
  Heard heard;
  AUEventListenerRef listener = nullptr;
  ASSERT_EQ(noErr, AUEventListenerCreate(Listen, &heard, CFRunLoopGetCurrent(),
                                         kCFRunLoopDefaultMode, 0.05f, 0.05f, &listener));
  AudioUnitEvent begin{};
  begin.mEventType = kAudioUnitEvent_BeginParameterChangeGesture;
  begin.mArgument.mParameter = {unit, 3, kAudioUnitScope_Global, 0};
  ASSERT_EQ(noErr, AUEventListenerAddEventType(listener, nullptr, &begin));

  UInt32 param = 4;
  EXPECT_EQ(noErr, AudioUnitSetProperty(unit, kTestProperty_NotifyGesture, kAudioUnitScope_Global,
                                        0, &param, 4));
  EXPECT_TRUE(heard.events.empty()) << "a gesture on another parameter is not delivered";
  param = 3;
  EXPECT_EQ(noErr, AudioUnitSetProperty(unit, kTestProperty_NotifyGesture, kAudioUnitScope_Global,
                                        0, &param, 4));
  ASSERT_EQ(1u, heard.events.size());
  EXPECT_EQ(kAudioUnitEvent_BeginParameterChangeGesture, heard.events[0].mEventType);
  EXPECT_EQ(unit, heard.events[0].mArgument.mParameter.mAudioUnit);
  EXPECT_EQ(3u, heard.events[0].mArgument.mParameter.mParameterID);
  EXPECT_EQ(noErr, AUListenerDispose(listener));
}

TEST_F(TestUnit, ValueChangeListenersReceiveTheValueReadFromTheUnit) {
  Heard heard;
  AUEventListenerRef listener = nullptr;
  ASSERT_EQ(noErr, AUEventListenerCreate(Listen, &heard, nullptr, nullptr, 0, 0, &listener));
  AudioUnitEvent change{};
  change.mEventType = kAudioUnitEvent_ParameterValueChange;
  change.mArgument.mParameter = {unit, kAUParameterListener_AnyParameter, kAudioUnitScope_Global,
                                 0};
  ASSERT_EQ(noErr, AUEventListenerAddEventType(listener, nullptr, &change));
  ASSERT_EQ(noErr, AudioUnitSetParameter(unit, 2, kAudioUnitScope_Global, 0, 0.75f, 0));
  change.mArgument.mParameter.mParameterID = 2;
  ASSERT_EQ(noErr, AUEventListenerNotify(nullptr, nullptr, &change));
  ASSERT_EQ(1u, heard.values.size());
  EXPECT_EQ(0.75f, heard.values[0]);
  EXPECT_EQ(2u, heard.events[0].mArgument.mParameter.mParameterID);
  EXPECT_EQ(noErr, AUListenerDispose(listener));
}
