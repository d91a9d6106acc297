// The real device: a short jingle is reported finished by the mixer itself, about when it has
// been played. Skips itself where no sound server runs (CI, a bare console).
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <atomic>

#include "WavFixtures.h"
#include "platform/MixerAudioOut.h"
#include "platform/QtScheduler.h"
#include "platform/SdlMixer.h"
#include "platform/WavReader.h"

namespace morvik {
namespace {

// Passes everything to the real mixer and counts its reports for the waiting player.
class ReportCounter final : public Mixer {
 public:
  explicit ReportCounter(Mixer& real) : real_(real) {}
  bool Ready() const override { return real_.Ready(); }
  int Load(const WavSound& s) override { return real_.Load(s); }
  void Play(int channel, int handle, bool loop) override { real_.Play(channel, handle, loop); }
  void Halt(int channel) override { real_.Halt(channel); }
  void OnFinished(std::function<void(int)> receiver) override {
    real_.OnFinished([this, receiver](int channel) {
      if (channel == kWaitChannel) ++waitReports;
      if (receiver) receiver(channel);
    });
  }
  std::atomic<int> waitReports{0};

 private:
  Mixer& real_;
};

bool SoundServerRuns() {
  if (!qEnvironmentVariableIsEmpty("PULSE_SERVER")) return true;
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR", QStringLiteral("/run/user/%1").arg(getuid()));
  for (const char* socket : {"pulse/native", "pipewire-0"})
    if (QFileInfo::exists(QDir(runtime).filePath(QString::fromLatin1(socket)))) return true;
  return false;
}

TEST(SdlMixerSmoke, AJingleOnTheRealDeviceIsReportedFinishedByTheMixer) {
  if (!SoundServerRuns()) GTEST_SKIP() << "no sound server runs here (no PULSE_SERVER, no pulse or pipewire socket)";
  SdlMixer device;
  ASSERT_TRUE(device.Ready()) << "a sound server runs, but no device could be opened";
  EXPECT_LE(device.BufferFrames(), 1024);
  ReportCounter mixer(device);
  QTemporaryDir dir;
  const QString path = dir.filePath("jingle.wav");
  ASSERT_TRUE(testing::WriteFile(path, testing::WavBytes(400)));
  QtScheduler sched;
  MixerAudioOut out(sched, mixer);
  QEventLoop loop;
  QElapsedTimer clock;
  qint64 endedAt = -1;
  clock.start();
  out.PlayThenNotify(path, [&] { endedAt = clock.elapsed(); });
  // A freshly opened stream may take a while to start on a busy machine: wait for the
  // device's own report, not only for the wait to end.
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if ((endedAt >= 0 && mixer.waitReports > 0) || clock.elapsed() > 8000) loop.quit();
  });
  poll.start(20);
  loop.exec();
  ASSERT_GE(endedAt, 0) << "the wait never ended";
  EXPECT_GE(endedAt, 400 - 100) << "the wait ended before the sound could have been played";
  EXPECT_EQ(mixer.waitReports, 1) << "the device never reported the end of the sound";
}

}  // namespace
}  // namespace morvik
