// CoreServices umbrella header: basic types and the Component Manager.
#ifndef __CORESERVICES__
#define __CORESERVICES__

#include <MacTypes.h>
#include <CoreFoundation/CoreFoundation.h>
#include <CoreServices/Components.h>
#include <CoreServices/FixMath.h>

#endif
