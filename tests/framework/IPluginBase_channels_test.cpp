#include <gtest/gtest.h>

#include <vector>

#include "TestPlugin.h"

TEST(IPluginBaseChannels, ChannelStringGivesConfigurationsAndRecords) {
  TestPlugin p(0, "1-1 2-2");
  ASSERT_EQ(2, p.NChannelIO());
  int in = 0, out = 0;
  EXPECT_TRUE(p.GetChannelIO(1, &in, &out));
  EXPECT_EQ(2, in);
  EXPECT_EQ(2, out);
  EXPECT_FALSE(p.GetChannelIO(2, &in, &out));
  EXPECT_EQ(2, p.NInChannels());
  EXPECT_EQ(2, p.NOutChannels());
  EXPECT_TRUE(p.LegalIO(2, 2));
  EXPECT_TRUE(p.LegalIO(1, -1));
  EXPECT_TRUE(p.LegalIO(-1, -1));
  EXPECT_FALSE(p.LegalIO(2, 1));

  TestPlugin asym(0, "0-2 1-6");  // the widest side decides the record count
  EXPECT_EQ(1, asym.NInChannels());
  EXPECT_EQ(6, asym.NOutChannels());
  EXPECT_TRUE(asym.LegalIO(0, 2));
  EXPECT_FALSE(asym.LegalIO(1, 2));
}

TEST(IPluginBaseChannels, NullChannelStringGivesNoChannels) {
  TestPlugin p(0, nullptr);
  EXPECT_EQ(0, p.NChannelIO());
  EXPECT_EQ(0, p.NInChannels());
  EXPECT_FALSE(p.LegalIO(-1, -1));
  p.SetBlockSize(8);
  p.ProcessBuffers(0.0f, 8);  // nothing to process, nothing to touch
}

TEST(IPluginBaseChannelsDeathTest, MalformedChannelStringFailsTheAssertion) {
  EXPECT_DEATH(TestPlugin(0, "1-1 stereo"),
               "failed assertion `sscanf\\(channelIOStr, \"%d-%d\", &nIn, &nOut\\) == 2'");
}

TEST(IPluginBaseChannels, ConnectionSettersClipToTheRecords) {
  TestPlugin p(0, "2-2");
  p.SetInputChannelConnections(1, 5, true);
  EXPECT_FALSE(p.IsInChannelConnected(0));
  EXPECT_TRUE(p.IsInChannelConnected(1));
  EXPECT_FALSE(p.IsInChannelConnected(2));
  EXPECT_FALSE(p.IsInChannelConnected(-1));
  p.SetOutputChannelConnections(-1, 2, true);  // only record 0 is inside the range
  EXPECT_TRUE(p.IsOutChannelConnected(0));
  EXPECT_FALSE(p.IsOutChannelConnected(1));
}

namespace {

// A stereo plug-in whose processing doubles every sample.
class Doubler : public TestPlugin {
 public:
  Doubler() : TestPlugin(0, "2-2") {}
  void ProcessDoubleReplacing(double** in, double** out, int n) override {
    seenFrames = n;
    for (int c = 0; c < 2; ++c)
      for (int s = 0; s < n; ++s) out[c][s] = 2.0 * in[c][s];
  }
  int seenFrames = -1;
};

}  // namespace

TEST(IPluginBaseChannels, FloatPathConvertsInAndOut) {
  TestPlugin p(0, "1-1 2-2");
  p.SetBlockSize(4);
  p.SetInputChannelConnections(0, 2, true);
  p.SetOutputChannelConnections(0, 2, true);
  float l[4] = {0.1f, -0.25f, 0.5f, 1.0f}, r[4] = {3.0f, 2.0f, 1.0f, 0.0f};
  float ol[4], orr[4];
  float* in[2] = {l, r};
  float* out[2] = {ol, orr};
  p.AttachInputBuffers(0, 2, in, 4);
  p.AttachOutputBuffers(0, 2, out);
  p.ProcessBuffers(0.0f, 4);
  for (int s = 0; s < 4; ++s) {
    EXPECT_EQ(l[s], ol[s]);
    EXPECT_EQ(r[s], orr[s]);
  }

  // Accumulating adds to what the host buffers hold.
  p.AttachInputBuffers(0, 2, in, 4);
  p.AttachOutputBuffers(0, 2, out);
  p.ProcessBuffersAccumulating(0.0f, 4);
  EXPECT_EQ(2.0f * l[2], ol[2]);
  EXPECT_EQ(2.0f * r[0], orr[0]);
}

