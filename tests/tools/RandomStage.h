#pragma once
// Random stages for property tests: a window of varied terrain in a field of mountains,
// with a hero, stones, flowers, PX pieces and marked holes, read through the stage reader
// like any stage file.
#include <random>
#include <string>

#include "core/Board.h"

namespace morvik::test {

struct RandomStageShape {
  int width = 10, height = 10;  // the open window, placed at the top left
  int maxStones = 3, maxPX = 2, maxFlowers = 4;
  // Plain: ground, ice, water, pads and holes; Rich: also whirls, spikes, gates, snow and
  // broken ice; Digging: mostly light ground and grass, where holes must be dug; Undiggable:
  // no pads and no light ground or grass (sand, snow, floor boards, ice, water, holes,
  // spikes, whirls and gates), where the hero's facing never matters.
  enum class Mix { Plain, Rich, Digging, Undiggable } mix = Mix::Rich;
  int minPX = 0;
};

std::string RandomStageText(std::mt19937& rng, const RandomStageShape& shape);
Board RandomStage(std::mt19937& rng, const RandomStageShape& shape);

}  // namespace morvik::test
