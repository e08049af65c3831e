// Zero-terminated, growable string on a Core_HeapBuf (granularity 128). An empty string reads "".
#pragma once

#include <cstdarg>

#include "core/Core_HeapBuf.h"

class Core_String {
 public:
  explicit Core_String(const char* initial = nullptr, int granul = 128);
  Core_String(const Core_String& other);
  Core_String& operator=(const Core_String& other);

  const char* Get() const;
  int GetLength() const;

  // Replaces the text with str, at most maxlen bytes of it when maxlen > 0.
  void Set(const char* str, int maxlen = 0);
  // Appends str, at most maxlen bytes of it when maxlen > 0.
  void Append(const char* str, int maxlen = 0);
  // Inserts str before byte position pos (clamped to the text).
  void Insert(const char* str, int pos, int maxlen = 0);
  // Cuts the text to len bytes (a negative len empties it); a len at or beyond the length
  // changes nothing.
  void SetLen(int len);
  // Removes len bytes starting at pos; the part outside the text is ignored.
  void DeleteSub(int pos, int len);

  // printf-style; the formatted text is cut to maxlen bytes.
  void SetFormatted(int maxlen, const char* fmt, ...) __attribute__((format(printf, 3, 4)));
  void AppendFormatted(int maxlen, const char* fmt, ...) __attribute__((format(printf, 3, 4)));

  Core_HeapBuf m_hb;

 private:
  void AppendV(int maxlen, const char* fmt, va_list args);
};
