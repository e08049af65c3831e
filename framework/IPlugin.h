#pragma once
// The plug-in base class of the format being built. A plug-in derives from IPlugin and its
// sources are compiled once per format: with TESSOR_FORMAT_LV2 defined IPlugin is the LV2
// wrapper, otherwise the Audio Unit wrapper. Both take an IPluginInstanceInfo in front of the
// plug-in base's arguments, and both declare the factory `IPlugin* MakePlug()`.

#if defined(TESSOR_FORMAT_LV2)
#include "framework/lv2/IPluginLV2.h"
typedef IPluginLV2 IPlugin;
#else
#include "framework/au/IPluginAU.h"
typedef IPluginAU IPlugin;
#endif
