// One instance of an Audio Unit effect, opened from a component bundle and driven only
// through the public Audio Unit API, the way a digital audio workstation drives it: stream
// formats, sample rate and maximum frames, an input render callback, parameters, saved
// state, initialize, and render calls with an advancing sample time.
#ifndef TESSOR_CLI_HOSTED_UNIT_H
#define TESSOR_CLI_HOSTED_UNIT_H

#include "host/ComponentBundle.h"

#include <AudioUnit/AudioUnit.h>
#include <CoreFoundation/CoreFoundation.h>

#include <string>
#include <vector>

namespace cli {

// A parameter as the host sees it.
struct ParamInfo {
  AudioUnitParameterID id = 0;
  std::string name;
  AudioUnitParameterUnit unit = kAudioUnitParameterUnit_Generic;
  std::string unitName;  // the label of a custom unit ("dB")
  float minValue = 0, maxValue = 0, defaultValue = 0;
  std::vector<std::string> valueStrings;  // display texts for the values 0, 1, ...

  // "dB", "indexed", "boolean" or "" for a generic unit.
  std::string UnitText() const;
  // Indexed and boolean parameters take whole values only.
  bool IsStepped() const;
};

class HostedUnit {
 public:
  // Loads the bundle, picks its first effect component and opens an instance. Throws a
  // failure naming the bundle when any of that does not work.
  explicit HostedUnit(const std::string& bundlePath);
  ~HostedUnit();
  HostedUnit(const HostedUnit&) = delete;
  HostedUnit& operator=(const HostedUnit&) = delete;

  AudioUnit Unit() const { return mUnit; }
  const host::LoadedBundle& Bundle() const { return mBundle; }
  const host::ComponentEntryInfo& Entry() const { return mEntry; }

  std::vector<ParamInfo> Parameters() const;
  // The unit's display text for a value of a parameter ("" when it has none).
  std::string DisplayText(AudioUnitParameterID id, float value) const;
  void SetParameter(AudioUnitParameterID id, float value);
  float GetParameter(AudioUnitParameterID id) const;

  std::vector<AUChannelInfo> ChannelConfigurations() const;
  std::vector<std::string> FactoryPresetNames() const;
  double LatencySeconds() const;
  double TailSeconds() const;

  // The saved state (the ClassInfo dictionary); the caller releases it.
  CFPropertyListRef CopyState() const;
  // Restores saved state; returns the unit's status (0 when it accepted the state).
  OSStatus RestoreState(CFPropertyListRef state);

  // Stream formats of input and output bus 0 (32-bit float, non-interleaved, at the rate),
  // the sample rate, the maximum frames per render and the input render callback.
  void Configure(double sampleRate, int channels, unsigned maxFrames);
  void Initialize();
  // Renders frames (at most the maximum given to Configure) from in[] into out[], one
  // buffer per channel; the sample time advances by frames with every call.
  void Render(const float* const* in, float* const* out, unsigned frames);

 private:
  static OSStatus InputCallback(void* refCon, AudioUnitRenderActionFlags* flags,
                                const AudioTimeStamp* timeStamp, UInt32 bus, UInt32 frames,
                                AudioBufferList* data);
  double GlobalDouble(AudioUnitPropertyID id) const;

  host::LoadedBundle mBundle;
  host::ComponentEntryInfo mEntry;
  AudioUnit mUnit = nullptr;
  bool mInitialized = false;
  int mChannels = 0;
  unsigned mMaxFrames = 0;
  double mSampleTime = 0;
  const float* const* mPendingInput = nullptr;
  unsigned mPendingFrames = 0;
};

}  // namespace cli

#endif
