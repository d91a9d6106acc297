// Mussan's advice: every stage of the map file has a hint, and a hint that names the first
// colour or counts the stones, holes, PX pieces or flowers of its stage is right about them.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
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

const std::string kAdvice = std::string(MORVIK_ADVICE_DIR) + "/Advice.txt";

// Stage number to the advice text of its first block.
std::map<int, std::string> AdviceBlocks(const std::string& text) {
  std::map<int, std::string> out;
  std::istringstream in(text);
  std::string line;
  int open = -1;
  std::string body;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (open < 0) {
      if (line.size() >= 3 && line[0] == '@' && line.find_first_not_of("0123456789", 1) == std::string::npos) {
        open = std::stoi(line.substr(1));
        body.clear();
      }
    } else if (!line.empty() && line[0] == '*') {
      out.emplace(open, body);
      open = -1;
    } else {
      body += line + "\n";
    }
  }
  return out;
}

// "三" or "3" to 3.
int Numeral(const std::string& s) {
  static const std::vector<std::string> kanji{"零", "一", "二", "三", "四", "五", "六", "七", "八", "九", "十"};
  for (std::size_t i = 0; i < kanji.size(); ++i)
    if (s == kanji[i]) return static_cast<int>(i);
  return std::stoi(s);
}

TEST(Advice, EveryStageHasHintsThatAreTrueOfIt) {
  const std::string map = ReadAll(kMap);
  const std::map<int, std::string> advice = AdviceBlocks(ReadAll(kAdvice));
  const std::string numeral = "(一|二|三|四|五|六|七|八|九|十|[0-9]+)";
  const std::regex firstColour("(黄色|赤)い花から");
  int checkedClaims = 0;
  for (int n : BlockNumbers(map)) {
    SCOPED_TRACE("stage " + std::to_string(n));
    const auto it = advice.find(n);
    ASSERT_NE(it, advice.end()) << "no advice";
    const std::string& text = it->second;
    EXPECT_FALSE(text.empty());
    const StageResult r = ReadStage(std::string_view(map), StageRequest{n, false, false});
    ASSERT_TRUE(std::holds_alternative<LoadedStage>(r));
    const Board& b = std::get<LoadedStage>(r).board;
    int holes = 0;
    for (int y = 0; y < FieldSize; ++y)
      for (int x = 0; x < FieldSize; ++x) holes += b.C(x, y).kind == CharaKind::EmptyHole;

    for (std::sregex_iterator m(text.begin(), text.end(), firstColour), end; m != end; ++m) {
      EXPECT_EQ((*m)[1] == "黄色" ? 0 : 1, b.firstFlower) << "the hint names the wrong first colour";
      ++checkedClaims;
    }
    const std::vector<std::pair<std::string, int>> counts{
        {"石", b.stoneCount},       {"穴", holes},           {"PX ?", b.pxCount},
        {"黄色い花", b.yFlowerCount}, {"赤い花", b.rFlowerCount}, {"(?:^|[^色い])花", b.yFlowerCount + b.rFlowerCount}};
    for (const auto& [noun, actual] : counts) {
      const std::regex claim(noun + "(?:は|が|も)" + numeral + "つ");
      for (std::sregex_iterator m(text.begin(), text.end(), claim), end; m != end; ++m) {
        EXPECT_EQ(Numeral((*m)[1]), actual) << "the hint says " << m->str();
        ++checkedClaims;
      }
    }
  }
  EXPECT_GT(checkedClaims, 0) << "no hint names a colour or a count: the checks above saw nothing";
}

}  // namespace
}  // namespace morvik
