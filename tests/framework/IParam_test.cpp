#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "framework/IParam.h"

namespace {

std::string Display(const IParam& p, double value, bool normalized = false) {
  char text[kParamTextSize];
  memset(text, 'x', sizeof(text));
  p.GetDisplayForHost(value, normalized, text);
  return text;
}

}  // namespace

TEST(IParam, InitialisersNestAndTheOutermostDecidesTheKind) {
  IParam e;
  e.InitEnum("X", 0, 1);
  EXPECT_EQ(kParamEnum, e.Type());
  double lo, hi;
  e.GetBounds(&lo, &hi);
  EXPECT_EQ(0.0, lo);
  EXPECT_EQ(1.0, hi);  // at least minimum + step

  IParam b;
  b.InitBool("Bypass", true, "ignored");
  EXPECT_EQ(kParamBool, b.Type());
  EXPECT_STREQ("", b.GetLabelForHost());
  EXPECT_EQ(1.0, b.Value());
  EXPECT_EQ(2, b.GetNDisplayTexts());
  EXPECT_EQ("off", Display(b, 0.0));
  EXPECT_EQ("on", Display(b, 1.0));

  IParam i;
  i.InitInt("Steps", 3, -2, 7, "st");
  EXPECT_EQ(kParamInt, i.Type());
  EXPECT_EQ(1.0, i.GetStep());
  EXPECT_STREQ("st", i.GetLabelForHost());
}

TEST(IParam, DisplayPrecisionFollowsTheStep) {
  IParam p;
  p.InitDouble("Level", 0.0, -20.0, 20.0, 0.1, "dB");
  EXPECT_EQ(1, p.GetPrecision());
  EXPECT_EQ("-3.5", Display(p, -3.5));
  EXPECT_EQ("12.0", Display(p, 12.0));
  EXPECT_EQ("0", Display(p, 0.0));

  IParam q;
  q.InitDouble("Fine", 0.0, 0.0, 1.0, 0.01, "");
  EXPECT_EQ(2, q.GetPrecision());
  IParam r;
  r.InitDouble("Tiny", 0.0, 0.0, 1.0, 1e-9, "");
  EXPECT_EQ(6, r.GetPrecision());

  IParam s;
  s.InitDouble("Coarse", 0.0, 0.0, 10.0, 1.0, "");
  EXPECT_EQ("2", Display(s, 2.9));  // truncated, not rounded
  EXPECT_EQ("-2", Display(s, -2.9));
}

TEST(IParam, EnumerationShowsTheTextOfTheTruncatedValue) {
  IParam p;
  p.InitEnum("HPF", 0, 6);
  const char* texts[] = {"Off", "30 Hz", "50 Hz", "80 Hz", "160 Hz", "300 Hz"};
  for (int i = 0; i < 6; ++i) p.SetDisplayText(i, texts[i]);
  EXPECT_EQ("50 Hz", Display(p, 0.5, true));  // real value 2.5
  EXPECT_EQ("300 Hz", Display(p, 1.0, true));

  int v = -1;
  EXPECT_TRUE(p.MapDisplayText("80 Hz", &v));
  EXPECT_EQ(3, v);
  v = -1;
  EXPECT_FALSE(p.MapDisplayText("80 hz", &v));  // case-sensitive
  EXPECT_EQ(-1, v);

  // An entry for an existing value does not replace the first one.
  p.SetDisplayText(1, "thirty");
  EXPECT_STREQ("30 Hz", p.GetDisplayText(1));
  EXPECT_STREQ("", p.GetDisplayText(42));
}

TEST(IParam, SetNormalizedSnapsAllButDoublesToTheStep) {
  IParam e;
  e.InitEnum("E", 0, 6);
  e.SetNormalized(1.0);
  EXPECT_EQ(5.0, e.Value());
  e.SetNormalized(0.55);  // 2.75
  EXPECT_EQ(3.0, e.Value());
  e.SetNormalized(1.5);  // never above the maximum
  EXPECT_EQ(5.0, e.Value());

  IParam d;
  d.InitDouble("D", 0.0, -20.0, 20.0, 0.1, "dB");
  d.SetNormalized(0.123456);
  EXPECT_DOUBLE_EQ(-20.0 + 0.123456 * 40.0, d.Value());
  EXPECT_DOUBLE_EQ(0.123456, d.GetNormalized());
  EXPECT_EQ(0.0, d.GetNormalized(-100.0));  // clamped before mapping
  EXPECT_EQ(1.0, d.GetNormalized(100.0));
}

TEST(IParam, ShapeBendsTheMappingAndZeroIsIgnored) {
  IParam p;
  p.InitDouble("Freq", 0.0, 0.0, 10.0, 0.1, "");
  p.SetShape(0.0);
  EXPECT_EQ(1.0, p.GetShape());
  p.SetShape(2.0);
  EXPECT_DOUBLE_EQ(std::sqrt(0.5), p.GetNormalized(5.0));
  p.SetNormalized(0.5);
  EXPECT_DOUBLE_EQ(2.5, p.Value());
}

TEST(IParam, DecibelsToGainUsesTheThirteenDigitConstant) {
  IParam p;
  p.InitDouble("Gain", 0.0, -20.0, 10.0, 0.1, "dB");
  EXPECT_EQ(1.0, p.DBToAmp());
  p.Set(-20.0);
  EXPECT_EQ(std::exp(-2.302585092994), p.DBToAmp());
  EXPECT_NEAR(0.1, p.DBToAmp(), 1e-12);
}

TEST(IParam, TextsLongerThanTheirFieldsAreCutToFit) {
  const std::string longText(60, 'n');
  IParam p;
  p.InitDouble(longText.c_str(), 0.0, 0.0, 1.0, 0.1, longText.c_str());
  p.SetDisplayText(0, longText.c_str());
  EXPECT_EQ(std::string(31, 'n'), p.GetNameForHost());
  EXPECT_EQ(std::string(31, 'n'), p.GetLabelForHost());
  EXPECT_EQ(std::string(31, 'n'), p.GetDisplayText(0));

  // A number wider than the field is cut too (the helper's buffer is exactly one field).
  IParam big;
  big.InitDouble("Big", 0.0, -1e300, 1e300, 0.000001, "");
  std::string shown = Display(big, 1e300);
  EXPECT_EQ(31u, shown.size());
  EXPECT_EQ("1000000000000000052504760255204", shown);
}

TEST(IParam, SetClampsIntoTheBoundsAndRejectsNaN) {
  IParam p;
  p.InitDouble("Level", 1.0, -20.0, 20.0, 0.1, "dB");
  p.Set(35.0);
  EXPECT_EQ(20.0, p.Value());
  p.Set(-35.0);
  EXPECT_EQ(-20.0, p.Value());
  p.Set(std::nan(""));
  EXPECT_EQ(-20.0, p.Value());
}
