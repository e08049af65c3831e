// Deferred PNG images: the size at once from the header, the pixels on first use, and a file
// damaged in between drawn transparent and reported once.
#include "raster/bitmap/Raster_DeferredImage.h"
#include "raster/bitmap/Raster_ImageLoader.h"
#include "raster/bitmap/Raster_PixelUtil.h"

#include "Raster_TestFiles.h"

#include <png.h>

#include <gtest/gtest.h>

#include <memory>
#include <thread>

using rastertest::ReadFile;
using rastertest::TempDir;
using rastertest::WriteFile;
using rastertest::WritePNG;

namespace {

// A 3 x 2 RGBA picture with six different pixels.
std::string WritePicture(const char* name) {
  const std::string p = TempDir() + "/" + name;
  WritePNG(p, 3, 2, PNG_COLOR_TYPE_RGB_ALPHA, 8,
           {{255, 0, 0, 255, 0, 255, 0, 128, 0, 0, 255, 0},
            {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120}});
  return p;
}

std::vector<std::string> gFailures;
void RecordFailure(const char* path) { gFailures.push_back(path); }

using Image = std::unique_ptr<Raster_DeferredImage>;

TEST(RasterDeferredImage, GivesItsSizeWithoutDecodingAndTheLoadersPixelsOnFirstUse) {
  const std::string p = WritePicture("deferred.png");
  Image image(Raster_DeferredImage::OpenPNG(p.c_str()));
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(3, image->getWidth());
  EXPECT_EQ(2, image->getHeight());
  EXPECT_FALSE(image->IsDecoded());

  std::unique_ptr<Raster_IBitmap> loaded(Raster_LoadPNG(p.c_str(), nullptr));
  ASSERT_NE(loaded, nullptr);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x)
      EXPECT_EQ(Raster_GetPixel(loaded.get(), x, y), Raster_GetPixel(image.get(), x, y)) << x << y;
  EXPECT_TRUE(image->IsDecoded());
}

TEST(RasterDeferredImage, AFileDamagedAfterItsHeaderIsTransparentAtItsSizeAndReportedOnce) {
  const std::string p = WritePicture("damaged.png");
  Image image(Raster_DeferredImage::OpenPNG(p.c_str(), RecordFailure));
  ASSERT_NE(image, nullptr);
  std::vector<uint8_t> bytes = ReadFile(p);
  bytes.resize(40);  // the header survives, the pixel data does not
  ASSERT_TRUE(WriteFile(p, bytes));

  gFailures.clear();
  ASSERT_NE(image->getBits(), nullptr);
  EXPECT_EQ(3, image->getWidth());
  EXPECT_EQ(2, image->getHeight());
  EXPECT_EQ(3, image->getRowSpan());
  for (int i = 0; i < 6; ++i) EXPECT_EQ(0u, image->getBits()[i]) << i;
  image->getBits();
  EXPECT_EQ(std::vector<std::string>{p}, gFailures);
}

TEST(RasterDeferredImage, RefusesWhatIsNotAUsablePngHeader) {
  const std::string dir = TempDir();
  EXPECT_EQ(nullptr, Raster_DeferredImage::OpenPNG(nullptr));
  EXPECT_EQ(nullptr, Raster_DeferredImage::OpenPNG((dir + "/no-such.png").c_str()));
  ASSERT_TRUE(WriteFile(dir + "/text.png", std::vector<uint8_t>(64, 'x')));
  EXPECT_EQ(nullptr, Raster_DeferredImage::OpenPNG((dir + "/text.png").c_str()));

  // The real header of a picture, its size then set to 0 x 2 and to 100000 x 100000.
  std::vector<uint8_t> bytes = ReadFile(WritePicture("sized.png"));
  for (uint32_t w : {0u, 100000u}) {
    const uint32_t h = w ? w : 2;
    for (int i = 0; i < 4; ++i) {
      bytes[16 + i] = uint8_t(w >> (24 - 8 * i));
      bytes[20 + i] = uint8_t(h >> (24 - 8 * i));
    }
    ASSERT_TRUE(WriteFile(dir + "/sized.png", bytes));
    EXPECT_EQ(nullptr, Raster_DeferredImage::OpenPNG((dir + "/sized.png").c_str())) << w;
  }
}

TEST(RasterDeferredImage, ThreadsAskingAtOnceGetTheSamePixels) {
  Image image(Raster_DeferredImage::OpenPNG(WritePicture("shared.png").c_str()));
  ASSERT_NE(image, nullptr);
  Raster_PixelValue* seen[2] = {};
  std::thread a([&] { seen[0] = image->getBits(); });
  std::thread b([&] { seen[1] = image->getBits(); });
  a.join();
  b.join();
  EXPECT_NE(nullptr, seen[0]);
  EXPECT_EQ(seen[0], seen[1]);
}

}  // namespace
