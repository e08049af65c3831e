// Drawing shaped lines: glyph masks rendered by FreeType (cached) composited into the
// context's pixels, or, for glyphs too large to cache, outlines filled as paths.
#include "TextEngine/TextDraw.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <cmath>
#include <vector>

#include "CoreGraphics/CGPrivate.h"
#include "GlyphCache.h"
#include "TextEngineLock.h"

namespace {

// Glyphs whose em square spans more pixels than this are filled as paths, not cached.
const double kMaxCachedEm = 192;

GlyphCache& Cache() {
  static GlyphCache cache;
  return cache;
}

// Text space (x along the baseline, y up) to pixel space (x right, y down): a 2 x 2 matrix
// p = (xx * x + xy * y, yx * x + yy * y).
struct Linear {
  double xx, xy, yx, yy;
};

int32_t To16_16(double v) { return static_cast<int32_t>(std::lround(v * 65536.0)); }

// How glyphs of one line are rendered: FreeType's matrix (text space to its own y-up pixel
// space), the pixel size and whether hinting applies.
struct Rendering {
  FT_Matrix matrix;
  double pixelSize;
  bool upright;  // no transform: hinted, baseline on whole pixels
};

Rendering RenderingFor(const Linear& l, const TextResolvedFont& f) {
  Rendering r;
  // FreeType's y points up, pixel rows down.
  double xx = l.xx, xy = l.xy, yx = -l.yx, yy = -l.yy;
  if (f.syntheticItalic) {
    xy += xx * kTextSyntheticItalicSlant;
    yy += yx * kTextSyntheticItalicSlant;
  }
  const double s = xx;
  r.upright = s > 0 && std::fabs(xy) < 1e-9 && std::fabs(yx) < 1e-9 && std::fabs(yy - s) < 1e-9;
  if (r.upright) {
    r.pixelSize = f.size * s;
    r.matrix = FT_Matrix{0x10000, 0, 0, 0x10000};
  } else {
    r.pixelSize = f.size;
    r.matrix = FT_Matrix{To16_16(xx), To16_16(xy), To16_16(yx), To16_16(yy)};
  }
  return r;
}

// Renders one glyph into a coverage mask. Lock held.
GlyphImage RenderGlyph(FT_Face ft, const GlyphKey& key, const Rendering& r, bool bold) {
  GlyphImage img;
  FT_Vector delta = {key.subX * 16, -key.subY * 16};  // quarters of a pixel in 26.6
  FT_Matrix m = r.matrix;
  FT_Set_Transform(ft, r.upright ? nullptr : &m, &delta);
  const FT_Int32 flags = FT_LOAD_NO_BITMAP | (r.upright ? FT_LOAD_DEFAULT : FT_LOAD_NO_HINTING);
  if (FT_Load_Glyph(ft, key.glyph, flags) != 0) return img;
  FT_GlyphSlot slot = ft->glyph;
  if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return img;
  if (bold) {
    const double em =
        r.pixelSize *
        (r.upright ? 1
                   : std::sqrt(std::fabs((double(m.xx) * m.yy - double(m.xy) * m.yx))) / 65536.0);
    FT_Outline_Embolden(&slot->outline, static_cast<FT_Pos>(em * kTextSyntheticBoldStrength * 64));
  }
  if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return img;
  const FT_Bitmap& b = slot->bitmap;
  if (b.pixel_mode != FT_PIXEL_MODE_GRAY || b.width == 0 || b.rows == 0) return img;
  img.left = slot->bitmap_left;
  img.top = -slot->bitmap_top;
  img.width = static_cast<int>(b.width);
  img.height = static_cast<int>(b.rows);
  img.coverage.resize(static_cast<size_t>(img.width) * img.height);
  for (int row = 0; row < img.height; ++row) {
    const unsigned char* src = b.buffer + static_cast<ptrdiff_t>(row) * b.pitch;
    std::copy(src, src + img.width, img.coverage.begin() + static_cast<size_t>(row) * img.width);
  }
  return img;
}

void SplitPosition(double v, bool quarter, int* whole, uint8_t* sub) {
  double f = std::floor(v);
  int q = quarter ? static_cast<int>(std::lround((v - f) * 4)) : 0;
  if (!quarter) f = std::nearbyint(v);
  if (q == 4) {
    f += 1;
    q = 0;
  }
  *whole = static_cast<int>(f);
  *sub = static_cast<uint8_t>(q);
}

// Pixel positions are kept well inside int; glyphs further out are not visible anyway.
bool Addressable(double x, double y) { return std::fabs(x) < 1e8 && std::fabs(y) < 1e8; }

void DrawCachedGlyphs(CGContextRef c, const TextLine& line, const Linear& l, double ox, double oy,
                      const CGFloat rgba[4]) {
  CGCoveragePainter painter;
  if (!CGContextMakeCoveragePainter(c, rgba, &painter)) return;  // nothing would show
  const TextResolvedFont& f = line.Font();
  const Rendering r = RenderingFor(l, f);
  FT_Face ft = static_cast<FT_Face>(f.face->FreeTypeFace());
  GlyphKey key;
  key.face = f.face->Id();
  key.size64 = static_cast<int32_t>(std::lround(r.pixelSize * 64));
  if (key.size64 < 1) return;
  key.matrix[0] = r.matrix.xx;
  key.matrix[1] = r.matrix.xy;
  key.matrix[2] = r.matrix.yx;
  key.matrix[3] = r.matrix.yy;
  key.flags = static_cast<uint8_t>((r.upright ? 1 : 0) | (f.syntheticBold ? 2 : 0));
  bool sizeSet = false;
  // The baseline sits on a whole pixel row when upright, so hinted glyphs stay crisp.
  if (r.upright) oy = std::nearbyint(oy);
  for (const TextGlyph& g : line.Glyphs()) {
    const double px = ox + l.xx * g.x + l.xy * g.y, py = oy + l.yx * g.x + l.yy * g.y;
    if (!Addressable(px, py)) continue;
    int ix, iy;
    SplitPosition(px, true, &ix, &key.subX);
    SplitPosition(py, !r.upright, &iy, &key.subY);
    key.glyph = g.glyph;
    const GlyphImage* img = Cache().Find(key);
    if (!img) {
      if (!sizeSet) {
        if (FT_Set_Char_Size(ft, 0, key.size64, 72, 72) != 0) return;
        sizeSet = true;
      }
      img = &Cache().Insert(key, RenderGlyph(ft, key, r, f.syntheticBold));
    }
    if (img->width > 0)
      CGCoveragePaint(painter, img->coverage.data(), img->width, img->width, img->height,
                      ix + img->left, iy + img->top);
  }
}

// Outline decomposition into the context's current path, text space to user space.
struct PathSink {
  CGContextRef c;
  double scale, slant, gx, gy;  // font units to text pixels; the glyph's pen position
  double ox, oy, cs, sn;        // origin and rotation of text space in user space
  void Map(const FT_Vector* v, CGFloat* x, CGFloat* y) const {
    const double tx = gx + (v->x + slant * v->y) * scale, ty = gy + v->y * scale;
    *x = ox + cs * tx - sn * ty;
    *y = oy + sn * tx + cs * ty;
  }
};

int MoveTo(const FT_Vector* to, void* user) {
  auto* s = static_cast<PathSink*>(user);
  CGFloat x, y;
  s->Map(to, &x, &y);
  CGContextClosePath(s->c);
  CGContextMoveToPoint(s->c, x, y);
  return 0;
}
int LineTo(const FT_Vector* to, void* user) {
  auto* s = static_cast<PathSink*>(user);
  CGFloat x, y;
  s->Map(to, &x, &y);
  CGContextAddLineToPoint(s->c, x, y);
  return 0;
}
int ConicTo(const FT_Vector* ctl, const FT_Vector* to, void* user) {
  auto* s = static_cast<PathSink*>(user);
  CGFloat cx, cy, x, y;
  s->Map(ctl, &cx, &cy);
  s->Map(to, &x, &y);
  CGContextAddQuadCurveToPoint(s->c, cx, cy, x, y);
  return 0;
}
int CubicTo(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
  auto* s = static_cast<PathSink*>(user);
  CGFloat ax, ay, bx, by, x, y;
  s->Map(c1, &ax, &ay);
  s->Map(c2, &bx, &by);
  s->Map(to, &x, &y);
  CGContextAddCurveToPoint(s->c, ax, ay, bx, by, x, y);
  return 0;
}

void FillOutlines(CGContextRef c, const TextLine& line, double x, double y, double cs, double sn,
                  const CGFloat rgba[4]) {
  const TextResolvedFont& f = line.Font();
  FT_Face ft = static_cast<FT_Face>(f.face->FreeTypeFace());
  FT_Set_Transform(ft, nullptr, nullptr);
  const FT_Outline_Funcs funcs = {MoveTo, LineTo, ConicTo, CubicTo, 0, 0};
  PathSink sink{c,
                f.size / f.face->UnitsPerEm(),
                f.syntheticItalic ? kTextSyntheticItalicSlant : 0,
                0,
                0,
                x,
                y,
                cs,
                sn};
  CGContextSaveGState(c);
  CGContextBeginPath(c);
  for (const TextGlyph& g : line.Glyphs()) {
    if (FT_Load_Glyph(ft, g.glyph, FT_LOAD_NO_SCALE | FT_LOAD_NO_BITMAP) != 0) continue;
    if (ft->glyph->format != FT_GLYPH_FORMAT_OUTLINE) continue;
    if (f.syntheticBold)
      FT_Outline_Embolden(&ft->glyph->outline,
                          static_cast<FT_Pos>(f.face->UnitsPerEm() * kTextSyntheticBoldStrength));
    sink.gx = g.x;
    sink.gy = g.y;
    FT_Outline_Decompose(&ft->glyph->outline, &funcs, &sink);
    CGContextClosePath(c);
  }
  CGContextSetRGBFillColor(c, rgba[0], rgba[1], rgba[2], rgba[3]);
  CGContextFillPath(c);
  CGContextRestoreGState(c);
}

void DrawUnderline(CGContextRef c, const TextLine& line, const Linear& l, double x, double y,
                   double ox, double oy, double cs, double sn, const CGFloat rgba[4]) {
  const TextFontMetrics& m = line.Metrics();
  const double w = line.Width();
  if (!(w > 0)) return;
  const bool upright = l.xx > 0 && l.xy == 0 && l.yx == 0 && l.yy == -l.xx;
  if (upright) {
    // On whole pixel rows, at least one thick, as crisp as the glyphs above it.
    const double s = l.xx;
    const int thick = std::max(1, static_cast<int>(std::lround(m.underlineThickness * s)));
    const double top = std::nearbyint(oy) + m.underlineOffset * s - thick / 2.0;
    const double left = std::nearbyint(ox), right = std::nearbyint(ox + w * s);
    if (!Addressable(left, top) || !Addressable(right, top)) return;
    static const std::vector<uint8_t> full(4096, 255);
    for (double from = left; from < right; from += full.size())
      CGContextFillCoverageMask(
          c, full.data(), 0, static_cast<int>(std::min<double>(full.size(), right - from)), thick,
          static_cast<int>(from), static_cast<int>(std::lround(top)), rgba);
    return;
  }
  const double v1 = -m.underlineOffset - m.underlineThickness / 2, v2 = v1 + m.underlineThickness;
  const double us[4] = {0, w, w, 0}, vs[4] = {v1, v1, v2, v2};
  CGContextSaveGState(c);
  CGContextBeginPath(c);
  for (int i = 0; i < 4; ++i) {
    const double px = x + cs * us[i] - sn * vs[i], py = y + sn * us[i] + cs * vs[i];
    if (i == 0)
      CGContextMoveToPoint(c, px, py);
    else
      CGContextAddLineToPoint(c, px, py);
  }
  CGContextClosePath(c);
  CGContextSetRGBFillColor(c, rgba[0], rgba[1], rgba[2], rgba[3]);
  CGContextFillPath(c);
  CGContextRestoreGState(c);
}

}  // namespace

