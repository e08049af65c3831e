// XML property lists: round trips of every value type, the text the writer produces, the
// forms the reader accepts, and malformed input that must give null and an error.
#include <CoreFoundation/CoreFoundation.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <cmath>
#include <random>
#include <string>

namespace {

CFDataRef DataOf(const std::string& text) {
  return CFDataCreate(nullptr, reinterpret_cast<const UInt8*>(text.data()),
                      static_cast<CFIndex>(text.size()));
}

std::string TextOf(CFDataRef data) {
  return std::string(reinterpret_cast<const char*>(CFDataGetBytePtr(data)),
                     static_cast<size_t>(CFDataGetLength(data)));
}

// Parses text; returns the list or null, with the error's code in *code (0 when none).
CFPropertyListRef Parse(const std::string& text, CFIndex* code = nullptr,
                        CFOptionFlags options = kCFPropertyListImmutable) {
  CFDataRef data = DataOf(text);
  CFErrorRef error = nullptr;
  CFPropertyListFormat format = 0;
  CFPropertyListRef plist = CFPropertyListCreateWithData(nullptr, data, options, &format, &error);
  CFRelease(data);
  if (code) *code = error ? CFErrorGetCode(error) : 0;
  if (plist) {
    EXPECT_EQ(nullptr, error);
    EXPECT_EQ(kCFPropertyListXMLFormat_v1_0, format);
  } else {
    EXPECT_NE(nullptr, error) << "a failed parse reports an error";
    if (error) {
      CFStringRef description = CFErrorCopyDescription(error);
      EXPECT_GT(CFStringGetLength(description), 0);
      CFRelease(description);
    }
  }
  if (error) CFRelease(error);
  return plist;
}

std::string Wrap(const std::string& body) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n" + body +
         "\n</plist>\n";
}

CFNumberRef Int(SInt64 v) { return CFNumberCreate(nullptr, kCFNumberSInt64Type, &v); }
CFNumberRef Real(double v) { return CFNumberCreate(nullptr, kCFNumberFloat64Type, &v); }

void Set(CFMutableDictionaryRef d, const char* key, CFTypeRef value) {
  CFDictionarySetValue(d, __CFStringMakeConstantString(key), value);
  CFRelease(value);
}

}  // namespace

TEST(CFPropertyList, EveryValueTypeSurvivesAnXMLRoundTrip) {
  CFMutableDictionaryRef root = CFDictionaryCreateMutable(
      nullptr, 0, &kCFTypeDictionaryKeyCallBacks, &kCFTypeDictionaryValueCallBacks);
  Set(root, "name",
      CFStringCreateWithCString(nullptr, "Bass <boost> & \"air\" \xC3\xBC", kCFStringEncodingUTF8));
  Set(root, "empty string", CFStringCreateWithCString(nullptr, "", kCFStringEncodingUTF8));
  Set(root, "version", Int(131072));
  Set(root, "min", Int(LLONG_MIN));
  Set(root, "max", Int(LLONG_MAX));
  Set(root, "tenth", Real(0.1));
  Set(root, "sum", Real(0.1 + 0.2));  // 0.30000000000000004: needs all 17 significant digits
  Set(root, "huge", Real(-1.5e300));
  Set(root, "on", CFRetain(kCFBooleanTrue));
  Set(root, "off", CFRetain(kCFBooleanFalse));
  UInt8 bytes[256];
  for (int i = 0; i < 256; ++i) bytes[i] = static_cast<UInt8>(i);
  Set(root, "data", CFDataCreate(nullptr, bytes, 256));
  Set(root, "no data", CFDataCreate(nullptr, nullptr, 0));
  CFMutableArrayRef list = CFArrayCreateMutable(nullptr, 0, &kCFTypeArrayCallBacks);
  CFArrayAppendValue(list, CFSTR("one"));
  CFMutableDictionaryRef inner = CFDictionaryCreateMutable(
      nullptr, 0, &kCFTypeDictionaryKeyCallBacks, &kCFTypeDictionaryValueCallBacks);
  CFArrayAppendValue(list, inner);
  CFRelease(inner);
  CFMutableArrayRef emptyList = CFArrayCreateMutable(nullptr, 0, &kCFTypeArrayCallBacks);
  CFArrayAppendValue(list, emptyList);
  CFRelease(emptyList);
  Set(root, "list", list);

  CFErrorRef error = nullptr;
  CFDataRef xml = CFPropertyListCreateData(nullptr, root, kCFPropertyListXMLFormat_v1_0, 0, &error);
  ASSERT_NE(nullptr, xml);
  EXPECT_EQ(nullptr, error);
  std::string text = TextOf(xml);
  EXPECT_NE(std::string::npos,
            text.find("<string>Bass &lt;boost&gt; &amp; \"air\" \xC3\xBC</string>"));
  EXPECT_NE(std::string::npos, text.find("<integer>-9223372036854775808</integer>"));
  EXPECT_NE(std::string::npos, text.find("<true/>"));
  EXPECT_NE(std::string::npos, text.find("<dict/>"));
  EXPECT_NE(std::string::npos, text.find("<array/>"));
  EXPECT_EQ(0u, text.find("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE plist"));

  CFPropertyListRef back = Parse(text);
  ASSERT_NE(nullptr, back);
  EXPECT_TRUE(CFEqual(root, back));
  double sum = 0;
  CFNumberGetValue(static_cast<CFNumberRef>(
                       CFDictionaryGetValue(static_cast<CFDictionaryRef>(back), CFSTR("sum"))),
                   kCFNumberFloat64Type, &sum);
  EXPECT_EQ(0.1 + 0.2, sum) << "reals are written with enough digits to read back exactly";
  CFRelease(back);
  CFRelease(xml);
  CFRelease(root);
}

