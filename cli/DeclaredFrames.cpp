#include "cli/DeclaredFrames.h"

#include <cstdio>
#include <cstring>

namespace cli {

namespace {

const uint64_t kPlaceholderSize = 0x7FFFF000u;
// A header with more chunks than this before its data is not worth walking.
const int kMaxChunks = 4096;

// The bytes that follow the four-character name in W64's GUIDs for "wave", "fmt " and "data".
const unsigned char kW64Tail[12] = {0xF3, 0xAC, 0xD3, 0x11, 0x8C, 0xD1,
                                    0x00, 0xC0, 0x4F, 0x8E, 0xDB, 0x8A};
const unsigned char kW64RiffTail[12] = {0x2E, 0x91, 0xCF, 0x11, 0xA5, 0xD6,
                                        0x28, 0xDB, 0x04, 0xC1, 0x00, 0x00};

class HeaderFile {
 public:
  explicit HeaderFile(const std::string& path) : mFile(std::fopen(path.c_str(), "rb")) {}
  ~HeaderFile() {
    if (mFile) std::fclose(mFile);
  }
  HeaderFile(const HeaderFile&) = delete;
  HeaderFile& operator=(const HeaderFile&) = delete;

  bool Open() const { return mFile != nullptr; }
  bool Read(void* out, size_t n) { return std::fread(out, 1, n, mFile) == n; }
  bool Seek(uint64_t offset) {
    return offset <= INT64_MAX && fseeko(mFile, static_cast<off_t>(offset), SEEK_SET) == 0;
  }

