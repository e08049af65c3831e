#include "WavFile.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

void Put32(std::vector<uint8_t>& b, uint32_t v) {
  for (int k = 0; k < 4; ++k) b.push_back(static_cast<uint8_t>(v >> (8 * k)));
}

void Put16(std::vector<uint8_t>& b, uint16_t v) {
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(v >> 8));
}

void PutTag(std::vector<uint8_t>& b, const char* tag) { b.insert(b.end(), tag, tag + 4); }

}  // namespace

bool WriteFloatWav(const std::string& path, const std::vector<float>& interleaved, int channels,
                   int sampleRate, std::string* pError) {
  const uint32_t dataBytes = static_cast<uint32_t>(interleaved.size() * sizeof(float));
  std::vector<uint8_t> header;
  PutTag(header, "RIFF");
  Put32(header, 36 + dataBytes);
  PutTag(header, "WAVE");
  PutTag(header, "fmt ");
  Put32(header, 16);
  Put16(header, 3);  // IEEE float
  Put16(header, static_cast<uint16_t>(channels));
  Put32(header, static_cast<uint32_t>(sampleRate));
  Put32(header, static_cast<uint32_t>(sampleRate * channels * 4));
  Put16(header, static_cast<uint16_t>(channels * 4));
  Put16(header, 32);
  PutTag(header, "data");
  Put32(header, dataBytes);

  FILE* fp = fopen(path.c_str(), "wb");
  if (!fp) {
    *pError = strerror(errno);
    return false;
  }
  bool ok = fwrite(header.data(), 1, header.size(), fp) == header.size();
  // Samples are written in the machine's byte order, little-endian on the targets we build for.
  ok =
      ok && fwrite(interleaved.data(), sizeof(float), interleaved.size(), fp) == interleaved.size();
  ok = (fclose(fp) == 0) && ok;
  if (!ok) *pError = "write failed";
  return ok;
}
