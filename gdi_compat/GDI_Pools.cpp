// Record pools for contexts and objects, shared by all threads under one recursive mutex.
#include "gdi_compat/GDI_Pools.h"

#include <cstdlib>
#include <cstring>

#include "core/Core_Mutex.h"
#include "core/Core_PtrList.h"

namespace {

// A pool never holds more than this many spare records.
const int kMaxPooled = 1024;

struct GDI_RecordPools {
  Core_PtrList<GDP_CTX> m_ctxpool{4096};
  Core_PtrList<GDP_OBJECT> m_objpool{4096};
  Core_Mutex m_ctxpool_mutex;
};

GDI_RecordPools& Pools() {
  // Created on first use and kept for the process: records may be freed during exit.
  static GDI_RecordPools* pools = new GDI_RecordPools();
  return *pools;
}

template <class T>
T* Take(Core_PtrList<T>& pool) {
  Core_MutexLock lock(&Pools().m_ctxpool_mutex);
  const int n = pool.GetSize();
  if (n > 0) {
    T* rec = pool.Get(n - 1);
    pool.m_hb.Resize((n - 1) * static_cast<int>(sizeof(T*)));
    memset(rec, 0, sizeof(T));
    return rec;
  }
  return static_cast<T*>(calloc(1, sizeof(T)));
}

template <class T>
void Give(Core_PtrList<T>& pool, T* rec) {
  if (!rec) return;
  Core_MutexLock lock(&Pools().m_ctxpool_mutex);
  // Keep it while the pool has room (and the list could grow); otherwise free it.
  if (pool.GetSize() < kMaxPooled && pool.Add(rec)) return;
  free(rec);
}

}  // namespace

GDP_CTX* GDI_AllocCtxRecord() { return Take(Pools().m_ctxpool); }
GDP_OBJECT* GDI_AllocObjectRecord() { return Take(Pools().m_objpool); }
void GDI_FreeCtxRecord(GDP_CTX* rec) { Give(Pools().m_ctxpool, rec); }
void GDI_FreeObjectRecord(GDP_OBJECT* rec) { Give(Pools().m_objpool, rec); }

int GDI_CtxPoolSize() {
  Core_MutexLock lock(&Pools().m_ctxpool_mutex);
  return Pools().m_ctxpool.GetSize();
}

int GDI_ObjectPoolSize() {
  Core_MutexLock lock(&Pools().m_ctxpool_mutex);
  return Pools().m_objpool.GetSize();
}
