#pragma once
// A minimal concrete plug-in and editor for exercising the plug-in base without a host wrapper.

#include <string>
#include <vector>

#include "framework/IPluginBase.h"
#include "tests/editor/RecordingGraphics.h"

class TestPlugin : public IPluginBase {
 public:
  explicit TestPlugin(int nParams = 3, const char* channelIO = "1-1 2-2", int nPresets = 4)
      : IPluginBase(nParams, channelIO, nPresets, "Test Effect", "Test Product", "Test Maker",
                    0x00010203, 0x54657374, 0x4D616B72, 0, false, false, false) {}

  void OnParamChange(int paramIdx) override { changes.push_back(paramIdx); }
  void BeginInformHostOfParamChange(int paramIdx) override { begun.push_back(paramIdx); }
  void InformHostOfParamChange(int paramIdx, double value) override {
    informed.push_back({paramIdx, value});
  }
  void EndInformHostOfParamChange(int paramIdx) override { ended.push_back(paramIdx); }
  int GetSamplePos() override { return 0; }
  double GetTempo() override { return tempo; }
  void GetTimeSig(int* num, int* denom) override { *num = 4, *denom = 4; }
  void ResizeGraphics(int w, int h) override { resized.push_back({w, h}); }
  void HostSpecificInit() override {}
  bool SendMidiMsg(IMidiMsg* msg) override {
    sent.push_back(*msg);
    return true;
  }
  bool SendMidiMsgs(Core_TypedBuf<IMidiMsg>*) override { return true; }

  // Exposes the state the tests check.
  int ActivePreset() const { return mActivePreset; }
  int HostKind() const { return mHostKind; }
  IPreset* Preset(int idx) { return mPresetSlots.Get(idx); }

  std::vector<int> changes;
  std::vector<std::pair<int, double>> informed;
  std::vector<IMidiMsg> sent;
  std::vector<int> begun, ended;  // gesture brackets, by parameter
  std::vector<std::pair<int, int>> resized;
  double tempo = 120.0;
};

// An editor with one probe control per parameter, logging what the plug-in base pushes ("p1 plug
// 0.250000") and "prep" when it prepares drawing.
class RecordingEditor : public RecordingGraphics {
 public:
  explicit RecordingEditor(IPluginBase* plug, int* pDeleted = nullptr)
      : RecordingGraphics(plug, 100, 100) {
    deleted = pDeleted;
    for (int i = 0; i < plug->NParams(); ++i) {
      const std::string name = "p" + std::to_string(i);
      AttachControl(new ProbeControl(plug, IRECT(i, 0, i + 1, 1), i, &log, name.c_str()));
    }
  }
};
