// Run loop references, used only to name where notifications are delivered. Notifications
// of this platform are delivered synchronously on the posting thread.
#ifndef __COREFOUNDATION_CFRUNLOOP__
#define __COREFOUNDATION_CFRUNLOOP__

#include <CoreFoundation/CFBase.h>

typedef struct __CFRunLoop* CFRunLoopRef;

CF_EXTERN_C_BEGIN

CF_EXPORT const CFStringRef kCFRunLoopDefaultMode;
CF_EXPORT const CFStringRef kCFRunLoopCommonModes;
CF_EXPORT CFRunLoopRef CFRunLoopGetCurrent(void);
CF_EXPORT CFRunLoopRef CFRunLoopGetMain(void);

CF_EXTERN_C_END

#endif
