// Rendering through the component: host render callbacks, an upstream unit, notifications,
// bypass, refusals and buffer lists without memory.
#include <cmath>

#include "tests/component/ComponentFixture.h"
#include "tests/component/ReferenceEq.h"

using namespace component_test;

namespace {

constexpr UInt32 kBlock = 512;
constexpr double kRate = 44100.0;

// A stereo test signal: two sines and a little noise-like component, loud enough to reach
// the drive terms.
struct Source {
  std::vector<float> left, right;
  int callbacks = 0;
  UInt32 lastBuffers = 0;  // buffers the unit asked for in its last pull
  OSStatus answer = noErr;

  explicit Source(size_t frames) : left(frames), right(frames) {
    for (size_t i = 0; i < frames; ++i) {
      left[i] = static_cast<float>(0.6 * std::sin(2.0 * M_PI * 220.0 * i / kRate) +
                                   0.3 * std::sin(2.0 * M_PI * 5100.0 * i / kRate));
      right[i] = static_cast<float>(0.8 * std::sin(2.0 * M_PI * 97.0 * i / kRate + 1.0) +
                                    0.1 * std::sin(i * 0.77));
    }
  }
};

// Host render callback: copies the source at the time stamp's sample time.
OSStatus ProvideInput(void* refCon, AudioUnitRenderActionFlags*, const AudioTimeStamp* ts,
                      UInt32 bus, UInt32 frames, AudioBufferList* list) {
  Source* src = static_cast<Source*>(refCon);
  ++src->callbacks;
  src->lastBuffers = list->mNumberBuffers;
  if (src->answer != noErr) return src->answer;
  if (bus != 0) return -1;
  const size_t start = static_cast<size_t>(ts->mSampleTime);
  for (UInt32 ch = 0; ch < list->mNumberBuffers; ++ch) {
    const std::vector<float>& from = ch == 0 ? src->left : src->right;
    float* to = static_cast<float*>(list->mBuffers[ch].mData);
    if (!to) return -2;  // the unit must supply memory for callback inputs
    for (UInt32 i = 0; i < frames; ++i) to[i] = from[start + i];
  }
  return noErr;
}

void SetCallback(AudioUnit unit, Source* src) {
  AURenderCallbackStruct cb = {ProvideInput, src};
  ASSERT_EQ(noErr, AudioUnitSetProperty(unit, kAudioUnitProperty_SetRenderCallback,
                                        kAudioUnitScope_Input, 0, &cb, sizeof(cb)));
}

void SetParams(AudioUnit unit, ReferenceEq* ref, const std::vector<std::pair<int, float>>& params) {
  for (const auto& p : params) {
    ASSERT_EQ(noErr, AudioUnitSetParameter(unit, p.first, kAudioUnitScope_Global, 0, p.second, 0));
    if (ref) ref->SetParam(p.first, p.second);
  }
}

void PrepareStereo(AudioUnit unit) {
  ASSERT_EQ(noErr, SetFormat(unit, kAudioUnitScope_Input, 2, kRate));
  ASSERT_EQ(noErr, SetFormat(unit, kAudioUnitScope_Output, 2, kRate));
  UInt32 frames = kBlock;
  ASSERT_EQ(noErr, AudioUnitSetProperty(unit, kAudioUnitProperty_MaximumFramesPerSlice,
                                        kAudioUnitScope_Global, 0, &frames, sizeof(frames)));
}

OSStatus RenderBlock(AudioUnit unit, double t, float* l, float* r, UInt32 frames = kBlock) {
  BufferList out(2);
  out.Point(0, l, frames);
  out.Point(1, r, frames);
  AudioTimeStamp ts = SampleTime(t);
  AudioUnitRenderActionFlags flags = 0;
  return AudioUnitRender(unit, &flags, &ts, 0, frames, out.List());
}

struct NotifyLog {
  std::vector<AudioUnitRenderActionFlags> flags;
  std::vector<int> seenInputCallbacks;
  Source* src = nullptr;
};

OSStatus Notify(void* refCon, AudioUnitRenderActionFlags* flags, const AudioTimeStamp*, UInt32,
                UInt32, AudioBufferList*) {
  NotifyLog* log = static_cast<NotifyLog*>(refCon);
  log->flags.push_back(*flags);
  log->seenInputCallbacks.push_back(log->src ? log->src->callbacks : 0);
  return noErr;
}

}  // namespace

