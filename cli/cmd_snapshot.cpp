// tessor-eq snapshot OUT.png [--set NAME=VALUE]... [--preset FILE] [--carbon]
#include "cli/Args.h"
#include "cli/CliError.h"
#include "cli/Commands.h"
#include "cli/ComponentLocator.h"
#include "cli/EditorSession.h"
#include "cli/OutputPath.h"
#include "cli/PngImage.h"
#include "raster/bitmap/Raster_MemBitmap.h"
#include "raster/bitmap/Raster_Pixel.h"

#include <cstdio>

namespace cli {

namespace {

const char kUsage[] =
    "tessor-eq snapshot OUT.png [--set NAME=VALUE]... [--preset FILE.aupreset] [--carbon] "
    "[--component PATH]";

const char kHelp[] =
    "usage: tessor-eq snapshot OUT.png [options]\n"
    "\n"
    "Draws Tessor EQ's editor exactly as a host shows it and writes the window's pixels as\n"
    "the PNG picture OUT.png, without a display: a fresh instance gets the preset and the\n"
    "settings, the host opens its view (by default through the Cocoa view factory), the view\n"
    "redraws once, and the window is read back.\n"
    "\n"
    "options:\n"
    "  --set NAME=VALUE     set a parameter after the preset, as for 'render'; repeatable\n"
    "  --preset FILE        restore an .aupreset file first\n"
    "  --carbon             open the Carbon view component instead of the Cocoa view\n"
    "  --component PATH     the TessorEQ.component bundle (default: the one built with this "
    "command)\n"
    "\n"
    "example: tessor-eq snapshot editor.png --set HPF=\"80 Hz\" --set Gain=-3\n";

// 0xRRGGBB pixels as an opaque bitmap.
void CopyPixels(const std::vector<uint32_t>& pixels, Raster_MemBitmap* bitmap) {
  Raster_PixelValue* bits = bitmap->getBits();
  for (size_t i = 0; i < pixels.size(); ++i) {
    const uint32_t p = pixels[i];
    bits[i] = Raster_MakePixel((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF, 0xFF);
  }
}

}  // namespace

int SnapshotCommand(const Args& args) {
  ParsedArgs parsed = ParseArgs(args, {{"set", true, true},
                                       {"preset", true, false},
                                       {"carbon", false, false},
                                       {"component", true, false}});
  if (parsed.help) {
    std::fputs(kHelp, stdout);
    return 0;
  }
  ExpectPositional(parsed, 1, 1, kUsage);
  const std::string out = parsed.positional[0];
  CheckPngOutput(out);

  EditorRequest request;
  request.componentPath = LocateComponent(parsed.Value("component"));
  request.presetPath = parsed.Value("preset");
  request.settings = parsed.Values("set");
  request.kind = parsed.Has("carbon") ? host::EditorKind::Carbon : host::EditorKind::Cocoa;
  EditorSession session(request);  // on the headless window system, the default
  session.LetTheViewRedraw();

  int width = 0, height = 0;
  const std::vector<uint32_t> pixels = session.Pixels(&width, &height);
  Raster_MemBitmap bitmap(width, height);
  CopyPixels(pixels, &bitmap);
  WritePngFile(out, &bitmap);
  std::printf("wrote %s (%d x %d, the %s view)\n", out.c_str(), width, height,
              host::EditorKindName(request.kind));
  return 0;
}

}  // namespace cli
