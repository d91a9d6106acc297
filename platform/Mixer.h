#pragma once
// A channel mixer as the audio device offers it: decoded sounds played on numbered channels.
// Channel 0 carries the music, channel 1 the waiting player; effects take any other free
// channel. The end of a channel is reported to the receiver set with OnFinished, on whatever
// thread the mixer runs (its own audio thread included), so the receiver must hand it on.
#include <functional>

namespace morvik {

struct WavSound;

class Mixer {
 public:
  static constexpr int kMusicChannel = 0;
  static constexpr int kWaitChannel = 1;
  static constexpr int kAnyEffectChannel = -1;

  virtual ~Mixer() = default;
  // Whether a device is open; without one nothing is heard and no end is reported.
  virtual bool Ready() const = 0;
  // The device was open and has gone since (the sound server restarted, the card went away).
  virtual bool Lost() const { return false; }
  // Decodes the sound once into the device's format; a handle, or -1 when it cannot be used.
  virtual int Load(const WavSound& sound) = 0;
  virtual void Play(int channel, int handle, bool loop) = 0;
  // Stops the channel at once (it reports its end like a sound that finished).
  virtual void Halt(int channel) = 0;
  // Called with the channel whose sound ended or was halted; an empty function stops the
  // reports, and once this returns no report is running any more.
  virtual void OnFinished(std::function<void(int channel)> receiver) = 0;
};

}  // namespace morvik
