// The LV2 entry of the wrapper: the descriptors, instantiation and the rest of the life cycle,
// host identification and MIDI output.
#include "framework/lv2/IPluginLV2.h"

#include <lv2/atom/atom.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "framework/IPluginUtilities.h"

#define TRACELOC __FUNCTION__, __LINE__

namespace {

// A value no port has yet been seen holding: a NaN with every payload bit set.
constexpr uint32_t kPortNeverSeen = 0xFFFFFFFFu;

}  // namespace

struct LV2Registry {
  struct Variant {
    Core_String uri;
    int nIn;
    int nOut;
  };
  std::vector<Variant> variants;
  std::vector<LV2_Descriptor> descriptors;  // descriptors[i] is variants[i]
};

IPluginLV2::IPluginLV2(IPluginInstanceInfo instanceInfo, int nParams, const char* channelIOStr,
                       int nPresets, const char* effectName, const char* productName,
                       const char* mfrName, int vendorVersion, int uniqueID, int mfrID, int latency,
                       bool plugDoesMidi, bool plugDoesChunks, bool plugIsInst)
    : IPluginBase(nParams, channelIOStr, nPresets, effectName, productName, mfrName, vendorVersion,
                  uniqueID, mfrID, latency, plugDoesMidi, plugDoesChunks, plugIsInst),
      mPluginURI(instanceInfo.mPluginURI),
      mNAudioIn(0),
      mNAudioOut(0),
      mActive(false),
      mPortData(4096),
      mLastPortBits(4096),
      mSilence(4096),
      mDiscard(4096),
      mMap(nullptr),
      mParamStateKey(0),
      mPresetNameKey(0),
      mAtomChunk(0),
      mAtomString(0) {
  Trace(TRACELOC, "%s", effectName ? effectName : "");
}

IPluginLV2::~IPluginLV2() { Trace(TRACELOC, "%s", GetEffectName()); }

Core_String IPluginLV2::VariantName(int nIn, int nOut) {
  Core_String name;
  if (nIn == 1 && nOut == 1)
    name.Set("mono");
  else if (nIn == 2 && nOut == 2)
    name.Set("stereo");
  else
    name.SetFormatted(64, "%din%dout", nIn, nOut);
  return name;
}

Core_String IPluginLV2::VariantURI(const char* pluginURI, int nIn, int nOut) {
  Core_String uri(pluginURI);
  uri.Append("/");
  uri.Append(VariantName(nIn, nOut).Get());
  return uri;
}

const LV2Registry& IPluginLV2::Registry() {
  // Thread-safe static initialisation: the plug-in's channel configurations and URI decide the
  // plug-ins the module offers.
  static const LV2Registry registry = [] {
    LV2Registry r;
    IPluginLV2* probe = MakePlug();
    for (int i = 0; probe && i < probe->NChannelIO(); ++i) {
      int nIn = 0, nOut = 0;
      probe->GetChannelIO(i, &nIn, &nOut);
      r.variants.push_back({VariantURI(probe->GetPluginURI(), nIn, nOut), nIn, nOut});
    }
    delete probe;
    // The URIs are taken once the variants no longer move.
    for (const LV2Registry::Variant& v : r.variants) {
      r.descriptors.push_back({v.uri.Get(), Instantiate, ConnectPort, Activate, Run, Deactivate,
                               Cleanup, ExtensionData});
    }
    return r;
  }();
  return registry;
}

const LV2_Descriptor* IPluginLV2::Descriptor(uint32_t index) {
  const LV2Registry& registry = Registry();
  return index < registry.descriptors.size() ? &registry.descriptors[index] : nullptr;
}

LV2_Handle IPluginLV2::Instantiate(const LV2_Descriptor* descriptor, double sampleRate, const char*,
                                   const LV2_Feature* const* features) {
  const LV2Registry& registry = Registry();
  size_t idx = 0;
  while (idx < registry.descriptors.size() && &registry.descriptors[idx] != descriptor) ++idx;
  if (idx == registry.descriptors.size()) return nullptr;
  // A rate outside what audio hosts use (0, negative, NaN, absurdly high) gets no instance: the
  // plug-in's filters are designed for real audio rates.
  if (!(sampleRate >= kMinSampleRate && sampleRate <= kMaxSampleRate)) return nullptr;
  IPluginLV2* plug = MakePlug();
  if (plug &&
      !plug->Setup(registry.variants[idx].nIn, registry.variants[idx].nOut, sampleRate, features)) {
    delete plug;
    plug = nullptr;
  }
  return plug;
}

