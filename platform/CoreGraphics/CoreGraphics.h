// Core Graphics stand-in: bitmap contexts over caller memory, colours, transforms, paths,
// stroke and fill, clipping and images, drawn by an anti-aliasing scan-line rasteriser.
#ifndef CORE_GRAPHICS_H
#define CORE_GRAPHICS_H

#include <CoreGraphics/CGBase.h>
#include <CoreGraphics/CGGeometry.h>
#include <CoreGraphics/CGAffineTransform.h>
#include <CoreGraphics/CGColorSpace.h>
#include <CoreGraphics/CGColor.h>
#include <CoreGraphics/CGDataProvider.h>
#include <CoreGraphics/CGImage.h>
#include <CoreGraphics/CGContext.h>
#include <CoreGraphics/CGBitmapContext.h>

#endif
