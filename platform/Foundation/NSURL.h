// URLs: web addresses checked for the characters a URL may hold, and file URLs made from
// paths.
#ifndef __FOUNDATION_NSURL__
#define __FOUNDATION_NSURL__

#include <Foundation/NSString.h>

class NSURL : public NSObject {
  NS_OBJECT_CLASS(NSURL, NSObject)

  // Autoreleased. Null for null, for "" and for text with characters a URL may not hold
  // (spaces, quotes, angle brackets, braces, controls, non-ASCII, a "%" not followed by two
  // hex digits), as on the platform.
  static NSURL* URLWithString(const NSString* text);
  // A file:// URL for the path (made absolute against the working directory), with the
  // characters a URL may not hold percent-encoded. Null for null or "".
  static NSURL* fileURLWithPath(const NSString* path);

  NSString* absoluteString() const;  // autoreleased
  bool isFileURL() const { return m_file; }
  // The file path of a file URL (autoreleased), else null.
  NSString* path() const;

 private:
  std::string m_text;
  std::string m_path;
  bool m_file = false;
};

#endif
