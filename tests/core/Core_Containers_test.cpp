#include <gtest/gtest.h>

#include <vector>

#include "core/Core_PtrList.h"
#include "core/Core_TypedBuf.h"

TEST(TypedBuf, EmptyBufferHasNullData) {
  Core_TypedBuf<double> buf;
  EXPECT_EQ(buf.Get(), nullptr);
  EXPECT_EQ(buf.GetSize(), 0);
  buf.Resize(3);
  EXPECT_NE(buf.Get(), nullptr);
  buf.Resize(0);
  EXPECT_EQ(buf.Get(), nullptr);
}

TEST(TypedBuf, SizesCountElements) {
  Core_TypedBuf<double> buf(4096);
  buf.Resize(10);
  EXPECT_EQ(buf.GetSize(), 10);
  EXPECT_EQ(buf.m_hb.GetSize(), 80);
}

TEST(TypedBuf, AddAppendsCopies) {
  Core_TypedBuf<int> buf;
  int vals[] = {3, 1, 4};
  buf.Add(vals, 3);
  buf.Add(1);
  ASSERT_EQ(buf.GetSize(), 4);
  EXPECT_EQ(buf.Get()[0], 3);
  EXPECT_EQ(buf.Get()[3], 1);
}

TEST(TypedBuf, OversizedResizeKeepsSize) {
  Core_TypedBuf<double> buf;
  buf.Resize(4);
  buf.Resize(0x7fffffff);
  EXPECT_EQ(buf.GetSize(), 4);
}

namespace {
struct Tracked {
  static std::vector<int>* deleted;
  int id = 0;
  ~Tracked() {
    if (deleted) deleted->push_back(id);
  }
};
std::vector<int>* Tracked::deleted = nullptr;
}  // namespace

TEST(PtrList, OutOfRangeIndexYieldsNull) {
  Core_PtrList<int> list;
  int a = 1;
  list.Add(&a);
  EXPECT_EQ(list.Get(0), &a);
  EXPECT_EQ(list.Get(1), nullptr);
  EXPECT_EQ(list.Get(-1), nullptr);
}

TEST(PtrList, OwningEmptyDeletesFromLastToFirst) {
  std::vector<int> order;
  Tracked::deleted = &order;
  {
    Core_PtrList<Tracked> list;
    for (int i = 0; i < 4; ++i) list.Add(new Tracked)->id = i;
    list.Empty(true);
    EXPECT_EQ(list.GetSize(), 0);
  }
  Tracked::deleted = nullptr;
  EXPECT_EQ(order, (std::vector<int>{3, 2, 1, 0}));
}

TEST(PtrList, InsertDeleteAndFind) {
  Core_PtrList<int> list;
  int a = 1, b = 2, c = 3;
  list.Add(&a);
  list.Add(&c);
  list.Insert(1, &b);
  EXPECT_EQ(list.Find(&b), 1);
  EXPECT_EQ(list.Get(2), &c);
  list.Delete(0);
  EXPECT_EQ(list.GetSize(), 2);
  EXPECT_EQ(list.Get(0), &b);
  EXPECT_EQ(list.Get(2), nullptr);  // the vacated slot still holds &c
  EXPECT_EQ(list.Find(&a), -1);
}

TEST(PtrList, InitializeAppendsZeroFilledElements) {
  struct Rec {
    int a;
    double b;
  };
  Core_PtrList<Rec> list;
  PtrListInitialize(&list, 3);
  ASSERT_EQ(list.GetSize(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(list.Get(i)->a, 0);
    EXPECT_EQ(list.Get(i)->b, 0.0);
  }
  list.Empty(true);
}
