// Fonts, text metrics and one-line text drawing, on the platform's styled-text interface.
#pragma once

#include "gdi_compat/GDI_Types.h"

// GDI_DrawText flags.
enum {
  DT_CALCRECT = 0x1,      // measure only: write the text's size into the rectangle
  DT_VCENTER = 0x2,       // centre vertically
  DT_CENTER = 0x4,        // centre horizontally
  DT_END_ELLIPSIS = 0x8,  // cut the end with an ellipsis to the rectangle's width
  DT_BOTTOM = 0x10,       // align to the bottom
  DT_RIGHT = 0x20,        // align to the right
  DT_SINGLELINE = 0x40,   // newlines become spaces
  DT_NOPREFIX = 0x80,     // keep '&' characters (otherwise they are dropped)
  DT_NOCLIP = 0x100,      // do not clip to the rectangle
};

// A font of |height| pixels (|width| when height is 0; a size below 2 or above 8192 gives
// 10), bold when weight > 699, italic and underlined when asked, turned counterclockwise by
// orientation / 10 degrees. The face is the installed one with faceName as its full or
// family name (a metric-compatible face for common names: "Arial" gives Liberation Sans),
// else the system's default. The escapement, strikeout, character set, precisions, quality
// and pitch are ignored. Null when no record can be had.
HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                 DWORD underline, DWORD strikeout, DWORD charset, DWORD outPrecision,
                 DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, const char* faceName);
// CreateFont with the record's fields; null for a null record.
HFONT CreateFontIndirect(const LOGFONT* lf);
// The font GDI_DrawText uses on a context without one: 10-pixel regular "Arial", made on
// first use and kept for the process.
HFONT GDI_DefaultFont();

// Fills tm (when given) with the defaults 16, 12, 4, 3, 12 (height, ascent, descent,
// internal leading, average width), then, for a context with a font, with the font's:
// ascent and descent rounded up, leading truncated, height the sum rounded up, average
// width three quarters of the height. Returns 1 when the font's were written, else 0.
int GetTextMetrics(HDC ctx, TEXTMETRIC* tm);

// Lays the text out as one line in the context's font (else GDI_DefaultFont()) and text
// colour, and draws it into rect aligned by the flags (above), clipped to rect unless
// DT_NOCLIP. The text is at most len bytes of UTF-8 (up to a zero; all of it for len < 0),
// at most 4095 characters; '\r' is dropped, '&' dropped unless DT_NOPREFIX, '\n' becomes a
// space with DT_SINGLELINE. Text turned by 45 degrees or more starts at left + ascent.
// Returns the text's height (ascent + descent, whole pixels); 0 for a null context or
// rect. With DT_CALCRECT, rect's right and bottom become left + width and top + height
// and nothing is drawn; a context without a drawing context measures but never draws.
int GDI_DrawText(HDC ctx, const char* text, int len, RECT* rect, int flags);
