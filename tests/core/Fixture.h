#pragma once
// Small boards drawn as text for rule tests. Terrain letters and character letters share
// one drawing; a cell is light ground unless its letter says otherwise.
//   terrain: . light ground  s sand  g grass  w water  W deep water  M mountain  i ice
//            c cracked ice   @ whirl (light)  ^ spikes  J jump pad  G closed gate  O open gate
//            o hole in light ground  h hole in grass  n hole in snow  d hole in sand  (holes get "EH")
//            f filled light  v whirl on grass  = snow  T tree
//   characters (on light ground): H hero  S stone  Y yellow flower  R red flower  P PX piece
// Characters on other ground use a second drawing of the same size (characters only).
#include <string>
#include <vector>

#include "core/Board.h"

namespace morvik::test {

Board MakeBoard(const std::vector<std::string>& terrain, const std::vector<std::string>& charas = {},
                int dir = DirRight, int firstFlower = 0);
// The layers drawn back with the same letters ('e' for an "EH" mark on a hole).
std::vector<std::string> TerrainRows(const Board& b, int rows = FieldSize);
std::vector<std::string> CharaRows(const Board& b, int rows = FieldSize);

}  // namespace morvik::test
