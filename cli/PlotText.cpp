#include "cli/PlotText.h"

namespace cli {

// The GDI layer's text engine is not in the build yet; until it is, labels are left out and
// the picture carries the curve, grid and axes only.
void DrawPlotText(Raster_IBitmap*, int, int, TextAnchor, int, Raster_PixelValue,
                  const std::string&) {}

}  // namespace cli
