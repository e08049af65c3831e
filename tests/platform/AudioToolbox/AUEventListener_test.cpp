// Event listeners: which registrations an event reaches, who is left out, and disposal.
// The units here are stand-in references; no value-change event is posted, so no unit is called.
#include <AudioToolbox/AudioToolbox.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

AudioUnit FakeUnit(int n) { return reinterpret_cast<AudioUnit>(static_cast<intptr_t>(0x1000 + n)); }

AudioUnitEvent Gesture(AudioUnit unit, AudioUnitParameterID id,
                       AudioUnitScope scope = kAudioUnitScope_Global) {
  AudioUnitEvent e{};
  e.mEventType = kAudioUnitEvent_BeginParameterChangeGesture;
  e.mArgument.mParameter = {unit, id, scope, 0};
  return e;
}

AudioUnitEvent PropertyChange(AudioUnit unit, AudioUnitPropertyID id) {
  AudioUnitEvent e{};
  e.mEventType = kAudioUnitEvent_PropertyChange;
  e.mArgument.mProperty = {unit, id, kAudioUnitScope_Global, 0};
  return e;
}

struct Log {
  std::vector<void*> objects;
  std::vector<AudioUnitParameterID> params;
  AUEventListenerRef self = nullptr;
  bool disposeSelf = false;
};

void Record(void* refCon, void* object, const AudioUnitEvent* event, UInt64,
            AudioUnitParameterValue) {
  Log* log = static_cast<Log*>(refCon);
  log->objects.push_back(object);
  log->params.push_back(event->mEventType == kAudioUnitEvent_PropertyChange
                            ? event->mArgument.mProperty.mPropertyID
                            : event->mArgument.mParameter.mParameterID);
  if (log->disposeSelf) {
    log->disposeSelf = false;
    EXPECT_EQ(noErr, AUListenerDispose(log->self));
  }
}

AUEventListenerRef Make(Log* log) {
  AUEventListenerRef l = nullptr;
  EXPECT_EQ(noErr, AUEventListenerCreate(Record, log, CFRunLoopGetCurrent(), kCFRunLoopDefaultMode,
                                         0.1f, 0.1f, &l));
  log->self = l;
  return l;
}

}  // namespace

TEST(AUEventListener, DeliversOnlyToRegistrationsThatMatchUnitParameterAndScope) {
  Log log;
  AUEventListenerRef l = Make(&log);
  AudioUnitEvent mine = Gesture(FakeUnit(1), 4);
  ASSERT_EQ(noErr, AUEventListenerAddEventType(l, nullptr, &mine));
  ASSERT_EQ(noErr, AUEventListenerAddEventType(l, nullptr, &mine));  // a duplicate keeps one

  AudioUnitEvent other = Gesture(FakeUnit(2), 4), param = Gesture(FakeUnit(1), 5),
                 scope = Gesture(FakeUnit(1), 4, kAudioUnitScope_Input),
                 end = Gesture(FakeUnit(1), 4);
  end.mEventType = kAudioUnitEvent_EndParameterChangeGesture;
  for (AudioUnitEvent* e : {&other, &param, &scope, &end})
    EXPECT_EQ(noErr, AUEventListenerNotify(nullptr, nullptr, e));
  EXPECT_TRUE(log.params.empty());
  EXPECT_EQ(noErr, AUEventListenerNotify(nullptr, nullptr, &mine));
  ASSERT_EQ(1u, log.params.size());
  EXPECT_EQ(4u, log.params[0]);

  ASSERT_EQ(noErr, AUEventListenerRemoveEventType(l, nullptr, &mine));
  EXPECT_EQ(noErr, AUEventListenerNotify(nullptr, nullptr, &mine));
  EXPECT_EQ(1u, log.params.size());
  EXPECT_EQ(noErr, AUListenerDispose(l));
}

TEST(AUEventListener, AnyParameterRegistrationsHearEveryParameterOfTheirUnit) {
  Log log;
  AUEventListenerRef l = Make(&log);
  AudioUnitEvent any = Gesture(FakeUnit(1), kAUParameterListener_AnyParameter);
  ASSERT_EQ(noErr, AUEventListenerAddEventType(l, &log, &any));
  AudioUnitEvent p7 = Gesture(FakeUnit(1), 7), p9 = Gesture(FakeUnit(1), 9),
                 elsewhere = Gesture(FakeUnit(3), 7);
  AUEventListenerNotify(nullptr, nullptr, &p7);
  AUEventListenerNotify(nullptr, nullptr, &p9);
  AUEventListenerNotify(nullptr, nullptr, &elsewhere);
  EXPECT_EQ((std::vector<AudioUnitParameterID>{7, 9}), log.params);
  EXPECT_EQ(&log, log.objects[0]) << "the callback receives the object given at registration";
  AUListenerDispose(l);
}

