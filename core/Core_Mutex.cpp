#include "core/Core_Mutex.h"

Core_Mutex::Core_Mutex() : m_lockcnt(0), m_ownerthread(0) { pthread_mutex_init(&m_mutex, nullptr); }

Core_Mutex::~Core_Mutex() { pthread_mutex_destroy(&m_mutex); }

void Core_Mutex::Enter() {
  pthread_t self = pthread_self();
  if (pthread_equal(m_ownerthread.load(std::memory_order_relaxed), self)) {
    ++m_lockcnt;
    return;
  }
  pthread_mutex_lock(&m_mutex);
  m_ownerthread.store(self, std::memory_order_relaxed);
  m_lockcnt = 0;
}

bool Core_Mutex::TryEnter() {
  pthread_t self = pthread_self();
  if (pthread_equal(m_ownerthread.load(std::memory_order_relaxed), self)) {
    ++m_lockcnt;
    return true;
  }
  if (pthread_mutex_trylock(&m_mutex) != 0) return false;
  m_ownerthread.store(self, std::memory_order_relaxed);
  m_lockcnt = 0;
  return true;
}

void Core_Mutex::Leave() {
  if (--m_lockcnt < 0) {
    m_ownerthread.store(0, std::memory_order_relaxed);
    pthread_mutex_unlock(&m_mutex);
  }
}
