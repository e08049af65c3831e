#pragma once
// Test images written with libpng and libjpeg themselves, in a per-process temporary folder.

#include <cstdint>
#include <string>
#include <vector>

namespace rastertest {

// Folder for this test program's files (created on first use).
std::string TempDir();

// Writes a PNG of the given colour type and depth from raw libpng rows (already packed in
// that format). palette: RGB triples; trns: the tRNS chunk bytes (empty: none).
bool WritePNG(const std::string& path, int w, int h, int colorType, int depth,
              const std::vector<std::vector<uint8_t>>& rows,
              const std::vector<uint8_t>& palette = {}, const std::vector<uint8_t>& trns = {},
              bool interlaced = false);

// Writes a JPEG (components 1 = grey, 3 = RGB) at quality 100 from packed samples.
bool WriteJPEG(const std::string& path, int w, int h, int components,
               const std::vector<uint8_t>& samples);

std::vector<uint8_t> ReadFile(const std::string& path);
bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace rastertest