TEST_F(EqUnit, RenderFromHostCallbackEqualsTheSignalPath) {
  const int nBlocks = 12;
  Source src(kBlock * nBlocks);
  ReferenceEq ref(2, kBlock);
  PrepareStereo(unit);
  SetCallback(unit, &src);
  SetParams(
      unit, &ref,
      {{0, 2}, {1, 1}, {2, 6.5f}, {3, 4}, {4, -4.0f}, {5, 5}, {6, 3.0f}, {7, -2.5f}, {8, -3.0f}});
  ASSERT_EQ(noErr, AudioUnitInitialize(unit));
  ref.Start();

  std::vector<float> l(kBlock), r(kBlock), el(kBlock), er(kBlock);
  for (int b = 0; b < nBlocks; ++b) {
    ASSERT_EQ(noErr, RenderBlock(unit, b * kBlock, l.data(), r.data()));
    std::copy(src.left.begin() + b * kBlock, src.left.begin() + (b + 1) * kBlock, el.begin());
    std::copy(src.right.begin() + b * kBlock, src.right.begin() + (b + 1) * kBlock, er.begin());
    ref.Process({el.data(), er.data()}, kBlock);
    for (UInt32 i = 0; i < kBlock; ++i) {
      ASSERT_FLOAT_EQ(el[i], l[i]) << "block " << b << " frame " << i;
      ASSERT_FLOAT_EQ(er[i], r[i]) << "block " << b << " frame " << i;
    }
  }
  EXPECT_EQ(nBlocks, src.callbacks);
  // The bands did something: the output is not the input.
  EXPECT_GT(std::fabs(l[100] - src.left[(nBlocks - 1) * kBlock + 100]), 1e-3f);
}

TEST_F(EqUnit, RenderWithOversamplingAndMonoEqualsTheSignalPath) {
  Source src(kBlock * 4);
  ReferenceEq ref(1, kBlock);
  ASSERT_EQ(noErr, SetFormat(unit, kAudioUnitScope_Input, 1, kRate));
  ASSERT_EQ(noErr, SetFormat(unit, kAudioUnitScope_Output, 1, kRate));
  SetCallback(unit, &src);
  SetParams(unit, &ref, {{9, 1}, {7, 8.0f}, {0, 5}, {8, 4.5f}});
  ASSERT_EQ(noErr, AudioUnitInitialize(unit));
  ref.Start();
  std::vector<float> out(kBlock), expect(kBlock);
  for (int b = 0; b < 4; ++b) {
    BufferList list(1);
    list.Point(0, out.data(), kBlock);
    AudioTimeStamp ts = SampleTime(b * kBlock);
    ASSERT_EQ(noErr, AudioUnitRender(unit, nullptr, &ts, 0, kBlock, list.List()));
    std::copy(src.left.begin() + b * kBlock, src.left.begin() + (b + 1) * kBlock, expect.begin());
    ref.Process({expect.data()}, kBlock);
    for (UInt32 i = 0; i < kBlock; ++i) ASSERT_FLOAT_EQ(expect[i], out[i]) << b << ":" << i;
  }
}

