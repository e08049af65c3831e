// Bundles: a directory X.<ext>/Contents/ holding Info.plist, the executable in MacOS/ and
// resources in Resources/. Bundles created in the process are kept for its lifetime and found
// by identifier. The main bundle describes the host program: its identifier is settable
// (_CFBundleSetMainBundleIdentifier) and defaults to "local.<executable name>".
#ifndef __COREFOUNDATION_CFBUNDLE__
#define __COREFOUNDATION_CFBUNDLE__

#include <CoreFoundation/CFBase.h>
#include <CoreFoundation/CFDictionary.h>
#include <CoreFoundation/CFString.h>
#include <CoreFoundation/CFURL.h>

typedef struct __CFBundle* CFBundleRef;

CF_EXTERN_C_BEGIN

CF_EXPORT const CFStringRef kCFBundleInfoDictionaryVersionKey;
CF_EXPORT const CFStringRef kCFBundleExecutableKey;
CF_EXPORT const CFStringRef kCFBundleIdentifierKey;
CF_EXPORT const CFStringRef kCFBundleVersionKey;
CF_EXPORT const CFStringRef kCFBundleNameKey;
CF_EXPORT const CFStringRef kCFBundleDevelopmentRegionKey;

CF_EXPORT CFTypeID CFBundleGetTypeID(void);

CF_EXPORT CFBundleRef CFBundleGetMainBundle(void);
// The loaded bundle with that identifier (main bundle included), or null. Get rule.
CF_EXPORT CFBundleRef CFBundleGetBundleWithIdentifier(CFStringRef bundleID);
// Opens the bundle directory at bundleURL and reads Contents/Info.plist. Null when the
// directory does not exist. A missing or malformed Info.plist leaves the bundle with an
// empty info dictionary. The same directory yields the same bundle object (retained).
CF_EXPORT CFBundleRef CFBundleCreate(CFAllocatorRef allocator, CFURLRef bundleURL);

CF_EXPORT CFStringRef CFBundleGetIdentifier(CFBundleRef bundle);
CF_EXPORT CFDictionaryRef CFBundleGetInfoDictionary(CFBundleRef bundle);
CF_EXPORT CFTypeRef CFBundleGetValueForInfoDictionaryKey(CFBundleRef bundle, CFStringRef key);
CF_EXPORT UInt32 CFBundleGetVersionNumber(CFBundleRef bundle);

CF_EXPORT CFURLRef CFBundleCopyBundleURL(CFBundleRef bundle);
CF_EXPORT CFURLRef CFBundleCopyResourcesDirectoryURL(CFBundleRef bundle);
CF_EXPORT CFURLRef CFBundleCopyExecutableURL(CFBundleRef bundle);
// Resources/[subDirName/]resourceName[.resourceType] when that file exists, else null.
CF_EXPORT CFURLRef CFBundleCopyResourceURL(CFBundleRef bundle, CFStringRef resourceName,
                                           CFStringRef resourceType, CFStringRef subDirName);

// Loads the bundle's executable (the shared object named by CFBundleExecutable in
// Contents/MacOS/). Stays loaded for the life of the process once loaded.
CF_EXPORT Boolean CFBundleLoadExecutable(CFBundleRef bundle);
CF_EXPORT Boolean CFBundleIsExecutableLoaded(CFBundleRef bundle);
// The loader's message for the last failed load of this bundle, or null. Get rule.
CF_EXPORT CFStringRef _CFBundleCopyLoadErrorText(CFBundleRef bundle);
CF_EXPORT void* CFBundleGetFunctionPointerForName(CFBundleRef bundle, CFStringRef functionName);
CF_EXPORT void* CFBundleGetDataPointerForName(CFBundleRef bundle, CFStringRef symbolName);

// Host programs name themselves here (e.g. "com.example.daw"); plug-ins identify their host
// from the main bundle's identifier. Null restores the default.
CF_EXPORT void _CFBundleSetMainBundleIdentifier(CFStringRef identifier);

CF_EXTERN_C_END

#endif
