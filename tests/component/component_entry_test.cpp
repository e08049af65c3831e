// Opening, the selector table, initialize, fast dispatch, listeners, scheduled parameters and
// MIDI, all through the host library and the Audio Unit API.
#include <MacTypes.h>

#include "tests/component/ComponentFixture.h"

using namespace component_test;

namespace {

// Calls a selector with the given argument words (public order) through the Component Manager.
ComponentResult CallSelector(AudioUnit unit, SInt16 what, std::vector<long> args) {
  struct {
    UInt8 flags;
    UInt8 paramSize;
    SInt16 what;
    UInt32 padding;
    long params[9];
  } block = {};
  block.paramSize = static_cast<UInt8>(args.size() * sizeof(long));
  block.what = what;
  for (size_t i = 0; i < args.size(); ++i) block.params[args.size() - 1 - i] = args[i];
  block.params[args.size()] = reinterpret_cast<long>(unit);
  return CallComponent(unit, reinterpret_cast<ComponentParameters*>(&block));
}

struct ListenerLog {
  std::vector<AudioUnitPropertyID> ids;
  std::vector<void*> userData;
};

void LogProperty(void* refCon, AudioUnit, AudioUnitPropertyID id, AudioUnitScope,
                 AudioUnitElement) {
  ListenerLog* log = *static_cast<ListenerLog**>(refCon);
  log->ids.push_back(id);
  log->userData.push_back(refCon);
}

}  // namespace

TEST_F(EqUnit, RegistersTheDescriptionAndVersionOfTessorEQ) {
  ComponentDescription cd;
  ASSERT_EQ(noErr,
            GetComponentInfo(reinterpret_cast<Component>(unit), &cd, nullptr, nullptr, nullptr));
  EXPECT_EQ(kEqType, cd.componentType);
  EXPECT_EQ(kEqSubtype, cd.componentSubType);
  EXPECT_EQ(kEqMaker, cd.componentManufacturer);
  EXPECT_EQ(0x00020000, GetComponentVersion(unit));
  EXPECT_NE(nullptr, GetComponentInstanceStorage(unit));
}

TEST_F(EqUnit, CanDoAnswersExactlyTheAnnouncedSelectors) {
  const SInt16 yes[] = {1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 14, 15, 16, 17};
  const SInt16 no[] = {0, 8, 12, 13, 18, 19, 20, -1, -2, -3, -4, 0x101, 0x105, 0x301};
  for (SInt16 s : yes) EXPECT_EQ(1, ComponentFunctionImplemented(unit, s)) << s;
  for (SInt16 s : no) EXPECT_EQ(0, ComponentFunctionImplemented(unit, s)) << s;
}

TEST_F(EqUnit, UnimplementedSelectorsAnswerBadComponentSelector) {
  for (SInt16 s : {8, 12, 13, 19, 20, 0x102, 0x107, 0x301, -5, -6})
    EXPECT_EQ(badComponentSelector, CallSelector(unit, s, {0, 0, 0, 0, 0, 0})) << s;
  const UInt8 sysex[] = {0xF0, 0xF7};
  EXPECT_EQ(badComponentSelector, MusicDeviceSysEx(unit, sysex, 2));
}

TEST_F(EqUnit, InitializesBeforeAnyFormatAndWithMatchingChannelPairs) {
  EXPECT_EQ(noErr, AudioUnitInitialize(unit));
  EXPECT_EQ(noErr, AudioUnitUninitialize(unit));

  ASSERT_EQ(noErr, SetFormat(unit, kAudioUnitScope_Input, 1));
  ASSERT_EQ(noErr, SetFormat(unit, kAudioUnitScope_Output, 1));
  EXPECT_EQ(noErr, AudioUnitInitialize(unit));
  EXPECT_EQ(noErr, AudioUnitUninitialize(unit));

  ASSERT_EQ(noErr, SetFormat(unit, kAudioUnitScope_Input, 2));
  ASSERT_EQ(noErr, SetFormat(unit, kAudioUnitScope_Output, 2));
  EXPECT_EQ(noErr, AudioUnitInitialize(unit));
}

TEST_F(EqUnit, InitializeRefusesMonoInToStereoOut) {
  ASSERT_EQ(noErr, SetFormat(unit, kAudioUnitScope_Input, 1));
  ASSERT_EQ(noErr, SetFormat(unit, kAudioUnitScope_Output, 2));
  EXPECT_EQ(badComponentSelector, AudioUnitInitialize(unit));
  // Still uninitialized: a legal pair now initializes.
  ASSERT_EQ(noErr, SetFormat(unit, kAudioUnitScope_Output, 1));
  EXPECT_EQ(noErr, AudioUnitInitialize(unit));
}

