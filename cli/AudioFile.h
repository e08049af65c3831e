// Audio files through libsndfile, read and written piece by piece, so memory does not grow
// with the length of a file: in interleaved frames as the file holds them (L R L R ...), or in
// planar float buffers (one buffer per channel) at the cost of a copy.
#ifndef TESSOR_CLI_AUDIO_FILE_H
#define TESSOR_CLI_AUDIO_FILE_H

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

typedef struct sf_private_tag SNDFILE;

namespace cli {

class PeakTracker;

// Reads any file libsndfile reads (WAV, AIFF, FLAC, OGG, ...). Opening throws a failure for a
// file that cannot be read or that has more than two channels. A file that holds fewer
// frames than its header promises (cut short in a copy or a crash) is a failure too, at
// opening when that shows in the header, else when reading reaches its early end, so a
// render never passes a damaged take off as a complete one.
class AudioReader {
 public:
  explicit AudioReader(const std::string& path);
  ~AudioReader();
  AudioReader(const AudioReader&) = delete;
  AudioReader& operator=(const AudioReader&) = delete;

  int Channels() const { return mChannels; }
  int SampleRate() const { return mRate; }
  int64_t Frames() const { return mFrames; }  // as the file's header states it; 0: unknown
  // Whether Frames() is a promise (reading fails when the file ends before) or an estimate.
  bool LengthIsExact() const { return mExactLength && mFrames > 0; }

  // Reads up to maxFrames frames into frames (Channels() samples each); returns the frames
  // read, fewer than maxFrames only at the end, 0 at the end. Throws a failure when the file
  // cannot be read on or ends early, at the call after the last frames it could read.
  size_t ReadInterleaved(float* frames, size_t maxFrames);
  // The same into channels[0..Channels()-1].
  size_t Read(float* const* channels, size_t maxFrames);

 private:
  std::string mPath;
  SNDFILE* mFile = nullptr;
  int mChannels = 0;
  int mRate = 0;
  int64_t mFrames = 0;
  int64_t mRead = 0;
  bool mExactLength = true;  // whether mFrames is a promise rather than an estimate
  std::vector<float> mInterleaved;
};

// Writes a new file whose container follows the extension of the path: .wav, .aif/.aiff,
// .caf, .w64 and .au hold 32-bit float; .flac holds 24-bit integers; .ogg/.oga Vorbis.
// The samples go into a temporary file beside the destination, which replaces the
// destination only on Commit(); a writer destroyed without Commit() removes its temporary
// file, so a failed render never leaves a partial file behind.
class AudioWriter {
 public:
  AudioWriter(const std::string& path, int channels, int sampleRate);
  ~AudioWriter();
  AudioWriter(const AudioWriter&) = delete;
  AudioWriter& operator=(const AudioWriter&) = delete;

  // Says, before the first write, how many frames are coming; give only a count that is
  // certain. A file of float samples then gets its disk space in one piece instead of block
  // by block as it grows, which saves the file system most of its work.
  void Reserve(int64_t frames);
  // Appends count frames of as many samples as the file has channels; throws a failure when
  // it cannot.
  void WriteInterleaved(const float* frames, size_t count);
  // The same from one buffer per channel.
  void Write(const float* const* channels, size_t frames);
  void Commit();

  // A short name of the sample format written, e.g. "32-bit float WAV".
  const std::string& FormatName() const { return mFormatName; }

 private:
  std::string mPath;
  std::string mTempPath;
  int mFd = -1;
  SNDFILE* mFile = nullptr;
  int mChannels = 0;
  int mFixedFrameBytes = 0;  // bytes per frame when the samples take a fixed size, else 0
  std::string mFormatName;
  std::vector<float> mInterleaved;
  std::unique_ptr<PeakTracker> mPeaks;  // a float WAV's peaks, when libsndfile does not keep them
  int mGuard = -1;                      // removes the temporary file if the process is interrupted
};

// Throws a usage error when the extension of path names no format the writer knows.
void CheckWritableExtension(const std::string& path);

}  // namespace cli

#endif
