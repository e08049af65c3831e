#include "cli/HostedUnit.h"

#include "cli/CliError.h"

#include <cstring>

namespace cli {

namespace {

std::string Status(OSStatus status) { return "error " + std::to_string(status); }

// An AudioBufferList with room for two buffers.
struct StereoBufferList {
  UInt32 mNumberBuffers;
  AudioBuffer mBuffers[2];
};

}  // namespace

std::string ParamInfo::UnitText() const {
  switch (unit) {
    case kAudioUnitParameterUnit_Indexed:
      return "indexed";
    case kAudioUnitParameterUnit_Boolean:
      return "boolean";
    case kAudioUnitParameterUnit_CustomUnit:
      return unitName;
    case kAudioUnitParameterUnit_Decibels:
      return "dB";
    case kAudioUnitParameterUnit_Hertz:
      return "Hz";
    default:
      return "";
  }
}

bool ParamInfo::IsStepped() const {
  return unit == kAudioUnitParameterUnit_Indexed || unit == kAudioUnitParameterUnit_Boolean;
}

HostedUnit::HostedUnit(const std::string& bundlePath) {
  mBundle = host::LoadComponentBundle(bundlePath);
  if (!mBundle.ok())
    throw Failure("cannot load the component '" + bundlePath + "': " + mBundle.message);
  const host::ComponentEntryInfo* chosen = nullptr;
  for (const host::ComponentEntryInfo& c : mBundle.components)
    if (!chosen && c.description.componentType == kAudioUnitType_Effect) chosen = &c;
  if (!chosen && !mBundle.components.empty()) chosen = &mBundle.components[0];
  if (!chosen) throw Failure("the bundle '" + bundlePath + "' lists no component");
  mEntry = *chosen;
  OSStatus status = host::OpenUnit(mEntry.component, &mUnit);
  if (status != noErr || !mUnit) {
    mUnit = nullptr;
    throw Failure("cannot open the component '" + mEntry.name + "' from '" + bundlePath +
                  "': " + Status(status));
  }
}

HostedUnit::~HostedUnit() {
  if (!mUnit) return;
  if (mInitialized) AudioUnitUninitialize(mUnit);
  host::CloseUnit(mUnit);
}

std::vector<ParamInfo> HostedUnit::Parameters() const {
  std::vector<ParamInfo> params;
  UInt32 size = 0;
  Boolean writable = false;
  if (AudioUnitGetPropertyInfo(mUnit, kAudioUnitProperty_ParameterList, kAudioUnitScope_Global, 0,
                               &size, &writable) != noErr)
    return params;
  std::vector<AudioUnitParameterID> ids(size / sizeof(AudioUnitParameterID));
  if (ids.empty()) return params;
  if (AudioUnitGetProperty(mUnit, kAudioUnitProperty_ParameterList, kAudioUnitScope_Global, 0,
                           ids.data(), &size) != noErr)
    throw Failure("the component did not list its parameters");
  ids.resize(size / sizeof(AudioUnitParameterID));

  for (AudioUnitParameterID id : ids) {
    AudioUnitParameterInfo info;
    std::memset(&info, 0, sizeof(info));
    size = sizeof(info);
    if (AudioUnitGetProperty(mUnit, kAudioUnitProperty_ParameterInfo, kAudioUnitScope_Global, id,
                             &info, &size) != noErr)
      throw Failure("the component did not describe parameter " + std::to_string(id));
    ParamInfo p;
    p.id = id;
    if (info.flags & kAudioUnitParameterFlag_HasCFNameString)
      p.name = host::StringFromCF(info.cfNameString);
    if (p.name.empty()) p.name.assign(info.name, strnlen(info.name, sizeof(info.name)));
    p.unit = info.unit;
    if (info.unit == kAudioUnitParameterUnit_CustomUnit)
      p.unitName = host::StringFromCF(info.unitName);
    if (info.flags & kAudioUnitParameterFlag_CFNameRelease) {
      if (info.cfNameString) CFRelease(info.cfNameString);
      if (info.unitName) CFRelease(info.unitName);
    }
    p.minValue = info.minValue;
    p.maxValue = info.maxValue;
    p.defaultValue = info.defaultValue;

    CFArrayRef strings = nullptr;
    size = sizeof(strings);
    if (AudioUnitGetProperty(mUnit, kAudioUnitProperty_ParameterValueStrings,
                             kAudioUnitScope_Global, id, &strings, &size) == noErr &&
        strings) {
      for (CFIndex i = 0; i < CFArrayGetCount(strings); ++i)
        p.valueStrings.push_back(
            host::StringFromCF(static_cast<CFStringRef>(CFArrayGetValueAtIndex(strings, i))));
      CFRelease(strings);
    }
    params.push_back(p);
  }
  return params;
}

std::string HostedUnit::DisplayText(AudioUnitParameterID id, float value) const {
  AudioUnitParameterStringFromValue request;
  std::memset(&request, 0, sizeof(request));
  request.inParamID = id;
  request.inValue = &value;
  UInt32 size = sizeof(request);
  if (AudioUnitGetProperty(mUnit, kAudioUnitProperty_ParameterStringFromValue,
                           kAudioUnitScope_Global, 0, &request, &size) != noErr ||
      !request.outString)
    return "";
  std::string text = host::StringFromCF(request.outString);
  CFRelease(request.outString);
  return text;
}

void HostedUnit::SetParameter(AudioUnitParameterID id, float value) {
  OSStatus status = AudioUnitSetParameter(mUnit, id, kAudioUnitScope_Global, 0, value, 0);
  if (status != noErr)
    throw Failure("the component refused parameter " + std::to_string(id) + ": " + Status(status));
}

float HostedUnit::GetParameter(AudioUnitParameterID id) const {
  AudioUnitParameterValue value = 0;
  OSStatus status = AudioUnitGetParameter(mUnit, id, kAudioUnitScope_Global, 0, &value);
  if (status != noErr)
    throw Failure("the component did not report parameter " + std::to_string(id) + ": " +
                  Status(status));
  return value;
}

std::vector<AUChannelInfo> HostedUnit::ChannelConfigurations() const {
  UInt32 size = 0;
  Boolean writable = false;
  std::vector<AUChannelInfo> configs;
  if (AudioUnitGetPropertyInfo(mUnit, kAudioUnitProperty_SupportedNumChannels,
                               kAudioUnitScope_Global, 0, &size, &writable) != noErr)
    return configs;
  configs.resize(size / sizeof(AUChannelInfo));
  if (configs.empty() ||
      AudioUnitGetProperty(mUnit, kAudioUnitProperty_SupportedNumChannels, kAudioUnitScope_Global,
                           0, configs.data(), &size) != noErr)
    return {};
  configs.resize(size / sizeof(AUChannelInfo));
  return configs;
}

std::vector<std::string> HostedUnit::FactoryPresetNames() const {
  std::vector<std::string> names;
  CFArrayRef presets = nullptr;
  UInt32 size = sizeof(presets);
  if (AudioUnitGetProperty(mUnit, kAudioUnitProperty_FactoryPresets, kAudioUnitScope_Global, 0,
                           &presets, &size) != noErr ||
      !presets)
    return names;
  for (CFIndex i = 0; i < CFArrayGetCount(presets); ++i) {
    const AUPreset* preset = static_cast<const AUPreset*>(CFArrayGetValueAtIndex(presets, i));
    names.push_back(preset ? host::StringFromCF(preset->presetName) : "");
  }
  CFRelease(presets);
  return names;
}

double HostedUnit::GlobalDouble(AudioUnitPropertyID id) const {
  Float64 value = 0;
  UInt32 size = sizeof(value);
  if (AudioUnitGetProperty(mUnit, id, kAudioUnitScope_Global, 0, &value, &size) != noErr) return 0;
  return value;
}

double HostedUnit::LatencySeconds() const { return GlobalDouble(kAudioUnitProperty_Latency); }
double HostedUnit::TailSeconds() const { return GlobalDouble(kAudioUnitProperty_TailTime); }

CFPropertyListRef HostedUnit::CopyState() const {
  CFPropertyListRef state = nullptr;
  UInt32 size = sizeof(state);
  OSStatus status = AudioUnitGetProperty(mUnit, kAudioUnitProperty_ClassInfo,
                                         kAudioUnitScope_Global, 0, &state, &size);
  if (status != noErr || !state)
    throw Failure("the component did not hand out its state: " + Status(status));
  return state;
}

OSStatus HostedUnit::RestoreState(CFPropertyListRef state) {
  return AudioUnitSetProperty(mUnit, kAudioUnitProperty_ClassInfo, kAudioUnitScope_Global, 0,
                              &state, sizeof(state));
}

void HostedUnit::Configure(double sampleRate, int channels, unsigned maxFrames) {
  AudioStreamBasicDescription format;
  std::memset(&format, 0, sizeof(format));
  format.mSampleRate = sampleRate;
  format.mFormatID = kAudioFormatLinearPCM;
  format.mFormatFlags =
      kAudioFormatFlagIsFloat | kAudioFormatFlagIsPacked | kAudioFormatFlagIsNonInterleaved;
  format.mFramesPerPacket = 1;
  format.mChannelsPerFrame = static_cast<UInt32>(channels);
  format.mBitsPerChannel = 32;
  format.mBytesPerPacket = 4;
  format.mBytesPerFrame = 4;

  const std::string layout = channels == 1 ? "mono" : "stereo";
  for (AudioUnitScope scope : {kAudioUnitScope_Input, kAudioUnitScope_Output}) {
    OSStatus status = AudioUnitSetProperty(mUnit, kAudioUnitProperty_StreamFormat, scope, 0,
                                           &format, sizeof(format));
    if (status != noErr)
      throw Failure("the component does not take " + layout + " 32-bit float audio at " +
                    std::to_string(static_cast<long>(sampleRate)) + " Hz: " + Status(status));
  }
  Float64 rate = sampleRate;
  OSStatus status = AudioUnitSetProperty(mUnit, kAudioUnitProperty_SampleRate,
                                         kAudioUnitScope_Global, 0, &rate, sizeof(rate));
  if (status != noErr) throw Failure("the component refused the sample rate: " + Status(status));
  UInt32 frames = maxFrames;
  status = AudioUnitSetProperty(mUnit, kAudioUnitProperty_MaximumFramesPerSlice,
                                kAudioUnitScope_Global, 0, &frames, sizeof(frames));
  if (status != noErr)
    throw Failure("the component refused blocks of " + std::to_string(maxFrames) +
                  " frames: " + Status(status));
  AURenderCallbackStruct callback{&HostedUnit::InputCallback, this};
  status = AudioUnitSetProperty(mUnit, kAudioUnitProperty_SetRenderCallback, kAudioUnitScope_Input,
                                0, &callback, sizeof(callback));
  if (status != noErr) throw Failure("the component refused the input callback: " + Status(status));
  mChannels = channels;
  mMaxFrames = maxFrames;
}

void HostedUnit::Initialize() {
  OSStatus status = AudioUnitInitialize(mUnit);
  if (status != noErr) throw Failure("the component failed to initialize: " + Status(status));
  mInitialized = true;
  mSampleTime = 0;
}

OSStatus HostedUnit::InputCallback(void* refCon, AudioUnitRenderActionFlags*, const AudioTimeStamp*,
                                   UInt32 bus, UInt32 frames, AudioBufferList* data) {
  HostedUnit* self = static_cast<HostedUnit*>(refCon);
  if (bus != 0 || frames != self->mPendingFrames || !self->mPendingInput || !data)
    return kAudioUnitErr_InvalidPropertyValue;
  for (UInt32 j = 0; j < data->mNumberBuffers; ++j) {
    const float* src = self->mPendingInput[j < static_cast<UInt32>(self->mChannels) ? j : 0];
    AudioBuffer& buffer = data->mBuffers[j];
    if (buffer.mData) {
      std::memcpy(buffer.mData, src, frames * sizeof(float));
    } else {
      buffer.mData = const_cast<float*>(src);
    }
    buffer.mDataByteSize = frames * sizeof(float);
  }
  return noErr;
}

void HostedUnit::Render(const float* const* in, float* const* out, unsigned frames) {
  StereoBufferList list;
  list.mNumberBuffers = static_cast<UInt32>(mChannels);
  for (int c = 0; c < mChannels; ++c) {
    list.mBuffers[c].mNumberChannels = 1;
    list.mBuffers[c].mDataByteSize = frames * sizeof(float);
    list.mBuffers[c].mData = out[c];
  }
  AudioTimeStamp stamp;
  std::memset(&stamp, 0, sizeof(stamp));
  stamp.mSampleTime = mSampleTime;
  stamp.mFlags = kAudioTimeStampSampleTimeValid;
  AudioUnitRenderActionFlags flags = 0;
  mPendingInput = in;
  mPendingFrames = frames;
  OSStatus status =
      AudioUnitRender(mUnit, &flags, &stamp, 0, frames, reinterpret_cast<AudioBufferList*>(&list));
  mPendingInput = nullptr;
  if (status != noErr)
    throw Failure("the component failed to render at sample " +
                  std::to_string(static_cast<long long>(mSampleTime)) + ": " + Status(status));
  // A unit that rendered into buffers of its own leaves the results there.
  for (int c = 0; c < mChannels; ++c)
    if (list.mBuffers[c].mData != out[c])
      std::memcpy(out[c], list.mBuffers[c].mData, frames * sizeof(float));
  mSampleTime += frames;
}

}  // namespace cli
