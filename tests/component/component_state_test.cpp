// Saved state through the class-info property: save and restore, .aupreset files, and restores
// of dictionaries a host or a damaged file might hand over.
#include <cstdio>
#include <fstream>
#include <iterator>

#include "tests/component/ComponentFixture.h"

using namespace component_test;

namespace {

CFDictionaryRef SaveState(AudioUnit unit) {
  CFPropertyListRef plist = nullptr;
  UInt32 size = sizeof(plist);
  EXPECT_EQ(noErr, AudioUnitGetProperty(unit, kAudioUnitProperty_ClassInfo, kAudioUnitScope_Global,
                                        0, &plist, &size));
  return static_cast<CFDictionaryRef>(plist);
}

OSStatus RestoreState(AudioUnit unit, CFPropertyListRef plist) {
  return AudioUnitSetProperty(unit, kAudioUnitProperty_ClassInfo, kAudioUnitScope_Global, 0, &plist,
                              sizeof(plist));
}

std::string CurrentPresetName(AudioUnit unit) {
  AUPreset p = {};
  UInt32 size = sizeof(p);
  EXPECT_EQ(noErr, AudioUnitGetProperty(unit, kAudioUnitProperty_PresentPreset,
                                        kAudioUnitScope_Global, 0, &p, &size));
  std::string name = CFText(p.presetName);
  CFRelease(p.presetName);
  return name;
}

// A mutable copy of the dictionary with one key replaced (value null: removed).
CFMutableDictionaryRef WithKey(CFDictionaryRef dict, const char* key, CFTypeRef value) {
  CFMutableDictionaryRef copy = CFDictionaryCreateMutableCopy(kCFAllocatorDefault, 0, dict);
  CFStringRef k = CFStringCreateWithCString(kCFAllocatorDefault, key, kCFStringEncodingUTF8);
  if (value)
    CFDictionarySetValue(copy, k, value);
  else
    CFDictionaryRemoveValue(copy, k);
  CFRelease(k);
  return copy;
}

const std::vector<std::pair<int, float>> kSettings = {{0, 4},     {1, 2}, {2, -7.5f}, {3, 5},
                                                      {4, 12.0f}, {5, 0}, {6, -1.5f}, {7, 3.0f},
                                                      {8, -9.0f}, {9, 1}};

void Apply(AudioUnit unit) {
  for (const auto& s : kSettings)
    ASSERT_EQ(noErr, AudioUnitSetParameter(unit, s.first, kAudioUnitScope_Global, 0, s.second, 0));
}

void ExpectApplied(AudioUnit unit) {
  for (const auto& s : kSettings) EXPECT_FLOAT_EQ(s.second, GetParam(unit, s.first)) << s.first;
}

void ExpectDefaults(AudioUnit unit) {
  const float defaults[10] = {0, 0, 0, 2, 0, 3, 0, 0, 0, 0};
  for (int i = 0; i < 10; ++i) EXPECT_FLOAT_EQ(defaults[i], GetParam(unit, i)) << i;
}

class EqState : public EqUnit {
 protected:
  void SetUp() override {
    EqUnit::SetUp();
    ASSERT_EQ(noErr, host::OpenUnit(component, &fresh));
  }
  void TearDown() override {
    if (saved) CFRelease(saved);
    EXPECT_EQ(noErr, host::CloseUnit(fresh));
    EqUnit::TearDown();
  }
  AudioUnit fresh = nullptr;
  CFDictionaryRef saved = nullptr;
};

}  // namespace

