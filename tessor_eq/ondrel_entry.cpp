// The component's exported entries: the Component Manager calls ondrel_Entry for every selector
// of every instance of the effect, and ondrel_ViewEntry for those of its Carbon view component.
#include <CoreServices/Components.h>

#include "framework/au/IPluginAU.h"

extern "C" __attribute__((visibility("default"))) ComponentResult ondrel_Entry(
    ComponentParameters* params, void* pPlug) {
  return IPluginAU::IPluginAUEntry(params, pPlug);
}

extern "C" __attribute__((visibility("default"))) ComponentResult ondrel_ViewEntry(
    ComponentParameters* params, void* pView) {
  return IPluginAU::IPluginAUCarbonViewEntry(params, pView);
}
