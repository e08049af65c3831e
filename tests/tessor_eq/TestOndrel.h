#pragma once
// The equaliser on the plain plug-in base, with the host-side operations stubbed and its
// filters open to inspection.

#include <cmath>
#include <vector>

#include "tessor_eq/ondrel.h"

class TestOndrel : public ondrel {
 public:
  void BeginInformHostOfParamChange(int) override {}
  void InformHostOfParamChange(int, double) override {}
  void EndInformHostOfParamChange(int) override {}
  int GetSamplePos() override { return 0; }
  double GetTempo() override { return 0.0; }
  void GetTimeSig(int* num, int* denom) override { *num = 4, *denom = 4; }
  void ResizeGraphics(int, int) override {}
  void HostSpecificInit() override {}
  bool SendMidiMsg(IMidiMsg*) override { return false; }
  bool SendMidiMsgs(Core_TypedBuf<IMidiMsg>*) override { return false; }

  // Sets a parameter's real value and notifies the plug-in, as a host would.
  void Set(int idx, double value) {
    GetParam(idx)->Set(value);
    OnParamChange(idx);
  }

  // Host initialisation: every parameter handler once, stereo or mono channels connected.
  void Initialize(bool stereo) {
    SetBlockSize(4096);
    SetInputChannelConnections(0, stereo ? 2 : 1, true);
    SetOutputChannelConnections(0, stereo ? 2 : 1, true);
    SetInputChannelConnections(stereo ? 2 : 1, 2, false);
    SetOutputChannelConnections(stereo ? 2 : 1, 2, false);
    OnParamReset();
  }

  // Runs doubles straight through ProcessDoubleReplacing.
  void Run(std::vector<double>& l, std::vector<double>* r) {
    double* in[2] = {l.data(), r ? r->data() : nullptr};
    std::vector<double> ol(l.size()), orr(l.size());
    double* out[2] = {ol.data(), r ? orr.data() : nullptr};
    ProcessDoubleReplacing(in, out, static_cast<int>(l.size()));
    l = ol;
    if (r) *r = orr;
  }

  rbjfilter& AaIn() { return aaInFilter; }
  rbjfilter& AaOut() { return aaOutFilter; }
  rbjfilter& HighPass() { return highPass; }
  rbjfilter& LowShelf() { return lowShelf; }
  rbjfilter& MidBand1() { return midBand1; }
  rbjfilter& MidBand2() { return midBand2; }
  rbjfilter& HighShelf() { return highShelf; }
  bool HighPassOn() const { return highPassOn; }
  double OutGain() const { return outGain; }
  double OutGainDb() const { return outGainDb; }
  IPreset* Preset(int idx) { return mPresetSlots.Get(idx); }
};
