#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gdi_compat/GDI.h"
#include "gdi_compat/GDI_TextBuffer.h"

namespace {
std::u16string Prepared(const char* text, int len = -1, int flags = 0) {
  UniChar out[GDI_MAX_TEXT];
  const int n = GDI_PrepareText(text, len, flags, out);
  return std::u16string(out, out + n);
}
}  // namespace

TEST(GDI_PrepareText, DecodesUTF8AndReadsInvalidBytesAsASCII) {
  EXPECT_EQ(u"Gr\u00fc\u00dfe \u20ac", Prepared("Gr\xc3\xbc\xc3\x9f"
                                                "e \xe2\x82\xac"));
  EXPECT_EQ(u"\U0001F3B5x", Prepared("\xf0\x9f\x8e\xb5x"));  // a surrogate pair
  // One bad sequence anywhere: every byte is one character, those above 0x7F spaces.
  EXPECT_EQ(u"a   ", Prepared("a\xff\xc3\xa9"));
  EXPECT_EQ(u"   ", Prepared("\xed\xa0\x80"));  // an encoded surrogate is not UTF-8
  EXPECT_EQ(u"  ", Prepared("\xc0\xaf"));       // nor is an overlong form
  EXPECT_EQ(u"  ", Prepared("\xe2\x82"));       // nor a cut-off sequence
}

TEST(GDI_PrepareText, AppliesTheCharacterRulesAndTheLimits) {
  EXPECT_EQ(u"ab", Prepared("a&b"));
  EXPECT_EQ(u"a&b", Prepared("a&b", -1, DT_NOPREFIX));
  EXPECT_EQ(u"a\nb", Prepared("a\r\nb"));
  EXPECT_EQ(u"a b", Prepared("a\r\nb", -1, DT_SINGLELINE));
  EXPECT_EQ(u"ab", Prepared("abc", 2));
  EXPECT_EQ(u"ab", Prepared("ab\0cd", 5));  // a zero ends the text whatever the length
  EXPECT_EQ(u"", Prepared(nullptr));
  const std::string huge(10000, 'x');
  EXPECT_EQ(size_t(GDI_MAX_TEXT), Prepared(huge.c_str()).size());
  // The limit counts bytes before decoding: 4095 bytes of two-byte characters and a cut.
  std::string twoByte;
  for (int i = 0; i < 3000; ++i) twoByte += "\xc3\xa9";
  const std::u16string cut = Prepared(twoByte.c_str());
  EXPECT_EQ(size_t(GDI_MAX_TEXT), cut.size());  // the cut last character makes it ASCII
  EXPECT_EQ(u' ', cut[0]);
}