TEST(CFPropertyList, ReadsAPresetFileAsHostsWriteIt) {
  const std::string preset =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" \"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
      "<plist version=\"1.0\">\n<dict>\n"
      "\t<key>data</key>\n\t<data>\n\tAAAAAAAA8D8AAAAA\n\tAAAAAA==\n\t</data>\n"
      "\t<key>manufacturer</key>\n\t<integer>1181644644</integer>\n"
      "\t<!-- written by a host -->\n"
      "\t<key>name</key>\n\t<string>Untitled</string>\n"
      "\t<key>subtype</key>\n\t<integer>845953079</integer>\n"
      "</dict>\n</plist>\n";
  CFPropertyListRef plist = Parse(preset);
  ASSERT_NE(nullptr, plist);
  ASSERT_EQ(CFDictionaryGetTypeID(), CFGetTypeID(plist));
  CFDictionaryRef d = static_cast<CFDictionaryRef>(plist);
  CFDataRef data = static_cast<CFDataRef>(CFDictionaryGetValue(d, CFSTR("data")));
  ASSERT_EQ(16, CFDataGetLength(data));  // the double 1.0 followed by 0.0
  double first;
  std::memcpy(&first, CFDataGetBytePtr(data), 8);
  EXPECT_EQ(1.0, first);
  SInt32 maker = 0;
  EXPECT_TRUE(
      CFNumberGetValue(static_cast<CFNumberRef>(CFDictionaryGetValue(d, CFSTR("manufacturer"))),
                       kCFNumberSInt32Type, &maker));
  EXPECT_EQ(0x466E7764, maker);  // 'Fnwd'
  CFRelease(plist);
}

