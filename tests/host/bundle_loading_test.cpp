// Loading component bundles: the components an Info.plist lists are registered with their
// bundle, the plug-in finds its own bundle and the host's identifier, and broken bundles
// give a clear status and message without registering anything.
#include "tests/host/TestUnitFixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

std::string PropertyString(AudioUnit unit, AudioUnitPropertyID id) {
  CFStringRef value = nullptr;
  UInt32 size = sizeof value;
  if (AudioUnitGetProperty(unit, id, kAudioUnitScope_Global, 0, &value, &size) != noErr)
    return "<error>";
  std::string text = host::StringFromCF(value);
  CFRelease(value);
  return text;
}

// A scratch bundle directory removed at the end of the test.
class ScratchBundle {
 public:
  ScratchBundle() {
    char tmpl[] = "/tmp/tessor-bundle-XXXXXX";
    root_ = ::mkdtemp(tmpl);
    path_ = root_ + "/Broken.component";
    fs::create_directories(path_ + "/Contents/MacOS");
  }
  ~ScratchBundle() { fs::remove_all(root_); }
  const std::string& path() const { return path_; }

  void WriteInfo(const std::string& text) { std::ofstream(path_ + "/Contents/Info.plist") << text; }
  void WriteInfoWithEntry(const std::string& entry, const std::string& subtype) {
    WriteInfo(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
        "<key>CFBundleIdentifier</key><string>org.tessor.test.broken." +
        subtype +
        "</string>"
        "<key>CFBundleExecutable</key><string>Broken</string>"
        "<key>AudioComponents</key><array><dict>"
        "<key>type</key><string>aufx</string><key>subtype</key><string>" +
        subtype +
        "</string>"
        "<key>manufacturer</key><string>Tsor</string><key>name</key><string>Broken</string>"
        "<key>entry</key><string>" +
        entry + "</string></dict></array></dict></plist>\n");
  }
  void InstallModule() { fs::copy_file(TEST_MODULE_PATH, path_ + "/Contents/MacOS/Broken"); }

 private:
  std::string root_, path_;
};

OSType Code(const char* text) {
  OSType code = 0;
  host::ParseFourCC(text, &code);
  return code;
}

}  // namespace

TEST_F(TestUnit, TheInfoPlistDescribesTheRegisteredComponent) {
  const host::ComponentEntryInfo& c = loaded.components[0];
  EXPECT_EQ("org.tessor.test.unit", loaded.identifier);
  EXPECT_EQ("Tessor Test: Logging Unit", c.name);
  EXPECT_EQ(66051u, c.version);
  EXPECT_EQ("TestComponent_Entry", c.entryName);
  EXPECT_EQ("TestComponent_View", c.viewFactory);

  ComponentDescription d{};
  ASSERT_EQ(noErr,
            GetComponentInfo(reinterpret_cast<Component>(unit), &d, nullptr, nullptr, nullptr));
  EXPECT_EQ("aufx", host::FourCCString(d.componentType));
  EXPECT_EQ("tst1", host::FourCCString(d.componentSubType));
  EXPECT_EQ("Tsor", host::FourCCString(d.componentManufacturer));
  EXPECT_EQ(component, host::FindComponent(kAudioUnitType_Effect, Code("tst1"), Code("Tsor")));
  EXPECT_EQ(nullptr, host::FindComponent(kAudioUnitType_MusicDevice, Code("tst1"), 0));
  CFStringRef name = CopyComponentName(component);
  EXPECT_EQ("Tessor Test: Logging Unit", host::StringFromCF(name));
  CFRelease(name);
  EXPECT_EQ(loaded.bundle, GetComponentBundle(component));
}

TEST_F(TestUnit, LoadingTheSameBundleAgainRegistersNothingNew) {
  host::LoadedBundle again = host::LoadComponentBundle(std::string(TEST_BUNDLE_PATH) + "/");
  ASSERT_TRUE(again.ok()) << again.message;
  EXPECT_EQ(component, again.components[0].component);
  ComponentDescription any{kAudioUnitType_Effect, Code("tst1"), Code("Tsor"), 0, 0};
  EXPECT_EQ(1, CountComponents(&any));
}

TEST_F(TestUnit, ThePlugInFindsItsOwnBundleAndResources) {
  std::string expected =
      fs::canonical(TEST_BUNDLE_PATH).string() + "/Contents/Resources/test-resource.txt";
  EXPECT_EQ(expected, PropertyString(unit, kTestProperty_OwnResourcePath));
  std::ifstream in(expected);
  std::string line;
  std::getline(in, line);
  EXPECT_EQ("resource of the test unit", line);
}

