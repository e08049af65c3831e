#pragma once
// A PNG file whose size is read from its header at once and whose pixels are decoded the first
// time anyone asks for them. A plug-in builds its editor with every skin image when it is
// constructed, but an instance that is only rendered through never shows it: with deferred
// images such an instance never pays for decoding its skins.
//
// The pixels are decoded once, by whichever thread asks first; the others wait for it. A file
// that cannot be decoded then (it changed or was damaged after its header was read) leaves a
// transparent image of the header's size, so the width and height already handed out stay
// true, and the failure callback is called once with the file's path.

#include <atomic>
#include <mutex>
#include <string>

#include "raster/bitmap/Raster_IBitmap.h"
#include "raster/bitmap/Raster_MemBitmap.h"

class Raster_DeferredImage : public Raster_IBitmap {
 public:
  typedef void (*FailureReport)(const char* path);

  // Null when path is not a readable PNG header, or the image is empty or larger than
  // kRasterMaxImagePixels.
  static Raster_DeferredImage* OpenPNG(const char* path, FailureReport onFailure = nullptr);

  Raster_PixelValue* getBits() override { return Pixels().getBits(); }
  int getWidth() override { return mWidth; }
  int getHeight() override { return mHeight; }
  int getRowSpan() override { return Pixels().getRowSpan(); }
  // Decodes first, so the resized image keeps what fits of the pixels.
  bool resize(int w, int h) override;

  // Whether the pixels have been decoded (or replaced after a failure) yet.
  bool IsDecoded() const { return mDecoded.load(std::memory_order_acquire); }

 private:
  Raster_DeferredImage(const char* path, int w, int h, FailureReport onFailure);
  Raster_MemBitmap& Pixels();

  std::string mPath;
  int mWidth, mHeight;
  FailureReport mOnFailure;
  std::once_flag mOnce;
  std::atomic<bool> mDecoded{false};
  Raster_MemBitmap mPixels;
};
