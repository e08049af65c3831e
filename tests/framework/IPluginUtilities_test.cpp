#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <string>

#include "TestPlugin.h"
#include "core/Core_String.h"
#include "framework/IPluginUtilities.h"

TEST(HostLookup, SubstringsInTableOrderIgnoringCase) {
  EXPECT_EQ(0, LookUpHost(""));
  EXPECT_EQ(0, LookUpHost(nullptr));
  EXPECT_EQ(0, LookUpHost("com.example.unknownhost"));
  EXPECT_EQ(1, LookUpHost("REAPER"));
  EXPECT_EQ(9, LookUpHost("com.ableton.live"));
  EXPECT_EQ(9, LookUpHost("Deliverance"));        // "live" inside a longer word
  EXPECT_EQ(3, LookUpHost("Nuendo and Cubase"));  // cubase is tested first
  EXPECT_EQ(9, LookUpHost("logic live"));
  EXPECT_EQ(21, LookUpHost("com.apple.logic10"));
  EXPECT_EQ(14, LookUpHost("com.apple.audio.aulab"));
  EXPECT_EQ(23, LookUpHost("Harrison Mixbus"));
  EXPECT_EQ(22, LookUpHost("com.motu.DigitalPerformer"));

  // Only the first 255 characters take part.
  std::string padded(255, '.');
  EXPECT_EQ(0, LookUpHost((padded + "reaper").c_str()));
  EXPECT_EQ(1, LookUpHost((std::string(249, '.') + "reaper").c_str()));
}

TEST(Versions, PackedPartsDecimalAndText) {
  int major, minor, patch;
  GetVersionParts(66051, &major, &minor, &patch);
  EXPECT_EQ(1, major);
  EXPECT_EQ(2, minor);
  EXPECT_EQ(3, patch);
  EXPECT_EQ(10203, GetDecimalVersion(66051));
  char str[kVersionStrSize];
  GetVersionStr(66051, str);
  EXPECT_STREQ("v1.2", str);
  GetVersionStr(static_cast<int>(0xFFFFFF00u), str);  // the longest text fits
  EXPECT_STREQ("v65535.255", str);
  GetVersionParts(static_cast<int>(0xFFFF0000u), &major, &minor, &patch);
  EXPECT_EQ(65535, major);  // the upper half is unsigned
}

TEST(Versions, PluginReportsEffectAndHostVersions) {
  TestPlugin p;  // version 1.2.3
  EXPECT_EQ(0x00010203, p.GetEffectVersion(false));
  EXPECT_EQ(10203, p.GetEffectVersion(true));
  char str[kVersionStrSize];
  p.GetEffectVersionStr(str);
  EXPECT_STREQ("v1.2", str);

  EXPECT_EQ(-1, p.HostKind());
  EXPECT_EQ(-1, p.GetHost());
  EXPECT_EQ(0, p.GetHostVersion(true));
  p.SetHost("com.cockos.reaper", 0x00040501);
  EXPECT_EQ(1, p.GetHost());
  EXPECT_EQ(40501, p.GetHostVersion(true));
  EXPECT_EQ(0x00040501, p.GetHostVersion(false));
  p.GetHostVersionStr(str);
  EXPECT_STREQ("v4.5", str);
  p.SetHost("", 0);
  EXPECT_EQ(0, p.GetHost());
}

TEST(Timestamps, CompileTimestampShortensDateAndTime) {
  Core_String s;
  CompileTimestamp("Mar 13 2010", "14:05:09", &s);
  EXPECT_STREQ("[Mar13 14:05]", s.Get());
  CompileTimestamp("Mar  3 2010", "14:05:09", &s);
  EXPECT_STREQ("[Mar 3 14:05]", s.Get());
  CompileTimestamp("Jan  1 2011", "00:00:00", &s);
  EXPECT_STREQ("[Jan 1 00:00]", s.Get());

  // One process-wide string keeps growing.
  std::string first = AppendTimestamp("Mar 13 2010", "14:05:09", "build");
  EXPECT_EQ("build [Mar13 14:05]", first);
  std::string second = AppendTimestamp("Jan  1 2011", "00:00:00", "ignored");
  EXPECT_EQ("build [Mar13 14:05] [Jan 1 00:00]", second);
}

TEST(Timestamps, CurrentTimeHasDateMinutesAndZoneLetters) {
  std::string t = CurrentTime();
  ASSERT_GE(t.size(), 15u);
  for (int k : {0, 1, 2, 3, 4, 5, 6, 7, 9, 10, 12, 13}) EXPECT_TRUE(isdigit(t[k])) << t;
  EXPECT_EQ(' ', t[8]);
  EXPECT_EQ(':', t[11]);
  EXPECT_EQ(' ', t[14]);
  for (size_t k = 15; k < t.size(); ++k) EXPECT_TRUE(isupper(t[k])) << t;
}

namespace {
uint32_t gFakeClock = 0;
uint32_t FakeClock() { return gFakeClock; }
}  // namespace

TEST(TimerTest, FiresOnceAfterTheIntervalAndSurvivesAWrap) {
  const uint32_t half = static_cast<uint32_t>(Timer::kTicksPerSecond / 2);
  gFakeClock = 0xFFFFFFFFu - 10;  // just before the counter wraps
  Timer t(FakeClock);
  gFakeClock += half;  // exactly half a second: not more
  EXPECT_FALSE(t.Every(0.5));
  gFakeClock += 1;
  EXPECT_TRUE(t.Every(0.5));
  EXPECT_FALSE(t.Every(0.5));
  gFakeClock += half + 1;
  EXPECT_TRUE(t.Every(0.5));
}

TEST(Characters, WhitespaceAndLowerCase) {
  EXPECT_TRUE(IsWhitespace(' '));
  EXPECT_TRUE(IsWhitespace('\t'));
  EXPECT_TRUE(IsWhitespace('\n'));
  EXPECT_TRUE(IsWhitespace('\r'));
  EXPECT_FALSE(IsWhitespace('\v'));
  EXPECT_FALSE(IsWhitespace('\f'));
  EXPECT_FALSE(IsWhitespace('x'));
  char out[16];
  ToLower(out, "AbC-9Z");
  EXPECT_STREQ("abc-9z", out);
  out[0] = 'q';
  ToLower(out, "");
  EXPECT_STREQ("", out);
}

TEST(Characters, TraceNameHelpersAreEmpty) {
  Trace("f", 1, "%d", 3);
  EXPECT_STREQ("", VSTOpcodeStr(1));
  EXPECT_STREQ("", AUSelectStr(1));
  EXPECT_STREQ("", AUPropertyStr(1));
  EXPECT_STREQ("", AUScopeStr(1));
}
