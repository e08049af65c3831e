// Many instances in one process, opened and closed from several threads at once, keep their
// own state.
#include <atomic>
#include <thread>

#include "tests/component/ComponentFixture.h"

using namespace component_test;

TEST(ComponentInstances, SixtyFourInstancesFromFourThreadsKeepTheirOwnState) {
  Component component = EqComponent();
  ASSERT_NE(nullptr, component);
  const long before = CountComponentInstances(component);
  std::atomic<int> failures{0};

  auto worker = [&](int t) {
    std::vector<AudioUnit> units;
    for (int i = 0; i < 16; ++i) {
      AudioUnit u = nullptr;
      if (host::OpenUnit(component, &u) != noErr || !u) {
        ++failures;
        continue;
      }
      units.push_back(u);
      // Each instance gets its own gain, then all are checked once the thread's are open.
      const float gain = -0.5f * static_cast<float>(t * 16 + i) / 4.0f;
      if (AudioUnitSetParameter(u, 8, kAudioUnitScope_Global, 0, gain, 0) != noErr) ++failures;
      if (AudioUnitInitialize(u) != noErr) ++failures;
    }
    for (size_t i = 0; i < units.size(); ++i) {
      AudioUnitParameterValue v = 1.0f;
      const float gain = -0.5f * static_cast<float>(t * 16 + static_cast<int>(i)) / 4.0f;
      if (AudioUnitGetParameter(units[i], 8, kAudioUnitScope_Global, 0, &v) != noErr || v != gain)
        ++failures;
      if (host::CloseUnit(units[i]) != noErr) ++failures;
    }
  };

  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) threads.emplace_back(worker, t);
  for (std::thread& th : threads) th.join();

  EXPECT_EQ(0, failures.load());
  EXPECT_EQ(before, CountComponentInstances(component));
}
