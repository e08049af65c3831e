// Raster_Blit, Raster_ScaledBlit and Raster_FillRect on a 664 x 215 surface against the
// nearest pixman operation on the same sizes, measured in one run; prints ours / pixman.

#include "raster/bitmap/Raster_MemBitmap.h"
#include "raster/bitmap/Raster_PixelUtil.h"
#include "raster/blit/Raster_Blit.h"

#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

const int W = 664, H = 215;

void pattern(Raster_IBitmap* b) {
  Raster_RowView v(b);
  for (int y = 0; y < v.h; ++y)
    for (int x = 0; x < v.w; ++x)
      v.row(y)[x] = Raster_MakePixel(x * 3, y * 5, x ^ y, (x + y) & 0xFF);
}

// pixman image over a bitmap's memory (a8r8g8b8 on the same bytes; colour order differs, cost does not).
pixman_image_t* wrap(Raster_IBitmap* b) {
  return pixman_image_create_bits(PIXMAN_a8r8g8b8, b->getWidth(), b->getHeight(),
                                  (uint32_t*)b->getBits(), b->getRowSpan() * 4);
}

struct Surfaces {
  Raster_MemBitmap dst{W, H}, src{W, H}, small{W * 2 / 3, H * 2 / 3}, big{W * 3, H * 3};
  Surfaces() {
    pattern(&dst);
    pattern(&src);
    pattern(&small);
    pattern(&big);
  }
};
Surfaces& S() {
  static Surfaces s;
  return s;
}

void ours_blit_copy(benchmark::State& st) {
  for (auto _ : st) Raster_Blit(&S().dst, &S().src, 0, 0, nullptr, 1.0f, kBlitCopy);
}
void pixman_blit_copy(benchmark::State& st) {
  pixman_image_t *d = wrap(&S().dst), *s = wrap(&S().src);
  for (auto _ : st) pixman_image_composite32(PIXMAN_OP_SRC, s, nullptr, d, 0, 0, 0, 0, 0, 0, W, H);
  pixman_image_unref(d);
  pixman_image_unref(s);
}

void ours_blit_srcalpha(benchmark::State& st) {
  for (auto _ : st)
    Raster_Blit(&S().dst, &S().src, 0, 0, nullptr, 1.0f, kBlitCopy | kBlitUseSourceAlpha);
}
void pixman_blit_over(benchmark::State& st) {
  pixman_image_t *d = wrap(&S().dst), *s = wrap(&S().src);
  for (auto _ : st) pixman_image_composite32(PIXMAN_OP_OVER, s, nullptr, d, 0, 0, 0, 0, 0, 0, W, H);
  pixman_image_unref(d);
  pixman_image_unref(s);
}

void ours_blit_half(benchmark::State& st) {
  for (auto _ : st) Raster_Blit(&S().dst, &S().src, 0, 0, nullptr, 0.5f, kBlitCopy);
}
void ours_blit_weight(benchmark::State& st) {
  for (auto _ : st) Raster_Blit(&S().dst, &S().src, 0, 0, nullptr, 0.3f, kBlitCopy);
}
void pixman_blit_over_half_mask(benchmark::State& st) {
  pixman_image_t *d = wrap(&S().dst), *s = wrap(&S().src);
  pixman_color_t half = {0x8000, 0x8000, 0x8000, 0x8000};
  pixman_image_t* m = pixman_image_create_solid_fill(&half);
  for (auto _ : st) pixman_image_composite32(PIXMAN_OP_OVER, s, m, d, 0, 0, 0, 0, 0, 0, W, H);
  pixman_image_unref(m);
  pixman_image_unref(d);
  pixman_image_unref(s);
}

void ours_scaled_bilinear_up(benchmark::State& st) {
  Raster_IBitmap* s = &S().small;
  for (auto _ : st)
    Raster_ScaledBlit(&S().dst, s, 0, 0, W, H, 0, 0, (float)s->getWidth(), (float)s->getHeight(),
                      1.0f, kBlitCopy | kBlitFilterBilinear);
}
void pixman_scaled_bilinear_up(benchmark::State& st) {
  Raster_IBitmap* sb = &S().small;
  pixman_image_t *d = wrap(&S().dst), *s = wrap(sb);
  pixman_transform_t t;
  pixman_transform_init_scale(&t, pixman_double_to_fixed((double)sb->getWidth() / W),
                              pixman_double_to_fixed((double)sb->getHeight() / H));
  pixman_image_set_transform(s, &t);
  pixman_image_set_filter(s, PIXMAN_FILTER_BILINEAR, nullptr, 0);
  for (auto _ : st) pixman_image_composite32(PIXMAN_OP_SRC, s, nullptr, d, 0, 0, 0, 0, 0, 0, W, H);
  pixman_image_unref(d);
  pixman_image_unref(s);
}

