// ATSUI styles: attributes set and read by tag, font lookup by name.
#include <CoreServices/FixMath.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <string>

#include "ATSUInternal.h"

bool OpaqueATSUStyle::IsSet(ATSUAttributeTag t) const {
  return std::find(set.begin(), set.end(), t) != set.end();
}

TextFont OpaqueATSUStyle::Font() const {
  TextFont f;
  f.face = TextFace::FromId(font);
  f.size = Fix2X(size);
  f.bold = bold;
  f.italic = italic;
  return f;
}

OSStatus ATSUCreateStyle(ATSUStyle* oStyle) {
  if (!oStyle) return paramErr;
  *oStyle = new (std::nothrow) OpaqueATSUStyle();
  return *oStyle ? noErr : memFullErr;
}

OSStatus ATSUDisposeStyle(ATSUStyle iStyle) {
  if (!ATSUIsStyle(iStyle)) return kATSUInvalidStyleErr;
  iStyle->tag = kATSUDeadTag;
  delete iStyle;
  return noErr;
}

namespace {

ByteCount ValueSize(ATSUAttributeTag tag) {
  switch (tag) {
    case kATSUQDBoldfaceTag:
    case kATSUQDItalicTag:
    case kATSUQDUnderlineTag:
      return sizeof(Boolean);
    case kATSUFontTag:
      return sizeof(ATSUFontID);
    case kATSUSizeTag:
    case kATSUAscentTag:
    case kATSUDescentTag:
    case kATSULeadingTag:
      return sizeof(Fixed);
    case kATSUColorTag:
      return sizeof(RGBColor);
    case kATSURGBAlphaColorTag:
      return sizeof(ATSURGBAlphaColor);
    default:
      return 0;
  }
}

float Unit(float v) { return v == v ? std::min(1.0f, std::max(0.0f, v)) : 0.0f; }

OSStatus SetOne(ATSUStyle s, ATSUAttributeTag tag, const void* v) {
  switch (tag) {
    case kATSUQDBoldfaceTag:
      s->bold = *static_cast<const Boolean*>(v) != 0;
      break;
    case kATSUQDItalicTag:
      s->italic = *static_cast<const Boolean*>(v) != 0;
      break;
    case kATSUQDUnderlineTag:
      s->underline = *static_cast<const Boolean*>(v) != 0;
      break;
    case kATSUFontTag: {
      ATSUFontID id;
      memcpy(&id, v, sizeof id);
      if (!TextFace::FromId(id)) return kATSUInvalidFontErr;
      s->font = id;
      break;
    }
    case kATSUSizeTag: {
      Fixed f;
      memcpy(&f, v, sizeof f);
      if (f <= 0) return kATSUInvalidAttributeValueErr;
      s->size = f;
      break;
    }
    case kATSUAscentTag:
      memcpy(&s->ascent, v, sizeof(Fixed));
      break;
    case kATSUDescentTag:
      memcpy(&s->descent, v, sizeof(Fixed));
      break;
    case kATSULeadingTag:
      memcpy(&s->leading, v, sizeof(Fixed));
      break;
    case kATSUColorTag: {
      RGBColor c;
      memcpy(&c, v, sizeof c);
      s->colour = ATSURGBAlphaColor{c.red / 65535.0f, c.green / 65535.0f, c.blue / 65535.0f, 1};
      break;
    }
    case kATSURGBAlphaColorTag: {
      ATSURGBAlphaColor c;
      memcpy(&c, v, sizeof c);
      s->colour = ATSURGBAlphaColor{Unit(c.red), Unit(c.green), Unit(c.blue), Unit(c.alpha)};
      break;
    }
    default:
      return kATSUInvalidAttributeTagErr;
  }
  // Both colour tags describe the one colour.
  if (tag == kATSUColorTag || tag == kATSURGBAlphaColorTag) {
    s->set.erase(std::remove(s->set.begin(), s->set.end(), kATSUColorTag), s->set.end());
    s->set.erase(std::remove(s->set.begin(), s->set.end(), kATSURGBAlphaColorTag), s->set.end());
  }
  if (!s->IsSet(tag)) s->set.push_back(tag);
  ++s->generation;
  return noErr;
}

}  // namespace

