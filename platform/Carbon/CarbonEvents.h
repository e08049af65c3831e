// Carbon events: typed parameters, event targets with handler chains, and timers on the main
// event loop. Handlers installed on a target are called most recent first; a handler that
// answers eventNotHandledErr passes the event on to the next, and CallNextEventHandler
// lets a handler run the rest of the chain first. The chain ends in the target's standard
// handler, which here handles nothing.
#ifndef __CARBON_CARBONEVENTS__
#define __CARBON_CARBONEVENTS__

#include <CoreFoundation/CoreFoundation.h>
#include <Carbon/QuickDraw.h>

typedef struct OpaqueEventRef* EventRef;
typedef struct OpaqueEventTargetRef* EventTargetRef;
typedef struct OpaqueEventHandlerRef* EventHandlerRef;
typedef struct OpaqueEventHandlerCallRef* EventHandlerCallRef;
typedef struct OpaqueEventLoopRef* EventLoopRef;
typedef struct OpaqueEventLoopTimerRef* EventLoopTimerRef;

typedef OSType EventParamName;
typedef OSType EventParamType;
typedef double EventTime;
typedef EventTime EventTimeout;
typedef EventTime EventTimerInterval;
typedef UInt32 EventAttributes;

#define kEventDurationSecond 1.0
#define kEventDurationMillisecond 0.001

typedef struct EventTypeSpec {
  UInt32 eventClass;
  UInt32 eventKind;
} EventTypeSpec;

typedef OSStatus (*EventHandlerProcPtr)(EventHandlerCallRef inHandlerCallRef, EventRef inEvent,
                                        void* inUserData);
typedef EventHandlerProcPtr EventHandlerUPP;
typedef void (*EventLoopTimerProcPtr)(EventLoopTimerRef inTimer, void* inUserData);
typedef EventLoopTimerProcPtr EventLoopTimerUPP;

static inline EventHandlerUPP NewEventHandlerUPP(EventHandlerProcPtr p) { return p; }
static inline EventLoopTimerUPP NewEventLoopTimerUPP(EventLoopTimerProcPtr p) { return p; }
static inline void DisposeEventHandlerUPP(EventHandlerUPP) {}
static inline void DisposeEventLoopTimerUPP(EventLoopTimerUPP) {}

enum {
  eventNotHandledErr = -9874,
  eventParameterNotFoundErr = -9870,
  eventInternalErr = -9868,
  errUnknownControl = -30584
};

// Event classes and kinds.
enum { kEventClassMouse = 'mous', kEventClassControl = 'cntl', kEventClassWindow = 'wind' };
enum {
  kEventMouseDown = 1,
  kEventMouseUp = 2,
  kEventMouseMoved = 5,
  kEventMouseDragged = 6,
  kEventMouseWheelMoved = 10
};
enum {
  kEventControlDispose = 1001,
  kEventControlDraw = 4,
  kEventControlHitTest = 3,
  kEventControlClick = 13,
  kEventControlBoundsChanged = 154
};

// Parameters and their types.
enum {
  kEventParamDirectObject = '----',
  kEventParamMouseLocation = 'mloc',
  kEventParamWindowMouseLocation = 'wmou',
  kEventParamKeyModifiers = 'kmod',
  kEventParamMouseButton = 'mbtn',
  kEventParamClickCount = 'ccnt',
  kEventParamMouseWheelAxis = 'mwax',
  kEventParamMouseWheelDelta = 'mwdl',
  kEventParamRgnHandle = 'rgnh',
  kEventParamCGContextRef = 'cntx',
  kEventParamGrafPort = 'graf'
};
enum {
  typeHIPoint = 'hipt',
  typeUInt32 = 'magn',
  typeSInt32 = 'long',
  typeUInt16 = 'ushr',
  typeMouseButton = 'mbtn',
  typeMouseWheelAxis = 'mwax',
  typeQDRgnHandle = 'rgnh',
  typeCGContextRef = 'cntx',
  typeGrafPtr = 'graf',
  typeControlRef = 'ctrl',
  typeWindowRef = 'wind'
};
typedef UInt16 EventMouseButton;
enum {
  kEventMouseButtonPrimary = 1,
  kEventMouseButtonSecondary = 2,
  kEventMouseButtonTertiary = 3
};
typedef UInt16 EventMouseWheelAxis;
enum { kEventMouseWheelAxisX = 0, kEventMouseWheelAxisY = 1 };

// Modifier key bits of 'kmod'.
enum { cmdKeyBit = 8, shiftKeyBit = 9, alphaLockBit = 10, optionKeyBit = 11, controlKeyBit = 12 };
enum {
  cmdKey = 1 << cmdKeyBit,
  shiftKey = 1 << shiftKeyBit,
  alphaLock = 1 << alphaLockBit,
  optionKey = 1 << optionKeyBit,
  controlKey = 1 << controlKeyBit
};

// Events. A new event holds no parameters; releasing the last reference frees it.
PLATFORM_EXPORT OSStatus CreateEvent(CFAllocatorRef allocator, UInt32 eventClass, UInt32 kind,
                                     EventTime when, EventAttributes flags, EventRef* outEvent);
PLATFORM_EXPORT EventRef RetainEvent(EventRef event);
PLATFORM_EXPORT void ReleaseEvent(EventRef event);
PLATFORM_EXPORT UInt32 GetEventClass(EventRef event);
PLATFORM_EXPORT UInt32 GetEventKind(EventRef event);
// Copies the parameter. eventParameterNotFoundErr when the event has no such parameter or
// holds it as another type; paramErr when it does not fit the buffer.
PLATFORM_EXPORT OSStatus GetEventParameter(EventRef event, EventParamName name,
                                           EventParamType desiredType, EventParamType* actualType,
                                           ByteCount bufferSize, ByteCount* actualSize,
                                           void* outData);
PLATFORM_EXPORT OSStatus SetEventParameter(EventRef event, EventParamName name, EventParamType type,
                                           ByteCount size, const void* data);

// Handlers on targets.
PLATFORM_EXPORT EventTargetRef GetApplicationEventTarget(void);
PLATFORM_EXPORT OSStatus InstallEventHandler(EventTargetRef target, EventHandlerUPP handler,
                                             ItemCount numTypes, const EventTypeSpec* list,
                                             void* userData, EventHandlerRef* outRef);
// paramErr for null or a handler already removed.
PLATFORM_EXPORT OSStatus RemoveEventHandler(EventHandlerRef handler);
PLATFORM_EXPORT OSStatus CallNextEventHandler(EventHandlerCallRef callRef, EventRef event);
// Runs the target's handler chain; the result of the handler that took the event, else
// eventNotHandledErr.
PLATFORM_EXPORT OSStatus SendEventToEventTarget(EventRef event, EventTargetRef target);

// Timers on the main event loop, run by the window system's run loop.
PLATFORM_EXPORT EventLoopRef GetMainEventLoop(void);
PLATFORM_EXPORT EventLoopRef GetCurrentEventLoop(void);
// Fires first after fireDelay seconds, then every interval seconds (0: once).
PLATFORM_EXPORT OSStatus InstallEventLoopTimer(EventLoopRef loop, EventTimerInterval fireDelay,
                                               EventTimerInterval interval, EventLoopTimerUPP proc,
                                               void* userData, EventLoopTimerRef* outTimer);
PLATFORM_EXPORT OSStatus RemoveEventLoopTimer(EventLoopTimerRef timer);
PLATFORM_EXPORT EventTime GetCurrentEventTime(void);

#endif
