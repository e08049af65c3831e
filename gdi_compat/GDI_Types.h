// Windows drawing types as this layer offers them, and its two records: the device context
// (GDP_CTX, handle HDC) and the drawing object (GDP_OBJECT: pens, brushes, fonts, bitmaps).
#pragma once

#include <stdint.h>

#include <CoreGraphics/CoreGraphics.h>

// Colours are 0x00RRGGBB: red in bits 16..23, green in bits 8..15, blue in bits 0..7.
typedef uint32_t COLORREF;
typedef uint32_t DWORD;

struct RECT {
  int left, top, right, bottom;
};
struct POINT {
  int x, y;
};

// Font description for CreateFontIndirect, fields in CreateFont's argument order.
enum { LF_FACESIZE = 32 };
struct LOGFONT {
  int lfHeight, lfWidth, lfEscapement, lfOrientation, lfWeight;
  uint8_t lfItalic, lfUnderline, lfStrikeOut, lfCharSet;
  uint8_t lfOutPrecision, lfClipPrecision, lfQuality, lfPitchAndFamily;
  char lfFaceName[LF_FACESIZE];  // need not be zero-terminated when full
};

struct TEXTMETRIC {
  int tmHeight, tmAscent, tmDescent, tmInternalLeading, tmAveCharWidth;
};

typedef void* HWND;
typedef void* HINSTANCE;

// Object kinds.
enum {
  GDP_OBJECT_PEN = 1,
  GDP_OBJECT_BRUSH = 2,
  GDP_OBJECT_FONT = 3,
  GDP_OBJECT_BITMAP = 4,
};

struct GDP_OBJECT {
  int type;          // GDP_OBJECT_PEN .. GDP_OBJECT_BITMAP
  CGColorRef color;  // pen and brush colour, owned
  // A pen's width (never negative); 0 for a brush; -1 marks the stock null pen and null
  // brush; for a bitmap, 1 when the object owns its image.
  int wid;
  void* image;      // bitmap: the image
  void* fontstyle;  // font: the text style, owned
  float rotation;   // font: rotation in degrees
};

struct GDP_CTX {
  CGContextRef ctx;    // null for a context that failed to get one
  void* framebuffer;   // pixel memory of a memory context, else null
  GDP_OBJECT* curpen;  // selected objects, null when none
  GDP_OBJECT* curbrush;
  GDP_OBJECT* curfont;
  CGColorRef curtextcolor;   // text colour as a drawing colour, owned
  COLORREF cur_textcolor;    // the same as COLORREF
  COLORREF curbkcol;         // stored only
  int curbkmode;             // stored only
  int lastpos_x, lastpos_y;  // current position for MoveToEx and the line operations
};

typedef GDP_CTX* HDC;
typedef GDP_OBJECT* HGDIOBJ;
typedef GDP_OBJECT* HPEN;
typedef GDP_OBJECT* HBRUSH;
typedef GDP_OBJECT* HFONT;
typedef GDP_OBJECT* HICON;
typedef GDP_OBJECT* HBITMAP;

// A pen or brush draws when its width-or-flag is not negative.
inline bool GDI_IsDrawable(const GDP_OBJECT* obj) { return obj && obj->wid >= 0; }