TEST(CFPropertyList, DecodesEntitiesCharacterReferencesCDATAAndEmptyElements) {
  CFPropertyListRef p = Parse(Wrap(
      "<array><string>&#x41;&#66;&lt;&apos;&quot;</string><string><![CDATA[<x> & y]]></string>"
      "<string/><data></data><integer> 0x1F </integer><real>-infinity</real><false/></array>"));
  ASSERT_NE(nullptr, p);
  CFArrayRef a = static_cast<CFArrayRef>(p);
  ASSERT_EQ(7, CFArrayGetCount(a));
  char buf[32];
  CFStringGetCString(static_cast<CFStringRef>(CFArrayGetValueAtIndex(a, 0)), buf, sizeof buf,
                     kCFStringEncodingUTF8);
  EXPECT_STREQ("AB<'\"", buf);
  CFStringGetCString(static_cast<CFStringRef>(CFArrayGetValueAtIndex(a, 1)), buf, sizeof buf,
                     kCFStringEncodingUTF8);
  EXPECT_STREQ("<x> & y", buf);
  EXPECT_EQ(0, CFStringGetLength(static_cast<CFStringRef>(CFArrayGetValueAtIndex(a, 2))));
  EXPECT_EQ(0, CFDataGetLength(static_cast<CFDataRef>(CFArrayGetValueAtIndex(a, 3))));
  SInt32 v = 0;
  CFNumberGetValue(static_cast<CFNumberRef>(CFArrayGetValueAtIndex(a, 4)), kCFNumberSInt32Type, &v);
  EXPECT_EQ(31, v);
  double inf = 0;
  CFNumberGetValue(static_cast<CFNumberRef>(CFArrayGetValueAtIndex(a, 5)), kCFNumberFloat64Type,
                   &inf);
  EXPECT_TRUE(std::isinf(inf) && inf < 0);
  EXPECT_EQ(kCFBooleanFalse, CFArrayGetValueAtIndex(a, 6));
  CFRelease(p);
}

TEST(CFPropertyList, Base64DataMatchesTheStandardVectors) {
  const char* plain[] = {"", "f", "fo", "foo", "foob", "fooba", "foobar"};
  const char* encoded[] = {"", "Zg==", "Zm8=", "Zm9v", "Zm9vYg==", "Zm9vYmE=", "Zm9vYmFy"};
  for (int i = 0; i < 7; ++i) {
    CFDataRef d = CFDataCreate(nullptr, reinterpret_cast<const UInt8*>(plain[i]),
                               static_cast<CFIndex>(strlen(plain[i])));
    CFDataRef xml = CFPropertyListCreateData(nullptr, d, kCFPropertyListXMLFormat_v1_0, 0, nullptr);
    std::string text = TextOf(xml);
    if (*encoded[i]) {
      EXPECT_NE(std::string::npos, text.find(std::string("\n") + encoded[i] + "\n")) << plain[i];
    }
    CFPropertyListRef back = Parse(Wrap(std::string("<data>\n  ") + encoded[i] + "\n</data>"));
    EXPECT_TRUE(CFEqual(d, back)) << plain[i];
    CFRelease(back);
    CFRelease(xml);
    CFRelease(d);
  }
}

TEST(CFPropertyList, MalformedDocumentsGiveNullAndACorruptDataError) {
  const std::string bad[] = {
      "",
      "   ",
      Wrap("<dict><key>a</key><string>b</string>"),    // unclosed dict
      Wrap("<string>abc</strin>"),                     // mismatched end tag
      Wrap("<string>abc"),                             // truncated
      Wrap("<dict><key>a</key></dict>"),               // key without value
      Wrap("<dict><string>a</string><true/></dict>"),  // value where a key belongs
      Wrap("<key>a</key>"),                            // key outside a dict
      Wrap("<integer>12a</integer>"),
      Wrap("<integer>99999999999999999999</integer>"),  // out of range
      Wrap("<integer></integer>"),
      Wrap("<real>1.5x</real>"),
      Wrap("<data>AB$=</data>"),  // outside the alphabet
      Wrap("<data>Zg=</data>"),   // bad padding
      Wrap("<string>&bogus;</string>"),
      Wrap("<string>&#0;</string>"),
      Wrap("<string>\xC3</string>"),              // invalid UTF-8
      Wrap("<date>2024-01-01T00:00:00Z</date>"),  // not supported here
      Wrap("<color>red</color>"),
      Wrap("<true/><true/>"),  // two top-level values
      "bplist00\x01\x02",
      "<plist version=\"1.0\"><!-- never closed",
  };
  for (const std::string& text : bad) {
    CFIndex code = 0;
    CFPropertyListRef p = Parse(text, &code);
    EXPECT_EQ(nullptr, p) << text;
    EXPECT_EQ(kCFPropertyListReadCorruptError, code) << text;
    if (p) CFRelease(p);
  }
}

