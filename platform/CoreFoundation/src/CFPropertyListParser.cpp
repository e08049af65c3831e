// Reads XML property lists. Every malformed input ends in a null result with a message
// naming the line; nesting depth is bounded so hostile input cannot exhaust the stack.
#include "CFInternal.h"

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace cfimpl {

namespace {

const int kMaxDepth = 512;

class Parser {
 public:
  Parser(const char* text, size_t n, CFOptionFlags options)
      : begin_(text), p_(text), end_(text + n), options_(options) {}

  CFPropertyListRef Document(std::string* error) {
    CFPropertyListRef result = ParseDocument();
    if (!result) *error = error_.empty() ? "malformed property list" : error_;
    return result;
  }

 private:
  CFPropertyListRef ParseDocument() {
    if (end_ - p_ >= 3 && std::memcmp(p_, "\xEF\xBB\xBF", 3) == 0) p_ += 3;
    if (end_ - p_ >= 8 && std::memcmp(p_, "bplist00", 8) == 0)
      return Fail("binary property lists are not supported");
    if (!SkipMisc()) return nullptr;
    bool wrapped = false;
    if (LookingAt("<plist")) {
      std::string name;
      bool empty;
      if (!OpenTag(&name, &empty)) return nullptr;
      if (empty) return Fail("empty <plist>");
      wrapped = true;
    }
    CFPropertyListRef value = Value(0);
    if (!value) return nullptr;
    if (wrapped) {
      if (!SkipMisc() || !CloseTag("plist")) {
        CFRelease(value);
        return nullptr;
      }
    }
    if (!SkipMisc()) {
      CFRelease(value);
      return nullptr;
    }
    if (p_ != end_) {
      CFRelease(value);
      return Fail("unexpected content after the property list");
    }
    return value;
  }

  std::nullptr_t Fail(const std::string& message) {
    if (error_.empty()) {
      int line = 1;
      for (const char* q = begin_; q < p_ && q < end_; ++q)
        if (*q == '\n') ++line;
      error_ = message + " (line " + std::to_string(line) + ")";
    }
    return nullptr;
  }

  bool LookingAt(const char* s) const {
    size_t n = std::strlen(s);
    return static_cast<size_t>(end_ - p_) >= n && std::memcmp(p_, s, n) == 0;
  }

  static bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

  void SkipSpace() {
    while (p_ < end_ && IsSpace(*p_)) ++p_;
  }

  // Skips to just after terminator; false when it never comes.
  bool SkipPast(const char* terminator) {
    size_t n = std::strlen(terminator);
    while (static_cast<size_t>(end_ - p_) >= n) {
      if (std::memcmp(p_, terminator, n) == 0) {
        p_ += n;
        return true;
      }
      ++p_;
    }
    p_ = end_;
    return false;
  }

  // Whitespace, comments, processing instructions and the document type.
  bool SkipMisc() {
    for (;;) {
      SkipSpace();
      if (LookingAt("<!--")) {
        if (!SkipPast("-->")) return Fail("unterminated comment"), false;
      } else if (LookingAt("<?")) {
        if (!SkipPast("?>")) return Fail("unterminated processing instruction"), false;
      } else if (LookingAt("<!DOCTYPE")) {
        // The document type may hold an internal subset in brackets.
        int brackets = 0;
        for (; p_ < end_; ++p_) {
          if (*p_ == '[')
            ++brackets;
          else if (*p_ == ']')
            --brackets;
          else if (*p_ == '>' && brackets <= 0)
            break;
        }
        if (p_ == end_) return Fail("unterminated document type"), false;
        ++p_;
      } else {
        return true;
      }
    }
  }

  // Reads "<name attr='..'>" or "<name/>" at p_.
  bool OpenTag(std::string* name, bool* empty) {
    if (p_ >= end_ || *p_ != '<') return Fail("expected an element"), false;
    ++p_;
    const char* start = p_;
    while (p_ < end_ && (std::isalnum(static_cast<unsigned char>(*p_)) || *p_ == '_' || *p_ == '-'))
      ++p_;
    if (p_ == start) return Fail("expected an element name"), false;
    name->assign(start, p_);
    for (;;) {
      SkipSpace();
      if (p_ >= end_) return Fail("unterminated <" + *name + ">"), false;
      if (*p_ == '>') {
        ++p_;
        *empty = false;
        return true;
      }
      if (*p_ == '/') {
        if (p_ + 1 < end_ && p_[1] == '>') {
          p_ += 2;
          *empty = true;
          return true;
        }
        return Fail("malformed <" + *name + ">"), false;
      }
      // An attribute: name = "value" or 'value'.
      while (p_ < end_ && !IsSpace(*p_) && *p_ != '=' && *p_ != '>' && *p_ != '/') ++p_;
      SkipSpace();
      if (p_ >= end_ || *p_ != '=') return Fail("malformed attribute in <" + *name + ">"), false;
      ++p_;
      SkipSpace();
      if (p_ >= end_ || (*p_ != '"' && *p_ != '\'')) return Fail("unquoted attribute"), false;
      char quote = *p_++;
      while (p_ < end_ && *p_ != quote) ++p_;
      if (p_ >= end_) return Fail("unterminated attribute"), false;
      ++p_;
    }
  }

  bool CloseTag(const std::string& name) {
    std::string expect = "</" + name;
    if (!LookingAt(expect.c_str())) return Fail("expected </" + name + ">"), false;
    p_ += expect.size();
    SkipSpace();
    if (p_ >= end_ || *p_ != '>') return Fail("malformed </" + name + ">"), false;
    ++p_;
    return true;
  }

  bool Entity(std::string* out) {
    const char* semi =
        static_cast<const char*>(std::memchr(p_, ';', static_cast<size_t>(end_ - p_)));
    // The longest entity is a character reference such as "&#x10FFFF;" or "&#1114111;": a ';'
    // further away ends something else.
    const ptrdiff_t kMaxEntityLength = 12;
    if (!semi || semi - p_ > kMaxEntityLength) return Fail("malformed entity"), false;
    std::string ent(p_ + 1, semi);
    p_ = semi + 1;
    if (ent == "amp")
      *out += '&';
    else if (ent == "lt")
      *out += '<';
    else if (ent == "gt")
      *out += '>';
    else if (ent == "quot")
      *out += '"';
    else if (ent == "apos")
      *out += '\'';
    else if (ent.size() > 1 && ent[0] == '#') {
      bool hex = ent[1] == 'x' || ent[1] == 'X';
      const char* digits = ent.c_str() + (hex ? 2 : 1);
      if (!*digits) return Fail("malformed character reference"), false;
      char* stop = nullptr;
      unsigned long cp = std::strtoul(digits, &stop, hex ? 16 : 10);
      if (*stop || cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return Fail("invalid character reference"), false;
      cfimpl::AppendUTF8(out, static_cast<UInt32>(cp));
    } else {
      return Fail("unknown entity &" + ent + ";"), false;
    }
    return true;
  }

  // Text content up to the closing tag of name (consumed).
  bool Text(const std::string& name, std::string* out) {
    out->clear();
    while (p_ < end_) {
      char c = *p_;
      if (c == '&') {
        if (!Entity(out)) return false;
      } else if (c == '<') {
        if (LookingAt("<![CDATA[")) {
          p_ += 9;
          const char* start = p_;
          if (!SkipPast("]]>")) return Fail("unterminated CDATA section"), false;
          out->append(start, p_ - 3);
        } else if (LookingAt("<!--")) {
          if (!SkipPast("-->")) return Fail("unterminated comment"), false;
        } else {
          return CloseTag(name);
        }
      } else {
        out->push_back(c);
        ++p_;
      }
    }
    return Fail("unterminated <" + name + ">"), false;
  }

  static std::string Trim(const std::string& s) {
    size_t a = 0, b = s.size();
    while (a < b && IsSpace(s[a])) ++a;
    while (b > a && IsSpace(s[b - 1])) --b;
    return s.substr(a, b - a);
  }

  CFPropertyListRef MakeString(const std::string& text) {
    CFStringRef s = cfimpl::MakeString(text);
    if (!s) return Fail("text is not valid UTF-8");
    if (options_ == kCFPropertyListMutableContainersAndLeaves) {
      CFMutableStringRef m = CFStringCreateMutableCopy(nullptr, 0, s);
      CFRelease(s);
      return m;
    }
    return s;
  }

  CFPropertyListRef Integer(const std::string& raw) {
    std::string t = Trim(raw);
    const char* s = t.c_str();
    bool negative = false;
    if (*s == '+' || *s == '-') negative = *s++ == '-';
    int base = 10;
    if (s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
      base = 16;
      s += 2;
    }
    if (!*s) return Fail("empty <integer>");
    UInt64 v = 0;
    for (; *s; ++s) {
      int d;
      if (*s >= '0' && *s <= '9')
        d = *s - '0';
      else if (base == 16 && *s >= 'a' && *s <= 'f')
        d = *s - 'a' + 10;
      else if (base == 16 && *s >= 'A' && *s <= 'F')
        d = *s - 'A' + 10;
      else
        return Fail("malformed <integer>");
      if (v > (UINT64_MAX - static_cast<UInt64>(d)) / static_cast<UInt64>(base))
        return Fail("<integer> out of range");
      v = v * static_cast<UInt64>(base) + static_cast<UInt64>(d);
    }
    SInt64 value;
    if (negative) {
      if (v > static_cast<UInt64>(INT64_MAX) + 1) return Fail("<integer> out of range");
      value = v == static_cast<UInt64>(INT64_MAX) + 1 ? INT64_MIN : -static_cast<SInt64>(v);
    } else {
      if (v > static_cast<UInt64>(INT64_MAX)) return Fail("<integer> out of range");
      value = static_cast<SInt64>(v);
    }
    return CFNumberCreate(nullptr, kCFNumberSInt64Type, &value);
  }

  CFPropertyListRef Real(const std::string& raw) {
    std::string t = Trim(raw);
    double d;
    if (t == "nan" || t == "NaN") {
      d = std::nan("");
    } else if (t == "+infinity" || t == "infinity" || t == "inf" || t == "+inf") {
      d = HUGE_VAL;
    } else if (t == "-infinity" || t == "-inf") {
      d = -HUGE_VAL;
    } else {
      if (t.empty()) return Fail("empty <real>");
      char* stop = nullptr;
      errno = 0;
      d = std::strtod(t.c_str(), &stop);
      if (*stop || stop == t.c_str()) return Fail("malformed <real>");
    }
    return CFNumberCreate(nullptr, kCFNumberFloat64Type, &d);
  }

  CFPropertyListRef Data(const std::string& text) {
    std::vector<UInt8> bytes;
    if (!Base64Decode(text.data(), text.size(), &bytes)) return Fail("malformed base64 in <data>");
    if (options_ == kCFPropertyListMutableContainersAndLeaves) {
      CFMutableDataRef m = CFDataCreateMutable(nullptr, 0);
      CFDataAppendBytes(m, bytes.data(), static_cast<CFIndex>(bytes.size()));
      return m;
    }
    return CFDataCreate(nullptr, bytes.data(), static_cast<CFIndex>(bytes.size()));
  }

  CFPropertyListRef Array(int depth, bool empty) {
    bool mut = options_ != kCFPropertyListImmutable;
    CFMutableArrayRef array = CFArrayCreateMutable(nullptr, 0, &kCFTypeArrayCallBacks);
    while (!empty) {
      if (!SkipMisc()) break;
      if (LookingAt("</")) {
        if (!CloseTag("array")) break;
        As<__CFArray>(array)->isMutable = mut;
        return array;
      }
      CFPropertyListRef v = Value(depth + 1);
      if (!v) break;
      CFArrayAppendValue(array, v);
      CFRelease(v);
    }
    if (empty) {
      As<__CFArray>(array)->isMutable = mut;
      return array;
    }
    CFRelease(array);
    return nullptr;
  }

  CFPropertyListRef Dict(int depth, bool empty) {
    bool mut = options_ != kCFPropertyListImmutable;
    CFMutableDictionaryRef dict = CFDictionaryCreateMutable(
        nullptr, 0, &kCFTypeDictionaryKeyCallBacks, &kCFTypeDictionaryValueCallBacks);
    while (!empty) {
      if (!SkipMisc()) break;
      if (LookingAt("</")) {
        if (!CloseTag("dict")) break;
        As<__CFDictionary>(dict)->isMutable = mut;
        return dict;
      }
      std::string name;
      bool keyEmpty;
      if (!OpenTag(&name, &keyEmpty)) break;
      if (name != "key") {
        Fail("expected <key> in <dict>, found <" + name + ">");
        break;
      }
      std::string keyText;
      if (!keyEmpty && !Text("key", &keyText)) break;
      CFStringRef key = cfimpl::MakeString(keyText);
      if (!key) {
        Fail("key is not valid UTF-8");
        break;
      }
      if (!SkipMisc() || LookingAt("</")) {
        CFRelease(key);
        Fail("<key> without a value");
        break;
      }
      CFPropertyListRef v = Value(depth + 1);
      if (!v) {
        CFRelease(key);
        break;
      }
      CFDictionarySetValue(dict, key, v);
      CFRelease(key);
      CFRelease(v);
    }
    if (empty) {
      As<__CFDictionary>(dict)->isMutable = mut;
      return dict;
    }
    CFRelease(dict);
    return nullptr;
  }

  CFPropertyListRef Value(int depth) {
    if (depth > kMaxDepth) return Fail("property list nested too deeply");
    if (!SkipMisc()) return nullptr;
    std::string name;
    bool empty;
    if (!OpenTag(&name, &empty)) return nullptr;
    if (name == "dict") return Dict(depth, empty);
    if (name == "array") return Array(depth, empty);
    if (name == "true" || name == "false") {
      if (!empty && !(SkipMisc() && CloseTag(name))) return nullptr;
      return name == "true" ? kCFBooleanTrue : kCFBooleanFalse;
    }
    std::string text;
    if (name == "string" || name == "integer" || name == "real" || name == "data") {
      if (!empty && !Text(name, &text)) return nullptr;
      if (name == "string") return MakeString(text);
      if (name == "integer") return Integer(text);
      if (name == "real") return Real(text);
      return Data(text);
    }
    if (name == "date") return Fail("<date> values are not supported");
    if (name == "key") return Fail("<key> outside a <dict>");
    return Fail("unknown element <" + name + ">");
  }

  const char* begin_;
  const char* p_;
  const char* end_;
  CFOptionFlags options_;
  std::string error_;
};

}  // namespace

CFPropertyListRef ReadPlistXML(const char* text, size_t n, CFOptionFlags options,
                               std::string* error) {
  Parser parser(text, n, options);
  return parser.Document(error);
}

}  // namespace cfimpl
