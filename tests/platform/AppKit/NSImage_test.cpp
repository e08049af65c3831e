// Objects of the AppKit stand-in: reference counting, class checks on opaque pointers, and
// images decoded from files.
#include <gtest/gtest.h>

#include <AppKit/AppKit.h>
#include <jpeglib.h>
#include <png.h>

#include <cstdio>
#include <string>
#include <vector>

TEST(NSObject, LivesUntilItsLastReleaseAndIsRecognisedBehindOpaquePointers) {
  NSImage* image = NSImage::alloc();
  NSObject* plain = NSObject::alloc()->init();
  EXPECT_TRUE(image->isKindOfClass(NSObject::class_()));
  EXPECT_TRUE(image->isMemberOfClass(NSImage::class_()));
  EXPECT_FALSE(plain->isKindOfClass(NSImage::class_()));
  EXPECT_STREQ("NSImage", image->className());
  EXPECT_EQ(image, NSObjectCast<NSImage>(static_cast<void*>(image)));
  EXPECT_EQ(nullptr, NSObjectCast<NSImage>(plain));
  int foreign = 0;
  EXPECT_EQ(nullptr, NSObject::fromOpaque(&foreign));
  image->retain();
  image->release();
  EXPECT_EQ(image, NSObject::fromOpaque(image));
  image->release();
  EXPECT_EQ(nullptr, NSObject::fromOpaque(image));  // gone with its last release
  plain->release();
}

namespace {
std::string Temp(const char* name) { return testing::TempDir() + "/" + name; }

void WriteJPEG(const std::string& path, int w, int h) {
  FILE* f = fopen(path.c_str(), "wb");
  jpeg_compress_struct c;
  jpeg_error_mgr err;
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  jpeg_stdio_dest(&c, f);
  c.image_width = w;
  c.image_height = h;
  c.input_components = 3;
  c.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 100, TRUE);
  jpeg_start_compress(&c, TRUE);
  std::vector<JSAMPLE> row(w * 3);
  for (int x = 0; x < w; ++x) row[3 * x] = 250, row[3 * x + 1] = 20, row[3 * x + 2] = 20;
  for (int y = 0; y < h; ++y) {
    JSAMPROW r = row.data();
    jpeg_write_scanlines(&c, &r, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  fclose(f);
}

// The first pixel of an image as drawn into a premultiplied ARGB context.
std::vector<uint8_t> FirstPixel(NSImage* image) {
  std::vector<uint8_t> px(4 * 64 * 64);
  CGColorSpaceRef space = CGColorSpaceCreateDeviceRGB();
  CGContextRef gc =
      CGBitmapContextCreate(px.data(), 64, 64, 8, 256, space, kCGImageAlphaPremultipliedFirst);
  CGColorSpaceRelease(space);
  const NSSize s = image->size();
  CGContextDrawImage(gc, CGRectMake(0, 64 - s.height, s.width, s.height),
                     image->CGImageForProposedRect_context_hints(nullptr, nullptr, nullptr));
  CGContextRelease(gc);
  return std::vector<uint8_t>(px.begin(), px.begin() + 4);
}
}  // namespace

TEST(NSImage, DecodesPNGAndJPEGAndRefusesTheRest) {
  const std::string png = Temp("nsimage.png"), jpg = Temp("nsimage.jpg"), bad = Temp("bad.jpg");
  const uint8_t argb[8] = {255, 10, 200, 30, 0, 0, 0, 0};  // one opaque, one clear pixel
  png_image img = {};
  img.version = PNG_IMAGE_VERSION;
  img.width = 2;
  img.height = 1;
  img.format = PNG_FORMAT_ARGB;
  ASSERT_TRUE(png_image_write_to_file(&img, png.c_str(), 0, argb, 0, nullptr));
  WriteJPEG(jpg, 5, 3);

  NSImage* p = NSImage::alloc()->initWithContentsOfFile(png.c_str());
  ASSERT_NE(nullptr, p);
  EXPECT_EQ(2, p->size().width);
  EXPECT_EQ((std::vector<uint8_t>{255, 10, 200, 30}), FirstPixel(p));
  NSImage* j = NSImage::alloc()->initWithContentsOfFile(jpg.c_str());
  ASSERT_NE(nullptr, j);
  EXPECT_EQ(3, j->size().height);
  const std::vector<uint8_t> red = FirstPixel(j);
  EXPECT_EQ(255, red[0]);
  EXPECT_NEAR(250, red[1], 3);
  p->release();
  j->release();

  // A JPEG cut short, a file of nothing, and no file at all.
  FILE* in = fopen(jpg.c_str(), "rb");
  std::vector<char> bytes(4096);
  const size_t n = fread(bytes.data(), 1, bytes.size(), in);
  fclose(in);
  FILE* out = fopen(bad.c_str(), "wb");
  fwrite(bytes.data(), 1, n / 2, out);
  fclose(out);
  EXPECT_EQ(nullptr, NSImage::alloc()->initWithContentsOfFile(bad.c_str()));
  EXPECT_EQ(nullptr, NSImage::alloc()->initWithContentsOfFile("/nonexistent.png"));
  EXPECT_EQ(nullptr, NSImage::alloc()->initWithContentsOfFile(nullptr));
}
