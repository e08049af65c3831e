#include "DemoTrim.h"

DemoTrim::DemoTrim()
    : IPluginBase(kNumParams, "1-1 2-2", 8, "Demo Trim", "", "Fenwarde Audio", 0x00010000,
                  0x446D5472 /* 'DmTr' */, 0x466E7764 /* 'Fnwd' */, 0, false, false, false) {
  GetParam(kGain)->InitDouble("Gain", 0.0, -20.0, 10.0, 0.1, "dB");
  GetParam(kInvert)->InitBool("Invert", false);
  MakeDefaultPreset();
  MakePreset("Quiet", -12.0, 0);
  MakePresetFromNamedParams("Flip", 1, kInvert, 1);
  PruneUninitializedPresets();
  OnParamReset();
}

void DemoTrim::OnParamChange(int) {
  Core_MutexLock lock(&mPlugLock);
  double sign = GetParam(kInvert)->Value() >= 0.5 ? -1.0 : 1.0;
  mGain = sign * GetParam(kGain)->DBToAmp();
}

void DemoTrim::ProcessDoubleReplacing(double** inputs, double** outputs, int nFrames) {
  const double gain = mGain;
  for (int c = 0; c < NOutChannels(); ++c) {
    const double* in = inputs[c];
    double* out = outputs[c];
    for (int s = 0; s < nFrames; ++s) out[s] = gain * in[s];
  }
}
