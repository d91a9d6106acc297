// Damaged or unusual sound files beside the program: each one counts as missing, is named once
// on stderr, and never blocks (a FIFO or a device must not be opened for reading).
#include <gtest/gtest.h>

#include <QDir>
#include <SDL.h>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <sys/stat.h>
#include <vector>

#include "WavFixtures.h"
#include "platform/GameSound.h"
#include "platform/Mixer.h"
#include "platform/MixerAudioOut.h"
#include "platform/VirtualScheduler.h"
#include "platform/WavReader.h"
#include "platform/WavStream.h"

namespace morvik {
namespace {

using testing::WavBytes;
using testing::WriteFile;

class CountingMixer final : public Mixer {
 public:
  bool Ready() const override { return true; }
  int Load(const WavSound&) override { return loads++; }
  void Play(int, int, bool) override { ++plays; }
  void Halt(int) override {}
  void OnFinished(std::function<void(int)>) override {}
  int loads = 0, plays = 0;
};

TEST(DamagedWav, CountsAsMissingNamedOnceAndNeverBlocks) {
  const QByteArray good = WavBytes(1000);
  QByteArray wrongFormat = good;
  wrongFormat[20] = 3;  // floating point samples
  struct Row { const char* what; std::function<bool(const QString&)> make; } rows[] = {
      {"empty", [](const QString& p) { return WriteFile(p, {}); }},
      {"RIFF header only", [&](const QString& p) { return WriteFile(p, good.left(12)); }},
      {"header without samples", [](const QString& p) { return WriteFile(p, WavBytes(0)); }},
      {"cut short", [&](const QString& p) { return WriteFile(p, good.left(good.size() * 2 / 3)); }},
      {"data size 0xFFFFFF00", [](const QString& p) { return WriteFile(p, WavBytes(1000, 0xFFFFFF00LL)); }},
      {"not a WAV", [](const QString& p) { return WriteFile(p, "just some text, not a sound\n"); }},
      {"floating-point samples", [&](const QString& p) { return WriteFile(p, wrongFormat); }},
      {"directory", [](const QString& p) { return QDir().mkdir(p); }},
      {"FIFO", [](const QString& p) { return ::mkfifo(QFile::encodeName(p).constData(), 0600) == 0; }},
      {"symlink to /dev/zero", [](const QString& p) { return QFile::link("/dev/zero", p); }},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    QTemporaryDir dir;
    const QString path = dir.filePath("bgm10.wav");
    ASSERT_TRUE(r.make(path));
    QElapsedTimer clock;
    clock.start();

    QString why, checked;
    EXPECT_FALSE(ReadWav(path, &why).has_value());
    EXPECT_TRUE(why.startsWith(path)) << why.toStdString();
    EXPECT_FALSE(CheckWav(path, &checked).has_value()) << "music to be streamed passes the same checks";
    EXPECT_EQ(checked, why);

    // Through the game's own path: the jingle's wait ends at once and nothing plays.
    VirtualScheduler sched;
    CountingMixer mixer;
    MixerAudioOut out(sched, mixer);
    GameSound sound(dir.path(), out);
    int ended = 0;
    ::testing::internal::CaptureStderr();
    sound.PlayJingle(10, [&] { ++ended; });
    sound.PlayJingle(10, [&] { ++ended; });
    sound.PlayMusic(10);
    const std::string err = ::testing::internal::GetCapturedStderr();
    sched.RunDue();
    EXPECT_EQ(ended, 2);
    EXPECT_EQ(mixer.loads + mixer.plays, 0);
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_NE(err.find("bgm10.wav"), std::string::npos) << err;
    EXPECT_LT(clock.elapsed(), 2000);
  }
}

TEST(DamagedWav, SoundFilesThatAreFineAreRead) {
  QTemporaryDir dir;
  const QString path = dir.filePath("ok.wav");
  // An odd-sized chunk before the data is padded; the reader must step over the pad byte.
  QByteArray bytes = WavBytes(250);
  QByteArray extra("LIST\x03\x00\x00\x00" "abc\x00", 12);
  bytes.insert(36, extra);
  bytes.replace(4, 4, QByteArray::fromRawData("\0\0\0\0", 4));
  const quint32 riff = static_cast<quint32>(bytes.size() - 8);
  bytes.replace(4, 4, QByteArray(reinterpret_cast<const char*>(&riff), 4));
  ASSERT_TRUE(WriteFile(path, bytes));
  const auto wav = ReadWav(path);
  ASSERT_TRUE(wav.has_value());
  EXPECT_EQ(wav->LengthMs(), 250);
  EXPECT_EQ(wav->samples.size(), 2000);
  // What the decoder is given reads back the same.
  ASSERT_TRUE(WriteFile(path, wav->CanonicalFile()));
  const auto again = ReadWav(path);
  ASSERT_TRUE(again.has_value());
  EXPECT_EQ(again->samples, wav->samples);
  EXPECT_EQ(again->rate, 8000);
}

// Music is streamed: only checked at first, then read from its file as the decoder asks, and
// the decoder sees the same plain file as for a sound read whole.
TEST(DamagedWav, MusicStreamedFromItsFileReadsAsTheWholeSound) {
  QTemporaryDir dir;
  const QString path = dir.filePath("bgm3.wav");
  QByteArray bytes = WavBytes(250);
  bytes.insert(36, QByteArray("LIST\x03\x00\x00\x00" "abc\x00", 12));
  const quint32 riff = static_cast<quint32>(bytes.size() - 8);
  bytes.replace(4, 4, QByteArray(reinterpret_cast<const char*>(&riff), 4));
  ASSERT_TRUE(WriteFile(path, bytes));
  const auto whole = ReadWav(path);
  const auto checked = CheckWav(path);
  ASSERT_TRUE(whole && checked);
  EXPECT_TRUE(checked->Streamed());
  EXPECT_EQ(checked->LengthMs(), 250);
  EXPECT_EQ(checked->dataBytes, 2000);

  SDL_RWops* rw = OpenWavStream(*checked);
  ASSERT_NE(rw, nullptr);
  EXPECT_EQ(SDL_RWsize(rw), whole->CanonicalFile().size());
  auto readAll = [rw] {
    QByteArray got;
    char piece[7];  // in odd pieces, across the end of the header
    for (size_t n; (n = SDL_RWread(rw, piece, 1, sizeof piece)) > 0;) got.append(piece, static_cast<qsizetype>(n));
    return got;
  };
  EXPECT_EQ(readAll(), whole->CanonicalFile());
  ASSERT_EQ(SDL_RWseek(rw, 40, RW_SEEK_SET), 40);  // a loop starts the samples again
  EXPECT_EQ(readAll(), whole->CanonicalFile().mid(40));

  // A file cut short after the check ends the sound where it ends, with no error.
  ASSERT_TRUE(WriteFile(path, bytes.left(bytes.size() - 1000)));
  SDL_RWseek(rw, 0, RW_SEEK_SET);
  EXPECT_EQ(readAll(), whole->CanonicalFile().left(whole->CanonicalFile().size() - 1000));
  EXPECT_EQ(SDL_RWclose(rw), 0);

  // A file replaced by something that is not a regular file is not opened at all.
  ASSERT_TRUE(QFile::remove(path));
  ASSERT_TRUE(QFile::link("/dev/zero", path));
  EXPECT_EQ(OpenWavStream(*checked), nullptr);
}

TEST(DamagedWav, LoopingMusicIsHandedToTheMixerToStreamAndEffectsWhole) {
  QTemporaryDir dir;
  ASSERT_TRUE(WriteFile(dir.filePath("bgm3.wav"), WavBytes(250)));
  ASSERT_TRUE(WriteFile(dir.filePath("Sound3.wav"), WavBytes(50)));
  struct KeepingMixer final : Mixer {
    bool Ready() const override { return true; }
    int Load(const WavSound& s) override {
      streamed.push_back(s.Streamed());
      return static_cast<int>(streamed.size()) - 1;
    }
    void Play(int, int, bool) override {}
    void Halt(int) override {}
    void OnFinished(std::function<void(int)>) override {}
    std::vector<bool> streamed;
  } mixer;
  VirtualScheduler sched;
  MixerAudioOut out(sched, mixer);
  GameSound sound(dir.path(), out);
  sound.musicOn = true;
  sound.PlayMusic(3);
  sound.PlayEffectFile(3);
  EXPECT_EQ(mixer.streamed, (std::vector<bool>{true, false}));
}

}  // namespace
}  // namespace morvik
