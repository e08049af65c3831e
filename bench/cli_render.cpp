// Whole-command comparison: `tessor-eq render` with five active biquad stages (high-pass,
// low shelf, two mid bands, high shelf) against sox running five comparable biquad effects
// on the same 120-second stereo file, both writing 32-bit float WAV. Each iteration is one
// complete run of the command (start-up, decode, process, encode); what counts is the
// child's processor time (user + system), steadier than wall time on a shared machine. The
// ratio tessor-eq / sox is printed last, from the fastest run of each.
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

const int kRate = 44100;
const int kSeconds = 120;

std::string WorkDir() {
  static std::string dir = [] {
    char pattern[] = "/tmp/tessor-cli-bench-XXXXXX";
    return std::string(::mkdtemp(pattern) ? pattern : "/tmp");
  }();
  return dir;
}

// A minute of stereo music-like material: a few partials with slow tremolo and some noise.
const std::string& InputFile() {
  static std::string path = [] {
    std::string p = WorkDir() + "/in.wav";
    SF_INFO info{};
    info.channels = 2;
    info.samplerate = kRate;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* f = sf_open(p.c_str(), SFM_WRITE, &info);
    std::vector<float> block(2 * 4410);
    uint32_t seed = 1;
    for (int64_t start = 0; start < int64_t(kRate) * kSeconds; start += 4410) {
      for (size_t i = 0; i < 4410; ++i) {
        double t = double(start + int64_t(i)) / kRate;
        seed = seed * 1664525u + 1013904223u;
        double noise = (double(seed >> 8) / 16777216.0 - 0.5) * 0.05;
        double s =
            0.2 * std::sin(6.2831853 * 110 * t) * (0.8 + 0.2 * std::sin(6.2831853 * 0.5 * t)) +
            0.1 * std::sin(6.2831853 * 880 * t) + 0.05 * std::sin(6.2831853 * 5000 * t);
        block[2 * i] = float(s + noise);
        block[2 * i + 1] = float(0.9 * s - noise);
      }
      sf_writef_float(f, block.data(), 4410);
    }
    sf_close(f);
    return p;
  }();
  return path;
}

void RunCase(benchmark::State& state, const std::vector<std::string>& command) {
  InputFile();
  for (auto _ : state) {
    double cpu = 0;
    if (!RunQuietly(command, &cpu)) {
      state.SkipWithError(("command failed: " + command[0]).c_str());
      break;
    }
    state.SetIterationTime(cpu);
  }
}

void BM_TessorEqRender_FiveStages(benchmark::State& state) {
  RunCase(state, {TESSOR_EQ_EXE, "render", InputFile(), WorkDir() + "/tessor.wav", "--set",
                  "HPF=80 Hz", "--set", "LoShelf Level=4", "--set", "MF Level 1=-3", "--set",
                  "MF Level 2=3", "--set", "HiShelf Level=2"});
}

// The same five sections by sox: high-pass at 80 Hz (Q 0.59), low shelf at 35 Hz, peaking
// bands at 240 Hz and 2500 Hz (Q 0.5), high shelf at 12 kHz.
void BM_Sox_FiveBiquads(benchmark::State& state) {
  RunCase(state, {"sox",
                  "-V1",
                  InputFile(),
                  "-e",
                  "floating-point",
                  "-b",
                  "32",
                  WorkDir() + "/sox.wav",
                  "highpass",
                  "80",
                  "0.59q",
                  "bass",
                  "4",
                  "35",
                  "1q",
                  "equalizer",
                  "240",
                  "0.5q",
                  "-3",
                  "equalizer",
                  "2500",
                  "0.5q",
                  "3",
                  "treble",
                  "2",
                  "12000",
                  "0.447q"});
}

BENCHMARK(BM_Sox_FiveBiquads)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);
BENCHMARK(BM_TessorEqRender_FiveStages)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(3);

void PrintRatio(const FastestRunReporter& reporter) {
  const double sox = reporter.Fastest("BM_Sox_FiveBiquads");
  const double eq = reporter.Fastest("BM_TessorEqRender_FiveStages");
  if (sox == 0 || eq == 0) return;
  std::printf(
      "\n%d s stereo, whole command, processor time: tessor-eq %.1f ms, sox %.1f ms, "
      "tessor-eq / sox = %.2f\n",
      kSeconds, eq, sox, eq / sox);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  FastestRunReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  PrintRatio(reporter);
  benchmark::Shutdown();
  std::system(("rm -rf '" + WorkDir() + "'").c_str());
  return 0;
}
