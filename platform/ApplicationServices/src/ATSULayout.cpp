// ATSUI text layouts: one line of text in one style, its controls, bounds and drawing.
#include <CoreServices/FixMath.h>

#include <cstring>
#include <new>

#include "ATSUInternal.h"
#include "TextEngine/TextDraw.h"

OSStatus ATSUCreateTextLayoutWithTextPtr(ConstUniCharArrayPtr iText, UniCharArrayOffset iTextOffset,
                                         UniCharCount iTextLength, UniCharCount iTextTotalLength,
                                         ItemCount iNumberOfRuns, const UniCharCount[],
                                         ATSUStyle iStyles[], ATSUTextLayout* oTextLayout) {
  if (!oTextLayout) return paramErr;
  *oTextLayout = nullptr;
  if (iTextLength > 0 && !iText) return paramErr;
  if (static_cast<uint64_t>(iTextOffset) + iTextLength > iTextTotalLength)
    return kATSUInvalidTextRangeErr;
  if (iNumberOfRuns == 0 || !iStyles) return kATSUNoStyleRunsAssignedErr;
  if (!ATSUIsStyle(iStyles[0])) return kATSUInvalidStyleErr;
  OpaqueATSUTextLayout* l = new (std::nothrow) OpaqueATSUTextLayout();
  if (!l) return memFullErr;
  try {
    if (iTextLength > 0) l->text.assign(iText + iTextOffset, iText + iTextOffset + iTextLength);
  } catch (const std::bad_alloc&) {
    delete l;
    return memFullErr;
  }
  l->style = iStyles[0];
  *oTextLayout = l;
  return noErr;
}

OSStatus ATSUDisposeTextLayout(ATSUTextLayout iTextLayout) {
  if (!ATSUIsLayout(iTextLayout)) return kATSUInvalidTextLayoutErr;
  iTextLayout->tag = kATSUDeadTag;
  delete iTextLayout;
  return noErr;
}

OSStatus ATSUSetLayoutControls(ATSUTextLayout iTextLayout, ItemCount iAttributeCount,
                               const ATSUAttributeTag iTag[], const ByteCount iValueSize[],
                               const ATSUAttributeValuePtr iValue[]) {
  if (!ATSUIsLayout(iTextLayout)) return kATSUInvalidTextLayoutErr;
  if (iAttributeCount == 0) return noErr;
  if (!iTag || !iValueSize || !iValue) return paramErr;
  OpaqueATSUTextLayout& l = *iTextLayout;
  for (ItemCount i = 0; i < iAttributeCount; ++i) {
    const void* v = iValue[i];
    if (!v) return kATSUInvalidAttributeValueErr;
    switch (iTag[i]) {
      case kATSUCGContextTag:
        if (iValueSize[i] != sizeof(CGContextRef)) return kATSUInvalidAttributeSizeErr;
        memcpy(&l.context, v, sizeof(CGContextRef));
        break;
      case kATSULineRotationTag:
        if (iValueSize[i] != sizeof(Fixed)) return kATSUInvalidAttributeSizeErr;
        memcpy(&l.rotation, v, sizeof(Fixed));
        break;
      case kATSULineTruncationTag:
        if (iValueSize[i] != sizeof(ATSULineTruncation)) return kATSUInvalidAttributeSizeErr;
        memcpy(&l.truncation, v, sizeof(ATSULineTruncation));
        break;
      case kATSULineWidthTag:
        if (iValueSize[i] != sizeof(ATSUTextMeasurement)) return kATSUInvalidAttributeSizeErr;
        memcpy(&l.lineWidth, v, sizeof(ATSUTextMeasurement));
        break;
      default:
        return kATSUInvalidAttributeTagErr;
    }
  }
  return noErr;
}

namespace {

// The line for a range of the layout's text, shaped again only when the text range, the
// style or the truncation changed since the last time.
OSStatus ShapedLine(OpaqueATSUTextLayout& l, UniCharArrayOffset start, UniCharCount length,
                    const TextLine** out) {
  if (!ATSUIsStyle(l.style)) return kATSUInvalidStyleErr;
  const UniCharCount total = static_cast<UniCharCount>(l.text.size());
  if (start == kATSUFromTextBeginning) start = 0;
  if (start > total) return kATSUInvalidTextRangeErr;
  if (length == kATSUToTextEnd) length = total - start;
  if (length > total - start) return kATSUInvalidTextRangeErr;
  const Fixed width = l.truncation != kATSUTruncateNone ? l.lineWidth : 0;
  if (!l.shaped || l.shapedGeneration != l.style->generation || l.shapedStart != start ||
      l.shapedLength != length || l.shapedWidth != width || l.shapedTruncation != l.truncation) {
    l.line.Layout(l.style->Font(), l.text.data() + start, length);
    if (width > 0) l.line.TruncateEnd(Fix2X(width));
    l.shaped = true;
    l.shapedGeneration = l.style->generation;
    l.shapedStart = start;
    l.shapedLength = length;
    l.shapedWidth = width;
    l.shapedTruncation = l.truncation;
  }
  *out = &l.line;
  return noErr;
}

}  // namespace

OSStatus ATSUGetUnjustifiedBounds(ATSUTextLayout iTextLayout, UniCharArrayOffset iLineStart,
                                  UniCharCount iLineLength, ATSUTextMeasurement* oTextBefore,
                                  ATSUTextMeasurement* oTextAfter, ATSUTextMeasurement* oAscent,
                                  ATSUTextMeasurement* oDescent) {
  if (!ATSUIsLayout(iTextLayout)) return kATSUInvalidTextLayoutErr;
  const TextLine* line = nullptr;
  if (OSStatus err = ShapedLine(*iTextLayout, iLineStart, iLineLength, &line)) return err;
  const OpaqueATSUStyle& s = *iTextLayout->style;
  if (oTextBefore) *oTextBefore = 0;
  if (oTextAfter) *oTextAfter = X2Fix(line->Width());
  if (oAscent) *oAscent = s.IsSet(kATSUAscentTag) ? s.ascent : X2Fix(line->Metrics().ascent);
  if (oDescent) *oDescent = s.IsSet(kATSUDescentTag) ? s.descent : X2Fix(line->Metrics().descent);
  return noErr;
}

OSStatus ATSUDrawText(ATSUTextLayout iTextLayout, UniCharArrayOffset iLineOffset,
                      UniCharCount iLineLength, ATSUTextMeasurement iLocationX,
                      ATSUTextMeasurement iLocationY) {
  if (!ATSUIsLayout(iTextLayout)) return kATSUInvalidTextLayoutErr;
  const TextLine* line = nullptr;
  if (OSStatus err = ShapedLine(*iTextLayout, iLineOffset, iLineLength, &line)) return err;
  OpaqueATSUTextLayout& l = *iTextLayout;
  if (!l.context) return noErr;
  const ATSURGBAlphaColor& c = l.style->colour;
  const CGFloat rgba[4] = {c.red, c.green, c.blue, c.alpha};
  TextDrawLine(l.context, *line, Fix2X(iLocationX), Fix2X(iLocationY), Fix2X(l.rotation), rgba,
               l.style->underline);
  return noErr;
}
