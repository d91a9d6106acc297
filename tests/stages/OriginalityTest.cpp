// No stage of the map file is another one turned or mirrored. Two stages are compared under
// each of the eight rotations and mirrors, over the cells that are not plain open ground
// (terrain and object together): fewer than 80 % of them may match.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "stagedata/StageReader.h"
#include "tests/stages/MapFileText.h"

namespace morvik {
namespace {

using stagetest::BlockNumbers;
using stagetest::kMap;
using stagetest::ReadAll;


// What a cell shows, terrain and object together: 0 for plain open ground without an object.
// Bare ground, grass, sand, snow and floor boards (and holes already filled, which look the
// same) are plain; walls, water and every cell with a mechanic are not.
int CellSign(const Board& b, int x, int y) {
  const CellCode t = b.T(x, y);
  const bool plainGround = t == cell::Light || t == cell::Sand || t == cell::Grass || t == cell::FilledLight ||
                           t == cell::FilledGrass || t == cell::Wood1 || t == cell::Wood2 || t == cell::Snow ||
                           t == cell::FilledSnow || t == cell::FilledSand || t == cell::GateOpen;
  int object = 0;
  switch (b.C(x, y).kind) {
    case CharaKind::Stone: object = 1; break;
    case CharaKind::Yellow: object = 2; break;
    case CharaKind::Red: object = 3; break;
    case CharaKind::PX: object = 4; break;
    default: break;  // the hero and the empty-hole mark add nothing to what the terrain shows
  }
  if (plainGround && object == 0) return 0;
  return (plainGround ? 0 : t) * 8 + object;
}

using Signs = std::array<int, FieldSize * FieldSize>;

// Cell (x, y) of the field seen through transform k: four rotations, each also mirrored.
std::pair<int, int> Transformed(int k, int x, int y) {
  const int m = FieldSize - 1;
  if (k & 4) x = m - x;
  switch (k & 3) {
    case 0: return {x, y};
    case 1: return {m - y, x};
    case 2: return {m - x, m - y};
    default: return {y, m - x};
  }
}

// The share of the non-plain cells of the fuller stage that match, at the best transform.
double Overlap(const Signs& a, const Signs& b) {
  const auto marked = [](const Signs& s) { return std::count_if(s.begin(), s.end(), [](int v) { return v != 0; }); };
  const long denominator = std::max(marked(a), marked(b));
  if (denominator == 0) return 1.0;
  long best = 0;
  for (int k = 0; k < 8; ++k) {
    long same = 0;
    for (int y = 0; y < FieldSize; ++y)
      for (int x = 0; x < FieldSize; ++x) {
        const auto [tx, ty] = Transformed(k, x, y);
        const int va = a[y * FieldSize + x];
        same += va != 0 && va == b[ty * FieldSize + tx];
      }
    best = std::max(best, same);
  }
  return static_cast<double>(best) / static_cast<double>(denominator);
}

TEST(Originality, TransformsAreTheEightSymmetriesOfTheField) {
  std::vector<std::pair<int, int>> images;
  for (int k = 0; k < 8; ++k) images.push_back(Transformed(k, 1, 2));
  std::sort(images.begin(), images.end());
  EXPECT_EQ(std::unique(images.begin(), images.end()), images.end()) << "two transforms coincide";
}

TEST(Originality, AStageTurnedOrMirroredIsCaught) {
  const std::string text = ReadAll(kMap);
  const StageResult r = ReadStage(std::string_view(text), StageRequest{13, false, false});
  ASSERT_TRUE(std::holds_alternative<LoadedStage>(r));
  const Board& b = std::get<LoadedStage>(r).board;
  Signs original{}, turned{};
  for (int y = 0; y < FieldSize; ++y)
    for (int x = 0; x < FieldSize; ++x) {
      original[y * FieldSize + x] = CellSign(b, x, y);
      const auto [tx, ty] = Transformed(7, x, y);
      turned[ty * FieldSize + tx] = CellSign(b, x, y);
    }
  EXPECT_DOUBLE_EQ(Overlap(original, turned), 1.0);
}

TEST(Originality, NoTwoStagesAreTurnsOrMirrorsOfEachOther) {
  const std::string text = ReadAll(kMap);
  std::vector<std::pair<int, Signs>> stages;
  for (int n : BlockNumbers(text)) {
    const StageResult r = ReadStage(std::string_view(text), StageRequest{n, false, false});
    ASSERT_TRUE(std::holds_alternative<LoadedStage>(r)) << "stage " << n;
    const Board& b = std::get<LoadedStage>(r).board;
    Signs s{};
    for (int y = 0; y < FieldSize; ++y)
      for (int x = 0; x < FieldSize; ++x) s[y * FieldSize + x] = CellSign(b, x, y);
    stages.emplace_back(n, s);
  }
  double largest = 0;
  std::string largestPair;
  for (std::size_t i = 0; i < stages.size(); ++i)
    for (std::size_t j = i + 1; j < stages.size(); ++j) {
      const double o = Overlap(stages[i].second, stages[j].second);
      EXPECT_LT(o, 0.80) << "stages " << stages[i].first << " and " << stages[j].first;
      if (o > largest) {
        largest = o;
        largestPair = std::to_string(stages[i].first) + " and " + std::to_string(stages[j].first);
      }
    }
  std::printf("largest overlap: %.1f %% (stages %s)\n", 100 * largest, largestPair.c_str());
}

}  // namespace
}  // namespace morvik
