#pragma once
// A minimal concrete plug-in and editor for exercising the plug-in base without a host wrapper.

#include <string>
#include <vector>

#include "framework/IPluginBase.h"

class TestPlugin : public IPluginBase {
 public:
  explicit TestPlugin(int nParams = 3, const char* channelIO = "1-1 2-2", int nPresets = 4)
    : IPluginBase(nParams, channelIO, nPresets, "Test Effect", "Test Product", "Test Maker",
                  0x00010203, 0x54657374, 0x4D616B72, 0, false, false, false)
  {
  }

  void OnParamChange(int paramIdx) override { changes.push_back(paramIdx); }
  void BeginInformHostOfParamChange(int) override {}
  void InformHostOfParamChange(int paramIdx, double value) override
  {
    informed.push_back({paramIdx, value});
  }
  void EndInformHostOfParamChange(int) override {}
  int GetSamplePos() override { return 0; }
  double GetTempo() override { return tempo; }
  void GetTimeSig(int* num, int* denom) override { *num = 4, *denom = 4; }
  void ResizeGraphics(int, int) override {}
  void HostSpecificInit() override {}
  bool SendMidiMsg(IMidiMsg* msg) override
  {
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
  double tempo = 120.0;
};

// An editor that records what the plug-in base pushes into it.
class RecordingEditor : public IGraphics {
 public:
  struct Push {
    int idx;
    double value;
    bool normalized;
  };
  explicit RecordingEditor(int* deleted = nullptr) : mDeleted(deleted) {}
  ~RecordingEditor() override
  {
    if (mDeleted) ++*mDeleted;
  }
  void PrepDraw() override { events.push_back("prep"); }
  void SetParameterFromPlug(int idx, double value, bool normalized) override
  {
    pushes.push_back({idx, value, normalized});
    events.push_back("set");
  }
  std::vector<Push> pushes;
  std::vector<std::string> events;

 private:
  int* mDeleted;
};