TEST(ComponentRender, UpstreamUnitFeedsTheNextThroughItsFastRenderProcedure) {
  Component component = EqComponent();
  AudioUnit upstream = nullptr, downstream = nullptr;
  ASSERT_EQ(noErr, host::OpenUnit(component, &upstream));
  ASSERT_EQ(noErr, host::OpenUnit(component, &downstream));
  Source src(kBlock * 6);
  ReferenceEq refUp(2, kBlock), refDown(2, kBlock);

  PrepareStereo(upstream);
  SetCallback(upstream, &src);
  SetParams(upstream, &refUp, {{8, 4.0f}, {6, 5.0f}, {5, 1}});
  PrepareStereo(downstream);
  SetParams(downstream, &refDown, {{2, -6.0f}, {0, 3}, {7, 3.5f}});
  AudioUnitConnection conn = {upstream, 0, 0};
  ASSERT_EQ(noErr, AudioUnitSetProperty(downstream, kAudioUnitProperty_MakeConnection,
                                        kAudioUnitScope_Input, 0, &conn, sizeof(conn)));
  ASSERT_EQ(noErr, AudioUnitInitialize(upstream));
  ASSERT_EQ(noErr, AudioUnitInitialize(downstream));
  refUp.Start();
  refDown.Start();

  std::vector<float> l(kBlock), r(kBlock), el(kBlock), er(kBlock);
  for (int b = 0; b < 6; ++b) {
    ASSERT_EQ(noErr, RenderBlock(downstream, b * kBlock, l.data(), r.data()));
    std::copy(src.left.begin() + b * kBlock, src.left.begin() + (b + 1) * kBlock, el.begin());
    std::copy(src.right.begin() + b * kBlock, src.right.begin() + (b + 1) * kBlock, er.begin());
    refUp.Process({el.data(), er.data()}, kBlock);
    refDown.Process({el.data(), er.data()}, kBlock);
    for (UInt32 i = 0; i < kBlock; ++i) {
      ASSERT_FLOAT_EQ(el[i], l[i]) << b << ":" << i;
      ASSERT_FLOAT_EQ(er[i], r[i]) << b << ":" << i;
    }
  }
  EXPECT_EQ(6, src.callbacks);

  // Disconnecting (null source) leaves the input unconnected: silence in, silence out.
  AudioUnitConnection none = {nullptr, 0, 0};
  ASSERT_EQ(noErr, AudioUnitSetProperty(downstream, kAudioUnitProperty_MakeConnection,
                                        kAudioUnitScope_Input, 0, &none, sizeof(none)));
  EXPECT_EQ(noErr, RenderBlock(downstream, 6 * kBlock, l.data(), r.data()));
  EXPECT_EQ(6, src.callbacks);

  EXPECT_EQ(noErr, host::CloseUnit(downstream));
  EXPECT_EQ(noErr, host::CloseUnit(upstream));
}

TEST_F(EqUnit, CallbackInputWithoutAFormatIsPulledWithAllTheBusChannels) {
  // A host that never sets a stream format: the connected bus takes its own channel count, so
  // both channels are pulled and processed.
  Source src(kBlock);
  ReferenceEq ref(2, kBlock);
  SetCallback(unit, &src);
  SetParams(unit, &ref, {{2, 8.0f}, {7, -6.0f}});
  ASSERT_EQ(noErr, AudioUnitInitialize(unit));
  ref.Start();
  std::vector<float> l(kBlock), r(kBlock);
  ASSERT_EQ(noErr, RenderBlock(unit, 0, l.data(), r.data()));
  EXPECT_EQ(2u, src.lastBuffers);
  std::vector<float> el(src.left), er(src.right);
  ref.Process({el.data(), er.data()}, kBlock);
  for (UInt32 i = 0; i < kBlock; ++i) {
    ASSERT_FLOAT_EQ(el[i], l[i]) << "frame " << i;
    ASSERT_FLOAT_EQ(er[i], r[i]) << "frame " << i;
  }
}

TEST_F(EqUnit, ConnectionToAMissingInputBusIsRefused) {
  AudioUnitConnection conn = {unit, 0, 1};
  EXPECT_EQ(kAudioUnitErr_InvalidProperty,
            AudioUnitSetProperty(unit, kAudioUnitProperty_MakeConnection, kAudioUnitScope_Input, 0,
                                 &conn, sizeof(conn)));
  conn.destInputNumber = 0;
  EXPECT_EQ(kAudioUnitErr_InvalidProperty,
            AudioUnitSetProperty(unit, kAudioUnitProperty_MakeConnection, kAudioUnitScope_Output, 0,
                                 &conn, sizeof(conn)));
}

