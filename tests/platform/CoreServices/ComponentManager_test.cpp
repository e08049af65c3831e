// The Component Manager with components registered from inside the test program: record
// layouts, finding by description, opening and closing, storage, dispatch and refusals.
#include <AudioUnit/AudioUnit.h>

#include <gtest/gtest.h>

#include <cstddef>

namespace {

struct Seen {
  int opens = 0, closes = 0, registers = 0;
  SInt16 lastWhat = 0;
  void* lastStorage = nullptr;
  long words[4] = {};
};
Seen gSeen;
ComponentResult gOpenResult = 0;
ComponentResult gRegisterResult = 0;

ComponentResult Entry(ComponentParameters* p, void* storage) {
  gSeen.lastWhat = p->what;
  gSeen.lastStorage = storage;
  for (int i = 0; i < 4 && i <= p->paramSize / static_cast<int>(sizeof(long)); ++i)
    gSeen.words[i] = p->params[i];
  switch (p->what) {
    case kComponentRegisterSelect:
      ++gSeen.registers;
      return gRegisterResult;
    case kComponentOpenSelect:
      ++gSeen.opens;
      return gOpenResult;
    case kComponentCloseSelect:
      ++gSeen.closes;
      return 0;
    case kAudioUnitResetSelect:
      return 0;
    default:
      return badComponentSelector;
  }
}

ComponentDescription Desc(OSType type, OSType sub, OSType maker, UInt32 flags = 0) {
  return ComponentDescription{type, sub, maker, flags, 0};
}

class ComponentManager : public ::testing::Test {
 protected:
  void SetUp() override {
    gSeen = Seen{};
    gOpenResult = 0;
    gRegisterResult = 0;
  }
  void TearDown() override {
    for (Component c : registered) UnregisterComponent(c);
  }
  Component Register(ComponentDescription d) {
    Component c = RegisterComponentWithBundle(&d, Entry, CFSTR("Test: Unit"), 0x10000, nullptr);
    if (c) registered.push_back(c);
    return c;
  }
  std::vector<Component> registered;
};

}  // namespace

TEST(PlatformRecords, HaveTheirPublished64BitLayouts) {
  EXPECT_EQ(8u, offsetof(ComponentParameters, params));
  EXPECT_EQ(2u, offsetof(ComponentParameters, what));
  EXPECT_EQ(20u, sizeof(ComponentDescription));
  EXPECT_EQ(40u, sizeof(AudioStreamBasicDescription));
  EXPECT_EQ(64u, sizeof(AudioTimeStamp));
  EXPECT_EQ(24u, sizeof(SMPTETime));
  EXPECT_EQ(16u, sizeof(AudioBuffer));
  EXPECT_EQ(24u, sizeof(AudioBufferList));
  EXPECT_EQ(104u, sizeof(AudioUnitParameterInfo));
  EXPECT_EQ(16u, sizeof(AudioUnitConnection));
  EXPECT_EQ(16u, sizeof(AURenderCallbackStruct));
  EXPECT_EQ(4u, sizeof(AUChannelInfo));
  EXPECT_EQ(16u, sizeof(AUPreset));
  EXPECT_EQ(32u, sizeof(AudioUnitParameterEvent));
  EXPECT_EQ(0xC8000010u, kAudioUnitParameterFlag_IsWritable | kAudioUnitParameterFlag_IsReadable |
                             kAudioUnitParameterFlag_HasCFNameString |
                             kAudioUnitParameterFlag_CFNameRelease);
  EXPECT_EQ(0x61756678u, static_cast<UInt32>(kAudioUnitType_Effect));  // 'aufx'
  EXPECT_EQ(static_cast<SInt32>(0x80008002), badComponentSelector);
}

TEST_F(ComponentManager, FindsComponentsByTheNonZeroFieldsAndTheFlagMask) {
  Component a = Register(Desc('aufx', 'aaaa', 'Tsor', 0x1));
  Component b = Register(Desc('aufx', 'bbbb', 'Tsor', 0x3));
  Component c = Register(Desc('aumu', 'cccc', 'Othr'));
  ComponentDescription any = Desc('aufx', 0, 'Tsor');
  EXPECT_EQ(a, FindNextComponent(nullptr, &any));
  EXPECT_EQ(b, FindNextComponent(a, &any));
  EXPECT_EQ(nullptr, FindNextComponent(b, &any));
  EXPECT_EQ(2, CountComponents(&any));
  ComponentDescription flagged = Desc('aufx', 0, 0, 0x2);
  flagged.componentFlagsMask = 0x2;
  EXPECT_EQ(b, FindNextComponent(nullptr, &flagged));
  ComponentDescription instrument = Desc('aumu', 0, 0);
  EXPECT_EQ(c, FindNextComponent(nullptr, &instrument));
}

