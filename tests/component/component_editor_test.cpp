// A component's editor end to end: a gesture on a knob reaches the host's event listeners as a
// change gesture, and host changes and preset restores move the knob. The test plug-in exports
// two functions in place of the window host that would deliver the mouse events.
#include <AudioToolbox/AudioUnitUtilities.h>

#include "tests/component/ComponentFixture.h"

using namespace component_test;

namespace {

constexpr AudioUnitParameterID kLevel = 6;  // -10..10, default 0
enum { kPress = 0, kDrag = 1, kRelease = 2 };

template <class F>
F BundleFunction(const char* name) {
  host::LoadedBundle bundle = host::LoadComponentBundle(TEST_PLUG_BUNDLE);
  CFStringRef cfName = CFStringCreateWithCString(kCFAllocatorDefault, name, kCFStringEncodingUTF8);
  void* f = CFBundleGetFunctionPointerForName(bundle.bundle, cfName);
  CFRelease(cfName);
  return reinterpret_cast<F>(f);
}

std::vector<AudioUnitEventType> gEvents;

void RecordEvent(void*, void*, const AudioUnitEvent* ev, UInt64, AudioUnitParameterValue) {
  gEvents.push_back(ev->mEventType);
}

class TestPlugEditor : public OpenUnitFixture<TestPlugComponent> {
 protected:
  void Mouse(int event, int x, int y) { ASSERT_EQ(0, mouse(unit, event, x, y)); }
  double Knob() { return value(unit, 0); }

  int (*mouse)(AudioUnit, int, int,
               int) = BundleFunction<int (*)(AudioUnit, int, int, int)>("TestPlug_EditorMouse");
  double (*value)(AudioUnit,
                  int) = BundleFunction<double (*)(AudioUnit, int)>("TestPlug_ControlValue");
};

}  // namespace

TEST_F(TestPlugEditor, KnobGestureReachesTheHostAsBeginValueChangesAndEnd) {
  ASSERT_NE(nullptr, mouse);
  AUEventListenerRef listener = nullptr;
  ASSERT_EQ(noErr, AUEventListenerCreate(RecordEvent, nullptr, nullptr, nullptr, 0, 0, &listener));
  AudioUnitEvent ev = {};
  ev.mArgument.mParameter = {unit, kLevel, kAudioUnitScope_Global, 0};
  for (AudioUnitEventType t :
       {kAudioUnitEvent_BeginParameterChangeGesture, kAudioUnitEvent_ParameterValueChange,
        kAudioUnitEvent_EndParameterChangeGesture}) {
    ev.mEventType = t;
    ASSERT_EQ(noErr, AUEventListenerAddEventType(listener, nullptr, &ev));
  }
  gEvents.clear();
  Mouse(kPress, 30, 30);
  Mouse(kDrag, 30, 10);  // 20 pixels up: an eighth of the range
  Mouse(kDrag, 30, 0);
  Mouse(kRelease, 30, 0);
  EXPECT_EQ((std::vector<AudioUnitEventType>{
                kAudioUnitEvent_BeginParameterChangeGesture, kAudioUnitEvent_ParameterValueChange,
                kAudioUnitEvent_ParameterValueChange, kAudioUnitEvent_EndParameterChangeGesture}),
            gEvents);
  EXPECT_FLOAT_EQ(3.75f, GetParam(unit, kLevel));  // 0.5 + 0.125 + 0.0625 of -10..10
  EXPECT_EQ(noErr, AUListenerDispose(listener));
}

TEST_F(TestPlugEditor, HostChangesAndPresetRestoresMoveTheKnob) {
  ASSERT_NE(nullptr, value);
  EXPECT_EQ(0.5, Knob());  // pushed when the editor was attached
  ASSERT_EQ(noErr, AudioUnitSetParameter(unit, kLevel, kAudioUnitScope_Global, 0, 5.0f, 0));
  EXPECT_EQ(0.75, Knob());
  AUPreset start = {0, nullptr};
  ASSERT_EQ(noErr, AudioUnitSetProperty(unit, kAudioUnitProperty_PresentPreset,
                                        kAudioUnitScope_Global, 0, &start, sizeof(start)));
  EXPECT_EQ(0.5, Knob());
}
