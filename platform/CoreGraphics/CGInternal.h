// Private records of the Core Graphics stand-in. Not installed for other code.
#pragma once

#include <CoreGraphics/CoreGraphics.h>

#include <agg_color_rgba.h>
#include <agg_conv_curve.h>
#include <agg_conv_stroke.h>
#include <agg_conv_transform.h>
#include <agg_path_storage.h>
#include <agg_rasterizer_scanline_aa.h>
#include <agg_scanline_u.h>
#include <agg_trans_affine.h>

#include <atomic>
#include <memory>
#include <vector>

// Reference counting shared by every object type here.
struct CGObject {
  std::atomic<int> refs{1};
};

// Byte positions of the four components inside a 32-bit pixel, and how alpha is held.
enum CGAlphaKind { kCGAlphaKindSkip, kCGAlphaKindPremultiplied, kCGAlphaKindStraight };
struct CGPixelLayout {
  int a, r, g, b;
  CGAlphaKind alpha;
};
// The layout named by a bitmap info word; false when it is not one this stand-in handles.
// allowStraight accepts kCGImageAlphaFirst / kCGImageAlphaLast (images only).
bool CGPixelLayoutFromBitmapInfo(CGBitmapInfo info, bool allowStraight, CGPixelLayout* out);

struct CGColorSpace : CGObject {
  size_t components = 3;
};
// The process-wide device RGB space (never freed).
CGColorSpaceRef CGColorSpaceDeviceRGBShared();

struct CGColor : CGObject {
  CGFloat comps[4];  // r, g, b, a in 0..1
};

struct CGDataProvider : CGObject {
  void* info = nullptr;
  const void* data = nullptr;
  size_t size = 0;
  CGDataProviderReleaseDataCallback release = nullptr;
};

// Images keep premultiplied pixels, 4 bytes each in memory order alpha, red, green, blue,
// rows tightly packed, whatever layout they were made from.
struct CGImage : CGObject {
  size_t width = 0, height = 0;
  CGBitmapInfo bitmapInfo = 0;
  std::vector<uint8_t> pixels;
};
// A new image converting width x height pixels of the given layout; null when memory fails.
CGImageRef CGImageCreateFromPixels(const uint8_t* data, size_t width, size_t height,
                                   size_t bytesPerRow, const CGPixelLayout& layout,
                                   CGBitmapInfo bitmapInfo);

typedef agg::rasterizer_scanline_aa<agg::rasterizer_sl_clip_dbl> CGRasterizer;
typedef agg::scanline_u8 CGScanline;

// Writes rasterised coverage into pixel memory of one layout (implemented per layout).
class CGRasterTarget {
 public:
  virtual ~CGRasterTarget() {}
  // Composites a premultiplied colour over the covered pixels.
  virtual void fillSolid(CGRasterizer& ras, CGScanline& sl, agg::rgba8 premultiplied) = 0;
  // Composites an image (premultiplied alpha-red-green-blue) over the covered pixels;
  // pixelToImage maps target pixel coordinates to image pixel coordinates.
  virtual void fillImage(CGRasterizer& ras, CGScanline& sl, const CGImage& image,
                         const agg::trans_affine& pixelToImage, double alpha, bool nearest) = 0;
  // Scales every component of the covered pixels down by their coverage (to zero when
  // fully covered).
  virtual void clear(CGRasterizer& ras, CGScanline& sl) = 0;
  // Composites a premultiplied colour over the whole pixels [x1, x2) x [y1, y2), which lie
  // inside the bitmap: the pixels the rasteriser gives for a pixel-aligned rectangle.
  virtual void fillRect(int x1, int y1, int x2, int y2, agg::rgba8 premultiplied) = 0;
};
std::unique_ptr<CGRasterTarget> CGRasterTargetCreate(uint8_t* data, int width, int height,
                                                     int bytesPerRow, const CGPixelLayout& layout);

struct CGGState {
  CGAffineTransform ctm = CGAffineTransformIdentity;
  // Clip rectangle in pixel coordinates (x right, y down from memory row 0).
  double clipX1 = 0, clipY1 = 0, clipX2 = 0, clipY2 = 0;
  CGFloat fill[4] = {0, 0, 0, 1};
  CGFloat stroke[4] = {0, 0, 0, 1};
  CGFloat lineWidth = 1;
  CGLineCap cap = kCGLineCapButt;
  CGLineJoin join = kCGLineJoinMiter;
  CGFloat miterLimit = 10;
  CGFloat alpha = 1;
  bool antialias = true;
  CGInterpolationQuality interpolation = kCGInterpolationDefault;
};

typedef agg::conv_curve<agg::path_storage> CGCurve;
typedef agg::conv_transform<CGCurve> CGCurveToUser;
typedef agg::conv_stroke<CGCurveToUser> CGStroker;
typedef agg::conv_transform<CGStroker> CGStrokeToPixel;

struct CGContext : CGObject {
  CGContext();
  ~CGContext();

  CGGState gs;
  std::vector<CGGState> saved;

  // The current path, held in pixel coordinates; hasCurrent tells whether a current point
  // exists. scratch holds the shapes of the convenience painters.
  agg::path_storage path;
  bool hasCurrent = false;
  double curX = 0, curY = 0;      // current point (pixels)
  double startX = 0, startY = 0;  // start of the current subpath (pixels)
  agg::path_storage scratch;

  // Persistent rasterising state, so painting reuses its memory.
  CGRasterizer ras;
  CGScanline sl;
  agg::trans_affine toUser, toPixel;
  CGCurve curve;
  CGCurveToUser curveToUser;
  CGStroker stroker;
  CGStrokeToPixel strokeToPixel;

  // Bitmap.
  std::unique_ptr<CGRasterTarget> target;
  uint8_t* data = nullptr;
  bool ownsData = false;
  size_t width = 0, height = 0, bytesPerRow = 0;
  CGBitmapInfo bitmapInfo = 0;
  CGPixelLayout layout{};
  CGColorSpaceRef space = nullptr;

  // User space to pixel coordinates under the current CTM.
  agg::trans_affine userToPixel() const;
};

// Painting helpers shared by the path and convenience painters.
void CGPaintFill(CGContext* c, agg::path_storage& p, bool evenOdd);
void CGPaintStroke(CGContext* c, agg::path_storage& p);
// Append an ellipse (four cubic curves, closed) or a rectangle given in user space to p in
// pixel coordinates; false, appending nothing, when a coordinate is not finite.
bool CGAppendEllipse(const agg::trans_affine& m, agg::path_storage& p, CGRect rect);
bool CGAppendRect(const agg::trans_affine& m, agg::path_storage& p, CGRect rect);
