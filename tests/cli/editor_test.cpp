// The editor through the command: 'snapshot' pictures compared pixel by pixel, a component copy
// without one skin image, and 'gui' in a real X11 window on an Xvfb server of the test's own,
// turned with pointer events sent through the server (XTest) and closed as a user closes it.
#include "raster/bitmap/Raster_ImageLoader.h"
#include "tessor_eq/skins/skin_geometry.h"
#include "tests/cli/CliTestPaths.h"
#include "tests/editor/Xvfb.h"

#include <gtest/gtest.h>

#include <memory>

// Last: Xlib's macros (None, Bool, Status) would clash with the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace {

enum { kGainKnob = 0, kLevelKnobs = 5, kHPFKnob = 5, kSwitch = 9 };

struct Box {
  int x, y, w, h;
  bool Contains(int px, int py) const { return px >= x && px < x + w && py >= y && py < y + h; }
};

Box ControlBox(int control) {
  const SkinControl& c = kSkinControls[control];
  return {c.x, c.y, kSkinImages[c.image].width, kSkinImages[c.image].frameHeight};
}

// The panel pixels where two snapshots differ, counted per control (index 10: elsewhere).
std::vector<int> DifferencesPerControl(const std::string& a, const std::string& b) {
  std::unique_ptr<Raster_IBitmap> imageA(Raster_LoadPNG(a.c_str(), nullptr));
  std::unique_ptr<Raster_IBitmap> imageB(Raster_LoadPNG(b.c_str(), nullptr));
  std::vector<int> counts(kNumSkinControls + 1, 0);
  EXPECT_TRUE(imageA && imageB);
  if (!imageA || !imageB) return counts;
  EXPECT_EQ(kSkinPanelW, imageA->getWidth());
  EXPECT_EQ(kSkinPanelH, imageA->getHeight());
  for (int y = 0; y < kSkinPanelH; ++y)
    for (int x = 0; x < kSkinPanelW; ++x) {
      if (imageA->getBits()[y * kSkinPanelW + x] == imageB->getBits()[y * kSkinPanelW + x])
        continue;
      int where = kNumSkinControls;
      for (int c = 0; c < kNumSkinControls && where == kNumSkinControls; ++c)
        if (ControlBox(c).Contains(x, y)) where = c;
      ++counts[where];
    }
  return counts;
}

std::vector<int> Only(std::initializer_list<int> controls, const std::vector<int>& counts) {
  std::vector<int> out(counts.size(), 0);
  for (int c : controls) out[c] = counts[c];
  return out;
}

}  // namespace

TEST(EditorSnapshot, SettingsChangeOnlyTheMovedControlsAndBothViewsDrawTheSame) {
  TempDir dir;
  ASSERT_EQ(0, TessorEq({"snapshot", dir / "default.png"}).exitCode);
  CommandResult r = TessorEq({"snapshot", dir / "set.png", "--set", "Gain=5", "--set", "HPF=160 Hz",
                              "--set", "Oversample=On"});
  ASSERT_EQ(0, r.exitCode) << r.err;
  EXPECT_EQ("wrote " + dir / "set.png" + " (664 x 215, the Cocoa view)\n", r.out);

  const std::vector<int> counts = DifferencesPerControl(dir / "default.png", dir / "set.png");
  EXPECT_EQ(Only({kGainKnob, kHPFKnob, kSwitch}, counts), counts)
      << "changed outside the moved controls";
  for (int c : {kGainKnob, kHPFKnob, kSwitch}) EXPECT_GT(counts[c], 20) << c;

  ASSERT_EQ(0, TessorEq({"snapshot", dir / "carbon.png", "--carbon", "--set", "Gain=5", "--set",
                         "HPF=160 Hz", "--set", "Oversample=On"})
                   .exitCode);
  EXPECT_EQ(ReadWholeFile(dir / "set.png"), ReadWholeFile(dir / "carbon.png"));
}