TEST(AUEventListener, PropertyEventsMatchUnitAndProperty) {
  Log log;
  AUEventListenerRef l = Make(&log);
  AudioUnitEvent latency = PropertyChange(FakeUnit(1), kAudioUnitProperty_Latency);
  ASSERT_EQ(noErr, AUEventListenerAddEventType(l, nullptr, &latency));
  AudioUnitEvent tail = PropertyChange(FakeUnit(1), kAudioUnitProperty_TailTime);
  AudioUnitEvent asGesture = Gesture(FakeUnit(1), kAudioUnitProperty_Latency);
  AUEventListenerNotify(nullptr, nullptr, &tail);
  AUEventListenerNotify(nullptr, nullptr, &asGesture);
  AUEventListenerNotify(nullptr, nullptr, &latency);
  EXPECT_EQ((std::vector<AudioUnitParameterID>{kAudioUnitProperty_Latency}), log.params);
  AUListenerDispose(l);
}

TEST(AUEventListener, TheSendingListenerAndObjectAreLeftOut) {
  Log a, b;
  AUEventListenerRef la = Make(&a), lb = Make(&b);
  AudioUnitEvent e = Gesture(FakeUnit(1), 1);
  int editor = 0, automation = 0;
  AUEventListenerAddEventType(la, &editor, &e);
  AUEventListenerAddEventType(lb, &automation, &e);
  AUEventListenerNotify(la, nullptr, &e);
  EXPECT_TRUE(a.params.empty());
  EXPECT_EQ(1u, b.params.size());
  AUEventListenerNotify(nullptr, &automation, &e);
  EXPECT_EQ(1u, a.params.size());
  EXPECT_EQ(1u, b.params.size());
  AUListenerDispose(la);
  AUListenerDispose(lb);
}

TEST(AUEventListener, AListenerMayDisposeItselfFromItsCallback) {
  Log log;
  AUEventListenerRef l = Make(&log);
  AudioUnitEvent e = Gesture(FakeUnit(1), 2);
  AUEventListenerAddEventType(l, nullptr, &e);
  log.disposeSelf = true;
  EXPECT_EQ(noErr, AUEventListenerNotify(nullptr, nullptr, &e));
  EXPECT_EQ(noErr, AUEventListenerNotify(nullptr, nullptr, &e));
  EXPECT_EQ(1u, log.params.size()) << "disposed listeners hear nothing more";
  EXPECT_EQ(paramErr, AUListenerDispose(l));
  EXPECT_EQ(paramErr, AUEventListenerAddEventType(l, nullptr, &e));
}

TEST(AUEventListener, CreationNeedsAProcedureAndAResult) {
  AUEventListenerRef l = nullptr;
  EXPECT_EQ(paramErr, AUEventListenerCreate(nullptr, nullptr, nullptr, nullptr, 0, 0, &l));
  EXPECT_EQ(paramErr, AUEventListenerCreate(Record, nullptr, nullptr, nullptr, 0, 0, nullptr));
  EXPECT_EQ(paramErr, AUEventListenerNotify(nullptr, nullptr, nullptr));
}

namespace {
void Count(void* refCon, void*, const AudioUnitEvent*, UInt64, AudioUnitParameterValue) {
  static_cast<std::atomic<int>*>(refCon)->fetch_add(1);
}
}  // namespace

TEST(AUEventListener, DisposalWaitsForDeliveriesOnOtherThreads) {
  std::atomic<int> heard{0};
  std::atomic<bool> stop{false};
  AudioUnitEvent e = Gesture(FakeUnit(9), 1);
  AUEventListenerRef l = nullptr;
  ASSERT_EQ(noErr, AUEventListenerCreate(Count, &heard, nullptr, nullptr, 0, 0, &l));
  ASSERT_EQ(noErr, AUEventListenerAddEventType(l, nullptr, &e));
  std::thread poster([&] {
    while (!stop) AUEventListenerNotify(nullptr, nullptr, &e);
  });
  while (heard.load() < 100) std::this_thread::yield();
  EXPECT_EQ(noErr, AUListenerDispose(l));
  int after = heard.load();  // no delivery can be running or start once disposal returned
  for (int i = 0; i < 1000; ++i) AUEventListenerNotify(nullptr, nullptr, &e);
  stop = true;
  poster.join();
  EXPECT_EQ(after, heard.load());
}
