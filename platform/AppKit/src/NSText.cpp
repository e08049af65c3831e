// Fonts, colours, paragraph styles and the attribute keys of string drawing.
#include <algorithm>

#include "AppKit/NSAttributedString.h"
#include "AppKit/NSColor.h"
#include "AppKit/NSFont.h"
#include "AppKit/NSParagraphStyle.h"

NSString* const NSFontAttributeName = NSSTR("NSFont");
NSString* const NSForegroundColorAttributeName = NSSTR("NSColor");
NSString* const NSParagraphStyleAttributeName = NSSTR("NSParagraphStyle");

NSFont::~NSFont() {}

NSFont* NSFont::Make(TextFace* face, CGFloat size) {
  if (!face) return nullptr;
  NSFont* f = alloc();
  if (!f) return nullptr;
  f->m_font.face = face;
  f->m_font.size = size;
  return static_cast<NSFont*>(f->autorelease());
}

NSFont* NSFont::fontWithName_size(const NSString* name, CGFloat size) {
  return name ? Make(TextFace::Find(name->UTF8String()), size) : nullptr;
}

NSFont* NSFont::systemFontOfSize(CGFloat size) { return Make(TextFace::Default(), size); }

NSString* NSFont::fontName() const {
  return NSString::FromStd(m_font.face ? m_font.face->FullName() : std::string());
}

NSColor::~NSColor() {}

NSColor* NSColor::colorWithCalibratedRed_green_blue_alpha(CGFloat r, CGFloat g, CGFloat b,
                                                          CGFloat a) {
  NSColor* c = alloc();
  if (!c) return nullptr;
  const CGFloat in[4] = {r, g, b, a};
  for (int i = 0; i < 4; ++i) c->m_rgba[i] = in[i] > 0 ? std::min<CGFloat>(in[i], 1) : 0;
  return static_cast<NSColor*>(c->autorelease());
}

NSColor* NSColor::blackColor() { return colorWithCalibratedRed_green_blue_alpha(0, 0, 0, 1); }

NSParagraphStyle::~NSParagraphStyle() {}
NSMutableParagraphStyle::~NSMutableParagraphStyle() {}

NS_REGISTER_CLASS(NSFont);
NS_REGISTER_CLASS(NSColor);
NS_REGISTER_CLASS(NSParagraphStyle);
NS_REGISTER_CLASS(NSMutableParagraphStyle);