void TextDrawLine(CGContextRef c, const TextLine& line, CGFloat x, CGFloat y,
                  CGFloat rotationDegrees, const CGFloat rgba[4], bool underline) {
  if (!c || !rgba || !line.Font().face || !std::isfinite(x) || !std::isfinite(y)) return;
  if (line.Glyphs().empty() && !underline) return;
  double deg = std::isfinite(rotationDegrees) ? std::fmod(rotationDegrees, 360.0) : 0;
  const double rad = deg * M_PI / 180;
  // Whole quarter turns exactly, so upright and sideways text stays on the pixel grid.
  double cs = std::cos(rad), sn = std::sin(rad);
  if (std::fmod(deg, 90.0) == 0) {
    cs = std::nearbyint(cs);
    sn = std::nearbyint(sn);
  }
  const CGAffineTransform m = CGContextGetUserToPixelTransform(c);
  // Text space -> user space is the rotation; user -> pixel the context's transform.
  const Linear l{m.a * cs + m.c * sn, -m.a * sn + m.c * cs, m.b * cs + m.d * sn,
                 -m.b * sn + m.d * cs};
  const double ox = m.a * x + m.c * y + m.tx, oy = m.b * x + m.d * y + m.ty;
  if (!std::isfinite(ox) || !std::isfinite(oy)) return;
  const double det = std::fabs(l.xx * l.yy - l.xy * l.yx);
  const double emPixels = line.Font().size * std::sqrt(det);
  if (!(det > 1e-12) || !std::isfinite(emPixels)) return;

  std::lock_guard<std::mutex> lock(TextEngineMutex());
  if (emPixels > kMaxCachedEm)
    FillOutlines(c, line, x, y, cs, sn, rgba);
  else
    DrawCachedGlyphs(c, line, l, ox, oy, rgba);
  if (underline) DrawUnderline(c, line, l, x, y, ox, oy, cs, sn, rgba);
}

size_t TextGlyphCacheCount() {
  std::lock_guard<std::mutex> lock(TextEngineMutex());
  return Cache().Count();
}
