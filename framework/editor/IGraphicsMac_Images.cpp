// Skin images from the plug-in bundle's Resources.
#include <Foundation/Foundation.h>
#include <strings.h>

#include <cstdio>

#include "framework/editor/IBitmapCache.h"
#include "framework/editor/IGraphicsMac.h"
#include "raster/bitmap/Raster_DeferredImage.h"
#include "raster/bitmap/Raster_ImageLoader.h"

namespace {

// A skin whose header read well but whose pixels do not decode when first drawn: drawn
// transparent, and said once, like a missing one.
void ReportUndecodableImage(const char* path) {
  if (!IBitmapCache::Instance().FirstReportOf(path)) return;
  fprintf(stderr, "editor: image \"%s\" could not be decoded; it is not drawn\n", path);
  fflush(stderr);
}

}  // namespace

Raster_IBitmap* LoadImgFromResourceOSX(const char* bundleID, const char* fileName) {
  if (!fileName) return nullptr;
  NSAutoreleaseScope pool;
  const char* dot = strrchr(fileName, '.');
  const char* ext = dot ? dot + 1 : fileName;
  const bool png = strcasecmp(ext, "png") == 0, jpg = strcasecmp(ext, "jpg") == 0;
  if (!png && !jpg) return nullptr;
  NSBundle* bundle = NSBundle::bundleWithIdentifier(NSString::stringWithCString(bundleID));
  if (!bundle) return nullptr;
  // Only the bundle's own Resources are searched, whatever folders the name mentions.
  NSString* base =
      NSString::stringWithCString(fileName)->lastPathComponent()->stringByDeletingPathExtension();
  NSString* path = bundle->pathForResource_ofType(base, NSSTR(png ? "png" : "jpg"));
  if (!path || !*path->UTF8String()) return nullptr;
  // PNG skins are decoded when first drawn: an instance that is only rendered through never
  // shows its editor.
  return png ? Raster_DeferredImage::OpenPNG(path->UTF8String(), ReportUndecodableImage)
             : Raster_LoadJPG(path->UTF8String(), nullptr);
}

Raster_IBitmap* IGraphicsMac::OSLoadBitmap(int, const char* name) {
  return LoadImgFromResourceOSX(mBundleIdent.Get(), name);
}
