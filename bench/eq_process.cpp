// ns per frame of the equaliser's processing, and each case's ratio to a floor: a plain
// cascade of five Direct Form I biquads per channel with the same coefficients and no
// drive terms, flushing or oversampling. The cases run on the processing path chosen at run
// time; stereo with all bands also runs on every other path this processor has.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "tessor_eq/eq_chain.h"
#include "tessor_eq/ondrel.h"

namespace {

const int kFrames = 512;

class BenchOndrel : public ondrel {
 public:
  void BeginInformHostOfParamChange(int) override {}
  void InformHostOfParamChange(int, double) override {}
  void EndInformHostOfParamChange(int) override {}
  int GetSamplePos() override { return 0; }
  double GetTempo() override { return 0.0; }
  void GetTimeSig(int* num, int* denom) override { *num = 4, *denom = 4; }
  void ResizeGraphics(int, int) override {}
  void HostSpecificInit() override {}
  bool SendMidiMsg(IMidiMsg*) override { return false; }
  bool SendMidiMsgs(Core_TypedBuf<IMidiMsg>*) override { return false; }

  BenchOndrel(bool stereo, bool allBands, bool oversample) {
    SetSampleRate(48000.0);
    SetBlockSize(kFrames);
    SetInputChannelConnections(0, stereo ? 2 : 1, true);
    SetOutputChannelConnections(0, stereo ? 2 : 1, true);
    if (allBands) {
      GetParam(kHPF)->Set(2);
      GetParam(kLoShelfLevel)->Set(6.0);
      GetParam(kMF1Level)->Set(-4.5);
      GetParam(kMF2Level)->Set(3.0);
      GetParam(kHiShelfLevel)->Set(-2.0);
      GetParam(kGain)->Set(1.5);
    }
    GetParam(kOversample)->Set(oversample ? 1 : 0);
    OnParamReset();
  }

  const rbjfilter* Band(int i) const {
    const rbjfilter* bands[5] = {&highPass, &lowShelf, &midBand1, &midBand2, &highShelf};
    return bands[i];
  }
};

std::vector<double> Noise(unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> u(-0.5, 0.5);
  std::vector<double> v(kFrames);
  for (double& x : v) x = u(rng);
  return v;
}

void Run(benchmark::State& state, bool stereo, bool allBands, bool oversample) {
  BenchOndrel eq(stereo, allBands, oversample);
  std::vector<double> inL = Noise(1), inR = Noise(2), outL(kFrames), outR(kFrames);
  double* in[2] = {inL.data(), inR.data()};
  double* out[2] = {outL.data(), outR.data()};
  for (auto _ : state) {
    eq.ProcessDoubleReplacing(in, out, kFrames);
    benchmark::DoNotOptimize(outL.data());
    benchmark::DoNotOptimize(outR.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kFrames);
}

struct PlainBiquad {
  double b0, b1, b2, a1, a2;
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  double Process(double x) {
    const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    return y;
  }
};

void BM_Floor_FiveBiquadsPerChannel(benchmark::State& state) {
  BenchOndrel eq(true, true, false);
  PlainBiquad left[5], right[5];
  for (int i = 0; i < 5; ++i) {
    const rbjfilter::Coefficients c = eq.Band(i)->GetCoefficients();
    left[i] = right[i] = PlainBiquad{c.b0, c.b1, c.b2, c.a1, c.a2};
  }
  std::vector<double> inL = Noise(1), inR = Noise(2), outL(kFrames), outR(kFrames);
  for (auto _ : state) {
    for (int n = 0; n < kFrames; ++n) {
      double l = inL[n], r = inR[n];
      for (int i = 0; i < 5; ++i) l = left[i].Process(l);
      for (int i = 0; i < 5; ++i) r = right[i].Process(r);
      outL[n] = l;
      outR[n] = r;
    }
    benchmark::DoNotOptimize(outL.data());
    benchmark::DoNotOptimize(outR.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kFrames);
}

void BM_Stereo_AllBands(benchmark::State& s) { Run(s, true, true, false); }
void BM_Stereo_AllBands_Oversampled(benchmark::State& s) { Run(s, true, true, true); }
void BM_Mono_AllBands(benchmark::State& s) { Run(s, false, true, false); }
void BM_Stereo_Defaults(benchmark::State& s) { Run(s, true, false, false); }

// Stereo with all bands on one given path, the chosen one restored afterwards.
void StereoAllBandsOn(benchmark::State& s, eq_ChainPath path) {
  const eq_ChainPath chosen = eq_CurrentChainPath();
  eq_UseChainPath(path);
  Run(s, true, true, false);
  eq_UseChainPath(chosen);
}

const char* const kPathNames[eq_kNumChainPaths] = {"Plain", "SSE2", "AVX2", "AVX512"};

BENCHMARK(BM_Floor_FiveBiquadsPerChannel);
BENCHMARK(BM_Stereo_AllBands);
BENCHMARK(BM_Stereo_AllBands_Oversampled);
BENCHMARK(BM_Mono_AllBands);
BENCHMARK(BM_Stereo_Defaults);

// Prints the usual table, remembers ns per frame of each case and prints the ratios last.
// Run with --benchmark_repetitions=N on a busy machine: the fastest repetition counts.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      if (r.run_type != Run::RT_Iteration || r.iterations == 0) continue;
      // Processor time, and with repetitions the fastest run: on a shared machine the
      // others were disturbed by other load.
      const double ns = r.GetAdjustedCPUTime() / kFrames;
      auto it = mNsPerFrame.find(r.run_name.function_name);
      if (it == mNsPerFrame.end() || ns < it->second) mNsPerFrame[r.run_name.function_name] = ns;
    }
  }

  void PrintRatios() const {
    const auto floor = mNsPerFrame.find("BM_Floor_FiveBiquadsPerChannel");
    if (floor == mNsPerFrame.end()) return;
    std::printf("\n%-36s %12s %10s\n", "case", "ns/frame", "x floor");
    for (const auto& kv : mNsPerFrame)
      std::printf("%-36s %12.2f %10.2f\n", kv.first.c_str(), kv.second, kv.second / floor->second);
  }

 private:
  std::map<std::string, double> mNsPerFrame;
};

}  // namespace

int main(int argc, char** argv) {
  for (int p = 0; p < eq_kNumChainPaths; ++p) {
    const eq_ChainPath path = static_cast<eq_ChainPath>(p);
    if (eq_ChainPathAvailable(path) && path != eq_CurrentChainPath())
      benchmark::RegisterBenchmark((std::string("BM_Stereo_AllBands_Path") + kPathNames[p]).c_str(),
                                   StereoAllBandsOn, path);
  }
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  benchmark::Shutdown();
  return 0;
}
