#pragma once
// The Audio Unit wrapper: makes a plug-in built on IPluginBase an Audio Unit effect component.
//
// A host reaches an instance through one C entry function that forwards to IPluginAUEntry. The
// entry creates the plug-in (through the plug-in's MakePlug) on open, deletes it on close and
// dispatches every other selector under the plug-in mutex. The work is split by job:
//   IPluginAU.cpp             construction, buses, block size, host identification
//   IPluginAU_Entry.cpp       the entry point, selector dispatch and the fast-dispatch table
//   IPluginAU_Properties.cpp  GetProperty (one handler per property family) / SetProperty
//   IPluginAU_CFStrings.cpp   UTF-8 text to and from CFStrings
//   IPluginAU_Render.cpp      buses, input connections, channel checks and RenderProc
//   IPluginAU_State.cpp       saved state, parameter procedures, notifications, transport
//   IPluginAU_Views.cpp       the Cocoa view factory and the Carbon view component's entry

#include <AudioToolbox/AudioUnitUtilities.h>
#include <AudioUnit/AudioUnit.h>
#include <CoreFoundation/CoreFoundation.h>

#include "core/Core_PtrList.h"
#include "core/Core_String.h"
#include "core/Core_TypedBuf.h"
#include "framework/IPluginBase.h"
#include "framework/IPluginInstanceInfo.h"

// Maximum number of channels an input bus may deliver in one pull (the pull's buffer list lives
// on the stack).
constexpr int kMaxBusPullBuffers = 128;

class IPluginAU : public IPluginBase {
 public:
  // One record per bus and side. Bus i covers the plug-in channels 2i and 2i+1 (as far as they
  // exist).
  struct BusChannels {
    bool mBusActive;
    int32_t mHostChannelCount;  // set by the host's stream format; -1 = not set
    int32_t mPlugChannelCount;
    int32_t mFirstPlugChannel;
  };

  enum EAUInputType {
    NotConnected = 0,
    DirectFastProc = 1,
    DirectNoFastProc = 2,
    RenderCallback = 3
  };

  // Where an input bus's audio comes from. Cleared means all fields zero.
  struct InputBusConnection {
    void* mSourceObject;
    AudioUnit mSourceUnit;
    UInt32 mSourceOutput;
    AudioUnitRenderProc mSourceRenderProc;
    AURenderCallbackStruct mHostCallback;
    EAUInputType mKind;
  };

  struct RenderNotification {
    AURenderCallback mProc;
    void* mUserData;
  };

  struct PropertyListener {
    AudioUnitPropertyID mWatchedProperty;
    AudioUnitPropertyListenerProc mNotifyProc;
    void* mNotifyUserData;
  };

  IPluginAU(IPluginInstanceInfo instanceInfo, int nParams, const char* channelIOStr, int nPresets,
            const char* effectName, const char* productName, const char* mfrName, int vendorVersion,
            int uniqueID, int mfrID, int latency, bool plugDoesMidi, bool plugDoesChunks,
            bool plugIsInst);
  // The same without instance information (no bundle, no view factory): for plug-ins made
  // outside a component, such as in tools and tests of the signal path.
  IPluginAU(int nParams, const char* channelIOStr, int nPresets, const char* effectName,
            const char* productName, const char* mfrName, int vendorVersion, int uniqueID,
            int mfrID, int latency, bool plugDoesMidi, bool plugDoesChunks, bool plugIsInst);
  ~IPluginAU() override;

  // ---- Component entry ----
  static ComponentResult IPluginAUEntry(ComponentParameters* params, void* pPlug);
  // The entry of the plug-in's Carbon view component ('auvw', the plug-in's codes): open and
  // close of a view instance (pView is its record) and the create selector, which opens the
  // plug-in's editor in the host's Carbon window (IPluginAU_Views.cpp).
  static ComponentResult IPluginAUCarbonViewEntry(ComponentParameters* params, void* pView);
  // Fast dispatch: the procedure for a get-parameter, set-parameter or render selector.
  ComponentResult GetProc(unsigned long selector, unsigned long* pDataSize, void* pData);

  // ---- Base operations supplied by the wrapper ----
  void BeginInformHostOfParamChange(int paramIdx) override;
  void InformHostOfParamChange(int paramIdx, double normalizedValue) override;
  void EndInformHostOfParamChange(int paramIdx) override;
  int GetSamplePos() override;
  double GetTempo() override;
  void GetTimeSig(int* pNum, int* pDenom) override;
  int GetHost() override;
  void ResizeGraphics(int, int) override {}
  void HostSpecificInit() override;
  void SetBlockSize(int blockSize) override;
  void SetLatency(int samples) override;
  bool SendMidiMsg(IMidiMsg* pMsg) override;
  bool SendMidiMsgs(Core_TypedBuf<IMidiMsg>* pMsgs) override;

