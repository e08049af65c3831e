#pragma once
// Text between the wrapper and CoreFoundation, in both directions, always as UTF-8.

#include <CoreFoundation/CoreFoundation.h>

#include "core/Core_TypedBuf.h"

// A new string (the caller releases it) holding text; a null text gives an empty string.
CFStringRef MakeCFString(const char* text);

// The UTF-8 text of str, zero-terminated, in *pText (resized to fit). False for a null
// reference, one that is not a string, or text that cannot be had.
bool CopyCFStringUTF8(CFStringRef str, Core_TypedBuf<char>* pText);
