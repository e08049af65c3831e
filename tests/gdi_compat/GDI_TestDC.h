// A memory device context for pixel checks, deleted at scope end.
#pragma once

#include <algorithm>
#include <cstdint>

#include "gdi_compat/GDI.h"

struct GDI_TestDC {
  GDI_TestDC(int w, int h) : w(w), h(h), dc(GDI_CreateMemContext(nullptr, w, h)) {}
  ~GDI_TestDC() { GDI_DeleteGfxContext(dc); }
  GDI_TestDC(const GDI_TestDC&) = delete;
  GDI_TestDC& operator=(const GDI_TestDC&) = delete;

  const uint8_t* bytes() const { return static_cast<const uint8_t*>(GDI_GetCtxFrameBuffer(dc)); }
  // The pixel as 0x00RRGGBB, ignoring the first byte.
  COLORREF rgb(int x, int y) const {
    const uint8_t* p = bytes() + (y * w + x) * 4;
    return static_cast<COLORREF>(p[1] << 16 | p[2] << 8 | p[3]);
  }
  int green(int x, int y) const { return bytes()[(y * w + x) * 4 + 2]; }
  bool untouched(int x, int y) const {
    const uint8_t* p = bytes() + (y * w + x) * 4;
    return (p[0] | p[1] | p[2] | p[3]) == 0;
  }

  // The bounding box [l, r) x [t, b) of every touched pixel; empty when l == r.
  struct Box {
    int l, t, r, b;
    bool empty() const { return l >= r; }
  };
  Box ink() const {
    Box box = {w, h, 0, 0};
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (!untouched(x, y))
          box = {std::min(box.l, x), std::min(box.t, y), std::max(box.r, x + 1),
                 std::max(box.b, y + 1)};
    return box.empty() ? Box{0, 0, 0, 0} : box;
  }

  int w, h;
  HDC dc;
};
