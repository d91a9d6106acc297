// The audio device opened behind the title: what is asked before the device is open and the
// music read is held and handed on once they are (the music asked last, a jingle's wait),
// effects are not heard yet, and afterwards every request goes straight through.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <future>

#include "RecordingMixer.h"
#include "WavFixtures.h"
#include "platform/LateAudioOut.h"
#include "platform/VirtualScheduler.h"

namespace morvik {
namespace {

using testing::RecordingMixer;
using testing::WavBytes;
using testing::WriteFile;

// The device opens when the test lets it; the mixer stays readable after it is handed over.
struct Opening {
  Opening() {
    for (auto [name, ms] : {std::pair{"bgm12.wav", 2000}, {"bgm1.wav", 1500}, {"bgm10.wav", 300}, {"Sound0.wav", 100}})
      EXPECT_TRUE(WriteFile(dir.filePath(name), WavBytes(ms)));
    out = std::make_unique<LateAudioOut>(sched, [this] {
      opening.wait();
      auto m = std::make_unique<RecordingMixer>();
      m->ready = deviceThere;
      mixer = m.get();
      return m;
    });
    out->opened = [this] { ++openedCalls; };
  }
  void Open() {
    open.set_value();
    out->WaitUntilReady();
  }
  QString File(const char* name) { return dir.filePath(name); }

