#include "platform/LateAudioOut.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace morvik {

LateAudioOut::LateAudioOut(Scheduler& scheduler, std::function<std::unique_ptr<Mixer>()> openMixer)
    : scheduler_(scheduler), openMixer_(std::move(openMixer)) {
  readsPending_ = 1;  // the device itself
  worker_ = std::thread([this] { Work(); });
  Post([this] {
    auto mixer = std::make_shared<std::unique_ptr<Mixer>>(openMixer_());
    QMetaObject::invokeMethod(&gui_, [this, mixer] { MixerOpened(mixer); }, Qt::QueuedConnection);
  });
}

// The device went away, or there never was one: the old mixer is closed and a new one opened
// on the worker (there is only ever one at a time). Until it is, requests are held as at start.
void LateAudioOut::Reopen() {
  out_->StopLoop();  // a jingle's wait still ends
  out_.reset();
  readsPending_ = 1;
  auto old = std::make_shared<std::unique_ptr<Mixer>>(std::move(mixer_));
  Post([this, old] {
    old->reset();
    auto mixer = std::make_shared<std::unique_ptr<Mixer>>(openMixer_());
    QMetaObject::invokeMethod(&gui_, [this, mixer] { MixerOpened(mixer); }, Qt::QueuedConnection);
  });
}

LateAudioOut::~LateAudioOut() {
  {
    const std::lock_guard<std::mutex> l(lock_);
    stopping_ = true;
    jobs_.clear();
  }
  wake_.notify_all();
  worker_.join();
  out_.reset();  // before the mixer it plays on
  mixer_.reset();
}

void LateAudioOut::Post(std::function<void()> job) {
  {
    const std::lock_guard<std::mutex> l(lock_);
    jobs_.push_back(std::move(job));
  }
  wake_.notify_all();
}

void LateAudioOut::Work() {
  for (;;) {
    std::function<void()> job;
    {
      std::unique_lock<std::mutex> l(lock_);
      busy_ = false;
      wake_.notify_all();
      wake_.wait(l, [this] { return stopping_ || !jobs_.empty(); });
      if (stopping_) return;
      job = std::move(jobs_.front());
      jobs_.pop_front();
      busy_ = true;
    }
    job();
  }
}

void LateAudioOut::WaitUntilReady() {
  {
    std::unique_lock<std::mutex> l(lock_);
    wake_.wait(l, [this] { return jobs_.empty() && !busy_; });
  }
  QCoreApplication::sendPostedEvents(&gui_, QEvent::MetaCall);
}

void LateAudioOut::MixerOpened(std::shared_ptr<std::unique_ptr<Mixer>> mixer) {
  mixer_ = std::move(*mixer);
  out_ = std::make_unique<MixerAudioOut>(scheduler_, *mixer_);
  ++opens_;
  --readsPending_;
  HandOn();
}

void LateAudioOut::MusicRead(const QString& path, std::shared_ptr<std::optional<WavSound>> sound, const QString& why) {
  out_->Adopt(path, *sound, why);  // the device's result always comes first
  --readsPending_;
  HandOn();
}

// Once the device is open and the music read, what was asked meanwhile is played.
void LateAudioOut::HandOn() {
  if (!Ready()) return;
  if (!heldLoop_.isEmpty()) out_->Loop(heldLoop_);
  heldLoop_.clear();
  if (heldDone_) out_->PlayThenNotify(heldWait_, std::move(heldDone_));
  heldDone_ = nullptr;
  if (auto once = std::move(opened)) {
    opened = nullptr;
    once();
  }
}

void LateAudioOut::Loop(const QString& path) {
  if (Ready() && (mixer_->Lost() || !mixer_->Ready())) Reopen();
  if (Ready()) {
    out_->Loop(path);
    return;
  }
  heldLoop_ = path;
  ++readsPending_;
  Post([this, path] {
    QString why;
    auto sound = std::make_shared<std::optional<WavSound>>(CheckWav(path, &why));
    QMetaObject::invokeMethod(&gui_, [this, path, sound, why] { MusicRead(path, sound, why); }, Qt::QueuedConnection);
  });
}

void LateAudioOut::StopLoop() {
  if (Ready()) {
    out_->StopLoop();
    return;
  }
  heldLoop_.clear();
  EndHeldWait();
}

void LateAudioOut::Once(const QString& path) {
  if (Ready()) out_->Once(path);
}

void LateAudioOut::PlayThenNotify(const QString& path, std::function<void()> done) {
  if (Ready()) {
    out_->PlayThenNotify(path, std::move(done));
    return;
  }
  EndHeldWait();
  heldWait_ = path;
  heldDone_ = std::move(done);
}

void LateAudioOut::ReadAhead(const QStringList& paths) {
  for (const QString& path : paths)
    Post([this, path] {
      QString why;
      auto sound = std::make_shared<std::optional<WavSound>>(ReadWav(path, &why));
      // The device's result was queued before this one, so out_ is there by now.
      QMetaObject::invokeMethod(&gui_, [this, path, sound, why] { if (out_) out_->Adopt(path, *sound, why); },
                                Qt::QueuedConnection);
    });
}

// A held wait that is replaced or stopped still ends, as a cut-short jingle does.
void LateAudioOut::EndHeldWait() {
  if (auto done = std::move(heldDone_)) {
    heldDone_ = nullptr;
    scheduler_.After(0, std::move(done));
  }
}

}  // namespace morvik
