// What the window host finds and draws beyond the window: skin images in the plug-in bundle,
// bundle paths, addresses handed to the desktop, and text drawn into the surface.
#include <stdlib.h>
#include <sys/stat.h>

#include <cstring>
#include <fstream>
#include <memory>

#include "framework/editor/IBitmapControls.h"
#include "raster/bitmap/Raster_DeferredImage.h"
#include "raster/bitmap/Raster_IBitmap.h"
#include "raster/bitmap/Raster_ImageLoader.h"
#include "tests/editor/WindowHostFixture.h"

namespace {

const char* kBundleID = "com.fenwarde.audio.WindowHostTest";

// <tmp>/WindowHostTest.component with Info.plist, an (empty) executable and
// Resources/knob.png (3 x 4), registered
// with CoreFoundation so it is found by identifier.
std::string MakeBundle() {
  static std::string dir;
  if (!dir.empty()) return dir;
  char root[] = "/tmp/tessor-whXXXXXX";
  dir = std::string(mkdtemp(root)) + "/WindowHostTest.component";
  mkdir(dir.c_str(), 0755);
  mkdir((dir + "/Contents").c_str(), 0755);
  mkdir((dir + "/Contents/Resources").c_str(), 0755);
  mkdir((dir + "/Contents/MacOS").c_str(), 0755);
  std::ofstream(dir + "/Contents/MacOS/WindowHostTest") << "";
  std::ofstream(dir + "/Contents/Info.plist")
      << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
      << "<key>CFBundleIdentifier</key><string>" << kBundleID << "</string>"
      << "<key>CFBundleExecutable</key><string>WindowHostTest</string></dict></plist>\n";
  WindowSystemWritePNG((dir + "/Contents/Resources/knob.png").c_str(),
                       std::vector<uint32_t>(12, 0x336699), 3, 4);
  CFURLRef url = CFURLCreateFromFileSystemRepresentation(
      nullptr, reinterpret_cast<const UInt8*>(dir.c_str()), dir.size(), true);
  CFBundleCreate(nullptr, url);  // kept by CoreFoundation for the process
  CFRelease(url);
  return dir;
}

// The bitmap's size as "WxH", or "none"; deletes it.
std::string Loaded(Raster_IBitmap* b) {
  if (!b) return "none";
  const std::string s = std::to_string(b->getWidth()) + "x" + std::to_string(b->getHeight());
  delete b;
  return s;
}

}  // namespace

TEST(WindowHostImages, OnlyPngAndJpgFromTheBundleResourcesByBaseName) {
  MakeBundle();
  EXPECT_EQ(Loaded(LoadImgFromResourceOSX(kBundleID, "knob.png")), "3x4");
  // Directory parts are ignored and the extension's case does not matter.
  EXPECT_EQ(Loaded(LoadImgFromResourceOSX(kBundleID, "skins/v2/knob.PNG")), "3x4");
  EXPECT_EQ(Loaded(LoadImgFromResourceOSX(kBundleID, "../../knob.png")), "3x4");
  EXPECT_EQ(Loaded(LoadImgFromResourceOSX(kBundleID, "knob.gif")), "none");
  EXPECT_EQ(Loaded(LoadImgFromResourceOSX(kBundleID, "knob")), "none");
  EXPECT_EQ(Loaded(LoadImgFromResourceOSX(kBundleID, "knob.jpg")), "none");
  EXPECT_EQ(Loaded(LoadImgFromResourceOSX(kBundleID, "missing.png")), "none");
  EXPECT_EQ(Loaded(LoadImgFromResourceOSX(kBundleID, nullptr)), "none");
  EXPECT_EQ(Loaded(LoadImgFromResourceOSX("com.example.nobundle", "knob.png")), "none");
  EXPECT_EQ(Loaded(LoadImgFromResourceOSX(nullptr, "knob.png")), "none");
}

TEST(WindowHostImages, PngSkinsAreDecodedWhenFirstDrawnNotWhenLoaded) {
  const std::string file = MakeBundle() + "/Contents/Resources/knob.png";
  std::unique_ptr<Raster_IBitmap> knob(LoadImgFromResourceOSX(kBundleID, "knob.png"));
  auto* deferred = dynamic_cast<Raster_DeferredImage*>(knob.get());
  ASSERT_NE(deferred, nullptr);
  EXPECT_EQ(3, knob->getWidth());
  EXPECT_FALSE(deferred->IsDecoded());
  std::unique_ptr<Raster_IBitmap> eager(Raster_LoadPNG(file.c_str(), nullptr));
  ASSERT_NE(knob->getBits(), nullptr);
  EXPECT_EQ(0, memcmp(eager->getBits(), knob->getBits(), 12 * sizeof(Raster_PixelValue)));
  EXPECT_TRUE(deferred->IsDecoded());
}

