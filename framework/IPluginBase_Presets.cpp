// Parameter state, preset slots and the preset bank of IPluginBase.
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "core/Core_Assert.h"
#include "core/Core_String.h"
#include "framework/IPluginBase.h"
#include "framework/IPluginUtilities.h"

#define TRACELOC __FUNCTION__, __LINE__

IPreset* GetNextUninitializedPreset(Core_PtrList<IPreset>* pPresets) {
  for (int i = 0; i < pPresets->GetSize(); ++i) {
    IPreset* preset = pPresets->Get(i);
    if (!preset->mFilled) return preset;
  }
  return nullptr;
}

void MakeDefaultUserPresetName(Core_PtrList<IPreset>* pPresets, char* name) {
  int n = 0;
  for (int i = 0; i < pPresets->GetSize(); ++i)
    if (strstr(pPresets->Get(i)->mLabel, "user preset")) ++n;
  snprintf(name, kPresetNameSize, "%s %d", "user preset", n + 1);
}

namespace {

// Integer-valued kinds travel through the variadic lists as int.
bool TakesIntArg(const IParam* param) {
  EParamKind kind = param->Type();
  return kind == kParamBool || kind == kParamInt || kind == kParamEnum;
}

}  // namespace

bool IPluginBase::SerializeParams(ByteChunk* pChunk) {
  Trace(TRACELOC, "%d", NParams());
  Core_MutexLock lock(&mPlugLock);
  for (int i = 0; i < NParams(); ++i) {
    double v = GetParam(i)->Value();
    int before = pChunk->Size();
    if (pChunk->AppendValue(v) != before + static_cast<int>(sizeof(double))) return false;
  }
  return true;
}

int IPluginBase::UnserializeParams(ByteChunk* pChunk, int startPos) {
  Trace(TRACELOC, "%d:%d", NParams(), startPos);
  Core_MutexLock lock(&mPlugLock);
  int pos = startPos;
  for (int i = 0; pos >= 0 && i < NParams(); ++i) {
    double v = 0.0;
    pos = pChunk->ReadValue(&v, pos);
    if (pos < 0) v = 0.0;
    GetParam(i)->Set(v);
  }
  OnParamReset();
  return pos;
}

void IPluginBase::MakePreset(const char* name, ...) {
  IPreset* preset = GetNextUninitializedPreset(&mPresetSlots);
  if (!preset) return;
  preset->mFilled = true;
  CopyTextField(preset->mLabel, name, sizeof(preset->mLabel));

  va_list vp;
  va_start(vp, name);
  for (int i = 0; i < NParams(); ++i) {
    double v = TakesIntArg(GetParam(i)) ? static_cast<double>(va_arg(vp, int)) : va_arg(vp, double);
    preset->mState.AppendValue(v);
  }
  va_end(vp);
}

void IPluginBase::MakePresetFromNamedParams(const char* name, int nParamsNamed, ...) {
  IPreset* preset = GetNextUninitializedPreset(&mPresetSlots);
  if (!preset) return;
  preset->mFilled = true;
  CopyTextField(preset->mLabel, name, sizeof(preset->mLabel));

  const double kUnset = 9.999e-08;  // marks a parameter the list does not name
  int n = NParams();
  Core_TypedBuf<double> values(4096);
  values.Resize(n);
  double* v = values.Get();
  if (n > 0 && values.GetSize() != n) return;  // no memory: the slot stays empty of values
  for (int i = 0; i < n; ++i) v[i] = kUnset;

  va_list vp;
  va_start(vp, nParamsNamed);
  for (int i = 0; i < nParamsNamed; ++i) {
    int paramIdx = va_arg(vp, int);
    CORE_ASSERT(paramIdx >= 0 && paramIdx < n);
    v[paramIdx] =
        TakesIntArg(GetParam(paramIdx)) ? static_cast<double>(va_arg(vp, int)) : va_arg(vp, double);
  }
  va_end(vp);

  for (int i = 0; i < n; ++i) {
    if (v[i] == kUnset) v[i] = GetParam(i)->Value();
    preset->mState.AppendValue(v[i]);
  }
}

void IPluginBase::MakeDefaultPreset(const char* name, int nPresets) {
  for (int i = 0; i < nPresets; ++i) {
    IPreset* preset = GetNextUninitializedPreset(&mPresetSlots);
    if (!preset) return;
    preset->mFilled = true;
    CopyTextField(preset->mLabel, name ? name : "Default", sizeof(preset->mLabel));
    SerializeParams(&preset->mState);
  }
}

void IPluginBase::EnsureDefaultPreset() {
  if (NPresets() > 0) return;
  IPreset* preset = new IPreset(0);
  if (!mPresetSlots.Add(preset)) {
    delete preset;
    return;
  }
  MakeDefaultPreset(nullptr, 1);
}

