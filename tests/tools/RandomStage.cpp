#include "tests/tools/RandomStage.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "stagedata/StageReader.h"

namespace morvik::test {

namespace {

struct Weighted {
  const char* code;
  int weight;
};

const Weighted kPlain[] = {{"20", 30}, {"22", 12}, {"21", 20}, {"53", 6}, {"58", 4}, {"32", 5},
                           {"28", 6},  {"13", 4},  {"30", 8}};
const Weighted kRich[] = {{"20", 26}, {"22", 10}, {"21", 14}, {"53", 8}, {"58", 6}, {"32", 5}, {"33", 2},
                          {"28", 7},  {"13", 3},  {"14", 2},  {"38", 2}, {"39", 1}, {"25", 2}, {"29", 2},
                          {"37", 3},  {"27", 1},  {"30", 5},  {"52", 4}, {"23", 2}};
const Weighted kUndiggable[] = {{"21", 34}, {"52", 22}, {"50", 12}, {"53", 8}, {"58", 5}, {"32", 3}, {"33", 1},
                                {"38", 3},  {"39", 2},  {"29", 1},  {"57", 1}, {"37", 2}, {"30", 5}};
const Weighted kDigging[] = {{"20", 45}, {"22", 20}, {"21", 12}, {"30", 10}, {"32", 4}, {"28", 4}, {"53", 5}};

template <std::size_t N>
std::string Pick(std::mt19937& rng, const Weighted (&table)[N]) {
  int total = 0;
  for (const Weighted& w : table) total += w.weight;
  int r = std::uniform_int_distribution<int>(0, total - 1)(rng);
  for (const Weighted& w : table) {
    if (r < w.weight) return w.code;
    r -= w.weight;
  }
  return table[0].code;
}

}  // namespace

std::string RandomStageText(std::mt19937& rng, const RandomStageShape& shape) {
  std::vector<std::string> code(100, "30");
  std::vector<int> floorCells;
  std::string holes;
  for (int y = 0; y < shape.height; ++y)
    for (int x = 0; x < shape.width; ++x) {
      const std::string c = shape.mix == RandomStageShape::Mix::Rich         ? Pick(rng, kRich)
                            : shape.mix == RandomStageShape::Mix::Plain      ? Pick(rng, kPlain)
                            : shape.mix == RandomStageShape::Mix::Undiggable ? Pick(rng, kUndiggable)
                                                                             : Pick(rng, kDigging);
      code[y * 10 + x] = c;
      if (c[0] == '2' || c[0] == '5') floorCells.push_back(y * 10 + x);
      if (c == "13" || c == "14" || c == "38" || c == "39") holes += std::to_string(x) + std::to_string(y);
    }
  if (floorCells.empty()) {
    code[0] = "20";
    floorCells.push_back(0);
  }
  std::shuffle(floorCells.begin(), floorCells.end(), rng);
  std::size_t next = 0;
  auto take = [&](int count) {
    std::string list;
    for (int k = 0; k < count && next < floorCells.size(); ++k, ++next) {
      const int i = floorCells[next];
      list += std::to_string(i % 10) + std::to_string(i / 10);
    }
    return list.empty() ? std::string("*") : list;
  };
  auto upTo = [&](int n) { return std::uniform_int_distribution<int>(0, n)(rng); };
  const std::string hero = take(1);
  const std::string stones = take(upTo(shape.maxStones));
  const int flowers = upTo(shape.maxFlowers);
  const int yellow = std::uniform_int_distribution<int>(0, flowers)(rng);
  const std::string ys = take(yellow), rs = take(flowers - yellow), px = take(std::uniform_int_distribution<int>(shape.minPX, shape.maxPX)(rng));
  std::string t = "@00\r\n";
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 10; ++x) t += code[y * 10 + x];
    t += "\r\n";
  }
  t += "V2.00 beta\r\n" + hero + "\r\n" + stones + "\r\n" + ys + "\r\n" + rs + "\r\n" + px + "\r\n" +
       (holes.empty() ? std::string("*") : holes) + "\r\n" + std::to_string(upTo(1)) + "\r\n1\r\nEND@00\r\n";
  return t;
}

Board RandomStage(std::mt19937& rng, const RandomStageShape& shape) {
  const StageResult r = ReadStage(std::string_view(RandomStageText(rng, shape)), {0, true, false});
  if (const auto* e = std::get_if<StageError>(&r)) throw std::runtime_error("random stage refused: " + e->reason);
  return std::get<LoadedStage>(r).board;
}

}  // namespace morvik::test