TEST_F(EqUnit, InputsArePulledOncePerTimeStamp) {
  Source src(kBlock * 2);
  PrepareStereo(unit);
  SetCallback(unit, &src);
  ASSERT_EQ(noErr, AudioUnitInitialize(unit));
  std::vector<float> l(kBlock), r(kBlock);
  ASSERT_EQ(noErr, RenderBlock(unit, 0, l.data(), r.data()));
  ASSERT_EQ(noErr, RenderBlock(unit, 0, l.data(), r.data()));
  EXPECT_EQ(1, src.callbacks);
  ASSERT_EQ(noErr, RenderBlock(unit, kBlock, l.data(), r.data()));
  EXPECT_EQ(2, src.callbacks);
}

TEST_F(EqUnit, RenderNotificationsSurroundTheRenderAndDuplicatesAreKept) {
  Source src(kBlock * 2);
  NotifyLog log;
  log.src = &src;
  PrepareStereo(unit);
  SetCallback(unit, &src);
  ASSERT_EQ(noErr, AudioUnitAddRenderNotify(unit, Notify, &log));
  ASSERT_EQ(noErr, AudioUnitAddRenderNotify(unit, Notify, &log));
  std::vector<float> l(kBlock), r(kBlock);
  ASSERT_EQ(noErr, RenderBlock(unit, 0, l.data(), r.data()));
  ASSERT_EQ(4u, log.flags.size());
  EXPECT_EQ(kAudioUnitRenderAction_PreRender, log.flags[0]);
  EXPECT_EQ(kAudioUnitRenderAction_PreRender, log.flags[1]);
  EXPECT_EQ(kAudioUnitRenderAction_PostRender, log.flags[2]);
  EXPECT_EQ(kAudioUnitRenderAction_PostRender, log.flags[3]);
  EXPECT_EQ(0, log.seenInputCallbacks[0]);  // before the pull
  EXPECT_EQ(1, log.seenInputCallbacks[2]);  // after it

  // One remove deletes one record; the user data is not compared.
  ASSERT_EQ(noErr, AudioUnitRemoveRenderNotify(unit, Notify, nullptr));
  log.flags.clear();
  ASSERT_EQ(noErr, RenderBlock(unit, kBlock, l.data(), r.data()));
  EXPECT_EQ(2u, log.flags.size());
}

TEST_F(EqUnit, FailingInputCallbackEndsTheRenderWithItsError) {
  Source src(kBlock);
  src.answer = -4321;
  NotifyLog log;
  PrepareStereo(unit);
  SetCallback(unit, &src);
  ASSERT_EQ(noErr, AudioUnitAddRenderNotify(unit, Notify, &log));
  std::vector<float> l(kBlock, 7.0f), r(kBlock, 7.0f);
  EXPECT_EQ(-4321, RenderBlock(unit, 0, l.data(), r.data()));
  ASSERT_EQ(1u, log.flags.size());  // pre-render only
  EXPECT_EQ(7.0f, l[0]);
  // The time stamp was not taken: the next render with it pulls again.
  src.answer = noErr;
  EXPECT_EQ(noErr, RenderBlock(unit, 0, l.data(), r.data()));
  EXPECT_EQ(2, src.callbacks);
}