TEST(CFPropertyList, DeepNestingIsRefusedWithoutExhaustingTheStack) {
  std::string deep;
  for (int i = 0; i < 100000; ++i) deep += "<array>";
  CFIndex code = 0;
  EXPECT_EQ(nullptr, Parse(Wrap(deep), &code));
  EXPECT_EQ(kCFPropertyListReadCorruptError, code);
}

TEST(CFPropertyList, MutabilityOptionsDecideWhetherContainersCanChange) {
  std::string text = Wrap("<dict><key>a</key><array><string>x</string></array></dict>");
  CFPropertyListRef fixed = Parse(text);
  CFPropertyListRef open = Parse(text, nullptr, kCFPropertyListMutableContainers);
  CFDictionarySetValue(const_cast<CFMutableDictionaryRef>(static_cast<CFDictionaryRef>(fixed)),
                       CFSTR("b"), CFSTR("y"));
  CFDictionarySetValue(const_cast<CFMutableDictionaryRef>(static_cast<CFDictionaryRef>(open)),
                       CFSTR("b"), CFSTR("y"));
  EXPECT_EQ(1, CFDictionaryGetCount(static_cast<CFDictionaryRef>(fixed)));
  EXPECT_EQ(2, CFDictionaryGetCount(static_cast<CFDictionaryRef>(open)));
  CFRelease(fixed);
  CFRelease(open);
}

TEST(CFPropertyList, WritingAValueThatIsNotAPropertyListFails) {
  CFURLRef url = CFURLCreateWithFileSystemPath(nullptr, CFSTR("/tmp"), kCFURLPOSIXPathStyle, true);
  CFMutableArrayRef a = CFArrayCreateMutable(nullptr, 0, &kCFTypeArrayCallBacks);
  CFArrayAppendValue(a, url);
  CFErrorRef error = nullptr;
  EXPECT_EQ(nullptr,
            CFPropertyListCreateData(nullptr, a, kCFPropertyListXMLFormat_v1_0, 0, &error));
  ASSERT_NE(nullptr, error);
  EXPECT_EQ(kCFPropertyListWriteStreamError, CFErrorGetCode(error));
  CFRelease(error);
  EXPECT_FALSE(CFPropertyListIsValid(a, kCFPropertyListXMLFormat_v1_0));
  EXPECT_EQ(nullptr, CFPropertyListCreateData(nullptr, CFSTR("x"), kCFPropertyListBinaryFormat_v1_0,
                                              0, nullptr));
  CFRelease(a);
  CFRelease(url);
}

TEST(CFPropertyList, RandomlyDamagedDocumentsNeverCrashTheReader) {
  const std::string good = Wrap(
      "<dict><key>data</key><data>AAECAwQFBgc=</data><key>name</key><string>A &amp; B</string>"
      "<key>list</key><array><integer>-5</integer><real>2.5</real><true/><dict/></array></dict>");
  std::mt19937 rng(1234);
  int parsed = 0;
  for (int i = 0; i < 3000; ++i) {
    std::string text = good;
    int edits = 1 + static_cast<int>(rng() % 4);
    for (int e = 0; e < edits; ++e) {
      size_t at = rng() % text.size();
      switch (rng() % 3) {
        case 0:
          text[at] = static_cast<char>(rng() % 256);
          break;
        case 1:
          text.erase(at, 1 + rng() % 8);
          break;
        default:
          text.insert(at, 1, "<>&/;="[rng() % 6]);
          break;
      }
      if (text.empty()) text = "x";
    }
    CFDataRef data = DataOf(text);
    CFErrorRef error = nullptr;
    CFPropertyListRef p = CFPropertyListCreateWithData(nullptr, data, 0, nullptr, &error);
    EXPECT_TRUE((p == nullptr) != (error == nullptr)) << "exactly one of result and error";
    if (p) {
      ++parsed;
      EXPECT_TRUE(CFPropertyListIsValid(p, kCFPropertyListXMLFormat_v1_0));
      CFRelease(p);
    }
    if (error) CFRelease(error);
    CFRelease(data);
  }
  EXPECT_LT(parsed, 3000);
}
