// Foundation umbrella header.
#ifndef __FOUNDATION__
#define __FOUNDATION__

#include <CoreFoundation/CoreFoundation.h>
#include <Foundation/NSAutoreleasePool.h>
#include <Foundation/NSBundle.h>
#include <Foundation/NSDictionary.h>
#include <Foundation/NSGeometry.h>
#include <Foundation/NSObjCRuntime.h>
#include <Foundation/NSObject.h>
#include <Foundation/NSString.h>
#include <Foundation/NSTimer.h>
#include <Foundation/NSURL.h>

#endif
