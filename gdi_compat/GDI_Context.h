// Device contexts: memory contexts over 32-bit pixels, contexts around a drawing port,
// clip state and the stored colours and position of a context.
#pragma once

#include "gdi_compat/GDI_Types.h"

// An offscreen context over w x h pixels (the reference context is ignored). The pixel
// memory is w * h * 4 zero-filled bytes, rows of 4 * w bytes, row 0 at the top; each pixel
// is 4 bytes in memory order: one byte drawing sets to 255 (the raster library reads it as
// alpha), then red, green, blue. Drawing coordinates have their origin at the top-left with
// y growing downward. Null when w or h is not positive or memory or the drawing context
// cannot be had (nothing stays allocated then).
HDC GDI_CreateMemContext(HDC ignored, int w, int h);
// A context record around a drawing port. This platform has no AppKit graphics context
// objects, so the argument is the port itself (a CGContextRef), which the record does not
// own. Null for null.
HDC GDI_CreateGfxContext(void* graphicsContext);
// For a memory context releases the drawing context and frees the pixel memory; releases
// the text colour and returns the record to the pool. Null does nothing.
void GDI_DeleteGfxContext(HDC ctx);
CGContextRef GDI_GetCtxGC(HDC ctx);
// The pixel memory of a memory context; null for other contexts and for null.
void* GDI_GetCtxFrameBuffer(HDC ctx);

// Window contexts. There is no window system behind this layer: these yield null, and
// ReleaseDC of a context not obtained from GetDC does nothing.
HDC GetDC(HWND hwnd);
HDC GetWindowDC(HWND hwnd);
void ReleaseDC(HWND hwnd, HDC ctx);

// Save / restore the drawing state (clip included); intersect the clip with a rectangle.
void GDI_PushClipRegion(HDC ctx);
void GDI_PopClipRegion(HDC ctx);
void GDI_SetClipRegion(HDC ctx, const RECT* r);

// Stored state of a context; null handles do nothing.
void SetTextColor(HDC ctx, COLORREF color);
void SetBkColor(HDC ctx, COLORREF color);
void SetBkMode(HDC ctx, int mode);
// Writes the current position to old when given, then sets it to (x, y).
void MoveToEx(HDC ctx, int x, int y, POINT* old);
