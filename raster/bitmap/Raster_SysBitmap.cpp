#include "raster/bitmap/Raster_SysBitmap.h"

#include "gdi_compat/GDI_Context.h"

Raster_SysBitmap::Raster_SysBitmap(int w, int h)
    : m_w(0), m_h(0), m_pixels(nullptr), m_ctx(nullptr), m_spanw(0), m_spanh(0) {
  resize(w, h);
}

Raster_SysBitmap::~Raster_SysBitmap() { GDI_DeleteGfxContext(m_ctx); }

bool Raster_SysBitmap::resize(int w, int h) {
  if (w < 0) w = 0;
  if (h < 0) h = 0;
  if (w == m_w && h == m_h) return false;
  m_w = w;
  m_h = h;
  if (w && h && m_spanw >= w && m_spanh >= h && m_pixels) {
    // The context is large enough: keep it. A flipped bitmap keeps its visible rows at the
    // bottom of the frame buffer.
    if (isFlipped())
      m_pixels = (Raster_PixelValue*)GDI_GetCtxFrameBuffer(m_ctx) + (long)(m_spanh - h) * m_spanw;
    return true;
  }
  m_spanw = w;
  m_spanh = h;
  GDI_DeleteGfxContext(m_ctx);
  m_ctx = nullptr;
  m_pixels = nullptr;
  if (!w || !h) return false;
  m_ctx = GDI_CreateMemContext(nullptr, w, h);
  if (m_ctx) m_pixels = (Raster_PixelValue*)GDI_GetCtxFrameBuffer(m_ctx);
  if (!m_pixels) {
    GDI_DeleteGfxContext(m_ctx);
    m_ctx = nullptr;
    m_w = m_h = 0;
  }
  return true;
}
