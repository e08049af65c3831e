#include "cli/ResponsePlot.h"

#include "cli/CliError.h"
#include "cli/PlotText.h"
#include "cli/PngImage.h"
#include "raster/bitmap/Raster_SysBitmap.h"
#include "raster/blit/Raster_Blit.h"
#include "raster/lines/Raster_Lines.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace cli {

namespace {

const double kLowHz = 20, kHighHz = 20000;
const int kLeft = 70, kTop = 56, kRightMargin = 28, kBottomMargin = 104;

const Raster_PixelValue kPaper = Raster_MakePixel(255, 255, 255, 255);
const Raster_PixelValue kPlotPaper = Raster_MakePixel(249, 250, 252, 255);
const Raster_PixelValue kMinorGrid = Raster_MakePixel(232, 235, 240, 255);
const Raster_PixelValue kMajorGrid = Raster_MakePixel(204, 209, 217, 255);
const Raster_PixelValue kZeroLine = Raster_MakePixel(150, 156, 168, 255);
const Raster_PixelValue kFrame = Raster_MakePixel(120, 126, 138, 255);
const Raster_PixelValue kInk = Raster_MakePixel(40, 44, 52, 255);
const Raster_PixelValue kSoftInk = Raster_MakePixel(96, 102, 112, 255);

// A rectangle of another bitmap as a bitmap of its own, so that whatever is drawn into it is
// clipped to the rectangle.
class BitmapWindow : public Raster_IBitmap {
 public:
  BitmapWindow(Raster_IBitmap* parent, int x, int y, int w, int h)
      : mBits(parent->getBits() + static_cast<long>(y) * parent->getRowSpan() + x),
        mW(w),
        mH(h),
        mSpan(parent->getRowSpan()) {}
  Raster_PixelValue* getBits() override { return mBits; }
  int getWidth() override { return mW; }
  int getHeight() override { return mH; }
  int getRowSpan() override { return mSpan; }
  bool resize(int, int) override { return false; }

 private:
  Raster_PixelValue* mBits;
  int mW, mH, mSpan;
};

// The level at hz, interpolated on the logarithmic frequency scale; false beyond the points.
bool LevelAt(const std::vector<ResponsePoint>& points, double hz, double* db) {
  auto above = std::lower_bound(points.begin(), points.end(), hz,
                                [](const ResponsePoint& p, double f) { return p.hz < f; });
  if (above == points.end()) return false;
  if (above == points.begin()) {
    *db = above->db;
    return above->hz - hz < 1e-9 * hz;
  }
  const ResponsePoint& below = *(above - 1);
  const double t = std::log(hz / below.hz) / std::log(above->hz / below.hz);
  *db = below.db + t * (above->db - below.db);
  return true;
}

std::string FrequencyLabel(double hz) {
  return hz >= 1000 ? std::to_string(static_cast<int>(hz / 1000)) + "k"
                    : std::to_string(static_cast<int>(hz));
}

// "+12", "0", "−12" (with a true minus sign).
std::string LevelLabel(double db) {
  const int v = static_cast<int>(std::lround(db));
  if (v > 0) return "+" + std::to_string(v);
  if (v < 0) return "\xE2\x88\x92" + std::to_string(-v);
  return "0";
}

void DrawGrid(Raster_IBitmap* bitmap, const ResponseAxes& axes) {
  const int bottom = axes.top + axes.height;
  for (double decade = 10; decade < kHighHz; decade *= 10)
    for (int m = 1; m <= 9; ++m) {
      const double hz = decade * m;
      if (hz <= kLowHz || hz >= kHighHz) continue;
      const int x = static_cast<int>(std::lround(axes.X(hz)));
      Raster_Line(bitmap, x, axes.top, x, bottom, m == 1 ? kMajorGrid : kMinorGrid, 1.0f, kBlitCopy,
                  false);
    }
  for (double db = axes.minDb + axes.gridDb; db < axes.maxDb; db += axes.gridDb) {
    const int y = static_cast<int>(std::lround(axes.Y(db)));
    Raster_Line(bitmap, axes.left, y, axes.left + axes.width, y, db == 0 ? kZeroLine : kMajorGrid,
                1.0f, kBlitCopy, false);
  }
}

void DrawLabels(Raster_IBitmap* bitmap, const ResponseAxes& axes,
                const MeasuredResponse& response) {
  const int bottom = axes.top + axes.height;
  for (double hz : {20, 50, 100, 200, 500, 1000, 2000, 5000, 10000, 20000})
    DrawPlotText(bitmap, static_cast<int>(std::lround(axes.X(hz))), bottom + 6,
                 TextAnchor::TopCenter, 12, kInk, FrequencyLabel(hz));
  DrawPlotText(bitmap, axes.left + axes.width / 2, bottom + 24, TextAnchor::TopCenter, 12, kSoftInk,
               "frequency (Hz)");
  for (double db = axes.minDb; db <= axes.maxDb; db += axes.gridDb)
    DrawPlotText(bitmap, axes.left - 8, static_cast<int>(std::lround(axes.Y(db))),
                 TextAnchor::MiddleRight, 12, kInk, LevelLabel(db));
  DrawPlotText(bitmap, axes.left - 8, axes.top - 18, TextAnchor::MiddleRight, 12, kSoftInk, "dB");
  DrawPlotText(
      bitmap, axes.left, 14, TextAnchor::TopLeft, 16, kInk,
      "Tessor EQ magnitude response, measured at " + std::to_string(response.rate) + " Hz");
  // The settings in two lines of half the parameters each.
  const size_t half = (response.state.size() + 1) / 2;
  for (size_t line = 0; line < 2; ++line) {
    std::string text;
    for (size_t i = line * half; i < std::min(response.state.size(), (line + 1) * half); ++i)
      text += (text.empty() ? "" : ",  ") + response.state[i];
    DrawPlotText(bitmap, axes.left, bottom + 50 + 20 * static_cast<int>(line), TextAnchor::TopLeft,
                 13, kSoftInk, text);
  }
}

void DrawNyquist(Raster_IBitmap* bitmap, const ResponseAxes& axes, int rate) {
  const double nyquist = rate / 2.0;
  if (nyquist >= kHighHz) return;
  const int x = static_cast<int>(std::lround(axes.X(nyquist)));
  Raster_DashedLine(bitmap, x, axes.top, x, axes.top + axes.height, 4, 4, kFrame, 1.0f, kBlitCopy,
                    false);
  char label[48];
  std::snprintf(label, sizeof(label), "half the rate, %g kHz", nyquist / 1000);
  DrawPlotText(bitmap, x - 4, axes.top + 10, TextAnchor::MiddleRight, 12, kSoftInk, label);
}

// The curve's y, relative to the plot's top, at every whole column from the left edge on, as
// far as the measurement reaches (it stops below half the rate).
std::vector<double> CurveRows(const ResponseAxes& axes, const std::vector<ResponsePoint>& points) {
  std::vector<double> rows;
  for (int x = 0; x <= axes.width; ++x) {
    double db;
    if (!LevelAt(points, kLowHz * std::pow(kHighHz / kLowHz, static_cast<double>(x) / axes.width),
                 &db))
      break;
    rows.push_back(axes.Y(db) - axes.top);
  }
  return rows;
}

// The area between the curve and 0 dB, lightly tinted column by column, then the curve.
void DrawCurve(Raster_IBitmap* bitmap, const ResponseAxes& axes,
               const std::vector<ResponsePoint>& points) {
  BitmapWindow plot(bitmap, axes.left, axes.top, axes.width, axes.height);
  const std::vector<double> rows = CurveRows(axes, points);
  const double zero = axes.Y(0) - axes.top;
  for (size_t x = 0; x < rows.size(); ++x) {
    const int from = static_cast<int>(std::lround(std::min(rows[x], zero)));
    const int to = static_cast<int>(std::lround(std::max(rows[x], zero)));
    Raster_FillRect(&plot, static_cast<int>(x), from, 1, to - from, kCurveColor, 0.14f, kBlitCopy);
  }
  // Straight pieces between whole columns kPieceLength apart: shorter ones would darken the
  // curve in beads where they meet, since each piece draws both of its end points. Each
  // piece is drawn from its upper end down, because the float line starts at the whole
  // column of its first point and, for a line running up, places its coverage a row too
  // high. The curve is two pixels wide, as two lines half a pixel above and below it.
  const size_t kPieceLength = 4;
  for (float offset : {-0.5f, 0.5f})
    for (size_t x = 0; x + 1 < rows.size(); x += kPieceLength) {
      const size_t end = std::min(x + kPieceLength, rows.size() - 1);
      const bool down = rows[end] >= rows[x];
      const size_t a = down ? x : end, b = down ? end : x;
      Raster_FLine(&plot, static_cast<float>(a), static_cast<float>(rows[a]) + offset,
                   static_cast<float>(b), static_cast<float>(rows[b]) + offset, kCurveColor, 1.0f,
                   kBlitCopy, true);
    }
}

}  // namespace

