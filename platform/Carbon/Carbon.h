// Carbon umbrella header: the HIToolbox parts the window host uses, QuickDraw's regions and
// ports, and Gestalt.
#ifndef __CARBON__
#define __CARBON__

#include <CoreServices/CoreServices.h>
#include <CoreServices/Gestalt.h>
#include <Carbon/QuickDraw.h>
#include <Carbon/CarbonEvents.h>
#include <Carbon/MacWindows.h>
#include <Carbon/Controls.h>

#endif