bool IPluginLV2::Setup(int nIn, int nOut, double sampleRate, const LV2_Feature* const* features) {
  Trace(TRACELOC, "%d:%d:%f", nIn, nOut, sampleRate);
  if (!LegalIO(nIn, nOut)) return false;
  mNAudioIn = nIn;
  mNAudioOut = nOut;
  const int nParams = NParams();
  if (!mPortData.Resize(NPorts()) || (nParams > 0 && !mLastPortBits.Resize(nParams))) return false;
  memset(mPortData.Get(), 0, sizeof(void*) * static_cast<size_t>(NPorts()));
  for (int i = 0; i < nParams; ++i) mLastPortBits.Get()[i] = kPortNeverSeen;

  SetInputChannelConnections(0, nIn, true);
  SetInputChannelConnections(nIn, NInChannels() - nIn, false);
  SetOutputChannelConnections(0, nOut, true);
  SetOutputChannelConnections(nOut, NOutChannels() - nOut, false);
  SetSampleRate(sampleRate);
  SetBlockSize(kBlockSize);
  if (GetBlockSize() != kBlockSize) return false;

  for (int i = 0; features && features[i]; ++i) {
    if (!strcmp(features[i]->URI, LV2_URID__map) && features[i]->data)
      mMap = static_cast<LV2_URID_Map*>(features[i]->data);
  }
  if (mMap) {
    Core_String key(mPluginURI.Get());
    key.Append("#parameter-state");
    mParamStateKey = mMap->map(mMap->handle, key.Get());
    key.Set(mPluginURI.Get());
    key.Append("#preset-name");
    mPresetNameKey = mMap->map(mMap->handle, key.Get());
    mAtomChunk = mMap->map(mMap->handle, LV2_ATOM__Chunk);
    mAtomString = mMap->map(mMap->handle, LV2_ATOM__String);
  }

  // As the Audio Unit entry does on open: the host first, then only filled presets remain.
  HostSpecificInit();
  PruneUninitializedPresets();
  return true;
}

void IPluginLV2::SetBlockSize(int blockSize) {
  Trace(TRACELOC, "%d", blockSize);
  if (blockSize < 0) blockSize = 0;
  mSilence.Resize(blockSize);
  mDiscard.Resize(blockSize);
  // A block size whose buffers could not be had is not taken.
  if (mSilence.GetSize() != blockSize || mDiscard.GetSize() != blockSize) {
    mSilence.Resize(0);
    mDiscard.Resize(0);
    blockSize = 0;
  }
  if (mSilence.Get()) memset(mSilence.Get(), 0, sizeof(float) * static_cast<size_t>(blockSize));
  IPluginBase::SetBlockSize(blockSize);
}

void IPluginLV2::Activate(LV2_Handle instance) {
  IPluginLV2* plug = static_cast<IPluginLV2*>(instance);
  if (!plug) return;
  Core_MutexLock lock(&plug->mPlugLock);
  plug->ActivateLocked();
}

void IPluginLV2::ActivateLocked() {
  Trace(TRACELOC, "%s", "");
  // As the Audio Unit's reset and initialise: the plug-in resets, then every parameter's change
  // handler runs, which is when the plug-in takes the host's sample rate.
  Reset();
  OnParamReset();
  OnActivate(true);
  mActive = true;
}

void IPluginLV2::Deactivate(LV2_Handle instance) {
  IPluginLV2* plug = static_cast<IPluginLV2*>(instance);
  if (!plug) return;
  Trace(TRACELOC, "%s", "");
  Core_MutexLock lock(&plug->mPlugLock);
  plug->OnActivate(false);
  plug->mActive = false;
}

void IPluginLV2::Cleanup(LV2_Handle instance) { delete static_cast<IPluginLV2*>(instance); }

const void* IPluginLV2::ExtensionData(const char* uri) {
  static const LV2_State_Interface sState = {StateSave, StateRestore};
  if (uri && !strcmp(uri, LV2_STATE__interface)) return &sState;
  return nullptr;
}

void IPluginLV2::HostSpecificInit() { GetHost(); }

int IPluginLV2::GetHost() {
  if (mHostKind == kHostUninit) SetHost(program_invocation_short_name, 0);
  return mHostKind;
}

bool IPluginLV2::SendMidiMsg(IMidiMsg*) {
  // The plug-in has no MIDI output port.
  return false;
}

bool IPluginLV2::SendMidiMsgs(Core_TypedBuf<IMidiMsg>* pMsgs) {
  for (int i = 0; pMsgs && i < pMsgs->GetSize(); ++i) SendMidiMsg(pMsgs->Get() + i);
  return true;
}
