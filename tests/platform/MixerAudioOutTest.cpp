// The audio layer's rules on a recording mixer: which channel each kind of sound takes, that
// leaving stops music and jingle together, that the mixer's end report reaches the GUI thread
// and a stale one is ignored, and that a wait is bounded by the file when the device is silent.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QThread>
#include <thread>

#include "RecordingMixer.h"
#include "WavFixtures.h"
#include "platform/MixerAudioOut.h"
#include "platform/VirtualScheduler.h"
#include "platform/WavReader.h"

namespace morvik {
namespace {

using testing::WavBytes;
using testing::WriteFile;
using testing::RecordingMixer;

struct Fixture {
  Fixture() {
    music = dir.filePath("bgm1.wav");
    step = dir.filePath("Sound0.wav");
    jingle = dir.filePath("bgm10.wav");
    EXPECT_TRUE(WriteFile(music, WavBytes(2000)));
    EXPECT_TRUE(WriteFile(step, WavBytes(100)));
    EXPECT_TRUE(WriteFile(jingle, WavBytes(3000)));
  }
  QTemporaryDir dir;
  QString music, step, jingle;
  VirtualScheduler sched;
  RecordingMixer mixer;
};

TEST(MixerAudioOut, EachKindOfSoundHasItsChannelAndIsDecodedOnce) {
  Fixture f;
  MixerAudioOut out(f.sched, f.mixer);
  out.Loop(f.music);
  out.Once(f.step);
  out.Once(f.step);
  out.Loop(f.music);
  out.PlayThenNotify(f.jingle, [] {});
  EXPECT_EQ(f.mixer.log, QStringList({"halt 0", "play 0 #0 loop", "play -1 #1", "play -1 #1", "halt 0", "play 0 #0 loop",
                                      "halt 1", "play 1 #2"}));
  EXPECT_EQ(f.mixer.loads, (std::vector<int>{2000, 100, 3000}));
}

TEST(MixerAudioOut, StoppingEndsMusicAndJingleAtOnceAndTheWaitStillEnds) {
  Fixture f;
  MixerAudioOut out(f.sched, f.mixer);
  out.Loop(f.music);
  int ended = 0;
  out.PlayThenNotify(f.jingle, [&] { ++ended; });
  f.mixer.log.clear();
  out.StopLoop();
  EXPECT_EQ(f.mixer.log, QStringList({"halt 0", "halt 1"}));
  EXPECT_EQ(ended, 0) << "the wait ends on the scheduler, not inside StopLoop";
  f.sched.RunDue();
  EXPECT_EQ(ended, 1);
  // The halt's own end report is stale, and so is the guard of the stopped wait.
  QCoreApplication::processEvents();
  f.sched.RunUntilIdle();
  EXPECT_EQ(ended, 1);
}

TEST(MixerAudioOut, TheMixersEndReportReachesTheGuiThreadAndOnlyForTheCurrentJingle) {
  Fixture f;
  MixerAudioOut out(f.sched, f.mixer);
  int first = 0, second = 0;
  QThread* calledOn = nullptr;
  out.PlayThenNotify(f.jingle, [&] { ++first; });
  // The first jingle is replaced: its done follows, and then a new wait runs.
  out.PlayThenNotify(f.jingle, [&] {
    ++second;
    calledOn = QThread::currentThread();
  });
  f.sched.RunDue();
  EXPECT_EQ(first, 1);
  std::thread mixerThread([&] {
    f.mixer.receiver(0);  // the music channel's end means nothing to the wait
    f.mixer.receiver(1);
  });
  mixerThread.join();
  f.sched.RunDue();
  EXPECT_EQ(second, 0) << "nothing may run on the mixer's thread";
  QCoreApplication::processEvents();
  f.sched.RunDue();
  EXPECT_EQ(second, 1);
  EXPECT_EQ(calledOn, QThread::currentThread());
  f.sched.RunUntilIdle();
  EXPECT_EQ(second, 1) << "the guard of a finished wait must not fire again";
}

TEST(MixerAudioOut, AWaitIsBoundedByTheFileWhenNothingReportsItsEnd) {
  struct Row { bool device; int endsAt; } rows[] = {
      {false, 3000},                                  // no device: the file's length
      {true, 3000 + MixerAudioOut::kEndSlackMs},      // a device that stopped reporting
  };
  for (const Row& r : rows) {
    Fixture f;
    f.mixer.ready = r.device;
    MixerAudioOut out(f.sched, f.mixer);
    int ended = 0;
    out.PlayThenNotify(f.jingle, [&] { ++ended; });
    f.sched.Advance(r.endsAt - 1);
    EXPECT_EQ(ended, 0) << r.device;
    f.sched.Advance(1);
    EXPECT_EQ(ended, 1) << r.device;
    EXPECT_EQ(f.mixer.loads.size(), r.device ? 1u : 0u);
  }
}

TEST(MixerAudioOut, AMissingFileEndsTheWaitAtOnceAndPlaysNothing) {
  Fixture f;
  MixerAudioOut out(f.sched, f.mixer);
  int ended = 0;
  out.PlayThenNotify(f.dir.filePath("bgm11.wav"), [&] { ++ended; });
  out.PlayThenNotify(QString(), [&] { ++ended; });
  out.Loop(f.dir.filePath("bgm9.wav"));
  out.Once(f.dir.filePath("Sound9.wav"));
  f.sched.RunDue();
  EXPECT_EQ(ended, 2);
  EXPECT_FALSE(f.mixer.log.join(",").contains("play"));
}

}  // namespace
}  // namespace morvik
