#pragma once
// The audio device on Qt Multimedia's sound effects, which read WAV files themselves (no codec
// plugins needed): a small pool per effect file so that effects overlap, one looping player
// for the music, and one player whose end (or, with no audio device, the file's length) is
// reported on the scheduler.
#include <QHash>
#include <QString>
#include <QVector>

#include "platform/AudioOut.h"
#include "platform/Scheduler.h"

class QSoundEffect;

namespace morvik {

class QtAudioOut final : public AudioOut {
 public:
  explicit QtAudioOut(Scheduler& scheduler);
  ~QtAudioOut() override;
  void Loop(const QString& path) override;
  void StopLoop() override;
  void Once(const QString& path) override;
  void PlayThenNotify(const QString& path, std::function<void()> done) override;

 private:
  void FinishWait();
  Scheduler& scheduler_;
  QHash<QString, QVector<QSoundEffect*>> effects_;
  QSoundEffect* music_ = nullptr;
  QSoundEffect* waiting_ = nullptr;
  Scheduler::Id guard_ = 0;
  std::int64_t waitStart_ = 0;
  int waitLength_ = 0;
  std::function<void()> done_;
};

// Length in milliseconds of a PCM WAV file from its header, or -1.
int WavLengthMs(const QString& path);
// The file of that name in the folder, whatever the letter case of either; empty if none.
QString FindNoCase(const QString& folder, const QString& name);

}  // namespace morvik
