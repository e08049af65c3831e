// A 12-character label drawn at 10, 14 and 24 pixels: GDI_DrawText into a memory context
// (layout, measuring, clip and glyphs every time) against cairo_show_text on an image
// surface with the same face and size. Processor time; prints ours / cairo per size.
#include <benchmark/benchmark.h>
#include <cairo.h>

#include <cstdio>
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

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> cpu;
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs)
      if (r.iterations > 0 && r.run_type == Run::RT_Iteration)
        cpu[r.benchmark_name()] = r.GetAdjustedCPUTime();
    ConsoleReporter::ReportRuns(runs);
  }
};

}  // namespace

int main(int argc, char** argv) {
  for (auto* b : {benchmark::RegisterBenchmark("gdi_draw_text", gdi_draw_text),
                  benchmark::RegisterBenchmark("cairo_show_text", cairo_show_text)})
    b->Arg(10)->Arg(14)->Arg(24)->MeasureProcessCPUTime()->Unit(benchmark::kMicrosecond);
  benchmark::Initialize(&argc, argv);
  RatioReporter rep;
  benchmark::RunSpecifiedBenchmarks(&rep);
  printf("\n%-6s %14s %14s %8s\n", "size", "ours us (cpu)", "cairo us (cpu)", "ratio");
  for (int size : {10, 14, 24}) {
    const std::string arg = "/" + std::to_string(size);
    auto a = rep.cpu.find("gdi_draw_text" + arg + "/process_time");
    auto b = rep.cpu.find("cairo_show_text" + arg + "/process_time");
    if (a == rep.cpu.end() || b == rep.cpu.end()) continue;
    printf("%-6d %14.3f %14.3f %8.2f\n", size, a->second, b->second, a->second / b->second);
  }
  return 0;
}
