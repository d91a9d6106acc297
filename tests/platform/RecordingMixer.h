#pragma once
// A mixer that records what it is asked, for the audio layer's tests; its halts report the
// channel's end on the caller's thread, as the real mixer does.
#include <QStringList>
#include <functional>
#include <vector>

#include "platform/Mixer.h"
#include "platform/WavReader.h"

namespace morvik::testing {

class RecordingMixer final : public Mixer {
 public:
  bool Ready() const override { return ready; }
  bool Lost() const override { return lost; }
  int Load(const WavSound& s) override {
    loads.push_back(s.LengthMs());
    return static_cast<int>(loads.size()) - 1;
  }
  void Play(int channel, int handle, bool loop) override {
    log << QStringLiteral("play %1 #%2%3").arg(channel).arg(handle).arg(loop ? " loop" : "");
  }
  void Halt(int channel) override {
    log << QStringLiteral("halt %1").arg(channel);
    if (receiver) receiver(channel);  // as the real mixer does, on the caller's thread
  }
  void OnFinished(std::function<void(int)> r) override { receiver = std::move(r); }

  bool ready = true;
  bool lost = false;
  std::vector<int> loads;
  QStringList log;
  std::function<void(int)> receiver;
};

}  // namespace morvik::testing