  QTemporaryDir dir;
  VirtualScheduler sched;
  std::promise<void> open;
  std::shared_future<void> opening = open.get_future().share();
  bool deviceThere = true;
  RecordingMixer* mixer = nullptr;
  std::unique_ptr<LateAudioOut> out;
  int openedCalls = 0;
};

TEST(LateAudioOut, WhatIsAskedBeforeTheDeviceOpensIsHandedOnInOrder) {
  // Requests before the device is open ('L' loop, 'S' stop, 'O' effect, 'W' jingle), then
  // what the mixer is asked once it is, and how many waits have ended.
  struct Row { std::vector<std::pair<char, const char*>> asked; QStringList played; int waitsEnded; } rows[] = {
      {{{'L', "bgm12.wav"}}, {"halt 0", "play 0 #0 loop"}, 0},
      {{{'L', "bgm12.wav"}, {'S', ""}, {'L', "bgm1.wav"}}, {"halt 0", "play 0 #1 loop"}, 0},  // the last wins
      {{{'L', "bgm12.wav"}, {'S', ""}}, {}, 0},
      {{{'O', "Sound0.wav"}}, {}, 0},  // nothing could be heard yet
      {{{'W', "bgm10.wav"}}, {"halt 1", "play 1 #0"}, 0},
      {{{'W', "bgm10.wav"}, {'S', ""}}, {}, 1},  // a stopped wait still ends
      {{{'W', "bgm10.wav"}, {'W', "bgm10.wav"}}, {"halt 1", "play 1 #0"}, 1},
  };
  for (const Row& r : rows) {
    Opening o;
    int ended = 0;
    for (const auto& [what, name] : r.asked) {
      const QString path = o.File(name);
      if (what == 'L') o.out->Loop(path);
      if (what == 'S') o.out->StopLoop();
      if (what == 'O') o.out->Once(path);
      if (what == 'W') o.out->PlayThenNotify(path, [&ended] { ++ended; });
    }
    o.sched.Advance(0);
    EXPECT_FALSE(o.out->Ready());
    o.Open();
    ASSERT_TRUE(o.out->Ready());
    EXPECT_EQ(o.mixer->log, r.played) << r.asked.size() << " " << r.asked.front().second;
    o.sched.Advance(0);
    EXPECT_EQ(ended, r.waitsEnded) << r.asked.size() << " " << r.asked.front().second;
    EXPECT_EQ(o.openedCalls, 1);
  }
}

TEST(LateAudioOut, OnceOpenRequestsGoStraightThroughAndTheHeldMusicWasReadAlready) {
  Opening o;
  o.out->Loop(o.File("bgm12.wav"));
  o.Open();
  EXPECT_EQ(o.mixer->loads, std::vector<int>{2000}) << "the music read on the worker is the one played";
  o.mixer->log.clear();
  o.out->Once(o.File("Sound0.wav"));
  o.out->Loop(o.File("bgm12.wav"));
  EXPECT_EQ(o.mixer->log, QStringList({"play -1 #1", "halt 0", "play 0 #0 loop"}));
  EXPECT_EQ(o.mixer->loads, (std::vector<int>{2000, 100}));
}

TEST(LateAudioOut, FilesReadAheadAreNotReadAgainWhenPlayed) {
  Opening o;
  o.out->Loop(o.File("bgm12.wav"));
  o.out->ReadAhead({o.File("bgm1.wav"), o.File("Sound0.wav"), o.File("bgm12.wav")});
  o.Open();
  // The title's music first, then what was read ahead; the title's music only once.
  EXPECT_EQ(o.mixer->loads, (std::vector<int>{2000, 1500, 100}));
  o.mixer->log.clear();
  o.out->Loop(o.File("bgm1.wav"));
  o.out->Once(o.File("Sound0.wav"));
  EXPECT_EQ(o.mixer->log, QStringList({"halt 0", "play 0 #1 loop", "play -1 #2"}));
  EXPECT_EQ(o.mixer->loads.size(), 3u) << "nothing read on the GUI thread";
}

TEST(LateAudioOut, WithoutADeviceTheGameGoesOnSilentAndJinglesStillEnd) {
  Opening o;
  o.deviceThere = false;
  int ended = 0;
  o.out->PlayThenNotify(o.File("bgm10.wav"), [&ended] { ++ended; });
  o.Open();
  EXPECT_EQ(o.openedCalls, 1);
  EXPECT_FALSE(o.mixer->log.join(' ').contains("play"));
  o.sched.Advance(299);
  EXPECT_EQ(ended, 0);
  o.sched.Advance(1);
  EXPECT_EQ(ended, 1) << "the wait lasts the jingle's length";
}

TEST(LateAudioOut, ALostOrMissingDeviceIsOpenedAfreshOnTheWorkerWhenMusicIsNextAsked) {
  for (const bool lost : {true, false}) {  // lost after a while, or missing at the start
    Opening o;
    o.deviceThere = lost;  // a device lost later was there at the start
    o.out->Loop(o.File("bgm12.wav"));
    o.Open();
    o.out->Loop(o.File("bgm1.wav"));
    if (!lost) o.out->WaitUntilReady();
    EXPECT_EQ(o.out->Opens(), lost ? 1 : 2) << "a device that plays is kept; a missing one is looked for again";
    o.deviceThere = true;
    o.mixer->lost = lost;
    o.out->Loop(o.File("bgm1.wav"));
    EXPECT_FALSE(o.out->Ready()) << "the window does not wait for the device";
    o.out->Once(o.File("Sound0.wav"));  // not heard meanwhile, as at the start
    o.out->WaitUntilReady();
    ASSERT_TRUE(o.out->Ready());
    EXPECT_EQ(o.out->Opens(), lost ? 2 : 3);
    EXPECT_EQ(o.mixer->log, QStringList({"halt 0", "play 0 #0 loop"})) << "the new device plays the music asked for";
    EXPECT_EQ(o.openedCalls, 1) << "the controllers are started once";
  }
}

TEST(LateAudioOut, LeavingBeforeTheDeviceOpensEndsCleanly) {
  auto o = std::make_unique<Opening>();
  o->out->Loop(o->File("bgm12.wav"));
  o->open.set_value();
  o->out.reset();  // the worker finishes its job; its results are dropped
  QCoreApplication::sendPostedEvents();
  EXPECT_EQ(o->openedCalls, 0);
}

}  // namespace
}  // namespace morvik
