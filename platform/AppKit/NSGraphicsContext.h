// Graphics contexts: a Core Graphics context (the graphics port) with a flag telling
// whether its user space is flipped (origin at the top-left, y down). Each thread has a
// current context and a stack of saved ones.
#ifndef __APPKIT_NSGRAPHICSCONTEXT__
#define __APPKIT_NSGRAPHICSCONTEXT__

#include <CoreGraphics/CoreGraphics.h>
#include <Foundation/Foundation.h>

class NSGraphicsContext : public NSObject {
  NS_OBJECT_CLASS(NSGraphicsContext, NSObject)

  // Autoreleased; the port (a CGContextRef) is retained. Null for a null port.
  static NSGraphicsContext* graphicsContextWithGraphicsPort_flipped(void* port, bool flipped);
  static NSGraphicsContext* currentContext();
  // Retains the context; null clears.
  static void setCurrentContext(NSGraphicsContext* context);
  // Pushes the current context and the state of its port; restore pops both back.
  static void saveGraphicsState();
  static void restoreGraphicsState();

  void* graphicsPort() const { return m_port; }
  bool isFlipped() const { return m_flipped; }
  void setShouldAntialias(bool antialias);
  bool shouldAntialias() const { return m_antialias; }

 private:
  CGContextRef m_port = nullptr;
  bool m_flipped = false;
  bool m_antialias = true;
};

#endif
