// Which file each sound request plays, and when the settings keep it silent; the virtual
// scheduler's order of callbacks; the script player's pauses and cancellation.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "platform/GameSound.h"
#include "platform/VirtualScheduler.h"
#include "play/ScriptPlayer.h"

namespace morvik {
namespace {

class RecordingAudio final : public AudioOut {
 public:
  void Loop(const QString& path) override { log << "loop " + QFileInfo(path).fileName(); }
  void StopLoop() override { log << "stop"; }
  void Once(const QString& path) override { log << "once " + QFileInfo(path).fileName(); }
  void PlayThenNotify(const QString& path, std::function<void()> done) override {
    log << "wait " + QFileInfo(path).fileName();
    done();
  }
  void ReadAhead(const QStringList& paths) override {
    for (const QString& p : paths) log << "ahead " + QFileInfo(p).fileName();
  }
  QStringList log;
};

struct SoundFolder {
  SoundFolder() {
    for (const char* name : {"bgm0.wav", "BGM10.WAV", "bgm11.wav", "bgm12.wav", "bgm13.wav", "sound3.wav", "Sound20.wav"}) {
      QFile f(dir.filePath(name));
      f.open(QIODevice::WriteOnly);
    }
  }
  QTemporaryDir dir;
};

// Looping music is streamed from its file when it starts; it is not held ahead.
TEST(GameSound, EveryEffectAndJingleThereIsIsReadAheadWhateverItsCase) {
  SoundFolder folder;
  RecordingAudio audio;
  GameSound(folder.dir.path(), audio).ReadAllAhead();
  audio.log.sort();
  EXPECT_EQ(audio.log, QStringList({"ahead BGM10.WAV", "ahead Sound20.wav", "ahead bgm11.wav", "ahead sound3.wav"}));
}

TEST(GameSound, MusicFollowsTheSettings) {
  struct Row { bool music, effects, test; int n; const char* heard; } rows[] = {
      {true, true, false, 12, "loop bgm12.wav"},
      {false, true, false, 12, ""},
      {false, true, true, 0, "loop bgm0.wav"},   // the editor's music test
      {false, false, false, 13, "loop bgm13.wav"},  // the ending plays whatever the settings
      {true, true, false, 10, "loop BGM10.WAV"},
      {true, false, false, 11, ""},               // jingles follow the effect switch
      {true, true, false, 5, ""},                 // no such file: nothing, no message
  };
  for (const Row& r : rows) {
    SoundFolder folder;
    RecordingAudio audio;
    GameSound sound(folder.dir.path(), audio);
    sound.musicOn = r.music;
    sound.effectsOn = r.effects;
    sound.bgmTest = r.test;
    sound.PlayMusic(r.n);
    const QString heard = audio.log.mid(1).join(",");
    EXPECT_EQ(audio.log.value(0), "stop") << r.n;
    EXPECT_EQ(heard, r.heard) << r.n << " music " << r.music << " effects " << r.effects;
  }
}

TEST(GameSound, EffectsFollowTheSwitchAndTheMinimisedTitle) {
  SoundFolder folder;
  RecordingAudio audio;
  GameSound sound(folder.dir.path(), audio);
  bool minimised = false;
  sound.titleMinimised = [&] { return minimised; };
  sound.PlayEffect(3);
  sound.PlayEffect(4);  // missing file
  minimised = true;
  sound.PlayEffect(20);
  minimised = false;
  sound.effectsOn = false;
  sound.PlayEffect(20);
  sound.PlayEffectFile(20);
  EXPECT_EQ(audio.log, QStringList({"once sound3.wav", "once Sound20.wav"}));
}

TEST(GameSound, JingleWaitsWhateverTheSwitches) {
  SoundFolder folder;
  RecordingAudio audio;
  GameSound sound(folder.dir.path(), audio);
  sound.musicOn = sound.effectsOn = false;
  int ended = 0;
  sound.PlayJingle(11, [&] { ++ended; });
  EXPECT_EQ(audio.log, QStringList({"wait bgm11.wav"}));
  EXPECT_EQ(ended, 1);
}

TEST(VirtualScheduler, RunsDueCallbacksInTimeOrder) {
  VirtualScheduler s;
  std::string order;
  s.After(50, [&] { order += "b"; });
  s.After(10, [&] { order += "a"; s.After(0, [&] { order += "z"; }); });
  const auto cancelled = s.After(20, [&] { order += "x"; });
  s.After(50, [&] { order += "c"; });
  s.Cancel(cancelled);
  s.Advance(49);
  EXPECT_EQ(order, "az");
  s.Advance(1);
  EXPECT_EQ(order, "azbc");
  EXPECT_EQ(s.Now(), 50);
}

TEST(ScriptPlayer, PausesScheduleTheRestAndCancelStops) {
  VirtualScheduler sched;
  std::vector<std::string> done;
  ScriptPlayer player(sched, [&](const Effect& e, Script&) { done.push_back(Describe(e)); });
  Script s;
  s.Add(Fx::Sound, 1);
  s.Add(Fx::Pause, 100);
  s.Add(Fx::Sound, 2);
  s.Add(Fx::Yield);
  s.Add(Fx::Sound, 3);
  bool finished = false;
  player.Play(s, [&] { finished = true; });
  EXPECT_EQ(done, std::vector<std::string>{"Sound 1"});
  sched.Advance(99);
  EXPECT_TRUE(player.Busy());
  sched.Advance(1);
  EXPECT_EQ(done, (std::vector<std::string>{"Sound 1", "Sound 2", "Sound 3"}));
  EXPECT_TRUE(finished);
  EXPECT_FALSE(player.Busy());

  done.clear();
  finished = false;
  player.Play(s, [&] { finished = true; });
  player.Cancel();
  sched.Advance(1000);
  EXPECT_EQ(done, std::vector<std::string>{"Sound 1"});
  EXPECT_FALSE(finished);
}

TEST(ScriptPlayer, CompoundEffectsExpandInPlace) {
  VirtualScheduler sched;
  std::vector<std::string> done;
  ScriptPlayer player(sched, [&](const Effect& e, Script& x) {
    done.push_back(Describe(e));
    if (e.kind == Fx::InWaterAnime) {
      x.Add(Fx::InWaterFrame, e.a, e.b, 0);
      x.Add(Fx::Pause, e.c);
      x.Add(Fx::InWaterFrame, e.a, e.b, -1);
    }
  });
  Script s;
  s.Add(Fx::InWaterAnime, 1, 2, 75);
  s.Add(Fx::Sound, 9);
  player.Play(s);
  EXPECT_EQ(done.back(), "InWaterFrame 1,2#0");
  sched.Advance(75);
  EXPECT_EQ(done, (std::vector<std::string>{"InWater 1,2/75", "InWaterFrame 1,2#0", "InWaterFrame 1,2#-1", "Sound 9"}));
}

}  // namespace
}  // namespace morvik
