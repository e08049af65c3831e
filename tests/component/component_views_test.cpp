// Tessor EQ's editor as a host opens it: through the Cocoa view factory or the Carbon view
// component (host::EditorWindow), on the headless window system, with mouse input posted to the
// window and the parameters read back through the Audio Unit API. Where a knob sits is read from
// the window's pixels.
#include <AudioToolbox/AudioUnitUtilities.h>
#include <AudioUnit/AUCocoaUIView.h>
#include <Carbon/Carbon.h>
#include <WindowSystem/WindowSystem.h>

#include "host/EditorWindow.h"
#include "tessor_eq/skins/skin_geometry.h"
#include "tests/component/ComponentFixture.h"

using namespace component_test;

namespace {

enum { kHPF = 0, kMF1Freq = 3, kMF2Freq = 5, kGain = 8 };
// The controls' places in the panel's control table.
enum { kGainKnob = 0, kHPFKnob = 5, kMF1Knob = 7, kMF2Knob = 8 };

struct Box {
  int x, y, w, h;
};

Box ControlBox(int control) {
  const SkinControl& c = kSkinControls[control];
  return {c.x, c.y, kSkinImages[c.image].width, kSkinImages[c.image].frameHeight};
}

// The editor in a window, with the pixels of one control read back after each redraw.
class EqEditor : public EqUnit {
 protected:
  void Open(host::EditorKind kind) {
    std::string error;
    window = host::EditorWindow::Open(unit, kind, "Tessor EQ", &error);
    ASSERT_NE(nullptr, window) << error;
    // One and a half timer periods: at least one redraw, whatever the phase of the timer.
    tick = (kind == host::EditorKind::Cocoa ? 1.0 / 30 : 2.0 / 30) * 1.5;
    Tick();
  }
  void TearDown() override {
    window.reset();
    EqUnit::TearDown();
  }
  void Tick() { WindowSystemRunFor(tick); }

  std::vector<uint32_t> Pixels() {
    std::vector<uint32_t> pixels;
    int w = 0, h = 0;
    EXPECT_TRUE(WindowSystemReadPixels(window->Window(), &pixels, &w, &h));
    return pixels;
  }
  std::vector<uint32_t> Control(int control) {
    const Box b = ControlBox(control);
    const std::vector<uint32_t> all = Pixels();
    std::vector<uint32_t> out;
    for (int y = b.y; y < b.y + b.h; ++y)
      for (int x = b.x; x < b.x + b.w; ++x)
        out.push_back(all[static_cast<size_t>(y) * kSkinPanelW + x]);
    return out;
  }

  void Mouse(WindowSystemMouseAction action, int x, int y) {
    WindowSystemPostMouse(window->Window(), action, x, y, 1, 0);
  }
  // Presses on the control's centre and moves the mouse up by `up` pixels in 5-pixel moves.
  void PressAndDragUp(int control, int up) {
    const Box b = ControlBox(control);
    cx = b.x + b.w / 2;
    cy = b.y + b.h / 2;
    Mouse(kWindowSystemPress, cx, cy);
    DragUp(up);
  }
  void DragUp(int up) {
    for (int moved = 0; moved < up; moved += 5) {
      cy -= 5;
      Mouse(kWindowSystemMove, cx, cy);
    }
    WindowSystemRunOnce(0);
  }
  void Release() {
    Mouse(kWindowSystemRelease, cx, cy);
    WindowSystemRunOnce(0);
  }
  void HostSets(AudioUnitParameterID id, float value) {
    ASSERT_EQ(noErr, AudioUnitSetParameter(unit, id, kAudioUnitScope_Global, 0, value, 0));
    Tick();
  }

  std::unique_ptr<host::EditorWindow> window;
  double tick = 1.0 / 30;
  int cx = 0, cy = 0;
};

void RecordEvent(void* events, void*, const AudioUnitEvent* ev, UInt64, AudioUnitParameterValue) {
  static_cast<std::vector<AudioUnitEventType>*>(events)->push_back(ev->mEventType);
}

}  // namespace

