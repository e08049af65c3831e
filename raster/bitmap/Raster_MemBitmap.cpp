#include "raster/bitmap/Raster_MemBitmap.h"

#include <climits>
#include <cstdlib>

namespace {
// Bytes for w x h pixels, or -1 when the product does not fit the int the capacity is kept in.
long long bytesFor(int w, int h) {
  if (w <= 0 || h <= 0) return 0;
  long long size = (long long)w * (long long)h * 4;
  return size > INT_MAX ? -1 : size;
}
}  // namespace

Raster_MemBitmap::Raster_MemBitmap(int w, int h)
    : m_pixels(nullptr), m_w(w < 0 ? 0 : w), m_h(h < 0 ? 0 : h), m_capacity(0) {
  long long size = bytesFor(m_w, m_h);
  if (size > 0) {
    m_pixels = (Raster_PixelValue*)malloc((size_t)size);
    if (m_pixels) m_capacity = (int)size;
  }
  if (!m_pixels && size != 0) m_w = m_h = 0;
}

Raster_MemBitmap::~Raster_MemBitmap() { free(m_pixels); }

bool Raster_MemBitmap::resize(int w, int h) {
  if (w < 0) w = 0;
  if (h < 0) h = 0;
  if (w == m_w && h == m_h) return false;
  m_w = w;
  m_h = h;
  long long size = bytesFor(w, h);
  if (size == 0) {
    free(m_pixels);
    m_pixels = nullptr;
    m_capacity = 0;
    return true;
  }
  if (size < 0) {
    // Larger than can ever be addressed: behave as a failed allocation.
    free(m_pixels);
    m_pixels = nullptr;
    m_capacity = 0;
  } else if (m_pixels && m_capacity >= size) {
    return true;  // shrinking or same area: keep the buffer and its contents in place
  } else if (m_pixels) {
    long long grown = (size / 4) * 5;
    if (grown > INT_MAX) grown = size;
    void* p = realloc(m_pixels, (size_t)grown);
    if (p) {
      m_pixels = (Raster_PixelValue*)p;
      m_capacity = (int)grown;
    } else {
      free(m_pixels);
      m_pixels = (Raster_PixelValue*)malloc((size_t)size);
      m_capacity = m_pixels ? (int)size : 0;
    }
  } else {
    m_pixels = (Raster_PixelValue*)malloc((size_t)size);
    m_capacity = m_pixels ? (int)size : 0;
  }
  if (!m_pixels) m_w = m_h = 0;
  return true;
}
