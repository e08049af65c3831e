// Strings: decoding, path operations.
#include "Foundation/NSString.h"

#include <string.h>

#include <map>
#include <mutex>

namespace {

// Length of the well-formed UTF-8 sequence at p (n bytes left), 0 when it is not one:
// no overlong forms, no surrogates, nothing above U+10FFFF.
size_t SequenceLength(const unsigned char* p, size_t n) {
  const unsigned char c = p[0];
  if (c < 0x80) return 1;
  size_t len;
  unsigned lo = 0x80, hi = 0xBF;
  if (c >= 0xC2 && c <= 0xDF) {
    len = 2;
  } else if (c >= 0xE0 && c <= 0xEF) {
    len = 3;
    if (c == 0xE0) lo = 0xA0;
    if (c == 0xED) hi = 0x9F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    len = 4;
    if (c == 0xF0) lo = 0x90;
    if (c == 0xF4) hi = 0x8F;
  } else {
    return 0;
  }
  if (n < len || p[1] < lo || p[1] > hi) return 0;
  for (size_t i = 2; i < len; ++i)
    if (p[i] < 0x80 || p[i] > 0xBF) return 0;
  return len;
}

// Decodes text; bytes that do not start a UTF-8 sequence become Latin-1 characters when
// latin1Fallback is set, else the whole text is refused.
bool Decode(const char* text, bool latin1Fallback, std::string* out) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  size_t n = strlen(text);
  while (n) {
    size_t len = SequenceLength(p, n);
    if (len) {
      out->append(reinterpret_cast<const char*>(p), len);
    } else {
      if (!latin1Fallback) return false;
      out->push_back(static_cast<char>(0xC0 | (p[0] >> 6)));
      out->push_back(static_cast<char>(0x80 | (p[0] & 0x3F)));
      len = 1;
    }
    p += len;
    n -= len;
  }
  return true;
}

std::string TrimTrailingSlashes(const std::string& s) {
  size_t end = s.size();
  while (end > 1 && s[end - 1] == '/') --end;
  return s.substr(0, end);
}

// Where the last component of an already trimmed path starts.
size_t LastComponentStart(const std::string& s) {
  size_t slash = s.rfind('/');
  return slash == std::string::npos ? 0 : slash + 1;
}

// Position of the extension's dot in a trimmed path, npos when there is none.
size_t ExtensionDot(const std::string& s) {
  const size_t start = LastComponentStart(s);
  size_t dot = s.rfind('.');
  if (dot == std::string::npos || dot <= start) return std::string::npos;
  return dot;
}

}  // namespace

NSString::~NSString() {}

NSString* NSString::FromStd(const std::string& text) {
  NSString* s = alloc();
  if (!s) return nullptr;
  s->m_text = text;
  return static_cast<NSString*>(s->autorelease());
}

NSString* NSString::initWithUTF8String(const char* text) {
  std::string decoded;
  if (!text || !Decode(text, false, &decoded)) {
    release();
    return nullptr;
  }
  m_text.swap(decoded);
  return this;
}

NSString* NSString::stringWithUTF8String(const char* text) {
  std::string decoded;
  if (!text || !Decode(text, false, &decoded)) return nullptr;
  return FromStd(decoded);
}

NSString* NSString::stringWithCString(const char* text) {
  std::string decoded;
  if (!text) return nullptr;
  Decode(text, true, &decoded);
  return FromStd(decoded);
}

NSUInteger NSString::length() const {
  NSUInteger units = 0;
  for (unsigned char c : m_text) {
    if ((c & 0xC0) != 0x80) ++units;  // a lead byte starts a character
    if (c >= 0xF0) ++units;           // above the BMP: a surrogate pair
  }
  return units;
}

bool NSString::isEqualToString(const NSString* other) const {
  return other && other->m_text == m_text;
}

NSString* NSString::lastPathComponent() const {
  const std::string t = TrimTrailingSlashes(m_text);
  if (t == "/") return FromStd(t);
  return FromStd(t.substr(LastComponentStart(t)));
}

NSString* NSString::stringByDeletingPathExtension() const {
  const std::string t = TrimTrailingSlashes(m_text);
  const size_t dot = ExtensionDot(t);
  return FromStd(dot == std::string::npos ? t : t.substr(0, dot));
}

NSString* NSString::pathExtension() const {
  const std::string t = TrimTrailingSlashes(m_text);
  const size_t dot = ExtensionDot(t);
  return FromStd(dot == std::string::npos ? std::string() : t.substr(dot + 1));
}

NSString* NSString::stringByDeletingLastPathComponent() const {
  const std::string t = TrimTrailingSlashes(m_text);
  const size_t slash = t.rfind('/');
  if (slash == std::string::npos) return FromStd("");
  if (slash == 0) return FromStd("/");
  return FromStd(t.substr(0, slash));
}

NSString* NSString::stringByAppendingPathComponent(const NSString* component) const {
  std::string t = TrimTrailingSlashes(m_text);
  const std::string c = component ? component->m_text : std::string();
  if (!t.empty() && t != "/" && !c.empty()) t += '/';
  return FromStd(t + c);
}

NSString* NSSTR(const char* text) {
  static std::mutex mutex;
  static std::map<std::string, NSString*>* constants = new std::map<std::string, NSString*>();
  std::lock_guard<std::mutex> lock(mutex);
  NSString*& s = (*constants)[text ? text : ""];
  if (!s) s = static_cast<NSString*>(NSString::stringWithCString(text ? text : "")->retain());
  return s;
}

NS_REGISTER_CLASS(NSString);
