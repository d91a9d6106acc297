#pragma once
// Sound by number: effects "Sound<n>.wav" (several may overlap), looping music "bgm<n>.wav"
// and jingles that report when they have finished. Settings decide what is heard.
#include <functional>
#include <vector>

namespace morvik {

class Sound {
 public:
  virtual ~Sound() = default;
  // Effect n, when effects are on.
  virtual void PlayEffect(int n) = 0;
  // Music n over and over, replacing what plays, when music is on.
  virtual void PlayMusic(int n) = 0;
  virtual void StopMusic() = 0;
  // Plays jingle n once and calls done when it has ended (at once when it cannot play).
  virtual void PlayJingle(int n, std::function<void()> done) = 0;

  bool musicOn = true;
  bool effectsOn = true;
};

// Records what was asked, for tests. A jingle plays until the test ends it.
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
