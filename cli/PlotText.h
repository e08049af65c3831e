// The one place the response picture draws text: labels of the axes, the title and the
// caption. Text is drawn by the GDI layer's text engine into the bitmap's own device
// context.
#ifndef TESSOR_CLI_PLOT_TEXT_H
#define TESSOR_CLI_PLOT_TEXT_H

#include "raster/bitmap/Raster_IBitmap.h"

#include <string>

namespace cli {

enum class TextAnchor {
  TopLeft,      // (x, y) is the text's top left corner
  TopCenter,    // top edge, centred on x
  MiddleRight,  // right edge at x, centred vertically on y
};

// One line of text in "Arial" of the given pixel size and colour. Draws nothing into a
// bitmap without a device context (only a Raster_SysBitmap has one).
void DrawPlotText(Raster_IBitmap* bitmap, int x, int y, TextAnchor anchor, int sizePx,
                  Raster_PixelValue color, const std::string& text);

}  // namespace cli

#endif