TEST(EditorSnapshot, AComponentWithoutItsLevelKnobImageStillShowsTheRestOfThePanel) {
  TempDir dir;
  const std::string copy = dir / "TessorEQ.component";
  ASSERT_EQ(0, std::system(("cp -r '" + kComponent + "' '" + copy + "' && rm '" + copy +
                            "/Contents/Resources/smallknob.png'")
                               .c_str()));
  ASSERT_EQ(0, TessorEq({"snapshot", dir / "default.png"}).exitCode);
  CommandResult r = TessorEq({"snapshot", dir / "missing.png", "--component", copy});
  ASSERT_EQ(0, r.exitCode) << r.err;
  EXPECT_NE(std::string::npos, r.err.find("\"smallknob.png\"")) << r.err;

  // The five level knobs are gone; the background, the frequency knobs and the switch stay.
  const std::vector<int> counts = DifferencesPerControl(dir / "default.png", dir / "missing.png");
  EXPECT_EQ(Only({0, 1, 2, 3, 4}, counts), counts);
  for (int c = 0; c < kLevelKnobs; ++c) EXPECT_GT(counts[c], 100) << c;
}

namespace {

// tessor-eq gui on the test's X server, as a user starts it from a terminal on that display.
class GuiSession {
 public:
  GuiSession(const std::string& display, std::vector<std::string> args) {
    mOut = ::mkstemp(mOutName);
    args.insert(args.begin(), "gui");
    std::vector<char*> argv = Argv(kTessorEq, args);
    mPid = ::fork();
    if (mPid == 0) {
      ::setenv("DISPLAY", display.c_str(), 1);
      ::dup2(mOut, 1);
      ::execv(kTessorEq.c_str(), argv.data());
      ::_exit(127);
    }
  }
  ~GuiSession() {
    if (mPid > 0) {
      ::kill(mPid, SIGKILL);
      ::waitpid(mPid, nullptr, 0);
    }
    ::close(mOut);
    ::unlink(mOutName);
  }
  // Waits at most 30 s for the command to end; its exit status, -1 when it did not.
  int Wait() {
    for (int i = 0; i < 3000 && mPid > 0; ++i) {
      int status = 0;
      if (::waitpid(mPid, &status, WNOHANG) == mPid) {
        mPid = 0;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      }
      ::usleep(10000);
    }
    return -1;
  }
  pid_t Pid() const { return mPid; }
  std::string Out() const { return ReadWholeFile(mOutName); }

 private:
  pid_t mPid = -1;
  char mOutName[32] = "/tmp/tessor-gui-out-XXXXXX";
  int mOut = -1;
};

class EditorGui : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { server = new Xvfb("800x600x24"); }
  static void TearDownTestSuite() {
    delete server;
    server = nullptr;
  }
  void SetUp() override {
    ASSERT_FALSE(server->Name().empty()) << "Xvfb could not be started";
    display = XOpenDisplay(server->Name().c_str());
    ASSERT_NE(nullptr, display);
  }
  void TearDown() override {
    if (display) XCloseDisplay(display);
  }