TEST_F(EqState, SavedStateHoldsTheSixKeys) {
  Apply(unit);
  saved = SaveState(unit);
  ASSERT_NE(nullptr, saved);
  SInt32 v = 0;
  auto number = [&](const char* key) {
    CFStringRef k = CFStringCreateWithCString(kCFAllocatorDefault, key, kCFStringEncodingUTF8);
    CFNumberRef n = static_cast<CFNumberRef>(CFDictionaryGetValue(saved, k));
    CFRelease(k);
    EXPECT_TRUE(n && CFNumberGetValue(n, kCFNumberSInt32Type, &v)) << key;
    return v;
  };
  EXPECT_EQ(0x00020000, number("version"));
  EXPECT_EQ(static_cast<SInt32>(kEqType), number("type"));
  EXPECT_EQ(static_cast<SInt32>(kEqSubtype), number("subtype"));
  EXPECT_EQ(static_cast<SInt32>(kEqMaker), number("manufacturer"));
  CFStringRef nameKey = CFSTR("name");
  EXPECT_EQ("Default", CFText(static_cast<CFStringRef>(CFDictionaryGetValue(saved, nameKey))));
  CFDataRef data = static_cast<CFDataRef>(CFDictionaryGetValue(saved, CFSTR("data")));
  ASSERT_NE(nullptr, data);
  ASSERT_EQ(80, CFDataGetLength(data));  // ten doubles in parameter order
  double gain = 0;
  memcpy(&gain, CFDataGetBytePtr(data) + 8 * 8, sizeof(gain));
  EXPECT_DOUBLE_EQ(-9.0, gain);
}

TEST_F(EqState, SaveAndRestoreIntoAFreshInstanceGivesTheSameValuesAndPreset) {
  Apply(unit);
  saved = SaveState(unit);
  ExpectDefaults(fresh);
  ASSERT_EQ(noErr, RestoreState(fresh, saved));
  ExpectApplied(fresh);
  EXPECT_EQ("Default", CurrentPresetName(fresh));
}

TEST_F(EqState, AupresetFileWrittenAndReadBackRestoresTheSameState) {
  Apply(unit);
  saved = SaveState(unit);
  CFErrorRef error = nullptr;
  CFDataRef xml = CFPropertyListCreateData(kCFAllocatorDefault, saved,
                                           kCFPropertyListXMLFormat_v1_0, 0, &error);
  ASSERT_NE(nullptr, xml);
  const std::string path = ::testing::TempDir() + "tessor_component_state.aupreset";
  {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(CFDataGetBytePtr(xml)), CFDataGetLength(xml));
  }
  CFRelease(xml);

  std::ifstream file(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  EXPECT_NE(std::string::npos, bytes.find("<key>data</key>"));
  CFDataRef read = CFDataCreate(kCFAllocatorDefault, reinterpret_cast<const UInt8*>(bytes.data()),
                                static_cast<CFIndex>(bytes.size()));
  CFPropertyListRef plist =
      CFPropertyListCreateWithData(kCFAllocatorDefault, read, 0, nullptr, &error);
  CFRelease(read);
  ASSERT_NE(nullptr, plist);
  EXPECT_EQ(noErr, RestoreState(fresh, plist));
  CFRelease(plist);
  std::remove(path.c_str());
  ExpectApplied(fresh);
  EXPECT_EQ("Default", CurrentPresetName(fresh));
}

TEST_F(EqState, StateOfAnotherComponentIsRefusedAndChangesNothing) {
  Apply(unit);
  saved = SaveState(unit);
  SInt32 other = 'Xxxx';
  CFNumberRef n = CFNumberCreate(kCFAllocatorDefault, kCFNumberSInt32Type, &other);
  for (const char* key : {"manufacturer", "subtype", "type"}) {
    CFMutableDictionaryRef bad = WithKey(saved, key, n);
    EXPECT_EQ(kAudioUnitErr_InvalidPropertyValue, RestoreState(fresh, bad)) << key;
    CFRelease(bad);
  }
  CFRelease(n);
  ExpectDefaults(fresh);
}

