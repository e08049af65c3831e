// The editor's redraws through the raster back end, each beside one plain copy (memcpy) of the
// whole 664 x 215 surface measured in the same run: a full redraw (an opaque background and ten
// 60-pixel knobs of 271 frames with soft, translucent edges) and the repaint of one turned knob,
// non-strict (the knob with the slices of the controls under it) and strict (the dirty region).
// Prints microseconds and the ratio to the copy; the goal is a knob's repaint within 2x.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "framework/editor/IKnobControls.h"
#include "framework/editor/IGraphicsRaster.h"
#include "raster/bitmap/Raster_MemBitmap.h"

namespace {

const int W = 664, H = 215;
const int kKnob = 60, kFrames = 271, kKnobs = 10;
enum { kBackgroundId = 9001, kKnobId = 9002 };

// An opaque two-way gradient.
Raster_IBitmap* Background() {
  auto* b = new Raster_MemBitmap(W, H);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x)
      b->getBits()[y * W + x] = Raster_MakePixel(40 + x / 6, 50 + y / 3, 70, 255);
  return b;
}

// Frame f: a grey disc whose rim fades out over two pixels, with a light pointer turned by f.
Raster_IBitmap* KnobStrip() {
  auto* b = new Raster_MemBitmap(kKnob, kKnob * kFrames);
  const double c = (kKnob - 1) / 2.0, r = kKnob / 2.0 - 2.0;
  for (int f = 0; f < kFrames; ++f) {
    const double a = (-135.0 + 270.0 * f / (kFrames - 1)) * M_PI / 180.0;
    for (int y = 0; y < kKnob; ++y)
      for (int x = 0; x < kKnob; ++x) {
        const double dx = x - c, dy = y - c, d = std::sqrt(dx * dx + dy * dy);
        const double cover = std::fmin(1.0, std::fmax(0.0, (r + 1.0 - d) / 2.0));
        const double along = dx * std::sin(a) - dy * std::cos(a);
        const double across = std::fabs(dx * std::cos(a) + dy * std::sin(a));
        const int v = (along > 0 && across < 2.0 && d < r - 3) ? 230 : 90 + (int)(40 * dy / r);
        b->getBits()[(f * kKnob + y) * kKnob + x] =
            Raster_MakePixel(v, v, v + 10, (int)(cover * 255));
      }
  }
  return b;
}

class BenchEditor : public IGraphicsRaster {
 public:
  BenchEditor() : IGraphicsRaster(nullptr, W, H) {
    PrepDraw();
    AttachBackground(kBackgroundId, "background");
    IBitmap knob = LoadIBitmap(kKnobId, "knob", kFrames);
    for (int i = 0; i < kKnobs; ++i) {
      auto* k = new IKnobMultiControl(nullptr, 12 + i * 65, i % 2 ? 120 : 40, -1, &knob);
      k->SetValueFromPlug(i / (kKnobs - 1.0));
      knobs.push_back(k);
      AttachControl(k);
    }
  }
  Raster_IBitmap* OSLoadBitmap(int id, const char*) override {
    return id == kBackgroundId ? Background() : KnobStrip();
  }
  bool DrawScreen(IRECT*) override { return true; }
  bool DrawIText(IText*, const char*, IRECT*) override { return false; }
  void PromptUserInput(IControl*, IParam*) override {}
  void HostPath(Core_String*) override {}
  void PluginPath(Core_String*) override {}
  void PromptForFile(Core_String*, EFileAction, const char*, const char*) override {}
  bool PromptForColor(IColor*, const char*) override { return false; }
  bool OpenURL(const char*, const char*, const char*, const char*) override { return false; }
  void* OpenWindow(void*) override { return nullptr; }
  void CloseWindow() override {}
  void* GetWindow() override { return nullptr; }

  std::vector<IControl*> knobs;
};

void surface_copy(benchmark::State& st) {
  BenchEditor g;
  std::vector<uint32_t> screen(W * H);
  for (auto _ : st) {
    memcpy(screen.data(), g.GetData(), sizeof(uint32_t) * W * H);
    benchmark::DoNotOptimize(screen.data());
    benchmark::ClobberMemory();
  }
}

void full_redraw(benchmark::State& st) {
  BenchEditor g;
  IRECT all(0, 0, W, H);
  for (auto _ : st) {
    g.Draw(&all);
    benchmark::DoNotOptimize(g.GetData());
  }
}

// The fifth knob turns by one frame per repaint, as in a slow drag.
void knob_repaint(benchmark::State& st, bool strict) {
  BenchEditor g;
  g.SetStrictDrawing(strict);
  g.Draw(nullptr);
  g.Draw(nullptr);  // the knobs' values from construction keep them dirty for one more redraw
  int frame = 0;
  for (auto _ : st) {
    frame = (frame + 1) % kFrames;
    g.knobs[4]->SetValueFromPlug(frame / (kFrames - 1.0));
    IRECT r;
    g.IsDirty(&r);
    g.Draw(&r);
    benchmark::DoNotOptimize(g.GetData());
  }
}

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  // The fastest processor time of each benchmark (with repetitions, the least disturbed run).
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs) {
      if (r.iterations <= 0 || r.run_type == Run::RT_Aggregate) continue;
      auto it = us.find(r.benchmark_name());
      const double t = r.GetAdjustedCPUTime();
      if (it == us.end() || t < it->second) us[r.benchmark_name()] = t;
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> us;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::RegisterBenchmark("surface_copy", surface_copy)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("full_redraw", full_redraw)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("knob_repaint", knob_repaint, false)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("knob_repaint_strict", knob_repaint, true)
      ->Unit(benchmark::kMicrosecond);
  benchmark::Initialize(&argc, argv);
  RatioReporter rep;
  benchmark::RunSpecifiedBenchmarks(&rep);
  auto copy = rep.us.find("surface_copy");
  if (copy == rep.us.end() || copy->second <= 0) return 0;
  printf("\n%-20s %10s %18s\n", "redraw", "cpu us", "/ surface copy");
  for (const char* name : {"surface_copy", "full_redraw", "knob_repaint", "knob_repaint_strict"}) {
    auto it = rep.us.find(name);
    if (it != rep.us.end())
      printf("%-20s %10.2f %18.2f\n", name, it->second, it->second / copy->second);
  }
  benchmark::Shutdown();
  return 0;
}
