// Circles, discs, arcs and rounded rectangles.

#include "raster/blit/Raster_Blit.h"
#include "raster/curves/Raster_CircleDrawer.h"
#include "raster/curves/Raster_CircleGlyphs.h"
#include "raster/curves/Raster_Curves.h"
#include "raster/lines/Raster_Lines.h"

namespace {

const float kPi = 3.14159265358979f;

bool makeTarget(Raster_IBitmap* dest, float alpha, int mode, bool aa, Raster_ShapeTarget& t,
                Raster_CombineKind& kind) {
  t.v = Raster_RowView(dest, false);
  if (t.v.empty()) return false;
  kind = Raster_ShapeCombineKind(mode, alpha, aa);
  if (kind == kRasterCombineNone) return false;
  t.color = 0;
  t.w = Raster_ShapeWeightOf(alpha);
  t.alpha = alpha;
  t.doclip = true;
  t.clip = {0, 0, t.v.w, t.v.h};
  return true;
}

void circle(Raster_IBitmap* dest, float cx, float cy, float r, unsigned int color, float alpha,
            int mode, bool aa, bool fill) {
  Raster_ShapeTarget t;
  Raster_CombineKind kind;
  if (!makeTarget(dest, alpha, mode, aa, t, kind)) return;
  t.color = color;
  if (dest->isFlipped()) cy = (float)(t.v.h - 1) - cy;
  if (!Raster_CircleSetup(t, cx, cy, r, fill)) return;
  Raster_WithShapeCombine(kind, [&](auto rule) {
    using D = _Raster_CircleDrawer<typename decltype(rule)::type>;
    if (aa)
      D::DrawClippedCircleAA(t, cx, cy, r, fill);
    else
      D::DrawClippedCircle(t, cx, cy, r, fill);
  });
}

}  // namespace

void Raster_Circle(Raster_IBitmap* dest, float cx, float cy, float r, unsigned int color,
                   float alpha, int mode, bool aa) {
  if (!dest || !std::isfinite(cx) || !std::isfinite(cy) || !Raster_DrawableAlpha(alpha)) return;
  if (const Raster_CircleGlyph* g = Raster_FindCircleGlyph(r, aa)) {
    Raster_DrawGlyph(dest, Raster_TruncToInt(cx - r), Raster_TruncToInt(cy - r), color, g->cover,
                     g->size, g->size, alpha, mode);
    return;
  }
  circle(dest, cx, cy, r, color, alpha, mode, aa, false);
}

void Raster_FillCircle(Raster_IBitmap* dest, float cx, float cy, float r, unsigned int color,
                       float alpha, int mode, bool aa) {
  circle(dest, cx, cy, r, color, alpha, mode, aa, true);
}

void Raster_Arc(Raster_IBitmap* dest, float cx, float cy, float r, float minAngle, float maxAngle,
                unsigned int color, float alpha, int mode, bool aa) {
  if (!std::isfinite(minAngle) || !std::isfinite(maxAngle)) return;
  Raster_ShapeTarget t;
  Raster_CombineKind kind;
  if (!makeTarget(dest, alpha, mode, aa, t, kind)) return;
  t.color = color;
  if (dest->isFlipped()) {
    // Mirrored vertically, the angle a becomes pi - a and the clockwise order reverses: the
    // arc runs from pi - maxAngle to pi - minAngle in memory rows.
    cy = (float)(t.v.h - 1) - cy;
    const float a0 = kPi - maxAngle, a1 = kPi - minAngle;
    minAngle = a0;
    maxAngle = a1;
  }
  Raster_WithShapeCombine(kind, [&](auto rule) {
    _Raster_CircleDrawer<typename decltype(rule)::type>::DrawArc(t, cx, cy, r, minAngle, maxAngle,
                                                                 aa);
  });
}

void Raster_RoundRect(Raster_IBitmap* dest, float x, float y, float w, float h, int cornerRadius,
                      unsigned int color, float alpha, int mode, bool aa) {
  if (!dest || !Raster_AllFinite({x, y, w, h})) return;
  auto T = [](float v) { return Raster_TruncToInt(v); };
  if (cornerRadius > 0) {
    float r = (float)cornerRadius;
    if (w * 0.5f < r) r = w * 0.5f;
    if (h * 0.5f < r) r = h * 0.5f;
    const float R = std::floor(r);
    if (R >= 2) {
      Raster_Line(dest, T(x + R), T(y), T(x + w - R), T(y), color, alpha, mode, aa);
      Raster_Line(dest, T(x + R - 1), T(y + h), T(x + w - R), T(y + h), color, alpha, mode, aa);
      Raster_Line(dest, T(x + w), T(y + R), T(x + w), T(y + h - R), color, alpha, mode, aa);
      Raster_Line(dest, T(x), T(y + R - 1), T(x), T(y + h - R), color, alpha, mode, aa);
      Raster_Arc(dest, x + R, y + R, R, -kPi / 2, 0, color, alpha, mode, aa);
      Raster_Arc(dest, x + w - R, y + R, R, 0, kPi / 2, color, alpha, mode, aa);
      Raster_Arc(dest, x + w - R, y + h - R, R, kPi / 2, kPi, color, alpha, mode, aa);
      Raster_Arc(dest, x + R, y + h - R, R, kPi, 3 * kPi / 2, color, alpha, mode, aa);
      return;
    }
  }
  Raster_DrawRect(dest, T(x), T(y), T(w), T(h), color, alpha, mode);
}
