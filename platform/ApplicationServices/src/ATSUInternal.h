// The records behind ATSUI's opaque style and layout handles.
#pragma once

#include <ApplicationServices/ATSUnicode.h>

#include <vector>

#include "TextEngine/TextLine.h"

// Handles carry a tag so that a handle of the wrong kind, or one already disposed, is
// refused rather than read as something it is not.
enum : uint32_t { kATSUStyleTag = 0x41545359, kATSULayoutTag = 0x4154544C, kATSUDeadTag = 0 };

struct OpaqueATSUStyle {
  uint32_t tag = kATSUStyleTag;
  ATSUFontID font = 0;  // 0: the default face
  Fixed size = 12 << 16;
  Boolean bold = false, italic = false, underline = false;
  ATSURGBAlphaColor colour = {0, 0, 0, 1};
  Fixed ascent = 0, descent = 0, leading = 0;
  // Which attributes were set, by tag.
  std::vector<ATSUAttributeTag> set;
  // Changes with every attribute set, so layouts know to shape again.
  unsigned generation = 0;

  bool IsSet(ATSUAttributeTag t) const;
  TextFont Font() const;
};

struct OpaqueATSUTextLayout {
  uint32_t tag = kATSULayoutTag;
  std::vector<UniChar> text;
  ATSUStyle style = nullptr;
  CGContextRef context = nullptr;
  Fixed rotation = 0;
  ATSULineTruncation truncation = kATSUTruncateNone;
  Fixed lineWidth = 0;

  // The line last shaped, and what it was shaped from.
  TextLine line;
  bool shaped = false;
  unsigned shapedGeneration = 0;
  UniCharArrayOffset shapedStart = 0;
  UniCharCount shapedLength = 0;
  Fixed shapedWidth = 0;
  ATSULineTruncation shapedTruncation = kATSUTruncateNone;
};

inline bool ATSUIsStyle(ATSUStyle s) { return s && s->tag == kATSUStyleTag; }
inline bool ATSUIsLayout(ATSUTextLayout l) { return l && l->tag == kATSULayoutTag; }
