#include "cli/WavPeakChunk.h"

#include <unistd.h>

#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace cli {

namespace {

// A header with more chunks than this before its samples is none that libsndfile wrote.
const int kMaxChunks = 64;

uint32_t Little32(const unsigned char* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void PutLittle32(unsigned char* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}

// The offset of the PEAK chunk's body, or -1 when none comes before the "data" chunk.
off_t FindPeakBody(int fd) {
  unsigned char h[12];
  if (::pread(fd, h, 12, 0) != 12 || std::memcmp(h, "RIFF", 4) != 0 ||
      std::memcmp(h + 8, "WAVE", 4) != 0)
    return -1;
  off_t at = 12;
  for (int chunk = 0; chunk < kMaxChunks; ++chunk) {
    if (::pread(fd, h, 8, at) != 8) return -1;
    if (std::memcmp(h, "PEAK", 4) == 0) return at + 8;
    if (std::memcmp(h, "data", 4) == 0) return -1;
    const uint32_t size = Little32(h + 4);
    at += 8 + off_t(size) + off_t(size & 1);
  }
  return -1;
}

}  // namespace

void PeakTracker::Add(const float* interleaved, size_t frames) {
  const size_t count = frames * static_cast<size_t>(mChannels);
  // Comparisons with a NaN are false, so NaNs never become the largest magnitude.
  float most[2] = {0, 0};
  size_t i = 0;
#if defined(__SSE2__)
  // Sixteen samples at a time in four registers, so the maxima do not wait on each other;
  // with two channels the lanes alternate left and right.
  const __m128 magnitude = _mm_castsi128_ps(_mm_set1_epi32(0x7fffffff));
  __m128 w0 = _mm_setzero_ps(), w1 = w0, w2 = w0, w3 = w0;
  // _mm_max_ps(sample, w) keeps w when the sample is a NaN.
  for (; i + 16 <= count; i += 16) {
    w0 = _mm_max_ps(_mm_and_ps(_mm_loadu_ps(interleaved + i), magnitude), w0);
    w1 = _mm_max_ps(_mm_and_ps(_mm_loadu_ps(interleaved + i + 4), magnitude), w1);
    w2 = _mm_max_ps(_mm_and_ps(_mm_loadu_ps(interleaved + i + 8), magnitude), w2);
    w3 = _mm_max_ps(_mm_and_ps(_mm_loadu_ps(interleaved + i + 12), magnitude), w3);
  }
  for (; i + 4 <= count; i += 4)
    w0 = _mm_max_ps(_mm_and_ps(_mm_loadu_ps(interleaved + i), magnitude), w0);
  float lanes[4];
  _mm_storeu_ps(lanes, _mm_max_ps(_mm_max_ps(w0, w1), _mm_max_ps(w2, w3)));
  for (int k = 0; k < 4; ++k)
    if (lanes[k] > most[k % mChannels]) most[k % mChannels] = lanes[k];
#endif
  for (; i < count; ++i) {
    const float a = std::fabs(interleaved[i]);
    if (a > most[i % mChannels]) most[i % mChannels] = a;
  }
  // A new peak is rare after the first seconds; only then is its first frame looked for.
  for (int c = 0; c < mChannels; ++c) {
    if (!(most[c] > mValue[c])) continue;
    size_t f = 0;
    while (std::fabs(interleaved[f * mChannels + c]) != most[c]) ++f;
    mValue[c] = most[c];
    mPosition[c] = mFrames + static_cast<int64_t>(f);
  }
  mFrames += static_cast<int64_t>(frames);
}

bool WritePeakChunk(int fd, const PeakTracker& peaks) {
  const off_t body = FindPeakBody(fd);
  unsigned char size[4];
  if (body < 0 || ::pread(fd, size, 4, body - 4) != 4 ||
      Little32(size) != 8 + 8 * static_cast<uint32_t>(peaks.Channels()))
    return false;
  // After the version and the time stamp that libsndfile wrote.
  unsigned char entries[16];
  for (int c = 0; c < peaks.Channels(); ++c) {
    const float value = peaks.Value(c);
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof(bits));
    PutLittle32(entries + 8 * c, bits);
    PutLittle32(entries + 8 * c + 4, static_cast<uint32_t>(peaks.Position(c)));
  }
  const ssize_t bytes = 8 * peaks.Channels();
  return ::pwrite(fd, entries, bytes, body + 8) == bytes;
}

}  // namespace cli
