// Preparing GDI_DrawText's text: the character rules, then UTF-8 (or ASCII) to UTF-16.
#include "gdi_compat/GDI_TextBuffer.h"

#include "gdi_compat/GDI_Text.h"

namespace {

// Decodes one UTF-8 sequence at s[i..n); returns its length, 0 when it is not valid
// (overlong forms, surrogates and values past U+10FFFF are not).
int DecodeUTF8(const unsigned char* s, int i, int n, UInt32* cp) {
  const unsigned char c = s[i];
  if (c < 0x80) {
    *cp = c;
    return 1;
  }
  int len;
  UInt32 v, min;
  if ((c & 0xE0) == 0xC0) {
    len = 2, v = c & 0x1F, min = 0x80;
  } else if ((c & 0xF0) == 0xE0) {
    len = 3, v = c & 0x0F, min = 0x800;
  } else if ((c & 0xF8) == 0xF0) {
    len = 4, v = c & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (i + len > n) return 0;
  for (int k = 1; k < len; ++k) {
    if ((s[i + k] & 0xC0) != 0x80) return 0;
    v = v << 6 | (s[i + k] & 0x3F);
  }
  if (v < min || v > 0x10FFFF || (v >= 0xD800 && v <= 0xDFFF)) return 0;
  *cp = v;
  return len;
}

bool IsUTF8(const unsigned char* s, int n) {
  UInt32 cp;
  for (int i = 0; i < n;) {
    const int k = DecodeUTF8(s, i, n, &cp);
    if (!k) return false;
    i += k;
  }
  return true;
}

}  // namespace

int GDI_PrepareText(const char* text, int len, int flags, UniChar out[GDI_MAX_TEXT]) {
  if (!text || !out) return 0;
  unsigned char buf[GDI_MAX_TEXT];
  int n = 0;
  for (int i = 0; (len < 0 || i < len) && text[i] && n < GDI_MAX_TEXT; ++i) {
    char ch = text[i];
    if (ch == '\r') continue;
    if (ch == '&' && !(flags & DT_NOPREFIX)) continue;
    if (ch == '\n' && (flags & DT_SINGLELINE)) ch = ' ';
    buf[n++] = static_cast<unsigned char>(ch);
  }
  int count = 0;
  if (!IsUTF8(buf, n)) {
    for (int i = 0; i < n; ++i) out[count++] = buf[i] < 0x80 ? buf[i] : ' ';
    return count;
  }
  UInt32 cp;
  for (int i = 0; i < n && count < GDI_MAX_TEXT;) {
    i += DecodeUTF8(buf, i, n, &cp);
    if (cp < 0x10000) {
      out[count++] = static_cast<UniChar>(cp);
    } else if (count + 2 <= GDI_MAX_TEXT) {
      cp -= 0x10000;
      out[count++] = static_cast<UniChar>(0xD800 | cp >> 10);
      out[count++] = static_cast<UniChar>(0xDC00 | (cp & 0x3FF));
    } else {
      // No room for the surrogate pair: the character cannot be shown.
      out[count++] = ' ';
    }
  }
  return count;
}
