#pragma once
// What a plug-in's factory (MakePlug) hands its class, whatever the format: where the plug-in
// lives and how hosts name it. Each wrapper uses the fields that mean something to it.

#include "core/Core_String.h"

struct IPluginInstanceInfo {
  // Reverse-domain identifier of the Audio Unit bundle.
  Core_String mBundleIdentifier;
  // Name of the Cocoa view factory class of the Audio Unit.
  Core_String mViewFactoryClass;
  // The plug-in's LV2 URI. Every URI of its LV2 bundle derives from it: one plug-in per channel
  // configuration ("<uri>/mono", "<uri>/stereo"), their presets and the keys of saved state.
  Core_String mPluginURI;
};
