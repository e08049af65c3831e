#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <string>

#include "gdi_compat/GDI_Strings.h"

namespace {
std::string Text(CFStringRef s) {
  char buf[256];
  if (!s || !CFStringGetCString(s, buf, sizeof buf, kCFStringEncodingUTF8)) return "<none>";
  return buf;
}

// Outside any application bundle the main bundle is the program's own folder.
std::string ProgramFolder() {
  char exe[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
  if (n <= 0) return "";
  std::string path(exe, static_cast<size_t>(n));
  return path.substr(0, path.rfind('/'));
}
}  // namespace

TEST(GDI_CStringToCFString, ReadsUTF8AndTakesNullAsEmpty) {
  CFStringRef s = GDI_CStringToCFString(
      "Gr\xC3\xBC\xC3\x9F"
      "e");
  EXPECT_EQ(5, CFStringGetLength(s));
  EXPECT_EQ(
      "Gr\xC3\xBC\xC3\x9F"
      "e",
      Text(s));
  CFRelease(s);
  CFStringRef empty = GDI_CStringToCFString(nullptr);
  ASSERT_NE(nullptr, empty);
  EXPECT_EQ(0, CFStringGetLength(empty));
  CFRelease(empty);
}

TEST(GDI_CStringToCFString, BytesThatAreNotUTF8StillGiveAString) {
  // Latin-1 "café": the lone 0xE9 is not valid UTF-8.
  CFStringRef s = GDI_CStringToCFString("caf\xE9");
  ASSERT_NE(nullptr, s);
  EXPECT_EQ(4, CFStringGetLength(s));
  EXPECT_EQ('c', CFStringGetCharacterAtIndex(s, 0));
  EXPECT_EQ(0xE9, CFStringGetCharacterAtIndex(s, 3));
  CFRelease(s);
}

TEST(GDI_GetModuleFileName, GivesTheMainBundlePath) {
  char buf[4096];
  const int n = GetModuleFileName(nullptr, buf, sizeof buf);
  const std::string expected = ProgramFolder();
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(expected, buf);
  EXPECT_EQ(static_cast<int>(expected.size()), n);
}

TEST(GDI_GetModuleFileName, ASmallBufferGetsTheStartOfThePath) {
  char buf[4] = {'x', 'x', 'x', 'x'};
  EXPECT_EQ(3, GetModuleFileName(nullptr, buf, 4));
  EXPECT_EQ(ProgramFolder().substr(0, 3), std::string(buf));
  char keep[2] = {'k', 'k'};
  EXPECT_EQ(0, GetModuleFileName(nullptr, keep, 0));
  EXPECT_EQ('k', keep[0]);
}