  // The top-level window with that title, waited for at most 30 s; 0 when none came.
  Window WaitForWindow(const std::string& title) {
    for (int i = 0; i < 3000; ++i) {
      Window root, parent, *children = nullptr;
      unsigned n = 0;
      Window found = 0;
      if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &n)) {
        for (unsigned k = 0; k < n && !found; ++k) {
          char* name = nullptr;
          XWindowAttributes attrs;
          if (XFetchName(display, children[k], &name) && name && title == name &&
              XGetWindowAttributes(display, children[k], &attrs) && attrs.map_state == IsViewable)
            found = children[k];
          if (name) XFree(name);
        }
        if (children) XFree(children);
      }
      if (found) return found;
      ::usleep(10000);
    }
    return 0;
  }
  // A press at (x, y) of the window, a drag `up` pixels upwards in 5-pixel moves, a release.
  void DragUp(Window w, int x, int y, int up) {
    int rootX = 0, rootY = 0;
    Window child;
    XTranslateCoordinates(display, w, DefaultRootWindow(display), x, y, &rootX, &rootY, &child);
    XTestFakeMotionEvent(display, -1, rootX, rootY, 0);
    XTestFakeButtonEvent(display, 1, True, 0);
    for (int moved = 5; moved <= up; moved += 5)
      XTestFakeMotionEvent(display, -1, rootX, rootY - moved, 0);
    XTestFakeButtonEvent(display, 1, False, 0);
    XSync(display, False);
  }
  // What a window manager sends when the user clicks the close button.
  void CloseButton(Window w) {
    XEvent ev = {};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = w;
    ev.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    ev.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, w, False, NoEventMask, &ev);
    XSync(display, False);
  }
  // The value of one parameter in a preset file, as 'preset show' prints it ("Gain = 5 dB").
  static std::string PresetLine(const std::string& preset, const std::string& name) {
    const std::string out = TessorEq({"preset", "show", preset}).out;
    const size_t at = out.find(name + " = ");
    return at == std::string::npos ? "" : out.substr(at, out.find('\n', at) - at);
  }

  static Xvfb* server;
  Display* display = nullptr;
  TempDir dir;
};

Xvfb* EditorGui::server = nullptr;

}  // namespace

TEST_F(EditorGui, DraggingTheGainKnobChangesTheSavedPresetAndThePrintedValue) {
  GuiSession gui(server->Name(), {"--save", dir / "p.aupreset"});
  const Window w = WaitForWindow("Tessor EQ");
  ASSERT_NE(0u, w) << "no window titled \"Tessor EQ\"; the command said: " << gui.Out();
  const Box gain = ControlBox(kGainKnob);
  DragUp(w, gain.x + gain.w / 2, gain.y + gain.h / 2, 40);
  CloseButton(w);
  ASSERT_EQ(0, gui.Wait()) << gui.Out();

  // 40 pixels up a 56-pixel knob at drag scale 4: 40 / 224 of the 30 dB range.
  EXPECT_EQ("Gain = 5.357143 dB", PresetLine(dir / "p.aupreset", "Gain"));
  EXPECT_EQ("HPF = 0 (Off)", PresetLine(dir / "p.aupreset", "HPF"));
  const std::string out = gui.Out();
  EXPECT_NE(std::string::npos, out.find("\nGain = 5.4 dB\n")) << out;
  EXPECT_NE(std::string::npos, out.find("saved " + dir / "p.aupreset")) << out;
}

TEST_F(EditorGui, SigtermEndsTheSessionCleanlyAndSavesTheSettingsItWasGiven) {
  GuiSession gui(server->Name(), {"--carbon", "--set", "HPF=80 Hz", "--save", dir / "p.aupreset"});
  ASSERT_NE(0u, WaitForWindow("Tessor EQ")) << gui.Out();
  ::kill(gui.Pid(), SIGTERM);
  ASSERT_EQ(0, gui.Wait()) << gui.Out();
  EXPECT_EQ("HPF = 3 (80 Hz)", PresetLine(dir / "p.aupreset", "HPF"));
}

TEST_F(EditorGui, AWindowDestroyedByAnotherClientEndsTheSessionAndStillSaves) {
  GuiSession gui(server->Name(), {"--set", "Gain=2", "--save", dir / "p.aupreset"});
  const Window w = WaitForWindow("Tessor EQ");
  ASSERT_NE(0u, w) << gui.Out();
  XDestroyWindow(display, w);
  XSync(display, False);
  ASSERT_EQ(0, gui.Wait()) << gui.Out();
  EXPECT_EQ("Gain = 2 dB", PresetLine(dir / "p.aupreset", "Gain"));
}
