// A small plug-in on the Audio Unit wrapper, built as its own component, that makes what the
// wrapper hands it visible to a host: MIDI messages and the recognised host land in parameters
// a host can read back with get-parameter. A program change copies the host's transport into
// parameters; a controller change makes an editor-style gesture on the level parameter; a pitch
// wheel message sets the latency to the wheel's 14-bit value in samples. One mono
// configuration ("1-1"). Its editor holds one knob on the level parameter; since the component
// has no window, two exported functions stand in for a window host's event translation.
#include "framework/au/IPluginAU.h"
#include "framework/editor/IKnobControls.h"
#include "tests/editor/RecordingGraphics.h"

enum ETestPlugParams {
  kMidiStatus = 0,
  kMidiData1,
  kMidiData2,
  kMidiOffset,
  kMidiCount,
  kHostCode,
  kLevel,
  kTempo,
  kSamplePos,
  kTimeSigNum,
  kTimeSigDen,
  kTestPlugNumParams
};

class TestPlug : public IPluginAU {
 public:
  TestPlug()
      : IPluginAU(kTestPlugNumParams, "1-1", 4, "Test Plug", "", "Tessor Tests", 0x00010203, 'tplg',
                  'Tsor', 0, true, false, true) {
    GetParam(kMidiStatus)->InitInt("MIDI status", 0, 0, 255);
    GetParam(kMidiData1)->InitInt("MIDI data 1", 0, 0, 255);
    GetParam(kMidiData2)->InitInt("MIDI data 2", 0, 0, 255);
    GetParam(kMidiOffset)->InitInt("MIDI offset", 0, 0, 1 << 20);
    GetParam(kMidiCount)->InitInt("MIDI count", 0, 0, 1 << 20);
    GetParam(kHostCode)->InitInt("Host", -1, -1, 100);
    GetParam(kLevel)->InitDouble("Level", 0.0, -10.0, 10.0, 0.5, "");
    GetParam(kTempo)->InitDouble("Tempo", 0.0, 0.0, 1000.0, 0.001, "");
    GetParam(kSamplePos)->InitInt("Sample position", 0, 0, 1 << 30);
    GetParam(kTimeSigNum)->InitInt("Beats per bar", 0, 0, 64);
    GetParam(kTimeSigDen)->InitInt("Beat unit", 0, 0, 64);
    MakeDefaultPreset("Start", 1);

    // A 40-pixel knob: dragging 40 pixels up moves the level by a quarter of its range.
    auto* editor = new RecordingGraphics(this, 60, 60, 30);
    IRECT knob(10, 10, 50, 50);
    editor->AttachControl(new IKnobLineControl(this, &knob, kLevel, &COLOR_WHITE));
    AttachGraphics(editor);
  }

  void HostSpecificInit() override {
    IPluginAU::HostSpecificInit();
    GetParam(kHostCode)->Set(GetHost());
  }

  void ProcessMidiMsg(IMidiMsg* pMsg) override {
    GetParam(kMidiStatus)->Set(pMsg->mStatusByte);
    GetParam(kMidiData1)->Set(pMsg->mFirstData);
    GetParam(kMidiData2)->Set(pMsg->mSecondData);
    GetParam(kMidiOffset)->Set(pMsg->mFrameOffset);
    GetParam(kMidiCount)->Set(GetParam(kMidiCount)->Value() + 1);
    switch (pMsg->StatusMsg()) {
      case IMidiMsg::kProgramChange: {
        GetParam(kTempo)->Set(GetTempo());
        GetParam(kSamplePos)->Set(GetSamplePos());
        int num = -1, denom = -1;
        GetTimeSig(&num, &denom);
        GetParam(kTimeSigNum)->Set(num);
        GetParam(kTimeSigDen)->Set(denom);
        break;
      }
      case IMidiMsg::kControlChange:
        BeginInformHostOfParamChange(kLevel);
        SetParameterFromGUI(kLevel, pMsg->mSecondData / 127.0);
        EndInformHostOfParamChange(kLevel);
        break;
      case IMidiMsg::kPitchWheel:
        SetLatency(pMsg->mFirstData | (pMsg->mSecondData << 7));
        break;
      default:
        break;
    }
  }
};

IPluginAU* MakePlug() { return new TestPlug(); }

extern "C" __attribute__((visibility("default"))) ComponentResult TestPlug_Entry(
    ComponentParameters* params, void* pPlug) {
  return IPluginAU::IPluginAUEntry(params, pPlug);
}

namespace {

IGraphics* EditorOf(AudioUnit unit) {
  IPluginAU* plug = reinterpret_cast<IPluginAU*>(GetComponentInstanceStorage(unit));
  return plug ? plug->GetGUI() : nullptr;
}

}  // namespace

// event: 0 press, 1 drag, 2 release (left button); -1 when the unit has no editor.
extern "C" __attribute__((visibility("default"))) int TestPlug_EditorMouse(AudioUnit unit,
                                                                           int event, int x,
                                                                           int y) {
  IGraphics* editor = EditorOf(unit);
  IMouseMod left(true);
  if (!editor) return -1;
  if (event == 0)
    editor->OnMouseDown(x, y, &left);
  else if (event == 1)
    editor->OnMouseDrag(x, y, &left);
  else
    editor->OnMouseUp(x, y, &left);
  return 0;
}

// The value of the editor's control at controlIdx, or -1.
extern "C" __attribute__((visibility("default"))) double TestPlug_ControlValue(AudioUnit unit,
                                                                               int controlIdx) {
  IControl* control = EditorOf(unit) ? EditorOf(unit)->GetControl(controlIdx) : nullptr;
  return control ? control->GetValue() : -1.0;
}
