#include "tests/core/Fixture.h"

#include <stdexcept>
#include <utility>

namespace morvik::test {

namespace {
const std::pair<char, CellCode> kTerrain[] = {
    {'.', cell::Light},     {'s', cell::Sand},        {'g', cell::Grass},      {'w', cell::Water},
    {'W', cell::DeepWater}, {'M', cell::Mountain},    {'i', cell::Ice},        {'c', cell::CrackedIce},
    {'@', cell::WhirlLight}, {'^', cell::Spikes},     {'J', cell::JumpPad},    {'G', cell::GateClosed},
    {'O', cell::GateOpen},  {'o', cell::HoleLight},   {'h', cell::HoleGrass},  {'n', cell::HoleSnow},
    {'d', cell::HoleSand},  {'f', cell::FilledLight}, {'v', cell::WhirlGrass}, {'=', cell::Snow},
    {'T', cell::Tree},      {'k', cell::FilledSnow},  {'K', cell::FilledSand}, {'F', cell::FilledGrass},
    {'x', cell::WhirlSnow}, {'X', cell::WhirlSand},   {'Z', cell::WhirlLight}};

CellCode TerrainOf(char ch) {
  for (auto [k, v] : kTerrain)
    if (k == ch) return v;
  return cell::Light;  // character letters stand on light ground
}

char LetterOf(CellCode c) {
  for (auto [k, v] : kTerrain)
    if (v == c) return k;
  return '?';
}

bool IsCharaLetter(char ch) { return ch == 'H' || ch == 'S' || ch == 'Y' || ch == 'R' || ch == 'P'; }
}  // namespace

Board MakeBoard(const std::vector<std::string>& terrain, const std::vector<std::string>& charas, int dir,
                int firstFlower) {
  Board b;
  b.terrain.fill(cell::Light);
  int counts[5] = {};
  auto place = [&](int x, int y, char ch) {
    switch (ch) {
      case 'H': b.heroX = static_cast<std::int16_t>(x); b.heroY = static_cast<std::int16_t>(y); b.C(x, y) = HeroChara; break;
      case 'S': b.C(x, y) = MakeChara(CharaKind::Stone, counts[0]++); break;
      case 'Y': b.C(x, y) = MakeChara(CharaKind::Yellow, counts[1]++); break;
      case 'R': b.C(x, y) = MakeChara(CharaKind::Red, counts[2]++); break;
      case 'P': b.C(x, y) = MakeChara(CharaKind::PX, counts[3]++); break;
      default: break;
    }
  };
  for (int y = 0; y < static_cast<int>(terrain.size()); ++y)
    for (int x = 0; x < static_cast<int>(terrain[y].size()); ++x) {
      const char ch = terrain[y][x];
      b.T(x, y) = TerrainOf(ch);
      if (IsHole(b.T(x, y))) b.C(x, y) = HoleMark;
      place(x, y, ch);
    }
  for (int y = 0; y < static_cast<int>(charas.size()); ++y)
    for (int x = 0; x < static_cast<int>(charas[y].size()); ++x)
      if (IsCharaLetter(charas[y][x])) place(x, y, charas[y][x]);
  b.stoneCount = static_cast<std::int16_t>(counts[0]);
  b.yFlowerCount = static_cast<std::int16_t>(counts[1]);
  b.rFlowerCount = static_cast<std::int16_t>(counts[2]);
  b.pxCount = static_cast<std::int16_t>(counts[3]);
  b.firstFlower = static_cast<std::int16_t>(firstFlower);
  b.heroDir = static_cast<std::int16_t>(dir);
  return b;
}

std::vector<std::string> TerrainRows(const Board& b, int rows) {
  std::vector<std::string> out;
  for (int y = 0; y < rows; ++y) {
    std::string r;
    for (int x = 0; x < FieldSize; ++x) r += LetterOf(b.T(x, y));
    out.push_back(r);
  }
  return out;
}

std::vector<std::string> CharaRows(const Board& b, int rows) {
  std::vector<std::string> out;
  for (int y = 0; y < rows; ++y) {
    std::string r;
    for (int x = 0; x < FieldSize; ++x) {
      switch (b.C(x, y).kind) {
        case CharaKind::None: r += '.'; break;
        case CharaKind::Hero: r += 'H'; break;
        case CharaKind::EmptyHole: r += 'e'; break;
        case CharaKind::Stone: r += 'S'; break;
        case CharaKind::Yellow: r += 'Y'; break;
        case CharaKind::Red: r += 'R'; break;
        case CharaKind::PX: r += 'P'; break;
      }
    }
    out.push_back(r);
  }
  return out;
}

}  // namespace morvik::test
