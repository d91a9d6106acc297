#pragma once
// Sound on Qt Multimedia: short effects on a small pool of sound effects per number so that
// they overlap, music on a looping media player, jingles on a second player whose end (or,
// with no audio device, the file's length) is reported on the scheduler.
#include <QHash>
#include <QString>
#include <QVector>

#include "platform/Scheduler.h"
#include "platform/Sound.h"

class QSoundEffect;
class QMediaPlayer;
class QAudioOutput;

namespace morvik {

class QtSound final : public Sound {
 public:
  QtSound(QString soundFolder, Scheduler& scheduler);
  ~QtSound() override;
  void PlayEffect(int n) override;
  void PlayMusic(int n) override;
  void StopMusic() override;
  void PlayJingle(int n, std::function<void()> done) override;

 private:
  QString PathOf(const QString& name) const;
  QString folder_;
  Scheduler& scheduler_;
  QHash<int, QVector<QSoundEffect*>> effects_;
  QMediaPlayer* music_ = nullptr;
  QAudioOutput* musicOut_ = nullptr;
  QMediaPlayer* jingle_ = nullptr;
  QAudioOutput* jingleOut_ = nullptr;
  Scheduler::Id jingleGuard_ = 0;
  std::function<void()> jingleDone_;
};

// Length in milliseconds of a PCM WAV file from its header, or -1.
int WavLengthMs(const QString& path);
// The file of that name in the folder, whatever the letter case of either; empty if none.
QString FindNoCase(const QString& folder, const QString& name);

}  // namespace morvik
