// Component Manager: registered components (a description, an entry function and the
// bundle they came from) and their open instances. Every call to an instance is a
// ComponentParameters record handed to the component's entry function together with the
// instance's storage.
//
// Argument packing (64-bit): each argument of a public call occupies one `long` word of
// params[]; the LAST argument is in word 0, so argument k of n (counted from 0 in the
// public order) is params[n - 1 - k]. paramSize is n * sizeof(long). Pointers are stored as
// the pointer value, signed integers sign-extended, unsigned integers zero-extended, and a
// Float32 as its bit pattern in the low four bytes of its word (memcpy it out). The instance
// the call is addressed to follows the arguments, in params[n].
//
// The instance table is process-wide and thread-safe.
#ifndef __COMPONENTS__
#define __COMPONENTS__

#include <MacTypes.h>
#include <CoreFoundation/CFBundle.h>
#include <CoreFoundation/CFString.h>

enum {
  kAppleManufacturer = 0x6170706C /* 'appl' */,
  kComponentResourceType = 0x74686E67 /* 'thng' */,
  kComponentAliasResourceType = 0x74686761 /* 'thga' */
};

enum {
  kAnyComponentType = 0,
  kAnyComponentSubType = 0,
  kAnyComponentManufacturer = 0,
  kAnyComponentFlagsMask = 0
};

enum { cmpIsMissing = 1L << 29, cmpWantsRegisterMessage = 1L << 31 };

// Standard selectors every component may receive.
enum {
  kComponentOpenSelect = -1,
  kComponentCloseSelect = -2,
  kComponentCanDoSelect = -3,
  kComponentVersionSelect = -4,
  kComponentRegisterSelect = -5,
  kComponentTargetSelect = -6,
  kComponentUnregisterSelect = -7,
  kComponentGetMPWorkFunctionSelect = -8,
  kComponentExecuteWiredActionSelect = -9,
  kComponentGetPublicResourceSelect = -10
};

// Component Manager errors.
enum {
  invalidComponentID = -3000,
  validInstancesExist = -3001,
  componentNotCaptured = -3002,
  componentDontRegister = -3003,
  unresolvedComponentDLLErr = -3004,
  retryComponentRegistrationErr = -3005
};
enum { badComponentInstance = (SInt32)0x80008001, badComponentSelector = (SInt32)0x80008002 };

typedef struct ComponentDescription {
  OSType componentType;
  OSType componentSubType;
  OSType componentManufacturer;
  UInt32 componentFlags;
  UInt32 componentFlagsMask;
} ComponentDescription;

typedef struct ComponentParameters {
  UInt8 flags;
  UInt8 paramSize;
  SInt16 what;
  UInt32 padding;
  long params[1];
} ComponentParameters;

typedef struct ComponentRecord* Component;
typedef struct ComponentInstanceRecord* ComponentInstance;
typedef SInt32 ComponentResult;

typedef ComponentResult (*ComponentRoutineProcPtr)(ComponentParameters* cp, void* componentStorage);
typedef ComponentRoutineProcPtr ComponentRoutineUPP;
typedef ComponentResult (*ComponentFunctionProcPtr)(void* storage, ComponentParameters* params);
typedef ComponentFunctionProcPtr ComponentFunctionUPP;

