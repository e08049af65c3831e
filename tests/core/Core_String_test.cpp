#include <gtest/gtest.h>

#include "core/Core_String.h"

TEST(String, EmptyReadsAsEmptyText) {
  Core_String s;
  EXPECT_STREQ(s.Get(), "");
  EXPECT_EQ(s.GetLength(), 0);
  EXPECT_EQ(s.m_hb.GetGranul(), 128);
}

TEST(String, SetAppendAndCut) {
  Core_String s("Tessor");
  s.Append(" EQ");
  EXPECT_STREQ(s.Get(), "Tessor EQ");
  s.Append("uality", 2);
  EXPECT_STREQ(s.Get(), "Tessor EQua");
  s.SetLen(6);
  EXPECT_STREQ(s.Get(), "Tessor");
  s.SetLen(100);
  EXPECT_STREQ(s.Get(), "Tessor");
  s.Set("abcdef", 3);
  EXPECT_STREQ(s.Get(), "abc");
}

TEST(String, DeleteSubRange) {
  Core_String s("Fenwarde Audio");
  s.DeleteSub(3, 5);
  EXPECT_STREQ(s.Get(), "Fen Audio");
  s.DeleteSub(4, 100);
  EXPECT_STREQ(s.Get(), "Fen ");
  s.DeleteSub(10, 2);
  EXPECT_STREQ(s.Get(), "Fen ");
}

TEST(String, InsertAndSelfAppend) {
  Core_String s("EQ");
  s.Insert("Tessor ", 0);
  EXPECT_STREQ(s.Get(), "Tessor EQ");
  s.Append(s.Get());
  EXPECT_STREQ(s.Get(), "Tessor EQTessor EQ");
  s.Set(s.Get() + 6);
  EXPECT_STREQ(s.Get(), " EQTessor EQ");
}

TEST(String, FormattedTextIsCut) {
  Core_String s;
  s.SetFormatted(64, "%s %d", "user preset", 3);
  EXPECT_STREQ(s.Get(), "user preset 3");
  s.AppendFormatted(4, "%d", 123456);
  EXPECT_STREQ(s.Get(), "user preset 31234");
}

TEST(String, CopiesAreIndependent) {
  Core_String a("left");
  Core_String b(a);
  b.Append("right");
  EXPECT_STREQ(a.Get(), "left");
  EXPECT_STREQ(b.Get(), "leftright");
}
