#pragma once
// The audio device as the sound rules use it, on a channel mixer: music loops on its own
// channel, effects overlap on the others, and the waiting player (the jingles) has a channel
// whose end the mixer reports from its thread; that report is posted to the GUI thread.
// Every file is checked once; effects and jingles are read and decoded then, looping music is
// only checked, and the mixer streams it from its file. A bad file counts as missing, named
// once on stderr.
// Without a device, or when it stops reporting, a wait ends after the file's length.
#include <QHash>
#include <QObject>
#include <QString>
#include <atomic>
#include <optional>

#include "platform/AudioOut.h"
#include "platform/Mixer.h"
#include "platform/Scheduler.h"
#include "platform/WavReader.h"

namespace morvik {

class MixerAudioOut final : public AudioOut {
 public:
  MixerAudioOut(Scheduler& scheduler, Mixer& mixer);
  ~MixerAudioOut() override;

  void Loop(const QString& path) override;
  void StopLoop() override;
  void Once(const QString& path) override;
  void PlayThenNotify(const QString& path, std::function<void()> done) override;

  // Takes a file already read and checked elsewhere (nullopt: it was refused for `why`), so
  // that playing it reads nothing more.
  void Adopt(const QString& path, const std::optional<WavSound>& sound, const QString& why);

  // How long past its length a wait lasts when the device never reports the end.
  static constexpr int kEndSlackMs = 1000;

 private:
  struct Loaded {
    bool usable = false;
    int handle = -1;
    int lengthMs = 0;
  };
  // The file as read (its samples in memory) or, for streaming, as checked.
  const Loaded& Load(const QString& path, bool stream = false);
  const Loaded& Keep(const QString& path, const std::optional<WavSound>& sound, const QString& why);
  void ChannelFinished(int channel);  // any thread
  void EndWait();                     // stops the waiting player; its done follows on the scheduler
  void FinishWait(unsigned serial);

  Scheduler& scheduler_;
  Mixer& mixer_;
  QObject gui_;  // receives the mixer's reports on the GUI thread
  QHash<QString, Loaded> loaded_;
  std::atomic<unsigned> waitSerial_{0};
  Scheduler::Id guard_ = 0;
  std::function<void()> done_;
};

}  // namespace morvik
