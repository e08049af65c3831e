#include "cli/PngImage.h"

#include "cli/AtomicFile.h"
#include "cli/CliError.h"
#include "raster/bitmap/Raster_PNGWriter.h"

namespace cli {

void WritePngFile(const std::string& path, Raster_IBitmap* bitmap) {
  std::string bytes;
  if (!Raster_EncodePNG(bitmap, &bytes))
    throw Failure("cannot write the picture '" + path + "': encoding it as PNG failed");
  WriteFileAtomically(path, bytes, "the picture");
}

}  // namespace cli
