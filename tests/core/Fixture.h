#pragma once
// Small boards for rule tests, drawn in the stage picture notation (`morvik-cli legend`): each
// cell two characters, the ground letter and then the piece letter or a blank, for example
// ".@.S~ " for the hero, a stone and water. Rows may be short and fewer than ten; what is not
// drawn is light ground. A letter the notation does not know throws, naming row and column.
#include <string>
#include <vector>

#include "core/Board.h"

namespace morvik::test {

// Pieces of a kind are numbered in reading order, row by row.
Board MakeBoard(const std::vector<std::string>& rows, int dir = DirRight, int firstFlower = 0);
// The board's first rows drawn back in the notation, twenty characters each (a hole's mark
// goes with its ground).
std::vector<std::string> PictureRows(const Board& b, int rows = FieldSize);

}  // namespace morvik::test
