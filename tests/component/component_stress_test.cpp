// One thread renders through the fast-dispatch render procedure while another changes
// parameters, restores state and reads properties: the render never sees a half-made change
// (run under ThreadSanitizer in the tsan build).
#include <atomic>
#include <cmath>
#include <thread>

#include "tests/component/ComponentFixture.h"

using namespace component_test;

namespace {

OSStatus Sine(void*, AudioUnitRenderActionFlags*, const AudioTimeStamp* ts, UInt32, UInt32 frames,
              AudioBufferList* list) {
  for (UInt32 ch = 0; ch < list->mNumberBuffers; ++ch) {
    float* out = static_cast<float*>(list->mBuffers[ch].mData);
    for (UInt32 i = 0; i < frames; ++i)
      out[i] =
          static_cast<float>(0.7 * std::sin(2.0 * M_PI * 440.0 * (ts->mSampleTime + i) / 44100.0));
  }
  return noErr;
}

}  // namespace

TEST_F(EqUnit, FastRenderStaysCleanWhileParametersStateAndPropertiesChange) {
  const UInt32 block = 256;
  ASSERT_EQ(noErr, SetFormat(unit, kAudioUnitScope_Input, 2));
  ASSERT_EQ(noErr, SetFormat(unit, kAudioUnitScope_Output, 2));
  AURenderCallbackStruct cb = {Sine, nullptr};
  ASSERT_EQ(noErr, AudioUnitSetProperty(unit, kAudioUnitProperty_SetRenderCallback,
                                        kAudioUnitScope_Input, 0, &cb, sizeof(cb)));
  ASSERT_EQ(noErr, AudioUnitInitialize(unit));
  CFPropertyListRef state = nullptr;
  UInt32 size = sizeof(state);
  ASSERT_EQ(noErr, AudioUnitGetProperty(unit, kAudioUnitProperty_ClassInfo, kAudioUnitScope_Global,
                                        0, &state, &size));
  AudioUnitRenderProc render = nullptr;
  size = sizeof(render);
  ASSERT_EQ(noErr,
            AudioUnitGetProperty(unit, kAudioUnitProperty_FastDispatch, kAudioUnitScope_Global,
                                 kAudioUnitRenderSelect, &render, &size));
  void* storage = GetComponentInstanceStorage(unit);

  std::atomic<bool> done{false};
  std::atomic<int> renderFailures{0}, nonFinite{0};
  std::thread renderer([&] {
    std::vector<float> l(block), r(block);
    const int nBlocks = static_cast<int>(10 * 44100 / block);  // ten seconds
    for (int b = 0; b < nBlocks; ++b) {
      BufferList out(2);
      out.Point(0, l.data(), block);
      out.Point(1, r.data(), block);
      AudioTimeStamp ts = SampleTime(static_cast<double>(b) * block);
      if (render(storage, nullptr, &ts, 0, block, out.List()) != noErr) ++renderFailures;
      for (UInt32 i = 0; i < block; ++i)
        if (!std::isfinite(l[i]) || !std::isfinite(r[i])) ++nonFinite;
    }
    done = true;
  });

  int changes = 0;
  while (!done) {
    const float level = static_cast<float>(changes % 40) - 20.0f;
    AudioUnitSetParameter(unit, changes % 9, kAudioUnitScope_Global, 0, level, 0);
    AudioUnitSetParameter(unit, 9, kAudioUnitScope_Global, 0, static_cast<float>(changes % 2), 0);
    if (changes % 16 == 0) {
      AudioUnitSetProperty(unit, kAudioUnitProperty_ClassInfo, kAudioUnitScope_Global, 0, &state,
                           sizeof(state));
    }
    Float64 latency = 0;
    size = sizeof(latency);
    AudioUnitGetProperty(unit, kAudioUnitProperty_Latency, kAudioUnitScope_Global, 0, &latency,
                         &size);
    AudioUnitParameterInfo info;
    size = sizeof(info);
    if (AudioUnitGetProperty(unit, kAudioUnitProperty_ParameterInfo, kAudioUnitScope_Global,
                             changes % 10, &info, &size) == noErr) {
      CFRelease(info.cfNameString);
      if (info.unitName) CFRelease(info.unitName);
    }
    ++changes;
  }
  renderer.join();
  CFRelease(state);

  EXPECT_EQ(0, renderFailures.load());
  EXPECT_EQ(0, nonFinite.load());
  EXPECT_GT(changes, 0);
}
