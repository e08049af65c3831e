// Hosts that do what LV2 forbids or never expects: odd sample rates, ports left unconnected,
// empty blocks, NaN and out-of-range controls, a state save overlapping run(). None of it may
// crash the host or put NaN into its audio.
#include <gtest/gtest.h>
#include <lv2/state/state.h>

#include <cmath>
#include <condition_variable>
#include <future>
#include <limits>
#include <thread>

#include "tests/lv2/LV2Host.h"

namespace {

// With every band at 0 dB nothing is filtered, so a constant input x below 1 comes out as
// gain(dB) * x + (|dB| / 60 + 0.01) * sin(x).
float Bypassed(double gainDb, double x) {
  return static_cast<float>(std::exp(0.1151292546497 * gainDb) * x +
                            (std::fabs(gainDb / 60.0) + 0.01) * std::sin(x));
}

// n frames of the constant x through every input; the first output.
std::vector<float> RunConstant(LV2Instance& plug, float x, uint32_t n) {
  for (size_t c = 0; c < plug.Channels(); ++c) std::fill_n(plug.In(c).begin(), n, x);
  lilv_instance_run(plug.Get(), n);
  return std::vector<float>(plug.Out(0).begin(), plug.Out(0).begin() + n);
}

bool AllFinite(const std::vector<float>& v) {
  return std::all_of(v.begin(), v.end(), [](float x) { return std::isfinite(x); });
}

}  // namespace

TEST(LV2BadHost, SampleRatesNoAudioHostUsesGetNoInstanceAndTheOthersStayFiniteAtEveryExtreme) {
  LV2Host host;
  for (double rate : {0.0, -44100.0, std::nan(""), HUGE_VAL, 999.0, 1e12})
    EXPECT_FALSE(LV2Instance(host, kStereoURI, rate)) << rate;
  for (double rate : {1000.0, 8000.0, 1536000.0}) {
    for (float oversample : {0.0f, 1.0f}) {
      LV2Instance plug(host, kStereoURI, rate);
      ASSERT_TRUE(plug) << rate;
      plug.Set({{"hpf", 5},
                {"loshelf_freq", 3},
                {"loshelf_level", 20},
                {"mf_1_freq", 5},
                {"mf_level_1", 20},
                {"mf_2_freq", 6},
                {"mf_level_2", 20},
                {"hishelf_level", 20},
                {"gain", 10},
                {"oversample", oversample}});
      lilv_instance_activate(plug.Get());
      uint32_t seed = 3;
      for (int block = 0; block < 20; ++block) {
        for (size_t c = 0; c < 2; ++c)
          for (float& x : plug.In(c))
            x = static_cast<float>(((seed = seed * 1664525u + 1013904223u) >> 8) / 8388608.0 - 1);
        lilv_instance_run(plug.Get(), 4096);
        ASSERT_TRUE(AllFinite(plug.Out(0)) && AllFinite(plug.Out(1)))
            << rate << " oversample " << oversample;
      }
    }
  }
}

TEST(LV2BadHost, UnconnectedPortsReadSilenceAndWriteNowhere) {
  LV2Host host;
  LV2Instance plug(host, kStereoURI, 44100);
  ASSERT_TRUE(plug);
  for (uint32_t port = 0; port < 14; ++port) plug.Connect(port, nullptr);
  lilv_instance_activate(plug.Get());
  lilv_instance_run(plug.Get(), 4096);

  // An output only: silence in, and silence at the defaults comes out as silence.
  std::fill(plug.Out(0).begin(), plug.Out(0).end(), 9.0f);
  plug.Connect(plug.Port("out_l"), plug.Out(0).data());
  lilv_instance_run(plug.Get(), 3000);
  EXPECT_EQ(std::count(plug.Out(0).begin(), plug.Out(0).begin() + 3000, 0.0f), 3000);
  EXPECT_EQ(plug.Out(0)[3000], 9.0f);

  // Inputs and controls but no outputs, with a band working.
  plug.ConnectAll();
  plug.Connect(plug.Port("out_l"), nullptr);
  plug.Connect(plug.Port("out_r"), nullptr);
  plug.Control("mf_level_2") = 12;
  RunConstant(plug, 0.25f, 2048);
  plug.Connect(plug.Port("out_l"), plug.Out(0).data());
  EXPECT_TRUE(AllFinite(RunConstant(plug, 0.25f, 512)));
}

