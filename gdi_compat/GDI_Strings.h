// String and path helpers.
#pragma once

#include <CoreFoundation/CoreFoundation.h>

#include "gdi_compat/GDI_StringCopy.h"
#include "gdi_compat/GDI_Types.h"

// A new CFString from UTF-8, or from ASCII when the bytes are not valid UTF-8; null reads as "".
CFStringRef GDI_CStringToCFString(const char* str);
// buf = the file-system path of the process's main bundle (at most size - 1 characters; ""
// when there is none); returns strlen(buf).
int GetModuleFileName(HINSTANCE ignored, char* buf, int size);

// Holds one pointer for code that passes it through an object-typed slot.
class GDI_APP_PREFIX_sdh {
 public:
  GDI_APP_PREFIX_sdh* initWithVal(void* val) {
    m_data = val;
    return this;
  }
  void* getValue() const { return m_data; }

  void* m_data = nullptr;
};
