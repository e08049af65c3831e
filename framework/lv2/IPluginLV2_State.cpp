// Saved state through the LV2 state extension: the same bytes the Audio Unit keeps under "data"
// (the parameter state of the base, or the plug-in's own SerializeState), stored as an
// atom:Chunk, and the name of the current preset as an atom:String. Both keys derive from the
// plug-in URI, so the mono and stereo plug-ins read each other's state.
//
// Restore checks everything before it changes anything: a state without parameter data, or
// with data of another type, is refused and leaves the instance as it was.
#include <climits>
#include <cstring>

#include "framework/IPluginUtilities.h"
#include "framework/lv2/IPluginLV2.h"

#define TRACELOC __FUNCTION__, __LINE__

LV2_State_Status IPluginLV2::StateSave(LV2_Handle instance, LV2_State_Store_Function store,
                                       LV2_State_Handle handle, uint32_t,
                                       const LV2_Feature* const*) {
  IPluginLV2* plug = static_cast<IPluginLV2*>(instance);
  return plug ? plug->SaveState(store, handle) : LV2_STATE_ERR_UNKNOWN;
}

LV2_State_Status IPluginLV2::StateRestore(LV2_Handle instance, LV2_State_Retrieve_Function retrieve,
                                          LV2_State_Handle handle, uint32_t,
                                          const LV2_Feature* const*) {
  IPluginLV2* plug = static_cast<IPluginLV2*>(instance);
  return plug ? plug->RestoreState(retrieve, handle) : LV2_STATE_ERR_UNKNOWN;
}

LV2_State_Status IPluginLV2::SaveState(LV2_State_Store_Function store, LV2_State_Handle handle) {
  Trace(TRACELOC, "%s", "");
  if (!store) return LV2_STATE_ERR_UNKNOWN;
  // Keys and types are URIDs: without the host's map there is no way to name them.
  if (!mMap) return LV2_STATE_ERR_NO_FEATURE;
  Core_MutexLock lock(&mPlugLock);
  ByteChunk chunk;
  if (!(mOwnStateFormat ? SerializeState(&chunk) : SerializeParams(&chunk)))
    return LV2_STATE_ERR_UNKNOWN;
  const char* presetName = GetPresetName(mActivePreset);
  LV2_State_Status status = store(handle, mPresetNameKey, presetName, strlen(presetName) + 1,
                                  mAtomString, LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE);
  if (status != LV2_STATE_SUCCESS) return status;
  // The doubles are in this machine's byte order: the value is plain data, not portable.
  static const uint8_t kNoBytes = 0;
  const void* bytes = chunk.Size() > 0 ? chunk.Data() : &kNoBytes;
  return store(handle, mParamStateKey, bytes, static_cast<size_t>(chunk.Size()), mAtomChunk,
               LV2_STATE_IS_POD);
}

LV2_State_Status IPluginLV2::RestoreState(LV2_State_Retrieve_Function retrieve,
                                          LV2_State_Handle handle) {
  Trace(TRACELOC, "%s", "");
  if (!retrieve) return LV2_STATE_ERR_UNKNOWN;
  if (!mMap) return LV2_STATE_ERR_NO_FEATURE;
  size_t size = 0;
  uint32_t type = 0, flags = 0;
  const void* data = retrieve(handle, mParamStateKey, &size, &type, &flags);
  if (!data || size == 0) return LV2_STATE_ERR_NO_PROPERTY;
  if (type != mAtomChunk || size > static_cast<size_t>(INT_MAX)) return LV2_STATE_ERR_BAD_TYPE;
  ByteChunk chunk;
  chunk.Resize(static_cast<int>(size));
  if (chunk.Size() != static_cast<int>(size)) return LV2_STATE_ERR_UNKNOWN;
  memcpy(chunk.Data(), data, size);

  // The preset the state was saved on becomes current again (as the Audio Unit restores it by
  // name), then the saved values apply over it.
  size_t nameSize = 0;
  const void* name = retrieve(handle, mPresetNameKey, &nameSize, &type, &flags);
  char presetName[256] = "";
  if (name && type == mAtomString && nameSize > 0) {
    const size_t n = nameSize < sizeof(presetName) ? nameSize : sizeof(presetName) - 1;
    memcpy(presetName, name, n);
    presetName[n] = '\0';
  }

  Core_MutexLock lock(&mPlugLock);
  RestorePreset(presetName);
  const int pos = mOwnStateFormat ? UnserializeState(&chunk, 0) : UnserializeParams(&chunk, 0);
  // As the Audio Unit's restore: 0 means nothing was read; -1 (the data ran out) still restored
  // what was there.
  if (pos == 0) return LV2_STATE_ERR_UNKNOWN;
  RedrawParamControls();
  return LV2_STATE_SUCCESS;
}
