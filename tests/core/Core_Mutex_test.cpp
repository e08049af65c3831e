#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "core/Core_Assert.h"
#include "core/Core_Mutex.h"

TEST(Mutex, OwnerReentersAndCountsLevels) {
  Core_Mutex m;
  m.Enter();
  m.Enter();
  EXPECT_EQ(m.m_lockcnt, 1);
  m.Leave();
  EXPECT_EQ(m.m_lockcnt, 0);
  EXPECT_TRUE(pthread_equal(m.m_ownerthread.load(), pthread_self()));
  m.Leave();
  EXPECT_EQ(m.m_ownerthread.load(), static_cast<pthread_t>(0));
}

TEST(Mutex, OtherThreadWaitsUntilEveryLevelIsLeft) {
  Core_Mutex m;
  std::atomic<bool> entered{false};
  m.Enter();
  m.Enter();
  std::thread other([&] {
    m.Enter();
    entered = true;
    m.Leave();
  });
  m.Leave();
  // Still held once: the other thread must not get in.
  for (int i = 0; i < 50 && !entered; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  EXPECT_FALSE(entered);
  m.Leave();
  other.join();
  EXPECT_TRUE(entered);
}

TEST(Mutex, TryEnterReentersForTheOwnerAndRefusesOthersWithoutWaiting) {
  Core_Mutex m;
  ASSERT_TRUE(m.TryEnter());
  ASSERT_TRUE(m.TryEnter());
  bool otherGotIn = true;
  std::thread([&] { otherGotIn = m.TryEnter(); }).join();
  EXPECT_FALSE(otherGotIn);
  m.Leave();
  m.Leave();
  std::thread([&] {
    otherGotIn = m.TryEnter();
    if (otherGotIn) m.Leave();
  }).join();
  EXPECT_TRUE(otherGotIn);
}

TEST(Mutex, TwoThreadsIncrementUnderTheLockWithoutLosingUpdates) {
  Core_Mutex m;
  long counter = 0;
  auto work = [&] {
    for (int i = 0; i < 20000; ++i) {
      Core_MutexLock outer(&m);
      Core_MutexLock inner(&m);  // re-entry by the owner
      ++counter;
    }
  };
  std::thread a(work), b(work);
  a.join();
  b.join();
  EXPECT_EQ(counter, 40000);
}

TEST(AssertDeathTest, FailedAssertionPrintsFileLineAndExpression) {
  EXPECT_DEATH(CORE_ASSERT(1 + 1 == 3),
               "Core_Mutex_test.cpp:[0-9]+: failed assertion `1 \\+ 1 == 3'");
}
