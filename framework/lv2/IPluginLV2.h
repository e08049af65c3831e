#pragma once
// The LV2 wrapper: makes a plug-in built on IPluginBase an LV2 plug-in, as the Audio Unit wrapper
// makes it a component. Every channel configuration of the plug-in becomes one LV2 plug-in
// ("1-1 2-2" gives "<uri>/mono" and "<uri>/stereo"), all in one shared object.
//
// A host reaches them through lv2_descriptor, which the plug-in's module forwards to
// IPluginLV2::Descriptor. The descriptor's functions map the LV2 life cycle onto the base:
//   instantiate     MakePlug, then sample rate, channels and block size   (IPluginLV2.cpp)
//   activate        Reset, every parameter's change handler, OnActivate(true)
//   deactivate      OnActivate(false)
//   cleanup         deletes the plug-in
//   extension_data  the state interface
//   connect_port    remembers the host's buffer for a port                 (IPluginLV2_Run.cpp)
//   run             control ports that changed become parameter values, then ProcessBuffers
//   state save / restore: the parameter state of the base                 (IPluginLV2_State.cpp)
//
// Ports, in index order: one control input per parameter (port i is parameter i, in the
// parameter's own units), then the audio inputs, then the audio outputs of the configuration.
// The Turtle that describes them is written from the same plug-in by WriteLV2Bundle.
//
// Threads. LV2 keeps run() and every other call apart except state save, which may run while
// the audio thread is in run(). run() never waits for the plug-in mutex: when a save holds it,
// that block is processed with the parameters as they are and the control ports are read at
// the next block.

#include <lv2/core/lv2.h>
#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

#include <cstdint>

#include "core/Core_String.h"
#include "core/Core_TypedBuf.h"
#include "framework/IPluginBase.h"
#include "framework/IPluginInstanceInfo.h"

// The LV2 plug-ins of the module, one per channel configuration (IPluginLV2.cpp).
struct LV2Registry;

class IPluginLV2 : public IPluginBase {
 public:
  // Frames handed to the plug-in per ProcessBuffers call; a longer run() is cut into blocks.
  static constexpr int kBlockSize = 1024;
  // Sample rates an instance accepts; a host offering another rate gets no instance.
  static constexpr double kMinSampleRate = 1000.0;
  static constexpr double kMaxSampleRate = 1536000.0;

  IPluginLV2(IPluginInstanceInfo instanceInfo, int nParams, const char* channelIOStr, int nPresets,
             const char* effectName, const char* productName, const char* mfrName,
             int vendorVersion, int uniqueID, int mfrID, int latency, bool plugDoesMidi,
             bool plugDoesChunks, bool plugIsInst);
  ~IPluginLV2() override;

  // ---- Plug-in entry ----
  // The descriptor of the plug-in's index-th channel configuration, or null past the last one.
  // The first call makes one instance of the plug-in to read its configurations.
  static const LV2_Descriptor* Descriptor(uint32_t index);
  // The URI of the plug-in for a channel configuration: "<plugin URI>/<VariantName>".
  static Core_String VariantURI(const char* pluginURI, int nIn, int nOut);
  // "mono" for 1-1, "stereo" for 2-2, otherwise "<in>in<out>out".
  static Core_String VariantName(int nIn, int nOut);

  // ---- Base operations supplied by the wrapper ----
  // An LV2 plug-in without a user interface has no channel for telling the host about changes
  // or for asking about the transport: these report nothing and the defaults below.
  void BeginInformHostOfParamChange(int) override {}
  void InformHostOfParamChange(int, double) override {}
  void EndInformHostOfParamChange(int) override {}
  int GetSamplePos() override { return 0; }
  double GetTempo() override { return 120.0; }
  void GetTimeSig(int*, int*) override {}
  // The host is recognised by the name of the running program.
  int GetHost() override;
  void ResizeGraphics(int, int) override {}
  void HostSpecificInit() override;
  void SetBlockSize(int blockSize) override;
  bool SendMidiMsg(IMidiMsg* pMsg) override;
  bool SendMidiMsgs(Core_TypedBuf<IMidiMsg>* pMsgs) override;

  const char* GetPluginURI() const { return mPluginURI.Get(); }
  int NAudioInputs() const { return mNAudioIn; }
  int NAudioOutputs() const { return mNAudioOut; }
  int NPorts() const { return NParams() + mNAudioIn + mNAudioOut; }

 protected:
  // Built on first use, once per process, from one instance of the plug-in.
  static const LV2Registry& Registry();

  // ---- Life cycle (LV2 calls, with the instance as the handle) ----
  static LV2_Handle Instantiate(const LV2_Descriptor* descriptor, double sampleRate,
                                const char* bundlePath, const LV2_Feature* const* features);
  static void ConnectPort(LV2_Handle instance, uint32_t port, void* data);
  static void Activate(LV2_Handle instance);
  static void Run(LV2_Handle instance, uint32_t nFrames);
  static void Deactivate(LV2_Handle instance);
  static void Cleanup(LV2_Handle instance);
  static const void* ExtensionData(const char* uri);
  static LV2_State_Status StateSave(LV2_Handle instance, LV2_State_Store_Function store,
                                    LV2_State_Handle handle, uint32_t flags,
                                    const LV2_Feature* const* features);
  static LV2_State_Status StateRestore(LV2_Handle instance, LV2_State_Retrieve_Function retrieve,
                                       LV2_State_Handle handle, uint32_t flags,
                                       const LV2_Feature* const* features);

  // Takes the instance to the configuration nIn-nOut at sampleRate; false when it cannot run.
  bool Setup(int nIn, int nOut, double sampleRate, const LV2_Feature* const* features);
  // Activation with the plug-in mutex held.
  void ActivateLocked();
  void DoRun(uint32_t nFrames);
  // Control ports whose value the host changed since the last look become parameter values.
  void ApplyControlPorts();
  // Audio in blocks of at most the block size; unconnected inputs read silence and unconnected
  // outputs write into a buffer nobody reads.
  void ProcessAudio(uint32_t nFrames);
  LV2_State_Status SaveState(LV2_State_Store_Function store, LV2_State_Handle handle);
  LV2_State_Status RestoreState(LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle);

  Core_String mPluginURI;
  int mNAudioIn;
  int mNAudioOut;
  bool mActive;
  // The host's buffer of every port (null until connected).
  Core_TypedBuf<void*> mPortData;
  // The bits of each control port's value when run() last looked at it.
  Core_TypedBuf<uint32_t> mLastPortBits;
  Core_TypedBuf<float> mSilence;
  Core_TypedBuf<float> mDiscard;
  // State keys and value types, mapped when the host offers urid:map.
  LV2_URID_Map* mMap;
  LV2_URID mParamStateKey;
  LV2_URID mPresetNameKey;
  LV2_URID mAtomChunk;
  LV2_URID mAtomString;
};

// The plug-in's factory: a new instance of the plug-in class, owned by the caller. Every plug-in
// built as an LV2 module defines it.
IPluginLV2* MakePlug();
