// The styled-text interface: attribute rules, font lookup, layouts and their errors.
#include <gtest/gtest.h>

#include <ApplicationServices/ApplicationServices.h>

namespace {

OSStatus Set(ATSUStyle s, ATSUAttributeTag tag, ByteCount size, const void* value) {
  ATSUAttributeValuePtr v = const_cast<void*>(value);
  return ATSUSetAttributes(s, 1, &tag, &size, &v);
}

struct Styled {
  Styled() { ATSUCreateStyle(&style); }
  ~Styled() {
    if (layout) ATSUDisposeTextLayout(layout);
    ATSUDisposeStyle(style);
  }
  OSStatus Lay(const char16_t* text) {
    UniCharCount n = 0;
    while (text[n]) ++n;
    return ATSUCreateTextLayoutWithTextPtr(reinterpret_cast<const UniChar*>(text), 0, n, n, 1, &n,
                                           &style, &layout);
  }
  double Width() {
    ATSUTextMeasurement before, after, ascent, descent;
    EXPECT_EQ(noErr, ATSUGetUnjustifiedBounds(layout, kATSUFromTextBeginning, kATSUToTextEnd,
                                              &before, &after, &ascent, &descent));
    return Fix2X(after);
  }
  ATSUStyle style = nullptr;
  ATSUTextLayout layout = nullptr;
};

}  // namespace

TEST(ATSUI, AttributesAreCheckedAndReadBack) {
  Styled s;
  const Fixed size = Long2Fix(20);
  EXPECT_EQ(noErr, Set(s.style, kATSUSizeTag, sizeof size, &size));
  EXPECT_EQ(kATSUInvalidAttributeSizeErr, Set(s.style, kATSUSizeTag, 2, &size));
  EXPECT_EQ(kATSUInvalidAttributeTagErr, Set(s.style, 9999, sizeof size, &size));
  const Fixed negative = Long2Fix(-3);
  EXPECT_EQ(kATSUInvalidAttributeValueErr, Set(s.style, kATSUSizeTag, sizeof negative, &negative));
  const ATSUFontID bogus = 123456;
  EXPECT_EQ(kATSUInvalidFontErr, Set(s.style, kATSUFontTag, sizeof bogus, &bogus));
  // Unset ascent reads as the font's (Liberation Sans: 1854 of 2048 units) with kATSUNotSetErr.
  ATSUFontID arial = 0;
  ASSERT_EQ(noErr, ATSUFindFontFromName("Arial", 5, kFontFullName, kFontNoPlatformCode,
                                        kFontNoScriptCode, kFontNoLanguageCode, &arial));
  EXPECT_EQ(noErr, Set(s.style, kATSUFontTag, sizeof arial, &arial));
  Fixed ascent = 0;
  EXPECT_EQ(kATSUNotSetErr,
            ATSUGetAttribute(s.style, kATSUAscentTag, sizeof ascent, &ascent, nullptr));
  EXPECT_NEAR(1854.0 * 20 / 2048, Fix2X(ascent), 1e-4);
  const RGBColor red = {0xFFFF, 0, 0};
  EXPECT_EQ(noErr, Set(s.style, kATSUColorTag, sizeof red, &red));
  ATSURGBAlphaColor rgba;
  EXPECT_EQ(noErr, ATSUGetAttribute(s.style, kATSURGBAlphaColorTag, sizeof rgba, &rgba, nullptr));
  EXPECT_FLOAT_EQ(1, rgba.red);
  ATSUFontID none = 7;
  EXPECT_EQ(kATSUInvalidFontErr,
            ATSUFindFontFromName("Nope Sans", 9, kFontFullName, 0, 0, 0, &none));
  EXPECT_EQ(0u, none);
  // Names stop at an embedded zero.
  EXPECT_EQ(noErr, ATSUFindFontFromName("Arial\0junk", 10, kFontFamilyName, 0, 0, 0, &none));
  EXPECT_EQ(arial, none);
}

TEST(ATSUI, LayoutsMeasureTruncateAndRefuseWrongHandles) {
  Styled s;
  ASSERT_EQ(noErr, s.Lay(u"A long line of text"));
  const double full = s.Width();
  EXPECT_GT(full, 50);
  // Truncation needs a width to cut to.
  const ATSULineTruncation end = kATSUTruncateEnd;
  const ATSUTextMeasurement width = Long2Fix(40);
  const ATSUAttributeTag tags[] = {kATSULineTruncationTag, kATSULineWidthTag};
  const ByteCount sizes[] = {sizeof end, sizeof width};
  const ATSUAttributeValuePtr values[] = {const_cast<ATSULineTruncation*>(&end),
                                          const_cast<ATSUTextMeasurement*>(&width)};
  EXPECT_EQ(noErr, ATSUSetLayoutControls(s.layout, 1, tags, sizes, values));
  EXPECT_EQ(full, s.Width());
  EXPECT_EQ(noErr, ATSUSetLayoutControls(s.layout, 2, tags, sizes, values));
  EXPECT_LE(s.Width(), 40);
  // Changing the style re-shapes the layout.
  const Fixed big = Long2Fix(30);
  Set(s.style, kATSUSizeTag, sizeof big, &big);
  EXPECT_LE(s.Width(), 40);

  ATSUTextMeasurement a;
  EXPECT_EQ(kATSUInvalidTextRangeErr, ATSUGetUnjustifiedBounds(s.layout, 30, 1, &a, &a, &a, &a));
  EXPECT_EQ(
      kATSUInvalidTextLayoutErr,
      ATSUGetUnjustifiedBounds(reinterpret_cast<ATSUTextLayout>(s.style), 0, 1, &a, &a, &a, &a));
  EXPECT_EQ(kATSUInvalidStyleErr, ATSUDisposeStyle(reinterpret_cast<ATSUStyle>(s.layout)));
  EXPECT_EQ(kATSUInvalidTextLayoutErr, ATSUDrawText(nullptr, 0, 0, 0, 0));
  EXPECT_EQ(noErr,
            ATSUDrawText(s.layout, kATSUFromTextBeginning, kATSUToTextEnd, 0, 0));  // no context
  ATSUTextLayout l = nullptr;
  UniCharCount n = 1;
  EXPECT_EQ(kATSUInvalidTextRangeErr,
            ATSUCreateTextLayoutWithTextPtr(reinterpret_cast<const UniChar*>(u"x"), 1, 1, 1, 1, &n,
                                            &s.style, &l));
  EXPECT_EQ(nullptr, l);
}
