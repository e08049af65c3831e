#pragma once
// Host-independent base class of every plug-in: parameters, preset slots, channel
// configurations, per-channel double-precision buffers, the editor and the plug-in mutex.
//
// Processing. A host wrapper attaches host buffers channel by channel (AttachInputBuffers /
// AttachOutputBuffers), then calls ProcessBuffers once per block; the base calls the plug-in's
// ProcessDoubleReplacing with one buffer per channel record and, on the float path, converts the
// results back into the host's buffers. Nothing is allocated while processing: the scratch
// buffers are sized by SetBlockSize.
//
// Block size limit. Call SetBlockSize before processing. Attach and process calls handle at most
// the block size last set (GetBlockSize()) frames: a larger frameCount is cut to it, so the
// scratch buffers are never read or written past their end, and the replacing entries fill the
// host output frames beyond the limit with silence. With a block size of 0 nothing is processed.

#include <cstdint>

#include "core/Core_Mutex.h"
#include "core/Core_PtrList.h"
#include "core/Core_TypedBuf.h"
#include "framework/ByteChunk.h"
#include "framework/IMidiMsg.h"
#include "framework/IParam.h"
#include "framework/IPreset.h"

class IGraphics;  // the editor; its operations the base calls are all in its own header
struct IRECT;

// Size of the effect, product and maker name fields, terminator included.
constexpr int kPluginNameSize = 128;
// The sample rate a plug-in works at until its host sets one.
constexpr double kDefaultSampleRate = 44100.0;

class IPluginBase {
 public:
  struct ChannelIO {
    int32_t mInputs;
    int32_t mOutputs;
  };

  struct InChannel {
    bool mLinked = false;
    double** mSlot = nullptr;            // this channel's slot in mInSlots
    Core_TypedBuf<double> mSpare{4096};  // scratch, block-size doubles
  };

  struct OutChannel {
    bool mLinked = false;
    double** mSlot = nullptr;  // this channel's slot in mOutSlots
    float* mHostFloatOut = nullptr;
    Core_TypedBuf<double> mSpare{4096};
  };

  // channelIOStr: configurations "in-out" separated by single spaces, e.g. "1-1 2-2"; null gives
  // no configuration and no channels. A configuration that does not read as two integers is a
  // programming error and fails an assertion.
  IPluginBase(int nParams, const char* channelIOStr, int nPresets, const char* effectName,
              const char* productName, const char* mfrName, int vendorVersion, int uniqueID,
              int mfrID, int latency, bool plugDoesMidi, bool plugDoesChunks, bool plugIsInst);
  virtual ~IPluginBase();
  IPluginBase(const IPluginBase&) = delete;
  IPluginBase& operator=(const IPluginBase&) = delete;

  // ---- Virtual operations ----
  virtual void Reset();
  virtual void OnParamChange(int paramIdx);
  // Default: copies input channel i to output channel i where both exist, zeroes the other
  // outputs. Called with the plug-in mutex held by the caller.
  virtual void ProcessDoubleReplacing(double** inputs, double** outputs, int frameCount);
  virtual void OnGUIOpen() {}
  virtual void OnGUIClose() {}
  virtual void OnIdle() {}
  virtual void OnActivate(bool active);
  virtual void ProcessMidiMsg(IMidiMsg* pMsg);
  virtual bool MidiNoteName(int noteNumber, char* rName);
  virtual bool SerializeState(ByteChunk* pChunk);
  virtual int UnserializeState(ByteChunk* pChunk, int startPos);
  virtual void BeginInformHostOfParamChange(int paramIdx) = 0;
  virtual void InformHostOfParamChange(int paramIdx, double normalizedValue) = 0;
  virtual void EndInformHostOfParamChange(int paramIdx) = 0;
  virtual int GetSamplePos() = 0;
  virtual double GetTempo() = 0;
  virtual void GetTimeSig(int* pNum, int* pDenom) = 0;
  virtual int GetHost();
  virtual void ResizeGraphics(int w, int h) = 0;
  virtual void UserResizedWindow(IRECT*) {}
  virtual void HostSpecificInit() = 0;
  virtual void AttachGraphics(IGraphics* pGraphics);
  virtual void SetBlockSize(int blockSize);
  virtual void SetLatency(int samples);
  virtual bool SendMidiMsg(IMidiMsg* pMsg) = 0;
  virtual bool SendMidiMsgs(Core_TypedBuf<IMidiMsg>* pMsgs) = 0;

  // ---- Plain accessors ----
  int NParams() const { return mParamList.GetSize(); }
  IParam* GetParam(int idx) const { return mParamList.Get(idx); }
  IGraphics* GetGUI() const { return mEditor; }
  double GetSampleRate() const { return mRate; }
  int GetBlockSize() const { return mMaxBlock; }
  int GetLatency() const { return mDelaySamples; }
  const char* GetEffectName() const { return mEffectLabel; }
  const char* GetProductName() const { return mProductLabel; }
  const char* GetMfrName() const { return mMakerLabel; }
  int GetUniqueID() const { return mPlugCode; }
  int GetMfrID() const { return mMakerCode; }
  int NInChannels() const { return mInputRecs.GetSize(); }
  int NOutChannels() const { return mOutputRecs.GetSize(); }
  int NChannelIO() const { return mLegalConfigs.GetSize(); }
  // The configuration at idx; false for an index outside them.
  bool GetChannelIO(int idx, int* pNIn, int* pNOut) const;
  bool DoesStateChunks() const { return mOwnStateFormat; }
  bool IsInst() const { return mInstrumentFlag; }
  Core_Mutex* GetMutex() { return &mPlugLock; }

