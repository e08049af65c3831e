#pragma once
// The editor's raster back end: every drawing primitive of IGraphics drawn with the raster
// library into one off-screen 32-bit surface of the editor's size, which the window host copies
// to the screen (DrawScreen). Images come from the process-wide IBitmapCache: each skin image
// is decoded once by the window host's OSLoadBitmap and shared by every editor.
//
// What stays abstract is the window host's: DrawScreen, DrawIText, OSLoadBitmap, the prompts,
// paths and window operations.
//
// Clipping: DrawBitmap and DrawRotatedMask clip to mClipRect (the region the redraw cycle is
// painting); lines, points, arcs, circles, rectangles and rotated bitmaps only to the surface.
//
// Colours: an IColor becomes the raster pixel with bytes A, R, G, B in memory. Blends: the
// weight is mOpacity; kBlendOpaque copies, kBlendAdd adds and kBlendColorDodge dodges, and
// kBlendAlpha (and any unknown mode) copies weighted by the source alpha; the three but opaque
// use the source alpha too. A null blend is (kBlendAlpha, 1).
//
// An IBitmap without an image (one whose file was missing) draws nothing anywhere.

#include "framework/editor/IGraphics.h"

class Raster_IBitmap;
class Raster_MemBitmap;
class Raster_SysBitmap;

class IGraphicsRaster : public IGraphics {
 public:
  IGraphicsRaster(IPluginBase* plug, int w, int h, int ticksPerSecond = 0);
  // Deletes the surface and the scratch bitmap; cached images outlive every editor.
  ~IGraphicsRaster() override;
  using IGraphics::DrawBitmap;
  using IGraphics::DrawHorizontalLine;
  using IGraphics::DrawVerticalLine;

  // Makes the surface (editor-sized) and the scratch bitmap; again only resizes the surface.
  void PrepDraw() override;
  bool DrawBitmap(IBitmap* pBitmap, IRECT* pDest, int srcX, int srcY,
                  const IChannelBlend* pBlend) override;
  // The whole image (all frames) rotated by angle radians about its centre, moved down by
  // yOffsetZeroDeg, centred on (destCtrX, destCtrY), filtered bilinearly.
  bool DrawRotatedBitmap(IBitmap* pBitmap, int destCtrX, int destCtrY, double angle,
                         int yOffsetZeroDeg, const IChannelBlend* pBlend) override;
  // pBase's colours where pMask (rotated by angle degrees) is opaque, pTop rotated over them,
  // drawn at (x, y) in the base's size.
  bool DrawRotatedMask(IBitmap* pBase, IBitmap* pMask, IBitmap* pTop, int x, int y, double angle,
                       const IChannelBlend* pBlend) override;
  bool DrawPoint(const IColor* pColor, float x, float y, const IChannelBlend* pBlend,
                 bool antiAlias) override;
  // Writes the colour as it is, alpha included; false (nothing written) outside the surface.
  bool ForcePixel(const IColor* pColor, int x, int y) override;
  bool DrawLine(const IColor* pColor, float x1, float y1, float x2, float y2,
                const IChannelBlend* pBlend, bool antiAlias) override;
  bool DrawArc(const IColor* pColor, float cx, float cy, float r, float minAngle, float maxAngle,
               const IChannelBlend* pBlend, bool antiAlias) override;
  bool DrawCircle(const IColor* pColor, float cx, float cy, float r, const IChannelBlend* pBlend,
                  bool antiAlias) override;
  bool FillIRect(const IColor* pColor, IRECT* pR, const IChannelBlend* pBlend) override;
  // The surface pixel; transparent black outside it.
  IColor GetPoint(int x, int y) override;
  // The surface's first pixel (row 0), null before PrepDraw.
  void* GetData() override;
  // The base's resize (controls rebuilt by the plug-in), then the surface follows the new size.
  void Resize(int w, int h) override;

  // The same id always gives the same image, loaded once per process. A missing or undecodable
  // file gives an IBitmap without image (it draws nothing) and one line on stderr per file name.
  IBitmap LoadIBitmap(int id, const char* name, int nFrames) override;
  // A new cached image, the source scaled bilinearly to w x h (same frame count).
  IBitmap ScaleBitmap(IBitmap* pBitmap, int destW, int destH) override;
  // A new cached image holding the part pR of the source (same frame count).
  IBitmap CropBitmap(IBitmap* pBitmap, IRECT* pR) override;

  // Overwrite the run from one end to the other inclusive with the colour, alpha included. The
  // fixed coordinate and both ends are clamped into the surface first, so a line past an edge
  // lands on the edge; a low end above the high end draws nothing.
  bool DrawVerticalLine(const IColor* pColor, int xi, int yLo, int yHi) override;
  bool DrawHorizontalLine(const IColor* pColor, int yi, int xLo, int xHi) override;

  // Holds on a derived image in the image cache (the cache then owns it); a second retain of
  // the same image is counted, not entered twice.
  void RetainBitmap(IBitmap* pBitmap) override;
  // Gives one hold back; a derived image goes with its last hold. Loaded skin images, and
  // images not in the cache, stay.
  void ReleaseBitmap(IBitmap* pBitmap) override;

  Raster_IBitmap* GetDrawSurface() const;

 protected:
  Raster_SysBitmap* mDrawSurface;
  Raster_MemBitmap* mScratch;  // work space of DrawRotatedMask

 private:
  // Draws the part of image inside both pDest and mClipRect, reading from (srcX, srcY) at
  // pDest's top-left corner.
  bool ClippedBlit(Raster_IBitmap* image, const IRECT& dest, int srcX, int srcY,
                   const IChannelBlend* pBlend);
};
