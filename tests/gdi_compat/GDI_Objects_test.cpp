#include <gtest/gtest.h>

#include <cstdint>

#include "GDI_TestDC.h"

static HGDIOBJ Code(intptr_t v) { return reinterpret_cast<HGDIOBJ>(v); }

TEST(GDI_Objects, PensAndBrushesCarryTheirColourAndWidth) {
  HPEN pen = CreatePenAlpha(5, 3, 0xFF8000, 0.5f);
  ASSERT_NE(nullptr, pen);
  EXPECT_EQ(GDP_OBJECT_PEN, pen->type);
  EXPECT_EQ(3, pen->wid);
  const CGFloat* c = CGColorGetComponents(pen->color);
  EXPECT_DOUBLE_EQ(1, c[0]);
  EXPECT_DOUBLE_EQ(128 / 255.0, c[1]);
  EXPECT_DOUBLE_EQ(0, c[2]);
  EXPECT_DOUBLE_EQ(0.5, c[3]);
  HPEN thin = CreatePen(0, -4, 0);
  EXPECT_EQ(0, thin->wid);
  EXPECT_DOUBLE_EQ(1, CGColorGetAlpha(thin->color));
  HBRUSH brush = CreateSolidBrush(0x0000FF);
  EXPECT_EQ(GDP_OBJECT_BRUSH, brush->type);
  EXPECT_EQ(0, brush->wid);
  EXPECT_DOUBLE_EQ(1, CGColorGetComponents(brush->color)[2]);
  DeleteObject(pen);
  DeleteObject(thin);
  DeleteObject(brush);
}

TEST(GDI_Select, AFreshContextReportsNoPenAndTheCodeClearsTheSlot) {
  GDI_TestDC t(1, 1);
  HPEN pen = CreatePen(0, 1, 0);
  EXPECT_EQ(Code(1), SelectObject(t.dc, pen));
  EXPECT_EQ(pen, t.dc->curpen);
  EXPECT_EQ(pen, SelectObject(t.dc, Code(1)));
  EXPECT_EQ(nullptr, t.dc->curpen);
  EXPECT_EQ(Code(1), SelectObject(t.dc, Code(1)));  // already empty: the code itself
  EXPECT_EQ(Code(3), SelectObject(t.dc, Code(3)));
  DeleteObject(pen);
}

TEST(GDI_Select, GivingBackTheReturnedValueRestoresThePreviousState) {
  GDI_TestDC t(1, 1);
  HBRUSH a = CreateSolidBrush(1), b = CreateSolidBrush(2);
  HGDIOBJ old = SelectObject(t.dc, a);
  EXPECT_EQ(Code(2), old);
  HGDIOBJ prev = SelectObject(t.dc, b);
  EXPECT_EQ(a, prev);
  EXPECT_EQ(b, SelectObject(t.dc, prev));
  EXPECT_EQ(a, t.dc->curbrush);
  EXPECT_EQ(a, SelectObject(t.dc, a));  // selecting the same object again keeps it
  EXPECT_EQ(a, SelectObject(t.dc, old));
  EXPECT_EQ(nullptr, t.dc->curbrush);
  EXPECT_EQ(nullptr, t.dc->curpen);  // other slots untouched throughout
  DeleteObject(a);
  DeleteObject(b);
}

TEST(GDI_Select, NullArgumentsAndObjectsWithoutASlotSelectNothing) {
  GDI_TestDC t(1, 1);
  HPEN pen = CreatePen(0, 1, 0);
  EXPECT_EQ(nullptr, SelectObject(nullptr, pen));
  EXPECT_EQ(nullptr, SelectObject(t.dc, nullptr));
  GDP_OBJECT* bitmap = GDI_AllocObjectRecord();
  bitmap->type = GDP_OBJECT_BITMAP;
  EXPECT_EQ(nullptr, SelectObject(t.dc, bitmap));
  EXPECT_EQ(nullptr, t.dc->curpen);
  EXPECT_EQ(nullptr, t.dc->curbrush);
  EXPECT_EQ(nullptr, t.dc->curfont);
  DeleteObject(bitmap);
  DeleteObject(pen);
}

TEST(GDI_Stock, NullPenAndBrushAreStaticRecordsReinitialisedOnEveryCall) {
  HGDIOBJ pen = GetStockObject(1), brush = GetStockObject(2);
  ASSERT_NE(nullptr, pen);
  ASSERT_NE(nullptr, brush);
  EXPECT_EQ(GDP_OBJECT_PEN, pen->type);
  EXPECT_EQ(-1, pen->wid);
  EXPECT_EQ(GDP_OBJECT_BRUSH, brush->type);
  EXPECT_EQ(-1, brush->wid);
  pen->wid = 7;  // a caller scribbling on it
  EXPECT_EQ(pen, GetStockObject(1));
  EXPECT_EQ(-1, pen->wid);
  EXPECT_EQ(nullptr, GetStockObject(0));
  EXPECT_EQ(nullptr, GetStockObject(3));
  EXPECT_EQ(nullptr, GetStockObject(-1));
}

TEST(GDI_Stock, DeletingAStockObjectDoesNothingAndItStaysUsable) {
  const int pooled = GDI_ObjectPoolSize();
  HGDIOBJ pen = GetStockObject(1);
  DeleteObject(pen);
  DeleteObject(GetStockObject(2));
  EXPECT_EQ(pooled, GDI_ObjectPoolSize());
  GDI_TestDC t(4, 4);
  EXPECT_EQ(Code(1), SelectObject(t.dc, pen));
  EXPECT_EQ(GDP_OBJECT_PEN, pen->type);
  EXPECT_EQ(-1, pen->wid);
  GDI_LineTo(t.dc, 3, 3);  // the null pen draws nothing and leaves the position
  EXPECT_EQ(0, t.dc->lastpos_x);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_TRUE(t.untouched(x, y));
}

TEST(GDI_Delete, ReturnsTheRecordToThePoolAndIgnoresNull) {
  HBRUSH b = CreateSolidBrush(0x102030);
  const int pooled = GDI_ObjectPoolSize();
  DeleteObject(b);
  EXPECT_EQ(pooled + 1, GDI_ObjectPoolSize());
  DeleteObject(nullptr);
  EXPECT_EQ(pooled + 1, GDI_ObjectPoolSize());
  HPEN p = CreatePen(0, 1, 0);
  EXPECT_EQ(b, p);  // the freed record serves the next object
  EXPECT_EQ(GDP_OBJECT_PEN, p->type);
  DeleteObject(p);
}

TEST(GDI_SysColor, KnownIndicesHaveTheirValuesAndOthersAreBlack) {
  const COLORREF expected[] = {0x606060, 0xE0E0E0, 0xC0C0C0, 0,        0xC0C0C0,
                               0x202020, 0x303030, 0xC0C0C0, 0xFFF0C8, 0};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(expected[i], GetSysColor(i)) << i;
  EXPECT_EQ(0u, GetSysColor(-1));
}