TEST_F(WindowHostTest, AMissingSkinImageLeavesAnEditorThatStillDrawsAndRuns) {
  const std::string dir = MakeBundle();
  g->SetBundleID(kBundleID);
  IBitmap missing = g->LoadIBitmap(9101, "no-such-skin.png", 1);
  IBitmap knob = g->LoadIBitmap(9102, "knob.png", 2);
  EXPECT_EQ(missing.mImage, nullptr);
  ASSERT_NE(knob.mImage, nullptr);
  EXPECT_EQ(knob.mHeight, 4);
  g->AttachControl(new IBitmapControl(&p, 0, 0, -1, &missing));
  NSWindow* window = NSWindow::alloc()->initWithContentRect_styleMask_backing_defer(
      NSMakeRect(0, 0, kW, kH), 0, NSBackingStoreBuffered, false);
  g->OpenWindow(window->contentView());
  WindowSystemRunFor(0.1);
  EXPECT_EQ(WindowPart(WindowSystemWindowOf(window)), Surface());
  window->close();
  window->release();

  Core_String path("unchanged");
  g->PluginPath(&path);
  EXPECT_EQ(std::string(path.Get()), dir.substr(0, dir.rfind('/') + 1));
  g->HostPath(&path);
  EXPECT_EQ(std::string(path.Get()), dir + "/Contents/MacOS/WindowHostTest");
  g->SetBundleID("com.example.nobundle");
  g->PluginPath(&path);
  EXPECT_EQ(std::string(path.Get()), dir + "/Contents/MacOS/WindowHostTest");
}

TEST_F(WindowHostTest, AddressesGoToTheDesktopAndTextThatMakesNoneOpensNothing) {
  const size_t before = WindowSystemOpenedURLs().size();
  EXPECT_TRUE(g->OpenURL("https://fenwarde.audio/tessor-eq", "", "", ""));
  EXPECT_TRUE(g->OpenURL("http://not an address", "", "", ""));
  EXPECT_TRUE(g->OpenURL("/tmp/Tessor EQ manual.pdf", nullptr, nullptr, nullptr));
  EXPECT_TRUE(g->OpenURL(nullptr, nullptr, nullptr, nullptr));
  const std::vector<std::string> all = WindowSystemOpenedURLs();
  EXPECT_EQ(std::vector<std::string>(all.begin() + before, all.end()),
            std::vector<std::string>(
                {"https://fenwarde.audio/tessor-eq", "file:///tmp/Tessor%20EQ%20manual.pdf"}));
  EXPECT_EQ(g->GetUserOSVersion(), 0x1068);
}

// Text drawn on a fresh editor's white surface; the pixels of the rectangle.
class TextTest : public ::testing::Test {
 protected:
  std::unique_ptr<IGraphicsMac> Editor() {
    std::unique_ptr<IGraphicsMac> e(new IGraphicsMac(&p, 120, 40, 30));
    e->PrepDraw();
    const IColor white(255, 255, 255, 255);
    IRECT all(0, 0, 120, 40);
    e->FillIRect(&white, &all, nullptr);
    return e;
  }
  static std::vector<IColor> Pixels(IGraphicsMac* e) {
    std::vector<IColor> out;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 120; ++x) out.push_back(e->GetPoint(x, y));
    return out;
  }
  TestPlugin p;
};

TEST_F(TextTest, TheFirstTextsFaceServesEveryLaterText) {
  IText serif(32, COLOR_BLACK, "Liberation Serif"), sans(32, COLOR_BLACK, "Liberation Sans");
  IRECT r(0, 0, 120, 40);
  std::unique_ptr<IGraphicsMac> a = Editor(), b = Editor(), c = Editor();
  IRECT elsewhere(0, 0, 10, 10);
  a->DrawIText(&serif, "x", &elsewhere);  // a's first text: its face from now on
  a->FillIRect(&COLOR_WHITE, &r, nullptr);
  a->DrawIText(&sans, "Ag", &r);
  b->DrawIText(&serif, "Ag", &r);
  c->DrawIText(&sans, "Ag", &r);
  EXPECT_EQ(Pixels(a.get()), Pixels(b.get()));
  EXPECT_NE(Pixels(a.get()), Pixels(c.get()));
}

TEST_F(TextTest, ColourAlignmentAndPlaceFollowEachTextAndAnUnknownFaceStillDraws) {
  std::unique_ptr<IGraphicsMac> e = Editor();
  IText red(24, COLOR_RED, "No Such Face Anywhere", 0, kAlignRight);
  IRECT r(0, 0, 120, 40);
  EXPECT_TRUE(e->DrawIText(&red, "Hz", &r));
  int inkLeft = 120, inkRight = -1, inkTop = 40;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 120; ++x) {
      const IColor px = e->GetPoint(x, y);
      if (px.G > 128) continue;  // background
      EXPECT_GT(px.R, 200) << x << "," << y;
      inkLeft = std::min(inkLeft, x), inkRight = std::max(inkRight, x);
      inkTop = std::min(inkTop, y);
    }
  EXPECT_GT(inkRight, 100);  // right-aligned
  EXPECT_GT(inkLeft, 60);
  // The line hangs from a quarter of its size (18 points) below the rectangle's top, inside
  // the rectangle, not above it.
  EXPECT_GE(inkTop, 4);
  EXPECT_LT(inkTop, 12);
}
