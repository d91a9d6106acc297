#pragma once
// The visitor of the main story's secret: the jump meter double-clicked three times on its
// stage calls a figure into the field's top right corner; when the hero's picture reaches its
// cell it tells the watchword and leaves. It owns its place, its frames and its timer and
// draws its sprite in the field scene; the play screen decides when a double click counts and
// sends the visitor away with the attempt.
#include <functional>

#include "play/FieldScene.h"
#include "platform/Platform.h"

namespace morvik {

class Visitor {
 public:
  Visitor(Platform& platform, FieldScene& scene, std::function<void()> repaint);
  ~Visitor();
  Visitor(const Visitor&) = delete;
  Visitor& operator=(const Visitor&) = delete;

  // One double click on the meter; the third calls the visitor in.
  void MeterDoubleClicked();
  // The visitor stands on (x, y) and waits there for the hero.
  void Appear(int x, int y);
  void Stop();
  bool Present() const { return timer_ != 0; }

 private:
  void Tick();
  void SayWatchword();

  Platform& platform_;
  FieldScene& scene_;
  std::function<void()> repaint_;
  int doubleClicks_ = 0;
  int x_ = 0, y_ = 0;
  int frame_ = 0, step_ = -1;
  Scheduler::Id timer_ = 0;
};

}  // namespace morvik