void IPluginBase::PruneUninitializedPresets() {
  for (int i = NPresets() - 1; i >= 0; --i)
    if (!mPresetSlots.Get(i)->mFilled) mPresetSlots.Delete(i, true);
}

bool IPluginBase::RestorePreset(int idx) {
  Trace(TRACELOC, "%d", idx);
  IPreset* preset = mPresetSlots.Get(idx);
  if (!preset) return false;

  bool restored;
  if (!preset->mFilled) {
    // An empty slot captures the current values as a new user preset.
    preset->mFilled = true;
    MakeDefaultUserPresetName(&mPresetSlots, preset->mLabel);
    // The slot may still hold the values of a preset a loaded bank marked empty: replace them,
    // or the new preset would restore the old values and widen the slot's record in a bank.
    preset->mState.Clear();
    restored = SerializeParams(&preset->mState);
  } else {
    restored = UnserializeParams(&preset->mState, 0) > 0;
  }

  if (restored) {
    mActivePreset = idx;
    RedrawParamControls();
  }
  return restored;
}

bool IPluginBase::RestorePreset(const char* name) {
  if (!name || !*name) return false;
  for (int i = 0; i < NPresets(); ++i)
    if (strcmp(mPresetSlots.Get(i)->mLabel, name) == 0) return RestorePreset(i);
  return false;
}

const char* IPluginBase::GetPresetName(int idx) const {
  const IPreset* preset = mPresetSlots.Get(idx);
  return preset ? preset->mLabel : "";
}

void IPluginBase::ModifyCurrentPreset(const char* name) {
  IPreset* preset = mPresetSlots.Get(mActivePreset);
  if (!preset) return;
  preset->mState.Clear();
  SerializeParams(&preset->mState);
  if (name && *name) CopyTextField(preset->mLabel, name, sizeof(preset->mLabel));
}

bool IPluginBase::SerializePresets(ByteChunk* pChunk) {
  Trace(TRACELOC, "%d", NPresets());
  for (int i = 0; i < NPresets(); ++i) {
    IPreset* preset = mPresetSlots.Get(i);
    pChunk->AppendString(preset->mLabel);
    pChunk->AppendBool(preset->mFilled);
    if (preset->mFilled) {
      int expected = pChunk->Size() + preset->mState.Size();
      if (pChunk->AppendChunk(&preset->mState) != expected || pChunk->Size() == 0) return false;
    }
  }
  return true;
}

int IPluginBase::UnserializePresets(ByteChunk* pChunk, int startPos) {
  Trace(TRACELOC, "%d:%d", NPresets(), startPos);
  Core_String name;
  int pos = startPos;
  for (int i = 0; pos >= 0 && i < NPresets(); ++i) {
    IPreset* preset = mPresetSlots.Get(i);
    // A slot is changed only by a record that reads completely up to its flag.
    pos = pChunk->ReadString(&name, pos);
    bool filled = false;
    if (pos >= 0) pos = pChunk->ReadBool(&filled, pos);
    if (pos < 0) break;
    CopyTextField(preset->mLabel, name.Get(), sizeof(preset->mLabel));
    preset->mFilled = filled;
    // A slot the bank marks empty holds no values.
    if (!filled) preset->mState.Clear();
    if (filled) {
      pos = UnserializeParams(pChunk, pos);
      if (pos > 0) {
        preset->mState.Clear();
        SerializeParams(&preset->mState);
      }
    }
  }
  RestorePreset(mActivePreset);
  return pos;
}

void IPluginBase::DumpPresetSrcCode(const char* filename, const char* paramEnumNames[]) {
  static bool sDumped = false;
  if (sDumped) return;
  sDumped = true;

  FILE* fp = filename ? fopen(filename, "w") : nullptr;
  if (!fp) return;
  int n = NParams();
  fprintf(fp, "  MakePresetFromNamedParams(\"name\", %d", n - 1);
  for (int i = 0; i < n - 1; ++i) {
    const IParam* param = GetParam(i);
    const char* label = paramEnumNames && paramEnumNames[i] ? paramEnumNames[i] : "";
    char text[64];
    switch (param->Type()) {
      case kParamBool:
        snprintf(text, sizeof(text), "%s", param->Value() >= 0.5 ? "true" : "false");
        break;
      case kParamInt:
      case kParamEnum:
        snprintf(text, sizeof(text), "%d", TruncToInt(param->Value()));
        break;
      default:
        snprintf(text, sizeof(text), "%.2f", param->Value());
        break;
    }
    fprintf(fp, ",\n    %s, %s", label, text);
  }
  fprintf(fp, ");\n");
  fclose(fp);
}
