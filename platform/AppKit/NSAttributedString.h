// The keys of text-drawing attribute dictionaries.
#ifndef __APPKIT_NSATTRIBUTEDSTRING__
#define __APPKIT_NSATTRIBUTEDSTRING__

#include <Foundation/Foundation.h>

extern NSString* const NSFontAttributeName;             // an NSFont
extern NSString* const NSForegroundColorAttributeName;  // an NSColor
extern NSString* const NSParagraphStyleAttributeName;   // an NSParagraphStyle

#endif
