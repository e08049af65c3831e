// Audio Unit event listeners: hosts register callbacks for parameter changes, change
// gestures and property changes; AUEventListenerNotify delivers an event synchronously to
// every matching listener in the process (on the notifying thread, before it returns).
#ifndef __AudioUnitUtilities_h__
#define __AudioUnitUtilities_h__

#include <AudioUnit/AudioUnit.h>
#include <CoreFoundation/CFRunLoop.h>

typedef UInt32 AudioUnitEventType;
enum {
  kAudioUnitEvent_ParameterValueChange = 0,
  kAudioUnitEvent_BeginParameterChangeGesture = 1,
  kAudioUnitEvent_EndParameterChangeGesture = 2,
  kAudioUnitEvent_PropertyChange = 3
};

// A parameter ID that matches every parameter of the unit when registering.
enum { kAUParameterListener_AnyParameter = 0xFFFFFFFFU };

typedef struct AudioUnitEvent {
  AudioUnitEventType mEventType;
  union {
    AudioUnitParameter mParameter;  // parameter value and gesture events
    AudioUnitProperty mProperty;    // kAudioUnitEvent_PropertyChange
  } mArgument;
} AudioUnitEvent;

typedef struct AUListenerBase* AUParameterListenerRef;
typedef AUParameterListenerRef AUEventListenerRef;

// inObject is the object given when the event type was added; inParameterValue is the
// parameter's current value for value-change events (read with AudioUnitGetParameter), else 0.
typedef void (*AUEventListenerProc)(void* inCallbackRefCon, void* inObject,
                                    const AudioUnitEvent* inEvent, UInt64 inEventHostTime,
                                    AudioUnitParameterValue inParameterValue);
typedef void (*AUParameterListenerProc)(void* inCallbackRefCon, void* inObject,
                                        const AudioUnitParameter* inParameter,
                                        AudioUnitParameterValue inValue);

#ifdef __cplusplus
extern "C" {
#endif

// The run loop, mode and intervals are accepted for compatibility: delivery is synchronous.
// paramErr for a null procedure or result pointer.
PLATFORM_EXPORT OSStatus AUEventListenerCreate(AUEventListenerProc inProc, void* inCallbackRefCon,
                                               CFRunLoopRef inRunLoop, CFStringRef inRunLoopMode,
                                               Float32 inNotificationInterval,
                                               Float32 inValueChangeGranularity,
                                               AUEventListenerRef* outListener);
PLATFORM_EXPORT OSStatus AUListenerCreate(AUParameterListenerProc inProc, void* inUserData,
                                          CFRunLoopRef inRunLoop, CFStringRef inRunLoopMode,
                                          Float32 inNotificationInterval,
                                          AUParameterListenerRef* outListener);
// Stops delivery to the listener and frees it; waits for deliveries to it in progress on
// other threads. paramErr for an unknown listener.
PLATFORM_EXPORT OSStatus AUListenerDispose(AUParameterListenerRef inListener);

// Registers interest in one event: its type and its unit, parameter (or
// kAUParameterListener_AnyParameter), scope and element; or for property events its unit,
// property, scope and element. Adding the same registration twice keeps one.
PLATFORM_EXPORT OSStatus AUEventListenerAddEventType(AUEventListenerRef inListener, void* inObject,
                                                     const AudioUnitEvent* inEvent);
PLATFORM_EXPORT OSStatus AUEventListenerRemoveEventType(AUEventListenerRef inListener,
                                                        void* inObject,
                                                        const AudioUnitEvent* inEvent);
PLATFORM_EXPORT OSStatus AUListenerAddParameter(AUParameterListenerRef inListener, void* inObject,
                                                const AudioUnitParameter* inParameter);
PLATFORM_EXPORT OSStatus AUListenerRemoveParameter(AUParameterListenerRef inListener,
                                                   void* inObject,
                                                   const AudioUnitParameter* inParameter);

// Delivers the event to every matching registration except those of inSendingListener and,
// when inSendingObject is not null, those registered with inSendingObject.
PLATFORM_EXPORT OSStatus AUEventListenerNotify(AUEventListenerRef inSendingListener,
                                               void* inSendingObject,
                                               const AudioUnitEvent* inEvent);
PLATFORM_EXPORT OSStatus AUParameterListenerNotify(AUParameterListenerRef inSendingListener,
                                                   void* inSendingObject,
                                                   const AudioUnitParameter* inParameter);
// Sets the parameter (AudioUnitSetParameter) and notifies value-change listeners.
PLATFORM_EXPORT OSStatus AUParameterSet(AUParameterListenerRef inSendingListener,
                                        void* inSendingObject,
                                        const AudioUnitParameter* inParameter,
                                        AudioUnitParameterValue inValue,
                                        UInt32 inBufferOffsetInFrames);

#ifdef __cplusplus
}
#endif

#endif
