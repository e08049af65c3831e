#pragma once
// Writes interleaved 32-bit float samples as a WAVE file (format 3, IEEE float).

#include <string>
#include <vector>

// Returns false with a reason in *pError when the file cannot be written.
bool WriteFloatWav(const std::string& path, const std::vector<float>& interleaved, int channels,
                   int sampleRate, std::string* pError);
