// The component's exported entry: the Component Manager calls it for every selector of every
// instance.
#include <CoreServices/Components.h>

#include "framework/au/IPluginAU.h"

extern "C" __attribute__((visibility("default"))) ComponentResult ondrel_Entry(
    ComponentParameters* params, void* pPlug)
{
  return IPluginAU::IPluginAUEntry(params, pPlug);
}
