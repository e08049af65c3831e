#include "cli/AudioFile.h"

#include "cli/ChannelInterleave.h"
#include "cli/CliError.h"
#include "cli/DeclaredFrames.h"
#include "cli/TempFileCleanup.h"
#include "cli/WavPeakChunk.h"

#include <fcntl.h>
#include <sndfile.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <cstdio>
#include <mutex>

namespace cli {

namespace {

struct OutputFormat {
  int format = 0;
  const char* name = nullptr;
};

std::string Extension(const std::string& path) {
  size_t slash = path.find_last_of('/');
  size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  std::string ext = path.substr(dot + 1);
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext;
}

bool FormatForPath(const std::string& path, OutputFormat* out) {
  const std::string ext = Extension(path);
  if (ext == "wav")
    *out = {SF_FORMAT_WAV | SF_FORMAT_FLOAT, "32-bit float WAV"};
  else if (ext == "aif" || ext == "aiff" || ext == "aifc")
    *out = {SF_FORMAT_AIFF | SF_FORMAT_FLOAT, "32-bit float AIFF"};
  else if (ext == "caf")
    *out = {SF_FORMAT_CAF | SF_FORMAT_FLOAT, "32-bit float CAF"};
  else if (ext == "w64")
    *out = {SF_FORMAT_W64 | SF_FORMAT_FLOAT, "32-bit float W64"};
  else if (ext == "au" || ext == "snd")
    *out = {SF_FORMAT_AU | SF_FORMAT_FLOAT, "32-bit float AU"};
  else if (ext == "flac")
    *out = {SF_FORMAT_FLAC | SF_FORMAT_PCM_24, "24-bit FLAC"};
  else if (ext == "ogg" || ext == "oga")
    *out = {SF_FORMAT_OGG | SF_FORMAT_VORBIS, "Ogg Vorbis"};
  else
    return false;
  return true;
}

// libsndfile's message without its decoration: "System error : No such file or directory."
// becomes "No such file or directory".
std::string SndfileError(SNDFILE* file) {
  std::string text = sf_strerror(file);
  const std::string prefix = "System error : ";
  if (text.compare(0, prefix.size(), prefix) == 0) text.erase(0, prefix.size());
  while (!text.empty() && (text.back() == '.' || text.back() == '\n' || text.back() == ' '))
    text.pop_back();
  return text;
}

// libsndfile keeps the error of a failed open in one process-wide place; jobs of a batch
// open files at the same time, so each open and the reading of its error happen as one.
std::mutex gOpenLock;

const bool kLittleEndianHost = __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__;

std::string Seconds(int64_t frames, int rate) {
  char text[32];
  std::snprintf(text, sizeof(text), "%.3f s", static_cast<double>(frames) / rate);
  return text;
}

CliError CutShort(const std::string& path, int64_t promised, int64_t readable, int rate) {
  return Failure("'" + path + "' is cut short: its header promises " + std::to_string(promised) +
                 " frames (" + Seconds(promised, rate) + ") but only " + std::to_string(readable) +
                 " frames (" + Seconds(readable, rate) + ") could be read");
}

}  // namespace

AudioReader::AudioReader(const std::string& path) : mPath(path) {
  SF_INFO info{};
  std::unique_lock<std::mutex> lock(gOpenLock);
  mFile = sf_open(path.c_str(), SFM_READ, &info);
  if (!mFile) {
    const bool unknownFormat = sf_error(nullptr) != SF_ERR_SYSTEM;
    throw Failure("cannot read audio from '" + path + "': " + SndfileError(nullptr) +
                  (unknownFormat ? " (give a WAV, AIFF, FLAC or OGG file)" : ""));
  }
  lock.unlock();
  if (info.channels < 1 || info.channels > 2) {
    sf_close(mFile);
    mFile = nullptr;
    throw Failure("'" + path + "' has " + std::to_string(info.channels) +
                  " channels; Tessor EQ takes mono or stereo");
  }
  if (info.samplerate <= 0) {
    sf_close(mFile);
    mFile = nullptr;
    throw Failure("'" + path + "' states no usable sample rate");
  }
  mChannels = info.channels;
  mRate = info.samplerate;
  // A stream whose length libsndfile cannot tell (an Ogg file without its end) reports the
  // largest count there is.
  mFrames = info.frames > 0 && info.frames < SF_COUNT_MAX ? info.frames : 0;
  // An MPEG stream's length is an estimate from its first frames, not a promise.
  mExactLength = (info.format & SF_FORMAT_TYPEMASK) != SF_FORMAT_MPEG;
  const int64_t declared = DeclaredFrames(path);
  if (declared > mFrames) {
    sf_close(mFile);
    mFile = nullptr;
    throw CutShort(path, declared, mFrames, mRate);
  }
}

AudioReader::~AudioReader() {
  if (mFile) sf_close(mFile);
}

size_t AudioReader::ReadInterleaved(float* frames, size_t maxFrames) {
  size_t got = 0;
  while (got < maxFrames) {
    const sf_count_t n = sf_readf_float(mFile, frames + got * static_cast<size_t>(mChannels),
                                        static_cast<sf_count_t>(maxFrames - got));
    if (n <= 0) {
      // The frames already read go out first; the end, or the error, shows at the next call,
      // so a caller learns of it only after it has dealt with everything before it.
      if (got > 0) break;
      if (n < 0 || sf_error(mFile) != SF_ERR_NO_ERROR)
        throw Failure("cannot read audio from '" + mPath + "': " + SndfileError(mFile));
      if (mExactLength && mRead < mFrames) throw CutShort(mPath, mFrames, mRead, mRate);
      return 0;
    }
    got += static_cast<size_t>(n);
    mRead += n;
  }
  return got;
}

size_t AudioReader::Read(float* const* channels, size_t maxFrames) {
  mInterleaved.resize(maxFrames * static_cast<size_t>(mChannels));
  const size_t frames = ReadInterleaved(mInterleaved.data(), maxFrames);
  // Only the copy is wanted here; a render checks the samples it reads itself.
  DeinterleaveFinite(mInterleaved.data(), mChannels, frames, channels);
  return frames;
}

void CheckWritableExtension(const std::string& path) {
  OutputFormat format;
  if (!FormatForPath(path, &format))
    throw UsageError("cannot tell the output format from '" + path +
                     "'; use .wav, .aif, .aiff, .caf, .w64, .au, .flac or .ogg");
}

AudioWriter::AudioWriter(const std::string& path, int channels, int sampleRate)
    : mPath(path), mChannels(channels) {
  OutputFormat format;
  CheckWritableExtension(path);
  FormatForPath(path, &format);
  mFormatName = format.name;

  SF_INFO info{};
  info.channels = channels;
  info.samplerate = sampleRate;
  info.format = format.format;
  if (!sf_format_check(&info))
    throw Failure("a " + mFormatName + " file cannot hold " + std::to_string(channels) +
                  " channel(s) at " + std::to_string(sampleRate) + " Hz");

  size_t slash = path.find_last_of('/');
  std::string dir = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  mTempPath = dir + "." + base + ".partial-" + std::to_string(::getpid());

  mGuard = GuardTempFile(mTempPath);
  // The writer opens the file itself, as libsndfile would, to reserve its space and to store
  // the peaks through the same descriptor.
  mFd = ::open(mTempPath.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (mFd < 0) {
    const int err = errno;
    ForgetTempFile(mGuard);
    throw Failure("cannot write '" + path + "': " + std::strerror(err));
  }
  std::unique_lock<std::mutex> lock(gOpenLock);
  mFile = sf_open_fd(mFd, SFM_WRITE, &info, SF_FALSE);
  if (!mFile) {
    const std::string why = SndfileError(nullptr);
    ::close(mFd);
    ::unlink(mTempPath.c_str());
    ForgetTempFile(mGuard);
    throw Failure("cannot write '" + path + "': " + why);
  }
  lock.unlock();
  mFixedFrameBytes = (format.format & SF_FORMAT_SUBMASK) == SF_FORMAT_FLOAT
                         ? channels * static_cast<int>(sizeof(float))
                         : 0;
  // Integer formats clip instead of wrapping around when the EQ lifts a sample above full scale.
  sf_command(mFile, SFC_SET_CLIPPING, nullptr, SF_TRUE);
  // A float WAV holds the host's floats as they are: they go in as raw bytes, and the peaks
  // that libsndfile would gather from them sample by sample are kept here instead.
  if (format.format == (SF_FORMAT_WAV | SF_FORMAT_FLOAT) && kLittleEndianHost &&
      sf_command(mFile, SFC_SET_ADD_PEAK_CHUNK, nullptr, SF_TRUE) == SF_TRUE)
    mPeaks.reset(new PeakTracker(channels));
}

AudioWriter::~AudioWriter() {
  if (mFile) {
    sf_close(mFile);
    ::close(mFd);
    ::unlink(mTempPath.c_str());
  }
  ForgetTempFile(mGuard);
}

void AudioWriter::Reserve(int64_t frames) {
#if defined(FALLOC_FL_KEEP_SIZE)
  // Only a hint: where the file system cannot, the file grows block by block as before.
  if (mFixedFrameBytes > 0 && frames > 0)
    (void)::fallocate(mFd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(frames * mFixedFrameBytes));
#else
  (void)frames;
#endif
}

void AudioWriter::Write(const float* const* channels, size_t frames) {
  mInterleaved.resize(frames * static_cast<size_t>(mChannels));
  InterleaveFinite(channels, mChannels, frames, mInterleaved.data());  // only the copy is wanted
  WriteInterleaved(mInterleaved.data(), frames);
}

void AudioWriter::WriteInterleaved(const float* frames, size_t count) {
  bool written;
  if (mPeaks) {
    mPeaks->Add(frames, count);
    const sf_count_t bytes = static_cast<sf_count_t>(count * mChannels * sizeof(float));
    written = sf_write_raw(mFile, frames, bytes) == bytes;
  } else {
    written = sf_writef_float(mFile, frames, static_cast<sf_count_t>(count)) ==
              static_cast<sf_count_t>(count);
  }
  if (!written) throw Failure("cannot write '" + mPath + "': " + SndfileError(mFile));
}

void AudioWriter::Commit() {
  SNDFILE* file = mFile;
  mFile = nullptr;
  const bool closed = sf_close(file) == 0;
  const bool peaksStored = closed && (!mPeaks || WritePeakChunk(mFd, *mPeaks));
  const bool fdClosed = ::close(mFd) == 0;
  mFd = -1;
  if (!closed || !peaksStored || !fdClosed) {
    ::unlink(mTempPath.c_str());
    throw Failure("cannot finish writing '" + mPath + "'" +
                  (closed && !peaksStored ? ": its peak levels could not be stored" : ""));
  }
  if (std::rename(mTempPath.c_str(), mPath.c_str()) != 0) {
    const int err = errno;
    ::unlink(mTempPath.c_str());
    ForgetTempFile(mGuard);
    mGuard = -1;
    throw Failure("cannot write '" + mPath + "': " + std::strerror(err));
  }
  ForgetTempFile(mGuard);
  mGuard = -1;
}

}  // namespace cli
