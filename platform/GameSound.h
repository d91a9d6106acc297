#pragma once
// The game's sound rules over an audio device: which file each number names in the sound
// folder, and when the music and effect switches, the editor's music test and a minimised
// title keep something silent. Missing files are skipped without a word.
#include <QString>

#include "platform/AudioOut.h"
#include "platform/Sound.h"

namespace morvik {

class GameSound final : public Sound {
 public:
  GameSound(QString soundFolder, AudioOut& out) : folder_(std::move(soundFolder)), out_(out) {}

  void PlayEffect(int n) override;
  void PlayEffectFile(int n) override;
  void PlayMusic(int n) override;
  void StopMusic() override { out_.StopLoop(); }
  void PlayJingle(int n, std::function<void()> done) override;

  // Starts music n if the settings allow it, without stopping anything first.
  void StartMusic(int n);

  // "bgm12.wav", "Sound3.wav": the file of a number in the sound folder, or empty if missing.
  QString MusicFile(int n) const;
  QString EffectFile(int n) const;

  // Has every music and effect file there is read ahead of its first play, so that a stage's
  // music does not wait on the disk.
  void ReadAllAhead();

 private:
  QString folder_;
  AudioOut& out_;
};

}  // namespace morvik
