// Colours: red, green, blue and alpha components in 0..1.
#ifndef __APPKIT_NSCOLOR__
#define __APPKIT_NSCOLOR__

#include <Foundation/Foundation.h>

class NSColor : public NSObject {
  NS_OBJECT_CLASS(NSColor, NSObject)

  // Autoreleased; components are held within 0..1.
  static NSColor* colorWithCalibratedRed_green_blue_alpha(CGFloat r, CGFloat g, CGFloat b,
                                                          CGFloat a);
  static NSColor* blackColor();

  CGFloat redComponent() const { return m_rgba[0]; }
  CGFloat greenComponent() const { return m_rgba[1]; }
  CGFloat blueComponent() const { return m_rgba[2]; }
  CGFloat alphaComponent() const { return m_rgba[3]; }
  const CGFloat* Components() const { return m_rgba; }

 private:
  CGFloat m_rgba[4] = {0, 0, 0, 1};
};

#endif
