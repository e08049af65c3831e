// The number of frames an audio file's header promises, read from the header itself.
// libsndfile quietly shortens its frame count to what a damaged file really holds (it says so
// only in its log), so a take cut short in a copy would otherwise pass for a shorter one.
//
// Read for uncompressed samples in these containers (all integers in the file's byte order):
//   WAV  "RIFF"/"RIFX" size "WAVE", chunks { id, u32 size, body, pad to even }:
//        "fmt " (format tag 1, 3, 6, 7 or 0xFFFE; block align at byte 12), then "data":
//        frames = data size / block align
//   W64  the same with 16-byte GUID chunk ids and u64 sizes counting the 24-byte chunk
//        header, chunks aligned to 8 bytes
//   AIFF "FORM" size "AIFF"/"AIFC", chunks { id, u32 size, body, pad to even }: "COMM"
//        (channels u16, frames u32, ...; for AIFC only the compression types NONE, sowt, twos,
//        fl32, FL32, fl64, FL64): frames as stated
//   AU   ".snd" (big-endian) or "dns." (little-endian): offset, data size, encoding, rate,
//        channels as u32: frames = data size / (bytes per sample x channels)
// Data sizes of 0x7FFFF000 and above are the placeholders that streaming writers put in
// before they know the length, and 0xFFFFFFFF is AU's "unknown": neither promises anything.
#ifndef TESSOR_CLI_DECLARED_FRAMES_H
#define TESSOR_CLI_DECLARED_FRAMES_H

#include <cstdint>
#include <string>

namespace cli {

// The frames the header of the file at path promises, or -1 when it is no file of the kinds
// above or states no length.
int64_t DeclaredFrames(const std::string& path);

}  // namespace cli

#endif
