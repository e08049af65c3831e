// The LV2 module's exported entry: a host asks it for each plug-in the module holds (Tessor EQ
// mono and stereo).
#include <lv2/core/lv2.h>

#include "framework/lv2/IPluginLV2.h"

LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t index) {
  return IPluginLV2::Descriptor(index);
}
