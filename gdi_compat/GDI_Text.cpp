// One line of text laid out, measured, aligned in its rectangle and drawn.
#include <ApplicationServices/ApplicationServices.h>

#include <cmath>

#include "gdi_compat/GDI_Context.h"
#include "gdi_compat/GDI_Text.h"
#include "gdi_compat/GDI_TextBuffer.h"

namespace {

// The context's font when it has a usable one, else the default font.
GDP_OBJECT* FontOf(HDC ctx) {
  GDP_OBJECT* f = ctx->curfont;
  if (f && f->type == GDP_OBJECT_FONT && f->fontstyle) return f;
  return GDI_DefaultFont();
}

// Rotations are taken modulo a turn, into (-180, 180]: 350 degrees is 10 degrees clockwise.
double NormalisedRotation(float degrees) {
  if (!std::isfinite(degrees)) return 0;
  double r = std::fmod(static_cast<double>(degrees), 360.0);
  if (r > 180) r -= 360;
  if (r <= -180) r += 360;
  return r;
}

int WholePixels(Fixed v) { return static_cast<int>(std::ceil(Fix2X(v))); }

// Sums of rectangle coordinates stay in int.
int Clamp(long long v) { return v > 1 << 30 ? 1 << 30 : v < -(1 << 30) ? -(1 << 30) : int(v); }

void SetColour(ATSUStyle style, COLORREF c) {
  // 8-bit components widened to 16 bits with their own bits repeated, so 0xFF is 0xFFFF
  // and text drawn in white is white.
  auto wide = [](unsigned v) { return static_cast<unsigned short>(v << 8 | v); };
  RGBColor rgb = {wide(c >> 16 & 0xFF), wide(c >> 8 & 0xFF), wide(c & 0xFF)};
  const ATSUAttributeTag tag = kATSUColorTag;
  const ByteCount size = sizeof rgb;
  const ATSUAttributeValuePtr value = &rgb;
  ATSUSetAttributes(style, 1, &tag, &size, &value);
}

}  // namespace

int GDI_DrawText(HDC ctx, const char* text, int len, RECT* rect, int flags) {
  if (!ctx || !rect) return 0;
  GDP_OBJECT* font = FontOf(ctx);
  if (!font) return 0;
  ATSUStyle style = static_cast<ATSUStyle>(font->fontstyle);

  UniChar chars[GDI_MAX_TEXT];
  UniCharCount n = static_cast<UniCharCount>(GDI_PrepareText(text, len, flags, chars));
  SetColour(style, ctx->cur_textcolor);

  ATSUTextLayout layout = nullptr;
  if (ATSUCreateTextLayoutWithTextPtr(chars, 0, n, n, 1, &n, &style, &layout) != noErr) return 0;
  const double rotation = NormalisedRotation(font->rotation);
  CGContextRef gc = ctx->ctx;
  Fixed fixedRotation = X2Fix(rotation);
  ATSULineTruncation truncation = kATSUTruncateEnd;
  // Truncation cuts to the rectangle's width: a cut needs a width to cut to.
  Fixed lineWidth = X2Fix(static_cast<double>(rect->right) - rect->left);
  const bool truncate = (flags & DT_END_ELLIPSIS) && lineWidth > 0;
  const ATSUAttributeTag tags[] = {kATSUCGContextTag, kATSULineRotationTag, kATSULineTruncationTag,
                                   kATSULineWidthTag};
  const ByteCount sizes[] = {sizeof gc, sizeof fixedRotation, sizeof truncation, sizeof lineWidth};
  const ATSUAttributeValuePtr values[] = {&gc, &fixedRotation, &truncation, &lineWidth};
  ATSUSetLayoutControls(layout, truncate ? 4 : 2, tags, sizes, values);

  ATSUTextMeasurement before = 0, after = 0, ascentFixed = 0, descentFixed = 0;
  ATSUGetUnjustifiedBounds(layout, kATSUFromTextBeginning, kATSUToTextEnd, &before, &after,
                           &ascentFixed, &descentFixed);
  const int width = WholePixels(after), ascent = WholePixels(ascentFixed);
  const int height = ascent + WholePixels(descentFixed);

  if (flags & DT_CALCRECT) {
    rect->right = Clamp(static_cast<long long>(rect->left) + width);
    rect->bottom = Clamp(static_cast<long long>(rect->top) + height);
  } else if (gc) {
    const long long l = rect->left, t = rect->top, r = rect->right, b = rect->bottom;
    long long x = l, y = t;
    if (std::fabs(rotation) >= 45)
      x = l + ascent;
    else if (flags & DT_RIGHT)
      x = r - width;
    else if (flags & DT_CENTER)
      x = (l + r) / 2 - width / 2;
    if (flags & DT_BOTTOM)
      y = b - height;
    else if (flags & DT_VCENTER)
      y = (t + b) / 2 - height / 2;
    CGContextSaveGState(gc);
    if (!(flags & DT_NOCLIP)) GDI_SetClipRegion(ctx, rect);
    // The context's y grows downward; the text's up is +y, so it is drawn in a local space
    // flipped back about its baseline.
    CGContextTranslateCTM(gc, static_cast<double>(x), static_cast<double>(y + ascent));
    CGContextScaleCTM(gc, 1, -1);
    ATSUDrawText(layout, kATSUFromTextBeginning, kATSUToTextEnd, 0, 0);
    CGContextRestoreGState(gc);
  }
  ATSUDisposeTextLayout(layout);
  return height;
}
