#pragma once
// The audio device on Qt Multimedia: short effects on a small pool of sound effects per file
// so that they overlap, music on a looping media player, and a second media player whose
// end (or, with no audio device, the file's length) is reported on the scheduler.
#include <QHash>
#include <QString>
#include <QVector>

#include "platform/AudioOut.h"
#include "platform/Scheduler.h"

class QSoundEffect;
class QMediaPlayer;
class QAudioOutput;

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
  QMediaPlayer* music_ = nullptr;
  QAudioOutput* musicOut_ = nullptr;
  QMediaPlayer* waiting_ = nullptr;
  QAudioOutput* waitingOut_ = nullptr;
  Scheduler::Id guard_ = 0;
  std::function<void()> done_;
};

// Length in milliseconds of a PCM WAV file from its header, or -1.
int WavLengthMs(const QString& path);
// The file of that name in the folder, whatever the letter case of either; empty if none.
QString FindNoCase(const QString& folder, const QString& name);

}  // namespace morvik
