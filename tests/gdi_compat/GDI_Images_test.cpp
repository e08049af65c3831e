// Bitmap objects from image files and names: keying, size, drawing, ownership.
#include <gtest/gtest.h>

#include <AppKit/AppKit.h>
#include <png.h>

#include <cstdio>
#include <string>

#include "GDI_TestDC.h"

namespace {

// Writes a 3 x 2 RGBA PNG: magenta, near-magenta, half-transparent magenta / red, green,
// blue.
std::string WriteTestPNG() {
  const std::string path = testing::TempDir() + "/gdi_images_test.png";
  const uint8_t rgba[24] = {255, 0, 255, 255, 255, 1,   255, 255, 255, 0, 255, 128,
                            255, 0, 0,   255, 0,   255, 0,   255, 0,   0, 255, 255};
  png_image img = {};
  img.version = PNG_IMAGE_VERSION;
  img.width = 3;
  img.height = 2;
  img.format = PNG_FORMAT_RGBA;
  EXPECT_TRUE(png_image_write_to_file(&img, path.c_str(), 0, rgba, 0, nullptr));
  return path;
}

}  // namespace

TEST(GDI_Images, MagentaKeyingClearsOnlyOpaquePureMagenta) {
  const std::string path = WriteTestPNG();
  HICON plain = LoadNamedImage(path.c_str(), false);
  HICON keyed = LoadNamedImage(path.c_str(), true);
  ASSERT_NE(nullptr, plain);
  ASSERT_NE(nullptr, keyed);
  int size[2];
  EXPECT_EQ(1, GetObject(keyed, 8, size));
  EXPECT_EQ(3, size[0]);
  EXPECT_EQ(2, size[1]);
  GDI_TestDC a(3, 2), b(3, 2);
  RECT r = {0, 0, 3, 2};
  DrawImageInRect(a.dc, plain, &r);
  DrawImageInRect(b.dc, keyed, &r);
  EXPECT_EQ(0xFF00FFu, a.rgb(0, 0));
  EXPECT_TRUE(b.untouched(0, 0) || b.rgb(0, 0) == 0);  // keyed out: nothing over black
  EXPECT_EQ(0xFF01FFu, b.rgb(1, 0));                   // near-magenta stays
  EXPECT_EQ(a.rgb(2, 0), b.rgb(2, 0));                 // not opaque: stays
  // Drawn upright: the top row of the file is the top row of the rectangle.
  EXPECT_EQ(0xFF0000u, b.rgb(0, 1));
  EXPECT_EQ(0x0000FFu, b.rgb(2, 1));
  DeleteObject(plain);
  DeleteObject(keyed);
}

TEST(GDI_Images, NamedImagesAreFoundAndNotOwned) {
  const std::string path = WriteTestPNG();
  NSImage* image = NSImage::alloc()->initWithContentsOfFile(path.c_str());
  ASSERT_NE(nullptr, image);
  ASSERT_TRUE(image->setName("gdi-test-swatch"));
  HICON byName = LoadNamedImage("gdi-test-swatch", false);
  ASSERT_NE(nullptr, byName);
  EXPECT_EQ(image, GetNSImageFromHICON(byName));
  DeleteObject(byName);  // not owned: the image lives on
  EXPECT_EQ(image, NSObjectCast<NSImage>(image));
  // A file that fails falls back to the name; keying makes an owned copy.
  HICON keyed = LoadNamedImage("gdi-test-swatch", true);
  NSImage* copy = GetNSImageFromHICON(keyed);
  EXPECT_NE(image, copy);
  DeleteObject(keyed);
  EXPECT_EQ(nullptr, NSObjectCast<NSImage>(copy));  // the owned copy was released
  image->release();
  EXPECT_EQ(nullptr, LoadNamedImage("gdi-test-swatch", false));
}

TEST(GDI_Images, MissingAndUndecodableImagesGiveNothing) {
  const std::string junk = testing::TempDir() + "/gdi_images_junk.png";
  FILE* f = fopen(junk.c_str(), "wb");
  fputs("\x89PNG\r\n\x1a\n not really a png", f);
  fclose(f);
  EXPECT_EQ(nullptr, LoadNamedImage(junk.c_str(), true));
  EXPECT_EQ(nullptr, LoadNamedImage("/no/such/file.png", false));
  EXPECT_EQ(nullptr, LoadNamedImage(nullptr, false));
  int out[2] = {7, 7};
  HPEN pen = CreatePen(0, 1, 0);
  EXPECT_EQ(0, GetObject(pen, 8, out));
  EXPECT_EQ(0, out[0]);
  EXPECT_EQ(nullptr, GetNSImageFromHICON(pen));
  GDI_TestDC t(2, 2);
  RECT r = {0, 0, 2, 2};
  DrawImageInRect(t.dc, pen, &r);
  DrawImageInRect(t.dc, reinterpret_cast<HICON>(2), &r);
  EXPECT_TRUE(t.ink().empty());
  DeleteObject(pen);
}