 private:
  FILE* mFile;
};

uint64_t Unsigned(const unsigned char* p, int bytes, bool bigEndian) {
  uint64_t v = 0;
  for (int i = 0; i < bytes; ++i) v |= uint64_t(p[bigEndian ? bytes - 1 - i : i]) << (8 * i);
  return v;
}

// Block align of a "fmt " body holding uncompressed samples, or 0.
uint64_t BlockAlignOf(const unsigned char* fmt, uint64_t size, bool bigEndian) {
  if (size < 16) return 0;
  uint64_t tag = Unsigned(fmt, 2, bigEndian);
  if (tag == 0xFFFE && size >= 26) tag = Unsigned(fmt + 24, 2, bigEndian);  // sub-format
  if (tag != 1 && tag != 3 && tag != 6 && tag != 7) return 0;
  return Unsigned(fmt + 12, 2, bigEndian);
}

int64_t FramesOf(uint64_t dataSize, uint64_t bytesPerFrame) {
  if (bytesPerFrame == 0 || dataSize >= kPlaceholderSize) return -1;
  return static_cast<int64_t>(dataSize / bytesPerFrame);
}

// WAV and W64 share their chunk contents; W64 has 24-byte chunk headers whose size counts
// the header, and aligns chunks to 8 bytes.
int64_t WaveFrames(HeaderFile& file, bool w64, bool bigEndian) {
  const size_t headerSize = w64 ? 24 : 8;
  uint64_t at = w64 ? 40 : 12;
  uint64_t blockAlign = 0;
  for (int chunk = 0; chunk < kMaxChunks; ++chunk) {
    unsigned char h[24];
    if (!file.Seek(at) || !file.Read(h, headerSize)) return -1;
    if (w64 && std::memcmp(h + 4, kW64Tail, 12) != 0) return -1;
    uint64_t size = Unsigned(h + (w64 ? 16 : 4), w64 ? 8 : 4, bigEndian);
    if (w64) {
      if (size < 24) return -1;
      size -= 24;
    }
    if (std::memcmp(h, "fmt ", 4) == 0) {
      unsigned char fmt[40] = {};
      const uint64_t n = size < sizeof(fmt) ? size : sizeof(fmt);
      if (!file.Read(fmt, n)) return -1;
      blockAlign = BlockAlignOf(fmt, n, bigEndian);
      if (blockAlign == 0) return -1;
    } else if (std::memcmp(h, "data", 4) == 0) {
      return FramesOf(size, blockAlign);
    }
    const uint64_t next = at + headerSize + size;
    at = w64 ? (next + 7) / 8 * 8 : next + (size & 1);
    if (at < next) return -1;  // the size wrapped around
  }
  return -1;
}

int64_t AiffFrames(HeaderFile& file, bool aifc) {
  uint64_t at = 12;
  for (int chunk = 0; chunk < kMaxChunks; ++chunk) {
    unsigned char h[8];
    if (!file.Seek(at) || !file.Read(h, 8)) return -1;
    const uint64_t size = Unsigned(h + 4, 4, true);
    if (std::memcmp(h, "COMM", 4) == 0) {
      unsigned char comm[22];
      if (size < (aifc ? 22u : 18u) || !file.Read(comm, aifc ? 22 : 18)) return -1;
      if (aifc) {
        static const char* const kPlain[] = {"NONE", "sowt", "twos", "fl32",
                                             "FL32", "fl64", "FL64"};
        bool plain = false;
        for (const char* type : kPlain) plain = plain || std::memcmp(comm + 18, type, 4) == 0;
        if (!plain) return -1;
      }
      return FramesOf(Unsigned(comm + 2, 4, true), 1);
    }
    at += 8 + size + (size & 1);
  }
  return -1;
}

int64_t AuFrames(HeaderFile& file, bool bigEndian) {
  unsigned char h[20];  // the words after the magic number
  if (!file.Read(h, 20)) return -1;
  const uint64_t dataSize = Unsigned(h + 4, 4, bigEndian);
  const uint64_t encoding = Unsigned(h + 8, 4, bigEndian);
  const uint64_t channels = Unsigned(h + 16, 4, bigEndian);
  // Bytes per sample of the encodings 1 (mu-law), 2..5 (8..32-bit integers), 6 (float),
  // 7 (double) and 27 (A-law).
  uint64_t bytes = 0;
  if (encoding >= 1 && encoding <= 7) {
    static const uint64_t kBytes[8] = {0, 1, 1, 2, 3, 4, 4, 8};
    bytes = kBytes[encoding];
  } else if (encoding == 27) {
    bytes = 1;
  }
  if (dataSize == 0xFFFFFFFFu || channels == 0 || channels > 1024) return -1;
  return FramesOf(dataSize, bytes * channels);
}

}  // namespace

int64_t DeclaredFrames(const std::string& path) {
  HeaderFile file(path);
  unsigned char magic[16];
  if (!file.Open() || !file.Read(magic, 4)) return -1;
  if (std::memcmp(magic, ".snd", 4) == 0) return AuFrames(file, true);
  if (std::memcmp(magic, "dns.", 4) == 0) return AuFrames(file, false);
  if (!file.Read(magic + 4, 12)) return -1;
  const bool riff = std::memcmp(magic, "RIFF", 4) == 0, rifx = std::memcmp(magic, "RIFX", 4) == 0;
  if ((riff || rifx) && std::memcmp(magic + 8, "WAVE", 4) == 0)
    return WaveFrames(file, false, rifx);
  if (std::memcmp(magic, "riff", 4) == 0 && std::memcmp(magic + 4, kW64RiffTail, 12) == 0) {
    unsigned char wave[16];
    if (!file.Seek(24) || !file.Read(wave, 16) || std::memcmp(wave, "wave", 4) != 0 ||
        std::memcmp(wave + 4, kW64Tail, 12) != 0)
      return -1;
    return WaveFrames(file, true, false);
  }
  if (std::memcmp(magic, "FORM", 4) == 0) {
    if (std::memcmp(magic + 8, "AIFF", 4) == 0) return AiffFrames(file, false);
    if (std::memcmp(magic + 8, "AIFC", 4) == 0) return AiffFrames(file, true);
  }
  return -1;
}

}  // namespace cli