  // ---- Channels ----
  // True when some configuration matches; a negative count matches anything.
  bool LegalIO(int nIn, int nOut) const;
  bool IsInChannelConnected(int chIdx) const;
  bool IsOutChannelConnected(int chIdx) const;
  // Connects or disconnects records idx .. idx+n-1 (clipped to the records). Disconnecting points
  // the channel at its own scratch buffer.
  void SetInputChannelConnections(int idx, int n, bool connected);
  void SetOutputChannelConnections(int idx, int n, bool connected);
  void LimitToStereoIO();

  // ppData holds one buffer per connected channel in the range, consumed in order;
  // disconnected channels consume none. Float input is converted into the channel's scratch, so
  // at most GetBlockSize() frames of it are used; a null buffer reads as silence.
  void AttachInputBuffers(int idx, int n, float** ppData, int nFrames);
  void AttachInputBuffers(int idx, int n, double** ppData, int nFrames);
  void AttachOutputBuffers(int idx, int n, float** ppData);
  void AttachOutputBuffers(int idx, int n, double** ppData);

  // The first argument selects the host sample type; its value is ignored.
  void ProcessBuffers(double sampleType, int nFrames);
  void ProcessBuffers(float sampleType, int nFrames);
  void ProcessBuffersAccumulating(float sampleType, int nFrames);

  // ---- Stream settings ----
  void SetSampleRate(double sampleRate) { mRate = sampleRate; }
  double GetSamplesPerBeat();

  // ---- Parameters and the editor ----
  void SetParameterFromGUI(int idx, double normalizedValue);
  void OnParamReset();
  void RedrawParamControls();

  // ---- State and presets ----
  bool SerializeParams(ByteChunk* pChunk);
  int UnserializeParams(ByteChunk* pChunk, int startPos);
  // One value per parameter follows the name, in parameter order: an int for boolean, integer
  // and enumeration parameters, a double for the others.
  void MakePreset(const char* name, ...);
  // nParamsNamed pairs of (int parameter index, value) follow; unnamed parameters keep their
  // current value.
  void MakePresetFromNamedParams(const char* name, int nParamsNamed, ...);
  void MakeDefaultPreset(const char* name = nullptr, int nPresets = 1);
  void EnsureDefaultPreset();
  void PruneUninitializedPresets();
  bool RestorePreset(int idx);
  bool RestorePreset(const char* name);
  const char* GetPresetName(int idx) const;
  void ModifyCurrentPreset(const char* name = nullptr);
  bool SerializePresets(ByteChunk* pChunk);
  int UnserializePresets(ByteChunk* pChunk, int startPos);
  // Writes source text recreating the current values as a preset; once per process.
  void DumpPresetSrcCode(const char* filename, const char* paramEnumNames[]);
  int NPresets() const { return mPresetSlots.GetSize(); }
  int GetCurrentPresetIdx() const { return mActivePreset; }

  // ---- Host and versions ----
  void SetHost(const char* host, int version);
  int GetHostVersion(bool decimal);
  void GetHostVersionStr(char* str);  // str holds kVersionStrSize bytes
  int GetEffectVersion(bool decimal) const;
  void GetEffectVersionStr(char* str) const;

 protected:
  Core_PtrList<ChannelIO> mLegalConfigs;
  char mEffectLabel[kPluginNameSize];
  char mProductLabel[kPluginNameSize];
  char mMakerLabel[kPluginNameSize];
  int32_t mPlugCode;
  int32_t mMakerCode;
  int32_t mPlugVersion;
  int32_t mHostKind;
  int32_t mHostRelease;
  bool mOwnStateFormat;
  bool mInstrumentFlag;
  double mRate;
  int32_t mMaxBlock;
  int32_t mDelaySamples;
  Core_PtrList<IParam> mParamList;
  IGraphics* mEditor;
  Core_PtrList<IPreset> mPresetSlots;
  int32_t mActivePreset;
  Core_TypedBuf<double*> mInSlots;
  Core_TypedBuf<double*> mOutSlots;
  Core_PtrList<InChannel> mInputRecs;
  Core_PtrList<OutChannel> mOutputRecs;
  Core_Mutex mPlugLock;

 private:
  // Frames an attach or process call may handle: nFrames cut to [0, block size].
  int LimitFrames(int nFrames) const;
  // Converts nFrames of every connected output into (or, accumulating, onto) the host's float
  // buffer, and silences the host's frames from nFrames to hostFrames.
  void ConvertOutputs(int nFrames, int hostFrames, bool accumulate);
};
