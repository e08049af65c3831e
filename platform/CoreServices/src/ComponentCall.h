// Packs the arguments of a public call into a ComponentParameters record (one long word
// per argument, last argument in word 0, the instance after them) and dispatches it.
#ifndef TESSOR_COMPONENT_CALL_H
#define TESSOR_COMPONENT_CALL_H

#include <CoreServices/Components.h>

#include <cstring>
#include <type_traits>

namespace cmimpl {

template <class T>
long ParamWord(T value) {
  if constexpr (std::is_pointer_v<T>) {
    return reinterpret_cast<long>(value);
  } else if constexpr (std::is_floating_point_v<T>) {
    static_assert(sizeof(T) <= sizeof(long), "argument wider than a word");
    long word = 0;
    std::memcpy(&word, &value, sizeof value);
    return word;
  } else if constexpr (std::is_signed_v<T>) {
    return static_cast<long>(value);
  } else {
    return static_cast<long>(static_cast<unsigned long>(value));
  }
}

template <size_t N>
struct ParamBlock {
  UInt8 flags;
  UInt8 paramSize;
  SInt16 what;
  UInt32 padding;
  long params[N + 1];
};

// Calls the instance's entry with the arguments packed in the component's word order.
template <class... Args>
ComponentResult DispatchCall(ComponentInstance ci, SInt16 what, Args... args) {
  constexpr size_t n = sizeof...(Args);
  const long words[n + 1] = {ParamWord(args)...};
  ParamBlock<n> block;
  block.flags = 0;
  block.paramSize = static_cast<UInt8>(n * sizeof(long));
  block.what = what;
  block.padding = 0;
  for (size_t i = 0; i < n; ++i) block.params[n - 1 - i] = words[i];
  block.params[n] = reinterpret_cast<long>(ci);
  static_assert(offsetof(ParamBlock<n>, params) == offsetof(ComponentParameters, params),
                "parameter block layout");
  return CallComponent(ci, reinterpret_cast<ComponentParameters*>(&block));
}

}  // namespace cmimpl

#endif
