#pragma once
// The jump meter under the field: the level that rises while the hero stands on a jump pad,
// its picture, and the keys pressed while a new level shows (they wait out the level's pause
// and are handed back in order). The play screen starts the meter, releases it into a jump
// and routes keys through it; the meter only counts and paints.
#include <QImage>
#include <functional>
#include <utility>
#include <vector>

#include "platform/Scheduler.h"
#include "platform/Sound.h"

class QLabel;

namespace morvik {

class JumpMeter {
 public:
  // The meter's picture, inside the label's one-pixel frame.
  static constexpr int Width = 140, Height = 16;

  // replayKey gets the keys held during a level's pause (key code, modifiers) once it ends.
  JumpMeter(Scheduler& scheduler, Sound& sound, QLabel* picture, std::function<void(int, int)> replayKey);
  ~JumpMeter();
  JumpMeter(const JumpMeter&) = delete;
  JumpMeter& operator=(const JumpMeter&) = delete;

  // The level starts rising from 0; past the last level the charge is lost.
  void Start();
  // The jump is under way: the level stays where it is until Reset.
  void Release();
  // Empty meter, nothing pending.
  void Reset();
  // A key pressed while a new level shows: handed back when the pause ends.
  void HoldKey(int keyCode, int modifiers) { held_.emplace_back(keyCode, modifiers); }

  bool Running() const { return running_; }
  bool Releasing() const { return releasing_; }
  // A level was just drawn: keys wait.
  bool Paused() const { return paused_; }
  int Level() const { return level_; }
  QImage Image() const;

 private:
  void Tick();
  void PaintSegment(int level);

  Scheduler& scheduler_;
  Sound& sound_;
  QLabel* picture_;
  std::function<void(int, int)> replayKey_;
  Scheduler::Id timer_ = 0;
  bool running_ = false;
  bool releasing_ = false;
  bool paused_ = false;
  int level_ = 0;
  std::vector<std::pair<int, int>> held_;
};

}  // namespace morvik
