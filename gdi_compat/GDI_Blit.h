// Copies from memory contexts and raw pixel memory into a context. The raster operation is
// ignored. Nothing is drawn without a destination drawing context or with a size that is
// not positive.
#pragma once

#include "gdi_compat/GDI_Types.h"

// Copies the source rectangle (sx, sy, w, h) of a memory context to (x, y) unscaled. The
// rectangle is cut to the source: what lies outside it draws nothing, and the rest keeps
// its place (source point (sx, sy) always lands on (x, y)).
void BitBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, DWORD rop);
// Copies the source rectangle (sx, sy, sw, sh) scaled (smoothly) onto (x, y, w, h); parts
// outside the source draw nothing, the rest lands where the whole mapping puts it.
void StretchBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh,
                DWORD rop);
// BitBlt when useAlpha is false and opacity is at least 0.9999; otherwise
// BitBltAlphaFromMem with the source's pixel memory.
void BitBltAlpha(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, DWORD rop,
                 bool useAlpha, float opacity);
// Composites pw x ph raw pixels (4 bytes each: alpha, red, green, blue; straight colour)
// from (sx, sy) onto (x, y, w, h) at the given opacity, using the pixels' alpha when
// useAlpha. A negative pw means rows stored bottom-up, |pw| pixels apart. A negative sx or
// sy moves the drawing right or down by as much. Nothing for opacity below 0.0001 (or not a
// number), null pixels, or pw or ph of 0.
void BitBltAlphaFromMem(HDC dst, int x, int y, int w, int h, const void* pixels, int pw, int ph,
                        int sx, int sy, DWORD rop, bool useAlpha, float opacity);
