// Bitmap objects: images loaded by file or by name, their size, and drawing them.
#pragma once

#include "gdi_compat/GDI_Types.h"

class NSImage;

// A bitmap object. A name containing '/' is a file (PNG or JPEG) the object then owns; a
// name without one, or a file that cannot be loaded, is looked up among the application's
// named images (NSImage::imageNamed; not owned). With magentaTransparent the image is
// copied and every pixel that is exactly opaque magenta (255, 0, 255) made fully
// transparent; the copy is owned. Null when there is no image or no record.
HICON LoadNamedImage(const char* name, bool magentaTransparent);

// Clears size bytes of out; for a bitmap object with an image and size 8 writes its width
// and height (two ints, rounded to the nearest integer) and returns 1; otherwise 0.
int GetObject(HGDIOBJ obj, int size, void* out);

// The image of a bitmap object, else null.
NSImage* GetNSImageFromHICON(HICON icon);

// Draws a bitmap object's image scaled into the rectangle, composited over what is there at
// full opacity. Nothing for a rectangle without area, a null context or a non-bitmap.
void DrawImageInRect(HDC ctx, HICON icon, const RECT* rect);
