// Foundation umbrella header.
#ifndef __FOUNDATION__
#define __FOUNDATION__

#include <CoreFoundation/CoreFoundation.h>
#include <Foundation/NSGeometry.h>
#include <Foundation/NSObject.h>

#endif
