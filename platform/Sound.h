#pragma once
// Sound by number, as the screens ask for it: effects "Sound<n>.wav" (several may overlap),
// looping music "bgm<n>.wav" and jingles that report when they have finished. The music and
// effect switches decide what is heard.
#include <functional>
#include <vector>

namespace morvik {

class Sound {
 public:
  virtual ~Sound() = default;
  // Effect n, when effects are on and the title is not minimised.
  virtual void PlayEffect(int n) = 0;
  // Effect n whatever the settings.
  virtual void PlayEffectFile(int n) { PlayEffect(n); }
  // Stops what plays and starts music n from its beginning, when the settings allow it.
  virtual void PlayMusic(int n) = 0;
  virtual void StopMusic() = 0;
  // Plays music file n once and calls done when it has ended (at once when it cannot play).
  virtual void PlayJingle(int n, std::function<void()> done) = 0;

  bool musicOn = true;
  bool effectsOn = true;
  bool bgmTest = false;  // the editor's music test plays even with music off
  // Asked before every effect: no effect sounds while the title is minimised.
  std::function<bool()> titleMinimised;
};

// Records what was asked, for screen tests. A jingle plays until the test ends it.
class RecordingSound final : public Sound {
 public:
  void PlayEffect(int n) override {
    if (effectsOn) effects.push_back(n);
  }
  void PlayMusic(int n) override { music.push_back(musicOn ? n : -1); }
  void StopMusic() override { music.push_back(-1); }
  void PlayJingle(int n, std::function<void()> done) override {
    jingles.push_back(n);
    jingleDone = std::move(done);
  }
  bool JinglePlaying() const { return static_cast<bool>(jingleDone); }
  void EndJingle() {
    if (auto done = std::move(jingleDone)) {
      jingleDone = nullptr;
      done();
    }
  }
  std::vector<int> effects, music, jingles;
  std::function<void()> jingleDone;
};

}  // namespace morvik
