// Reference counting, strings, numbers, containers and URLs of the CoreFoundation stand-in.
#include <CoreFoundation/CoreFoundation.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

std::string Text(CFStringRef s) {
  char buf[256];
  return CFStringGetCString(s, buf, sizeof buf, kCFStringEncodingUTF8) ? buf : "<none>";
}

CFStringRef Str(const char* utf8) {
  return CFStringCreateWithCString(nullptr, utf8, kCFStringEncodingUTF8);
}

}  // namespace

TEST(CFReferenceCounting, ContainersWithTypeCallbacksRetainAndReleaseTheirValues) {
  CFStringRef value = Str("gain");
  CFStringRef key = Str("key");
  ASSERT_EQ(1, CFGetRetainCount(value));

  CFMutableArrayRef array = CFArrayCreateMutable(nullptr, 0, &kCFTypeArrayCallBacks);
  CFArrayAppendValue(array, value);
  EXPECT_EQ(2, CFGetRetainCount(value));
  CFMutableDictionaryRef dict = CFDictionaryCreateMutable(
      nullptr, 0, &kCFTypeDictionaryKeyCallBacks, &kCFTypeDictionaryValueCallBacks);
  CFDictionarySetValue(dict, key, value);
  EXPECT_EQ(3, CFGetRetainCount(value));
  EXPECT_EQ(2, CFGetRetainCount(key));

  CFDictionarySetValue(dict, key, array);  // replacing releases the old value
  EXPECT_EQ(2, CFGetRetainCount(value));
  CFArrayRemoveValueAtIndex(array, 0);
  EXPECT_EQ(1, CFGetRetainCount(value));

  CFRelease(dict);  // releases key and array
  EXPECT_EQ(1, CFGetRetainCount(key));
  EXPECT_EQ(1, CFGetRetainCount(array));
  CFRelease(array);
  CFRelease(key);
  CFRelease(value);
}

TEST(CFReferenceCounting, ContainersWithoutCallbacksStoreRawPointers) {
  CFStringRef value = Str("x");
  CFMutableArrayRef array = CFArrayCreateMutable(nullptr, 0, nullptr);
  CFArrayAppendValue(array, value);
  int plain = 7;
  CFArrayAppendValue(array, &plain);  // not a CF object: must never be retained
  EXPECT_EQ(1, CFGetRetainCount(value));
  EXPECT_EQ(&plain, CFArrayGetValueAtIndex(array, 1));
  CFRelease(array);
  EXPECT_EQ(1, CFGetRetainCount(value));
  CFRelease(value);
}

TEST(CFReferenceCounting, CountsStayExactUnderConcurrentRetainAndRelease) {
  CFDataRef data = CFDataCreate(nullptr, reinterpret_cast<const UInt8*>("abc"), 3);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([data] {
      for (int i = 0; i < 20000; ++i) {
        CFRetain(data);
        CFRelease(data);
      }
    });
  for (auto& th : threads) th.join();
  EXPECT_EQ(1, CFGetRetainCount(data));
  CFRelease(data);
}

TEST(CFReferenceCounting, ConstantStringsAreSharedAndNeverFreed) {
  CFStringRef a = CFSTR("version");
  EXPECT_EQ(a, CFSTR("version"));
  CFIndex before = CFGetRetainCount(a);
  CFRelease(a);
  CFRelease(a);
  EXPECT_EQ(before, CFGetRetainCount(a));
  EXPECT_EQ("version", Text(a));
  CFStringRef made = Str("version");
  EXPECT_TRUE(CFEqual(a, made));
  EXPECT_EQ(CFHash(a), CFHash(made));
  CFRelease(made);
  CFRelease(nullptr);  // ignored
}

TEST(CFString, KeepsUnicodeTextAndCountsUTF16Units) {
  const char* text =
      "Gr\xC3\xBC\xC3\x9F"
      "e \xF0\x9F\x8E\x9B";  // "Grüße " + a U+1F39B control knob
  CFStringRef s = Str(text);
  ASSERT_NE(nullptr, s);
  EXPECT_EQ(8, CFStringGetLength(s));
  EXPECT_EQ(0xFC, CFStringGetCharacterAtIndex(s, 2));
  EXPECT_EQ(0xD83C, CFStringGetCharacterAtIndex(s, 6));
  EXPECT_EQ(text, Text(s));
  UniChar units[8];
  CFStringGetCharacters(s, CFRangeMake(0, 8), units);
  CFStringRef back = CFStringCreateWithCharacters(nullptr, units, 8);
  EXPECT_TRUE(CFEqual(s, back));
  CFRelease(back);
  CFRelease(s);
}

