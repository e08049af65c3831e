// The audio thread's side of the LV2 wrapper: port connections and run().
//
// run() allocates nothing and never waits. Control ports are read first, so a value the host
// set before calling run() applies to the whole block, then the audio runs through the plug-in
// base in blocks of at most the block size.
#include <cstring>

#include "framework/IPluginUtilities.h"
#include "framework/lv2/IPluginLV2.h"

void IPluginLV2::ConnectPort(LV2_Handle instance, uint32_t port, void* data) {
  IPluginLV2* plug = static_cast<IPluginLV2*>(instance);
  if (!plug || port >= static_cast<uint32_t>(plug->mPortData.GetSize())) return;
  plug->mPortData.Get()[port] = data;
}

void IPluginLV2::Run(LV2_Handle instance, uint32_t nFrames) {
  if (instance) static_cast<IPluginLV2*>(instance)->DoRun(nFrames);
}

void IPluginLV2::DoRun(uint32_t nFrames) {
  // State save is the one call LV2 lets overlap run(); it holds the mutex while it reads the
  // parameters. Rather than wait for it, this block runs on the parameters as they are, and the
  // control ports keep their news for the next block (run() only reads parameters then).
  const bool locked = mPlugLock.TryEnter();
  if (locked) {
    // A host that skipped activate still gets the plug-in set up for its rate.
    if (!mActive) ActivateLocked();
    ApplyControlPorts();
  }
  ProcessAudio(nFrames);
  if (locked) mPlugLock.Leave();
}

void IPluginLV2::ApplyControlPorts() {
  void* const* ports = mPortData.Get();
  uint32_t* lastBits = mLastPortBits.Get();
  for (int i = 0; i < NParams(); ++i) {
    const float* port = static_cast<const float*>(ports[i]);
    if (!port) continue;
    const float value = *port;
    uint32_t bits;
    memcpy(&bits, &value, sizeof(bits));
    if (bits == lastBits[i]) continue;
    lastBits[i] = bits;
    // A port that already holds the parameter's value (as the host restores it after a state
    // restore, rounded to float) leaves the exact value of the state alone.
    IParam* param = GetParam(i);
    if (static_cast<float>(param->Value()) == value) continue;
    // As the Audio Unit's set-parameter: clamped into the range, NaN taken as the minimum.
    param->Set(value);
    OnParamChange(i);
  }
}

void IPluginLV2::ProcessAudio(uint32_t nFrames) {
  const uint32_t block = static_cast<uint32_t>(GetBlockSize());
  if (block == 0) return;
  void* const* ports = mPortData.Get();
  const int firstIn = NParams(), firstOut = NParams() + mNAudioIn;
  for (uint32_t done = 0; done < nFrames;) {
    const uint32_t n = nFrames - done < block ? nFrames - done : block;
    for (int c = 0; c < mNAudioIn; ++c) {
      float* port = static_cast<float*>(ports[firstIn + c]);
      float* in = port ? port + done : mSilence.Get();
      AttachInputBuffers(c, 1, &in, static_cast<int>(n));
    }
    for (int c = 0; c < mNAudioOut; ++c) {
      float* port = static_cast<float*>(ports[firstOut + c]);
      float* out = port ? port + done : mDiscard.Get();
      AttachOutputBuffers(c, 1, &out);
    }
    ProcessBuffers(0.0f, static_cast<int>(n));
    done += n;
  }
}
