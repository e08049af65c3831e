// Long files stream through in blocks: the command's peak memory for a three-minute stereo
// file is no larger than for a ten-second one, give or take a generous margin.
#include "tests/cli/CliTestPaths.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sndfile.h>

namespace {

// A 16-bit stereo WAV of the given length, written in blocks.
bool WriteTone(const std::string& path, int seconds) {
  SF_INFO info{};
  info.channels = 2;
  info.samplerate = 44100;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
  if (!f) return false;
  std::vector<short> block(2 * 44100);
  for (size_t i = 0; i < 44100; ++i) {
    block[2 * i] = static_cast<short>(8000 * std::sin(i * 0.0627));
    block[2 * i + 1] = static_cast<short>(6000 * std::sin(i * 0.0213));
  }
  bool ok = true;
  for (int s = 0; s < seconds && ok; ++s) ok = sf_writef_short(f, block.data(), 44100) == 44100;
  return sf_close(f) == 0 && ok;
}

TEST(Memory, AThreeMinuteStereoRenderNeedsNoMoreMemoryThanATenSecondOne) {
  TempDir dir;
  ASSERT_TRUE(WriteTone(dir / "short.wav", 10));
  ASSERT_TRUE(WriteTone(dir / "long.wav", 180));
  CommandResult shortRun = TessorEq({"render", dir / "short.wav", dir / "short-out.wav"});
  ASSERT_EQ(0, shortRun.exitCode) << shortRun.err;
  CommandResult longRun =
      TessorEq({"render", dir / "long.wav", dir / "long-out.wav", "--block", "1024"});
  ASSERT_EQ(0, longRun.exitCode) << longRun.err;

  SF_INFO info{};
  SNDFILE* f = sf_open((dir / "long-out.wav").c_str(), SFM_READ, &info);
  ASSERT_NE(nullptr, f);
  sf_close(f);
  EXPECT_EQ(180 * 44100, info.frames);
  // The long file's samples alone take 63 MB as floats; streaming keeps the difference to the
  // short run far below that. 16 MB leaves room for allocator and sanitizer noise.
  EXPECT_LT(longRun.maxRssKb - shortRun.maxRssKb, 16 * 1024)
      << "short " << shortRun.maxRssKb << " kB, long " << longRun.maxRssKb << " kB";
}

}  // namespace
