// The factory the plug-in format's entry calls to create an instance of the equaliser.
#include "core/Core_Mutex.h"
#include "framework/IPlugin.h"
#include "tessor_eq/ondrel.h"
#include "tessor_eq/ondrel_identity.h"

IPlugin* MakePlug() {
  // Instances are created one at a time.
  static Core_Mutex sMutex;
  Core_MutexLock lock(&sMutex);
  IPluginInstanceInfo info;
  info.mBundleIdentifier.Set(kOndrelBundleIdentifier);
  info.mViewFactoryClass.Set(kOndrelViewFactoryClass);
  info.mPluginURI.Set(kOndrelPluginURI);
  return new ondrel(info);
}