#ifdef __cplusplus
extern "C" {
#endif

// --- Registration ---------------------------------------------------------------------
// Registers a component: its description, entry function, name, packed version and the
// bundle it was loaded from (may be null; retained). Returns the new component or null for
// a null description or entry. The entry receives kComponentRegisterSelect first when the
// description's flags contain cmpWantsRegisterMessage; a non-zero answer cancels the
// registration.
PLATFORM_EXPORT Component RegisterComponentWithBundle(const ComponentDescription* cd,
                                                      ComponentRoutineUPP componentEntryPoint,
                                                      CFStringRef name, UInt32 version,
                                                      CFBundleRef bundle);
// validInstancesExist while instances are open; invalidComponentID for an unknown component.
PLATFORM_EXPORT OSErr UnregisterComponent(Component aComponent);

// --- Finding components ---------------------------------------------------------------
// The registered component after aComponent (null: from the first) whose type, subtype and
// manufacturer match the non-zero fields of looking, and whose flags match under its
// mask: (flags & mask) == (looking->componentFlags & mask). Null when there is none.
PLATFORM_EXPORT Component FindNextComponent(Component aComponent, ComponentDescription* looking);
PLATFORM_EXPORT long CountComponents(ComponentDescription* looking);
// Description of a component, or of an instance's component (an instance may be passed
// cast to Component). The three handles are accepted for compatibility and not filled:
// use CopyComponentName for the name. invalidComponentID for an unknown reference.
PLATFORM_EXPORT OSErr GetComponentInfo(Component aComponent, ComponentDescription* cd,
                                       Handle componentName, Handle componentInfo,
                                       Handle componentIcon);
// The registered name (retained for the caller), or null.
PLATFORM_EXPORT CFStringRef CopyComponentName(Component aComponent);
// The registered version; 0 for an unknown component.
PLATFORM_EXPORT UInt32 GetComponentRegisteredVersion(Component aComponent);
// The bundle the component was registered with (get rule), or null.
PLATFORM_EXPORT CFBundleRef GetComponentBundle(Component aComponent);
// The component an instance was opened from, or null for an unknown instance.
PLATFORM_EXPORT Component GetComponentFromInstance(ComponentInstance aComponentInstance);

// --- Instances ------------------------------------------------------------------------
// Creates an instance and sends kComponentOpenSelect with the instance in word 0 (storage
// null). When the component answers non-zero the instance is discarded and that result
// returned (invalidComponentID when it does not fit in 16 bits). invalidComponentID for an
// unknown component, paramErr for a null ci.
PLATFORM_EXPORT OSErr OpenAComponent(Component aComponent, ComponentInstance* ci);
PLATFORM_EXPORT ComponentInstance OpenComponent(Component aComponent);
// Sends kComponentCloseSelect (instance in word 0) and discards the instance.
// invalidComponentID for an unknown instance.
PLATFORM_EXPORT OSErr CloseComponent(ComponentInstance aComponentInstance);
PLATFORM_EXPORT long CountComponentInstances(Component aComponent);
PLATFORM_EXPORT Handle GetComponentInstanceStorage(ComponentInstance aComponentInstance);
PLATFORM_EXPORT void SetComponentInstanceStorage(ComponentInstance aComponentInstance,
                                                 Handle theStorage);
PLATFORM_EXPORT OSErr GetComponentInstanceError(ComponentInstance aComponentInstance);
PLATFORM_EXPORT void SetComponentInstanceError(ComponentInstance aComponentInstance,
                                               OSErr theError);

// --- Calling --------------------------------------------------------------------------
// Calls the entry of the instance in params->params[paramSize / sizeof(long)] with the
// instance's storage. badComponentInstance for an unknown instance.
PLATFORM_EXPORT ComponentResult CallComponentDispatch(ComponentParameters* cp);
// Calls the entry of ci with the given record (whose trailing instance word is ignored).
PLATFORM_EXPORT ComponentResult CallComponent(ComponentInstance ci, ComponentParameters* cp);
PLATFORM_EXPORT ComponentResult CallComponentFunction(ComponentParameters* params,
                                                      ComponentFunctionUPP func);
PLATFORM_EXPORT ComponentResult CallComponentFunctionWithStorage(Handle storage,
                                                                 ComponentParameters* params,
                                                                 ComponentFunctionUPP func);
// kComponentCanDoSelect: non-zero when the instance implements the selector.
PLATFORM_EXPORT long ComponentFunctionImplemented(ComponentInstance ci, SInt16 ftnNumber);
// kComponentVersionSelect: the instance's packed version.
PLATFORM_EXPORT long GetComponentVersion(ComponentInstance ci);

#ifdef __cplusplus
}
#endif

#endif
