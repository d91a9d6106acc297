#include "stagedata/StagePicture.h"

#include <algorithm>

namespace morvik {

const std::vector<GroundLetter>& GroundLetters() {
  static const std::vector<GroundLetter> letters = {
      {'.', cell::Light, "light ground (diggable)"},
      {',', cell::Grass, "grass (diggable)"},
      {':', cell::Sand, "sand"},
      {'_', cell::Wood1, "wood floor"},
      {'=', cell::Wood2, "wood floor 2"},
      {'\'', cell::Snow, "snow"},
      {'o', cell::HoleLight, "hole in light ground"},
      {'O', cell::HoleGrass, "hole in grass"},
      {'s', cell::HoleSnow, "hole in snow"},
      {'d', cell::HoleSand, "hole in sand"},
      {'w', cell::WhirlLight, "whirl on light ground"},
      {'W', cell::WhirlGrass, "whirl on grass"},
      {'v', cell::WhirlSnow, "whirl on snow"},
      {'V', cell::WhirlSand, "whirl on sand"},
      {'#', cell::Mountain, "rock mountain"},
      {'^', cell::SnowMountainGrass, "snowy mountain on grass"},
      {'~', cell::Water, "water"},
      {'%', cell::DeepWater, "deep water"},
      {'T', cell::Trees, "trees"},
      {'t', cell::Tree, "tree"},
      {'Y', cell::Cactus, "cactus"},
      {'G', cell::GateClosed, "closed gate"},
      {'g', cell::GateOpen, "open gate"},
      {'J', cell::JumpPad, "jump pad"},
      {'x', cell::Spikes, "spikes"},
      {'i', cell::Ice, "ice"},
      {'c', cell::CrackedIce, "cracked ice"},
      {'A', cell::SnowMountain, "snowy mountain on snow"},
      {'8', cell::Snowman, "snowman"},
      {'H', cell::House1, "house"},
      {'h', cell::House2, "house 2"},
      {'n', cell::Stump, "tree stump"},
      {'1', cell::FilledLight, "filled hole (light)"},
      {'2', cell::FilledGrass, "filled hole (grass)"},
      {'3', cell::FilledSnow, "filled hole (snow)"},
      {'4', cell::FilledSand, "filled hole (sand)"},
  };
  return letters;
}

const std::vector<PieceLetter>& PieceLetters() {
  static const std::vector<PieceLetter> letters = {
      {'@', Piece::Hero, "hero"},         {'S', Piece::Stone, "stone"},    {'y', Piece::Yellow, "yellow flower"},
      {'r', Piece::Red, "red flower"},    {'P', Piece::PX, "PX piece"},
  };
  return letters;
}

std::optional<CellCode> GroundOfLetter(char letter) {
  for (const GroundLetter& g : GroundLetters())
    if (g.letter == letter) return g.code;
  return std::nullopt;
}

std::optional<Piece> PieceOfLetter(char letter) {
  if (letter == ' ') return Piece::None;
  for (const PieceLetter& p : PieceLetters())
    if (p.letter == letter) return p.piece;
  return std::nullopt;
}

char LetterOfGround(CellCode code) {
  for (const GroundLetter& g : GroundLetters())
    if (g.code == code) return g.letter;
  return '?';
}

char LetterOfPiece(Piece piece) {
  for (const PieceLetter& p : PieceLetters())
    if (p.piece == piece) return p.letter;
  return ' ';
}

std::string PictureErrorText(const PictureError& e) {
  std::string where;
  if (e.row > 0) where = "row " + std::to_string(e.row);
  if (e.column > 0) where += " column " + std::to_string(e.column);
  return where.empty() ? e.reason : where + ": " + e.reason;
}

namespace {

constexpr std::size_t kRowChars = 2 * 10;

std::string Quoted(char c) { return std::string("'") + c + "'"; }

// One row into the sheet; the row number y counts from 0.
std::optional<PictureError> ReadRow(std::string_view line, int y, StageSheet& s, bool& heroSeen) {
  const int row = y + 1;
  std::string cells(line.substr(0, std::min(line.size(), kRowChars)));
  // An editor may drop the blank after the tenth ground.
  if (cells.size() == kRowChars - 1) cells += ' ';
  if (cells.size() < kRowChars)
    return PictureError{row, 0, "fewer than ten cells (each cell is two characters)"};
  std::string_view tail = line.size() > kRowChars ? line.substr(kRowChars) : std::string_view();
  while (!tail.empty() && tail.front() == ' ') tail.remove_prefix(1);
  if (!tail.empty() && tail.front() != '|')
    return PictureError{row, 0, "more than ten cells (\"" + std::string(tail) + "\" after the tenth)"};
  for (int x = 0; x < 10; ++x) {
    const char g = cells[2 * x], p = cells[2 * x + 1];
    const auto code = GroundOfLetter(g);
    if (!code) return PictureError{row, x + 1, "unknown ground " + Quoted(g)};
    const auto piece = PieceOfLetter(p);
    if (!piece) return PictureError{row, x + 1, "unknown piece " + Quoted(p)};
    if (*piece == Piece::Hero) {
      if (heroSeen) return PictureError{row, x + 1, "a second hero"};
      heroSeen = true;
    }
    s.terrain[10 * x + y] = *code;
    s.pieces[10 * x + y] = *piece;
  }
  return std::nullopt;
}

}  // namespace

PictureResult ReadPicture(std::string_view text) {
  StageSheet s;
  s.music = 1;
  int rows = 0;
  bool heroSeen = false, tailSeen = false;
  while (!text.empty()) {
    const std::size_t eol = text.find('\n');
    std::string_view line = text.substr(0, eol);
    text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.starts_with("//") || line.find_first_not_of(' ') == std::string_view::npos) continue;
    if (line.starts_with("first ")) {
      const std::string_view v = line.substr(6);
      if (v != "red" && v != "yellow") return PictureError{0, 0, "\"first\" takes red or yellow, not \"" + std::string(v) + "\""};
      s.firstFlower = v == "red" ? 1 : 0;
      tailSeen = true;
      continue;
    }
    if (line.starts_with("music ")) {
      const std::string_view v = line.substr(6);
      if (v.empty() || v.size() > 2 || v.find_first_not_of("0123456789") != std::string_view::npos)
        return PictureError{0, 0, "\"music\" takes a number 0 to 99, not \"" + std::string(v) + "\""};
      s.music = std::stoi(std::string(v));
      tailSeen = true;
      continue;
    }
    if (tailSeen) return PictureError{rows + 1, 0, "a row after the first or music line"};
    if (rows == 10) return PictureError{rows + 1, 0, "more than ten rows"};
    if (auto e = ReadRow(line, rows, s, heroSeen)) return *e;
    ++rows;
  }
  if (rows != 10) return PictureError{0, 0, std::to_string(rows) + " rows, not ten"};
  return s;
}

