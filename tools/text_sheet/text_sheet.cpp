// text-sheet [OUT.png]: draws the GDI layer's text on one sheet so a person can judge it at a
// glance: faces (and what their names resolve to), sizes, weights, slants, underline, every
// alignment flag in outlined rectangles, clipping, truncation, '&' and newline handling,
// measuring, colours and rotated text. Writes text-sheet.png by default.
#include "GalleryPng.h"

#include "gdi_compat/GDI.h"
#include "raster/bitmap/Raster_SysBitmap.h"

#include <cstdio>
#include <string>

namespace {

const int kW = 1100, kH = 1000;
const COLORREF kInk = 0x202020, kBox = 0x4080C0, kGuide = 0xC0C0C0, kTitle = 0x803000;

struct Sheet {
  HDC dc;
  HPEN boxPen = CreatePen(0, 1, kBox);
  HPEN guidePen = CreatePen(0, 1, kGuide);

  ~Sheet() {
    DeleteObject(boxPen);
    DeleteObject(guidePen);
  }

  void Text(int x, int y, int w, int h, const char* s, int flags, HFONT f, COLORREF c = kInk) {
    RECT r = {x, y, x + w, y + h};
    HGDIOBJ old = SelectObject(dc, f);
    SetTextColor(dc, c);
    GDI_DrawText(dc, s, -1, &r, flags);
    SelectObject(dc, old);
  }
  // An outlined box (its outline just outside the rectangle) with text drawn into it.
  void Boxed(int x, int y, int w, int h, const char* s, int flags, HFONT f) {
    Outline(x, y, w, h, boxPen);
    Text(x, y, w, h, s, flags, f);
  }
  void Outline(int x, int y, int w, int h, HPEN pen) {
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(GDI_NULL_BRUSH));
    // Pixel centres half a pixel outside, so the outline frames the rectangle's pixels.
    POINT p[5] = {{x - 1, y - 1}, {x + w, y - 1}, {x + w, y + h}, {x - 1, y + h}, {x - 1, y - 1}};
    DWORD n = 5;
    CGContextRef gc = GDI_GetCtxGC(dc);
    CGContextSaveGState(gc);
    CGContextTranslateCTM(gc, 0.5, 0.5);
    PolyPolyline(dc, p, &n, 1);
    CGContextRestoreGState(gc);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
  }
  void Title(int x, int y, const char* s, HFONT f) {
    Text(x, y, 600, 20, s, DT_NOCLIP | DT_NOPREFIX, f, kTitle);
  }
};

HFONT Font(int size, const char* face, int weight = 400, bool italic = false,
           bool underline = false, int orientation = 0) {
  return CreateFont(-size, 0, 0, orientation, weight, italic, underline, 0, 0, 0, 0, 0, 0, face);
}

}  // namespace