OSStatus ATSUSetAttributes(ATSUStyle iStyle, ItemCount iAttributeCount,
                           const ATSUAttributeTag iTag[], const ByteCount iValueSize[],
                           const ATSUAttributeValuePtr iValue[]) {
  if (!ATSUIsStyle(iStyle)) return kATSUInvalidStyleErr;
  if (iAttributeCount == 0) return noErr;
  if (!iTag || !iValueSize || !iValue) return paramErr;
  for (ItemCount i = 0; i < iAttributeCount; ++i) {
    const ByteCount size = ValueSize(iTag[i]);
    if (size == 0) return kATSUInvalidAttributeTagErr;
    if (iValueSize[i] != size) return kATSUInvalidAttributeSizeErr;
    if (!iValue[i]) return kATSUInvalidAttributeValueErr;
    if (OSStatus err = SetOne(iStyle, iTag[i], iValue[i])) return err;
  }
  return noErr;
}

OSStatus ATSUGetAttribute(ATSUStyle iStyle, ATSUAttributeTag iTag, ByteCount iExpectedValueSize,
                          ATSUAttributeValuePtr oValue, ByteCount* oActualValueSize) {
  if (!ATSUIsStyle(iStyle)) return kATSUInvalidStyleErr;
  const ByteCount size = ValueSize(iTag);
  if (size == 0) return kATSUInvalidAttributeTagErr;
  const OpaqueATSUStyle& s = *iStyle;
  unsigned char value[sizeof(ATSURGBAlphaColor)] = {};
  const TextFontMetrics m =
      (iTag == kATSUAscentTag || iTag == kATSUDescentTag || iTag == kATSULeadingTag) &&
              !s.IsSet(iTag)
          ? TextFontGetMetrics(s.Font())
          : TextFontMetrics();
  Fixed f = 0;
  switch (iTag) {
    case kATSUQDBoldfaceTag:
      value[0] = s.bold;
      break;
    case kATSUQDItalicTag:
      value[0] = s.italic;
      break;
    case kATSUQDUnderlineTag:
      value[0] = s.underline;
      break;
    case kATSUFontTag:
      memcpy(value, &s.font, sizeof s.font);
      break;
    case kATSUSizeTag:
      memcpy(value, &s.size, sizeof(Fixed));
      break;
    case kATSUAscentTag:
      f = s.IsSet(iTag) ? s.ascent : X2Fix(m.ascent);
      break;
    case kATSUDescentTag:
      f = s.IsSet(iTag) ? s.descent : X2Fix(m.descent);
      break;
    case kATSULeadingTag:
      f = s.IsSet(iTag) ? s.leading : X2Fix(m.leading);
      break;
    case kATSUColorTag: {
      const RGBColor c = {static_cast<unsigned short>(s.colour.red * 65535 + 0.5f),
                          static_cast<unsigned short>(s.colour.green * 65535 + 0.5f),
                          static_cast<unsigned short>(s.colour.blue * 65535 + 0.5f)};
      memcpy(value, &c, sizeof c);
      break;
    }
    case kATSURGBAlphaColorTag:
      memcpy(value, &s.colour, sizeof s.colour);
      break;
  }
  if (iTag == kATSUAscentTag || iTag == kATSUDescentTag || iTag == kATSULeadingTag)
    memcpy(value, &f, sizeof f);
  if (oValue) memcpy(oValue, value, std::min(size, iExpectedValueSize));
  if (oActualValueSize) *oActualValueSize = size;
  const bool colourSet = s.IsSet(kATSUColorTag) || s.IsSet(kATSURGBAlphaColorTag);
  const bool isColour = iTag == kATSUColorTag || iTag == kATSURGBAlphaColorTag;
  return (isColour ? colourSet : s.IsSet(iTag)) ? OSStatus(noErr) : OSStatus(kATSUNotSetErr);
}

OSStatus ATSUFindFontFromName(const void* iName, ByteCount iNameLength, FontNameCode iFontNameCode,
                              FontPlatformCode, FontScriptCode, FontLanguageCode,
                              ATSUFontID* oFontID) {
  if (!oFontID) return paramErr;
  *oFontID = 0;
  if (!iName || iNameLength == 0) return kATSUInvalidFontErr;
  if (iFontNameCode != kFontFullName && iFontNameCode != kFontFamilyName)
    return kATSUInvalidFontErr;
  // Names are searched up to an embedded zero, as C strings are.
  const char* name = static_cast<const char*>(iName);
  const std::string n(name, strnlen(name, iNameLength));
  TextFace* face = TextFace::Find(n.c_str());
  if (!face) return kATSUInvalidFontErr;
  *oFontID = face->Id();
  return noErr;
}
