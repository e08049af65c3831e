// AudioToolbox umbrella header.
#ifndef __AudioToolbox_h__
#define __AudioToolbox_h__

#include <AudioUnit/AudioUnit.h>
#include <AudioToolbox/AudioUnitUtilities.h>

#endif
