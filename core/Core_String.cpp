#include "core/Core_String.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {
// Length of str, bounded by maxlen when maxlen > 0.
int BoundedLength(const char* str, int maxlen) {
  if (!str) return 0;
  if (maxlen > 0) {
    const void* z = memchr(str, 0, static_cast<size_t>(maxlen));
    return z ? static_cast<int>(static_cast<const char*>(z) - str) : maxlen;
  }
  return static_cast<int>(strlen(str));
}
}  // namespace

Core_String::Core_String(const char* initial, int granul) : m_hb(granul) {
  if (initial) Set(initial);
}

Core_String::Core_String(const Core_String& other) : m_hb(other.m_hb.m_granul) { Set(other.Get()); }

Core_String& Core_String::operator=(const Core_String& other) {
  if (this != &other) Set(other.Get());
  return *this;
}

const char* Core_String::Get() const {
  return m_hb.GetSize() > 0 ? static_cast<const char*>(m_hb.Get()) : "";
}

int Core_String::GetLength() const {
  return m_hb.GetSize() > 0 ? static_cast<int>(strlen(Get())) : 0;
}

void Core_String::Set(const char* str, int maxlen) {
  int len = BoundedLength(str, maxlen);
  // str may point into this string: the text is already in the buffer, so it is moved to the
  // front in place and cut there.
  const char* own = static_cast<const char*>(m_hb.Get());
  if (own && str >= own && str < own + m_hb.GetSize()) {
    memmove(m_hb.Get(), str, static_cast<size_t>(len));
    static_cast<char*>(m_hb.Get())[len] = 0;
    m_hb.Resize(len + 1);
    return;
  }
  char* p = static_cast<char*>(m_hb.Resize(len + 1));
  if (m_hb.GetSize() != len + 1) return;  // could not grow: the old text stays
  memcpy(p, str ? str : "", static_cast<size_t>(len));
  p[len] = 0;
}

void Core_String::Append(const char* str, int maxlen) { Insert(str, GetLength(), maxlen); }

void Core_String::Insert(const char* str, int pos, int maxlen) {
  int add = BoundedLength(str, maxlen);
  if (add <= 0) return;
  int cur = GetLength();
  if (pos < 0) pos = 0;
  if (pos > cur) pos = cur;
  // The inserted text may come from this string; keep a copy before the buffer moves.
  std::vector<char> tmp(str, str + add);
  char* p = static_cast<char*>(m_hb.Resize(cur + add + 1));
  if (m_hb.GetSize() != cur + add + 1) return;
  if (cur == 0) p[0] = 0;
  memmove(p + pos + add, p + pos, static_cast<size_t>(cur - pos + 1));
  memcpy(p + pos, tmp.data(), static_cast<size_t>(add));
}

void Core_String::SetLen(int len) {
  int cur = GetLength();
  if (len < 0) len = 0;
  if (len >= cur) return;
  static_cast<char*>(m_hb.Get())[len] = 0;
  m_hb.Resize(len + 1);
}

void Core_String::DeleteSub(int pos, int len) {
  int cur = GetLength();
  if (pos < 0) {
    len += pos;
    pos = 0;
  }
  if (len <= 0 || pos >= cur) return;
  if (len > cur - pos) len = cur - pos;
  char* p = static_cast<char*>(m_hb.Get());
  memmove(p + pos, p + pos + len, static_cast<size_t>(cur - pos - len + 1));
  m_hb.Resize(cur - len + 1);
}

void Core_String::AppendV(int maxlen, const char* fmt, va_list args) {
  va_list copy;
  va_copy(copy, args);
  int need = vsnprintf(nullptr, 0, fmt, copy);
  va_end(copy);
  if (need <= 0) return;
  if (maxlen > 0 && need > maxlen) need = maxlen;
  std::vector<char> tmp(static_cast<size_t>(need) + 1);
  vsnprintf(tmp.data(), tmp.size(), fmt, args);
  Append(tmp.data(), need);
}

void Core_String::SetFormatted(int maxlen, const char* fmt, ...) {
  Set("");
  va_list args;
  va_start(args, fmt);
  AppendV(maxlen, fmt, args);
  va_end(args);
}

void Core_String::AppendFormatted(int maxlen, const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  AppendV(maxlen, fmt, args);
  va_end(args);
}