double ResponseAxes::X(double hz) const {
  return left + width * std::log(hz / kLowHz) / std::log(kHighHz / kLowHz);
}

double ResponseAxes::Y(double db) const { return top + height * (maxDb - db) / (maxDb - minDb); }

ResponseAxes ChooseAxes(const std::vector<ResponsePoint>& points) {
  double lowest = 0, highest = 0;
  for (const ResponsePoint& p : points) {
    lowest = std::min(lowest, p.db);
    highest = std::max(highest, p.db);
  }
  ResponseAxes axes;
  axes.left = kLeft;
  axes.top = kTop;
  axes.width = kResponseWidth - kLeft - kRightMargin;
  axes.height = kResponseHeight - kTop - kBottomMargin;
  // A little room above and below the curve, so that it never runs along the frame.
  const double top = std::min(48.0, std::max(24.0, highest + 3));
  const double bottom = std::max(-72.0, std::min(-24.0, lowest - 3));
  axes.gridDb = top - bottom <= 60 ? 6 : 12;
  axes.maxDb = axes.gridDb * std::ceil(top / axes.gridDb);
  axes.minDb = axes.gridDb * std::floor(bottom / axes.gridDb);
  return axes;
}

void DrawResponse(Raster_IBitmap* bitmap, const MeasuredResponse& response) {
  const ResponseAxes axes = ChooseAxes(response.points);
  Raster_FillRect(bitmap, 0, 0, kResponseWidth, kResponseHeight, kPaper, 1.0f, kBlitCopy);
  Raster_FillRect(bitmap, axes.left, axes.top, axes.width, axes.height, kPlotPaper, 1.0f,
                  kBlitCopy);
  DrawGrid(bitmap, axes);
  DrawNyquist(bitmap, axes, response.rate);
  DrawCurve(bitmap, axes, response.points);
  Raster_DrawRect(bitmap, axes.left, axes.top, axes.width, axes.height, kFrame, 1.0f, kBlitCopy);
  DrawLabels(bitmap, axes, response);
}

void WriteResponsePicture(const std::string& path, const MeasuredResponse& response) {
  Raster_SysBitmap bitmap(kResponseWidth, kResponseHeight);
  if (!bitmap.getBits()) throw Failure("cannot draw the picture '" + path + "': out of memory");
  DrawResponse(&bitmap, response);
  WritePngFile(path, &bitmap);
}

}  // namespace cli
