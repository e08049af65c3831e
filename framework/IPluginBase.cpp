#include "framework/IPluginBase.h"

#include <cstdio>
#include <cstring>

#include "core/Core_Assert.h"
#include "framework/IPluginUtilities.h"
#include "framework/editor/IGraphics.h"

#define TRACELOC __FUNCTION__, __LINE__

namespace {

// Per-sample loops of the processing entry, kept plain so the compiler vectorises them, once
// for each register width on x86-64; the widest the processor has is chosen when the program
// loads. Converting stores two to three times the bytes of a float copy, so the width of the
// stores is what counts. ThreadSanitizer instruments the code that chooses, which runs while
// the program is still being loaded, before the sanitizer is ready: its builds keep one loop.
#if defined(__x86_64__) && !defined(__SANITIZE_THREAD__)
#define EDGE_WIDTHS __attribute__((target_clones("arch=x86-64-v4", "avx2", "default")))
#else
#define EDGE_WIDTHS
#endif

EDGE_WIDTHS void FloatToDouble(double* __restrict dst, const float* __restrict src, int n) {
  for (int s = 0; s < n; ++s) dst[s] = src[s];
}

EDGE_WIDTHS void DoubleToFloat(float* __restrict dst, const double* __restrict src, int n) {
  for (int s = 0; s < n; ++s) dst[s] = static_cast<float>(src[s]);
}

EDGE_WIDTHS void AddDoubleToFloat(float* __restrict dst, const double* __restrict src, int n) {
  for (int s = 0; s < n; ++s) dst[s] += static_cast<float>(src[s]);
}

}  // namespace

IPluginBase::IPluginBase(int nParams, const char* channelIOStr, int nPresets,
                         const char* effectName, const char* productName, const char* mfrName,
                         int vendorVersion, int uniqueID, int mfrID, int latency, bool,
                         bool plugDoesChunks, bool plugIsInst)
    : mLegalConfigs(4096),
      mPlugCode(uniqueID),
      mMakerCode(mfrID),
      mPlugVersion(vendorVersion),
      mHostKind(kHostUninit),
      mHostRelease(0),
      mOwnStateFormat(plugDoesChunks),
      mInstrumentFlag(plugIsInst),
      mRate(kDefaultSampleRate),
      mMaxBlock(0),
      mDelaySamples(latency),
      mParamList(4096),
      mEditor(nullptr),
      mPresetSlots(4096),
      mActivePreset(0),
      mInSlots(4096),
      mOutSlots(4096),
      mInputRecs(4096),
      mOutputRecs(4096) {
  Trace(TRACELOC, "%s", CurrentTime());

  for (int i = 0; i < nParams; ++i) {
    IParam* param = new IParam();
    if (!mParamList.Add(param)) delete param;
  }
  for (int i = 0; i < nPresets; ++i) {
    IPreset* preset = new IPreset(i);
    if (!mPresetSlots.Add(preset)) delete preset;
  }

  CopyTextField(mEffectLabel, effectName, sizeof(mEffectLabel));
  CopyTextField(mProductLabel, productName, sizeof(mProductLabel));
  CopyTextField(mMakerLabel, mfrName, sizeof(mMakerLabel));

  int nInputs = 0, nOutputs = 0;
  while (channelIOStr) {
    int nIn = 0, nOut = 0;
    CORE_ASSERT(sscanf(channelIOStr, "%d-%d", &nIn, &nOut) == 2);
    ChannelIO* config = new ChannelIO{nIn, nOut};
    if (!mLegalConfigs.Add(config)) delete config;
    if (nIn > nInputs) nInputs = nIn;
    if (nOut > nOutputs) nOutputs = nOut;
    channelIOStr = strchr(channelIOStr, ' ');
    if (channelIOStr) ++channelIOStr;
  }

  // The slot arrays never change size afterwards, so the records may keep their slots' addresses.
  mInSlots.Resize(nInputs);
  mOutSlots.Resize(nOutputs);
  nInputs = mInSlots.GetSize();
  nOutputs = mOutSlots.GetSize();
  for (int i = 0; i < nInputs; ++i) {
    mInSlots.Get()[i] = nullptr;
    InChannel* rec = new InChannel();
    rec->mSlot = mInSlots.Get() + i;
    if (!mInputRecs.Add(rec)) delete rec;
  }
  for (int i = 0; i < nOutputs; ++i) {
    mOutSlots.Get()[i] = nullptr;
    OutChannel* rec = new OutChannel();
    rec->mSlot = mOutSlots.Get() + i;
    if (!mOutputRecs.Add(rec)) delete rec;
  }
}

