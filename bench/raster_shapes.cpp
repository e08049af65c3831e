// Lines, circles, discs, arcs and curves as the editor draws them (knob pointers, rings,
// indicator dots) on its 664 x 215 surface. Each shape is paired with a baseline measured in
// the same run: a plain loop that stores the colour into the same number of pixels along a
// straight run (for outlines) or into the bounding rectangle (for discs). Prints ours / baseline.

#include "raster/bitmap/Raster_MemBitmap.h"
#include "raster/blit/Raster_Blit.h"
#include "raster/curves/Raster_Curves.h"
#include "raster/lines/Raster_Lines.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>

namespace {

const int W = 664, H = 215;
const unsigned kColor = 0xFF8020FF;

Raster_MemBitmap& dst() {
  static Raster_MemBitmap b(W, H);
  return b;
}

// Stores n pixels along a row-major path: the cheapest way to touch that many pixels.
void storeRun(int n) {
  Raster_PixelValue* p = dst().getBits();
  for (int i = 0; i < n; ++i) p[(i * 7) % (W * H)] = kColor;
  benchmark::DoNotOptimize(p);
}

// 36 knob-pointer lines of length 30 around a centre.
void pointerLines(bool aa, float alpha) {
  for (int k = 0; k < 36; ++k) {
    double a = k * 0.1745;
    Raster_Line(&dst(), 100, 100, 100 + (int)(30 * std::sin(a)), 100 - (int)(30 * std::cos(a)),
                kColor, alpha, kBlitCopy, aa);
  }
}
void lines_plain(benchmark::State& st) {
  for (auto _ : st) pointerLines(false, 1.0f);
}
void lines_aa(benchmark::State& st) {
  for (auto _ : st) pointerLines(true, 1.0f);
}
void lines_base(benchmark::State& st) {
  for (auto _ : st) storeRun(36 * 31);
}
void circle_aa(benchmark::State& st) {
  for (auto _ : st) Raster_Circle(&dst(), 300.5f, 100.5f, 40.3f, kColor, 0.8f, kBlitCopy, true);
}
void circle_plain(benchmark::State& st) {
  for (auto _ : st) Raster_Circle(&dst(), 300, 100, 40, kColor, 1.0f, kBlitCopy, false);
}
void circle_base(benchmark::State& st) {
  for (auto _ : st) storeRun((int)(2 * 3.1416 * 40));  // one pixel per step of the outline
}
void disc_plain(benchmark::State& st) {
  for (auto _ : st) Raster_FillCircle(&dst(), 300, 100, 40, kColor, 1.0f, kBlitCopy, false);
}
void disc_base(benchmark::State& st) {
  for (auto _ : st) Raster_FillRect(&dst(), 260, 60, 81, 81, kColor, 1.0f, kBlitCopy);
}
void glyph_dots(benchmark::State& st) {
  for (auto _ : st)
    for (int k = 0; k < 20; ++k)
      Raster_Circle(&dst(), 20.0f + k * 30, 200, 3.5f, kColor, 1.0f, kBlitCopy, true);
}
void glyph_base(benchmark::State& st) {
  for (auto _ : st) storeRun(20 * 64);
}
void arc_aa(benchmark::State& st) {
  for (auto _ : st) Raster_Arc(&dst(), 500, 100, 40, -2.4f, 2.4f, kColor, 1.0f, kBlitAdd, true);
}
void qbezier_tol2(benchmark::State& st) {
  for (auto _ : st)
    Raster_DrawQBezier(&dst(), 10, 200, 300, -150, 650, 200, kColor, 1.0f, kBlitCopy, true, 2);
}
void qbezier_base(benchmark::State& st) {
  for (auto _ : st) storeRun(900);  // about the curve's length in pixels
}

const std::pair<const char*, const char*> kPairs[] = {
    {"lines_plain", "lines_base"},   {"lines_aa", "lines_base"},
    {"circle_plain", "circle_base"}, {"circle_aa", "circle_base"},
    {"arc_aa", "circle_base"},       {"disc_plain", "disc_base"},
    {"glyph_dots", "glyph_base"},    {"qbezier_tol2", "qbezier_base"},
};

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> ns;
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs)
      if (r.iterations > 0) ns[r.benchmark_name()] = r.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
};

}  // namespace

#define REG(fn) benchmark::RegisterBenchmark(#fn, fn)->Unit(benchmark::kMicrosecond)

int main(int argc, char** argv) {
  REG(lines_plain);
  REG(lines_aa);
  REG(lines_base);
  REG(circle_plain);
  REG(circle_aa);
  REG(arc_aa);
  REG(circle_base);
  REG(disc_plain);
  REG(disc_base);
  REG(glyph_dots);
  REG(glyph_base);
  REG(qbezier_tol2);
  REG(qbezier_base);
  benchmark::Initialize(&argc, argv);
  RatioReporter rep;
  benchmark::RunSpecifiedBenchmarks(&rep);
  printf("\n%-14s %-14s %10s %10s %8s\n", "ours", "baseline", "ours us", "base us", "ratio");
  for (const auto& p : kPairs) {
    auto a = rep.ns.find(p.first), b = rep.ns.find(p.second);
    if (a == rep.ns.end() || b == rep.ns.end()) continue;
    printf("%-14s %-14s %10.2f %10.2f %8.2f\n", p.first, p.second, a->second, b->second,
           a->second / b->second);
  }
  return 0;
}
