// ApplicationServices umbrella header: Core Graphics and the styled-text interface.
#ifndef __APPLICATIONSERVICES__
#define __APPLICATIONSERVICES__

#include <CoreServices/CoreServices.h>
#include <CoreGraphics/CoreGraphics.h>
#include <ApplicationServices/ATSUnicode.h>

#endif
