// Fonts: an installed face (found through the text engine: "Arial" is its metric-compatible
// Liberation Sans) at a size in points, one point being one pixel here.
#ifndef __APPKIT_NSFONT__
#define __APPKIT_NSFONT__

#include <Foundation/Foundation.h>

#include "TextEngine/TextFont.h"

class NSFont : public NSObject {
  NS_OBJECT_CLASS(NSFont, NSObject)

  // Autoreleased. Null when no installed face answers to the name, as on the platform.
  static NSFont* fontWithName_size(const NSString* name, CGFloat size);
  // The system's default sans-serif face; null only on a system without fonts.
  static NSFont* systemFontOfSize(CGFloat size);

  NSString* fontName() const;  // autoreleased
  CGFloat pointSize() const { return m_font.size; }
  const TextFont& Font() const { return m_font; }

 private:
  static NSFont* Make(TextFace* face, CGFloat size);
  TextFont m_font;
};

#endif
