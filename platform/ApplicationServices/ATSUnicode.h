// The styled-text interface (ATSUI): styles with a font, size, traits and colour; one-line
// text layouts measured and drawn into a Core Graphics context. Text is drawn by the
// platform's text engine (FreeType, HarfBuzz, fontconfig).
//
// Differences from the full interface, which nothing here needs: a layout shows all of its
// text in the style of its first run, on one line; truncation cuts at the end only (start
// and middle truncation cut at the end too).
#ifndef __ATSUNICODE__
#define __ATSUNICODE__

#include <ApplicationServices/ATSUnicodeTypes.h>
#include <CoreGraphics/CoreGraphics.h>

// A style with no attributes set: the default face at 12 points, black, upright.
PLATFORM_EXPORT OSStatus ATSUCreateStyle(ATSUStyle* oStyle);
PLATFORM_EXPORT OSStatus ATSUDisposeStyle(ATSUStyle iStyle);
// Sets each tag from the value its pointer points at, whose size must be the tag's value
// size. Stops at the first bad tag, size or value with its status (earlier ones stay set).
PLATFORM_EXPORT OSStatus ATSUSetAttributes(ATSUStyle iStyle, ItemCount iAttributeCount,
                                           const ATSUAttributeTag iTag[],
                                           const ByteCount iValueSize[],
                                           const ATSUAttributeValuePtr iValue[]);
// Writes the attribute's value (at most iExpectedValueSize bytes) and its full size. An
// attribute that was never set reads as its default and answers kATSUNotSetErr; the
// ascent, descent and leading are then the font's.
PLATFORM_EXPORT OSStatus ATSUGetAttribute(ATSUStyle iStyle, ATSUAttributeTag iTag,
                                          ByteCount iExpectedValueSize,
                                          ATSUAttributeValuePtr oValue,
                                          ByteCount* oActualValueSize);

// The font whose name (iNameLength bytes of UTF-8, no terminator needed) matches; only
// kFontFullName and kFontFamilyName are searched, whatever the platform, script and
// language. Metric-compatible substitutes answer to the names they stand in for.
// kATSUInvalidFontErr when nothing installed matches.
PLATFORM_EXPORT OSStatus ATSUFindFontFromName(const void* iName, ByteCount iNameLength,
                                              FontNameCode iFontNameCode,
                                              FontPlatformCode iFontNamePlatform,
                                              FontScriptCode iFontNameScript,
                                              FontLanguageCode iFontNameLanguage,
                                              ATSUFontID* oFontID);

// A layout over iTextLength units of iText from iTextOffset (the layout keeps its own
// copy). The style of the first run applies to all of it and must outlive the layout.
PLATFORM_EXPORT OSStatus ATSUCreateTextLayoutWithTextPtr(
    ConstUniCharArrayPtr iText, UniCharArrayOffset iTextOffset, UniCharCount iTextLength,
    UniCharCount iTextTotalLength, ItemCount iNumberOfRuns, const UniCharCount iRunLengths[],
    ATSUStyle iStyles[], ATSUTextLayout* oTextLayout);
PLATFORM_EXPORT OSStatus ATSUDisposeTextLayout(ATSUTextLayout iTextLayout);
PLATFORM_EXPORT OSStatus ATSUSetLayoutControls(ATSUTextLayout iTextLayout,
                                               ItemCount iAttributeCount,
                                               const ATSUAttributeTag iTag[],
                                               const ByteCount iValueSize[],
                                               const ATSUAttributeValuePtr iValue[]);

// The line's typographic bounds: text before (0) and after (the advance width, after any
// truncation) the origin, ascent and descent, in pixels as 16.16 fixed point.
PLATFORM_EXPORT OSStatus ATSUGetUnjustifiedBounds(
    ATSUTextLayout iTextLayout, UniCharArrayOffset iLineStart, UniCharCount iLineLength,
    ATSUTextMeasurement* oTextBefore, ATSUTextMeasurement* oTextAfter, ATSUTextMeasurement* oAscent,
    ATSUTextMeasurement* oDescent);
// Draws the line into the layout's context with the left end of its baseline at (x, y) in
// user space; glyphs stand up along +y, turned by the layout's rotation. A layout without
// a context draws nothing and answers noErr.
PLATFORM_EXPORT OSStatus ATSUDrawText(ATSUTextLayout iTextLayout, UniCharArrayOffset iLineOffset,
                                      UniCharCount iLineLength, ATSUTextMeasurement iLocationX,
                                      ATSUTextMeasurement iLocationY);

#endif
