// Gestalt: facts about the system by selector.
#ifndef __CORESERVICES_GESTALT__
#define __CORESERVICES_GESTALT__

#include <MacTypes.h>

enum { gestaltSystemVersion = 'sysv' };
enum { gestaltUndefSelectorErr = -5551 };

// The system version this platform reports, as BCD 0x10XY: 10.6.8.
enum { kPlatformSystemVersionBCD = 0x1068 };

// 'sysv' gives the system version; other selectors gestaltUndefSelectorErr. paramErr for a
// null response.
PLATFORM_EXPORT OSErr Gestalt(OSType selector, SInt32* response);

#endif
