// Immutable strings held as UTF-8, with the path operations of the platform and AppKit's
// string drawing (defined by AppKit, which draws through the text engine).
#ifndef __FOUNDATION_NSSTRING__
#define __FOUNDATION_NSSTRING__

#include <string>

#include <Foundation/NSGeometry.h>
#include <Foundation/NSObjCRuntime.h>

class NSDictionary;

typedef NSInteger NSStringDrawingOptions;
enum {
  NSStringDrawingUsesLineFragmentOrigin = 1 << 0,
  NSStringDrawingUsesFontLeading = 1 << 1,
  NSStringDrawingDisableScreenFontSubstitution = 1 << 2,
  NSStringDrawingUsesDeviceMetrics = 1 << 3,
  NSStringDrawingOneShot = 1 << 4,
  NSStringDrawingTruncatesLastVisibleLine = 1 << 5
};

class NSString : public NSObject {
  NS_OBJECT_CLASS(NSString, NSObject)

  // Autoreleased strings. stringWithUTF8String: null for null and for bytes that are not
  // UTF-8. stringWithCString: null only for null; bytes that are not UTF-8 are taken one by
  // one as Latin-1 characters, so a label saved in an 8-bit encoding still shows.
  static NSString* stringWithUTF8String(const char* text);
  static NSString* stringWithCString(const char* text);
  NSString* initWithUTF8String(const char* text);

  // The text as UTF-8, valid while the string lives.
  const char* UTF8String() const { return m_text.c_str(); }
  // Length in UTF-16 units, as on the platform.
  NSUInteger length() const;
  bool isEqualToString(const NSString* other) const;

  // Path operations on "/"-separated paths; each returns an autoreleased string. Trailing
  // separators are ignored ("a/b/" is "a/b") except for the root "/".
  // "dir/name.ext" -> "name.ext"; "/" -> "/"; "" -> "".
  NSString* lastPathComponent() const;
  // "dir/name.ext" -> "dir/name"; a leading dot does not start an extension (".png" stays).
  NSString* stringByDeletingPathExtension() const;
  // "dir/name.ext" -> "ext"; "" when there is none.
  NSString* pathExtension() const;
  // "/a/b" -> "/a"; "/a" -> "/"; "a" -> "".
  NSString* stringByDeletingLastPathComponent() const;
  NSString* stringByAppendingPathComponent(const NSString* component) const;

  // AppKit: draws the string as one line into the current graphics context with the
  // attributes (font, foreground colour, paragraph alignment; null means the defaults:
  // Helvetica 12, black, left). The line is aligned within the rectangle's width. With
  // NSStringDrawingUsesLineFragmentOrigin the rectangle's top edge is the top of the line;
  // without it the rectangle's origin is the baseline's left end. Nothing is clipped.
  void drawWithRect_options_attributes(NSRect rect, NSStringDrawingOptions options,
                                       const NSDictionary* attributes) const;
  // AppKit: the size of the line in the attributes' font.
  NSSize sizeWithAttributes(const NSDictionary* attributes) const;

  const std::string& str() const { return m_text; }
  static NSString* FromStd(const std::string& text);  // autoreleased, text must be UTF-8

 private:
  std::string m_text;
};

// Constant strings (the platform's @"..."): one object per text for the life of the process.
NSString* NSSTR(const char* text);

#endif
