// The factory the Audio Unit entry point calls to create an instance of the equaliser.
#include "core/Core_Mutex.h"
#include "framework/au/IPluginAU.h"
#include "tessor_eq/ondrel.h"
#include "tessor_eq/ondrel_identity.h"

IPluginAU* MakePlug()
{
  // Instances are created one at a time.
  static Core_Mutex sMutex;
  Core_MutexLock lock(&sMutex);
  IPluginInstanceInfo info;
  info.mBundleIdentifier.Set(kOndrelBundleIdentifier);
  info.mViewFactoryClass.Set(kOndrelViewFactoryClass);
  return new ondrel(info);
}
