#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "gdi_compat/GDI.h"

TEST(GDI_RecordPools, AFreedContextRecordIsReusedZeroFilled) {
  HDC a = GDI_CreateMemContext(nullptr, 2, 2);
  ASSERT_NE(nullptr, a);
  HPEN pen = CreatePen(0, 1, 0xFF0000);
  SelectObject(a, pen);
  MoveToEx(a, 5, 6, nullptr);
  const int before = GDI_CtxPoolSize();
  GDI_DeleteGfxContext(a);
  EXPECT_EQ(before + 1, GDI_CtxPoolSize());
  HDC b = GDI_CreateMemContext(nullptr, 2, 2);
  EXPECT_EQ(a, b);  // the last pooled record comes back
  EXPECT_EQ(before, GDI_CtxPoolSize());
  EXPECT_EQ(nullptr, b->curpen);
  EXPECT_EQ(0, b->lastpos_x);
  EXPECT_EQ(0, b->lastpos_y);
  GDI_DeleteGfxContext(b);
  DeleteObject(pen);
}

TEST(GDI_RecordPools, APoolNeverHoldsMoreThan1024Records) {
  std::vector<GDP_OBJECT*> recs;
  // Drain whatever earlier work left in the pool, then take more fresh records.
  while (GDI_ObjectPoolSize() > 0) recs.push_back(GDI_AllocObjectRecord());
  while (recs.size() < 1100) recs.push_back(GDI_AllocObjectRecord());
  for (GDP_OBJECT* r : recs) {
    ASSERT_NE(nullptr, r);
    EXPECT_EQ(0, r->type);
  }
  for (GDP_OBJECT* r : recs) GDI_FreeObjectRecord(r);
  EXPECT_EQ(1024, GDI_ObjectPoolSize());
  GDI_FreeObjectRecord(nullptr);
  EXPECT_EQ(1024, GDI_ObjectPoolSize());
}

TEST(GDI_RecordPools, ThreadsNeverReceiveTheSameRecordTwice) {
  std::atomic<int> clashes{0};
  auto worker = [&clashes](int id) {
    for (int round = 0; round < 200; ++round) {
      GDP_OBJECT* mine[16];
      for (GDP_OBJECT*& r : mine) {
        r = GDI_AllocObjectRecord();
        r->wid = id;
      }
      std::this_thread::yield();
      for (GDP_OBJECT* r : mine) {
        if (r->wid != id) ++clashes;
        GDI_FreeObjectRecord(r);
      }
    }
  };
  std::vector<std::thread> threads;
  for (int i = 1; i <= 4; ++i) threads.emplace_back(worker, i);
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(0, clashes.load());
}
