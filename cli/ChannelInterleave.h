// Samples between an audio file's interleaved frames (L R L R ...) and a unit's blocks of
// one buffer per channel, checked on the way for values that are not finite numbers.
//
// A render must refuse infinities and NaNs, in what it reads and in what the unit makes,
// and the samples pass through these copies anyway: checking them here costs almost nothing,
// where a separate pass over every sample would cost as much as the copy itself. The checks
// only answer "all finite or not"; FirstNonFiniteFrame finds the frame for the message.
//
// Channels: 1 or 2. Copies are bit for bit (a NaN keeps its payload, -0 stays -0).
#ifndef TESSOR_CLI_CHANNEL_INTERLEAVE_H
#define TESSOR_CLI_CHANNEL_INTERLEAVE_H

#include <cstddef>
#include <cstdint>

namespace cli {

// Copies frames interleaved frames into planar[0..channels-1]; true when every sample is finite.
bool DeinterleaveFinite(const float* interleaved, int channels, size_t frames,
                        float* const* planar);

// Copies frames of planar[0..channels-1] into interleaved; true when every sample is finite.
bool InterleaveFinite(const float* const* planar, int channels, size_t frames, float* interleaved);

// The first frame of planar[0..channels-1] that holds a sample that is not finite, or -1.
int64_t FirstNonFiniteFrame(const float* const* planar, int channels, size_t frames);

}  // namespace cli

#endif
