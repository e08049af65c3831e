// CFString: UTF-8 text with UTF-16 lengths, encodings, comparison and constant strings.
#include "CFInternal.h"

#include <cstring>
#include <mutex>
#include <unordered_map>

namespace {

// Decodes one UTF-8 sequence at p (n bytes left); returns its length, 0 when invalid.
size_t DecodeUTF8(const UInt8* p, size_t n, UInt32* cp) {
  if (n == 0) return 0;
  UInt8 c = p[0];
  if (c < 0x80) {
    *cp = c;
    return 1;
  }
  size_t len;
  UInt32 v;
  UInt32 min;
  if ((c & 0xE0) == 0xC0) {
    len = 2;
    v = c & 0x1F;
    min = 0x80;
  } else if ((c & 0xF0) == 0xE0) {
    len = 3;
    v = c & 0x0F;
    min = 0x800;
  } else if ((c & 0xF8) == 0xF0) {
    len = 4;
    v = c & 0x07;
    min = 0x10000;
  } else {
    return 0;
  }
  if (n < len) return 0;
  for (size_t i = 1; i < len; ++i) {
    if ((p[i] & 0xC0) != 0x80) return 0;
    v = (v << 6) | (p[i] & 0x3F);
  }
  if (v < min || v > 0x10FFFF || (v >= 0xD800 && v <= 0xDFFF)) return 0;
  *cp = v;
  return len;
}

bool ValidUTF8(const UInt8* p, size_t n) {
  size_t i = 0;
  UInt32 cp;
  while (i < n) {
    size_t len = DecodeUTF8(p + i, n - i, &cp);
    if (!len) return false;
    i += len;
  }
  return true;
}

// The text's code points as UTF-16 units.
std::u16string ToUTF16(const std::string& s) {
  std::u16string out;
  const UInt8* p = reinterpret_cast<const UInt8*>(s.data());
  size_t i = 0;
  UInt32 cp;
  while (i < s.size()) {
    size_t len = DecodeUTF8(p + i, s.size() - i, &cp);
    if (!len) break;
    i += len;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
  }
  return out;
}

// UTF-16 units to UTF-8; false for unpaired surrogates.
bool FromUTF16(const UniChar* chars, size_t n, std::string* out) {
  for (size_t i = 0; i < n; ++i) {
    UInt32 c = chars[i];
    if (c >= 0xD800 && c <= 0xDBFF) {
      if (i + 1 >= n || chars[i + 1] < 0xDC00 || chars[i + 1] > 0xDFFF) return false;
      c = 0x10000 + ((c - 0xD800) << 10) + (chars[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xDC00 && c <= 0xDFFF) {
      return false;
    }
    cfimpl::AppendUTF8(out, c);
  }
  return true;
}

bool IsLatin1Like(CFStringEncoding e) {
  return e == kCFStringEncodingISOLatin1 || e == kCFStringEncodingWindowsLatin1;
}
bool IsASCIILike(CFStringEncoding e) {
  return e == kCFStringEncodingASCII || e == kCFStringEncodingMacRoman ||
         e == kCFStringEncodingNonLossyASCII || e == kCFStringEncodingNextStepLatin;
}

// Bytes in encoding to UTF-8; false when they are not valid in it.
bool DecodeBytes(const UInt8* bytes, size_t n, CFStringEncoding enc, std::string* out) {
  if (enc == kCFStringEncodingUTF8) {
    if (n >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
      bytes += 3;
      n -= 3;
    }
    if (!ValidUTF8(bytes, n)) return false;
    out->assign(reinterpret_cast<const char*>(bytes), n);
    return true;
  }
  if (IsASCIILike(enc)) {
    for (size_t i = 0; i < n; ++i)
      if (bytes[i] > 0x7F) return false;
    out->assign(reinterpret_cast<const char*>(bytes), n);
    return true;
  }
  if (IsLatin1Like(enc)) {
    out->clear();
    for (size_t i = 0; i < n; ++i) cfimpl::AppendUTF8(out, bytes[i]);
    return true;
  }
  return false;
}

// UTF-8 to bytes in encoding; false when a character cannot be expressed.
bool EncodeText(const std::string& s, CFStringEncoding enc, std::string* out) {
  if (enc == kCFStringEncodingUTF8) {
    *out = s;
    return true;
  }
  const UInt8* p = reinterpret_cast<const UInt8*>(s.data());
  UInt32 limit = IsASCIILike(enc) ? 0x7F : IsLatin1Like(enc) ? 0xFF : 0;
  if (!limit) return false;
  out->clear();
  size_t i = 0;
  UInt32 cp;
  while (i < s.size()) {
    size_t len = DecodeUTF8(p + i, s.size() - i, &cp);
    if (!len || cp > limit) return false;
    out->push_back(static_cast<char>(cp));
    i += len;
  }
  return true;
}

__CFString* NewString(std::string text, bool isMutable) {
  __CFString* s = new __CFString;
  s->text = std::move(text);
  s->isMutable = isMutable;
  return s;
}

}  // namespace

bool __CFString::Equal(const CFObject& other) const {
  return text == static_cast<const __CFString&>(other).text;
}

CFHashCode __CFString::Hash() const { return cfimpl::HashBytes(text.data(), text.size()); }

namespace cfimpl {

void AppendUTF8(std::string* out, UInt32 cp) {
  if (cp < 0x80) {
    out->push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out->push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

std::string UTF8Of(CFStringRef s) {
  const __CFString* str = As<__CFString>(s);
  return str ? str->text : std::string();
}

CFStringRef MakeString(const std::string& utf8) {
  std::string checked;
  if (!DecodeBytes(reinterpret_cast<const UInt8*>(utf8.data()), utf8.size(), kCFStringEncodingUTF8,
                   &checked))
    return nullptr;
  return NewString(std::move(checked), false);
}

}  // namespace cfimpl

CFTypeID CFStringGetTypeID(void) { return cfimpl::kTypeString; }

CFStringRef __CFStringMakeConstantString(const char* cStr) {
  static std::mutex* lock = new std::mutex;
  static auto* table = new std::unordered_map<std::string, __CFString*>;
  std::string key = cStr ? cStr : "";
  std::lock_guard<std::mutex> guard(*lock);
  auto it = table->find(key);
  if (it != table->end()) return it->second;
  std::string text;
  if (!DecodeBytes(reinterpret_cast<const UInt8*>(key.data()), key.size(), kCFStringEncodingUTF8,
                   &text))
    DecodeBytes(reinterpret_cast<const UInt8*>(key.data()), key.size(), kCFStringEncodingISOLatin1,
                &text);
  __CFString* s = NewString(text, false);
  s->immortal = true;
  (*table)[key] = s;
  return s;
}

CFStringRef CFStringCreateWithCString(CFAllocatorRef, const char* cStr, CFStringEncoding encoding) {
  if (!cStr) return nullptr;
  return CFStringCreateWithBytes(nullptr, reinterpret_cast<const UInt8*>(cStr),
                                 static_cast<CFIndex>(std::strlen(cStr)), encoding, false);
}

CFStringRef CFStringCreateWithBytes(CFAllocatorRef, const UInt8* bytes, CFIndex numBytes,
                                    CFStringEncoding encoding, Boolean) {
  if (numBytes < 0 || (!bytes && numBytes > 0)) return nullptr;
  std::string text;
  if (!DecodeBytes(bytes, static_cast<size_t>(numBytes), encoding, &text)) return nullptr;
  return NewString(std::move(text), false);
}

CFStringRef CFStringCreateWithCharacters(CFAllocatorRef, const UniChar* chars, CFIndex numChars) {
  if (numChars < 0 || (!chars && numChars > 0)) return nullptr;
  std::string text;
  if (!FromUTF16(chars, static_cast<size_t>(numChars), &text)) return nullptr;
  return NewString(std::move(text), false);
}

CFStringRef CFStringCreateCopy(CFAllocatorRef, CFStringRef theString) {
  const __CFString* s = cfimpl::As<__CFString>(theString);
  if (!s) return nullptr;
  if (!s->isMutable) return static_cast<CFStringRef>(CFRetain(s));
  return NewString(s->text, false);
}

CFStringRef CFStringCreateWithSubstring(CFAllocatorRef, CFStringRef str, CFRange range) {
  const __CFString* s = cfimpl::As<__CFString>(str);
  if (!s) return nullptr;
  std::u16string u = ToUTF16(s->text);
  if (range.location < 0 || range.length < 0 ||
      static_cast<size_t>(range.location + range.length) > u.size())
    return nullptr;
  return CFStringCreateWithCharacters(
      nullptr, reinterpret_cast<const UniChar*>(u.data()) + range.location, range.length);
}

CFMutableStringRef CFStringCreateMutable(CFAllocatorRef, CFIndex) { return NewString("", true); }

CFMutableStringRef CFStringCreateMutableCopy(CFAllocatorRef, CFIndex, CFStringRef theString) {
  return NewString(cfimpl::UTF8Of(theString), true);
}

CFIndex CFStringGetLength(CFStringRef theString) {
  const __CFString* s = cfimpl::As<__CFString>(theString);
  if (!s) return 0;
  CFIndex n = 0;
  for (unsigned char c : s->text) {
    if ((c & 0xC0) != 0x80) ++n;  // one unit per code point ...
    if ((c & 0xF8) == 0xF0) ++n;  // ... two for those beyond the basic plane
  }
  return n;
}

UniChar CFStringGetCharacterAtIndex(CFStringRef theString, CFIndex idx) {
  std::u16string u = ToUTF16(cfimpl::UTF8Of(theString));
  if (idx < 0 || static_cast<size_t>(idx) >= u.size()) return 0;
  return u[static_cast<size_t>(idx)];
}

void CFStringGetCharacters(CFStringRef theString, CFRange range, UniChar* buffer) {
  std::u16string u = ToUTF16(cfimpl::UTF8Of(theString));
  if (!buffer || range.location < 0 || range.length < 0 ||
      static_cast<size_t>(range.location + range.length) > u.size())
    return;
  std::memcpy(buffer, u.data() + range.location,
              static_cast<size_t>(range.length) * sizeof(UniChar));
}

Boolean CFStringGetCString(CFStringRef theString, char* buffer, CFIndex bufferSize,
                           CFStringEncoding encoding) {
  const __CFString* s = cfimpl::As<__CFString>(theString);
  if (!buffer || bufferSize <= 0) return false;
  buffer[0] = 0;
  if (!s) return false;
  std::string bytes;
  if (!EncodeText(s->text, encoding, &bytes)) return false;
  if (bytes.size() + 1 > static_cast<size_t>(bufferSize)) return false;
  std::memcpy(buffer, bytes.c_str(), bytes.size() + 1);
  return true;
}

const char* CFStringGetCStringPtr(CFStringRef theString, CFStringEncoding encoding) {
  const __CFString* s = cfimpl::As<__CFString>(theString);
  if (!s || s->isMutable) return nullptr;
  if (encoding == kCFStringEncodingUTF8) return s->text.c_str();
  if (encoding == kCFStringEncodingASCII) {
    for (unsigned char c : s->text)
      if (c > 0x7F) return nullptr;
    return s->text.c_str();
  }
  return nullptr;
}

CFIndex CFStringGetMaximumSizeForEncoding(CFIndex length, CFStringEncoding encoding) {
  if (length < 0) return 0;
  if (encoding == kCFStringEncodingUTF8) return length * 3;
  if (encoding == kCFStringEncodingUTF16) return length * 2;
  return length;
}

CFDataRef CFStringCreateExternalRepresentation(CFAllocatorRef, CFStringRef theString,
                                               CFStringEncoding encoding, UInt8 lossByte) {
  const __CFString* s = cfimpl::As<__CFString>(theString);
  if (!s) return nullptr;
  std::string bytes;
  if (!EncodeText(s->text, encoding, &bytes)) {
    if (!lossByte || encoding == kCFStringEncodingUTF8) return nullptr;
    // Replace what the encoding cannot express by the loss byte.
    UInt32 limit = IsLatin1Like(encoding) ? 0xFF : 0x7F;
    const UInt8* p = reinterpret_cast<const UInt8*>(s->text.data());
    size_t i = 0;
    UInt32 cp;
    bytes.clear();
    while (i < s->text.size()) {
      size_t len = DecodeUTF8(p + i, s->text.size() - i, &cp);
      if (!len) break;
      bytes.push_back(static_cast<char>(cp <= limit ? cp : lossByte));
      i += len;
    }
  }
  return CFDataCreate(nullptr, reinterpret_cast<const UInt8*>(bytes.data()),
                      static_cast<CFIndex>(bytes.size()));
}

CFComparisonResult CFStringCompare(CFStringRef theString1, CFStringRef theString2,
                                   CFStringCompareFlags compareOptions) {
  std::string a = cfimpl::UTF8Of(theString1);
  std::string b = cfimpl::UTF8Of(theString2);
  if (compareOptions & kCFCompareCaseInsensitive) {
    for (char& c : a)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    for (char& c : b)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  // Byte order of UTF-8 is code point order.
  int r = a.compare(b);
  return r < 0 ? kCFCompareLessThan : r > 0 ? kCFCompareGreaterThan : kCFCompareEqualTo;
}

Boolean CFStringHasPrefix(CFStringRef theString, CFStringRef prefix) {
  std::string s = cfimpl::UTF8Of(theString), p = cfimpl::UTF8Of(prefix);
  return s.compare(0, p.size(), p) == 0 && s.size() >= p.size();
}

Boolean CFStringHasSuffix(CFStringRef theString, CFStringRef suffix) {
  std::string s = cfimpl::UTF8Of(theString), p = cfimpl::UTF8Of(suffix);
  return s.size() >= p.size() && s.compare(s.size() - p.size(), p.size(), p) == 0;
}

void CFStringAppend(CFMutableStringRef theString, CFStringRef appendedString) {
  __CFString* s = cfimpl::As<__CFString>(theString);
  if (!s || !s->isMutable) return;
  s->text += cfimpl::UTF8Of(appendedString);
}

void CFStringAppendCString(CFMutableStringRef theString, const char* cStr,
                           CFStringEncoding encoding) {
  __CFString* s = cfimpl::As<__CFString>(theString);
  if (!s || !s->isMutable || !cStr) return;
  std::string text;
  if (DecodeBytes(reinterpret_cast<const UInt8*>(cStr), std::strlen(cStr), encoding, &text))
    s->text += text;
}
