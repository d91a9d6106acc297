#include "platform/MixerAudioOut.h"

#include <QMetaObject>
#include <cstdio>

#include "platform/WavReader.h"

namespace morvik {

MixerAudioOut::MixerAudioOut(Scheduler& scheduler, Mixer& mixer) : scheduler_(scheduler), mixer_(mixer) {
  mixer_.OnFinished([this](int channel) { ChannelFinished(channel); });
}

MixerAudioOut::~MixerAudioOut() {
  mixer_.OnFinished(nullptr);
  scheduler_.Cancel(guard_);
}

const MixerAudioOut::Loaded& MixerAudioOut::Load(const QString& path, bool stream) {
  auto it = loaded_.find(path);
  if (it != loaded_.end()) return *it;
  QString why;
  const std::optional<WavSound> sound = stream ? CheckWav(path, &why) : ReadWav(path, &why);
  return Keep(path, sound, why);
}

void MixerAudioOut::Adopt(const QString& path, const std::optional<WavSound>& sound, const QString& why) {
  if (!loaded_.contains(path)) Keep(path, sound, why);
}

const MixerAudioOut::Loaded& MixerAudioOut::Keep(const QString& path, const std::optional<WavSound>& sound,
                                                  const QString& why) {
  Loaded l;
  if (sound) {
    l.usable = true;
    l.lengthMs = sound->LengthMs();
    l.handle = mixer_.Ready() ? mixer_.Load(*sound) : -1;
  } else {
    std::fprintf(stderr, "morvik: sound file skipped: %s\n", qPrintable(why));
  }
  return *loaded_.insert(path, l);
}

void MixerAudioOut::Loop(const QString& path) {
  mixer_.Halt(Mixer::kMusicChannel);
  const Loaded& l = Load(path, true);
  if (l.handle >= 0) mixer_.Play(Mixer::kMusicChannel, l.handle, true);
}

void MixerAudioOut::StopLoop() {
  mixer_.Halt(Mixer::kMusicChannel);
  EndWait();
}

void MixerAudioOut::Once(const QString& path) {
  const Loaded& l = Load(path);
  if (l.handle >= 0) mixer_.Play(Mixer::kAnyEffectChannel, l.handle, false);
}

void MixerAudioOut::PlayThenNotify(const QString& path, std::function<void()> done) {
  EndWait();
  const Loaded& l = path.isEmpty() ? Loaded{} : Load(path);
  if (!l.usable) {
    scheduler_.After(0, std::move(done));
    return;
  }
  done_ = std::move(done);
  const unsigned serial = waitSerial_.load();
  int bound = l.lengthMs;
  if (l.handle >= 0) {
    mixer_.Play(Mixer::kWaitChannel, l.handle, false);
    bound += kEndSlackMs;  // the mixer reports the end; this only guards against a device that went away
  }
  guard_ = scheduler_.After(bound, [this, serial] {
    guard_ = 0;
    FinishWait(serial);
  });
}

void MixerAudioOut::ChannelFinished(int channel) {
  if (channel != Mixer::kWaitChannel) return;
  const unsigned serial = waitSerial_.load();
  QMetaObject::invokeMethod(&gui_, [this, serial] { FinishWait(serial); }, Qt::QueuedConnection);
}

void MixerAudioOut::FinishWait(unsigned serial) {
  if (serial != waitSerial_.load() || !done_) return;
  EndWait();
}

void MixerAudioOut::EndWait() {
  // Halting reports the end with the old serial, which is stale once it is raised.
  mixer_.Halt(Mixer::kWaitChannel);
  ++waitSerial_;
  scheduler_.Cancel(guard_);
  guard_ = 0;
  if (auto done = std::move(done_)) {
    done_ = nullptr;
    scheduler_.After(0, std::move(done));
  }
}

}  // namespace morvik
