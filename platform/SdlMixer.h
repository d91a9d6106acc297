#pragma once
// The channel mixer on SDL2_mixer: opens the audio device with a short buffer so that sounds
// start when asked, and reports each channel's end from the mixer's thread. Effects and
// jingles are decoded into the device's format when first played and kept; music is streamed
// as it plays, from the file itself when it was only checked (see WavStream), so that a
// minute of it costs neither a pause nor 10 MB.
// With no device (no sound server, no card) it stays silent and says so once on stderr.
#include <QByteArray>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/Mixer.h"
#include "platform/WavReader.h"

struct Mix_Chunk;
struct _Mix_Music;

namespace morvik {

class SdlMixer final : public Mixer {
 public:
  SdlMixer();
  ~SdlMixer() override;
  SdlMixer(const SdlMixer&) = delete;
  SdlMixer& operator=(const SdlMixer&) = delete;

  bool Ready() const override { return open_; }
  bool Lost() const override;
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
  struct Sound {
    QByteArray file;  // a plain WAV file that the mixer's readers reference while they live
    std::optional<WavSound> streamed;  // or where in its file a sound only checked lies
    Mix_Chunk* chunk = nullptr;
    _Mix_Music* music = nullptr;
  };
  std::vector<Sound> sounds_;
  std::mutex finishedLock_;
  std::function<void(int)> finished_;
};

}  // namespace morvik
