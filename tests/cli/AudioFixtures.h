// Test audio files written and read with libsndfile, interleaved float samples.
#ifndef TESSOR_TESTS_CLI_AUDIO_FIXTURES_H
#define TESSOR_TESTS_CLI_AUDIO_FIXTURES_H

#include <sndfile.h>

#include <string>
#include <vector>

struct TestAudio {
  int channels = 0;
  int rate = 0;
  int format = 0;
  std::vector<float> samples;  // interleaved
  size_t Frames() const { return channels ? samples.size() / static_cast<size_t>(channels) : 0; }
  float At(size_t frame, int channel) const {
    return samples[frame * static_cast<size_t>(channels) + static_cast<size_t>(channel)];
  }
};

inline bool WriteTestAudio(const std::string& path, const TestAudio& audio,
                           int format = SF_FORMAT_WAV | SF_FORMAT_FLOAT) {
  SF_INFO info{};
  info.channels = audio.channels;
  info.samplerate = audio.rate;
  info.format = format;
  SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
  if (!f) return false;
  sf_count_t frames = static_cast<sf_count_t>(audio.Frames());
  bool ok = sf_writef_float(f, audio.samples.data(), frames) == frames;
  return sf_close(f) == 0 && ok;
}

inline TestAudio ReadTestAudio(const std::string& path) {
  TestAudio audio;
  SF_INFO info{};
  SNDFILE* f = sf_open(path.c_str(), SFM_READ, &info);
  if (!f) return audio;
  audio.channels = info.channels;
  audio.rate = info.samplerate;
  audio.format = info.format;
  audio.samples.resize(static_cast<size_t>(info.frames) * static_cast<size_t>(info.channels));
  sf_readf_float(f, audio.samples.data(), info.frames);
  sf_close(f);
  return audio;
}

#endif
