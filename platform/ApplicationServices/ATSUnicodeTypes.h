// Types and constants of the styled-text interface (ATSUI): styles, text layouts, their
// attribute and control tags, and its status codes.
#ifndef __ATSUNICODETYPES__
#define __ATSUNICODETYPES__

#include <MacTypes.h>

typedef struct OpaqueATSUStyle* ATSUStyle;
typedef struct OpaqueATSUTextLayout* ATSUTextLayout;
typedef UInt32 ATSUFontID;
typedef UInt32 ATSUAttributeTag;
typedef void* ATSUAttributeValuePtr;
typedef const void* ConstATSUAttributeValuePtr;
typedef Fixed ATSUTextMeasurement;
typedef UInt32 UniCharArrayOffset;
typedef UInt32 UniCharCount;
typedef const UniChar* ConstUniCharArrayPtr;
typedef UInt32 ATSULineTruncation;
typedef UInt32 FontNameCode;
typedef UInt32 FontPlatformCode;
typedef UInt32 FontScriptCode;
typedef UInt32 FontLanguageCode;

// A colour of 16-bit components (0xFFFF is full intensity).
typedef struct RGBColor {
  unsigned short red;
  unsigned short green;
  unsigned short blue;
} RGBColor;

typedef struct ATSURGBAlphaColor {
  float red;
  float green;
  float blue;
  float alpha;
} ATSURGBAlphaColor;

// Layout controls.
enum {
  kATSULineWidthTag = 1,        // ATSUTextMeasurement: the width truncation cuts to
  kATSULineRotationTag = 2,     // Fixed: degrees counterclockwise
  kATSULineTruncationTag = 12,  // ATSULineTruncation
  kATSUCGContextTag = 32767     // CGContextRef: the context drawn into
};

// Style attributes.
enum {
  kATSUQDBoldfaceTag = 256,    // Boolean
  kATSUQDItalicTag = 257,      // Boolean
  kATSUQDUnderlineTag = 258,   // Boolean
  kATSUFontTag = 261,          // ATSUFontID
  kATSUSizeTag = 262,          // Fixed: points
  kATSUColorTag = 263,         // RGBColor
  kATSUAscentTag = 284,        // ATSUTextMeasurement (read: the font's, unless set)
  kATSUDescentTag = 285,       // ATSUTextMeasurement
  kATSULeadingTag = 286,       // ATSUTextMeasurement
  kATSURGBAlphaColorTag = 288  // ATSURGBAlphaColor
};

enum {
  kATSUTruncateNone = 0,
  kATSUTruncateStart = 1,
  kATSUTruncateEnd = 2,
  kATSUTruncateMiddle = 3
};

// Whole text for line offsets and lengths.
enum { kATSUFromTextBeginning = 0xFFFFFFFFu, kATSUToTextEnd = 0xFFFFFFFFu };

// Font name lookups.
enum { kFontCopyrightName = 0, kFontFamilyName = 1, kFontStyleName = 2, kFontFullName = 4 };
enum {
  kFontNoPlatformCode = 0xFFFFFFFFu,
  kFontNoScriptCode = 0xFFFFFFFFu,
  kFontNoLanguageCode = 0xFFFFFFFFu
};

enum {
  kATSUInvalidTextLayoutErr = -8790,
  kATSUInvalidStyleErr = -8791,
  kATSUInvalidTextRangeErr = -8792,
  kATSUInvalidFontErr = -8796,
  kATSUInvalidAttributeValueErr = -8797,
  kATSUInvalidAttributeSizeErr = -8798,
  kATSUInvalidAttributeTagErr = -8799,
  kATSUNotSetErr = -8801,
  kATSUInvalidCacheErr = -8800,
  kATSUNoStyleRunsAssignedErr = -8802
};

#endif