TEST_F(ComponentManager, OpenPassesTheNewInstanceAndCloseItsStorage) {
  Component c = Register(Desc('aufx', 'open', 'Tsor'));
  ComponentInstance ci = nullptr;
  ASSERT_EQ(noErr, OpenAComponent(c, &ci));
  EXPECT_EQ(kComponentOpenSelect, gSeen.lastWhat);
  EXPECT_EQ(nullptr, gSeen.lastStorage);
  EXPECT_EQ(reinterpret_cast<long>(ci), gSeen.words[0]);
  int storage = 0;
  SetComponentInstanceStorage(ci, reinterpret_cast<Handle>(&storage));
  EXPECT_EQ(reinterpret_cast<Handle>(&storage), GetComponentInstanceStorage(ci));

  ComponentDescription d{};
  ASSERT_EQ(noErr,
            GetComponentInfo(reinterpret_cast<Component>(ci), &d, nullptr, nullptr, nullptr));
  EXPECT_EQ(static_cast<OSType>('open'), d.componentSubType);
  EXPECT_EQ(validInstancesExist, UnregisterComponent(c));

  ASSERT_EQ(noErr, CloseComponent(ci));
  EXPECT_EQ(kComponentCloseSelect, gSeen.lastWhat);
  EXPECT_EQ(&storage, gSeen.lastStorage);
  EXPECT_EQ(reinterpret_cast<long>(ci), gSeen.words[0]);
  EXPECT_EQ(invalidComponentID, CloseComponent(ci));
  EXPECT_EQ(invalidComponentID,
            GetComponentInfo(reinterpret_cast<Component>(ci), &d, nullptr, nullptr, nullptr));
}

TEST_F(ComponentManager, AFailedOpenLeavesNoInstance) {
  Component c = Register(Desc('aufx', 'fail', 'Tsor'));
  gOpenResult = -108;
  ComponentInstance ci = reinterpret_cast<ComponentInstance>(1);
  EXPECT_EQ(-108, OpenAComponent(c, &ci));
  EXPECT_EQ(nullptr, ci);
  EXPECT_EQ(0, CountComponentInstances(c));
  gOpenResult = badComponentSelector;  // does not fit an OSErr
  EXPECT_EQ(invalidComponentID, OpenAComponent(c, &ci));
  EXPECT_EQ(nullptr, OpenComponent(c));
  EXPECT_EQ(invalidComponentID, OpenAComponent(reinterpret_cast<Component>(&gSeen), &ci));
}

TEST_F(ComponentManager, ARegisterMessageCanRefuseTheRegistration) {
  gRegisterResult = 1;
  EXPECT_EQ(nullptr,
            Register(Desc('aufx', 'rfse', 'Tsor', static_cast<UInt32>(cmpWantsRegisterMessage))));
  EXPECT_EQ(1, gSeen.registers);
  gRegisterResult = 0;
  EXPECT_NE(nullptr,
            Register(Desc('aufx', 'acpt', 'Tsor', static_cast<UInt32>(cmpWantsRegisterMessage))));
  EXPECT_NE(nullptr, Register(Desc('aufx', 'none', 'Tsor', 0)));
  EXPECT_EQ(2, gSeen.registers) << "no register message without the flag";
}

TEST_F(ComponentManager, DispatchReachesOnlyLiveInstances) {
  Component c = Register(Desc('aufx', 'disp', 'Tsor'));
  ComponentInstance ci = OpenComponent(c);
  ASSERT_NE(nullptr, ci);
  EXPECT_EQ(noErr, AudioUnitReset(ci, kAudioUnitScope_Global, 0));
  EXPECT_EQ(badComponentSelector, AudioUnitInitialize(ci));

  struct {
    UInt8 flags, paramSize;
    SInt16 what;
    UInt32 padding;
    long params[3];
  } block = {0, 2 * sizeof(long), kAudioUnitResetSelect, 0, {0, 0, reinterpret_cast<long>(ci)}};
  EXPECT_EQ(noErr, CallComponentDispatch(reinterpret_cast<ComponentParameters*>(&block)));
  CloseComponent(ci);
  EXPECT_EQ(badComponentInstance,
            CallComponentDispatch(reinterpret_cast<ComponentParameters*>(&block)));
  EXPECT_EQ(badComponentInstance, AudioUnitReset(ci, kAudioUnitScope_Global, 0));
  EXPECT_EQ(badComponentInstance, AudioUnitReset(nullptr, kAudioUnitScope_Global, 0));
}
