// CoreAudio umbrella header (types only on this platform).
#ifndef __CoreAudio_h__
#define __CoreAudio_h__

#include <CoreAudio/CoreAudioTypes.h>

#endif
