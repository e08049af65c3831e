// A 12-character label drawn at 10, 14 and 24 pixels: GDI_DrawText into a memory context
// (layout, measuring, clip and glyphs every time) against cairo_show_text on an image
// surface with the same face and size. Processor time; prints ours / cairo per size. The
// machine is shared, so by default each case runs several times in random order (both
// sides see the same load) and the ratios of the medians and of the fastest runs are shown.
#include <benchmark/benchmark.h>
#include <cairo.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "gdi_compat/GDI.h"

namespace {

const char kLabel[] = "Tessor EQ 2k";  // 12 characters
const int kW = 240, kH = 60;

void gdi_draw_text(benchmark::State& st) {
  const int size = static_cast<int>(st.range(0));
  HDC dc = GDI_CreateMemContext(nullptr, kW, kH);
  HFONT font = CreateFont(-size, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  SelectObject(dc, font);
  SetTextColor(dc, 0x202020);
  RECT r = {4, 4, kW - 4, kH - 4};
  for (auto _ : st) {
    benchmark::DoNotOptimize(GDI_DrawText(dc, kLabel, -1, &r, 0));
    benchmark::ClobberMemory();
  }
  DeleteObject(font);
  GDI_DeleteGfxContext(dc);
}

void cairo_show_text(benchmark::State& st) {
  const int size = static_cast<int>(st.range(0));
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kW, kH);
  cairo_t* cr = cairo_create(surface);
  // "Arial" resolves to Liberation Sans for both.
  cairo_select_font_face(cr, "Arial", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, size);
  cairo_set_source_rgb(cr, 0.125, 0.125, 0.125);
  for (auto _ : st) {
    cairo_move_to(cr, 4, 4 + size);
    cairo_show_text(cr, kLabel);
    benchmark::ClobberMemory();
  }
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
}

// Every repetition's processor time per case.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, std::vector<double>> cpu;
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs)
      if (r.iterations > 0 && r.run_type == Run::RT_Iteration)
        cpu[r.benchmark_name()].push_back(r.GetAdjustedCPUTime());
    ConsoleReporter::ReportRuns(runs);
  }
};

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double Fastest(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

// The arguments given, with repetitions in random order unless asked for otherwise.
std::vector<char*> WithDefaults(int argc, char** argv) {
  static char reps[] = "--benchmark_repetitions=7";
  static char interleave[] = "--benchmark_enable_random_interleaving=true";
  std::vector<char*> args(argv, argv + argc);
  bool repsGiven = false, interleaveGiven = false;
  for (int i = 1; i < argc; ++i) {
    repsGiven |= std::strncmp(argv[i], "--benchmark_repetitions", 23) == 0;
    interleaveGiven |= std::strncmp(argv[i], "--benchmark_enable_random_interleaving", 38) == 0;
  }
  if (!repsGiven) args.push_back(reps);
  if (!interleaveGiven) args.push_back(interleave);
  args.push_back(nullptr);
  return args;
}

}  // namespace

int main(int argc, char** argv) {
  for (auto* b : {benchmark::RegisterBenchmark("gdi_draw_text", gdi_draw_text),
                  benchmark::RegisterBenchmark("cairo_show_text", cairo_show_text)})
    b->Arg(10)->Arg(14)->Arg(24)->MeasureProcessCPUTime()->Unit(benchmark::kMicrosecond);
  std::vector<char*> args = WithDefaults(argc, argv);
  int n = static_cast<int>(args.size()) - 1;
  benchmark::Initialize(&n, args.data());
  RatioReporter rep;
  benchmark::RunSpecifiedBenchmarks(&rep);
  printf("\n%-6s %16s %16s %8s %8s\n", "size", "ours us (median)", "cairo us (median)", "ratio",
         "fastest");
  for (int size : {10, 14, 24}) {
    const std::string arg = "/" + std::to_string(size);
    auto a = rep.cpu.find("gdi_draw_text" + arg + "/process_time");
    auto b = rep.cpu.find("cairo_show_text" + arg + "/process_time");
    if (a == rep.cpu.end() || b == rep.cpu.end()) continue;
    const double ours = Median(a->second), cairo = Median(b->second);
    printf("%-6d %16.3f %16.3f %8.2f %8.2f\n", size, ours, cairo, ours / cairo,
           Fastest(a->second) / Fastest(b->second));
  }
  return 0;
}
