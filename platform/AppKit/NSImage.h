// Images: decoded from PNG or JPEG files or made from a Core Graphics image, with a size in
// points (one point is one pixel here), and a process-wide registry of named images.
#ifndef __APPKIT_NSIMAGE__
#define __APPKIT_NSIMAGE__

#include <CoreGraphics/CoreGraphics.h>
#include <Foundation/Foundation.h>

class NSImage : public NSObject {
  NS_OBJECT_CLASS(NSImage, NSObject)

  // Decodes a PNG or JPEG file (paths in UTF-8); null, releasing the object, when the file
  // cannot be read or decoded, or is too large to hold.
  NSImage* initWithContentsOfFile(const char* path);
  // Keeps a reference to the image. A zero size means the image's pixel size. Null,
  // releasing the object, for a null image.
  NSImage* initWithCGImage_size(CGImageRef image, NSSize size);

  NSSize size() const { return m_size; }
  // The image's pixels (not retained: valid while the NSImage lives). The rectangle,
  // context and hints are not used.
  CGImageRef CGImageForProposedRect_context_hints(NSRect* proposedRect, void* context,
                                                  void* hints) const;

  // The image registered under the name, else null (not retained).
  static NSImage* imageNamed(const char* name);
  // Registers the image under a name, replacing any other image of that name; null or ""
  // removes the image's registration. A registered image stays registered until it is
  // deallocated. False when the name is taken by another image and cannot be given.
  bool setName(const char* name);
  const char* name() const;

 private:
  CGImageRef m_image = nullptr;
  NSSize m_size = {0, 0};
};

#endif
