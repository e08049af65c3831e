// Colours, pens, brushes, stock objects, selection and deletion.
#include "gdi_compat/GDI_Objects.h"

#include <AppKit/AppKit.h>
#include <ApplicationServices/ApplicationServices.h>

#include <cstdint>
#include <cstdlib>

#include "gdi_compat/GDI_Pools.h"

CGColorSpaceRef GDI_GetColorSpace() {
  // One device RGB space for every colour, kept for the life of the process.
  static CGColorSpaceRef space = CGColorSpaceCreateDeviceRGB();
  return space;
}

CGColorRef CreateColor(COLORREF color, float alpha) {
  const CGFloat comps[4] = {((color >> 16) & 0xFF) / 255.0, ((color >> 8) & 0xFF) / 255.0,
                            (color & 0xFF) / 255.0, alpha};
  return CGColorCreate(GDI_GetColorSpace(), comps);
}

static GDP_OBJECT* NewColouredObject(int type, int wid, COLORREF color, float alpha) {
  GDP_OBJECT* obj = GDI_AllocObjectRecord();
  if (!obj) return nullptr;
  obj->type = type;
  obj->wid = wid;
  obj->color = CreateColor(color, alpha);
  return obj;
}

HPEN CreatePenAlpha(int, int width, COLORREF color, float alpha) {
  return NewColouredObject(GDP_OBJECT_PEN, width > 0 ? width : 0, color, alpha);
}
HPEN CreatePen(int style, int width, COLORREF color) {
  return CreatePenAlpha(style, width, color, 1.0f);
}
HBRUSH CreateSolidBrushAlpha(COLORREF color, float alpha) {
  return NewColouredObject(GDP_OBJECT_BRUSH, 0, color, alpha);
}
HBRUSH CreateSolidBrush(COLORREF color) { return CreateSolidBrushAlpha(color, 1.0f); }

HGDIOBJ GetStockObject(int index) {
  static GDP_OBJECT nullPen, nullBrush;
  // Re-initialised on every call, so a caller that changed the record cannot break it.
  if (index == GDI_NULL_PEN) {
    nullPen = GDP_OBJECT{};
    nullPen.type = GDP_OBJECT_PEN;
    nullPen.wid = -1;
    return &nullPen;
  }
  if (index == GDI_NULL_BRUSH) {
    nullBrush = GDP_OBJECT{};
    nullBrush.type = GDP_OBJECT_BRUSH;
    nullBrush.wid = -1;
    return &nullBrush;
  }
  return nullptr;
}

static HGDIOBJ Code(int kind) { return reinterpret_cast<HGDIOBJ>(static_cast<intptr_t>(kind)); }

static GDP_OBJECT** SlotFor(HDC ctx, int kind) {
  switch (kind) {
    case GDP_OBJECT_PEN:
      return &ctx->curpen;
    case GDP_OBJECT_BRUSH:
      return &ctx->curbrush;
    case GDP_OBJECT_FONT:
      return &ctx->curfont;
    default:
      return nullptr;
  }
}

HGDIOBJ SelectObject(HDC ctx, HGDIOBJ obj) {
  if (!ctx || !obj) return nullptr;
  const intptr_t code = reinterpret_cast<intptr_t>(obj);
  if (code >= GDI_NULL_PEN && code <= GDI_NO_FONT) {
    // "No pen/brush/font": clear the slot.
    GDP_OBJECT** slot = SlotFor(ctx, static_cast<int>(code));
    GDP_OBJECT* prev = *slot;
    *slot = nullptr;
    return prev ? prev : obj;
  }
  GDP_OBJECT** slot = SlotFor(ctx, obj->type);
  if (!slot) return nullptr;
  HGDIOBJ cur = *slot ? *slot : Code(obj->type);
  if (cur != obj) *slot = obj;
  return cur;
}

bool GDI_IsObject(HGDIOBJ obj) { return reinterpret_cast<uintptr_t>(obj) > GDI_NO_FONT; }

void GDI_ReleaseObjectResources(GDP_OBJECT* obj) {
  if (!obj) return;
  CGColorRelease(obj->color);
  obj->color = nullptr;
  if (obj->type == GDP_OBJECT_FONT && obj->fontstyle)
    ATSUDisposeStyle(static_cast<ATSUStyle>(obj->fontstyle));
  obj->fontstyle = nullptr;
  // A bitmap owns its image when its flag says so; images found by name belong to others.
  if (obj->type == GDP_OBJECT_BITMAP && obj->image && obj->wid == 1)
    static_cast<NSImage*>(obj->image)->release();
  obj->image = nullptr;
}

void DeleteObject(HGDIOBJ obj) {
  if (!GDI_IsObject(obj)) return;
  const bool penOrBrush = obj->type == GDP_OBJECT_PEN || obj->type == GDP_OBJECT_BRUSH;
  if (penOrBrush && obj->wid == -1) return;  // stock objects live for the process
  if (obj->type >= GDP_OBJECT_PEN && obj->type <= GDP_OBJECT_BITMAP) {
    GDI_ReleaseObjectResources(obj);
    GDI_FreeObjectRecord(obj);
  } else {
    free(obj);
  }
}

COLORREF GetSysColor(int index) {
  switch (index) {
    case 0:
      return 0x606060;
    case 1:
      return 0xE0E0E0;
    case 2:
    case 4:
    case 7:
      return 0xC0C0C0;
    case 5:
      return 0x202020;
    case 6:
      return 0x303030;
    case 8:
      return 0xFFF0C8;
    default:
      return 0;
  }
}