TEST_F(EqEditor, CocoaAndCarbonViewsShowTheSamePanelAtTheEditorsOwnSize) {
  Open(host::EditorKind::Cocoa);  // asks the factory for a 400 x 300 view
  EXPECT_EQ(kSkinPanelW, window->Width());
  EXPECT_EQ(kSkinPanelH, window->Height());
  const std::vector<uint32_t> cocoa = Pixels();
  window->Close();
  Open(host::EditorKind::Carbon);
  EXPECT_EQ(kSkinPanelW, window->Width());
  EXPECT_EQ(kSkinPanelH, window->Height());
  EXPECT_EQ(cocoa, Pixels());

  // The factory as a host meets it in the class registry.
  NSAutoreleaseScope pool;
  AUCocoaUIBase* factory =
      NSObjectCast<AUCocoaUIBase>(NSCreateInstance(NSClassFromString("ondrel_View")));
  ASSERT_NE(nullptr, factory);
  EXPECT_STREQ("Tessor EQ View", factory->description()->UTF8String());
  EXPECT_EQ(0u, factory->interfaceVersion());
  factory->release();
}

TEST_F(EqEditor, DraggingALevelKnobReportsAGestureAndMovesTheParameter) {
  for (host::EditorKind kind : {host::EditorKind::Cocoa, host::EditorKind::Carbon}) {
    SCOPED_TRACE(host::EditorKindName(kind));
    HostSets(kGain, 0.0f);
    Open(kind);
    std::vector<AudioUnitEventType> events;
    AUEventListenerRef listener = nullptr;
    ASSERT_EQ(noErr,
              AUEventListenerCreate(RecordEvent, &events, nullptr, nullptr, 0, 0, &listener));
    AudioUnitEvent ev = {};
    ev.mArgument.mParameter = {unit, kGain, kAudioUnitScope_Global, 0};
    for (AudioUnitEventType t :
         {kAudioUnitEvent_BeginParameterChangeGesture, kAudioUnitEvent_ParameterValueChange,
          kAudioUnitEvent_EndParameterChangeGesture}) {
      ev.mEventType = t;
      ASSERT_EQ(noErr, AUEventListenerAddEventType(listener, nullptr, &ev));
    }
    const std::vector<uint32_t> before = Control(kGainKnob);
    PressAndDragUp(kGainKnob, 20);
    Release();
    Tick();
    // 20 pixels up a 56-pixel knob at drag scale 4: 20 / 224 of the 30 dB range.
    EXPECT_NEAR(30.0 * 20 / 224, GetParam(unit, kGain), 1e-4);
    EXPECT_NE(before, Control(kGainKnob));
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(kAudioUnitEvent_BeginParameterChangeGesture, events.front());
    EXPECT_EQ(kAudioUnitEvent_EndParameterChangeGesture, events.back());
    EXPECT_EQ(
        std::vector<AudioUnitEventType>(events.size() - 2, kAudioUnitEvent_ParameterValueChange),
        std::vector<AudioUnitEventType>(events.begin() + 1, events.end() - 1));
    EXPECT_EQ(noErr, AUListenerDispose(listener));
    window->Close();
  }
}

TEST_F(EqEditor, SteppedKnobFollowsWithinHalfAStepJumpsPastItAndLandsOnAPositionOnRelease) {
  Open(host::EditorKind::Cocoa);
  const std::vector<uint32_t> off = Control(kHPFKnob);
  // Half a step of the six-position knob is 0.1: 0.1 x 74 pixels x drag scale 4 = 29.6 pixels.
  PressAndDragUp(kHPFKnob, 20);
  Tick();
  const std::vector<uint32_t> followed = Control(kHPFKnob);
  EXPECT_NE(off, followed) << "the image follows the mouse";
  EXPECT_EQ(0.0f, GetParam(unit, kHPF));
  DragUp(20);
  Tick();
  EXPECT_EQ(1.0f, GetParam(unit, kHPF)) << "past half a step: the 30 Hz position";
  const std::vector<uint32_t> jumped = Control(kHPFKnob);
  DragUp(10);  // on from the new position, still within half a step of it
  Tick();
  EXPECT_NE(jumped, Control(kHPFKnob));
  Release();
  Tick();
  EXPECT_EQ(1.0f, GetParam(unit, kHPF));
  EXPECT_EQ(jumped, Control(kHPFKnob)) << "released onto the position";

  HostSets(kHPF, 0.0f);
  EXPECT_EQ(off, Control(kHPFKnob));
  HostSets(kHPF, 1.0f);
  EXPECT_EQ(jumped, Control(kHPFKnob));
}

