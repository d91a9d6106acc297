// The stage reader on small files: finding the block, filling the board, and refusing
// malformed blocks with the line and the reason.
#include <gtest/gtest.h>

#include <functional>

#include "core/Pictures.h"
#include "stagedata/StageReader.h"

namespace morvik {
namespace {

struct BlockText {
  std::string opener = "@01";
  std::vector<std::string> rows = std::vector<std::string>(10, "20202020202020202020");
  std::string hero = "55", stones = "*", yellow = "*", red = "*", px = "*", holes = "*", first = "0", music = "3";
  std::string Text() const {
    std::string t = opener + "\r\n";
    for (const auto& r : rows) t += r + "\r\n";
    for (const auto& l : {std::string("V2.00 beta"), hero, stones, yellow, red, px, holes, first, music}) t += l + "\r\n";
    return t + "END" + opener + "\r\n";
  }
};

BlockText Numbered(int n) {
  BlockText b;
  b.opener = (n < 10 ? "@0" : "@") + std::to_string(n);
  b.hero = std::to_string(n % 10) + "0";
  return b;
}

LoadedStage Loaded(const StageResult& r) {
  if (const auto* e = std::get_if<StageError>(&r)) {
    ADD_FAILURE() << "refused: line " << e->line << ": " << e->reason;
    return {};
  }
  return std::get<LoadedStage>(r);
}

TEST(StageReader, FindsTheBlockAfterOtherLinesAndBlocks) {
  const std::string file = "a comment\r\n\r\n" + Numbered(1).Text() + Numbered(2).Text() + Numbered(3).Text();
  const LoadedStage s = Loaded(ReadStage(std::string_view(file), {2}));
  EXPECT_EQ(s.board.heroX, 2);
  EXPECT_EQ(s.openerLine, 3 + 21);
}

TEST(StageReader, OpenerValueComesFromItsLastTwoCharacters) {
  struct Row { std::string opener; int readAs; } rows[] = {{"@5", 0}, {"@105", 5}, {"@", 0}, {"@A", 0}, {"@ 7", 7}, {"@07", 7}};
  for (const Row& r : rows) {
    BlockText b;
    b.opener = r.opener;
    EXPECT_TRUE(std::holds_alternative<LoadedStage>(ReadStage(std::string_view(b.Text()), {r.readAs}))) << r.opener;
  }
}

TEST(StageReader, FirstOfTwoBlocksWithTheSameNumberWins) {
  BlockText a = Numbered(4), b = Numbered(4);
  b.hero = "99";
  EXPECT_EQ(Loaded(ReadStage(std::string_view(a.Text() + b.Text()), {4})).board.heroX, 4);
}

TEST(StageReader, FillsTheBoard) {
  BlockText b;
  b.rows[2] = "20201320202020202020";
  b.rows[9] = "21222352535455565758";
  b.hero = "*";
  b.stones = "1213";
  b.yellow = "30";
  b.red = "40";
  b.px = "6070";
  b.holes = "22";
  b.first = "1";
  b.music = "12";
  const LoadedStage s = Loaded(ReadStage(std::string_view(b.Text()), {1}));
  const Board& bd = s.board;
  EXPECT_EQ(bd.heroX, 0);
  EXPECT_EQ(bd.heroY, 0);
  EXPECT_EQ(bd.C(0, 0), HeroChara);
  EXPECT_EQ(bd.stoneCount, 2);
  EXPECT_EQ(bd.C(1, 2), MakeChara(CharaKind::Stone, 0));
  EXPECT_EQ(bd.C(1, 3), MakeChara(CharaKind::Stone, 1));
  EXPECT_EQ(bd.C(3, 0), MakeChara(CharaKind::Yellow, 0));
  EXPECT_EQ(bd.C(4, 0), MakeChara(CharaKind::Red, 0));
  EXPECT_EQ(bd.C(7, 0), MakeChara(CharaKind::PX, 1));
  EXPECT_EQ(bd.pxCount, 2);
  EXPECT_EQ(bd.C(2, 2), HoleMark);
  EXPECT_EQ(bd.T(2, 2), cell::HoleLight);
  EXPECT_EQ(bd.T(9, 9), cell::CrackedIce);
  EXPECT_EQ(bd.T(0, 9), cell::Sand);
  EXPECT_EQ(bd.firstFlower, 1);
  EXPECT_EQ(bd.heroDir, DirDown);
  EXPECT_EQ(s.music, 12);
  EXPECT_EQ(s.nextPicture, pic::RedFlower);
  EXPECT_EQ(CharaCodeText(bd.C(1, 3)), "S 1");
}

TEST(StageReader, NextPictureIsBlankWithoutFlowers) {
  BlockText b;
  b.first = "1";
  EXPECT_EQ(Loaded(ReadStage(std::string_view(b.Text()), {1})).nextPicture, pic::Empty);
}

TEST(StageReader, TestPlayReadsBlockZeroAndUnitPlayTheFirstLine) {
  BlockText zero = Numbered(0), seven = Numbered(7);
  const std::string file = seven.Text() + zero.Text();
  EXPECT_EQ(Loaded(ReadStage(std::string_view(file), {7, false, true})).board.heroX, 0);
  EXPECT_EQ(Loaded(ReadStage(std::string_view(file), {0, true, false})).board.heroX, 7);
  BlockText odd;
  odd.opener = "stage";
  EXPECT_TRUE(std::holds_alternative<LoadedStage>(ReadStage(std::string_view(odd.Text()), {0, true, false})));
}

TEST(StageReader, LineEndingsMayBeBareLineFeeds) {
  std::string text = Numbered(3).Text();
  std::erase(text, '\r');
  EXPECT_EQ(Loaded(ReadStage(std::string_view(text), {3})).board.heroX, 3);
}

TEST(StageReader, MissingStage) {
  const std::string one = Numbered(1).Text();
  struct Row { const char* name; std::string file; StageRequest req; } rows[] = {
      {"NoSuchNumber", one, {2}},
      {"Empty", "", {1}},
      {"OpenerIsLastLine", "x\r\n@02\r\n", {2}},
      {"UnitFileOfOneLine", "@00\r\n", {0, true, false}},
  };
  for (const Row& r : rows) {
    const StageResult res = ReadStage(std::string_view(r.file), r.req);
    ASSERT_TRUE(std::holds_alternative<StageError>(res)) << r.name;
    EXPECT_EQ(std::get<StageError>(res).kind, StageError::Kind::NotFound) << r.name;
    EXPECT_EQ(StageErrorMessage(std::get<StageError>(res), "mapdata.dat"), "データが見つかりません。");
  }
}

TEST(StageReader, MalformedBlocksAreRefusedWithLineAndReason) {
  struct Row { const char* name; std::function<void(BlockText&)> spoil; int line; std::string reasonHas; } rows[] = {
      {"ShortRow", [](BlockText& b) { b.rows[4] = "2020"; }, 6, "地形の5行目が20文字"},
      {"LongRow", [](BlockText& b) { b.rows[0] += "20"; }, 2, "20文字"},
      // Rows and columns count from 1; bytes that are not printable ASCII are shown escaped.
      {"UnknownCode", [](BlockText& b) { b.rows[3] = "20202020202020202099"; }, 5, "地形の4行目の10列目に知らないマスのコード「99」"},
      {"FirstCellUnknown", [](BlockText& b) { b.rows[0] = "99202020202020202020"; }, 2, "地形の1行目の1列目"},
      {"UnprintableCode", [](BlockText& b) { b.rows[3] = "2020202020202020\xFF\x01" "20"; }, 5, "9列目に知らないマスのコード「\\xFF\\x01」"},
      {"LetterCode", [](BlockText& b) { b.rows[3] = "2020202020202020202x"; }, 5, "「2x」"},
      {"HeroOneDigit", [](BlockText& b) { b.hero = "5"; }, 13, "主人公"},
      {"HeroTwoPositions", [](BlockText& b) { b.hero = "1122"; }, 13, "主人公"},
      {"OddList", [](BlockText& b) { b.stones = "123"; }, 14, "2桁"},
      {"NonDigitPosition", [](BlockText& b) { b.yellow = "1a"; }, 15, "数字でない"},
      {"EmptyList", [](BlockText& b) { b.red = ""; }, 16, "2桁"},
      {"TooManyStones", [](BlockText& b) { b.stones = std::string(62, '1'); }, 14, "最大30個"},
      {"TooManyYellow", [](BlockText& b) { b.yellow = std::string(32, '2'); }, 15, "最大15個"},
      {"ObjectOnHero", [](BlockText& b) { b.px = "55"; }, 17, "主人公と同じマス"},
      // The hero line "*" puts the hero in the corner: an object there would vanish under it.
      {"ObjectOnDefaultHero", [](BlockText& b) { b.hero = "*"; b.stones = "00"; }, 14, "主人公と同じマス（00）"},
      {"HeroLineNotAPosition", [](BlockText& b) { b.hero = "5x"; }, 13, "主人公の位置は2桁の数字1つ"},
      // A flower or PX piece hidden under a later list would still count towards the clear.
      {"FlowerUnderPX", [](BlockText& b) { b.yellow = "12"; b.px = "3412"; }, 17, "15行目の黄色の花"},
      {"StoneUnderRedFlower", [](BlockText& b) { b.stones = "12"; b.red = "12"; }, 16, "14行目の石"},
      {"SameFlowerTwice", [](BlockText& b) { b.yellow = "1212"; }, 15, "2度"},
      // The editor lists every hole of the terrain as an empty hole: a character there is named
      // on its own line, in the editor's terms.
      {"HeroOnHole", [](BlockText& b) { b.rows[5] = "20202020201320202020"; b.holes = "55"; }, 13, "主人公が穴のマス（55）"},
      {"FlowerOnHole", [](BlockText& b) { b.red = "12"; b.holes = "12"; }, 16, "赤い花が穴のマス（12）"},
      {"FirstFlowerTwo", [](BlockText& b) { b.first = "2"; }, 19, "花の色"},
      {"MusicNotNumber", [](BlockText& b) { b.music = "x"; }, 20, "音楽"},
  };
  for (const Row& r : rows) {
    BlockText b;
    r.spoil(b);
    const StageResult res = ReadStage(std::string_view(b.Text()), {1});
    ASSERT_TRUE(std::holds_alternative<StageError>(res)) << r.name;
    const StageError& e = std::get<StageError>(res);
    EXPECT_EQ(e.kind, StageError::Kind::Malformed) << r.name;
    EXPECT_EQ(e.line, r.line) << r.name;
    EXPECT_NE(e.reason.find(r.reasonHas), std::string::npos) << r.name << ": " << e.reason;
  }
}

TEST(StageReader, TextThatIsNotPlainLinesSaysWhatItIs) {
  const std::string good = Numbered(1).Text();
  std::string crOnly = good;
  std::erase(crOnly, '\n');
  std::string utf16 = "\xFF\xFE";
  for (char c : good) utf16 += std::string{c, '\0'};
  struct Row { const char* name; std::string file; std::string reasonHas; } rows[] = {
      {"CrOnly", crOnly, "CRだけ"},
      {"Utf16", utf16, "UTF-16"},
      {"Utf16WithoutMark", utf16.substr(2), "UTF-16"},
  };
  for (const Row& r : rows)
    for (const StageRequest req : {StageRequest{1}, StageRequest{0, true, false}}) {
      const StageResult res = ReadStage(std::string_view(r.file), req);
      ASSERT_TRUE(std::holds_alternative<StageError>(res)) << r.name;
      EXPECT_EQ(std::get<StageError>(res).kind, StageError::Kind::Malformed) << r.name;
      EXPECT_NE(std::get<StageError>(res).reason.find(r.reasonHas), std::string::npos) << r.name;
    }
  // A UTF-8 byte-order mark before plain ASCII is no fault: the block is found after it.
  const std::string marked = "\xEF\xBB\xBF" + good;
  EXPECT_EQ(Loaded(ReadStage(std::string_view(marked), {1})).board.heroX, 1);
  EXPECT_EQ(Loaded(ReadStage(std::string_view(marked), {0, true, false})).board.heroX, 1);
}

TEST(StageReader, ReadsNoLineBeyondTheMusicLineOfItsBlock) {
  const std::string file = "comment\r\n" + Numbered(1).Text() + Numbered(2).Text() + Numbered(3).Text();
  std::size_t pos = 0;
  int taken = 0;
  const NextLine counting = [&](std::string& line) {
    if (pos >= file.size()) return false;
    const std::size_t end = file.find('\n', pos);
    line = file.substr(pos, end - pos);
    pos = end + 1;
    ++taken;
    return true;
  };
  EXPECT_EQ(Loaded(ReadStage(counting, {2})).board.heroX, 2);
  EXPECT_EQ(taken, 1 + 21 + 20);
}

TEST(StageReader, BlockCutShortIsRefused) {
  const std::string text = Numbered(1).Text();
  // Up to the music line (20 lines) is needed; the closer is not.
  const auto lines = std::count(text.begin(), text.end(), '\n');
  std::string upToMusic, upToPX;
  int n = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (n < 20) upToMusic += text[i];
    if (n < 17) upToPX += text[i];
    if (text[i] == '\n') ++n;
  }
  ASSERT_EQ(lines, 21);
  EXPECT_TRUE(std::holds_alternative<LoadedStage>(ReadStage(std::string_view(upToMusic), {1})));
  const StageResult res = ReadStage(std::string_view(upToPX), {1});
  ASSERT_TRUE(std::holds_alternative<StageError>(res));
  const std::string msg = StageErrorMessage(std::get<StageError>(res), "mine.mvk");
  EXPECT_NE(msg.find("mine.mvk"), std::string::npos);
  EXPECT_NE(msg.find("ファイルが終わっています"), std::string::npos);
}

}  // namespace
}  // namespace morvik