TEST_F(EqUnit, InvalidRenderRequestsAreRefusedWithoutPullingOrNotifying) {
  Source src(kBlock * 4);
  NotifyLog log;
  PrepareStereo(unit);
  SetCallback(unit, &src);
  ASSERT_EQ(noErr, AudioUnitAddRenderNotify(unit, Notify, &log));
  std::vector<float> l(kBlock * 2), r(kBlock * 2);
  EXPECT_EQ(noErr, RenderBlock(unit, 0, l.data(), r.data(), kBlock));
  log.flags.clear();
  EXPECT_EQ(kAudioUnitErr_InvalidPropertyValue,
            RenderBlock(unit, kBlock, l.data(), r.data(), kBlock + 1));
  BufferList out(2);
  out.Point(0, l.data(), 64);
  out.Point(1, r.data(), 64);
  AudioTimeStamp ts = SampleTime(kBlock);
  EXPECT_EQ(kAudioUnitErr_InvalidPropertyValue,
            AudioUnitRender(unit, nullptr, &ts, 1, 64, out.List()));
  ts.mFlags = kAudioTimeStampHostTimeValid;
  EXPECT_EQ(kAudioUnitErr_InvalidPropertyValue,
            AudioUnitRender(unit, nullptr, &ts, 0, 64, out.List()));
  EXPECT_TRUE(log.flags.empty());
  EXPECT_EQ(1, src.callbacks);
}

TEST_F(EqUnit, BypassedRenderLeavesTheHostBuffersUntouched) {
  Source src(kBlock);
  PrepareStereo(unit);
  SetCallback(unit, &src);
  UInt32 on = 1;
  ASSERT_EQ(noErr, AudioUnitSetProperty(unit, kAudioUnitProperty_BypassEffect,
                                        kAudioUnitScope_Global, 0, &on, sizeof(on)));
  std::vector<float> l(kBlock, 0.25f), r(kBlock, -0.25f);
  EXPECT_EQ(noErr, RenderBlock(unit, 0, l.data(), r.data()));
  EXPECT_EQ(0, src.callbacks);
  EXPECT_EQ(0.25f, l[10]);
  EXPECT_EQ(-0.25f, r[10]);
}

TEST_F(EqUnit, NullOutputBuffersPointIntoTheUnitsOwnMemoryHoldingTheResult) {
  Source src(kBlock);
  ReferenceEq ref(2, kBlock);
  PrepareStereo(unit);
  SetCallback(unit, &src);
  SetParams(unit, &ref, {{8, -6.0f}});
  ASSERT_EQ(noErr, AudioUnitInitialize(unit));
  ref.Start();
  BufferList out(2);
  out.Point(0, nullptr, kBlock);
  out.Point(1, nullptr, kBlock);
  AudioTimeStamp ts = SampleTime(0);
  ASSERT_EQ(noErr, AudioUnitRender(unit, nullptr, &ts, 0, kBlock, out.List()));
  const float* l = static_cast<const float*>(out.List()->mBuffers[0].mData);
  const float* r = static_cast<const float*>(out.List()->mBuffers[1].mData);
  ASSERT_TRUE(l && r);
  EXPECT_NE(l, r);
  std::vector<float> el(src.left.begin(), src.left.begin() + kBlock);
  std::vector<float> er(src.right.begin(), src.right.begin() + kBlock);
  ref.Process({el.data(), er.data()}, kBlock);
  for (UInt32 i = 0; i < kBlock; ++i) {
    ASSERT_FLOAT_EQ(el[i], l[i]);
    ASSERT_FLOAT_EQ(er[i], r[i]);
  }
}

TEST_F(EqUnit, StereoBusRenderedIntoOneBufferFillsOnlyTheFirstChannel) {
  Source src(kBlock);
  ReferenceEq ref(2, kBlock);
  PrepareStereo(unit);
  SetCallback(unit, &src);
  ASSERT_EQ(noErr, AudioUnitInitialize(unit));
  ref.Start();
  std::vector<float> l(kBlock);
  BufferList out(1);
  out.Point(0, l.data(), kBlock);
  AudioTimeStamp ts = SampleTime(0);
  ASSERT_EQ(noErr, AudioUnitRender(unit, nullptr, &ts, 0, kBlock, out.List()));
  std::vector<float> el(src.left.begin(), src.left.begin() + kBlock);
  std::vector<float> er(src.right.begin(), src.right.begin() + kBlock);
  ref.Process({el.data(), er.data()}, kBlock);
  for (UInt32 i = 0; i < kBlock; ++i) ASSERT_FLOAT_EQ(el[i], l[i]);
}
