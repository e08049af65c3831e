// Raster bitmaps as PNG files (8-bit RGBA), written all or nothing.
#ifndef TESSOR_CLI_PNG_IMAGE_H
#define TESSOR_CLI_PNG_IMAGE_H

#include "raster/bitmap/Raster_IBitmap.h"

#include <string>

namespace cli {

// Throws a failure when the picture cannot be encoded or written; an existing file at path
// is then left as it was.
void WritePngFile(const std::string& path, Raster_IBitmap* bitmap);

}  // namespace cli

#endif
