// Data providers: caller memory handed to CGImageCreate.
#ifndef CG_DATA_PROVIDER_H
#define CG_DATA_PROVIDER_H

#include <CoreGraphics/CGBase.h>

typedef struct CGDataProvider* CGDataProviderRef;
typedef void (*CGDataProviderReleaseDataCallback)(void* info, const void* data, size_t size);

// Wraps size bytes at data; releaseData (when given) is called once the provider is freed.
CG_EXTERN CGDataProviderRef CGDataProviderCreateWithData(
    void* info, const void* data, size_t size, CGDataProviderReleaseDataCallback releaseData);
CG_EXTERN CGDataProviderRef CGDataProviderRetain(CGDataProviderRef provider);
CG_EXTERN void CGDataProviderRelease(CGDataProviderRef provider);

#endif
