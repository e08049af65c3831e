// String drawing: one line shaped by the text engine, drawn into the current graphics
// context.
#include <vector>

#include "AppKit/NSAttributedString.h"
#include "AppKit/NSColor.h"
#include "AppKit/NSFont.h"
#include "AppKit/NSGraphicsContext.h"
#include "AppKit/NSParagraphStyle.h"
#include "TextEngine/TextDraw.h"
#include "TextEngine/TextLine.h"

namespace {

// The platform's default font when the attributes name none.
const CGFloat kDefaultFontSize = 12;

std::vector<uint16_t> UTF16Of(const std::string& utf8) {
  std::vector<uint16_t> out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    const unsigned char c = utf8[i];
    uint32_t cp;
    size_t len;
    if (c < 0x80) {
      cp = c, len = 1;
    } else if (c < 0xE0) {
      cp = c & 0x1F, len = 2;
    } else if (c < 0xF0) {
      cp = c & 0x0F, len = 3;
    } else {
      cp = c & 0x07, len = 4;
    }
    for (size_t k = 1; k < len && i + k < utf8.size(); ++k) cp = cp << 6 | (utf8[i + k] & 0x3F);
    i += len;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<uint16_t>(0xD800 | cp >> 10));
      out.push_back(static_cast<uint16_t>(0xDC00 | (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<uint16_t>(cp));
    }
  }
  return out;
}

template <class T>
T* Attribute(const NSDictionary* attributes, NSString* key) {
  return attributes ? NSObjectCast<T>(attributes->objectForKey(key)) : nullptr;
}

TextFont FontOf(const NSDictionary* attributes) {
  if (NSFont* f = Attribute<NSFont>(attributes, NSFontAttributeName)) return f->Font();
  TextFont font;
  font.face = TextFace::Find("Helvetica");
  font.size = kDefaultFontSize;
  return font;
}

void LayOut(const NSString* s, const NSDictionary* attributes, TextLine* line) {
  const std::vector<uint16_t> text = UTF16Of(s->str());
  line->Layout(FontOf(attributes), text.data(), text.size());
}

}  // namespace

NSSize NSString::sizeWithAttributes(const NSDictionary* attributes) const {
  TextLine line;
  LayOut(this, attributes, &line);
  const TextFontMetrics& m = line.Metrics();
  return NSMakeSize(line.Width(), m.ascent + m.descent);
}

void NSString::drawWithRect_options_attributes(NSRect rect, NSStringDrawingOptions options,
                                               const NSDictionary* attributes) const {
  NSGraphicsContext* context = NSGraphicsContext::currentContext();
  if (!context) return;
  CGContextRef c = static_cast<CGContextRef>(context->graphicsPort());
  TextLine line;
  LayOut(this, attributes, &line);

  NSTextAlignment align = NSLeftTextAlignment;
  if (NSParagraphStyle* p = Attribute<NSParagraphStyle>(attributes, NSParagraphStyleAttributeName))
    align = p->alignment();
  CGFloat x = rect.origin.x;
  if (align == NSRightTextAlignment)
    x += rect.size.width - line.Width();
  else if (align == NSCenterTextAlignment)
    x += (rect.size.width - line.Width()) / 2;

  CGFloat rgba[4] = {0, 0, 0, 1};
  if (NSColor* col = Attribute<NSColor>(attributes, NSForegroundColorAttributeName))
    for (int i = 0; i < 4; ++i) rgba[i] = col->Components()[i];

  // The baseline: the rectangle's origin, or one ascent inside its top edge when the origin
  // is the line fragment's. A flipped context's top edge is its smallest y.
  const bool fromTop = options & NSStringDrawingUsesLineFragmentOrigin;
  const CGFloat ascent = line.Metrics().ascent;
  CGFloat y = rect.origin.y;
  if (fromTop) y = context->isFlipped() ? y + ascent : y + rect.size.height - ascent;

  CGContextSaveGState(c);
  if (context->isFlipped()) {
    // The glyphs stand up along +y: draw in a space flipped back about the baseline.
    CGContextTranslateCTM(c, x, y);
    CGContextScaleCTM(c, 1, -1);
    TextDrawLine(c, line, 0, 0, 0, rgba, false);
  } else {
    TextDrawLine(c, line, x, y, 0, rgba, false);
  }
  CGContextRestoreGState(c);
}
