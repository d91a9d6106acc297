#pragma once
// The channel mixer on SDL2_mixer: opens the audio device with a short buffer so that sounds
// start when asked, keeps every decoded sound until the end, and reports each channel's end
// from the mixer's thread. With no device (no sound server, no card) it stays silent and says
// so once on stderr.
#include <functional>
#include <mutex>
#include <vector>

#include "platform/Mixer.h"

struct Mix_Chunk;

namespace morvik {

class SdlMixer final : public Mixer {
 public:
  SdlMixer();
  ~SdlMixer() override;
  SdlMixer(const SdlMixer&) = delete;
  SdlMixer& operator=(const SdlMixer&) = delete;

  bool Ready() const override { return open_; }
  int Load(const WavSound& sound) override;
  void Play(int channel, int handle, bool loop) override;
  void Halt(int channel) override;
  void OnFinished(std::function<void(int channel)> receiver) override;

  // The device's buffer in frames and its rate, as opened (0 without a device).
  int BufferFrames() const { return bufferFrames_; }
  int Rate() const { return rate_; }

 private:
  static void ChannelDone(int channel);
  bool open_ = false;
  int bufferFrames_ = 0;
  int rate_ = 0;
  std::vector<Mix_Chunk*> chunks_;
  std::mutex finishedLock_;
  std::function<void(int)> finished_;
};

}  // namespace morvik
