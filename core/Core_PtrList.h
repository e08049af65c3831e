// Growable list of pointers on a Core_HeapBuf. An index outside the list yields null.
// The list does not delete its elements by itself: an owner empties it with wantDelete, which
// deletes them from the last to the first.
#pragma once

#include <cstring>

#include "core/Core_HeapBuf.h"

template <class T>
class Core_PtrList {
 public:
  explicit Core_PtrList(int granul = 4096) : m_hb(granul) {}
  Core_PtrList(const Core_PtrList&) = delete;
  Core_PtrList& operator=(const Core_PtrList&) = delete;

  T** GetList() const { return static_cast<T**>(m_hb.Get()); }
  int GetSize() const { return m_hb.GetSize() / static_cast<int>(sizeof(T*)); }
  T* Get(int index) const { return (index >= 0 && index < GetSize()) ? GetList()[index] : nullptr; }

  // Appends one slot; returns the item, or null when the list could not grow.
  T* Add(T* item) {
    int n = GetSize();
    m_hb.Resize((n + 1) * static_cast<int>(sizeof(T*)));
    if (GetSize() != n + 1) return nullptr;
    GetList()[n] = item;
    return item;
  }

  // Inserts before index (clamped to 0..size); returns the item or null when it could not grow.
  T* Insert(int index, T* item) {
    int n = GetSize();
    if (index < 0) index = 0;
    if (index > n) index = n;
    m_hb.Resize((n + 1) * static_cast<int>(sizeof(T*)));
    if (GetSize() != n + 1) return nullptr;
    T** list = GetList();
    memmove(list + index + 1, list + index, sizeof(T*) * static_cast<size_t>(n - index));
    list[index] = item;
    return item;
  }

  void Set(int index, T* item) {
    if (index >= 0 && index < GetSize()) GetList()[index] = item;
  }

  int Find(const T* item) const {
    for (int i = 0; i < GetSize(); ++i)
      if (GetList()[i] == item) return i;
    return -1;
  }

  // Removes the slot at index, deleting its element when wantDelete is set.
  void Delete(int index, bool wantDelete = false) {
    int n = GetSize();
    if (index < 0 || index >= n) return;
    T** list = GetList();
    T* item = list[index];
    memmove(list + index, list + index + 1, sizeof(T*) * static_cast<size_t>(n - index - 1));
    m_hb.Resize((n - 1) * static_cast<int>(sizeof(T*)));
    if (wantDelete) delete item;
  }

  // Empties the list; with wantDelete its elements are deleted from the last to the first.
  void Empty(bool wantDelete = false) {
    if (wantDelete) {
      for (int i = GetSize() - 1; i >= 0; --i) {
        T* item = GetList()[i];
        m_hb.Resize(i * static_cast<int>(sizeof(T*)));
        delete item;
      }
    }
    m_hb.Resize(0);
  }

  Core_HeapBuf m_hb;
};

// Appends n newly created, zero-filled elements.
template <class T>
void PtrListInitialize(Core_PtrList<T>* list, int n) {
  for (int i = 0; i < n; ++i) {
    T* item = new T();
    if (!list->Add(item)) {
      delete item;
      return;
    }
  }
}
