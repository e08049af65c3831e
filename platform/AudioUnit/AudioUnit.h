// AudioUnit umbrella header.
#ifndef __AudioUnit_h__
#define __AudioUnit_h__

#include <AudioUnit/AUComponent.h>
#include <AudioUnit/AudioUnitProperties.h>
#include <AudioUnit/AudioUnitParameters.h>
#include <AudioUnit/MusicDevice.h>
#include <AudioUnit/AudioUnitCarbonView.h>

#endif
