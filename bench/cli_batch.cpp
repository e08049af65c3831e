// A batch of sixteen 20-second stereo files through the same five active stages, three ways:
// sixteen 'tessor-eq render IN OUT' commands one after another (the baseline, what a shell
// loop does), one 'render ... --out-dir' batch with -j 1, and one with -j 2. Each iteration
// is the whole job in wall-clock time (what running files side by side saves; the children's
// processor time is shown beside it); the ratios against the baseline are printed last.
#include "bench/CommandBench.h"

#include <benchmark/benchmark.h>
#include <sndfile.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const int kFiles = 16;
const int kRate = 44100;
const int kSeconds = 20;
const std::vector<std::string> kSettings = {"--set", "HPF=80 Hz",      "--set", "LoShelf Level=4",
                                            "--set", "MF Level 1=-3",  "--set", "MF Level 2=3",
                                            "--set", "HiShelf Level=2"};

std::string WorkDir() {
  static std::string dir = [] {
    char pattern[] = "/tmp/tessor-batch-bench-XXXXXX";
    return std::string(::mkdtemp(pattern) ? pattern : "/tmp");
  }();
  return dir;
}

// Sixteen files of partials and noise, each a little different.
const std::vector<std::string>& Inputs() {
  static std::vector<std::string> paths = [] {
    std::vector<std::string> p;
    std::vector<float> block(2 * 4410);
    for (int k = 0; k < kFiles; ++k) {
      p.push_back(WorkDir() + "/take" + std::to_string(k) + ".wav");
      SF_INFO info{};
      info.channels = 2;
      info.samplerate = kRate;
      info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
      SNDFILE* f = sf_open(p.back().c_str(), SFM_WRITE, &info);
      uint32_t seed = static_cast<uint32_t>(k + 1);
      for (int64_t start = 0; start < int64_t(kRate) * kSeconds; start += 4410) {
        for (size_t i = 0; i < 4410; ++i) {
          const double t = double(start + int64_t(i)) / kRate;
          seed = seed * 1664525u + 1013904223u;
          const double noise = (double(seed >> 8) / 16777216.0 - 0.5) * 0.05;
          const double s = 0.2 * std::sin(6.2831853 * (110 + 10 * k) * t) +
                           0.1 * std::sin(6.2831853 * 880 * t) + noise;
          block[2 * i] = float(s);
          block[2 * i + 1] = float(0.9 * s - noise);
        }
        sf_writef_float(f, block.data(), 4410);
      }
      sf_close(f);
    }
    return p;
  }();
  return paths;
}

// Runs the command with the settings, adding its processor time to *cpuSeconds.
bool Run(std::vector<std::string> args, double* cpuSeconds) {
  args.insert(args.end(), kSettings.begin(), kSettings.end());
  double cpu = 0;
  const bool ok = RunQuietly(args, &cpu);
  *cpuSeconds += cpu;
  return ok;
}

// The children's processor time per iteration, beside the wall time the ratios use: running
// files side by side should save time, not add work.
void ReportProcessorTime(benchmark::State& state, double cpuSeconds) {
  state.counters["cpu_ms"] = cpuSeconds * 1000 / static_cast<double>(state.iterations());
}

void BM_SixteenRendersOneAfterAnother(benchmark::State& state) {
  Inputs();
  double cpu = 0;
  for (auto _ : state)
    for (int k = 0; k < kFiles; ++k)
      if (!Run({TESSOR_EQ_EXE, "render", Inputs()[k],
                WorkDir() + "/single" + std::to_string(k) + ".wav"},
               &cpu)) {
        state.SkipWithError("tessor-eq render failed");
        return;
      }
  ReportProcessorTime(state, cpu);
}

void Batch(benchmark::State& state, const std::string& jobs) {
  std::vector<std::string> args = {TESSOR_EQ_EXE, "render"};
  args.insert(args.end(), Inputs().begin(), Inputs().end());
  args.insert(args.end(), {"--out-dir", WorkDir() + "/batch-j" + jobs, "-j", jobs});
  double cpu = 0;
  for (auto _ : state)
    if (!Run(args, &cpu)) {
      state.SkipWithError("tessor-eq render --out-dir failed");
      return;
    }
  ReportProcessorTime(state, cpu);
}

void BM_BatchOneJob(benchmark::State& state) { Batch(state, "1"); }
void BM_BatchTwoJobs(benchmark::State& state) { Batch(state, "2"); }

BENCHMARK(BM_SixteenRendersOneAfterAnother)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK(BM_BatchOneJob)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_BatchTwoJobs)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void PrintRatios(const FastestRunReporter& reporter) {
  const double base = reporter.Fastest("BM_SixteenRendersOneAfterAnother");
  const double one = reporter.Fastest("BM_BatchOneJob");
  const double two = reporter.Fastest("BM_BatchTwoJobs");
  if (base == 0 || one == 0 || two == 0) return;
  std::printf(
      "\n%d files of %d s stereo, one after another %.0f ms; batch -j 1 %.0f ms (%.2f); "
      "batch -j 2 %.0f ms (%.2f of one after another)\n",
      kFiles, kSeconds, base, one, one / base, two, two / base);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  FastestRunReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  PrintRatios(reporter);
  benchmark::Shutdown();
  std::system(("rm -rf '" + WorkDir() + "'").c_str());
  return 0;
}
