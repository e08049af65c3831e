#include "cli/ChannelInterleave.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace cli {

namespace {

// A float is not finite when its exponent bits are all ones. Adding one to the exponent of
// the magnitude carries into bit 31 exactly then, so OR-ing that sum over many samples and
// looking at bit 31 once tests them all with three integer operations each, in any width.
const uint32_t kMagnitude = 0x7fffffffu;
const uint32_t kExponentOne = 0x00800000u;
const uint32_t kCarry = 0x80000000u;

inline uint32_t Mark(float sample) {
  uint32_t bits;
  std::memcpy(&bits, &sample, sizeof(bits));
  return (bits & kMagnitude) + kExponentOne;
}

#if defined(__SSE2__)
inline __m128i Mark(__m128 samples) {
  const __m128i bits = _mm_castps_si128(samples);
  return _mm_add_epi32(_mm_and_si128(bits, _mm_set1_epi32(int(kMagnitude))),
                       _mm_set1_epi32(int(kExponentOne)));
}

inline uint32_t Fold(__m128i marks) {
  return static_cast<uint32_t>(_mm_movemask_ps(_mm_castsi128_ps(marks))) ? kCarry : 0;
}
#endif

// Copies n samples and returns their marks OR-ed together: one channel needs no reordering, so
// interleaving and deinterleaving it are both this copy.
uint32_t CopyMarking(const float* in, size_t n, float* out) {
  uint32_t marks = 0;
  size_t i = 0;
#if defined(__SSE2__)
  __m128i wide = _mm_setzero_si128();
  for (; i + 4 <= n; i += 4) {
    const __m128 v = _mm_loadu_ps(in + i);
    wide = _mm_or_si128(wide, Mark(v));
    _mm_storeu_ps(out + i, v);
  }
  marks |= Fold(wide);
#endif
  for (; i < n; ++i) {
    marks |= Mark(in[i]);
    out[i] = in[i];
  }
  return marks;
}

}  // namespace

bool DeinterleaveFinite(const float* interleaved, int channels, size_t frames,
                        float* const* planar) {
  uint32_t marks = 0;
  size_t i = 0;
  if (channels == 1) {
    marks = CopyMarking(interleaved, frames, planar[0]);
  } else {
    float* left = planar[0];
    float* right = planar[1];
#if defined(__SSE2__)
    __m128i wide = _mm_setzero_si128();
    for (; i + 4 <= frames; i += 4) {
      const __m128 a = _mm_loadu_ps(interleaved + 2 * i);      // L0 R0 L1 R1
      const __m128 b = _mm_loadu_ps(interleaved + 2 * i + 4);  // L2 R2 L3 R3
      wide = _mm_or_si128(wide, _mm_or_si128(Mark(a), Mark(b)));
      _mm_storeu_ps(left + i, _mm_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0)));
      _mm_storeu_ps(right + i, _mm_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1)));
    }
    marks |= Fold(wide);
#endif
    for (; i < frames; ++i) {
      marks |= Mark(interleaved[2 * i]) | Mark(interleaved[2 * i + 1]);
      left[i] = interleaved[2 * i];
      right[i] = interleaved[2 * i + 1];
    }
  }
  return (marks & kCarry) == 0;
}

bool InterleaveFinite(const float* const* planar, int channels, size_t frames, float* interleaved) {
  uint32_t marks = 0;
  size_t i = 0;
  if (channels == 1) {
    marks = CopyMarking(planar[0], frames, interleaved);
  } else {
    const float* left = planar[0];
    const float* right = planar[1];
#if defined(__SSE2__)
    __m128i wide = _mm_setzero_si128();
    for (; i + 4 <= frames; i += 4) {
      const __m128 l = _mm_loadu_ps(left + i);
      const __m128 r = _mm_loadu_ps(right + i);
      wide = _mm_or_si128(wide, _mm_or_si128(Mark(l), Mark(r)));
      _mm_storeu_ps(interleaved + 2 * i, _mm_unpacklo_ps(l, r));      // L0 R0 L1 R1
      _mm_storeu_ps(interleaved + 2 * i + 4, _mm_unpackhi_ps(l, r));  // L2 R2 L3 R3
    }
    marks |= Fold(wide);
#endif
    for (; i < frames; ++i) {
      marks |= Mark(left[i]) | Mark(right[i]);
      interleaved[2 * i] = left[i];
      interleaved[2 * i + 1] = right[i];
    }
  }
  return (marks & kCarry) == 0;
}

int64_t FirstNonFiniteFrame(const float* const* planar, int channels, size_t frames) {
  for (size_t i = 0; i < frames; ++i)
    for (int c = 0; c < channels; ++c)
      if (Mark(planar[c][i]) & kCarry) return static_cast<int64_t>(i);
  return -1;
}

}  // namespace cli
