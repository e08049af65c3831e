// The float processing entry of the plug-in base against the floor of any float-to-float block
// path: a plain copy of the same samples. Two plug-ins: the base's own pass-through (attach,
// convert to double, copy, convert back) and one that leaves its outputs alone, so only the
// entry's edges remain (attach, convert to double, convert back). Prints the ratio of each to
// the copy measured in the same run, from processor time, the fastest repetition counting.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "framework/IPluginBase.h"

namespace {

const int kChannels = 2;

class PassThrough : public IPluginBase {
 public:
  PassThrough() : IPluginBase(0, "2-2", 0, "Bench", "", "Bench", 0, 0, 0, 0, false, false, false) {}
  explicit PassThrough(bool edgesOnly) : PassThrough() { mEdgesOnly = edgesOnly; }
  void ProcessDoubleReplacing(double** in, double** out, int n) override {
    if (!mEdgesOnly) IPluginBase::ProcessDoubleReplacing(in, out, n);
  }
  void BeginInformHostOfParamChange(int) override {}
  void InformHostOfParamChange(int, double) override {}
  void EndInformHostOfParamChange(int) override {}
  int GetSamplePos() override { return 0; }
  double GetTempo() override { return 0; }
  void GetTimeSig(int*, int*) override {}
  void ResizeGraphics(int, int) override {}
  void HostSpecificInit() override {}
  bool SendMidiMsg(IMidiMsg*) override { return false; }
  bool SendMidiMsgs(Core_TypedBuf<IMidiMsg>*) override { return false; }

 private:
  bool mEdgesOnly = false;
};

struct Buffers {
  explicit Buffers(int n)
      : in(kChannels, std::vector<float>(n)), out(kChannels, std::vector<float>(n)) {
    for (auto& ch : in)
      for (int s = 0; s < n; ++s) ch[s] = static_cast<float>(s % 97) / 97.0f;
  }
  std::vector<std::vector<float>> in, out;
};

void BM_CopyBaseline(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  Buffers b(n);
  for (auto _ : state) {
    for (int c = 0; c < kChannels; ++c) memcpy(b.out[c].data(), b.in[c].data(), sizeof(float) * n);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * n * kChannels);
}

void RunEntry(benchmark::State& state, bool edgesOnly) {
  const int n = static_cast<int>(state.range(0));
  Buffers b(n);
  PassThrough plug(edgesOnly);
  plug.SetBlockSize(n);
  plug.SetInputChannelConnections(0, kChannels, true);
  plug.SetOutputChannelConnections(0, kChannels, true);
  float* in[kChannels] = {b.in[0].data(), b.in[1].data()};
  float* out[kChannels] = {b.out[0].data(), b.out[1].data()};
  for (auto _ : state) {
    plug.AttachInputBuffers(0, kChannels, in, n);
    plug.AttachOutputBuffers(0, kChannels, out);
    plug.ProcessBuffers(0.0f, n);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * n * kChannels);
}

void BM_ProcessBuffersFloat(benchmark::State& state) { RunEntry(state, false); }
void BM_ProcessBuffersFloat_EdgesOnly(benchmark::State& state) { RunEntry(state, true); }

BENCHMARK(BM_CopyBaseline)->Arg(64)->Arg(512)->Arg(4096);
BENCHMARK(BM_ProcessBuffersFloat)->Arg(64)->Arg(512)->Arg(4096);
BENCHMARK(BM_ProcessBuffersFloat_EdgesOnly)->Arg(64)->Arg(512)->Arg(4096);

// Collects the per-iteration times to print ratios against the copy of the same block size.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      if (r.run_type != Run::RT_Iteration || r.iterations == 0) continue;
      const std::string name = r.run_name.function_name + "/" + r.run_name.args;
      const double t = r.GetAdjustedCPUTime();
      auto it = times.find(name);
      if (it == times.end() || t < it->second) times[name] = t;
    }
  }
  std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  printf("\nProcessBuffers(float) time / plain copy time, same run (pass-through, edges only):\n");
  for (const char* n : {"64", "512", "4096"}) {
    auto base = reporter.times.find(std::string("BM_CopyBaseline/") + n);
    auto proc = reporter.times.find(std::string("BM_ProcessBuffersFloat/") + n);
    auto edges = reporter.times.find(std::string("BM_ProcessBuffersFloat_EdgesOnly/") + n);
    if (base == reporter.times.end() || proc == reporter.times.end() ||
        edges == reporter.times.end() || base->second <= 0)
      continue;
    printf("  %5s frames x %d channels: %.2fx, %.2fx\n", n, kChannels, proc->second / base->second,
           edges->second / base->second);
  }
  benchmark::Shutdown();
  return 0;
}
