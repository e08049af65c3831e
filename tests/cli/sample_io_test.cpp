// The render's sample copies between files and the unit (bit for bit, every non-finite sample
// caught wherever it sits) and the writer's float WAV, which must be the very file libsndfile
// writes when it keeps the peaks itself, in no more disk space than it needs.
#include "cli/AudioFile.h"
#include "cli/ChannelInterleave.h"
#include "tests/cli/AudioFixtures.h"
#include "tests/cli/CommandRunner.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>

namespace {

// Distinct finite values, extremes included: a copy that drops or swaps one shows.
std::vector<float> Samples(size_t n) {
  const float extremes[] = {FLT_MAX, -FLT_MAX, FLT_TRUE_MIN, -0.0f, 1.0f, -FLT_MIN};
  std::vector<float> v(n);
  for (size_t i = 0; i < n; ++i) v[i] = i % 7 == 6 ? extremes[i / 7 % 6] : 0.001f * float(i) - 0.5f;
  return v;
}

bool SameBits(const std::vector<float>& a, const std::vector<float>& b) {
  return a.size() == b.size() &&
         (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0);
}

TEST(ChannelInterleave, CopiesBitForBitAndCatchesEveryNonFiniteSampleWhereverItSits) {
  const float bad[] = {std::numeric_limits<float>::infinity(),
                       -std::numeric_limits<float>::infinity(),
                       std::numeric_limits<float>::quiet_NaN()};
  for (int channels : {1, 2})
    for (size_t frames : {0, 1, 3, 4, 5, 8, 13, 37}) {
      SCOPED_TRACE(std::to_string(channels) + " channels, " + std::to_string(frames) + " frames");
      const std::vector<float> interleaved = Samples(frames * channels);
      std::vector<float> planar[2] = {std::vector<float>(frames), std::vector<float>(frames)};
      float* p[2] = {planar[0].data(), planar[1].data()};
      EXPECT_TRUE(cli::DeinterleaveFinite(interleaved.data(), channels, frames, p));
      for (size_t i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c)
          ASSERT_EQ(0, std::memcmp(&planar[c][i], &interleaved[i * channels + c], sizeof(float)));
      std::vector<float> back(frames * channels);
      EXPECT_TRUE(cli::InterleaveFinite(p, channels, frames, back.data()));
      EXPECT_TRUE(SameBits(interleaved, back));
      EXPECT_EQ(-1, cli::FirstNonFiniteFrame(p, channels, frames));

      for (size_t at = 0; at < frames * channels; ++at) {
        std::vector<float> spoiled = interleaved;
        spoiled[at] = bad[at % 3];
        EXPECT_FALSE(cli::DeinterleaveFinite(spoiled.data(), channels, frames, p)) << at;
        EXPECT_EQ(int64_t(at / channels), cli::FirstNonFiniteFrame(p, channels, frames));
        EXPECT_FALSE(cli::InterleaveFinite(p, channels, frames, back.data())) << at;
      }
    }
}

std::vector<unsigned char> Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

// The PEAK chunk's time stamp says when the file was finished, not what it holds.
void ClearPeakTimeStamp(std::vector<unsigned char>& wav) {
  for (size_t i = 12; i + 16 <= wav.size() && std::memcmp(&wav[i], "data", 4) != 0; ++i)
    if (std::memcmp(&wav[i], "PEAK", 4) == 0) std::memset(&wav[i + 12], 0, 4);
}

TEST(AudioWriterOutput, AFloatWavIsTheFileLibsndfileWritesPeaksIncluded) {
  TempDir dir;
  for (int channels : {1, 2}) {
    SCOPED_TRACE(channels);
    TestAudio audio;
    audio.channels = channels;
    audio.rate = 48000;
    for (size_t i = 0; i < 9000u * channels; ++i)
      audio.samples.push_back(0.5f * std::sin(0.01f * i));
    // Peaks late, in pieces after the first, one tied at a later frame, one NaN beside them.
    audio.samples[4000 * channels] = -0.875f;
    audio.samples[8000 * channels] = 0.875f;
    audio.samples[6000 * channels + channels - 1] = 0.9375f;
    audio.samples[7000 * channels + channels - 1] = std::numeric_limits<float>::quiet_NaN();
    ASSERT_TRUE(WriteTestAudio(dir / "libsndfile.wav", audio));
    {
      cli::AudioWriter writer(dir / "writer.wav", channels, 48000);
      writer.Reserve(9000);
      size_t at = 0;
      for (size_t piece : {3, 1000, 4097, 3900}) {
        writer.WriteInterleaved(audio.samples.data() + at * channels, piece);
        at += piece;
      }
      writer.Commit();
    }
    std::vector<unsigned char> ours = Bytes(dir / "writer.wav");
    std::vector<unsigned char> theirs = Bytes(dir / "libsndfile.wav");
    ClearPeakTimeStamp(ours);
    ClearPeakTimeStamp(theirs);
    EXPECT_TRUE(ours == theirs);
    // The space reserved ahead is all taken by the file, none is left hanging past its end.
    struct stat st;
    ASSERT_EQ(0, ::stat((dir / "writer.wav").c_str(), &st));
    EXPECT_LE(st.st_blocks * 512, (st.st_size + st.st_blksize - 1) / st.st_blksize * st.st_blksize);
  }
}

}  // namespace