IPluginBase::~IPluginBase() {
  Trace(TRACELOC, "%s", mEffectLabel);
  delete mEditor;
  mEditor = nullptr;
  mParamList.Empty(true);
  mPresetSlots.Empty(true);
  mInputRecs.Empty(true);
  mOutputRecs.Empty(true);
  mLegalConfigs.Empty(true);
}

void IPluginBase::Reset() { Core_MutexLock lock(&mPlugLock); }

void IPluginBase::OnParamChange(int) { Core_MutexLock lock(&mPlugLock); }

void IPluginBase::OnActivate(bool) { Core_MutexLock lock(&mPlugLock); }

void IPluginBase::ProcessDoubleReplacing(double** inputs, double** outputs, int nFrames) {
  int nIn = NInChannels(), nOut = NOutChannels();
  int i = 0;
  for (; i < nIn && i < nOut; ++i) {
    if (inputs[i] != outputs[i] && nFrames > 0)
      memmove(outputs[i], inputs[i], sizeof(double) * static_cast<size_t>(nFrames));
  }
  for (; i < nOut; ++i)
    if (nFrames > 0) memset(outputs[i], 0, sizeof(double) * static_cast<size_t>(nFrames));
}

void IPluginBase::ProcessMidiMsg(IMidiMsg* pMsg) { SendMidiMsg(pMsg); }

bool IPluginBase::MidiNoteName(int, char* rName) {
  *rName = '\0';
  return false;
}

bool IPluginBase::SerializeState(ByteChunk* pChunk) { return SerializeParams(pChunk); }

int IPluginBase::UnserializeState(ByteChunk* pChunk, int startPos) {
  return UnserializeParams(pChunk, startPos);
}

int IPluginBase::GetHost() { return mHostKind; }

void IPluginBase::AttachGraphics(IGraphics* pGraphics) {
  if (!pGraphics) return;
  Core_MutexLock lock(&mPlugLock);
  for (int i = 0; i < NParams(); ++i)
    pGraphics->SetParameterFromPlug(i, GetParam(i)->GetNormalized(), true);
  pGraphics->PrepDraw();
  // A second editor replaces the first, which would otherwise be lost.
  if (mEditor && mEditor != pGraphics) delete mEditor;
  mEditor = pGraphics;
}

void IPluginBase::SetBlockSize(int blockSize) {
  if (blockSize < 0) blockSize = 0;
  if (blockSize == mMaxBlock) return;
  // Resizing may move a scratch buffer: channels that pointed at the old one follow it.
  for (int i = 0; i < NInChannels(); ++i) {
    InChannel* rec = mInputRecs.Get(i);
    double* old = rec->mSpare.Get();
    rec->mSpare.Resize(blockSize);
    double* spare = rec->mSpare.Get();
    if (spare) memset(spare, 0, sizeof(double) * static_cast<size_t>(rec->mSpare.GetSize()));
    if (!rec->mLinked || *rec->mSlot == old) *rec->mSlot = spare;
  }
  for (int i = 0; i < NOutChannels(); ++i) {
    OutChannel* rec = mOutputRecs.Get(i);
    double* old = rec->mSpare.Get();
    rec->mSpare.Resize(blockSize);
    double* spare = rec->mSpare.Get();
    if (spare) memset(spare, 0, sizeof(double) * static_cast<size_t>(rec->mSpare.GetSize()));
    if (!rec->mLinked || *rec->mSlot == old) *rec->mSlot = spare;
  }
  mMaxBlock = blockSize;
}

