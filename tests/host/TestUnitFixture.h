// Loads the test bundle, opens one unit and reads back the calls the unit logged.
#ifndef TESSOR_TEST_UNIT_FIXTURE_H
#define TESSOR_TEST_UNIT_FIXTURE_H

#include "host/ComponentBundle.h"
#include "tests/host/TestComponent.h"

#include <gtest/gtest.h>

#include <vector>

class TestUnit : public ::testing::Test {
 protected:
  void SetUp() override {
    loaded = host::LoadComponentBundle(TEST_BUNDLE_PATH);
    ASSERT_TRUE(loaded.ok()) << loaded.message;
    ASSERT_EQ(1u, loaded.components.size());
    component = loaded.components[0].component;
    copyCalls = reinterpret_cast<TestComponentCopyCallsProc>(
        CFBundleGetFunctionPointerForName(loaded.bundle, CFSTR("TestComponent_CopyCalls")));
    ASSERT_NE(nullptr, copyCalls);
    ASSERT_EQ(noErr, host::OpenUnit(component, &unit));
  }

  void TearDown() override {
    if (unit) {
      EXPECT_EQ(noErr, host::CloseUnit(unit));
    }
  }

  std::vector<TestComponentCall> Calls(AudioUnit u) {
    std::vector<TestComponentCall> calls(64);
    int n = copyCalls(GetComponentInstanceStorage(u), calls.data(), 64);
    calls.resize(n < 0 ? 0 : static_cast<size_t>(n < 64 ? n : 64));
    return calls;
  }

  TestComponentCall LastCall() {
    std::vector<TestComponentCall> calls = Calls(unit);
    if (calls.empty()) {
      ADD_FAILURE() << "the unit logged no call";
      return TestComponentCall{};
    }
    return calls.back();
  }

  host::LoadedBundle loaded;
  Component component = nullptr;
  AudioUnit unit = nullptr;
  TestComponentCopyCallsProc copyCalls = nullptr;
};

inline long W(const void* p) { return reinterpret_cast<long>(p); }

#endif