TEST(IPluginBaseChannels, OnlyConnectedChannelsConsumeHostBuffers) {
  TestPlugin p(0, "2-2");
  p.SetBlockSize(3);
  p.SetInputChannelConnections(0, 1, false);
  p.SetInputChannelConnections(1, 1, true);
  p.SetOutputChannelConnections(0, 2, true);
  float right[3] = {0.5f, 0.25f, 0.125f};
  float* in[1] = {right};  // one entry: record 1's samples
  float o0[3] = {9, 9, 9}, o1[3] = {9, 9, 9};
  float* out[2] = {o0, o1};
  p.AttachInputBuffers(0, 2, in, 3);
  p.AttachOutputBuffers(0, 2, out);
  p.ProcessBuffers(0.0f, 3);
  for (int s = 0; s < 3; ++s) {
    EXPECT_EQ(0.0f, o0[s]);  // disconnected input reads its zeroed scratch
    EXPECT_EQ(right[s], o1[s]);
  }
}

TEST(IPluginBaseChannels, DisconnectedOutputNeverReachesTheHost) {
  Doubler p;
  p.SetBlockSize(2);
  p.SetInputChannelConnections(0, 2, true);
  p.SetOutputChannelConnections(0, 1, true);
  p.SetOutputChannelConnections(1, 1, false);
  float a[2] = {1, 2}, b[2] = {3, 4};
  float* in[2] = {a, b};
  float o0[2] = {0, 0}, stale[2] = {-7, -7};
  float* out[2] = {o0, stale};
  p.AttachInputBuffers(0, 2, in, 2);
  p.AttachOutputBuffers(0, 2, out);  // record 1 is disconnected: stale is never handed over
  p.ProcessBuffers(0.0f, 2);
  EXPECT_EQ(2.0f, o0[0]);
  EXPECT_EQ(4.0f, o0[1]);
  EXPECT_EQ(-7.0f, stale[0]);
  EXPECT_EQ(-7.0f, stale[1]);
}

TEST(IPluginBaseChannels, FloatOutputIsTheDoubleRoundedToSinglePrecision) {
  class Writer : public TestPlugin {
   public:
    Writer() : TestPlugin(0, "0-1") {}
    void ProcessDoubleReplacing(double**, double** out, int n) override {
      for (int s = 0; s < n; ++s) out[0][s] = 0.1 * (s + 1);
    }
  } p;
  p.SetBlockSize(3);
  p.SetOutputChannelConnections(0, 1, true);
  float o[3];
  float* out[1] = {o};
  p.AttachOutputBuffers(0, 1, out);
  p.ProcessBuffers(0.0f, 3);
  for (int s = 0; s < 3; ++s) EXPECT_EQ(static_cast<float>(0.1 * (s + 1)), o[s]);
}

TEST(IPluginBaseChannels, EveryBlockLengthConvertsEachSampleLikeAScalarCast) {
  // Lengths around the vector widths of the conversion loops, so whole vectors and every
  // remainder are exercised: in as float to double, the plug-in's doubles back to float,
  // replacing and accumulating.
  class Scaler : public TestPlugin {
   public:
    Scaler() : TestPlugin(0, "1-1") {}
    void ProcessDoubleReplacing(double** in, double** out, int n) override {
      for (int s = 0; s < n; ++s) out[0][s] = in[0][s] * 1.1;
    }
  } p;
  p.SetBlockSize(80);
  p.SetInputChannelConnections(0, 1, true);
  p.SetOutputChannelConnections(0, 1, true);
  for (int n = 1; n <= 80; ++n) {
    std::vector<float> a(n), o(n, 0.25f);
    for (int s = 0; s < n; ++s) a[s] = 0.37f * static_cast<float>(s) - 3.0f;
    float* in[1] = {a.data()};
    float* out[1] = {o.data()};
    p.AttachInputBuffers(0, 1, in, n);
    p.AttachOutputBuffers(0, 1, out);
    p.ProcessBuffersAccumulating(0.0f, n);
    for (int s = 0; s < n; ++s)
      ASSERT_EQ(0.25f + static_cast<float>(static_cast<double>(a[s]) * 1.1), o[s]) << n << " " << s;
    p.ProcessBuffers(0.0f, n);
    for (int s = 0; s < n; ++s)
      ASSERT_EQ(static_cast<float>(static_cast<double>(a[s]) * 1.1), o[s]) << n << " " << s;
  }
}

