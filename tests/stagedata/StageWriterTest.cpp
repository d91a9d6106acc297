// The writer of stage-unit files, byte for byte, and the play reader on what it writes.
#include <gtest/gtest.h>

#include "stagedata/StageReader.h"
#include "stagedata/StageWriter.h"

namespace morvik {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  EXPECT_EQ(start, text.size()) << "every line ends with CR LF";
  return lines;
}

TEST(StageWriter, EmptyGridIsTheBlockOfTheEditorsEmptyStage) {
  std::string expected = "@00\r\n";
  for (int y = 0; y < 10; ++y) expected += "20202020202020202020\r\n";
  expected += "V2.00 beta\r\n*\r\n*\r\n*\r\n*\r\n*\r\n*\r\n0\r\n0\r\nEND@00\r\n";
  EXPECT_EQ(WriteStageBlock(StageSheet{}, 0), expected);
}

TEST(StageWriter, PositionListsRunInAscendingCellNumber) {
  // Each row: the cells given to one kind, in the order they were put, and the line written.
  struct Row {
    const char* what;
    std::vector<std::pair<int, int>> cells;  // (x, y)
    int line;                                // 1-based line of the block
    std::string text;
  } rows[] = {
      {"hero at column 3, row 7", {{3, 7}}, 13, "37"},
      {"stones at cells 12 and 5", {{1, 2}, {0, 5}}, 14, "0512"},
      {"yellow flowers down a column, then the next", {{4, 0}, {3, 9}, {3, 1}}, 15, "313940"},
      {"red flower in the corner", {{9, 9}}, 16, "99"},
      {"PX pieces in the top row", {{9, 0}, {0, 0}}, 17, "0090"},
  };
  const Piece kinds[] = {Piece::Hero, Piece::Stone, Piece::Yellow, Piece::Red, Piece::PX};
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    StageSheet s;
    for (auto [x, y] : rows[i].cells) s.pieces[10 * x + y] = kinds[i];
    const auto lines = Lines(WriteStageBlock(s, 0));
    ASSERT_EQ(lines.size(), 21u);
    EXPECT_EQ(lines[rows[i].line - 1], rows[i].text) << rows[i].what;
    for (int other = 13; other <= 18; ++other)
      if (other != rows[i].line) {
        EXPECT_EQ(lines[other - 1], "*") << rows[i].what << ", line " << other;
      }
  }
}

TEST(StageWriter, HoleLineIsOneListOverAllFourHoleCodes) {
  struct Row { std::vector<std::tuple<int, int, CellCode>> holes; std::string line; } rows[] = {
      {{{0, 4, cell::HoleLight}, {2, 0, cell::HoleSand}}, "0420"},
      {{{2, 0, cell::HoleLight}, {0, 4, cell::HoleSand}}, "0420"},
      {{{5, 5, cell::HoleGrass}, {5, 4, cell::HoleSnow}, {1, 9, cell::HoleLight}}, "195455"},
      // Filled holes, whirls and water are no holes.
      {{{1, 1, cell::FilledLight}, {2, 2, cell::WhirlSand}, {3, 3, cell::Water}}, "*"},
  };
  for (const Row& r : rows) {
    StageSheet s;
    for (auto [x, y, code] : r.holes) s.terrain[10 * x + y] = code;
    EXPECT_EQ(Lines(WriteStageBlock(s, 0))[17], r.line);
  }
}

TEST(StageWriter, TerrainRowsSettingsAndStageNumber) {
  StageSheet s;
  s.terrain[10 * 9 + 0] = cell::Mountain;  // top right
  s.terrain[10 * 0 + 9] = cell::CrackedIce;  // bottom left
  s.terrain[10 * 4 + 3] = cell::HoleGrass;
  s.firstFlower = 1;
  s.music = 6;
  const auto lines = Lines(WriteStageBlock(s, 7));
  EXPECT_EQ(lines[0], "@07");
  EXPECT_EQ(lines[1], "20202020202020202030");
  EXPECT_EQ(lines[4], "20202020142020202020");
  EXPECT_EQ(lines[10], "58202020202020202020");
  EXPECT_EQ(lines[11], "V2.00 beta");
  EXPECT_EQ(lines[18], "1");
  EXPECT_EQ(lines[19], "6");
  EXPECT_EQ(lines[20], "END@07");
}

TEST(StageWriter, PlayReaderReadsWhatItWrites) {
  StageSheet s;
  s.terrain[10 * 2 + 3] = cell::HoleSnow;
  s.terrain[10 * 6 + 6] = cell::GateClosed;
  s.pieces[10 * 5 + 5] = Piece::Hero;
  s.pieces[10 * 1 + 1] = Piece::Stone;
  s.pieces[10 * 0 + 8] = Piece::Stone;
  s.pieces[10 * 7 + 2] = Piece::Yellow;
  s.pieces[10 * 8 + 2] = Piece::Red;
  s.pieces[10 * 9 + 9] = Piece::PX;
  s.firstFlower = 1;
  s.music = 4;
  const StageResult r = ReadStage(std::string_view(WriteStageBlock(s, 0)), {0, false, true});
  ASSERT_TRUE(std::holds_alternative<LoadedStage>(r)) << std::get<StageError>(r).reason;
  const LoadedStage& l = std::get<LoadedStage>(r);
  EXPECT_EQ(l.music, 4);
  EXPECT_EQ(l.board.firstFlower, 1);
  EXPECT_EQ(l.board.heroX, 5);
  EXPECT_EQ(l.board.heroY, 5);
  EXPECT_EQ(l.board.T(2, 3), cell::HoleSnow);
  EXPECT_EQ(l.board.C(2, 3), HoleMark);
  EXPECT_EQ(l.board.T(6, 6), cell::GateClosed);
  // Stone 0 is the one of the lower cell number.
  EXPECT_EQ(l.board.C(0, 8), MakeChara(CharaKind::Stone, 0));
  EXPECT_EQ(l.board.C(1, 1), MakeChara(CharaKind::Stone, 1));
  EXPECT_EQ(l.board.C(7, 2), MakeChara(CharaKind::Yellow, 0));
  EXPECT_EQ(l.board.C(8, 2), MakeChara(CharaKind::Red, 0));
  EXPECT_EQ(l.board.C(9, 9), MakeChara(CharaKind::PX, 0));
}

}  // namespace
}  // namespace morvik
