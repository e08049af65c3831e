// URL checking and file URLs.
#include "Foundation/NSURL.h"

#include <limits.h>
#include <string.h>
#include <unistd.h>

namespace {

bool IsHex(char c) { return strchr("0123456789abcdefABCDEF", c) && c; }

// Characters that may stand in a URL as they are (RFC 3986's unreserved and reserved sets).
bool IsURLChar(unsigned char c) {
  if (c >= 'a' && c <= 'z') return true;
  if (c >= 'A' && c <= 'Z') return true;
  if (c >= '0' && c <= '9') return true;
  return c && strchr("-._~:/?#[]@!$&'()*+,;=", c);
}

bool IsValidURLText(const std::string& s) {
  if (s.empty()) return false;
  for (size_t i = 0; i < s.size(); ++i) {
    const unsigned char c = s[i];
    if (c == '%') {
      if (i + 2 >= s.size() || !IsHex(s[i + 1]) || !IsHex(s[i + 2])) return false;
      i += 2;
    } else if (!IsURLChar(c)) {
      return false;
    }
  }
  return true;
}

std::string PercentEncodePath(const std::string& path) {
  static const char hex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : path) {
    if (IsURLChar(c) && c != '?' && c != '#' && c != '[' && c != ']') {
      out.push_back(static_cast<char>(c));
    } else {
      out.push_back('%');
      out.push_back(hex[c >> 4]);
      out.push_back(hex[c & 15]);
    }
  }
  return out;
}

}  // namespace

NSURL::~NSURL() {}

NSURL* NSURL::URLWithString(const NSString* text) {
  if (!text || !IsValidURLText(text->str())) return nullptr;
  NSURL* url = alloc();
  if (!url) return nullptr;
  url->m_text = text->str();
  return static_cast<NSURL*>(url->autorelease());
}

NSURL* NSURL::fileURLWithPath(const NSString* path) {
  if (!path || path->str().empty()) return nullptr;
  std::string absolute = path->str();
  if (absolute[0] != '/') {
    char cwd[PATH_MAX];
    if (!getcwd(cwd, sizeof cwd)) return nullptr;
    absolute = std::string(cwd) + "/" + absolute;
  }
  NSURL* url = alloc();
  if (!url) return nullptr;
  url->m_file = true;
  url->m_path = absolute;
  url->m_text = "file://" + PercentEncodePath(absolute);
  return static_cast<NSURL*>(url->autorelease());
}

NSString* NSURL::absoluteString() const { return NSString::FromStd(m_text); }

NSString* NSURL::path() const { return m_file ? NSString::FromStd(m_path) : nullptr; }

NS_REGISTER_CLASS(NSURL);