TEST_F(EqEditor, HostChangesMoveASteppedKnobOnePositionPerCall) {
  Open(host::EditorKind::Cocoa);
  const std::vector<uint32_t> at3 = Control(kMF2Knob);  // the default, "2500 Hz"
  std::vector<std::vector<uint32_t>> seen;
  for (int call = 0; call < 4; ++call) {
    HostSets(kMF2Freq, 6.0f);
    seen.push_back(Control(kMF2Knob));
  }
  EXPECT_NE(at3, seen[0]);
  EXPECT_NE(seen[0], seen[1]);
  EXPECT_NE(seen[1], seen[2]);
  EXPECT_EQ(seen[2], seen[3]) << "three calls reach the last position";
  HostSets(kMF2Freq, 3.0f);
  EXPECT_EQ(seen[1], Control(kMF2Knob));
  HostSets(kMF2Freq, 3.0f);
  EXPECT_EQ(seen[0], Control(kMF2Knob));
  HostSets(kMF2Freq, 3.0f);
  EXPECT_EQ(at3, Control(kMF2Knob));
}

TEST_F(EqEditor, DoubleClickReturnsASteppedKnobToTheParametersDefault) {
  Open(host::EditorKind::Cocoa);
  const std::vector<uint32_t> atDefault = Control(kMF1Knob);  // "240 Hz", step 2 of 6
  HostSets(kMF1Freq, 3.0f);
  HostSets(kMF1Freq, 2.0f);
  EXPECT_EQ(atDefault, Control(kMF1Knob)) << "the editor opened on the parameter's position";

  HostSets(kMF1Freq, 4.0f);
  HostSets(kMF1Freq, 4.0f);
  const Box b = ControlBox(kMF1Knob);
  for (int click = 0; click < 2; ++click) {
    Mouse(kWindowSystemPress, b.x + b.w / 2, b.y + b.h / 2);
    Mouse(kWindowSystemRelease, b.x + b.w / 2, b.y + b.h / 2);
  }
  WindowSystemRunOnce(0);
  Tick();
  EXPECT_EQ(2.0f, GetParam(unit, kMF1Freq));
  EXPECT_EQ(atDefault, Control(kMF1Knob));
}

TEST_F(EqEditor, CarbonViewRefusesAForeignWindowAndOutlivesItsUnit) {
  AudioUnit other = nullptr;
  ASSERT_EQ(noErr, host::OpenUnit(component, &other));
  ComponentDescription cd = {};
  UInt32 size = sizeof(cd);
  ASSERT_EQ(noErr, AudioUnitGetProperty(other, kAudioUnitProperty_GetUIComponentList,
                                        kAudioUnitScope_Global, 0, &cd, &size));
  ComponentInstance view = nullptr;
  ASSERT_EQ(noErr, OpenAComponent(FindNextComponent(nullptr, &cd), &view));
  EXPECT_EQ(badComponentSelector, GetComponentVersion(view));
  ControlRef control = nullptr;
  const Float32Point zero = {0, 0};
  // Not a window: no control, and the host hears of it.
  EXPECT_NE(noErr, AudioUnitCarbonViewCreate(view, other, reinterpret_cast<WindowRef>(&cd), nullptr,
                                             &zero, &zero, &control));
  EXPECT_EQ(nullptr, control);

  const Rect bounds = {0, 0, kSkinPanelH, kSkinPanelW};
  WindowRef carbon = nullptr;
  ASSERT_EQ(noErr,
            CreateNewWindow(kDocumentWindowClass, kWindowCompositingAttribute, &bounds, &carbon));
  ASSERT_EQ(noErr, AudioUnitCarbonViewCreate(view, other, carbon, nullptr, &zero, &zero, &control));
  EXPECT_NE(nullptr, control);
  ASSERT_EQ(noErr, host::CloseUnit(other));  // the unit goes first, its editor with it
  EXPECT_EQ(noErr, CloseComponent(view));
  DisposeWindow(carbon);
}
