// Answer files written for a solution: one record per step, dig and jump landing, in the
// file layout the play screen's guide reads, byte for byte.
#include <gtest/gtest.h>

#include <string>

#include "stagedata/StageReader.h"
#include "tools/cli/FileText.h"
#include "solver/AnswerFile.h"
#include "solver/Solver.h"

namespace morvik {
namespace {

Board LoadFixture(const std::string& name) {
  std::string text;
  EXPECT_TRUE(ReadFileText(std::string(MORVIK_TEST_DATA) + "/" + name, text)) << name;
  return std::get<LoadedStage>(ReadStage(std::string_view(text), {0, true, false})).board;
}

TEST(AnswerFile, RecordsStepsDigsAndEveryLandingOfAChain) {
  struct Case {
    const char* file;
    const char* presses;
    std::string text;
  } cases[] = {
      // Dig below the start, round the PX piece, push it into the hole.
      {"solve_dig.mvk", "ZRRDL",
       "[]\r\n<Morvik Answer Data>\r\n\r\n@\r\n112\r\n021\r\n031\r\n032\r\n022\r\n\r\n@\r\n"},
      // The blocked step records nothing; the jump lands on the stone, bounces, slides twice.
      {"solve_bounce_slide.mvk", "RJ5",
       "[]\r\n<Morvik Answer Data>\r\n\r\n@\r\n251\r\n261\r\n271\r\n281\r\n\r\n@\r\n"},
      // Standing on the red flower while yellow is due is a step like any other.
      {"solve_flowers.mvk", "RRRLL",
       "[]\r\n<Morvik Answer Data>\r\n\r\n@\r\n021\r\n031\r\n041\r\n031\r\n021\r\n\r\n@\r\n"},
  };
  for (const Case& c : cases) {
    const Board start = LoadFixture(c.file);
    const SolveResult r = Solve(start);
    ASSERT_EQ(MovesText(r.presses), c.presses) << c.file;
    EXPECT_EQ(AnswerFileText(RecordAnswer(start, r.presses)), c.text) << c.file;
  }
}

TEST(AnswerFile, StopsRecordingWhenTheAttemptEnds) {
  // Presses after the clear are not played.
  const Board start = LoadFixture("solve_flowers.mvk");
  std::vector<Move> presses = {Move::Right, Move::Right, Move::Right, Move::Left, Move::Left, Move::Right};
  EXPECT_EQ(RecordAnswer(start, presses).size(), 5u);
}

}  // namespace
}  // namespace morvik
