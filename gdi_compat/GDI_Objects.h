// Drawing objects: colours, pens, brushes, stock objects, selection and deletion.
#pragma once

#include "gdi_compat/GDI_Types.h"

// Stock object indices and the selection codes that stand for "no pen/brush/font".
enum {
  GDI_NULL_PEN = 1,
  GDI_NULL_BRUSH = 2,
  GDI_NO_FONT = 3,
};

// The process-wide device RGB colour space, created on first use.
CGColorSpaceRef GDI_GetColorSpace();
// A drawing colour (owned by the caller) from 0x00RRGGBB and an alpha in 0..1.
CGColorRef CreateColor(COLORREF color, float alpha);

// Pens of width max(width, 0); the style is ignored. Null when no record can be had.
HPEN CreatePen(int style, int width, COLORREF color);
HPEN CreatePenAlpha(int style, int width, COLORREF color, float alpha);
HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH CreateSolidBrushAlpha(COLORREF color, float alpha);

// 1: the null pen, 2: the null brush (static records that draw nothing and are never freed);
// any other index: null.
HGDIOBJ GetStockObject(int index);

// Puts obj into the slot of its kind and returns the previous occupant, or the kind's code
// (1 pen, 2 brush, 3 font) when the slot was empty; passing a code clears that slot. The
// returned value given back restores the previous state. Null context or object, or an
// object of another kind: 0.
HGDIOBJ SelectObject(HDC ctx, HGDIOBJ obj);

// Releases the object's resources and returns its record to the pool. Null and the stock
// pen and brush do nothing. Deleting an object still selected in a context is the caller's
// error.
void DeleteObject(HGDIOBJ obj);

COLORREF GetSysColor(int index);

// True for a handle that points at an object record: not null and not one of the selection
// codes 1..3.
bool GDI_IsObject(HGDIOBJ obj);

// Releases what an object record refers to (colour, font style, owned image) without
// freeing the record.
void GDI_ReleaseObjectResources(GDP_OBJECT* obj);
