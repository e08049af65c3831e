#include "core/Core_HeapBuf.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace {
// Granularities of a page or more allocate whole pages.
constexpr long long kPageBytes = 4096;
// Room left in the last page for the allocator's own header, so block and header share the
// pages: a first small buffer gets 4096 - 96 = 4000 bytes.
constexpr long long kAllocatorHeaderBytes = 96;
// A page-granular buffer gets headroom of about half its size, but never more than 4 MiB:
// larger buffers grow in steps of 4 MiB (the term 4 MiB + 96 = 4194400).
constexpr long long kMaxHeadroomBytes = 4 * 1024 * 1024;
}  // namespace

Core_HeapBuf::Core_HeapBuf(int granul, int mas)
    : m_buf(nullptr),
      m_granul(granul > 0 ? granul : 1),
      m_alloc(0),
      m_size(0),
      m_mas(mas > 0 ? mas : 0) {}

Core_HeapBuf::Core_HeapBuf(const Core_HeapBuf& other)
    : m_buf(nullptr), m_granul(other.m_granul), m_alloc(0), m_size(0), m_mas(other.m_mas) {
  if (other.m_size > 0 && Resize(other.m_size) && m_size == other.m_size)
    memcpy(m_buf, other.m_buf, static_cast<size_t>(m_size));
}

Core_HeapBuf& Core_HeapBuf::operator=(const Core_HeapBuf& other) {
  if (this == &other) return *this;
  Resize(other.m_size);
  if (m_size == other.m_size && m_size > 0) memcpy(m_buf, other.m_buf, static_cast<size_t>(m_size));
  return *this;
}

Core_HeapBuf::~Core_HeapBuf() { free(m_buf); }

long long Core_HeapBuf::AllocationFor(int n, int granul) {
  long long nn = n;
  long long base = std::max(nn / 2, static_cast<long long>(granul));
  long long alloc;
  if (granul < kPageBytes) {
    alloc = base + nn;
  } else {
    base &= ~(kPageBytes - 1);
    long long t = std::min(base, kMaxHeadroomBytes) + kAllocatorHeaderBytes;
    alloc = ((t + nn) & ~(kPageBytes - 1)) - kAllocatorHeaderBytes;
  }
  return alloc > INT_MAX ? -1 : alloc;
}

void* Core_HeapBuf::Resize(int n) {
  if (n < 0) n = 0;
  if (n == m_size) return m_buf;

  bool grow = n > m_alloc;
  bool shrink = n < m_size && n < m_alloc / 2 &&
                static_cast<long long>(n) < static_cast<long long>(m_alloc) - 4LL * m_granul;
  if (grow || shrink) {
    long long want = AllocationFor(n, m_granul);
    if (want < 0) return m_buf;  // beyond what an int can address: leave the buffer as it is
    want = std::max(want, static_cast<long long>(m_mas));
    void* nb = realloc(m_buf, static_cast<size_t>(want));
    if (!nb) {
      // The block could not be moved or resized in place: try a fresh one and copy.
      nb = malloc(static_cast<size_t>(want));
      if (!nb) return m_buf;
      if (m_buf) memcpy(nb, m_buf, static_cast<size_t>(std::min(n, m_size)));
      free(m_buf);
    }
    m_buf = nb;
    m_alloc = static_cast<int>(want);
  }
  m_size = n;
  return m_buf;
}
