#pragma once
// One preset slot: a name, whether it holds values, and its parameter state.

#include <cstdio>
#include <cstring>

#include "framework/ByteChunk.h"
#include "core/Core_PtrList.h"

// Size of a preset name field, terminator included: longer names are cut to 255 characters.
constexpr int kPresetNameSize = 256;

struct IPreset {
  bool mFilled = false;
  char mLabel[kPresetNameSize];
  ByteChunk mState;  // parameter state, one double per parameter; empty while not filled

  // A new, empty slot named "- <position counted from 1> -".
  explicit IPreset(int idx) {
    memset(mLabel, 0, sizeof(mLabel));
    snprintf(mLabel, sizeof(mLabel), "- %d -", idx + 1);
  }
};

// The first slot that holds no values yet, or null.
IPreset* GetNextUninitializedPreset(Core_PtrList<IPreset>* pPresets);
// Writes "user preset N" with N one more than the number of slots whose name contains
// "user preset"; name holds kPresetNameSize bytes.
void MakeDefaultUserPresetName(Core_PtrList<IPreset>* pPresets, char* name);
