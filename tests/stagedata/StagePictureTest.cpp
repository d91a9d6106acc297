// The stage picture notation: every letter both ways, the refusals with their row and column,
// and a picture through the stage writer and reader and back.
#include <gtest/gtest.h>

#include <set>

#include "stagedata/StagePicture.h"
#include "stagedata/StageReader.h"

namespace morvik {
namespace {

// Ten rows of light ground with the given rows on top; each given row is padded with light ground.
std::string Picture(std::vector<std::string> top, const std::string& tail = "") {
  top.resize(10);
  std::string text;
  for (std::string& r : top) {
    while (r.size() < 20) r += r.size() % 2 ? " " : ".";
    text += r + "\n";
  }
  return text + tail;
}

TEST(StagePicture, LetterTable) {
  struct Row { char letter; int code; } grounds[] = {
      {'.', 20}, {',', 22}, {':', 21}, {'_', 50}, {'=', 51}, {'\'', 52}, {'o', 13}, {'O', 14}, {'s', 38},
      {'d', 39}, {'w', 25}, {'W', 26}, {'v', 56}, {'V', 57}, {'#', 30}, {'^', 31}, {'~', 32}, {'%', 33},
      {'T', 34}, {'t', 35}, {'Y', 36}, {'G', 37}, {'g', 27}, {'J', 28}, {'x', 29}, {'i', 53}, {'c', 58},
      {'A', 60}, {'8', 61}, {'H', 62}, {'h', 63}, {'n', 64}, {'1', 23}, {'2', 24}, {'3', 54}, {'4', 55},
  };
  for (const Row& r : grounds) {
    EXPECT_EQ(GroundOfLetter(r.letter), r.code) << r.letter;
    EXPECT_EQ(LetterOfGround(static_cast<CellCode>(r.code)), r.letter) << r.code;
  }
  // Every code a stage may hold has exactly one letter.
  std::set<char> letters;
  int codes = 0;
  for (int c = 0; c < 100; ++c) {
    if (!IsTerrainCode(c)) continue;
    ++codes;
    EXPECT_NE(LetterOfGround(static_cast<CellCode>(c)), '?') << c;
    letters.insert(LetterOfGround(static_cast<CellCode>(c)));
  }
  EXPECT_EQ(static_cast<int>(letters.size()), codes);
  EXPECT_EQ(GroundLetters().size(), letters.size());
  EXPECT_EQ(LetterOfGround(0), '?');

  struct PieceRow { char letter; Piece piece; } pieces[] = {
      {'@', Piece::Hero}, {'S', Piece::Stone}, {'y', Piece::Yellow}, {'r', Piece::Red}, {'P', Piece::PX}, {' ', Piece::None}};
  for (const PieceRow& r : pieces) {
    EXPECT_EQ(PieceOfLetter(r.letter), r.piece) << r.letter;
    EXPECT_EQ(LetterOfPiece(r.piece), r.letter) << r.letter;
  }
  for (char unknown : {'?', 'Q', 'e', 'b', '\t', '*', '@'})
    EXPECT_FALSE(GroundOfLetter(unknown)) << unknown;
  for (char unknown : {'Y', 'R', '.', 's', 'H'}) EXPECT_FALSE(PieceOfLetter(unknown)) << unknown;
}

TEST(StagePicture, RefusalsNameRowAndColumnFromOne) {
  struct Row { const char* name; std::string text; const char* error; } rows[] = {
      {"unknown ground", Picture({"", "", ". . . Q"}), "row 3 column 4: unknown ground 'Q'"},
      {"unknown piece", Picture({". . . . . . . . . .Y"}), "row 1 column 10: unknown piece 'Y'"},
      {"a tab is no blank", Picture({"", "\t"}), "row 2 column 1: unknown ground '\t'"},
      {"second hero", Picture({".@", "", ". .@"}), "row 3 column 2: a second hero"},
      {"short row", Picture({}).replace(0, 20, ". . "), "row 1: fewer than ten cells (each cell is two characters)"},
      {"eleventh cell", Picture({". . . . . . . . . . . "}), "row 1: more than ten cells (\". \" after the tenth)"},
      {"eleven rows", Picture({}) + ". . . . . . . . . . \n", "row 11: more than ten rows"},
      {"nine rows", Picture({}).substr(21), "9 rows, not ten"},
      {"row after the music", Picture({}, "music 2\n. . . . . . . . . . \n"), "row 11: a row after the first or music line"},
      {"first", Picture({}, "first blue\n"), "\"first\" takes red or yellow, not \"blue\""},
      {"music", Picture({}, "music x1\n"), "\"music\" takes a number 0 to 99, not \"x1\""},
  };
  for (const Row& r : rows) {
    const PictureResult p = ReadPicture(r.text);
    ASSERT_TRUE(std::holds_alternative<PictureError>(p)) << r.name;
    EXPECT_EQ(PictureErrorText(std::get<PictureError>(p)), r.error) << r.name;
  }
}

TEST(StagePicture, LabelsCommentsAndTheDroppedLastBlankAreAccepted) {
  const std::string text = "// a comment\n\n" + Picture({".@.y", ",S~ ~ ~ ~ ~ ~ ~ ~ ~"}, "first red\nmusic 13\n");
  std::string labelled;
  int y = 0;
  for (std::size_t at = 0, eol; (eol = text.find('\n', at)) != std::string::npos; at = eol + 1) {
    std::string line = text.substr(at, eol - at);
    if (line.size() == 20 && y++ == 1) line.pop_back();  // "~" without its blank
    else if (line.size() == 20) line += "   | " + std::to_string(y);
    labelled += line + "\r\n";
  }
  const PictureResult p = ReadPicture(labelled);
  ASSERT_TRUE(std::holds_alternative<StageSheet>(p)) << PictureErrorText(std::get<PictureError>(p));
  const StageSheet& s = std::get<StageSheet>(p);
  EXPECT_EQ(s.pieces[0], Piece::Hero);
  EXPECT_EQ(s.pieces[10], Piece::Yellow);  // column 2, row 1
  EXPECT_EQ(s.terrain[1], cell::Grass);
  EXPECT_EQ(s.pieces[1], Piece::Stone);
  EXPECT_EQ(s.terrain[91], cell::Water);
  EXPECT_EQ(s.firstFlower, 1);
  EXPECT_EQ(s.music, 13);
}

// A picture written as a block is read by the stage reader as the same stage, and the board's
// picture reads back to the same sheet.
TEST(StagePicture, ThroughTheWriterAndReaderAndBack) {
  const PictureResult p = ReadPicture(Picture({"# # # # # # # # # # ", "# .@. .yo J w x # ", "# .S~ % i c G .P# ", ", ,r' : O s d ,r"},
                                              "first red\nmusic 4\n"));
  ASSERT_TRUE(std::holds_alternative<StageSheet>(p)) << PictureErrorText(std::get<PictureError>(p));
  const StageSheet& sheet = std::get<StageSheet>(p);
  const StageResult r = ReadStage(std::string_view(WriteStageBlock(sheet, 7)), {7, false, false});
  ASSERT_TRUE(std::holds_alternative<LoadedStage>(r)) << std::get<StageError>(r).reason;
  const LoadedStage& stage = std::get<LoadedStage>(r);
  EXPECT_EQ(stage.board.heroX, 1);
  EXPECT_EQ(stage.board.heroY, 1);
  EXPECT_EQ(stage.board.C(4, 1), HoleMark);
  EXPECT_EQ(stage.board.rFlowerCount, 2);
  const StageSheet back = SheetOfBoard(stage.board, stage.music);
  EXPECT_EQ(back, sheet);
  const PictureResult again = ReadPicture(WritePicture(back, "@07"));
  ASSERT_TRUE(std::holds_alternative<StageSheet>(again));
  EXPECT_EQ(std::get<StageSheet>(again), sheet);
  EXPECT_EQ(PictureRows(sheet)[1], "# .@. .yo J w x # . ");
}

}  // namespace
}  // namespace morvik
