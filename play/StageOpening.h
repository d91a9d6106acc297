#pragma once
// The opening of a stage: the field covered in black while "STAGE n" (or "SPECIAL") rises
// from black to white in steps on the scheduler; then the cover goes and the stage is handed
// to the player. It owns its timer and the cover and caption of the field scene; the play
// screen starts it and takes over when it ends.
#include <QString>
#include <functional>

#include "play/FieldScene.h"
#include "platform/Scheduler.h"

namespace morvik {

class StageOpening {
 public:
  StageOpening(Scheduler& scheduler, FieldScene& scene, std::function<void()> repaint);
  ~StageOpening();
  StageOpening(const StageOpening&) = delete;
  StageOpening& operator=(const StageOpening&) = delete;

  // The caption a stage's opening shows.
  static QString CaptionOf(int stageNo);
  // Starts (or starts again) the opening; `ended` runs once the caption has reached white.
  void Start(const QString& caption, std::function<void()> ended);
  // Stops a running opening; the cover stays until the next start.
  void Cancel();
  bool Running() const { return timer_ != 0; }

 private:
  void Tick();

  Scheduler& scheduler_;
  FieldScene& scene_;
  std::function<void()> repaint_;
  std::function<void()> ended_;
  Scheduler::Id timer_ = 0;
  int ticks_ = 0;
};

}  // namespace morvik