int main(int argc, char** argv) {
  const char* out = argc > 1 ? argv[1] : "text-sheet.png";
  Raster_SysBitmap bmp(kW, kH);
  HDC dc = static_cast<HDC>(bmp.getDC());
  if (!dc) {
    fprintf(stderr, "text-sheet: no drawing surface\n");
    return 1;
  }
  HBRUSH paper = CreateSolidBrush(0xFFFFFF);
  RECT all = {0, 0, kW, kH};
  GDI_FillRect(dc, &all, paper);
  DeleteObject(paper);

  Sheet s{dc};
  HFONT title = Font(14, "Arial", 700);
  HFONT body = Font(14, "Arial");
  HFONT small = Font(11, "Arial");

  // Faces: each name as asked for, drawn in the face it resolves to.
  s.Title(10, 8, "Faces (name asked for -> drawn with)", title);
  const char* faces[] = {
      "Arial",       "Helvetica",   "Times New Roman", "Courier New", "Liberation Serif Bold",
      "DejaVu Sans", "No Such Font"};
  for (int i = 0; i < 7; ++i) {
    HFONT f = Font(16, faces[i]);
    std::string line =
        std::string(faces[i]) + ": The quick brown fox jumps, 0123456789 fi fl AV To";
    s.Text(10, 30 + i * 22, 560, 22, line.c_str(), 0, f);
    DeleteObject(f);
  }

  // Sizes.
  s.Title(590, 8, "Sizes (pixels)", title);
  const int sizes[] = {8, 9, 10, 11, 12, 14, 18, 24, 36, 48};
  int y = 30;
  for (int size : sizes) {
    HFONT f = Font(size, "Arial");
    std::string line = std::to_string(size) + " px Tessor EQ 2.0";
    s.Text(590, y, 500, size + 6, line.c_str(), 0, f);
    y += size * 5 / 4 + 2;
    DeleteObject(f);
  }

  // Weights, slants, underline.
  s.Title(10, 190, "Weights, slants, underline", title);
  struct Style {
    const char* label;
    int weight;
    bool italic, underline;
    const char* face;
  };
  const Style styles[] = {
      {"Regular 400", 400, false, false, "Arial"},
      {"Weight 699 (regular)", 699, false, false, "Arial"},
      {"Bold 700", 700, false, false, "Arial"},
      {"Italic", 400, true, false, "Arial"},
      {"Bold italic", 700, true, false, "Arial"},
      {"Underlined", 400, false, true, "Arial"},
      {"Bold underline 24", 700, false, true, "Arial"},
      {"Serif bold italic", 700, true, false, "Times New Roman"},
      {"Mono bold", 700, false, false, "Courier New"},
      {"Mono italic", 400, true, false, "DejaVu Sans Mono"},
      {"Made bold italic", 700, true, false, "DejaVu Math TeX Gyre"},
      {"Made bold", 700, false, false, "DejaVu Math TeX Gyre"},
  };
  for (int i = 0; i < 12; ++i) {
    const Style& st = styles[i];
    HFONT f = Font(i == 6 ? 22 : 16, st.face, st.weight, st.italic, st.underline);
    s.Text(10 + (i % 3) * 195, 212 + (i / 3) * 36, 190, 36, st.label, 0, f);
    DeleteObject(f);
  }

  // Alignment flags: each box shows where its flags put the text.
  s.Title(10, 370, "Alignment flags (outlined rectangles 160 x 44)", title);
  struct Align {
    const char* label;
    int flags;
  };
  const Align aligns[] = {
      {"0 (left, top)", 0},
      {"DT_CENTER", DT_CENTER},
      {"DT_RIGHT", DT_RIGHT},
      {"DT_VCENTER", DT_VCENTER},
      {"DT_CENTER|DT_VCENTER", DT_CENTER | DT_VCENTER},
      {"DT_RIGHT|DT_VCENTER", DT_RIGHT | DT_VCENTER},
      {"DT_BOTTOM", DT_BOTTOM},
      {"DT_CENTER|DT_BOTTOM", DT_CENTER | DT_BOTTOM},
      {"DT_RIGHT|DT_BOTTOM", DT_RIGHT | DT_BOTTOM},
      {"BOTTOM beats VCENTER", DT_BOTTOM | DT_VCENTER},
      {"RIGHT beats CENTER", DT_RIGHT | DT_CENTER},
      {"DT_SINGLELINE", DT_SINGLELINE},
  };
  for (int i = 0; i < 12; ++i)
    s.Boxed(12 + (i % 6) * 180, 394 + (i / 6) * 60, 160, 44, aligns[i].label, aligns[i].flags,
            small);

  // Clipping, truncation, prefixes and newlines, measuring.
  s.Title(10, 520, "Clipping, truncation, '&', newlines, measuring", title);
  HFONT big = Font(28, "Arial", 700);
  s.Boxed(12, 546, 150, 24, "Clipped to the box", 0, big);
  s.Boxed(12, 596, 150, 24, "DT_NOCLIP spills", DT_NOCLIP, big);
  s.Boxed(340, 546, 150, 22, "A long label cut with an ellipsis", DT_END_ELLIPSIS, body);
  s.Boxed(340, 580, 150, 22, "A long label without the flag", 0, body);
  s.Boxed(340, 614, 60, 22, "Tessor EQ", DT_END_ELLIPSIS, body);
  s.Boxed(520, 546, 150, 22, "Save && &Load (0)", 0, body);
  s.Boxed(520, 580, 150, 22, "Save && &Load (NOPREFIX)", DT_NOPREFIX, body);
  s.Boxed(700, 546, 150, 22, "two\nlines (0)", 0, body);
  s.Boxed(700, 580, 150, 22, "two\nlines (SINGLELINE)", DT_SINGLELINE, body);
  {
    // DT_CALCRECT's rectangle outlined around the same text drawn in it.
    RECT m = {880, 546, 880, 546};
    HGDIOBJ old = SelectObject(dc, body);
    GDI_DrawText(dc, "Measured: gyp Åg", -1, &m, DT_CALCRECT);
    SelectObject(dc, old);
    s.Outline(m.left, m.top, m.right - m.left, m.bottom - m.top, s.boxPen);
    s.Text(m.left, m.top, m.right - m.left, m.bottom - m.top, "Measured: gyp Åg", 0, body);
  }
  DeleteObject(big);

  // Colours on a dark ground.
  HBRUSH dark = CreateSolidBrush(0x202830);
  RECT ground = {880, 590, 1090, 640};
  GDI_FillRect(dc, &ground, dark);
  DeleteObject(dark);
  s.Text(890, 594, 200, 20, "White on dark 14 px", 0, body, 0xFFFFFF);
  s.Text(890, 616, 200, 20, "Orange 0xFF8C14", 0, body, 0xFF8C14);

  // Rotation: each about the start of its baseline, in a guide box.
  s.Title(10, 650, "Rotated text (orientation in tenths of a degree)", title);
  struct Turn {
    int orientation;
    int flags;
    int x, y, w, h;
  };
  const Turn turns[] = {{900, DT_BOTTOM, 20, 680, 40, 250},   {-900, 0, 90, 680, 40, 250},
                        {450, DT_BOTTOM, 160, 680, 250, 250}, {-300, 0, 430, 680, 250, 250},
                        {1800, 0, 700, 760, 250, 60},         {3500, 0, 700, 860, 250, 60}};
  HBRUSH mark = CreateSolidBrush(0xE02020);
  for (const Turn& t : turns) {
    HFONT f = Font(18, "Arial", 400, false, false, t.orientation);
    s.Outline(t.x, t.y, t.w, t.h, s.guidePen);
    std::string label = "orientation " + std::to_string(t.orientation);
    s.Text(t.x, t.y, t.w, t.h, label.c_str(), t.flags | DT_NOCLIP, f);
    // A red dot where the line starts: the text turns about the start of its baseline.
    HGDIOBJ old = SelectObject(dc, f);
    TEXTMETRIC tm;
    GetTextMetrics(dc, &tm);
    RECT measured = {0, 0, 0, 0};
    const int height = GDI_DrawText(dc, label.c_str(), -1, &measured, DT_CALCRECT);
    SelectObject(dc, old);
    const bool sideways = t.orientation % 3600 >= 450 || t.orientation % 3600 <= -450;
    const int ox = sideways ? t.x + tm.tmAscent : t.x;
    const int oy = (t.flags & DT_BOTTOM ? t.y + t.h - height : t.y) + tm.tmAscent;
    RECT dot = {ox - 2, oy - 2, ox + 2, oy + 2};
    GDI_FillRect(dc, &dot, mark);
    DeleteObject(f);
  }
  DeleteObject(mark);

  DeleteObject(title);
  DeleteObject(body);
  DeleteObject(small);
  if (!Gallery_WritePNG(&bmp, out)) {
    fprintf(stderr, "text-sheet: cannot write %s\n", out);
    return 1;
  }
  printf("%s\n", out);
  return 0;
}