TEST(CFString, CStringConversionFailsWhenTheBufferOrEncodingCannotHoldTheText) {
  CFStringRef s = Str("80 Hz");
  char buf[6];
  EXPECT_TRUE(CFStringGetCString(s, buf, 6, kCFStringEncodingASCII));
  EXPECT_STREQ("80 Hz", buf);
  EXPECT_FALSE(CFStringGetCString(s, buf, 5, kCFStringEncodingUTF8));
  EXPECT_STREQ("", buf);
  CFRelease(s);

  CFStringRef umlaut = Str("\xC3\xBC");
  EXPECT_FALSE(CFStringGetCString(umlaut, buf, sizeof buf, kCFStringEncodingASCII));
  EXPECT_TRUE(CFStringGetCString(umlaut, buf, sizeof buf, kCFStringEncodingISOLatin1));
  EXPECT_EQ('\xFC', buf[0]);
  EXPECT_EQ(nullptr, CFStringGetCStringPtr(umlaut, kCFStringEncodingASCII));
  CFRelease(umlaut);
}

TEST(CFString, CreationRejectsBytesInvalidInTheirEncoding) {
  EXPECT_EQ(nullptr, CFStringCreateWithCString(nullptr, "\xC3", kCFStringEncodingUTF8));
  EXPECT_EQ(nullptr,
            CFStringCreateWithCString(nullptr, "\xC0\xAF", kCFStringEncodingUTF8));  // overlong '/'
  EXPECT_EQ(nullptr, CFStringCreateWithCString(nullptr, "\xED\xA0\x80",
                                               kCFStringEncodingUTF8));  // surrogate
  EXPECT_EQ(nullptr, CFStringCreateWithCString(nullptr, "caf\xE9", kCFStringEncodingASCII));
  CFStringRef latin = CFStringCreateWithCString(nullptr, "caf\xE9", kCFStringEncodingISOLatin1);
  EXPECT_EQ("caf\xC3\xA9", Text(latin));
  CFRelease(latin);
  const UniChar lone[] = {0xD800};
  EXPECT_EQ(nullptr, CFStringCreateWithCharacters(nullptr, lone, 1));
}

TEST(CFString, ComparesByCodePointWithOptionalCaseFolding) {
  CFStringRef a = Str("Reaper"), b = Str("reaper"), c = Str("reapers");
  EXPECT_EQ(kCFCompareLessThan, CFStringCompare(a, b, 0));
  EXPECT_EQ(kCFCompareEqualTo, CFStringCompare(a, b, kCFCompareCaseInsensitive));
  EXPECT_EQ(kCFCompareLessThan, CFStringCompare(b, c, 0));
  EXPECT_EQ(kCFCompareGreaterThan, CFStringCompare(c, a, kCFCompareCaseInsensitive));
  EXPECT_TRUE(CFStringHasPrefix(c, b));
  EXPECT_FALSE(CFStringHasPrefix(b, c));
  CFMutableStringRef m = CFStringCreateMutableCopy(nullptr, 0, b);
  CFStringAppendCString(m, "s", kCFStringEncodingUTF8);
  EXPECT_TRUE(CFEqual(m, c));
  CFRelease(m);
  CFRelease(a);
  CFRelease(b);
  CFRelease(c);
}

TEST(CFNumber, ConvertsBetweenTypesAndReportsLoss) {
  SInt32 big = 70000;
  CFNumberRef n = CFNumberCreate(nullptr, kCFNumberIntType, &big);
  EXPECT_EQ(kCFNumberSInt32Type, CFNumberGetType(n));
  SInt64 wide = 0;
  EXPECT_TRUE(CFNumberGetValue(n, kCFNumberSInt64Type, &wide));
  EXPECT_EQ(70000, wide);
  SInt16 narrow = 0;
  EXPECT_FALSE(CFNumberGetValue(n, kCFNumberSInt16Type, &narrow));
  double d = 0;
  EXPECT_TRUE(CFNumberGetValue(n, kCFNumberFloat64Type, &d));
  EXPECT_EQ(70000.0, d);

  double real = -2.75;
  CFNumberRef r = CFNumberCreate(nullptr, kCFNumberDoubleType, &real);
  EXPECT_TRUE(CFNumberIsFloatType(r));
  SInt32 truncated = 0;
  EXPECT_FALSE(CFNumberGetValue(r, kCFNumberSInt32Type, &truncated));
  EXPECT_EQ(-2, truncated);
  float f = 0;
  EXPECT_TRUE(CFNumberGetValue(r, kCFNumberFloat32Type, &f));
  EXPECT_EQ(-2.75f, f);
  CFRelease(n);
  CFRelease(r);
}

