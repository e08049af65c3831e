#include "framework/editor/IGraphicsRaster.h"

#include <cmath>

#include "raster/bitmap/Raster_MemBitmap.h"
#include "raster/bitmap/Raster_PixelUtil.h"
#include "raster/bitmap/Raster_SysBitmap.h"
#include "raster/blit/Raster_Blit.h"
#include "raster/curves/Raster_Curves.h"
#include "raster/lines/Raster_Lines.h"

namespace {

// An IColor as a raster pixel: bytes A, R, G, B in memory.
Raster_PixelValue Pack(const IColor* c) {
  return c ? Raster_MakePixel(c->R, c->G, c->B, c->A) : Raster_MakePixel(0, 0, 0, 0);
}

float Weight(const IChannelBlend* b) { return b ? b->mOpacity : 1.0f; }

// The raster mode word of a blend; filtered adds bilinear sampling (rotated images).
int RasterMode(const IChannelBlend* b, bool filtered = false) {
  int mode;
  switch (b ? b->mMode : kBlendAlpha) {
    case kBlendOpaque:
      mode = kBlitCopy;
      break;
    case kBlendAdd:
      mode = kBlitAdd | kBlitUseSourceAlpha;
      break;
    case kBlendColorDodge:
      mode = kBlitDodge | kBlitUseSourceAlpha;
      break;
    default:
      mode = kBlitCopy | kBlitUseSourceAlpha;
      break;
  }
  return filtered ? mode | kBlitFilterBilinear : mode;
}

// Truncates toward zero. A coordinate that is not finite gives false; one beyond any surface is
// held at +-2^30, where the raster library's clipping discards it like any other far point.
bool ToInt(float f, int* out) {
  if (!std::isfinite(f)) return false;
  const float kFar = 1073741824.0f;
  *out = static_cast<int>(f > kFar ? kFar : (f < -kFar ? -kFar : f));
  return true;
}

int Clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

}  // namespace

IGraphicsRaster::IGraphicsRaster(IPluginBase* plug, int w, int h, int ticksPerSecond)
    : IGraphics(plug, w, h, ticksPerSecond), mDrawSurface(nullptr), mScratch(nullptr) {}

IGraphicsRaster::~IGraphicsRaster() {
  delete mDrawSurface;
  delete mScratch;
}

void IGraphicsRaster::PrepDraw() {
  if (mDrawSurface)
    mDrawSurface->resize(mEditorWidth, mEditorHeight);
  else
    mDrawSurface = new Raster_SysBitmap(mEditorWidth, mEditorHeight);
  if (!mScratch) mScratch = new Raster_MemBitmap();
}

void IGraphicsRaster::Resize(int w, int h) {
  IGraphics::Resize(w, h);
  if (mDrawSurface) mDrawSurface->resize(w, h);
}

Raster_IBitmap* IGraphicsRaster::GetDrawSurface() const { return mDrawSurface; }

void* IGraphicsRaster::GetData() { return mDrawSurface ? mDrawSurface->getBits() : nullptr; }

// ---- Images ----

bool IGraphicsRaster::ClippedBlit(Raster_IBitmap* image, const IRECT& dest, int srcX, int srcY,
                                  const IChannelBlend* pBlend) {
  const IRECT r = dest.Intersect(mClipRect);
  if (r.Empty()) return true;
  Raster_Blit(mDrawSurface, image, r.L, r.T, srcX + (r.L - dest.L), srcY + (r.T - dest.T), r.W(),
              r.H(), Weight(pBlend), RasterMode(pBlend));
  return true;
}

bool IGraphicsRaster::DrawBitmap(IBitmap* pBitmap, IRECT* pDest, int srcX, int srcY,
                                 const IChannelBlend* pBlend) {
  if (!pBitmap || !pBitmap->mImage || !pDest) return false;
  return ClippedBlit(pBitmap->mImage, *pDest, srcX, srcY, pBlend);
}

bool IGraphicsRaster::DrawRotatedBitmap(IBitmap* pBitmap, int destCtrX, int destCtrY, double angle,
                                        int yOffsetZeroDeg, const IChannelBlend* pBlend) {
  if (!pBitmap || !pBitmap->mImage) return false;
  const int w = pBitmap->mWidth, h = pBitmap->mHeight;
  Raster_RotatedBlit(mDrawSurface, pBitmap->mImage, destCtrX - w / 2, destCtrY - h / 2, w, h, 0.0f,
                     0.0f, static_cast<float>(w), static_cast<float>(h), static_cast<float>(angle),
                     false, Weight(pBlend), RasterMode(pBlend, true), 0.0f,
                     static_cast<float>(yOffsetZeroDeg));
  return true;
}

