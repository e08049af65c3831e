// Opens Tessor EQ (and the small test plug-in) the way a host does: the bundle loaded by the
// host library, every call through the Audio Unit API.
#pragma once

#include <gtest/gtest.h>

#include <AudioUnit/AudioUnit.h>
#include <CoreFoundation/CoreFoundation.h>

#include <cstring>
#include <string>
#include <vector>

#include "host/ComponentBundle.h"

namespace component_test {

constexpr OSType kEqType = 'aufx';
constexpr OSType kEqSubtype = '2l87';
constexpr OSType kEqMaker = 'Fnwd';

inline Component LoadBundle(const char* path, OSType subtype, OSType maker) {
  host::LoadedBundle loaded = host::LoadComponentBundle(path);
  EXPECT_TRUE(loaded.ok()) << loaded.message;
  return host::FindComponent(kEqType, subtype, maker);
}

inline Component EqComponent() { return LoadBundle(TESSOR_EQ_BUNDLE, kEqSubtype, kEqMaker); }

inline Component TestPlugComponent() { return LoadBundle(TEST_PLUG_BUNDLE, 'tplg', 'Tsor'); }

// A stream format as a host sets it: 32-bit float, non-interleaved.
inline AudioStreamBasicDescription FloatFormat(UInt32 channels, double rate) {
  AudioStreamBasicDescription f;
  memset(&f, 0, sizeof(f));
  f.mSampleRate = rate;
  f.mFormatID = kAudioFormatLinearPCM;
  f.mFormatFlags =
      kAudioFormatFlagIsFloat | kAudioFormatFlagIsPacked | kAudioFormatFlagIsNonInterleaved;
  f.mFramesPerPacket = 1;
  f.mBytesPerPacket = 4;
  f.mBytesPerFrame = 4;
  f.mChannelsPerFrame = channels;
  f.mBitsPerChannel = 32;
  return f;
}

inline OSStatus SetFormat(AudioUnit unit, AudioUnitScope scope, UInt32 channels,
                          double rate = 44100.0, AudioUnitElement element = 0) {
  AudioStreamBasicDescription f = FloatFormat(channels, rate);
  return AudioUnitSetProperty(unit, kAudioUnitProperty_StreamFormat, scope, element, &f, sizeof(f));
}

inline float GetParam(AudioUnit unit, AudioUnitParameterID id) {
  AudioUnitParameterValue v = -12345.0f;
  EXPECT_EQ(noErr, AudioUnitGetParameter(unit, id, kAudioUnitScope_Global, 0, &v));
  return v;
}

inline std::string CFText(CFStringRef s) { return host::StringFromCF(s); }

// A fixture with one open unit of the component that findComponent returns.
template <Component (*findComponent)()>
class OpenUnitFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    component = findComponent();
    ASSERT_NE(nullptr, component);
    ASSERT_EQ(noErr, host::OpenUnit(component, &unit));
  }
  void TearDown() override {
    if (unit) {
      EXPECT_EQ(noErr, host::CloseUnit(unit));
    }
  }

  Component component = nullptr;
  AudioUnit unit = nullptr;
};

// A fixture with one open Tessor EQ unit.
class EqUnit : public OpenUnitFixture<EqComponent> {};

// A buffer list of n non-interleaved channels over caller memory.
class BufferList {
 public:
  explicit BufferList(UInt32 nChannels)
      : mStorage(sizeof(AudioBufferList) + sizeof(AudioBuffer) * (nChannels ? nChannels - 1 : 0)) {
    List()->mNumberBuffers = nChannels;
  }
  AudioBufferList* List() { return reinterpret_cast<AudioBufferList*>(mStorage.data()); }
  void Point(UInt32 ch, float* data, UInt32 frames) {
    List()->mBuffers[ch].mNumberChannels = 1;
    List()->mBuffers[ch].mDataByteSize = frames * sizeof(float);
    List()->mBuffers[ch].mData = data;
  }

 private:
  std::vector<unsigned char> mStorage;
};

inline AudioTimeStamp SampleTime(double t) {
  AudioTimeStamp ts;
  memset(&ts, 0, sizeof(ts));
  ts.mSampleTime = t;
  ts.mFlags = kAudioTimeStampSampleTimeValid;
  return ts;
}

}  // namespace component_test
