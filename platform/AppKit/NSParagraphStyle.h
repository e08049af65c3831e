// Paragraph styles: here only the alignment of a line within its rectangle.
#ifndef __APPKIT_NSPARAGRAPHSTYLE__
#define __APPKIT_NSPARAGRAPHSTYLE__

#include <Foundation/Foundation.h>

typedef NSUInteger NSTextAlignment;
enum {
  NSLeftTextAlignment = 0,
  NSRightTextAlignment = 1,
  NSCenterTextAlignment = 2,
  NSJustifiedTextAlignment = 3,
  NSNaturalTextAlignment = 4
};

class NSParagraphStyle : public NSObject {
  NS_OBJECT_CLASS(NSParagraphStyle, NSObject)

  NSTextAlignment alignment() const { return m_alignment; }

 protected:
  NSTextAlignment m_alignment = NSNaturalTextAlignment;
};

class NSMutableParagraphStyle : public NSParagraphStyle {
  NS_OBJECT_CLASS(NSMutableParagraphStyle, NSParagraphStyle)

  void setAlignment(NSTextAlignment alignment) { m_alignment = alignment; }
};

#endif
