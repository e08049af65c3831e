#include "framework/editor/IBitmapCache.h"

#include <cstring>

#include "raster/bitmap/Raster_IBitmap.h"

IBitmapCache& IBitmapCache::Instance() {
  // A function-local static: made by the first editor that loads an image, destroyed at exit
  // after every editor of the process has gone.
  static IBitmapCache s_bitmapCache;
  return s_bitmapCache;
}

IBitmapCache::IBitmapCache() : mEntries(4096), mReported(4096) {}

IBitmapCache::~IBitmapCache() {
  for (int i = 0; i < mEntries.GetSize(); ++i) delete mEntries.Get(i)->mImage;
  mEntries.Empty(true);
  mReported.Empty(true);
}

Raster_IBitmap* IBitmapCache::Find(int id) {
  if (id == kDerivedImageId) return nullptr;
  Core_MutexLock lock(&mLock);
  for (int i = 0; i < mEntries.GetSize(); ++i) {
    BitmapCacheEntry* e = mEntries.Get(i);
    if (e->mId == id) return e->mImage;
  }
  return nullptr;
}

Raster_IBitmap* IBitmapCache::AddLoaded(int id, Raster_IBitmap* image) {
  if (!image) return nullptr;
  Core_MutexLock lock(&mLock);
  if (Raster_IBitmap* cached = Find(id)) {
    delete image;
    return cached;
  }
  auto* e = new BitmapCacheEntry{id, image, 0};
  if (!mEntries.Add(e)) {
    delete e;
    delete image;
    return nullptr;
  }
  return image;
}

int IBitmapCache::IndexOf(const Raster_IBitmap* image) {
  for (int i = 0; i < mEntries.GetSize(); ++i)
    if (mEntries.Get(i)->mImage == image) return i;
  return -1;
}

bool IBitmapCache::Retain(Raster_IBitmap* image) {
  if (!image) return false;
  Core_MutexLock lock(&mLock);
  const int i = IndexOf(image);
  if (i >= 0) {
    ++mEntries.Get(i)->mRetains;
    return true;
  }
  auto* e = new BitmapCacheEntry{kDerivedImageId, image, 1};
  if (mEntries.Add(e)) return true;
  delete e;
  return false;
}

void IBitmapCache::Release(Raster_IBitmap* image) {
  if (!image) return;
  Core_MutexLock lock(&mLock);
  const int i = IndexOf(image);
  if (i < 0) return;
  BitmapCacheEntry* e = mEntries.Get(i);
  if (e->mRetains > 0) --e->mRetains;
  // A loaded skin image may be drawn by any editor of the process, so it stays.
  if (e->mRetains > 0 || e->mId != kDerivedImageId) return;
  mEntries.Delete(i, true);
  delete image;
}

bool IBitmapCache::FirstReportOf(const char* name) {
  if (!name) name = "";
  Core_MutexLock lock(&mLock);
  for (int i = 0; i < mReported.GetSize(); ++i)
    if (strcmp(mReported.Get(i)->Get(), name) == 0) return false;
  auto* s = new Core_String(name);
  if (!mReported.Add(s)) delete s;
  return true;
}

int IBitmapCache::Size() {
  Core_MutexLock lock(&mLock);
  return mEntries.GetSize();
}

bool IBitmapCache::Contains(const Raster_IBitmap* image) {
  Core_MutexLock lock(&mLock);
  return IndexOf(image) >= 0;
}
