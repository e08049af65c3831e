#pragma once
// The process-wide cache of the editor's raster images. Every skin image is decoded once, kept
// for the life of the process and shared by all editors; images an editor derives (scaled or
// cropped copies) live here too, tagged with the id kDerivedImageId, until they are released.
// The cache owns every image in it and deletes them all at process exit.
//
// One recursive lock guards the list; every operation takes it, so a caller that holds it
// (Lock) may call any of them again. Decoding happens outside the lock (IGraphicsRaster).

#include "core/Core_Mutex.h"
#include "core/Core_PtrList.h"
#include "core/Core_String.h"

class Raster_IBitmap;

// The id of images an editor made itself; never looked up by id.
constexpr int kDerivedImageId = -1;

struct BitmapCacheEntry {
  int mId;                 // resource id, kDerivedImageId for derived images
  Raster_IBitmap* mImage;  // owned
  // Holds beyond the cache's own: RetainBitmap adds one, ReleaseBitmap takes one away. A derived
  // image goes when its last hold is released; a loaded skin image stays for the process.
  int mRetains;
};

class IBitmapCache {
 public:
  // The one cache of the process, made on first use.
  static IBitmapCache& Instance();

  IBitmapCache();
  // Deletes every image, then the entries.
  ~IBitmapCache();
  IBitmapCache(const IBitmapCache&) = delete;
  IBitmapCache& operator=(const IBitmapCache&) = delete;

  // The image of the first entry with this id; null when there is none, and always for
  // kDerivedImageId.
  Raster_IBitmap* Find(int id);
  // Appends (id, image) unless an entry with this id already exists (another thread decoded the
  // same image first): then image is deleted and the cached one returned, so an id always means
  // one image. Returns the image now cached under id; null when the list could not grow (image
  // deleted too).
  Raster_IBitmap* AddLoaded(int id, Raster_IBitmap* image);
  // Takes a hold on image: a new derived entry when it is not cached yet, else one more retain.
  // False when the list could not grow (the caller still owns image then).
  bool Retain(Raster_IBitmap* image);
  // Gives one hold back; a derived image whose last hold goes is removed and deleted. An image
  // that is not cached is left alone.
  void Release(Raster_IBitmap* image);
  // True the first time a name is passed in this process; false afterwards. For reporting a
  // missing image once.
  bool FirstReportOf(const char* name);

  int Size();
  bool Contains(const Raster_IBitmap* image);

 private:
  int IndexOf(const Raster_IBitmap* image);

  Core_Mutex mLock;
  Core_PtrList<BitmapCacheEntry> mEntries;
  Core_PtrList<Core_String> mReported;
};
