#pragma once
// The audio device as the program starts: opening the device and checking the first piece of
// music take long enough to hold up the title, so both happen on a worker thread while the
// title is built and painted. Until they are done, the music asked for last and a jingle's
// wait are held and handed on in order; effects are not heard (nothing could sound yet).
// After that every request goes straight to the mixer's audio layer on the GUI thread. A
// device lost later (the sound server restarted) is opened afresh on the worker when music
// is next asked for (the title, each stage's opening), and held requests wait for it again.
#include <QObject>
#include <QString>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/AudioOut.h"
#include "platform/Mixer.h"
#include "platform/MixerAudioOut.h"
#include "platform/Scheduler.h"

namespace morvik {

class LateAudioOut final : public AudioOut {
 public:
  // openMixer runs on the worker; `opened` is called on the GUI thread once the device is
  // open (or found missing) and the music asked for until then has been read.
  LateAudioOut(Scheduler& scheduler, std::function<std::unique_ptr<Mixer>()> openMixer);
  ~LateAudioOut() override;

  void Loop(const QString& path) override;
  void StopLoop() override;
  void Once(const QString& path) override;
  void PlayThenNotify(const QString& path, std::function<void()> done) override;
  // Reads the files on the worker after whatever it has to do first; each is handed to the
  // mixer on the GUI thread unless it was played (and so read) meanwhile.
  void ReadAhead(const QStringList& paths) override;

  bool Ready() const { return out_ && readsPending_ == 0; }
  // The device has been opened this many times (tests).
  int Opens() const { return opens_; }
  std::function<void()> opened;
  // Tests: blocks until the worker has nothing left to do and delivers its results.
  void WaitUntilReady();

 private:
  void Post(std::function<void()> job);  // runs job on the worker
  void Work();
  void MixerOpened(std::shared_ptr<std::unique_ptr<Mixer>> mixer);
  void MusicRead(const QString& path, std::shared_ptr<std::optional<WavSound>> sound, const QString& why);
  void HandOn();
  void Reopen();
  void EndHeldWait();

  Scheduler& scheduler_;
  std::function<std::unique_ptr<Mixer>()> openMixer_;
  QObject gui_;  // receives the worker's results on the GUI thread
  std::unique_ptr<Mixer> mixer_;
  std::unique_ptr<MixerAudioOut> out_;
  int readsPending_ = 0;
  int opens_ = 0;
  QString heldLoop_;
  QString heldWait_;
  std::function<void()> heldDone_;

  std::mutex lock_;
  std::condition_variable wake_;
  std::deque<std::function<void()>> jobs_;
  bool busy_ = false;
  bool stopping_ = false;
  std::thread worker_;
};

}  // namespace morvik