TEST_F(EqUnit, RefusedFormatLeavesItsBusAtZeroChannelsForInitialize) {
  EXPECT_EQ(kAudioUnitErr_InvalidProperty, SetFormat(unit, kAudioUnitScope_Input, 0));
  EXPECT_EQ(kAudioUnitErr_InvalidProperty, SetFormat(unit, kAudioUnitScope_Input, 3));
  EXPECT_EQ(badComponentSelector, AudioUnitInitialize(unit));
}

TEST_F(EqUnit, UninitializeForgetsFormatsSoTheNextInitializeStartsOver) {
  ASSERT_EQ(noErr, SetFormat(unit, kAudioUnitScope_Input, 1));
  ASSERT_EQ(noErr, SetFormat(unit, kAudioUnitScope_Output, 2));
  ASSERT_EQ(badComponentSelector, AudioUnitInitialize(unit));
  ASSERT_EQ(noErr, AudioUnitUninitialize(unit));
  EXPECT_EQ(noErr, AudioUnitInitialize(unit));
  AudioStreamBasicDescription f;
  UInt32 size = sizeof(f);
  ASSERT_EQ(noErr, AudioUnitGetProperty(unit, kAudioUnitProperty_StreamFormat,
                                        kAudioUnitScope_Output, 0, &f, &size));
  EXPECT_EQ(2u, f.mChannelsPerFrame);  // back to the bus's own channel count
}

TEST_F(EqUnit, FastDispatchHandsOutTheParameterAndRenderProcedures) {
  void* storage = GetComponentInstanceStorage(unit);
  AudioUnitGetParameterProc getProc = nullptr;
  AudioUnitSetParameterProc setProc = nullptr;
  AudioUnitRenderProc renderProc = nullptr;
  UInt32 size = sizeof(void*);
  ASSERT_EQ(noErr,
            AudioUnitGetProperty(unit, kAudioUnitProperty_FastDispatch, kAudioUnitScope_Global,
                                 kAudioUnitGetParameterSelect, &getProc, &size));
  EXPECT_EQ(sizeof(void*), size);
  ASSERT_EQ(noErr,
            AudioUnitGetProperty(unit, kAudioUnitProperty_FastDispatch, kAudioUnitScope_Global,
                                 kAudioUnitSetParameterSelect, &setProc, &size));
  ASSERT_EQ(noErr,
            AudioUnitGetProperty(unit, kAudioUnitProperty_FastDispatch, kAudioUnitScope_Global,
                                 kAudioUnitRenderSelect, &renderProc, &size));
  ASSERT_TRUE(getProc && setProc && renderProc);

  EXPECT_EQ(noErr, setProc(storage, 8, kAudioUnitScope_Global, 0, -6.5f, 0));
  AudioUnitParameterValue v = 0;
  EXPECT_EQ(noErr, getProc(storage, 8, kAudioUnitScope_Global, 0, &v));
  EXPECT_FLOAT_EQ(-6.5f, v);
  EXPECT_FLOAT_EQ(-6.5f, GetParam(unit, 8));
  EXPECT_EQ(kAudioUnitErr_InvalidElement, getProc(storage, 10, kAudioUnitScope_Global, 0, &v));
  EXPECT_EQ(kAudioUnitErr_InvalidProperty, getProc(storage, 0, kAudioUnitScope_Input, 0, &v));

  for (AudioUnitElement other : {1u, 5u, 9u, 15u, 0x101u}) {
    void* proc = nullptr;
    size = sizeof(proc);
    EXPECT_EQ(kAudioUnitErr_InvalidElement,
              AudioUnitGetProperty(unit, kAudioUnitProperty_FastDispatch, kAudioUnitScope_Global,
                                   other, &proc, &size))
        << other;
    EXPECT_EQ(nullptr, proc);
  }
}

TEST_F(EqUnit, ParameterSetClampsToTheBoundsAndIgnoresOtherScopes) {
  EXPECT_EQ(noErr, AudioUnitSetParameter(unit, 2, kAudioUnitScope_Global, 0, 35.0f, 0));
  EXPECT_FLOAT_EQ(20.0f, GetParam(unit, 2));
  EXPECT_EQ(noErr, AudioUnitSetParameter(unit, 8, kAudioUnitScope_Global, 0, -99.0f, 0));
  EXPECT_FLOAT_EQ(-20.0f, GetParam(unit, 8));
  EXPECT_EQ(kAudioUnitErr_InvalidProperty,
            AudioUnitSetParameter(unit, 8, kAudioUnitScope_Input, 0, 3.0f, 0));
  EXPECT_FLOAT_EQ(-20.0f, GetParam(unit, 8));
  EXPECT_EQ(kAudioUnitErr_InvalidParameter,
            AudioUnitSetParameter(unit, 10, kAudioUnitScope_Global, 0, 1.0f, 0));
  AudioUnitParameterValue v = 0;
  EXPECT_EQ(kAudioUnitErr_InvalidElement,
            AudioUnitGetParameter(unit, 10, kAudioUnitScope_Global, 0, &v));
}

