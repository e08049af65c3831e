// GDI drawing and record churn on the editor-sized surface (664 x 215), each beside a plain
// baseline measured in the same run; prints ours / baseline.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "gdi_compat/GDI.h"

namespace {

const int W = 664, H = 215;

// Baseline: a plain loop writing every pixel of the surface.
void plain_fill(benchmark::State& st) {
  std::vector<uint32_t> px(W * H);
  uint32_t v = 0xFF2040A0u;
  for (auto _ : st) {
    for (uint32_t& p : px) p = v;
    benchmark::DoNotOptimize(px.data());
    v ^= 1;
  }
}

void gdi_fill_rect(benchmark::State& st) {
  HDC dc = GDI_CreateMemContext(nullptr, W, H);
  HBRUSH b = CreateSolidBrush(0x2040A0);
  RECT r = {0, 0, W, H};
  for (auto _ : st) {
    GDI_FillRect(dc, &r, b);
    benchmark::DoNotOptimize(GDI_GetCtxFrameBuffer(dc));
  }
  DeleteObject(b);
  GDI_DeleteGfxContext(dc);
}

void gdi_fill_rect_alpha(benchmark::State& st) {
  HDC dc = GDI_CreateMemContext(nullptr, W, H);
  HBRUSH b = CreateSolidBrushAlpha(0x2040A0, 0.5f);
  RECT r = {0, 0, W, H};
  for (auto _ : st) {
    GDI_FillRect(dc, &r, b);
    benchmark::DoNotOptimize(GDI_GetCtxFrameBuffer(dc));
  }
  DeleteObject(b);
  GDI_DeleteGfxContext(dc);
}

// An anti-aliased ellipse filling the surface's height, with its outline.
void gdi_ellipse(benchmark::State& st) {
  HDC dc = GDI_CreateMemContext(nullptr, W, H);
  HBRUSH b = CreateSolidBrush(0x2040A0);
  HPEN p = CreatePen(0, 2, 0xFFFFFF);
  SelectObject(dc, b);
  SelectObject(dc, p);
  for (auto _ : st) {
    Ellipse(dc, 10, 5, 10 + H - 10, H - 5);
    benchmark::DoNotOptimize(GDI_GetCtxFrameBuffer(dc));
  }
  DeleteObject(b);
  DeleteObject(p);
  GDI_DeleteGfxContext(dc);
}

// Baseline for context churn: allocating and freeing the zeroed pixel memory alone.
void plain_calloc_surface(benchmark::State& st) {
  for (auto _ : st) {
    void* m = calloc(W * H, 4);
    benchmark::DoNotOptimize(m);
    free(m);
  }
}

void gdi_memcontext_churn(benchmark::State& st) {
  for (auto _ : st) {
    HDC dc = GDI_CreateMemContext(nullptr, W, H);
    benchmark::DoNotOptimize(dc);
    GDI_DeleteGfxContext(dc);
  }
}

// Baseline for object churn: a heap allocation of the record's size.
void plain_malloc_record(benchmark::State& st) {
  for (auto _ : st) {
    void* m = calloc(1, sizeof(GDP_OBJECT));
    benchmark::DoNotOptimize(m);
    free(m);
  }
}

void gdi_pen_churn(benchmark::State& st) {
  for (auto _ : st) {
    HPEN p = CreatePen(0, 1, 0x123456);
    benchmark::DoNotOptimize(p);
    DeleteObject(p);
  }
}

const std::pair<const char*, const char*> kPairs[] = {
    {"gdi_fill_rect", "plain_fill"},
    {"gdi_fill_rect_alpha", "plain_fill"},
    {"gdi_ellipse", "plain_fill"},
    {"gdi_memcontext_churn", "plain_calloc_surface"},
    {"gdi_pen_churn", "plain_malloc_record"},
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
  REG(plain_fill);
  REG(gdi_fill_rect);
  REG(gdi_fill_rect_alpha);
  REG(gdi_ellipse);
  REG(plain_calloc_surface);
  REG(gdi_memcontext_churn);
  REG(plain_malloc_record);
  REG(gdi_pen_churn);
  benchmark::Initialize(&argc, argv);
  RatioReporter rep;
  benchmark::RunSpecifiedBenchmarks(&rep);
  printf("\n%-24s %-22s %12s %12s %8s\n", "ours", "baseline", "ours us", "base us", "ratio");
  for (const auto& p : kPairs) {
    auto a = rep.ns.find(p.first), b = rep.ns.find(p.second);
    if (a == rep.ns.end() || b == rep.ns.end()) continue;
    printf("%-24s %-22s %12.3f %12.3f %8.2f\n", p.first, p.second, a->second, b->second,
           a->second / b->second);
  }
  return 0;
}
