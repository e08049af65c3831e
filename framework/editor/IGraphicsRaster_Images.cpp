// IGraphicsRaster's images: loading through the process-wide cache, derived copies, and the
// holds on them.

#include <cstdio>

#include "framework/editor/IBitmapCache.h"
#include "framework/editor/IGraphicsRaster.h"
#include "raster/bitmap/Raster_MemBitmap.h"
#include "raster/blit/Raster_Blit.h"

namespace {

// A skin file the bundle lacks, or one that does not decode, must not end the host: the
// controls that use it draw nothing and the user learns once which file it was.
void ReportMissingImage(int id, const char* name) {
  if (!IBitmapCache::Instance().FirstReportOf(name)) return;
  fprintf(stderr, "editor: image \"%s\" (id %d) could not be found or decoded; it is not drawn\n",
          name ? name : "", id);
  fflush(stderr);
}

// The cache takes derived; without room in its list the copy is dropped and no image returned.
IBitmap CacheDerived(Raster_MemBitmap* derived, int nFrames) {
  if (!IBitmapCache::Instance().Retain(derived)) {
    delete derived;
    return IBitmap(nullptr, 0, 0, nFrames);
  }
  return IBitmap(derived, derived->getWidth(), derived->getHeight(), nFrames);
}

}  // namespace

IBitmap IGraphicsRaster::LoadIBitmap(int id, const char* name, int nFrames) {
  IBitmapCache& cache = IBitmapCache::Instance();
  Raster_IBitmap* image = cache.Find(id);
  if (!image) {
    // Decoded outside the cache's lock so that one editor's loading does not hold up another's
    // drawing; when two threads decode the same id, the first to enter it wins.
    image = cache.AddLoaded(id, OSLoadBitmap(id, name));
    if (!image) ReportMissingImage(id, name);
  }
  if (!image) return IBitmap(nullptr, 0, 0, nFrames);
  return IBitmap(image, image->getWidth(), image->getHeight(), nFrames);
}

IBitmap IGraphicsRaster::ScaleBitmap(IBitmap* pBitmap, int destW, int destH) {
  if (!pBitmap || !pBitmap->mImage) return IBitmap(nullptr, 0, 0, pBitmap ? pBitmap->mFrames : 1);
  auto* scaled = new Raster_MemBitmap(destW, destH);
  Raster_ScaledBlit(scaled, pBitmap->mImage, 0, 0, destW, destH, 0.0f, 0.0f,
                    static_cast<float>(pBitmap->mWidth), static_cast<float>(pBitmap->mHeight), 1.0f,
                    kBlitCopy | kBlitFilterBilinear);
  return CacheDerived(scaled, pBitmap->mFrames);
}

IBitmap IGraphicsRaster::CropBitmap(IBitmap* pBitmap, IRECT* pR) {
  if (!pBitmap || !pBitmap->mImage || !pR)
    return IBitmap(nullptr, 0, 0, pBitmap ? pBitmap->mFrames : 1);
  auto* cropped = new Raster_MemBitmap(pR->W(), pR->H());
  Raster_Blit(cropped, pBitmap->mImage, 0, 0, pR->L, pR->T, pR->W(), pR->H(), 1.0f, kBlitCopy);
  return CacheDerived(cropped, pBitmap->mFrames);
}

void IGraphicsRaster::RetainBitmap(IBitmap* pBitmap) {
  if (pBitmap) IBitmapCache::Instance().Retain(pBitmap->mImage);
}

void IGraphicsRaster::ReleaseBitmap(IBitmap* pBitmap) {
  if (pBitmap) IBitmapCache::Instance().Release(pBitmap->mImage);
}
