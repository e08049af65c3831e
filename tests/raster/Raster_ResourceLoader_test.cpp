// Named resources are read from the main bundle's Contents/Resources folder. Outside an
// application bundle the main bundle is the program's own folder, so the test puts its image
// there.

#include "raster/bitmap/Raster_ImageLoader.h"
#include "raster/bitmap/Raster_PixelUtil.h"

#include "gdi_compat/GDI_Strings.h"

#include "Raster_TestFiles.h"

#include <png.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

TEST(RasterNamedResource, LoadsFromTheBundlesResourcesFolder) {
  char bundle[2048];
  ASSERT_GT(GetModuleFileName(nullptr, bundle, (int)sizeof bundle), 0);
  std::string contents = std::string(bundle) + "/Contents";
  mkdir(contents.c_str(), 0755);
  mkdir((contents + "/Resources").c_str(), 0755);
  ASSERT_TRUE(rastertest::WritePNG(contents + "/Resources/raster-named-test.png", 2, 1,
                                   PNG_COLOR_TYPE_RGB, 8, {{9, 8, 7, 6, 5, 4}}));
  std::unique_ptr<Raster_IBitmap> b(
      Raster_LoadPNGFromNamedResource("raster-named-test.png", nullptr));
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->getWidth(), 2);
  EXPECT_EQ(Raster_GetPixel(b.get(), 1, 0), Raster_MakePixel(6, 5, 4, 255));
  EXPECT_EQ(Raster_LoadPNGFromNamedResource("no-such-image.png", nullptr), nullptr);
  EXPECT_EQ(Raster_LoadPNGFromNamedResource(nullptr, nullptr), nullptr);
}
