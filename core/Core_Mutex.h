// Recursive lock on a plain POSIX mutex: the owning thread may enter again; each Enter needs a
// Leave. Core_MutexLock is the scoped guard (a null mutex makes it do nothing).
#pragma once

#include <pthread.h>

#include <atomic>

class Core_Mutex {
 public:
  Core_Mutex();
  ~Core_Mutex();
  Core_Mutex(const Core_Mutex&) = delete;
  Core_Mutex& operator=(const Core_Mutex&) = delete;

  void Enter();
  // Enters when that needs no wait (the owner re-entering, or the lock free) and returns true;
  // returns false at once while another thread holds the lock. A true result needs a Leave.
  bool TryEnter();
  void Leave();

  pthread_mutex_t m_mutex;
  // Re-entries beyond the first: 0 while held once.
  int m_lockcnt;
  // The owner, or 0 when nobody holds the lock. Read by other threads to decide whether they
  // are the owner, hence atomic; only the owner writes it while the mutex is held.
  std::atomic<pthread_t> m_ownerthread;
};

class Core_MutexLock {
 public:
  explicit Core_MutexLock(Core_Mutex* mutex) : m_mutex(mutex) {
    if (m_mutex) m_mutex->Enter();
  }
  ~Core_MutexLock() {
    if (m_mutex) m_mutex->Leave();
  }
  Core_MutexLock(const Core_MutexLock&) = delete;
  Core_MutexLock& operator=(const Core_MutexLock&) = delete;

 private:
  Core_Mutex* m_mutex;
};