void IPluginBase::SetLatency(int samples) { mDelaySamples = samples; }

bool IPluginBase::GetChannelIO(int idx, int* pNIn, int* pNOut) const {
  const ChannelIO* config = mLegalConfigs.Get(idx);
  if (!config) return false;
  *pNIn = config->mInputs;
  *pNOut = config->mOutputs;
  return true;
}

bool IPluginBase::LegalIO(int nIn, int nOut) const {
  for (int i = 0; i < NChannelIO(); ++i) {
    const ChannelIO* config = mLegalConfigs.Get(i);
    if ((nIn < 0 || nIn == config->mInputs) && (nOut < 0 || nOut == config->mOutputs)) return true;
  }
  return false;
}

bool IPluginBase::IsInChannelConnected(int chIdx) const {
  const InChannel* rec = mInputRecs.Get(chIdx);
  return rec && rec->mLinked;
}

bool IPluginBase::IsOutChannelConnected(int chIdx) const {
  const OutChannel* rec = mOutputRecs.Get(chIdx);
  return rec && rec->mLinked;
}

void IPluginBase::SetInputChannelConnections(int idx, int n, bool connected) {
  if (idx < 0) {
    n += idx;
    idx = 0;
  }
  for (int i = idx; i < NInChannels() && i - idx < n; ++i) {
    InChannel* rec = mInputRecs.Get(i);
    rec->mLinked = connected;
    if (!connected) *rec->mSlot = rec->mSpare.Get();
  }
}

void IPluginBase::SetOutputChannelConnections(int idx, int n, bool connected) {
  if (idx < 0) {
    n += idx;
    idx = 0;
  }
  for (int i = idx; i < NOutChannels() && i - idx < n; ++i) {
    OutChannel* rec = mOutputRecs.Get(i);
    rec->mLinked = connected;
    if (!connected) *rec->mSlot = rec->mSpare.Get();
  }
}

void IPluginBase::LimitToStereoIO() {
  int nIn = NInChannels(), nOut = NOutChannels();
  if (nIn > 2) SetInputChannelConnections(2, nIn - 2, false);
  for (int i = 2; i < nOut; ++i) mOutputRecs.Get(i)->mLinked = true;
}

int IPluginBase::LimitFrames(int nFrames) const {
  if (nFrames < 0) return 0;
  return nFrames < mMaxBlock ? nFrames : mMaxBlock;
}

void IPluginBase::AttachInputBuffers(int idx, int n, float** ppData, int nFrames) {
  nFrames = LimitFrames(nFrames);
  int next = 0;
  for (int i = idx < 0 ? 0 : idx; i < NInChannels() && i < idx + n; ++i) {
    InChannel* rec = mInputRecs.Get(i);
    if (!rec->mLinked) continue;
    const float* src = ppData ? ppData[next++] : nullptr;
    double* dst = rec->mSpare.Get();
    if (dst) {
      if (src) {
        FloatToDouble(dst, src, nFrames);
      } else if (nFrames > 0) {
        memset(dst, 0, sizeof(double) * static_cast<size_t>(nFrames));  // missing buffer: silence
      }
    }
    *rec->mSlot = dst;
  }
}

void IPluginBase::AttachInputBuffers(int idx, int n, double** ppData, int) {
  int next = 0;
  for (int i = idx < 0 ? 0 : idx; i < NInChannels() && i < idx + n; ++i) {
    InChannel* rec = mInputRecs.Get(i);
    if (!rec->mLinked) continue;
    double* src = ppData ? ppData[next++] : nullptr;
    if (!src) {
      // A missing host buffer is silence.
      src = rec->mSpare.Get();
      if (src) memset(src, 0, sizeof(double) * static_cast<size_t>(rec->mSpare.GetSize()));
    }
    *rec->mSlot = src;
  }
}