TEST_F(EqState, MissingOrMistypedKeysAreRefused) {
  saved = SaveState(unit);
  CFStringRef text = CFSTR("not a number");
  for (const char* key : {"version", "type", "subtype", "manufacturer", "name", "data"}) {
    CFMutableDictionaryRef missing = WithKey(saved, key, nullptr);
    EXPECT_EQ(kAudioUnitErr_InvalidPropertyValue, RestoreState(fresh, missing)) << key;
    CFRelease(missing);
  }
  SInt32 one = 1;
  CFNumberRef number = CFNumberCreate(kCFAllocatorDefault, kCFNumberSInt32Type, &one);
  for (const char* key : {"version", "type", "data"}) {
    CFMutableDictionaryRef mistyped = WithKey(saved, key, text);
    EXPECT_EQ(kAudioUnitErr_InvalidPropertyValue, RestoreState(fresh, mistyped)) << key;
    CFRelease(mistyped);
  }
  CFMutableDictionaryRef numericName = WithKey(saved, "name", number);
  EXPECT_EQ(kAudioUnitErr_InvalidPropertyValue, RestoreState(fresh, numericName));
  CFRelease(numericName);
  CFRelease(number);
  // Not a dictionary at all.
  EXPECT_EQ(kAudioUnitErr_InvalidPropertyValue, RestoreState(fresh, text));
  CFPropertyListRef null = nullptr;
  EXPECT_EQ(kAudioUnitErr_InvalidPropertyValue,
            AudioUnitSetProperty(fresh, kAudioUnitProperty_ClassInfo, kAudioUnitScope_Global, 0,
                                 &null, sizeof(null)));
  ExpectDefaults(fresh);
}

TEST_F(EqState, MissingDataIsRefusedAfterTheNamedPresetWasSelected) {
  // Change the fresh unit, then hand it a dictionary naming "Default" without data: the
  // preset is restored (defaults back) before the refusal.
  Apply(fresh);
  saved = SaveState(unit);
  CFMutableDictionaryRef noData = WithKey(saved, "data", nullptr);
  EXPECT_EQ(kAudioUnitErr_InvalidPropertyValue, RestoreState(fresh, noData));
  CFRelease(noData);
  ExpectDefaults(fresh);
}

TEST_F(EqState, ShortOrEmptyDataRestoresWhatItHoldsWithoutCrashing) {
  Apply(unit);
  saved = SaveState(unit);
  CFDataRef full = static_cast<CFDataRef>(CFDictionaryGetValue(saved, CFSTR("data")));
  CFDataRef half = CFDataCreate(kCFAllocatorDefault, CFDataGetBytePtr(full), 5 * 8 + 3);
  CFMutableDictionaryRef shortDict = WithKey(saved, "data", half);
  EXPECT_EQ(noErr, RestoreState(fresh, shortDict));
  for (int i = 0; i < 5; ++i) EXPECT_FLOAT_EQ(kSettings[i].second, GetParam(fresh, i)) << i;
  CFRelease(shortDict);
  CFRelease(half);

  CFDataRef empty = CFDataCreate(kCFAllocatorDefault, nullptr, 0);
  CFMutableDictionaryRef emptyDict = WithKey(saved, "data", empty);
  RestoreState(fresh, emptyDict);
  CFRelease(emptyDict);
  CFRelease(empty);
  // Whatever the empty data did, the unit still answers within the parameters' bounds.
  for (int i = 0; i < 10; ++i) {
    const float v = GetParam(fresh, i);
    EXPECT_TRUE(v >= -20.0f && v <= 20.0f) << i;
  }
}

TEST_F(EqState, OverlongNameIsCutAndTheDataStillRestores) {
  Apply(unit);
  saved = SaveState(unit);
  std::string name(300, 'n');
  name.replace(62, 2, "\xC3\xA9");  // a two-byte character across the cut
  CFStringRef longName =
      CFStringCreateWithCString(kCFAllocatorDefault, name.c_str(), kCFStringEncodingUTF8);
  CFMutableDictionaryRef dict = WithKey(saved, "name", longName);
  EXPECT_EQ(noErr, RestoreState(fresh, dict));
  CFRelease(dict);
  CFRelease(longName);
  ExpectApplied(fresh);
}

TEST_F(EqState, CurrentPresetSetRestoresTheDefaultValues) {
  Apply(unit);
  AUPreset preset = {0, nullptr};
  ASSERT_EQ(noErr, AudioUnitSetProperty(unit, kAudioUnitProperty_CurrentPreset,
                                        kAudioUnitScope_Global, 0, &preset, sizeof(preset)));
  ExpectDefaults(unit);
}