TEST(CFNumber, EqualValuesOfDifferentTypesAreEqualAndHashAlike) {
  SInt8 three = 3;
  double threeReal = 3.0, half = 3.5;
  CFNumberRef a = CFNumberCreate(nullptr, kCFNumberSInt8Type, &three);
  CFNumberRef b = CFNumberCreate(nullptr, kCFNumberFloat64Type, &threeReal);
  CFNumberRef c = CFNumberCreate(nullptr, kCFNumberFloat64Type, &half);
  EXPECT_TRUE(CFEqual(a, b));
  EXPECT_EQ(CFHash(a), CFHash(b));
  EXPECT_FALSE(CFEqual(a, c));
  EXPECT_EQ(kCFCompareLessThan, CFNumberCompare(a, c, nullptr));
  EXPECT_FALSE(CFEqual(a, kCFBooleanTrue));
  CFRelease(a);
  CFRelease(b);
  CFRelease(c);
}

TEST(CFDictionary, FindsKeysByValueAndHonoursAddReplaceAndRemove) {
  CFMutableDictionaryRef d = CFDictionaryCreateMutable(nullptr, 0, &kCFTypeDictionaryKeyCallBacks,
                                                       &kCFTypeDictionaryValueCallBacks);
  CFStringRef key = Str("name");  // a distinct object with the same text as CFSTR("name")
  CFDictionaryAddValue(d, key, CFSTR("Default"));
  CFDictionaryAddValue(d, CFSTR("name"), CFSTR("ignored: key present"));
  CFDictionaryReplaceValue(d, CFSTR("absent"), CFSTR("ignored: key absent"));
  EXPECT_EQ(1, CFDictionaryGetCount(d));
  EXPECT_EQ("Default", Text(static_cast<CFStringRef>(CFDictionaryGetValue(d, CFSTR("name")))));
  CFDictionaryReplaceValue(d, CFSTR("name"), CFSTR("Warm"));
  CFDictionarySetValue(d, CFSTR("type"), kCFBooleanTrue);
  const void* keys[2];
  CFDictionaryGetKeysAndValues(d, keys, nullptr);
  EXPECT_EQ(key, keys[0]) << "insertion order, original key object kept";
  EXPECT_TRUE(CFEqual(keys[1], CFSTR("type")));
  CFDictionaryRemoveValue(d, CFSTR("name"));
  EXPECT_FALSE(CFDictionaryContainsKey(d, key));
  EXPECT_EQ(1, CFGetRetainCount(key));
  CFRelease(key);
  CFRelease(d);
}

TEST(CFArray, IndexesSafelyAndComparesByValue) {
  CFStringRef items[] = {CFSTR("a"), CFSTR("b")};
  CFArrayRef a =
      CFArrayCreate(nullptr, reinterpret_cast<const void**>(items), 2, &kCFTypeArrayCallBacks);
  CFMutableArrayRef m = CFArrayCreateMutable(nullptr, 0, &kCFTypeArrayCallBacks);
  CFArrayAppendValue(m, CFSTR("b"));
  CFArrayInsertValueAtIndex(m, 0, CFSTR("a"));
  EXPECT_TRUE(CFEqual(a, m));
  EXPECT_EQ(nullptr, CFArrayGetValueAtIndex(a, 2));
  EXPECT_EQ(nullptr, CFArrayGetValueAtIndex(a, -1));
  EXPECT_EQ(1, CFArrayGetFirstIndexOfValue(m, CFRangeMake(0, 2), CFSTR("b")));
  CFArrayAppendValue(const_cast<CFMutableArrayRef>(a), CFSTR("c"));  // immutable: ignored
  EXPECT_EQ(2, CFArrayGetCount(a));
  CFArraySetValueAtIndex(m, 1, CFSTR("z"));
  EXPECT_FALSE(CFEqual(a, m));
  CFRelease(a);
  CFRelease(m);
}