TEST_F(EqUnit, ScheduledParametersApplyImmediateEventsAndSkipRamps) {
  AudioUnitParameterEvent events[3] = {};
  events[0].scope = kAudioUnitScope_Global;
  events[0].parameter = 4;
  events[0].eventType = kParameterEvent_Ramped;
  events[0].eventValues.ramp.startValue = 1.0f;
  events[0].eventValues.ramp.endValue = 9.0f;
  events[0].eventValues.ramp.durationInFrames = 64;
  events[1].scope = kAudioUnitScope_Global;
  events[1].parameter = 6;
  events[1].eventType = kParameterEvent_Immediate;
  events[1].eventValues.immediate.value = -3.5f;
  events[1].eventValues.immediate.bufferOffset = 100;
  events[2] = events[1];
  events[2].parameter = 7;
  events[2].eventValues.immediate.value = 2.0f;
  EXPECT_EQ(noErr, AudioUnitScheduleParameters(unit, events, 3));
  EXPECT_FLOAT_EQ(0.0f, GetParam(unit, 4));
  EXPECT_FLOAT_EQ(-3.5f, GetParam(unit, 6));
  EXPECT_FLOAT_EQ(2.0f, GetParam(unit, 7));
}

TEST_F(EqUnit, ScheduledParametersStopAtTheFirstRefusedEvent) {
  AudioUnitParameterEvent events[2] = {};
  events[0].scope = kAudioUnitScope_Output;
  events[0].parameter = 6;
  events[0].eventType = kParameterEvent_Immediate;
  events[0].eventValues.immediate.value = 5.0f;
  events[1] = events[0];
  events[1].scope = kAudioUnitScope_Global;
  events[1].parameter = 7;
  EXPECT_EQ(kAudioUnitErr_InvalidProperty, AudioUnitScheduleParameters(unit, events, 2));
  EXPECT_FLOAT_EQ(0.0f, GetParam(unit, 6));
  EXPECT_FLOAT_EQ(0.0f, GetParam(unit, 7));
}

TEST_F(EqUnit, PropertyListenerIsKeptOncePerPropertyAndProcedure) {
  ListenerLog log;
  ListenerLog* pLog = &log;
  ListenerLog* pLog2 = &log;
  ASSERT_EQ(noErr, AudioUnitAddPropertyListener(unit, kAudioUnitProperty_BypassEffect, LogProperty,
                                                &pLog));
  ASSERT_EQ(noErr, AudioUnitAddPropertyListener(unit, kAudioUnitProperty_BypassEffect, LogProperty,
                                                &pLog2));
  UInt32 on = 1;
  ASSERT_EQ(noErr, AudioUnitSetProperty(unit, kAudioUnitProperty_BypassEffect,
                                        kAudioUnitScope_Global, 0, &on, 4));
  ASSERT_EQ(1u, log.ids.size());
  EXPECT_EQ(static_cast<void*>(&pLog), log.userData[0]);  // the first registration's data

  ASSERT_EQ(noErr,
            AudioUnitRemovePropertyListener(unit, kAudioUnitProperty_BypassEffect, LogProperty));
  ASSERT_EQ(noErr, AudioUnitSetProperty(unit, kAudioUnitProperty_BypassEffect,
                                        kAudioUnitScope_Global, 0, &on, 4));
  EXPECT_EQ(1u, log.ids.size());
  // Removing what is not there is not an error.
  EXPECT_EQ(noErr,
            AudioUnitRemovePropertyListener(unit, kAudioUnitProperty_BypassEffect, LogProperty));
}

TEST_F(EqUnit, RemoveWithUserDataMatchesAllThree) {
  ListenerLog log;
  ListenerLog* pLog = &log;
  ListenerLog* other = &log;
  ASSERT_EQ(noErr, AudioUnitAddPropertyListener(unit, 64000, LogProperty, &pLog));
  ASSERT_EQ(noErr, AudioUnitRemovePropertyListenerWithUserData(unit, 64000, LogProperty, &other));
  UInt32 any = 0;
  // An unknown property is refused, but its listeners have heard of the set.
  EXPECT_EQ(kAudioUnitErr_InvalidProperty,
            AudioUnitSetProperty(unit, 64000, kAudioUnitScope_Global, 0, &any, 4));
  EXPECT_EQ(1u, log.ids.size());
  ASSERT_EQ(noErr, AudioUnitRemovePropertyListenerWithUserData(unit, 64000, LogProperty, &pLog));
  AudioUnitSetProperty(unit, 64000, kAudioUnitScope_Global, 0, &any, 4);
  EXPECT_EQ(1u, log.ids.size());
}

