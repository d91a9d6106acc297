// morvik-cli: the move notation, and the program itself on a stage-unit fixture.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>

#include "tools/cli/MoveText.h"

namespace morvik {
namespace {

TEST(MoveText, ParsesAndRefuses) {
  std::string error;
  const auto moves = ParseMoves("LU, R D T Z G J1J5", error);
  ASSERT_TRUE(moves);
  EXPECT_EQ(MovesText(*moves), "LURDTZGJ1J5");
  EXPECT_FALSE(ParseMoves("RRX", error));
  EXPECT_EQ(error, "unknown move 'X' at position 3");
  EXPECT_FALSE(ParseMoves("J6", error));
  EXPECT_FALSE(ParseMoves("RJ", error));
}

struct CliRun {
  int status;
  std::string out;
};

CliRun Cli(const std::string& args) {
  const std::string cmd = std::string(MORVIK_CLI) + " " + args + " 2>&1";
  FILE* f = popen(cmd.c_str(), "r");
  std::string out;
  std::array<char, 4096> buf{};
  while (std::size_t n = fread(buf.data(), 1, buf.size(), f)) out.append(buf.data(), n);
  const int status = pclose(f);
  return {WEXITSTATUS(status), out};
}

const std::string kFixture = std::string(MORVIK_TEST_DATA) + "/walk.mvk";

TEST(Cli, PlaysMovesAndPrintsTheBoard) {
  // Stone from (2, 0) pushed into the hole at (3, 0); the hero ends on (2, 0) facing right.
  const CliRun r = Cli("play " + kFixture + " R R");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("\"outcome\": \"none\""), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\"hero\": [2, 0, 3]"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\"20202023202020202020\""), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("[\"NO\", \"NO\", \"HT\", \"NO\""), std::string::npos) << r.out;
}

TEST(Cli, StopsAtTheFirstOutcome) {
  const CliRun r = Cli("play " + kFixture + " G RRR");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("\"outcome\": \"giveup\""), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\"hero\": [0, 0, 4]"), std::string::npos) << r.out;
}

TEST(Cli, ReadsAStoryStageOfAMapFile) {
  const CliRun missing = Cli("play " + kFixture + " --stage 5 R");
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.out.find("データが見つかりません。"), std::string::npos) << missing.out;
  const CliRun zero = Cli("play " + kFixture + " --stage 0 R");
  EXPECT_EQ(zero.status, 0) << zero.out;
}

TEST(Cli, BadInputExitsWithTwo) {
  EXPECT_EQ(Cli("play " + kFixture + " RQ").status, 2);
  EXPECT_EQ(Cli("play /no/such/file R").status, 2);
  EXPECT_EQ(Cli("jump").status, 2);
}

}  // namespace
}  // namespace morvik
