#pragma once
// Indices of the tile store that the rules name: character pictures and the hero's poses.
namespace morvik::pic {

inline constexpr int YellowFlower = 10, RedFlower = 11, Stone = 12, PX = 15;
inline constexpr int HeadInWater = 16, Empty = 17, Victory = 40, KnockedDown = 41;

// Facing 1 left, 2 up, 3 right, 4 down.
constexpr int Standing(int dir) { constexpr int t[] = {19, 3, 18, 0}; return t[(dir - 1) & 3]; }
constexpr int FirstFoot(int dir) { constexpr int t[] = {8, 4, 6, 1}; return t[(dir - 1) & 3]; }
constexpr int SecondFoot(int dir) { constexpr int t[] = {9, 5, 7, 2}; return t[(dir - 1) & 3]; }
constexpr int Spin(int dir) { constexpr int t[] = {8, 5, 6, 1}; return t[(dir - 1) & 3]; }
constexpr int TakeOff(int dir) { return 41 + dir; }
constexpr int Flight(int dir) { return 45 + dir; }

// The next-flower picture for the colour due (0 yellow, 1 red).
constexpr int NextFlower(int colour) { return YellowFlower + colour; }

}  // namespace morvik::pic
