// Growable array of one element type on a Core_HeapBuf; sizes count elements.
#pragma once

#include <climits>
#include <cstring>

#include "core/Core_HeapBuf.h"

template <class T>
class Core_TypedBuf {
 public:
  explicit Core_TypedBuf(int granul = 4096) : m_hb(granul) {}

  // The first element, or null when the array is empty.
  T* Get() const { return m_hb.GetSize() > 0 ? static_cast<T*>(m_hb.Get()) : nullptr; }
  int GetSize() const { return m_hb.GetSize() / static_cast<int>(sizeof(T)); }

  // Resizes to n elements and returns the data (null when empty). When storage cannot be
  // obtained the size stays as it was; GetSize() tells.
  T* Resize(int n) {
    if (n < 0) n = 0;
    if (static_cast<long long>(n) * sizeof(T) > INT_MAX) return Get();
    m_hb.Resize(n * static_cast<int>(sizeof(T)));
    return Get();
  }

  // Appends count elements (copied from data when it is not null, else left uninitialised)
  // and returns a pointer to the first of them, or null when the array could not grow.
  T* Add(const T* data, int count = 1) {
    int old = GetSize();
    if (count <= 0 || count > INT_MAX / static_cast<int>(sizeof(T)) - old) return nullptr;
    Resize(old + count);
    if (GetSize() != old + count) return nullptr;
    T* dst = Get() + old;
    if (data) memcpy(static_cast<void*>(dst), data, sizeof(T) * static_cast<size_t>(count));
    return dst;
  }
  T* Add(const T& value) { return Add(&value, 1); }

  Core_HeapBuf m_hb;
};
