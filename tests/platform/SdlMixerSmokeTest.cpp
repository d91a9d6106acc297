// The real device: a short jingle is reported finished by the mixer itself, about when it has
// been played. Skips itself where no sound server runs (CI, a bare console).
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>

#include "WavFixtures.h"
#include "platform/MixerAudioOut.h"
#include "platform/QtScheduler.h"
#include "platform/SdlMixer.h"

namespace morvik {
namespace {

bool SoundServerRuns() {
  if (!qEnvironmentVariableIsEmpty("PULSE_SERVER")) return true;
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR", QStringLiteral("/run/user/%1").arg(getuid()));
  for (const char* socket : {"pulse/native", "pipewire-0"})
    if (QFileInfo::exists(QDir(runtime).filePath(QString::fromLatin1(socket)))) return true;
  return false;
}

TEST(SdlMixerSmoke, AJingleOnTheRealDeviceIsReportedFinishedByTheMixer) {
  if (!SoundServerRuns()) GTEST_SKIP() << "no sound server runs here (no PULSE_SERVER, no pulse or pipewire socket)";
  SdlMixer mixer;
  ASSERT_TRUE(mixer.Ready()) << "a sound server runs, but no device could be opened";
  EXPECT_LE(mixer.BufferFrames(), 1024);
  QTemporaryDir dir;
  const QString path = dir.filePath("jingle.wav");
  ASSERT_TRUE(testing::WriteFile(path, testing::WavBytes(400)));
  QtScheduler sched;
  MixerAudioOut out(sched, mixer);
  QEventLoop loop;
  QElapsedTimer clock;
  qint64 endedAt = -1;
  clock.start();
  out.PlayThenNotify(path, [&] {
    endedAt = clock.elapsed();
    loop.quit();
  });
  QTimer::singleShot(5000, &loop, &QEventLoop::quit);
  loop.exec();
  ASSERT_GE(endedAt, 0) << "the wait never ended";
  // Reported by the mixer: after the sound (less the device's buffer), well before the guard.
  EXPECT_GE(endedAt, 400 - 100);
  EXPECT_LT(endedAt, 400 + MixerAudioOut::kEndSlackMs / 2);
}

}  // namespace
}  // namespace morvik
