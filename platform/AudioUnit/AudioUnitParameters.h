// Parameter identifiers of the platform's own units. Units of other makers define their
// own parameter IDs; the parameter records are in <AudioUnit/AudioUnitProperties.h>.
#ifndef __AudioUnitParameters_h__
#define __AudioUnitParameters_h__

#include <AudioUnit/AudioUnitProperties.h>

// Parameters of the platform's generic output unit volume.
enum { kHALOutputParam_Volume = 14 };

#endif
