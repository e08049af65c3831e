// The PEAK chunk of a 32-bit float WAV file, kept by the writer instead of by libsndfile.
//
// libsndfile fills a float WAV's PEAK chunk by looking at every sample it is handed, one at a
// time, which costs a long render almost a tenth of its processor time. So the writer hands
// libsndfile the samples as raw bytes (a float WAV holds the host's little-endian floats as
// they are), keeps the peaks here with vector instructions, and writes them into the chunk
// libsndfile laid out before the file gets its final name. The chunk comes out as libsndfile
// would have written it:
//   "PEAK", u32 size = 8 + 8 x channels, u32 version, u32 time stamp,
//   then per channel: f32 largest magnitude, u32 first frame that holds it
// (little-endian; all zero for silence; samples that are not numbers do not count).
#ifndef TESSOR_CLI_WAV_PEAK_CHUNK_H
#define TESSOR_CLI_WAV_PEAK_CHUNK_H

#include <cstddef>
#include <cstdint>

namespace cli {

class PeakTracker {
 public:
  explicit PeakTracker(int channels) : mChannels(channels) {}  // 1 or 2

  // Takes the next frames (interleaved, channels samples each).
  void Add(const float* interleaved, size_t frames);

  int Channels() const { return mChannels; }
  float Value(int channel) const { return mValue[channel]; }
  int64_t Position(int channel) const { return mPosition[channel]; }

 private:
  int mChannels;
  int64_t mFrames = 0;
  float mValue[2] = {0, 0};
  int64_t mPosition[2] = {0, 0};
};

// Writes the peaks into the PEAK chunk of the WAV file open for writing at fd; false when the
// file cannot be read or changed, or has no PEAK chunk for that many channels before its samples.
bool WritePeakChunk(int fd, const PeakTracker& peaks);

}  // namespace cli

#endif