void IPluginBase::AttachOutputBuffers(int idx, int n, float** ppData) {
  int next = 0;
  for (int i = idx < 0 ? 0 : idx; i < NOutChannels() && i < idx + n; ++i) {
    OutChannel* rec = mOutputRecs.Get(i);
    if (!rec->mLinked) continue;
    *rec->mSlot = rec->mSpare.Get();
    rec->mHostFloatOut = ppData ? ppData[next++] : nullptr;
  }
}

void IPluginBase::AttachOutputBuffers(int idx, int n, double** ppData) {
  int next = 0;
  for (int i = idx < 0 ? 0 : idx; i < NOutChannels() && i < idx + n; ++i) {
    OutChannel* rec = mOutputRecs.Get(i);
    if (!rec->mLinked) continue;
    double* dst = ppData ? ppData[next++] : nullptr;
    *rec->mSlot = dst ? dst : rec->mSpare.Get();
    // The plug-in writes the host's doubles directly: no float buffer to fill afterwards.
    rec->mHostFloatOut = nullptr;
  }
}

void IPluginBase::ProcessBuffers(double, int nFrames) {
  int frames = LimitFrames(nFrames);
  ProcessDoubleReplacing(mInSlots.Get(), mOutSlots.Get(), frames);
  // Host frames beyond the block size get silence rather than stale data.
  for (int i = 0; i < NOutChannels(); ++i) {
    OutChannel* rec = mOutputRecs.Get(i);
    double* out = *rec->mSlot;
    if (!rec->mLinked || !out || out == rec->mSpare.Get()) continue;
    for (int s = frames; s < nFrames; ++s) out[s] = 0.0;
  }
}

void IPluginBase::ProcessBuffers(float, int nFrames) {
  int frames = LimitFrames(nFrames);
  ProcessDoubleReplacing(mInSlots.Get(), mOutSlots.Get(), frames);
  ConvertOutputs(frames, nFrames, false);
}

void IPluginBase::ProcessBuffersAccumulating(float, int nFrames) {
  int frames = LimitFrames(nFrames);
  ProcessDoubleReplacing(mInSlots.Get(), mOutSlots.Get(), frames);
  ConvertOutputs(frames, frames, true);
}

void IPluginBase::ConvertOutputs(int nFrames, int hostFrames, bool accumulate) {
  for (int i = 0; i < NOutChannels(); ++i) {
    OutChannel* rec = mOutputRecs.Get(i);
    float* dst = rec->mHostFloatOut;
    const double* src = *rec->mSlot;
    if (!rec->mLinked || !dst) continue;
    if (src && accumulate) {
      AddDoubleToFloat(dst, src, nFrames);
    } else if (src) {
      DoubleToFloat(dst, src, nFrames);
    }
    // Host frames beyond the block size get silence rather than stale data.
    for (int s = nFrames; s < hostFrames; ++s) dst[s] = 0.0f;
  }
}

double IPluginBase::GetSamplesPerBeat() {
  double tempo = GetTempo();
  const double kSecondsPerMinute = 60.0;  // tempo is in beats per minute
  return tempo > 0.0 ? mRate * kSecondsPerMinute / tempo : 0.0;
}

void IPluginBase::SetParameterFromGUI(int idx, double normalizedValue) {
  Trace(TRACELOC, "%d:%f", idx, normalizedValue);
  Core_MutexLock lock(&mPlugLock);
  IParam* param = GetParam(idx);
  if (!param) return;
  param->SetNormalized(normalizedValue);
  InformHostOfParamChange(idx, normalizedValue);
  OnParamChange(idx);
}

void IPluginBase::OnParamReset() {
  for (int i = 0; i < NParams(); ++i) OnParamChange(i);
}

void IPluginBase::RedrawParamControls() {
  if (!mEditor) return;
  for (int i = 0; i < NParams(); ++i) mEditor->SetParameterFromPlug(i, GetParam(i)->Value(), false);
}