PictureResult ReadPartialPicture(const std::vector<std::string>& rows) {
  if (rows.size() > 10) return PictureError{11, 0, "more than ten rows"};
  std::string text;
  for (std::size_t y = 0; y < 10; ++y) {
    std::string row = y < rows.size() ? rows[y] : "";
    if (row.size() > kRowChars) return PictureError{static_cast<int>(y) + 1, 0, "more than ten cells"};
    while (row.size() < kRowChars) row += row.size() % 2 ? ' ' : '.';
    text += row + "\n";
  }
  return ReadPicture(text);
}

std::vector<std::string> PictureRows(const StageSheet& s) {
  std::vector<std::string> rows;
  for (int y = 0; y < 10; ++y) {
    std::string r;
    for (int x = 0; x < 10; ++x) {
      r += LetterOfGround(s.terrain[10 * x + y]);
      r += LetterOfPiece(s.pieces[10 * x + y]);
    }
    rows.push_back(r);
  }
  return rows;
}

std::string WritePicture(const StageSheet& s, std::string_view title) {
  std::string out = "// " + std::string(title) + "\n// ";
  for (int x = 1; x <= 10; ++x) out += x < 10 ? std::to_string(x) + " " : "10";
  out += "\n";
  const std::vector<std::string> rows = PictureRows(s);
  for (int y = 0; y < 10; ++y) out += rows[y] + " | " + std::to_string(y + 1) + "\n";
  out += std::string("first ") + (s.firstFlower == 1 ? "red" : "yellow") + "\n";
  return out + "music " + std::to_string(s.music) + "\n";
}

std::string PictureLegend() {
  std::string out;
  for (const GroundLetter& g : GroundLetters()) out += std::string(1, g.letter) + " " + CellCodeText(g.code) + " " + g.name + "\n";
  for (const PieceLetter& p : PieceLetters())
    out += std::string(1, p.letter) + " -- " + p.name + " (second character of a cell)\n";
  return out;
}

StageSheet SheetOfBoard(const Board& b, int music) {
  StageSheet s;
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) {
      const int n = 10 * x + y;
      s.terrain[n] = b.T(x, y);
      switch (b.C(x, y).kind) {
        case CharaKind::Hero: s.pieces[n] = Piece::Hero; break;
        case CharaKind::Stone: s.pieces[n] = Piece::Stone; break;
        case CharaKind::Yellow: s.pieces[n] = Piece::Yellow; break;
        case CharaKind::Red: s.pieces[n] = Piece::Red; break;
        case CharaKind::PX: s.pieces[n] = Piece::PX; break;
        case CharaKind::None: case CharaKind::EmptyHole: break;  // a hole's mark comes with its ground
      }
    }
  s.firstFlower = b.firstFlower;
  s.music = music;
  return s;
}

}  // namespace morvik
