// Drawing with the selected pen and brush. Every operation does nothing on a null context
// or one without a drawing context; the stock null pen and null brush draw nothing.
#pragma once

#include "gdi_compat/GDI_Types.h"

// A line from the current position to (x, y) with the pen (width 0 draws width 1); the
// position moves to (x, y). Without a pen nothing happens and the position stays.
void GDI_LineTo(HDC ctx, int x, int y);
// n polylines: counts[i] points each (0 and 1 draw nothing), stroked together.
void PolyPolyline(HDC ctx, const POINT* pts, const DWORD* counts, int n);
// Cubic curves from the current position, three points (two controls, end) per curve; the
// position moves to the last end point. Needs n >= 3.
void PolyBezierTo(HDC ctx, const POINT* pts, int n);
// A path through the n >= 2 points, filled with the brush and stroked with the pen; not
// closed explicitly.
void GDI_Polygon(HDC ctx, const POINT* pts, int n);
void Rectangle(HDC ctx, int l, int t, int r, int b);
// Fills the inscribed ellipse with the brush, strokes it with the pen's colour at the
// context's current line width.
void Ellipse(HDC ctx, int l, int t, int r, int b);
// An octagon with corners cut by w / 3 and h / 3, drawn as GDI_Polygon.
void RoundRect(HDC ctx, int l, int t, int r, int b, int w, int h);
// Fills with the given brush when it is a drawable brush.
void GDI_FillRect(HDC ctx, const RECT* r, HBRUSH brush);
// Marks one pixel: a line from (x, y) to (x + 0.5, y + 0.5), width 1.5, in the colour.
void GDI_SetPixel(HDC ctx, int x, int y, COLORREF color);
// Fills the rectangle with the dialog background colour.
void GDI_FillDialogBackground(HDC ctx, const RECT* r, int ignored);