TEST(IPluginBaseChannels, DoublePathAttachesHostBuffersWithoutCopy) {
  Doubler p;
  p.SetBlockSize(4);
  p.SetInputChannelConnections(0, 2, true);
  p.SetOutputChannelConnections(0, 2, true);
  double a[4] = {1, 2, 3, 4}, b[4] = {-1, -2, -3, -4}, oa[4], ob[4];
  double* in[2] = {a, b};
  double* out[2] = {oa, ob};
  p.AttachInputBuffers(0, 2, in, 4);
  p.AttachOutputBuffers(0, 2, out);
  p.ProcessBuffers(0.0, 4);
  EXPECT_EQ(8.0, oa[3]);
  EXPECT_EQ(-2.0, ob[0]);
}

TEST(IPluginBaseChannels, SetBlockSizeZeroesScratchOnlyWhenItChanges) {
  // A disconnected input reads its scratch buffer; fill it through a connected pass first.
  TestPlugin p(0, "1-1");
  p.SetBlockSize(2);
  p.SetInputChannelConnections(0, 1, true);
  p.SetOutputChannelConnections(0, 1, true);
  float a[2] = {5, 6}, o[2];
  float* in[1] = {a};
  float* out[1] = {o};
  p.AttachInputBuffers(0, 1, in, 2);
  p.SetInputChannelConnections(0, 1, false);  // slot stays on the scratch, now holding 5, 6

  p.SetBlockSize(2);  // unchanged: contents kept
  p.AttachOutputBuffers(0, 1, out);
  p.ProcessBuffers(0.0f, 2);
  EXPECT_EQ(5.0f, o[0]);
  EXPECT_EQ(6.0f, o[1]);

  p.SetBlockSize(3);  // changed: every scratch zero-filled, slots follow the new buffers
  float o3[3] = {1, 1, 1};
  float* out3[1] = {o3};
  p.AttachOutputBuffers(0, 1, out3);
  p.ProcessBuffers(0.0f, 3);
  for (float v : o3) EXPECT_EQ(0.0f, v);
}

TEST(IPluginBaseChannels, FramesBeyondTheBlockSizeAreNotProcessed) {
  Doubler p;
  p.SetBlockSize(4);
  p.SetInputChannelConnections(0, 1, true);
  p.SetOutputChannelConnections(0, 1, true);
  std::vector<float> a(16, 1.0f), o(16, 7.0f);
  float* in[1] = {a.data()};
  float* out[1] = {o.data()};
  p.AttachInputBuffers(0, 2, in, 16);  // record 1 disconnected
  p.AttachOutputBuffers(0, 2, out);
  p.ProcessBuffers(0.0f, 16);
  EXPECT_EQ(4, p.seenFrames);
  for (int s = 0; s < 4; ++s) EXPECT_EQ(2.0f, o[s]);
  for (int s = 4; s < 16; ++s) EXPECT_EQ(0.0f, o[s]) << s;  // silence, not stale data

  std::vector<double> da(16, 1.0), dout(16, 7.0);
  double* din[1] = {da.data()};
  double* ddout[1] = {dout.data()};
  p.AttachInputBuffers(0, 2, din, 16);
  p.AttachOutputBuffers(0, 2, ddout);
  p.ProcessBuffers(0.0, 16);
  EXPECT_EQ(4, p.seenFrames);
  EXPECT_EQ(2.0, dout[3]);
  EXPECT_EQ(0.0, dout[4]);

  Doubler fresh;  // no block size yet: nothing processed, nothing dereferenced
  fresh.ProcessBuffers(0.0f, 64);
  EXPECT_EQ(0, fresh.seenFrames);
}

TEST(IPluginBaseChannels, SamplesPerBeatFollowsTempo) {
  TestPlugin p;
  p.SetSampleRate(48000.0);
  p.tempo = 120.0;
  EXPECT_EQ(24000.0, p.GetSamplesPerBeat());
  p.tempo = 0.0;
  EXPECT_EQ(0.0, p.GetSamplesPerBeat());
}
