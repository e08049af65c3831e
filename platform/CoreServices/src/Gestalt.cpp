// Gestalt: the system version.
#include <CoreServices/Gestalt.h>

OSErr Gestalt(OSType selector, SInt32* response) {
  if (!response) return paramErr;
  if (selector != gestaltSystemVersion) return gestaltUndefSelectorErr;
  *response = kPlatformSystemVersionBCD;
  return noErr;
}
