#pragma once
// A small trim effect on the framework core: output gain in dB and a polarity switch. It stands in
// for a real plug-in when demonstrating the processing path without any host wrapper.

#include "framework/IPluginBase.h"

class DemoTrim : public IPluginBase {
 public:
  enum EParams { kGain = 0, kInvert, kNumParams };

  DemoTrim();

  void OnParamChange(int paramIdx) override;
  void ProcessDoubleReplacing(double** inputs, double** outputs, int nFrames) override;

  // No host: notifications are counted, transport is fixed.
  void BeginInformHostOfParamChange(int) override {}
  void InformHostOfParamChange(int, double) override { ++mHostNotifications; }
  void EndInformHostOfParamChange(int) override {}
  int GetSamplePos() override { return 0; }
  double GetTempo() override { return 120.0; }
  void GetTimeSig(int* pNum, int* pDenom) override { *pNum = 4, *pDenom = 4; }
  void ResizeGraphics(int, int) override {}
  void HostSpecificInit() override {}
  bool SendMidiMsg(IMidiMsg*) override { return false; }
  bool SendMidiMsgs(Core_TypedBuf<IMidiMsg>*) override { return false; }

  int HostNotifications() const { return mHostNotifications; }
  double CurrentGain() const { return mGain; }

 private:
  double mGain = 1.0;
  int mHostNotifications = 0;
};