TEST(LV2BadHost,
     ControlsApplyBeforeTheNextBlockAndNaNOrOutOfRangeValuesAreClampedAsOnTheComponent) {
  LV2Host host;
  LV2Instance plug(host, kMonoURI, 48000);
  ASSERT_TRUE(plug);
  lilv_instance_activate(plug.Get());
  // The plug-in's order of operations may differ from Bypassed()'s: within 4 ulp.
  auto expectAll = [&](float expected, uint32_t n) {
    for (float y : RunConstant(plug, 0.5f, n)) ASSERT_FLOAT_EQ(y, expected);
  };
  expectAll(Bypassed(0, 0.5), 256);
  // A zero-length run takes the new value too, and the next block has it from its first frame.
  plug.Control("gain") = 10;
  lilv_instance_run(plug.Get(), 0);
  expectAll(Bypassed(10, 0.5), 64);
  const std::pair<float, double> clamped[] = {
      {1e30f, 10}, {-HUGE_VALF, -20}, {4, 4}, {std::nanf(""), -20}};  // NaN takes the minimum
  for (const auto& [value, dB] : clamped) {
    plug.Control("gain") = value;
    expectAll(Bypassed(dB, 0.5), 64);
  }
  // NaN on the controls of a working equaliser: the bands take their lowest settings.
  for (const char* symbol :
       {"hpf", "loshelf_level", "mf_1_freq", "mf_level_2", "hishelf_level", "oversample"})
    plug.Control(symbol) = std::nanf("");
  EXPECT_TRUE(AllFinite(RunConstant(plug, 0.5f, 4096)));
}

TEST(LV2BadHost, RunKeepsProcessingWhileAStateSaveHoldsThePlugin) {
  LV2Host host;
  LV2Instance plug(host, kMonoURI, 48000);
  ASSERT_TRUE(plug);
  lilv_instance_activate(plug.Get());
  const auto* iface = static_cast<const LV2_State_Interface*>(
      lilv_instance_get_extension_data(plug.Get(), LV2_STATE__interface));
  ASSERT_TRUE(iface);
  // The host's store function holds the save, and so the plug-in, until released.
  struct Gate {
    std::mutex m;
    std::condition_variable cv;
    bool inside = false, release = false;
  } gate;
  auto store = [](LV2_State_Handle h, uint32_t, const void*, size_t, uint32_t, uint32_t) {
    auto* g = static_cast<Gate*>(h);
    std::unique_lock<std::mutex> lock(g->m);
    g->inside = true;
    g->cv.notify_all();
    g->cv.wait(lock, [&] { return g->release; });
    return LV2_STATE_SUCCESS;
  };
  std::thread save(
      [&] { iface->save(lilv_instance_get_handle(plug.Get()), store, &gate, 0, host.features); });
  std::unique_lock<std::mutex> lock(gate.m);
  gate.cv.wait(lock, [&] { return gate.inside; });
  lock.unlock();
  plug.Control("gain") = 10;
  auto run = std::async(std::launch::async, [&] { return RunConstant(plug, 0.5f, 128); });
  // A run() that waited for the save would not finish before the release below.
  const bool finished = run.wait_for(std::chrono::seconds(30)) == std::future_status::ready;
  lock.lock();
  gate.release = true;
  lock.unlock();
  gate.cv.notify_all();
  save.join();
  ASSERT_TRUE(finished);
  // That block ran on the old gain; the next one takes the new value.
  EXPECT_FLOAT_EQ(run.get()[0], Bypassed(0, 0.5));
  EXPECT_FLOAT_EQ(RunConstant(plug, 0.5f, 128)[0], Bypassed(10, 0.5));
}
