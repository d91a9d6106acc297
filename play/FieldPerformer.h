#pragma once
// The field as the player sees it: the terrain image and the sprites over it, set up from a
// board and then changed effect by effect as the rules' scripts play. It keeps the terrain as
// painted, so that a tile that changes mid-script repairs the shores around it. Effects that
// concern the screen rather than the field (the next flower, the end of the attempt, the moves
// an answer records) go on to the screen.
#include <functional>

#include "core/Board.h"
#include "core/Effect.h"
#include "play/FieldImage.h"
#include "play/FieldScene.h"
#include "platform/Sound.h"

namespace morvik {

class FieldPerformer {
 public:
  FieldPerformer(FieldImage& image, FieldScene& scene, Sound& sound, std::function<void(const Effect&)> screenEffect);

  // The terrain of `b` painted whole.
  void PaintTerrain(const Board& b);
  // The sprites placed on the objects of `b`; those the stage does not use stay hidden.
  void PlaceCharas(const Board& b);
  // The hero and the objects of `b` hidden (the stage's opening) or shown again.
  void SetCharasVisible(const Board& b, bool visible);
  // One effect of a script; an effect that stands for several (a splash) adds them to
  // `expansion`, which the script player plays next.
  void Perform(const Effect& e, Script& expansion);

 private:
  FieldImage& image_;
  FieldScene& scene_;
  Sound& sound_;
  std::function<void(const Effect&)> screenEffect_;
  Board shown_;  // the terrain as painted
};

}  // namespace morvik
