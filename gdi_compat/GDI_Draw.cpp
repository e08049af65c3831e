// Drawing with the selected pen and brush through the context's drawing context.
#include "gdi_compat/GDI_Draw.h"

#include <cstdint>

#include "gdi_compat/GDI_Objects.h"

namespace {

// The drawing context of a usable device context, else null.
CGContextRef GC(HDC ctx) { return ctx ? ctx->ctx : nullptr; }

GDP_OBJECT* Pen(HDC ctx) { return GDI_IsDrawable(ctx->curpen) ? ctx->curpen : nullptr; }
GDP_OBJECT* Brush(HDC ctx) { return GDI_IsDrawable(ctx->curbrush) ? ctx->curbrush : nullptr; }

// Pen colour and width (0 draws 1 wide) into the stroke state.
void UsePen(CGContextRef gc, const GDP_OBJECT* pen) {
  if (pen->color) CGContextSetStrokeColorWithColor(gc, pen->color);
  CGContextSetLineWidth(gc, pen->wid > 0 ? pen->wid : 1);
}

void UseBrush(CGContextRef gc, const GDP_OBJECT* brush) {
  if (brush->color) CGContextSetFillColorWithColor(gc, brush->color);
}

CGRect RectOf(int l, int t, int r, int b) { return CGRectMake(l, t, r - l, b - t); }

}  // namespace

void GDI_LineTo(HDC ctx, int x, int y) {
  CGContextRef gc = GC(ctx);
  if (!gc) return;
  GDP_OBJECT* pen = Pen(ctx);
  if (!pen) return;
  UsePen(gc, pen);
  CGContextBeginPath(gc);
  CGContextMoveToPoint(gc, ctx->lastpos_x, ctx->lastpos_y);
  CGContextAddLineToPoint(gc, x, y);
  CGContextStrokePath(gc);
  ctx->lastpos_x = x;
  ctx->lastpos_y = y;
}

void PolyPolyline(HDC ctx, const POINT* pts, const DWORD* counts, int n) {
  CGContextRef gc = GC(ctx);
  if (!gc || !pts || !counts || n <= 0) return;
  GDP_OBJECT* pen = Pen(ctx);
  if (!pen) return;
  UsePen(gc, pen);
  CGContextBeginPath(gc);
  const POINT* p = pts;
  for (int i = 0; i < n; ++i) {
    const DWORD k = counts[i];
    if (k >= 2) {
      CGContextMoveToPoint(gc, p[0].x, p[0].y);
      for (DWORD j = 1; j < k; ++j) CGContextAddLineToPoint(gc, p[j].x, p[j].y);
    }
    p += k;
  }
  CGContextStrokePath(gc);
}

void PolyBezierTo(HDC ctx, const POINT* pts, int n) {
  CGContextRef gc = GC(ctx);
  if (!gc || !pts || n < 3) return;
  GDP_OBJECT* pen = Pen(ctx);
  if (!pen) return;
  UsePen(gc, pen);
  CGContextBeginPath(gc);
  CGContextMoveToPoint(gc, ctx->lastpos_x, ctx->lastpos_y);
  const int groups = n / 3;
  for (int i = 0; i < groups; ++i) {
    const POINT* q = pts + 3 * i;
    CGContextAddCurveToPoint(gc, q[0].x, q[0].y, q[1].x, q[1].y, q[2].x, q[2].y);
  }
  CGContextStrokePath(gc);
  ctx->lastpos_x = pts[3 * groups - 1].x;
  ctx->lastpos_y = pts[3 * groups - 1].y;
}

void GDI_Polygon(HDC ctx, const POINT* pts, int n) {
  CGContextRef gc = GC(ctx);
  if (!gc || !pts || n < 2) return;
  GDP_OBJECT* pen = Pen(ctx);
  GDP_OBJECT* brush = Brush(ctx);
  if (!pen && !brush) return;
  CGContextBeginPath(gc);
  CGContextMoveToPoint(gc, pts[0].x, pts[0].y);
  for (int i = 1; i < n; ++i) CGContextAddLineToPoint(gc, pts[i].x, pts[i].y);
  if (brush) UseBrush(gc, brush);
  if (pen) UsePen(gc, pen);
  CGContextDrawPath(gc, pen && brush ? kCGPathFillStroke : brush ? kCGPathFill : kCGPathStroke);
}

void Rectangle(HDC ctx, int l, int t, int r, int b) {
  CGContextRef gc = GC(ctx);
  if (!gc) return;
  const CGRect rect = RectOf(l, t, r, b);
  if (GDP_OBJECT* brush = Brush(ctx)) {
    UseBrush(gc, brush);
    CGContextFillRect(gc, rect);
  }
  if (GDP_OBJECT* pen = Pen(ctx)) {
    UsePen(gc, pen);
    CGContextStrokeRect(gc, rect);
  }
}

void Ellipse(HDC ctx, int l, int t, int r, int b) {
  CGContextRef gc = GC(ctx);
  if (!gc) return;
  const CGRect rect = RectOf(l, t, r, b);
  if (GDP_OBJECT* brush = Brush(ctx)) {
    UseBrush(gc, brush);
    CGContextFillEllipseInRect(gc, rect);
  }
  if (GDP_OBJECT* pen = Pen(ctx)) {
    // The outline keeps the context's current line width.
    if (pen->color) CGContextSetStrokeColorWithColor(gc, pen->color);
    CGContextStrokeEllipseInRect(gc, rect);
  }
}

void RoundRect(HDC ctx, int l, int t, int r, int b, int w, int h) {
  const int cw = w / 3, ch = h / 3;
  const POINT pts[10] = {{l, t + ch}, {l + cw, t}, {r - cw, t}, {r, t + ch}, {r, b - ch},
                         {r - cw, b}, {l + cw, b}, {l, b - ch}, {l, t + ch}, {l + cw, t}};
  GDI_Polygon(ctx, pts, 10);
}

void GDI_FillRect(HDC ctx, const RECT* r, HBRUSH brush) {
  CGContextRef gc = GC(ctx);
  // The selection codes 1..3 are not objects and must not be read.
  if (!gc || !r || reinterpret_cast<uintptr_t>(brush) <= GDI_NO_FONT) return;
  if (brush->type != GDP_OBJECT_BRUSH || !GDI_IsDrawable(brush)) return;
  UseBrush(gc, brush);
  CGContextFillRect(gc, RectOf(r->left, r->top, r->right, r->bottom));
}

void GDI_SetPixel(HDC ctx, int x, int y, COLORREF color) {
  CGContextRef gc = GC(ctx);
  if (!gc) return;
  CGColorRef c = CreateColor(color, 1.0f);
  if (!c) return;
  CGContextSetStrokeColorWithColor(gc, c);
  CGColorRelease(c);
  CGContextSetLineWidth(gc, 1.5);
  CGContextBeginPath(gc);
  CGContextMoveToPoint(gc, x, y);
  CGContextAddLineToPoint(gc, x + 0.5, y + 0.5);
  CGContextStrokePath(gc);
}

void GDI_FillDialogBackground(HDC ctx, const RECT* r, int) {
  CGContextRef gc = GC(ctx);
  if (!gc || !r) return;
  // The light grey of the platform's dialog and window backgrounds.
  CGColorRef c = CreateColor(0xECECEC, 1.0f);
  if (!c) return;
  CGContextSetFillColorWithColor(gc, c);
  CGColorRelease(c);
  CGContextFillRect(gc, RectOf(r->left, r->top, r->right, r->bottom));
}