TEST(CFTypes, CallsOnAReferenceOfTheWrongTypeAnswerEmpty) {
  SInt32 one = 1;
  CFNumberRef n = CFNumberCreate(nullptr, kCFNumberSInt32Type, &one);
  EXPECT_EQ(0, CFStringGetLength(reinterpret_cast<CFStringRef>(n)));
  EXPECT_EQ(nullptr, CFDictionaryGetValue(reinterpret_cast<CFDictionaryRef>(n), CFSTR("k")));
  EXPECT_EQ(0, CFArrayGetCount(reinterpret_cast<CFArrayRef>(n)));
  EXPECT_EQ(nullptr, CFDataGetBytePtr(reinterpret_cast<CFDataRef>(n)));
  EXPECT_EQ(CFNumberGetTypeID(), CFGetTypeID(n));
  EXPECT_NE(CFStringGetTypeID(), CFGetTypeID(n));
  CFRelease(n);
}

TEST(CFData, CopiesOnlyRangesInsideTheData) {
  const UInt8 bytes[] = {1, 2, 3, 4};
  CFDataRef d = CFDataCreate(nullptr, bytes, 4);
  UInt8 out[4] = {9, 9, 9, 9};
  CFDataGetBytes(d, CFRangeMake(1, 2), out);
  EXPECT_EQ(2, out[0]);
  EXPECT_EQ(3, out[1]);
  out[0] = 9;
  CFDataGetBytes(d, CFRangeMake(3, 2), out);  // runs past the end: nothing copied
  EXPECT_EQ(9, out[0]);
  CFMutableDataRef m = CFDataCreateMutable(nullptr, 0);
  CFDataAppendBytes(m, bytes, 4);
  EXPECT_TRUE(CFEqual(d, m));
  CFDataSetLength(m, 6);
  EXPECT_EQ(0, CFDataGetBytePtr(m)[5]);
  CFRelease(m);
  CFRelease(d);
}

TEST(CFURL, MakesFileURLsFromPOSIXPaths) {
  CFURLRef url = CFURLCreateWithFileSystemPath(
      nullptr, CFSTR("/Library/Audio/Plug-Ins/Tessor EQ.component"), kCFURLPOSIXPathStyle, true);
  EXPECT_EQ("file:///Library/Audio/Plug-Ins/Tessor%20EQ.component/", Text(CFURLGetString(url)));
  CFStringRef last = CFURLCopyLastPathComponent(url);
  EXPECT_EQ("Tessor EQ.component", Text(last));
  CFURLRef child = CFURLCreateCopyAppendingPathComponent(nullptr, url, CFSTR("Contents"), true);
  CFStringRef path = CFURLCopyFileSystemPath(child, kCFURLPOSIXPathStyle);
  EXPECT_EQ("/Library/Audio/Plug-Ins/Tessor EQ.component/Contents", Text(path));
  UInt8 small[8];
  EXPECT_FALSE(CFURLGetFileSystemRepresentation(child, true, small, sizeof small));
  CFRelease(path);
  CFRelease(child);
  CFRelease(last);
  CFRelease(url);
}

TEST(CFBundle, TheMainBundleIdentifierDefaultsToTheExecutableAndCanBeSet) {
  CFBundleRef main = CFBundleGetMainBundle();
  EXPECT_EQ("local.corefoundation_tests", Text(CFBundleGetIdentifier(main)));
  _CFBundleSetMainBundleIdentifier(CFSTR("com.apple.logic10"));
  EXPECT_EQ("com.apple.logic10", Text(CFBundleGetIdentifier(CFBundleGetMainBundle())));
  EXPECT_EQ(main, CFBundleGetBundleWithIdentifier(CFSTR("com.apple.logic10")));
  EXPECT_EQ(nullptr, CFBundleGetBundleWithIdentifier(CFSTR("com.example.none")));
  _CFBundleSetMainBundleIdentifier(nullptr);
  EXPECT_EQ("local.corefoundation_tests", Text(CFBundleGetIdentifier(main)));
}
