// Carbon view components (type 'auvw'): a component whose create call builds an editor
// control inside a host window. Window and control references are opaque here.
#ifndef __AUDIOUNITCARBONVIEW__
#define __AUDIOUNITCARBONVIEW__

#include <AudioUnit/AUComponent.h>
#include <AudioUnit/AudioUnitProperties.h>

typedef struct OpaqueWindowPtr* WindowRef;
typedef struct OpaqueControlRef* ControlRef;

typedef ComponentInstance AudioUnitCarbonView;

enum {
  kAudioUnitCarbonViewRange = 0x0300,
  kAudioUnitCarbonViewCreateSelect = 0x0301,
  kAudioUnitCarbonViewSetEventListenerSelect = 0x0302
};

typedef UInt32 AudioUnitCarbonViewEventID;
enum {
  kAudioUnitCarbonViewEvent_MouseDownInControl = 0,
  kAudioUnitCarbonViewEvent_MouseUpInControl = 1
};

typedef void (*AudioUnitCarbonViewEventListener)(void* inUserData, AudioUnitCarbonView inView,
                                                 const AudioUnitParameter* inParameter,
                                                 AudioUnitCarbonViewEventID inEvent,
                                                 const void* inEventParam);

#ifdef __cplusplus
extern "C" {
#endif

// Sends kAudioUnitCarbonViewCreateSelect to the view instance.
PLATFORM_EXPORT OSStatus AudioUnitCarbonViewCreate(AudioUnitCarbonView inView,
                                                   AudioUnit inAudioUnit, WindowRef inWindow,
                                                   ControlRef inParentControl,
                                                   const Float32Point* inLocation,
                                                   const Float32Point* inSize,
                                                   ControlRef* outControl);

#ifdef __cplusplus
}
#endif

#endif
