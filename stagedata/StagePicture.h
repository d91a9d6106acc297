#pragma once
// The picture notation of a stage, for designing stages by hand, reviewing them and drawing
// test boards. Ten rows of ten cells, each cell two characters: the ground letter, then the
// letter of what stands on it (a blank for nothing); after the tenth cell only a row label
// "| n" may follow. Lines beginning with "//" are comments and blank lines are skipped.
// Optional lines after the rows: "first red" or "first yellow" (yellow when absent) and
// "music N" (1 when absent). Reading is strict: an unknown letter is an error naming its row
// and column, counted from 1. The stage block itself is made and checked by the stage writer
// and reader; a picture only says what stands where.
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/Board.h"
#include "stagedata/StageWriter.h"

namespace morvik {

struct GroundLetter {
  char letter;
  CellCode code;
  const char* name;
};
struct PieceLetter {
  char letter;
  Piece piece;
  const char* name;
};
// Every ground of the terrain layer and every piece, each with its one letter.
const std::vector<GroundLetter>& GroundLetters();
const std::vector<PieceLetter>& PieceLetters();

std::optional<CellCode> GroundOfLetter(char letter);
std::optional<Piece> PieceOfLetter(char letter);  // ' ' is Piece::None
char LetterOfGround(CellCode code);               // '?' for a code no stage holds
char LetterOfPiece(Piece piece);

struct PictureError {
  int row = 0, column = 0;  // counted from 1; 0 when the fault is not at one row or cell
  std::string reason;
};
// "row 3 column 4: unknown ground 'Q'"
std::string PictureErrorText(const PictureError& e);

using PictureResult = std::variant<StageSheet, PictureError>;
PictureResult ReadPicture(std::string_view text);
// The top left of a field, as tests draw it: rows may be fewer than ten and shorter than ten
// cells, and what is not drawn is light ground. The letters are read as strictly.
PictureResult ReadPartialPicture(const std::vector<std::string>& rows);

// The ten rows of twenty characters, without labels.
std::vector<std::string> PictureRows(const StageSheet& s);
// The whole picture: a comment line with the title and one with the column numbers, the rows
// labelled 1 to 10, the first flower and the music. Reading it gives the same stage back.
std::string WritePicture(const StageSheet& s, std::string_view title);
// One line per letter: the letter, the cell code or "--" for a piece, and the name.
std::string PictureLegend();

// What a board shows: its terrain, and the hero and the objects where they stand.
StageSheet SheetOfBoard(const Board& b, int music);

}  // namespace morvik
