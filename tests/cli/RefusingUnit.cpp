// An effect component that opens and accepts every setting but refuses to initialize, as a
// unit does whose resources are missing: the command must report it and write nothing.
#include <AudioUnit/AudioUnit.h>

#include <cstring>

namespace {

template <class T>
T Arg(ComponentParameters* p, int index, int count) {
  long word = p->params[count - 1 - index];
  T value;
  std::memcpy(&value, &word, sizeof value);
  return value;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) ComponentResult RefusingUnit_Entry(
    ComponentParameters* params, void* storage) {
  switch (params->what) {
    case kComponentOpenSelect: {
      ComponentInstance self = reinterpret_cast<ComponentInstance>(params->params[0]);
      SetComponentInstanceStorage(self, reinterpret_cast<Handle>(new int(0)));
      return noErr;
    }
    case kComponentCloseSelect:
      delete static_cast<int*>(storage);
      return noErr;
    case kAudioUnitInitializeSelect:
      return kAudioUnitErr_FailedInitialization;
    case kAudioUnitGetPropertyInfoSelect:
    case kAudioUnitGetPropertySelect: {
      if (Arg<AudioUnitPropertyID>(params, 0, 5) != kAudioUnitProperty_ParameterList)
        return kAudioUnitErr_InvalidProperty;
      // No parameters: the size is 0 for both selectors.
      UInt32* size = Arg<UInt32*>(params, 3 + (params->what == kAudioUnitGetPropertySelect), 5);
      if (size) *size = 0;
      return noErr;
    }
    default:
      return noErr;
  }
}