  // ---- Properties ----
  ComponentResult GetProperty(AudioUnitPropertyID propID, AudioUnitScope scope,
                              AudioUnitElement element, UInt32* pDataSize, Boolean* pWriteable,
                              void* pData);
  ComponentResult SetProperty(AudioUnitPropertyID propID, AudioUnitScope scope,
                              AudioUnitElement element, UInt32 dataSize, const void* pData);

  // ---- Render path ----
  static ComponentResult RenderProc(void* pPlug, AudioUnitRenderActionFlags* pFlags,
                                    const AudioTimeStamp* pTimestamp, UInt32 outputBusIdx,
                                    UInt32 nFrames, AudioBufferList* pBufferList);
  static void MakeDefaultASBD(AudioStreamBasicDescription* pASBD, double sampleRate, int nChannels,
                              bool interleaved);
  static const char* AUInputTypeStr(EAUInputType type);

  // ---- State and parameters ----
  ComponentResult GetState(CFPropertyListRef* ppPropList);
  ComponentResult SetState(CFPropertyListRef pPropList);
  static ComponentResult GetParamProc(void* pPlug, AudioUnitParameterID paramID,
                                      AudioUnitScope scope, AudioUnitElement element,
                                      AudioUnitParameterValue* pValue);
  static ComponentResult SetParamProc(void* pPlug, AudioUnitParameterID paramID,
                                      AudioUnitScope scope, AudioUnitElement element,
                                      AudioUnitParameterValue value, UInt32 offsetFrames);
  void InformListeners(AudioUnitPropertyID propID, AudioUnitScope scope);

  bool IsInitialized() const { return mInitialized; }

 protected:
  // One GetProperty call: the property, scope and element asked about, and where the answer
  // goes. mData is null when the host asks only for the size and writability.
  struct PropertyQuery {
    AudioUnitPropertyID mID;
    AudioUnitScope mScope;
    AudioUnitElement mElement;
    UInt32* mSize;
    Boolean* mWriteable;
    void* mData;
    bool Global() const { return mScope == kAudioUnitScope_Global; }
  };
  // GetProperty hands each property to the handler of its family.
  ComponentResult GetUnitProperty(const PropertyQuery& q);
  ComponentResult GetBusProperty(const PropertyQuery& q);
  ComponentResult GetParameterProperty(const PropertyQuery& q);
  ComponentResult GetStateProperty(const PropertyQuery& q);
  ComponentResult GetViewProperty(const PropertyQuery& q);

  // The parameter a host names by its ID, or null for an ID beyond the parameter list.
  IParam* GetParamByID(AudioUnitParameterID id) const {
    return id < static_cast<UInt32>(NParams()) ? GetParam(static_cast<int>(id)) : nullptr;
  }

  // ---- Buses and connections ----
  BusChannels* GetBus(AudioUnitScope scope, AudioUnitElement element);
  int NHostChannelsConnected(Core_PtrList<BusChannels>* pBuses, int excludeIdx);
  bool CheckLegalIO();
  bool CheckLegalIO(AudioUnitScope scope, int busIdx, int nChannels);
  void AssessInputConnections();
  void ClearConnections();
  ComponentResult SetStreamFormat(AudioUnitScope scope, AudioUnitElement element,
                                  const AudioStreamBasicDescription* pASBD);
  ComponentResult MakeConnection(const AudioUnitConnection* pConn);

  // ---- Listeners and notifications ----
  void AddPropertyListener(AudioUnitPropertyID propID, AudioUnitPropertyListenerProc proc,
                           void* userData);
  void RemovePropertyListener(AudioUnitPropertyID propID, AudioUnitPropertyListenerProc proc,
                              bool matchUserData, void* userData);
  void CallRenderNotifications(AudioUnitRenderActionFlags flags, const AudioTimeStamp* pTimestamp,
                               UInt32 outputBusIdx, UInt32 nFrames, AudioBufferList* pBufferList);

  // ---- Selector handlers ----
  ComponentResult DoInitialize();
  ComponentResult DoUninitialize();
  ComponentResult DoScheduleParameters(const AudioUnitParameterEvent* pEvents, UInt32 nEvents);

  Core_String mBundleIdentifier;
  Core_String mViewFactoryClass;
  ComponentInstance mComponent;
  bool mInitialized;
  bool mBypass;
  double mLastRenderSampleTime;
  double mLastTempo;
  HostCallbackInfo mHostTransport;
  Core_TypedBuf<float> mInputScratch;
  Core_TypedBuf<float> mOutputScratch;
  Core_PtrList<RenderNotification> mRenderNotifications;
  Core_PtrList<BusChannels> mInputBuses;
  Core_PtrList<BusChannels> mOutputBuses;
  Core_PtrList<InputBusConnection> mInputConnections;
  Core_PtrList<PropertyListener> mPropertyListeners;
};

// Posts a parameter event (value change or gesture) for paramIdx of the instance ci to every
// event listener of the process.
void SendAUEvent(AudioUnitEventType type, ComponentInstance ci, int paramIdx);

// The plug-in's factory: a new instance of the plug-in class, owned by the caller. Every plug-in
// built as a component defines it.
IPluginAU* MakePlug();