TEST_F(EqUnit, ResetAndInstrumentSelectorsSucceed) {
  EXPECT_EQ(noErr, AudioUnitReset(unit, kAudioUnitScope_Global, 0));
  EXPECT_EQ(noErr, MusicDevicePrepareInstrument(unit, 3));
  EXPECT_EQ(noErr, MusicDeviceReleaseInstrument(unit, 3));
  EXPECT_EQ(noErr, MusicDeviceMIDIEvent(unit, 0x90, 60, 100, 0));
}

// ---- A plug-in that makes MIDI delivery and host recognition visible ----

enum { kMidiStatus = 0, kMidiData1, kMidiData2, kMidiOffset, kMidiCount, kHostCode, kLevel };

class TestPlugUnit : public OpenUnitFixture<TestPlugComponent> {};

TEST_F(TestPlugUnit, MidiEventReachesThePluginWithDataBytesCutToEightBits) {
  ASSERT_EQ(noErr, MusicDeviceMIDIEvent(unit, 0xB3, 0x107, 0x45, 17));
  EXPECT_FLOAT_EQ(0xB3, GetParam(unit, kMidiStatus));
  EXPECT_FLOAT_EQ(0x07, GetParam(unit, kMidiData1));
  EXPECT_FLOAT_EQ(0x45, GetParam(unit, kMidiData2));
  EXPECT_FLOAT_EQ(17, GetParam(unit, kMidiOffset));
  EXPECT_FLOAT_EQ(1, GetParam(unit, kMidiCount));
}

TEST_F(TestPlugUnit, StartAndStopNoteBecomeNoteOnAndNoteOff) {
  MusicDeviceNoteParams note = {};
  note.argCount = 2;
  note.mPitch = 64.7f;
  note.mVelocity = 99.9f;
  NoteInstanceID id = 0;
  ASSERT_EQ(noErr, MusicDeviceStartNote(unit, 0, 0, &id, 12, &note));
  EXPECT_EQ(64u, id);
  EXPECT_FLOAT_EQ(0x90, GetParam(unit, kMidiStatus));
  EXPECT_FLOAT_EQ(64, GetParam(unit, kMidiData1));
  EXPECT_FLOAT_EQ(99, GetParam(unit, kMidiData2));
  EXPECT_FLOAT_EQ(12, GetParam(unit, kMidiOffset));

  ASSERT_EQ(noErr, MusicDeviceStopNote(unit, 0, id, 30));
  EXPECT_FLOAT_EQ(0x80, GetParam(unit, kMidiStatus));
  EXPECT_FLOAT_EQ(64, GetParam(unit, kMidiData1));
  EXPECT_FLOAT_EQ(30, GetParam(unit, kMidiOffset));
  EXPECT_FLOAT_EQ(2, GetParam(unit, kMidiCount));
}

TEST_F(TestPlugUnit, OpenIdentifiesTheHostFromTheMainBundle) {
  EXPECT_FLOAT_EQ(0, GetParam(unit, kHostCode));  // the test program is no known host
  host::SetHostIdentifier("com.cockos.reaper");
  AudioUnit reaperUnit = nullptr;
  ASSERT_EQ(noErr, host::OpenUnit(component, &reaperUnit));
  EXPECT_FLOAT_EQ(1, GetParam(reaperUnit, kHostCode));
  EXPECT_EQ(noErr, host::CloseUnit(reaperUnit));
  host::SetHostIdentifier("");
}

TEST_F(TestPlugUnit, MonoOnlyPluginHasOneSingleChannelBusPerSide) {
  UInt32 n = 0, size = 4;
  ASSERT_EQ(noErr, AudioUnitGetProperty(unit, kAudioUnitProperty_ElementCount,
                                        kAudioUnitScope_Input, 0, &n, &size));
  EXPECT_EQ(1u, n);
  AudioStreamBasicDescription f;
  size = sizeof(f);
  ASSERT_EQ(noErr, AudioUnitGetProperty(unit, kAudioUnitProperty_StreamFormat,
                                        kAudioUnitScope_Output, 0, &f, &size));
  EXPECT_EQ(1u, f.mChannelsPerFrame);
  EXPECT_EQ(kAudioUnitErr_InvalidProperty, SetFormat(unit, kAudioUnitScope_Input, 2));
  UInt32 count = 0;
  size = 4;
  EXPECT_EQ(noErr, AudioUnitGetProperty(unit, kMusicDeviceProperty_InstrumentCount,
                                        kAudioUnitScope_Global, 0, &count, &size));
  EXPECT_EQ(1u, count);
}
