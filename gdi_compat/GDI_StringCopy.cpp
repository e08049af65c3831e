// Bounded string copy of the Windows API.
#include "gdi_compat/GDI_StringCopy.h"

char* lstrcpyn(char* dst, const char* src, int n) {
  if (n <= 0 || !dst) return dst;
  if (!src) src = "";
  int i = 0;
  for (; i < n - 1 && src[i]; ++i) dst[i] = src[i];
  dst[i] = 0;
  return dst;
}