bool IGraphicsRaster::DrawRotatedMask(IBitmap* pBase, IBitmap* pMask, IBitmap* pTop, int x, int y,
                                      double angle, const IChannelBlend* pBlend) {
  // Without a base the scratch would keep the previous drawing's pixels.
  if (!pBase || !pBase->mImage) return false;
  if (!mScratch) mScratch = new Raster_MemBitmap();
  const int w = pBase->mWidth, h = pBase->mHeight;
  // The base's colours with alpha 0; the rotated mask then adds the alpha that lets them show.
  Raster_Copy(mScratch, pBase->mImage);
  Raster_ClearRect(mScratch, 0, 0, w, h, 0xFFFFFF00u, 0);
  const float radians = static_cast<float>(M_PI * angle / 180.0);
  // An odd width has its centre in the middle of a pixel column.
  const float centreX = (w & 1) ? -0.5f : 0.0f;
  const float fw = static_cast<float>(w), fh = static_cast<float>(h);
  if (pMask)
    Raster_RotatedBlit(mScratch, pMask->mImage, 0, 0, w, h, 0.0f, 0.0f, fw, fh, radians, true, 1.0f,
                       kBlitAdd | kBlitFilterBilinear | kBlitUseSourceAlpha, centreX, 0.0f);
  if (pTop)
    Raster_RotatedBlit(mScratch, pTop->mImage, 0, 0, w, h, 0.0f, 0.0f, fw, fh, radians, true, 1.0f,
                       kBlitCopy | kBlitFilterBilinear | kBlitUseSourceAlpha, centreX, 0.0f);
  return ClippedBlit(mScratch, IRECT(x, y, x + w, y + h), 0, 0, pBlend);
}

// ---- Points, lines and shapes ----

bool IGraphicsRaster::DrawPoint(const IColor* pColor, float x, float y, const IChannelBlend* pBlend,
                                bool) {
  int xi, yi;
  if (!ToInt(x + 0.5f, &xi) || !ToInt(y + 0.5f, &yi)) return false;
  Raster_PutPixel(mDrawSurface, xi, yi, Pack(pColor), Weight(pBlend), RasterMode(pBlend));
  return true;
}

bool IGraphicsRaster::ForcePixel(const IColor* pColor, int x, int y) {
  Raster_RowView view(mDrawSurface);
  if (view.empty() || x < 0 || y < 0 || x >= view.w || y >= view.h) return false;
  view.row(y)[x] = Pack(pColor);
  return true;
}

bool IGraphicsRaster::DrawLine(const IColor* pColor, float x1, float y1, float x2, float y2,
                               const IChannelBlend* pBlend, bool antiAlias) {
  int ix1, iy1, ix2, iy2;
  if (!ToInt(x1, &ix1) || !ToInt(y1, &iy1) || !ToInt(x2, &ix2) || !ToInt(y2, &iy2)) return false;
  Raster_Line(mDrawSurface, ix1, iy1, ix2, iy2, Pack(pColor), Weight(pBlend), RasterMode(pBlend),
              antiAlias);
  return true;
}

bool IGraphicsRaster::DrawArc(const IColor* pColor, float cx, float cy, float r, float minAngle,
                              float maxAngle, const IChannelBlend* pBlend, bool antiAlias) {
  if (!mDrawSurface) return false;
  Raster_Arc(mDrawSurface, cx, cy, r, minAngle, maxAngle, Pack(pColor), Weight(pBlend),
             RasterMode(pBlend), antiAlias);
  return true;
}

bool IGraphicsRaster::DrawCircle(const IColor* pColor, float cx, float cy, float r,
                                 const IChannelBlend* pBlend, bool antiAlias) {
  if (!mDrawSurface) return false;
  Raster_Circle(mDrawSurface, cx, cy, r, Pack(pColor), Weight(pBlend), RasterMode(pBlend),
                antiAlias);
  return true;
}

bool IGraphicsRaster::FillIRect(const IColor* pColor, IRECT* pR, const IChannelBlend* pBlend) {
  if (!pR) return false;
  Raster_FillRect(mDrawSurface, pR->L, pR->T, pR->W(), pR->H(), Pack(pColor), Weight(pBlend),
                  RasterMode(pBlend));
  return true;
}

// The run is addressed through the surface's own row span, which stays wider than the editor
// after a shrinking Resize.
bool IGraphicsRaster::DrawVerticalLine(const IColor* pColor, int xi, int yLo, int yHi) {
  Raster_RowView view(mDrawSurface);
  if (view.empty()) return false;
  const int x = Clamp(xi, 0, view.w - 1);
  const Raster_PixelValue p = Pack(pColor);
  for (int y = Clamp(yLo, 0, view.h - 1), end = Clamp(yHi, 0, view.h - 1); y <= end; ++y)
    view.row(y)[x] = p;
  return true;
}

bool IGraphicsRaster::DrawHorizontalLine(const IColor* pColor, int yi, int xLo, int xHi) {
  Raster_RowView view(mDrawSurface);
  if (view.empty()) return false;
  Raster_PixelValue* row = view.row(Clamp(yi, 0, view.h - 1));
  const Raster_PixelValue p = Pack(pColor);
  for (int x = Clamp(xLo, 0, view.w - 1), end = Clamp(xHi, 0, view.w - 1); x <= end; ++x)
    row[x] = p;
  return true;
}

IColor IGraphicsRaster::GetPoint(int x, int y) {
  const Raster_PixelValue p = Raster_GetPixel(mDrawSurface, x, y);
  return IColor(Raster_GetA(p), Raster_GetR(p), Raster_GetG(p), Raster_GetB(p));
}
