// Growable heap byte buffer: the storage under every list, array and string of the framework.
#pragma once

class Core_HeapBuf {
 public:
  // granul: growth granularity in bytes; with 4096 or more, allocations are sized to fit
  // whole pages together with a small allocator header (a first small buffer gets 4000 bytes).
  // mas: minimum allocation in bytes.
  explicit Core_HeapBuf(int granul = 4096, int mas = 0);
  Core_HeapBuf(const Core_HeapBuf& other);
  Core_HeapBuf& operator=(const Core_HeapBuf& other);
  ~Core_HeapBuf();

  // Resizes the bytes in use to n and returns the data pointer. Storage is reallocated only
  // when n exceeds the allocation, or when n is well below it (below the size, below half the
  // allocation and below the allocation minus four granules). When storage cannot be obtained
  // the buffer and its size stay as they were; compare GetSize() with n to detect it.
  void* Resize(int n);

  void* Get() const { return m_buf; }
  int GetSize() const { return m_size; }
  int GetAllocated() const { return m_alloc; }
  int GetGranul() const { return m_granul; }
  void SetGranul(int granul) { m_granul = granul > 0 ? granul : 1; }
  void SetMinAllocSize(int mas) { m_mas = mas > 0 ? mas : 0; }

  // The allocation the growth rule chooses for n bytes (before raising it to the minimum);
  // -1 when it does not fit an int.
  static long long AllocationFor(int n, int granul);

  // Members keep the names the rest of the framework and its tests refer to.
  void* m_buf;
  int m_granul;
  int m_alloc;
  int m_size;
  int m_mas;
};
