// Decoding image files into Core Graphics images.
#pragma once

#include <CoreGraphics/CoreGraphics.h>

// Images larger than this many pixels are refused before anything is allocated for them.
const long long kNSImageMaxPixels = 1ll << 26;

// A new image from a PNG or JPEG file (told apart by its first bytes); null when the file
// cannot be read, is neither, is damaged or is too large.
CGImageRef NSImageDecodeFile(const char* path);
