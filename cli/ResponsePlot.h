// The picture of a measured response: a logarithmic frequency axis from 20 Hz to 20 kHz, a dB
// axis that holds the curve, a grid with labels, the curve anti-aliased over a light fill
// down to 0 dB, the sample rate in the title and the unit's settings in a caption.
#ifndef TESSOR_CLI_RESPONSE_PLOT_H
#define TESSOR_CLI_RESPONSE_PLOT_H

#include "cli/ResponseMeasure.h"
#include "raster/bitmap/Raster_IBitmap.h"

#include <string>
#include <vector>

namespace cli {

// Where frequencies and levels land in the picture.
struct ResponseAxes {
  int left = 0, top = 0, width = 0, height = 0;  // the plot area, in pixels
  double minDb = 0, maxDb = 0;                   // its bottom and top edges
  double gridDb = 6;                             // between horizontal grid lines

  double X(double hz) const;  // 20 Hz at left, 20 kHz at left + width
  double Y(double db) const;  // maxDb at top, minDb at top + height
};

// The picture's size.
const int kResponseWidth = 960;
const int kResponseHeight = 560;

// The axes for a response: at least -24..+24 dB, widened in whole grid steps to hold the
// curve up to +48 dB and down to -72 dB (a deeper curve runs off the bottom).
ResponseAxes ChooseAxes(const std::vector<ResponsePoint>& points);

// The curve's colour, so that tests can find it.
const Raster_PixelValue kCurveColor = Raster_MakePixel(22, 96, 196, 255);

// Draws the whole picture into a bitmap of kResponseWidth x kResponseHeight pixels.
void DrawResponse(Raster_IBitmap* bitmap, const MeasuredResponse& response);

// Draws the picture and writes it as a PNG file (all or nothing). Throws a failure.
void WriteResponsePicture(const std::string& path, const MeasuredResponse& response);

}  // namespace cli

#endif
