// A component's editor end to end: a gesture on a knob reaches the host's event listeners as a
// change gesture, and host changes and preset restores move the knob. The test plug-in exports
// two functions in place of the window host that would deliver the mouse events.
#include <AudioToolbox/AudioUnitUtilities.h>

#include <array>

#include "tests/component/ComponentFixture.h"

using namespace component_test;

namespace {

constexpr AudioUnitParameterID kLevel = 6;  // -10..10, default 0

// A function the test plug-in's module exports, looked up as a host looks up entry points.
template <class F>
F* Exported(const char* name) {
  CFStringRef cfName = CFStringCreateWithCString(kCFAllocatorDefault, name, kCFStringEncodingUTF8);
  void* f =
      CFBundleGetFunctionPointerForName(host::LoadComponentBundle(TEST_PLUG_BUNDLE).bundle, cfName);
  CFRelease(cfName);
  return reinterpret_cast<F*>(f);
}

void RecordEvent(void* events, void*, const AudioUnitEvent* ev, UInt64, AudioUnitParameterValue) {
  static_cast<std::vector<AudioUnitEventType>*>(events)->push_back(ev->mEventType);
}

class TestPlugEditor : public OpenUnitFixture<TestPlugComponent> {};

}  // namespace

TEST_F(TestPlugEditor, KnobGestureReachesTheHostAsBeginValueChangesAndEnd) {
  std::vector<AudioUnitEventType> events;
  AUEventListenerRef listener = nullptr;
  ASSERT_EQ(noErr, AUEventListenerCreate(RecordEvent, &events, nullptr, nullptr, 0, 0, &listener));
  AudioUnitEvent ev = {};
  ev.mArgument.mParameter = {unit, kLevel, kAudioUnitScope_Global, 0};
  for (AudioUnitEventType t :
       {kAudioUnitEvent_BeginParameterChangeGesture, kAudioUnitEvent_ParameterValueChange,
        kAudioUnitEvent_EndParameterChangeGesture}) {
    ev.mEventType = t;
    ASSERT_EQ(noErr, AUEventListenerAddEventType(listener, nullptr, &ev));
  }
  auto* mouse = Exported<int(AudioUnit, int, int, int)>("TestPlug_EditorMouse");
  ASSERT_NE(nullptr, mouse);  // event 0 press, 1 drag, 2 release
  for (auto e : {std::array<int, 3>{0, 30, 30}, {1, 30, 10}, {1, 30, 0}, {2, 30, 0}})
    ASSERT_EQ(0, mouse(unit, e[0], e[1], e[2]));
  EXPECT_EQ((std::vector<AudioUnitEventType>{
                kAudioUnitEvent_BeginParameterChangeGesture, kAudioUnitEvent_ParameterValueChange,
                kAudioUnitEvent_ParameterValueChange, kAudioUnitEvent_EndParameterChangeGesture}),
            events);
  EXPECT_FLOAT_EQ(3.75f, GetParam(unit, kLevel));  // 0.5 + 20 / 40 / 4 + 10 / 40 / 4 of -10..10
  EXPECT_EQ(noErr, AUListenerDispose(listener));
}

TEST_F(TestPlugEditor, HostChangesAndPresetRestoresMoveTheKnob) {
  auto* knob = Exported<double(AudioUnit, int)>("TestPlug_ControlValue");
  ASSERT_NE(nullptr, knob);
  EXPECT_EQ(0.5, knob(unit, 0));  // pushed when the editor was attached
  ASSERT_EQ(noErr, AudioUnitSetParameter(unit, kLevel, kAudioUnitScope_Global, 0, 5.0f, 0));
  EXPECT_EQ(0.75, knob(unit, 0));
  AUPreset start = {0, nullptr};
  ASSERT_EQ(noErr, AudioUnitSetProperty(unit, kAudioUnitProperty_PresentPreset,
                                        kAudioUnitScope_Global, 0, &start, sizeof(start)));
  EXPECT_EQ(0.5, knob(unit, 0));
}
