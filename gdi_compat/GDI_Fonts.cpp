// Fonts as styled-text styles, their metrics, and the default font.
#include <ApplicationServices/ApplicationServices.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "gdi_compat/GDI_Pools.h"
#include "gdi_compat/GDI_Text.h"

HFONT CreateFont(int height, int width, int, int orientation, int weight, DWORD italic,
                 DWORD underline, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, const char* faceName) {
  long long size = std::llabs(static_cast<long long>(height ? height : width));
  if (size < 2 || size > 8192) size = 10;
  ATSUStyle style = nullptr;
  if (ATSUCreateStyle(&style) != noErr) return nullptr;
  GDP_OBJECT* font = GDI_AllocObjectRecord();
  if (!font) {
    ATSUDisposeStyle(style);
    return nullptr;
  }
  font->type = GDP_OBJECT_FONT;
  font->fontstyle = style;
  font->rotation = orientation / 10.0f;

  ATSUFontID id = 0;
  const bool found =
      faceName && *faceName &&
      ATSUFindFontFromName(faceName, strlen(faceName), kFontFullName, kFontNoPlatformCode,
                           kFontNoScriptCode, kFontNoLanguageCode, &id) == noErr;
  Boolean bold = weight > 699, ital = italic != 0, under = underline != 0;
  Fixed fixedSize = Long2Fix(static_cast<SInt32>(size));
  const ATSUAttributeTag tags[] = {kATSUQDBoldfaceTag, kATSUQDItalicTag, kATSUQDUnderlineTag,
                                   kATSUSizeTag, kATSUFontTag};
  const ByteCount sizes[] = {sizeof bold, sizeof ital, sizeof under, sizeof fixedSize, sizeof id};
  const ATSUAttributeValuePtr values[] = {&bold, &ital, &under, &fixedSize, &id};
  ATSUSetAttributes(style, found ? 5 : 4, tags, sizes, values);
  return font;
}

HFONT CreateFontIndirect(const LOGFONT* lf) {
  if (!lf) return nullptr;
  const std::string face(lf->lfFaceName, strnlen(lf->lfFaceName, LF_FACESIZE));
  return CreateFont(lf->lfHeight, lf->lfWidth, lf->lfEscapement, lf->lfOrientation, lf->lfWeight,
                    lf->lfItalic, lf->lfUnderline, lf->lfStrikeOut, lf->lfCharSet,
                    lf->lfOutPrecision, lf->lfClipPrecision, lf->lfQuality, lf->lfPitchAndFamily,
                    face.c_str());
}

HFONT GDI_DefaultFont() {
  static HFONT m_bkfont = CreateFont(10, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  return m_bkfont;
}

int GetTextMetrics(HDC ctx, TEXTMETRIC* tm) {
  if (!tm) return 0;
  tm->tmHeight = 16;
  tm->tmAscent = 12;
  tm->tmDescent = 4;
  tm->tmInternalLeading = 3;
  tm->tmAveCharWidth = 12;
  if (!ctx || !ctx->curfont || ctx->curfont->type != GDP_OBJECT_FONT || !ctx->curfont->fontstyle)
    return 0;
  ATSUStyle style = static_cast<ATSUStyle>(ctx->curfont->fontstyle);
  // A style answers with its font's metrics unless they were set; the defaults stand in
  // for a style that cannot answer at all.
  auto read = [style](ATSUAttributeTag tag, double fallback) {
    Fixed v = 0;
    const OSStatus err = ATSUGetAttribute(style, tag, sizeof v, &v, nullptr);
    return err == noErr || err == kATSUNotSetErr ? Fix2X(v) : fallback;
  };
  const double ascent = read(kATSUAscentTag, 10), descent = read(kATSUDescentTag, 3),
               leading = read(kATSULeadingTag, 3);
  tm->tmAscent = static_cast<int>(std::ceil(ascent));
  tm->tmDescent = static_cast<int>(std::ceil(descent));
  tm->tmInternalLeading = static_cast<int>(leading);
  tm->tmHeight = static_cast<int>(std::ceil(ascent + descent + leading));
  tm->tmAveCharWidth = static_cast<int>(tm->tmHeight * 0.75);
  return 1;
}
