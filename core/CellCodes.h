#pragma once
// Terrain cell codes: the two-digit codes of the terrain layer, held as their numeric value
// (which is also the index of the tile picture), and the classes the rules ask about.
#include <cstdint>
#include <string>
#include <string_view>

namespace morvik {

using CellCode = std::uint8_t;  // 0 = no code (never inside the field)

namespace cell {
inline constexpr CellCode HoleLight = 13, HoleGrass = 14;
inline constexpr CellCode Light = 20, Sand = 21, Grass = 22, FilledLight = 23, FilledGrass = 24;
inline constexpr CellCode WhirlLight = 25, WhirlGrass = 26, GateOpen = 27, JumpPad = 28, Spikes = 29;
inline constexpr CellCode Mountain = 30, SnowMountainGrass = 31, Water = 32, DeepWater = 33;
inline constexpr CellCode Trees = 34, Tree = 35, Cactus = 36, GateClosed = 37, HoleSnow = 38, HoleSand = 39;
inline constexpr CellCode Wood1 = 50, Wood2 = 51, Snow = 52, Ice = 53, FilledSnow = 54, FilledSand = 55;
inline constexpr CellCode WhirlSnow = 56, WhirlSand = 57, CrackedIce = 58;
inline constexpr CellCode SnowMountain = 60, Snowman = 61, House1 = 62, House2 = 63, Stump = 64;
}  // namespace cell

// Every code a stage may hold on its terrain layer.
bool IsTerrainCode(int value);

// Codes beginning with "2" or "5": the hero may enter them, objects may be pushed onto them.
constexpr bool IsFloor(CellCode c) { return c / 10 == 2 || c / 10 == 5; }
constexpr bool IsWater(CellCode c) { return c == cell::Water || c == cell::DeepWater; }
constexpr bool IsHole(CellCode c) {
  return c == cell::HoleLight || c == cell::HoleGrass || c == cell::HoleSnow || c == cell::HoleSand;
}
// Whirls and spikes: the hero falls when it steps onto them.
constexpr bool IsHazard(CellCode c) {
  return c == cell::WhirlLight || c == cell::WhirlGrass || c == cell::WhirlSnow || c == cell::WhirlSand ||
         c == cell::Spikes;
}
// A jump that lands on whirls, water, holes or spikes ends the stage.
constexpr bool IsLandingDanger(CellCode c) { return IsHazard(c) || IsWater(c) || IsHole(c); }
// Cells whose edge towards other ground gets a sand rim.
constexpr bool IsSandy(CellCode c) {
  return c == cell::Sand || c == cell::Cactus || c == cell::House1 || c == cell::FilledSand || c == cell::WhirlSand;
}

// "05" style text of a code, and the value of a two-character code text (-1 if not two digits).
std::string CellCodeText(CellCode c);
int ParseCellCode(std::string_view text);

}  // namespace morvik