void ours_scaled_area_down(benchmark::State& st) {
  Raster_IBitmap* s = &S().big;
  for (auto _ : st)
    Raster_ScaledBlit(&S().dst, s, 0, 0, W, H, 0, 0, (float)s->getWidth(), (float)s->getHeight(),
                      1.0f, kBlitCopy | kBlitFilterBilinear);
}
void pixman_scaled_box_down(benchmark::State& st) {
  pixman_image_t *d = wrap(&S().dst), *s = wrap(&S().big);
  pixman_transform_t t;
  pixman_transform_init_scale(&t, pixman_int_to_fixed(3), pixman_int_to_fixed(3));
  pixman_image_set_transform(s, &t);
  int n = 0;
  pixman_fixed_t* params = pixman_filter_create_separable_convolution(
      &n, pixman_int_to_fixed(3), pixman_int_to_fixed(3), PIXMAN_KERNEL_BOX, PIXMAN_KERNEL_BOX,
      PIXMAN_KERNEL_BOX, PIXMAN_KERNEL_BOX, 0, 0);
  pixman_image_set_filter(s, PIXMAN_FILTER_SEPARABLE_CONVOLUTION, params, n);
  free(params);
  for (auto _ : st) pixman_image_composite32(PIXMAN_OP_SRC, s, nullptr, d, 0, 0, 0, 0, 0, 0, W, H);
  pixman_image_unref(d);
  pixman_image_unref(s);
}

void ours_fill(benchmark::State& st) {
  for (auto _ : st) Raster_FillRect(&S().dst, 0, 0, W, H, 0xFF336699u, 1.0f, kBlitCopy);
}
void pixman_fill_rect(benchmark::State& st) {
  for (auto _ : st) ::pixman_fill((uint32_t*)S().dst.getBits(), W, 32, 0, 0, W, H, 0xFF336699u);
}
void ours_fill_weight(benchmark::State& st) {
  for (auto _ : st) Raster_FillRect(&S().dst, 0, 0, W, H, 0xFF336699u, 0.3f, kBlitCopy);
}
void pixman_fill_over(benchmark::State& st) {
  pixman_image_t* d = wrap(&S().dst);
  pixman_color_t c = {0x1000, 0x2000, 0x3000, 0x4CCC};
  pixman_image_t* s = pixman_image_create_solid_fill(&c);
  for (auto _ : st) pixman_image_composite32(PIXMAN_OP_OVER, s, nullptr, d, 0, 0, 0, 0, 0, 0, W, H);
  pixman_image_unref(s);
  pixman_image_unref(d);
}

// Pairs of (ours, pixman) benchmark names, reported as a ratio after the run.
const std::pair<const char*, const char*> kPairs[] = {
    {"ours_blit_copy", "pixman_blit_copy"},
    {"ours_blit_srcalpha", "pixman_blit_over"},
    {"ours_blit_half", "pixman_blit_over_half_mask"},
    {"ours_blit_weight", "pixman_blit_over_half_mask"},
    {"ours_scaled_bilinear_up", "pixman_scaled_bilinear_up"},
    {"ours_scaled_area_down", "pixman_scaled_box_down"},
    {"ours_fill", "pixman_fill_rect"},
    {"ours_fill_weight", "pixman_fill_over"},
};

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> ns;
  void ReportRuns(const std::vector<Run>& runs) override {
    // Processor time, steadier than wall time on a shared machine; with repetitions the fastest
    // one, the least disturbed by other work.
    for (const Run& r : runs) {
      if (r.iterations <= 0 || r.run_type == Run::RT_Aggregate) continue;
      auto it = ns.find(r.benchmark_name());
      double t = r.GetAdjustedCPUTime();
      if (it == ns.end() || t < it->second) ns[r.benchmark_name()] = t;
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

}  // namespace

#define REG(fn) benchmark::RegisterBenchmark(#fn, fn)->Unit(benchmark::kMicrosecond)

int main(int argc, char** argv) {
  REG(ours_blit_copy);
  REG(pixman_blit_copy);
  REG(ours_blit_srcalpha);
  REG(pixman_blit_over);
  REG(ours_blit_half);
  REG(ours_blit_weight);
  REG(pixman_blit_over_half_mask);
  REG(ours_scaled_bilinear_up);
  REG(pixman_scaled_bilinear_up);
  REG(ours_scaled_area_down);
  REG(pixman_scaled_box_down);
  REG(ours_fill);
  REG(pixman_fill_rect);
  REG(ours_fill_weight);
  REG(pixman_fill_over);
  benchmark::Initialize(&argc, argv);
  RatioReporter rep;
  benchmark::RunSpecifiedBenchmarks(&rep);
  printf("\n%-26s %-28s %12s %12s %8s\n", "ours", "pixman", "ours cpu us", "pixman cpu us",
         "ratio");
  for (const auto& p : kPairs) {
    auto a = rep.ns.find(p.first), b = rep.ns.find(p.second);
    if (a == rep.ns.end() || b == rep.ns.end()) continue;
    printf("%-26s %-28s %12.1f %12.1f %8.2f\n", p.first, p.second, a->second, b->second,
           a->second / b->second);
  }
  return 0;
}