TEST_F(TestUnit, ThePlugInSeesTheIdentifierTheHostSet) {
  EXPECT_EQ("local.host_tests", PropertyString(unit, kTestProperty_HostIdentifier));
  host::SetHostIdentifier("com.cockos.reaper");
  EXPECT_EQ("com.cockos.reaper", PropertyString(unit, kTestProperty_HostIdentifier));
  EXPECT_EQ("com.cockos.reaper", host::HostIdentifier());
  host::SetHostIdentifier("");
  EXPECT_EQ("local.host_tests", PropertyString(unit, kTestProperty_HostIdentifier));
}

TEST(BundleLoading, ReportsAMissingBundle) {
  host::LoadedBundle r = host::LoadComponentBundle("/nonexistent/Nothing.component");
  EXPECT_EQ(host::LoadStatus::MissingBundle, r.status);
  EXPECT_NE(std::string::npos, r.message.find("/nonexistent/Nothing.component"));
}

TEST(BundleLoading, ReportsAMissingOrMalformedInfoPlist) {
  ScratchBundle b;
  EXPECT_EQ(host::LoadStatus::MissingInfoPlist, host::LoadComponentBundle(b.path()).status);

  b.WriteInfo(
      "<plist version=\"1.0\"><dict><key>CFBundleIdentifier</key>\n<string>x</dict></plist>");
  host::LoadedBundle r = host::LoadComponentBundle(b.path());
  EXPECT_EQ(host::LoadStatus::MalformedInfoPlist, r.status);
  EXPECT_NE(std::string::npos, r.message.find("line 2")) << r.message;

  b.WriteInfoWithEntry("", "bad1");
  r = host::LoadComponentBundle(b.path());
  EXPECT_EQ(host::LoadStatus::MalformedInfoPlist, r.status);
  EXPECT_NE(std::string::npos, r.message.find("\"entry\"")) << r.message;

  b.WriteInfo(
      "<plist version=\"1.0\"><dict><key>CFBundleIdentifier</key><string>org.x</string>"
      "<key>AudioComponents</key><array><dict><key>type</key><string>toolong</string></dict>"
      "</array></dict></plist>");
  r = host::LoadComponentBundle(b.path());
  EXPECT_EQ(host::LoadStatus::MalformedInfoPlist, r.status);
  EXPECT_NE(std::string::npos, r.message.find("\"type\"")) << r.message;
}

TEST(BundleLoading, ReportsAMissingOrUnloadableExecutable) {
  ScratchBundle b;
  b.WriteInfoWithEntry("TestComponent_Entry", "bad2");
  host::LoadedBundle r = host::LoadComponentBundle(b.path());
  EXPECT_EQ(host::LoadStatus::MissingExecutable, r.status) << r.message;

  std::ofstream(b.path() + "/Contents/MacOS/Broken") << "not a shared object\n";
  ScratchBundle other;  // a fresh directory: the first bundle object keeps its failed state
  other.WriteInfoWithEntry("TestComponent_Entry", "bad3");
  std::ofstream(other.path() + "/Contents/MacOS/Broken") << "not a shared object\n";
  r = host::LoadComponentBundle(other.path());
  EXPECT_EQ(host::LoadStatus::LoadFailed, r.status) << r.message;
  ComponentDescription d{0, Code("bad3"), 0, 0, 0};
  EXPECT_EQ(0, CountComponents(&d));
}

TEST(BundleLoading, ReportsAMissingEntrySymbolAndRegistersNothing) {
  ScratchBundle b;
  b.WriteInfoWithEntry("NoSuchEntry", "bad4");
  b.InstallModule();
  host::LoadedBundle r = host::LoadComponentBundle(b.path());
  EXPECT_EQ(host::LoadStatus::MissingSymbol, r.status);
  EXPECT_NE(std::string::npos, r.message.find("NoSuchEntry")) << r.message;
  ComponentDescription d{0, Code("bad4"), 0, 0, 0};
  EXPECT_EQ(0, CountComponents(&d));
}

TEST(BundleLoading, FourCharacterCodesConvertBothWays) {
  OSType code = 0;
  ASSERT_TRUE(host::ParseFourCC("2l87", &code));
  EXPECT_EQ(0x326C3837u, code);
  EXPECT_EQ("Fnwd", host::FourCCString(0x466E7764u));
  EXPECT_FALSE(host::ParseFourCC("abc", &code));
  EXPECT_FALSE(host::ParseFourCC("abcde", &code));
}
