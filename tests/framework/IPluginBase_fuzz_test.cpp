// Random byte chunks fed to the state readers: they must never read out of bounds, and must
// leave every parameter inside its range and every preset name terminated within its field.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "TestPlugin.h"

namespace {

void InitThree(TestPlugin& p) {
  p.GetParam(0)->InitEnum("Mode", 2, 5);
  p.GetParam(1)->InitDouble("Level", -10.0, -20.0, 20.0, 0.1, "dB");
  p.GetParam(2)->InitBool("Switch", true);
}

void ExpectSane(TestPlugin& p) {
  for (int i = 0; i < p.NParams(); ++i) {
    const IParam* param = p.GetParam(i);
    ASSERT_GE(param->Value(), param->GetMin());
    ASSERT_LE(param->Value(), param->GetMax());
  }
  for (int i = 0; i < p.NPresets(); ++i)
    ASSERT_LT(strnlen(p.Preset(i)->mLabel, kPresetNameSize), static_cast<size_t>(kPresetNameSize));
}

// Mostly random bytes, sometimes a valid bank with a few bytes corrupted or cut.
ByteChunk RandomChunk(std::mt19937& rng, const ByteChunk& valid) {
  ByteChunk c;
  if (rng() % 2) {
    c = valid;
    for (int k = rng() % 4; k >= 0 && c.Size() > 0; --k) c.Data()[rng() % c.Size()] = rng() & 0xFF;
    c.Resize(static_cast<int>(rng() % (c.Size() + 8)));
  } else {
    int n = static_cast<int>(rng() % 200);
    for (int k = 0; k < n; ++k) {
      uint8_t byte = rng() & 0xFF;
      c.AppendValue(byte);
    }
  }
  return c;
}

}  // namespace

TEST(StateFuzz, RandomChunksNeverBreakTheReaders) {
  std::mt19937 rng(20240611);
  TestPlugin reference;
  InitThree(reference);
  reference.MakeDefaultPreset();
  reference.MakePreset("Bright", 4, 12.5, 0);
  ByteChunk validBank;
  reference.SerializePresets(&validBank);

  TestPlugin p;
  InitThree(p);
  p.MakeDefaultPreset();
  for (int iter = 0; iter < 3000; ++iter) {
    ByteChunk c = RandomChunk(rng, validBank);
    int start = (rng() % 8 == 0) ? static_cast<int>(rng() % 64) - 8 : 0;
    int pos = (iter % 2) ? p.UnserializeParams(&c, start) : p.UnserializePresets(&c, start);
    if (start < 0) {
      ASSERT_EQ(start, pos);  // a negative start reads nothing and is handed back
    } else {
      ASSERT_GE(pos, -1);
      ASSERT_LE(pos, c.Size());
    }
    ExpectSane(p);
  }
}
