// Device contexts: memory contexts, contexts around a drawing port, clip and stored state.
#include "gdi_compat/GDI_Context.h"

#include <climits>
#include <cstdlib>

#include "gdi_compat/GDI_Objects.h"
#include "gdi_compat/GDI_Pools.h"

HDC GDI_CreateMemContext(HDC, int w, int h) {
  // The drawing context addresses rows with int arithmetic: at most INT_MAX bytes.
  if (w <= 0 || h <= 0 || w > INT_MAX / 4 || h > INT_MAX / (4 * w)) return nullptr;
  void* pixels = calloc(static_cast<size_t>(w) * static_cast<size_t>(h), 4);
  if (!pixels) return nullptr;
  // First byte of each pixel unused by the drawing (written as 255 where drawn), then red,
  // green, blue: the byte order the raster library reads as alpha, red, green, blue.
  CGContextRef gc = CGBitmapContextCreate(pixels, w, h, 8, 4 * static_cast<size_t>(w),
                                          GDI_GetColorSpace(), kCGImageAlphaNoneSkipFirst);
  if (!gc) {
    free(pixels);
    return nullptr;
  }
  // Top-left origin, y downward; row 0 of the memory is the top row.
  CGContextTranslateCTM(gc, 0, h);
  CGContextScaleCTM(gc, 1, -1);
  HDC ctx = GDI_AllocCtxRecord();
  if (!ctx) {
    CGContextRelease(gc);
    free(pixels);
    return nullptr;
  }
  ctx->ctx = gc;
  ctx->framebuffer = pixels;
  SetTextColor(ctx, 0);
  return ctx;
}

HDC GDI_CreateGfxContext(void* graphicsContext) {
  if (!graphicsContext) return nullptr;
  HDC ctx = GDI_AllocCtxRecord();
  if (!ctx) return nullptr;
  ctx->ctx = static_cast<CGContextRef>(graphicsContext);
  return ctx;
}

void GDI_DeleteGfxContext(HDC ctx) {
  if (!ctx) return;
  if (ctx->framebuffer) {
    CGContextRelease(ctx->ctx);
    free(ctx->framebuffer);
  }
  CGColorRelease(ctx->curtextcolor);
  GDI_FreeCtxRecord(ctx);
}

CGContextRef GDI_GetCtxGC(HDC ctx) { return ctx ? ctx->ctx : nullptr; }
void* GDI_GetCtxFrameBuffer(HDC ctx) { return ctx ? ctx->framebuffer : nullptr; }

// No window system stands behind this layer: there are no views to get a context from.
HDC GetDC(HWND) { return nullptr; }
HDC GetWindowDC(HWND hwnd) { return GetDC(hwnd); }
void ReleaseDC(HWND, HDC) {}

void GDI_PushClipRegion(HDC ctx) {
  if (ctx && ctx->ctx) CGContextSaveGState(ctx->ctx);
}

void GDI_PopClipRegion(HDC ctx) {
  if (ctx && ctx->ctx) CGContextRestoreGState(ctx->ctx);
}

void GDI_SetClipRegion(HDC ctx, const RECT* r) {
  if (!ctx || !ctx->ctx || !r) return;
  // An inverted rectangle is empty, as it is for the Windows API: nothing stays drawable.
  const int w = r->right > r->left ? r->right - r->left : 0;
  const int h = r->bottom > r->top ? r->bottom - r->top : 0;
  CGContextClipToRect(ctx->ctx, CGRectMake(r->left, r->top, w, h));
}

void SetTextColor(HDC ctx, COLORREF color) {
  if (!ctx) return;
  ctx->cur_textcolor = color;
  CGColorRelease(ctx->curtextcolor);
  ctx->curtextcolor = CreateColor(color, 1.0f);
}

void SetBkColor(HDC ctx, COLORREF color) {
  if (ctx) ctx->curbkcol = color;
}

void SetBkMode(HDC ctx, int mode) {
  if (ctx) ctx->curbkmode = mode;
}

void MoveToEx(HDC ctx, int x, int y, POINT* old) {
  if (!ctx) return;
  if (old) {
    old->x = ctx->lastpos_x;
    old->y = ctx->lastpos_y;
  }
  ctx->lastpos_x = x;
  ctx->lastpos_y = y;
}
