// The editor's model: the palettes, the grid's mouse rules with the object limits, the
// caption, and the editor's reader with its failure rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "editor/EditModel.h"
#include "editor/EditStageReader.h"

namespace morvik {
namespace {

constexpr int Cell(int x, int y) { return 10 * x + y; }

EditModel::PressResult Right(EditModel& m, int cell, int shift = 0) { return m.MouseDown(cell, MouseButton::Right, shift); }
EditModel::PressResult Left(EditModel& m, int cell, int shift = 0) { return m.MouseDown(cell, MouseButton::Left, shift); }
void Tool(EditModel& m, Piece p) { m.PaletteClick(static_cast<int>(p)); }

// Every cell holding a kind, in cell order.
std::vector<int> CellsOf(const EditModel& m, Piece p) {
  std::vector<int> cells;
  for (int n = 0; n < CellCount; ++n)
    if (m.Stage().pieces[n] == p) cells.push_back(n);
  return cells;
}

// The counters agree with the cells, and the start position with the one hero.
void ExpectConsistent(const EditModel& m) {
  for (Piece p : {Piece::Yellow, Piece::Red, Piece::Stone, Piece::PX})
    EXPECT_EQ(m.Count(p), static_cast<int>(CellsOf(m, p).size())) << static_cast<int>(p);
  const auto heroes = CellsOf(m, Piece::Hero);
  if (m.HeroPos() == NoCell) EXPECT_TRUE(heroes.empty());
  else EXPECT_EQ(heroes, std::vector<int>{m.HeroPos()});
}

TEST(EditPalette, TerrainPaletteFollowsTheOrderString) {
  const std::vector<std::vector<int>> columns = {{20, 30, 34, 13, 25}, {22, 31, 35, 14, 26}, {21, 62, 36, 39, 57},
                                                 {52, 60, 61, 38, 56}, {37, 28, 53, 50, 51}, {32, 33, 29, 63, 64},
                                                 {58}};
  std::vector<std::vector<int>> laid(7);
  for (const PaletteSlot& s : TerrainPalette()) {
    ASSERT_LT(s.column, 7);
    EXPECT_EQ(s.row, static_cast<int>(laid[s.column].size())) << "rows fill each column from the top";
    laid[s.column].push_back(s.code);
    EXPECT_TRUE(IsTerrainCode(s.code)) << int(s.code);
  }
  EXPECT_EQ(laid, columns);
}

TEST(EditPalette, ClicksChooseTheCharacterToolOrTheTerrain) {
  EditModel m;
  EXPECT_EQ(m.SelTerrain(), cell::Mountain);
  EXPECT_EQ(m.SelChara(), Piece::Stone);
  for (Piece p : CharaPalette) {
    m.PaletteClick(static_cast<int>(p));
    EXPECT_EQ(m.SelChara(), p);
    EXPECT_EQ(m.SelTerrain(), cell::Mountain) << "a character tool leaves the terrain";
  }
  for (const PaletteSlot& s : TerrainPalette()) {
    m.PaletteClick(s.code);
    EXPECT_EQ(m.SelTerrain(), s.code);
    EXPECT_EQ(m.SelChara(), Piece::None) << "a terrain leaves the tool (the eraser, chosen last)";
  }
  EXPECT_FALSE(m.Modified()) << "choosing from the palette changes nothing of the stage";
}

TEST(EditGridRules, RightClickPutsEachToolsCharacter) {
  struct Row { Piece tool; Piece put; int yf, rf, st, px, hero; } rows[] = {
      {Piece::Hero, Piece::Hero, 0, 0, 0, 0, Cell(3, 7)},    {Piece::Yellow, Piece::Yellow, 1, 0, 0, 0, NoCell},
      {Piece::Red, Piece::Red, 0, 1, 0, 0, NoCell},          {Piece::Stone, Piece::Stone, 0, 0, 1, 0, NoCell},
      {Piece::PX, Piece::PX, 0, 0, 0, 1, NoCell},            {Piece::None, Piece::None, 0, 0, 0, 0, NoCell},
  };
  for (const Row& r : rows) {
    EditModel m;
    Tool(m, r.tool);
    const auto result = Right(m, Cell(3, 7));
    EXPECT_FALSE(result.beep);
    EXPECT_EQ(m.Stage().pieces[Cell(3, 7)], r.put);
    EXPECT_EQ(m.Count(Piece::Yellow), r.yf);
    EXPECT_EQ(m.Count(Piece::Red), r.rf);
    EXPECT_EQ(m.Count(Piece::Stone), r.st);
    EXPECT_EQ(m.Count(Piece::PX), r.px);
    EXPECT_EQ(m.HeroPos(), r.hero);
    EXPECT_EQ(m.Stage().terrain[Cell(3, 7)], cell::Light) << "a character leaves the terrain";
    EXPECT_TRUE(m.Modified());
  }
}

TEST(EditGridRules, EachCountedKindStopsAtItsLimit) {
  for (Piece p : {Piece::Yellow, Piece::Red, Piece::Stone, Piece::PX}) {
    EditModel m;
    Tool(m, p);
    const int limit = PieceLimit(p);
    for (int n = 0; n < limit; ++n) ASSERT_FALSE(Right(m, n).beep) << n;
    EXPECT_EQ(m.Count(p), limit);
    // One more is refused with the beep; the cell keeps its character and terrain.
    m.Renewal(false);
    Tool(m, Piece::Hero);
    Right(m, 99);
    Tool(m, p);
    m.Renewal(false);
    EXPECT_TRUE(Right(m, 99).beep) << static_cast<int>(p);
    EXPECT_EQ(m.Stage().pieces[99], Piece::Hero);
    EXPECT_EQ(m.HeroPos(), 99);
    EXPECT_EQ(m.Count(p), limit);
    EXPECT_TRUE(m.Modified()) << "a refused press still marks the stage";
    // At the limit the tool is refused even on a cell of its own kind.
    EXPECT_TRUE(Right(m, 0).beep);
    // Erasing one makes room again.
    Tool(m, Piece::None);
    EXPECT_FALSE(Right(m, 0).beep);
    EXPECT_EQ(m.Count(p), limit - 1);
    Tool(m, p);
    EXPECT_FALSE(Right(m, 98).beep);
    EXPECT_EQ(m.Count(p), limit);
    ExpectConsistent(m);
  }
  EXPECT_EQ(PieceLimit(Piece::Yellow), 15);
  EXPECT_EQ(PieceLimit(Piece::Red), 15);
  EXPECT_EQ(PieceLimit(Piece::Stone), 30);
  EXPECT_EQ(PieceLimit(Piece::PX), 30);
}

TEST(EditGridRules, HeroAndEraserAreNeverRefused) {
  EditModel m;
  Tool(m, Piece::Stone);
  for (int n = 0; n < 30; ++n) Right(m, n);
  Tool(m, Piece::Hero);
  EXPECT_FALSE(Right(m, 5).beep);
  EXPECT_EQ(m.Count(Piece::Stone), 29) << "the hero took a stone's place";
  Tool(m, Piece::None);
  EXPECT_FALSE(Right(m, 6).beep);
  ExpectConsistent(m);
}

TEST(EditGridRules, TheHeroIsUnique) {
  EditModel m;
  Tool(m, Piece::Hero);
  Right(m, 37);
  Right(m, 52);
  EXPECT_EQ(m.Stage().pieces[37], Piece::None) << "the old start cell is bare again";
  EXPECT_EQ(m.HeroPos(), 52);
  Right(m, 52);  // on its own cell: stays there
  EXPECT_EQ(m.HeroPos(), 52);
  ExpectConsistent(m);

  // The hero onto a stone takes the stone away; a stone onto the hero takes the start away.
  Tool(m, Piece::Stone);
  Right(m, 10);
  Tool(m, Piece::Hero);
  Right(m, 10);
  EXPECT_EQ(m.Count(Piece::Stone), 0);
  EXPECT_EQ(m.HeroPos(), 10);
  EXPECT_EQ(m.Stage().pieces[52], Piece::None);
  Tool(m, Piece::Stone);
  Right(m, 10);
  EXPECT_EQ(m.HeroPos(), NoCell);
  EXPECT_EQ(m.Count(Piece::Stone), 1);
  ExpectConsistent(m);
}

TEST(EditGridRules, EraserAndReplacingKeepTheCounts) {
  EditModel m;
  struct Step { Piece tool; int cell; int yf, rf, st, px; } steps[] = {
      {Piece::Yellow, 1, 1, 0, 0, 0}, {Piece::Red, 1, 0, 1, 0, 0},  {Piece::PX, 1, 0, 0, 0, 1},
      {Piece::Stone, 2, 0, 0, 1, 1},  {Piece::None, 1, 0, 0, 1, 0}, {Piece::None, 1, 0, 0, 1, 0},
      {Piece::None, 50, 0, 0, 1, 0},  {Piece::Yellow, 2, 1, 0, 0, 0},
  };
  for (const Step& s : steps) {
    Tool(m, s.tool);
    m.Renewal(false);
    Right(m, s.cell);
    EXPECT_TRUE(m.Modified()) << "the eraser on an empty cell marks the stage too";
    EXPECT_EQ(m.Count(Piece::Yellow), s.yf);
    EXPECT_EQ(m.Count(Piece::Red), s.rf);
    EXPECT_EQ(m.Count(Piece::Stone), s.st);
    EXPECT_EQ(m.Count(Piece::PX), s.px);
    ExpectConsistent(m);
  }
}

TEST(EditGridRules, ButtonsAndModifiers) {
  struct Row {
    const char* what;
    MouseButton button;
    int shift;
    bool filled, beep;
    int cellsOf33;
    bool pieceAt45;
  } rows[] = {
      {"left places the terrain on one cell", MouseButton::Left, 0, false, false, 1, false},
      {"Ctrl + left as a plain left", MouseButton::Left, CtrlBit, false, false, 1, false},
      {"Alt + left as a plain left", MouseButton::Left, AltBit, false, false, 1, false},
      {"Shift + Ctrl + left as a plain left", MouseButton::Left, ShiftBit | CtrlBit, false, false, 1, false},
      {"Shift + left fills every cell", MouseButton::Left, ShiftBit, true, false, 100, false},
      {"Shift + right only beeps", MouseButton::Right, ShiftBit, false, true, 0, false},
      {"Ctrl + right puts a character", MouseButton::Right, CtrlBit, false, false, 0, true},
      {"middle changes nothing", MouseButton::Other, 0, false, false, 0, false},
  };
  for (const Row& r : rows) {
    EditModel m;
    Tool(m, Piece::Hero);
    Right(m, Cell(0, 0));
    Tool(m, Piece::Red);
    Right(m, Cell(9, 9));
    Tool(m, Piece::Yellow);
    m.PaletteClick(cell::DeepWater);
    m.Renewal(false);
    const auto result = m.MouseDown(Cell(4, 5), r.button, r.shift);
    EXPECT_EQ(result.filled, r.filled) << r.what;
    EXPECT_EQ(result.beep, r.beep) << r.what;
    EXPECT_EQ(std::count(m.Stage().terrain.begin(), m.Stage().terrain.end(), cell::DeepWater), r.cellsOf33) << r.what;
    EXPECT_EQ(m.Stage().pieces[Cell(4, 5)] == Piece::Yellow, r.pieceAt45) << r.what;
    EXPECT_TRUE(m.Modified()) << r.what;
    // Characters, counters and the hero survive every press, the fill included.
    EXPECT_EQ(m.HeroPos(), Cell(0, 0)) << r.what;
    EXPECT_EQ(m.Stage().pieces[Cell(9, 9)], Piece::Red) << r.what;
    EXPECT_EQ(m.Count(Piece::Red), 1) << r.what;
  }
}

TEST(EditModelState, InitializeKeepsFirstFlowerAndMusic) {
  EditModel m;
  m.SetFirstFlower(1);
  m.SetMusic(5);
  m.PaletteClick(cell::Ice);
  Tool(m, Piece::Hero);
  Right(m, 44);
  Left(m, 3);
  EXPECT_TRUE(m.Modified());
  m.Initialize();
  EXPECT_EQ(m.Stage().firstFlower, 1);
  EXPECT_EQ(m.Stage().music, 5);
  StageSheet empty;
  empty.firstFlower = 1;
  empty.music = 5;
  EXPECT_EQ(m.Stage(), empty);
  EXPECT_EQ(m.HeroPos(), NoCell);
  EXPECT_EQ(m.SelTerrain(), cell::Mountain);
  EXPECT_EQ(m.SelChara(), Piece::Stone);
  EXPECT_FALSE(m.Modified());
}

TEST(EditModelState, Caption) {
  struct Row { const char* path; bool modified; std::string caption; } rows[] = {
      {"", false, "モルビクステージエディタ "},
      {"", true, "モルビクステージエディタ  (更新あり)"},
      {"/home/a/s.mvk", false, "モルビクステージエディタ [/home/a/s.mvk]"},
      {"/home/a/s.mvk", true, "モルビクステージエディタ [/home/a/s.mvk] (更新あり)"},
  };
  for (const Row& r : rows) {
    EditModel m;
    m.Renewal(r.modified);
    EXPECT_EQ(m.Caption(r.path), r.caption);
  }
}

TEST(EditModelState, AdoptCountsFromTheCells) {
  StageSheet s;
  s.pieces[3] = Piece::Hero;
  s.pieces[4] = Piece::Stone;
  s.pieces[5] = Piece::Stone;
  s.pieces[60] = Piece::PX;
  s.pieces[61] = Piece::Red;
  s.music = 2;
  EditModel m;
  Right(m, 90);
  m.Adopt(s);
  EXPECT_EQ(m.Stage(), s);
  EXPECT_EQ(m.HeroPos(), 3);
  EXPECT_EQ(m.Count(Piece::Stone), 2);
  EXPECT_EQ(m.Count(Piece::PX), 1);
  EXPECT_EQ(m.Count(Piece::Red), 1);
  EXPECT_EQ(m.Count(Piece::Yellow), 0);
  EXPECT_FALSE(m.Modified());
}

// --- The editor's reader -------------------------------------------------------------------

struct Block {
  std::string header = "@00";
  std::vector<std::string> rows = std::vector<std::string>(10, "20202020202020202020");
  std::string free = "V2.00 beta", hero = "*", stones = "*", yellow = "*", red = "*", px = "*", holes = "*",
              first = "0", music = "0", closer = "END@00";
  std::vector<std::string> Lines() const {
    std::vector<std::string> l{header};
    l.insert(l.end(), rows.begin(), rows.end());
    for (const auto& s : {free, hero, stones, yellow, red, px, holes, first, music, closer}) l.push_back(s);
    return l;
  }
  // The first n lines of the block (all 21 by default), each with CR LF.
  std::string Text(std::size_t n = 21) const {
    std::string t;
    const auto l = Lines();
    for (std::size_t i = 0; i < n && i < l.size(); ++i) t += l[i] + "\r\n";
    return t;
  }
};

StageSheet Read(const std::string& text, int n = 0) {
  const EditLoadResult r = ReadEditStage(text, n);
  if (const auto* e = std::get_if<EditLoadError>(&r)) {
    ADD_FAILURE() << "refused: line " << e->line << ": " << e->reason;
    return {};
  }
  return std::get<StageSheet>(r);
}

TEST(EditStageReader, ReadsEveryLineOfTheBlock) {
  Block b;
  b.rows[0] = "30202020202020202013";
  b.rows[9] = "58272324545520202064";
  b.hero = "37";
  b.stones = "0512";
  b.yellow = "99";
  b.red = "90";
  b.px = "0001";
  b.holes = "junk the editor does not read";
  b.first = "1";
  b.music = "3";
  const StageSheet s = Read(b.Text());
  EXPECT_EQ(s.terrain[Cell(0, 0)], cell::Mountain);
  EXPECT_EQ(s.terrain[Cell(9, 0)], cell::HoleLight);
  EXPECT_EQ(s.terrain[Cell(0, 9)], cell::CrackedIce);
  EXPECT_EQ(s.terrain[Cell(1, 9)], cell::GateOpen) << "codes the rules produce in play are kept";
  EXPECT_EQ(s.terrain[Cell(9, 9)], cell::Stump);
  EXPECT_EQ(s.pieces[37], Piece::Hero);
  EXPECT_EQ(s.pieces[5], Piece::Stone);
  EXPECT_EQ(s.pieces[12], Piece::Stone);
  EXPECT_EQ(s.pieces[99], Piece::Yellow);
  EXPECT_EQ(s.pieces[90], Piece::Red);
  EXPECT_EQ(s.pieces[0], Piece::PX);
  EXPECT_EQ(s.pieces[1], Piece::PX);
  EXPECT_EQ(std::count(s.pieces.begin(), s.pieces.end(), Piece::None), 100 - 7);
  EXPECT_EQ(s.firstFlower, 1);
  EXPECT_EQ(s.music, 3);
}

TEST(EditStageReader, FindsTheHeaderOfItsStageNumber) {
  struct Row { std::string before, header; int n; bool found; } rows[] = {
      {"", "@00", 0, true},
      {"a comment\r\n\r\n", "@00", 0, true},
      {"", "@", 0, true},
      {"", "@A", 0, true},
      {"", "@5", 0, true},      // its last two characters "@5" have the value 0
      {"", "@07", 0, false},    // the test play's file kind: only header 0 opens for the editor
      {"", "@07", 7, true},
      {"", "@107", 7, true},
      {"", "X00", 0, false},
  };
  for (const Row& r : rows) {
    Block b;
    b.header = r.header;
    b.hero = "45";
    const EditLoadResult res = ReadEditStage(r.before + b.Text(), r.n);
    EXPECT_EQ(std::holds_alternative<StageSheet>(res), r.found) << r.header << " after \"" << r.before << "\"";
    if (const auto* e = std::get_if<EditLoadError>(&res)) {
      EXPECT_EQ(e->kind, EditLoadError::Kind::EndOfFile) << r.header;
    }
  }
}

TEST(EditStageReader, FirstMatchingBlockWins) {
  Block a, b;
  a.header = "@03";
  a.hero = "11";
  b.hero = "22";
  Block c = b;
  c.hero = "33";
  EXPECT_EQ(Read(a.Text() + b.Text() + c.Text()).pieces[22], Piece::Hero);
}

TEST(EditStageReader, NeedsTheLinesUpToTheMusicLine) {
  Block b;
  b.music = "4";
  struct Row { std::size_t lines; bool read; } rows[] = {
      {21, true}, {20, true}, {19, false}, {17, false}, {1, false}, {0, false},
  };
  for (const Row& r : rows) {
    const EditLoadResult res = ReadEditStage(b.Text(r.lines), 0);
    EXPECT_EQ(std::holds_alternative<StageSheet>(res), r.read) << r.lines << " lines";
    if (const auto* e = std::get_if<EditLoadError>(&res)) {
      EXPECT_EQ(e->kind, EditLoadError::Kind::EndOfFile);
    }
  }
  // The music line without its line end still counts.
  std::string noEnd = b.Text(20);
  noEnd.resize(noEnd.size() - 2);
  EXPECT_EQ(Read(noEnd).music, 4);
  // Bare line feeds and trailing blanks are read as well.
  std::string lf = b.Text();
  for (std::size_t at; (at = lf.find("\r\n")) != std::string::npos;) lf.replace(at, 2, " \n");
  EXPECT_EQ(Read(lf).music, 4);
}

TEST(EditStageReader, RefusesWhatTheEditorCannotShow) {
  struct Row { const char* what; std::function<void(Block&)> spoil; int line; } rows[] = {
      {"short row", [](Block& b) { b.rows[3] = "202020"; }, 5},
      {"long row", [](Block& b) { b.rows[3] += "20"; }, 5},
      {"unknown terrain code", [](Block& b) { b.rows[9] = "20202020202020202099"; }, 11},
      {"letters as a code", [](Block& b) { b.rows[0] = "2020202020202020ab20"; }, 2},
      {"hero of one digit", [](Block& b) { b.hero = "3"; }, 13},
      {"two heroes", [](Block& b) { b.hero = "3344"; }, 13},
      {"hero not digits", [](Block& b) { b.hero = "x1"; }, 13},
      {"odd stone list", [](Block& b) { b.stones = "123"; }, 14},
      {"empty yellow list", [](Block& b) { b.yellow = ""; }, 15},
      {"red list not digits", [](Block& b) { b.red = "1a"; }, 16},
      {"sixteen yellow flowers", [](Block& b) { b.yellow = "000102030405060708091011121314" "15"; }, 15},
      {"thirty-one PX pieces",
       [](Block& b) {
         b.px.clear();
         for (int n = 0; n < 31; ++n) b.px += PosCode(n);
       },
       17},
      {"stone on the hero", [](Block& b) { b.hero = "12"; b.stones = "12"; }, 14},
      {"red flower on a yellow one", [](Block& b) { b.yellow = "4455"; b.red = "55"; }, 16},
      {"two stones on one cell", [](Block& b) { b.stones = "0707"; }, 14},
      {"first flower 2", [](Block& b) { b.first = "2"; }, 19},
      {"first flower empty", [](Block& b) { b.first = ""; }, 19},
      {"music 7", [](Block& b) { b.music = "7"; }, 20},
      {"music not a number", [](Block& b) { b.music = "x"; }, 20},
      {"music empty", [](Block& b) { b.music = ""; }, 20},
  };
  for (const Row& r : rows) {
    Block b;
    r.spoil(b);
    const EditLoadResult res = ReadEditStage("first line\r\n" + b.Text(), 0);
    const auto* e = std::get_if<EditLoadError>(&res);
    ASSERT_NE(e, nullptr) << r.what;
    EXPECT_EQ(e->kind, EditLoadError::Kind::Malformed) << r.what;
    EXPECT_EQ(e->line, r.line + 1) << r.what << ": the line of the file";
    EXPECT_FALSE(e->reason.empty()) << r.what;
  }
}

TEST(EditStageReader, TextThatIsNotPlainLinesIsNamedAndAByteOrderMarkPassedOver) {
  Block b;
  std::string crOnly = b.Text();
  std::erase(crOnly, '\n');
  std::string utf16;
  for (char c : b.Text()) utf16 += std::string{c, '\0'};
  struct Row { const char* what; std::string file; std::string says; } rows[] = {
      {"CR line ends", crOnly, "CRだけ"}, {"UTF-16", utf16, "UTF-16"}};
  for (const Row& r : rows) {
    const EditLoadResult res = ReadEditStage(r.file, 0);
    const auto* e = std::get_if<EditLoadError>(&res);
    ASSERT_NE(e, nullptr) << r.what;
    EXPECT_EQ(e->kind, EditLoadError::Kind::Malformed) << r.what;
    EXPECT_EQ(e->line, 1) << r.what;
    EXPECT_NE(e->reason.find(r.says), std::string::npos) << r.what;
  }
  b.music = "5";
  EXPECT_EQ(Read("\xEF\xBB\xBF" + b.Text()).music, 5);
}

TEST(EditStageReader, AcceptsTheEdgesOfTheRanges) {
  Block b;
  b.yellow.clear();
  b.stones.clear();
  for (int n = 0; n < 15; ++n) b.yellow += PosCode(n);
  for (int n = 20; n < 50; ++n) b.stones += PosCode(n);
  b.hero = "99";
  b.music = "6";
  const StageSheet s = Read(b.Text());
  EXPECT_EQ(std::count(s.pieces.begin(), s.pieces.end(), Piece::Yellow), 15);
  EXPECT_EQ(std::count(s.pieces.begin(), s.pieces.end(), Piece::Stone), 30);
  EXPECT_EQ(s.music, 6);
}

TEST(EditStageReader, SavedAndReadBackIsTheSameStage) {
  StageSheet s;
  const auto palette = TerrainPalette();
  for (int n = 0; n < CellCount; ++n) s.terrain[n] = palette[(n * 7) % palette.size()].code;
  const Piece kinds[] = {Piece::Stone, Piece::Yellow, Piece::Red, Piece::PX, Piece::None, Piece::None, Piece::None};
  for (int n = 0; n < CellCount; ++n) s.pieces[n] = kinds[(n * 3) % 7];
  s.pieces[57] = Piece::Hero;
  s.firstFlower = 1;
  s.music = 6;
  const std::string saved = WriteStageBlock(s, 0);
  EXPECT_EQ(Read(saved), s);
  // Whatever the free line held, the editor writes its own version line back.
  Block b;
  b.free = "a comment of someone";
  b.hero = "57";
  const StageSheet read = Read(b.Text());
  Block rewritten = b;
  rewritten.free = "V2.00 beta";
  EXPECT_EQ(WriteStageBlock(read, 0), rewritten.Text());
}

TEST(EditStageReader, FailureMessages) {
  const EditLoadMessage eof = LoadFailureMessage(EditLoadError{}, "a.mvk");
  EXPECT_EQ(eof.title, "致命的なエラー");
  EXPECT_EQ(eof.text, "データのロードに失敗しました。\n強制終了します。");
  const EditLoadMessage bad = LoadFailureMessage({EditLoadError::Kind::Malformed, 20, "理由"}, "a.mvk");
  EXPECT_EQ(bad.title, "エラー");
  EXPECT_EQ(bad.text, "データのロードに失敗しました。\nファイル: a.mvk\n20行目: 理由");
}

}  // namespace
}  // namespace morvik
