// morvik-cli: the program itself on a stage-unit fixture.
#include <gtest/gtest.h>

#include <array>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tools/cli/FileText.h"
#include "tools/cli/SolveCommand.h"
#include "tests/support/ScratchDir.h"

namespace morvik {
namespace {

struct CliRun {
  int status;
  std::string out;
};

// Both streams, or stdout alone.
CliRun Cli(const std::string& args, bool withStderr = true) {
  const std::string cmd = std::string(MORVIK_CLI) + " " + args + (withStderr ? " 2>&1" : " 2>/dev/null");
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
  EXPECT_NE(missing.out.find("The stage was not found."), std::string::npos) << missing.out;  // the shared reader's text, in English
  const CliRun zero = Cli("play " + kFixture + " --stage 0 R");
  EXPECT_EQ(zero.status, 0) << zero.out;
}

// The picture goes through the stage writer and reader; what the reader or the notation refuses
// is named, and no block is printed.
TEST(Cli, BlockRefusesWhatNoStageCanHold) {
  const test::ScratchDir scratch;
  ASSERT_TRUE(scratch.Ok());
  const std::string dir = scratch.path.string();
  const std::string rows = ". . . . . . . . . . \n";
  struct Row { const char* what; std::string top; int status; std::string says; } cases[] = {
      {"good", ".@.y. . . . . . . . \n", 0, "@05\r\n20202020202020202020\r\n"},
      {"no hero", ". .y. . . . . . . . \n", 2, "no hero ('@')"},
      {"hero on a hole", "o@.y. . . . . . . . \n", 2, "the stage reader refuses the block: Hero on a hole"},
      {"unknown letter", ".@.y. . . . . . . Z \n", 2, "row 1 column 10: unknown ground 'Z'"},
  };
  for (const Row& c : cases) {
    std::string picture = c.top;
    for (int y = 1; y < 10; ++y) picture += rows;
    std::ofstream(dir + "/p.txt", std::ios::binary) << picture;
    const CliRun r = Cli("block " + dir + "/p.txt 5");
    EXPECT_EQ(r.status, c.status) << c.what;
    EXPECT_EQ(r.out.find("@05") == std::string::npos, c.status != 0) << c.what << ": " << r.out;
    EXPECT_NE(r.out.find(c.says), std::string::npos) << c.what << ": " << r.out;
  }
}

TEST(Cli, BadInputExitsWithTwo) {
  EXPECT_EQ(Cli("play " + kFixture + " RQ").status, 2);
  EXPECT_EQ(Cli("play /no/such/file R").status, 2);
  EXPECT_EQ(Cli("jump").status, 2);
}

TEST(Cli, FilesThatAreNoStageFilesSayWhatTheyAre) {
  // None of these may block or read without end: a pipe, a device, a folder, a huge file.
  const test::ScratchDir scratch;
  ASSERT_TRUE(scratch.Ok());
  const std::string dir = scratch.path.string();
  ASSERT_EQ(mkfifo((dir + "/pipe").c_str(), 0600), 0);
  std::filesystem::create_symlink("/dev/zero", dir + "/zero");
  { std::ofstream(dir + "/huge"); }
  std::filesystem::resize_file(dir + "/huge", 200u << 20);
  struct Row { std::string file, says; } rows[] = {
      {dir, "is a directory"},
      {dir + "/pipe", "is not a regular file"},
      {dir + "/zero", "is not a regular file"},
      {dir + "/huge", "is too large (209715200 bytes"},
      {dir + "/none", "not found"},
  };
  for (const Row& r : rows)
    for (const std::string& command : {"play " + r.file + " R", "solve " + r.file}) {
      const CliRun run = Cli(command);
      EXPECT_EQ(run.status, 2) << command;
      EXPECT_EQ(run.out.rfind("morvik-cli: " + r.file + ": " + r.says, 0), 0u) << command << "\n" << run.out;
    }
}

const std::string kData = std::string(MORVIK_TEST_DATA) + "/";

TEST(CliSolve, PrintsTheSolutionAsJsonAndItPlaysBackToAClear) {
  const CliRun r = Cli("solve " + kData + "solve_flowers.mvk --json");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.substr(0, r.out.find(", \"states\"")),
            "{\"verdict\": \"solved\", \"reason\": \"\", \"moves\": \"RRRLL\", \"presses\": 5")
      << r.out;
  EXPECT_NE(r.out.find("\"expanded\": "), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\"seconds\": "), std::string::npos) << r.out;
  const CliRun played = Cli("play " + kData + "solve_flowers.mvk RRRLL");
  EXPECT_NE(played.out.find("\"outcome\": \"clear\""), std::string::npos) << played.out;
}

TEST(CliSolve, VerdictsAndExitStatus) {
  struct Case {
    std::string args;
    int status;
    std::string verdict;
  } cases[] = {
      {"solve_unsolvable.mvk --json", 1, "\", \"moves\": \"\", \"presses\": 0"},
      {"solve_parity.mvk --json", 1,
       "{\"verdict\": \"unsolvable\", \"reason\": \"the flowers cannot be taken alternately\", \"moves\": \"\""},
      {"solve_two_px.mvk --json --max-states 50", 1, "\"verdict\": \"unknown\""},
      {"solve_dig.mvk", 0, "solved\nmoves: ZRRDL\npresses: 5\nstates: "},
      {"solve_parity.mvk", 1, "unsolvable (the flowers cannot be taken alternately)\nstates: 0\n"},
      {"verify_map.dat --stage 2 --json", 1, "\"verdict\": \"unsolvable\""},
      {"verify_map.dat --stage 1 --json", 0, "\"moves\": \"RRRLL\""},
      // From the position two presses in: the hero stands on the red flower's right.
      {"solve_flowers.mvk --from RR --json", 0, "\"moves\": \"RLL\", \"presses\": 3"},
      {"solve_flowers.mvk --from R,R,R --json", 0, "\"moves\": \"LL\", \"presses\": 2"},
      {"solve_two_px.mvk --max-memory 1", 1, "unknown (memory limit reached)\nstates: "},
  };
  for (const Case& c : cases) {
    const CliRun r = Cli("solve " + kData + c.args);
    EXPECT_EQ(r.status, c.status) << c.args << "\n" << r.out;
    EXPECT_NE(r.out.find(c.verdict), std::string::npos) << c.args << "\n" << r.out;
  }
  EXPECT_EQ(Cli("solve " + kData + "solve_dig.mvk --max-states x").status, 2);
  EXPECT_EQ(Cli("solve " + kData + "verify_map.dat --stage 1 --answer").status, 2);
  EXPECT_EQ(Cli("solve /no/such/file").status, 2);
  EXPECT_EQ(Cli("solve " + kData + "solve_dig.mvk --max-memory 0").status, 2);
  // Moves that cannot be read, or that end the attempt, leave nothing to solve.
  for (const char* from : {"RQ", "RRRLL", "G"}) {
    const CliRun r = Cli("solve " + kData + "solve_flowers.mvk --from " + from);
    EXPECT_EQ(r.status, 2) << from << "\n" << r.out;
    EXPECT_NE(r.out.find("--from: "), std::string::npos) << r.out;
  }
}

TEST(CliSolve, AnswerWritesTheAnswerFileBesideTheStage) {
  // A copy of the fixture in a scratch folder, so the answer file lands there.
  const test::ScratchDir scratch;
  ASSERT_TRUE(scratch.Ok());
  const std::string dir = scratch.path.string();
  std::string stage;
  ASSERT_TRUE(ReadFileText(kData + "solve_dig.mvk", stage));
  const std::string path = dir + "/answer_dig.mvk";
  ASSERT_TRUE(WriteFileText(path, stage));
  const CliRun r = Cli("solve " + path + " --answer");
  EXPECT_EQ(r.status, 0) << r.out;
  std::string answer;
  ASSERT_TRUE(ReadFileText(path + "a", answer));
  EXPECT_EQ(answer, "[]\r\n<Morvik Answer Data>\r\n\r\n@\r\n112\r\n021\r\n031\r\n032\r\n022\r\n\r\n@\r\n");
}

TEST(CliSolve, TheStateLimitIsKeptExactly) {
  // Both searches stop with the store full to the limit and not one state more, and the JSON
  // says why; a limit the search does not reach changes nothing.
  for (const char* search : {"", " --breadth-first"}) {
    for (int limit : {1, 5, 50}) {
      const CliRun r = Cli("solve " + kData + "solve_two_px.mvk --json --max-states " + std::to_string(limit) + search);
      EXPECT_EQ(r.status, 1) << r.out;
      EXPECT_NE(r.out.find("\"verdict\": \"unknown\", \"reason\": \"state limit reached\""), std::string::npos) << r.out;
      EXPECT_NE(r.out.find("\"states\": " + std::to_string(limit) + ","), std::string::npos) << limit << search << "\n" << r.out;
    }
    const CliRun r = Cli("solve " + kData + "solve_flowers.mvk --json --max-states 100000" + search);
    EXPECT_EQ(r.status, 0) << r.out;
  }
}

TEST(Cli, HelpVersionAndUsageErrorsAsAUnixToolGivesThem) {
  for (const char* args : {"--help", "-h", "solve --help", "play walk.mvk R -h"}) {
    const CliRun r = Cli(args, false);
    EXPECT_EQ(r.status, 0) << args;
    EXPECT_EQ(r.out.rfind("usage: morvik-cli play", 0), 0u) << args << "\n" << r.out;
    EXPECT_NE(r.out.find("Exit status: 0 done"), std::string::npos) << r.out;
  }
  const CliRun version = Cli("--version", false);
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "morvik-cli 2.00 beta\n");
  struct Case {
    std::string args, says;
  } cases[] = {
      {"", "morvik-cli: no command given\n"},
      {"jump", "morvik-cli: unknown command 'jump'\n"},
      {"--jump", "morvik-cli: unknown option '--jump'\n"},
      {"play " + kFixture + " R --turbo", "morvik-cli: play: unknown option '--turbo'\n"},
      {"play " + kFixture, "morvik-cli: play: no moves given\n"},
      {"solve " + kFixture + " --fast", "morvik-cli solve: unknown option '--fast' (or its value is missing)\n"},
      {"solve " + kFixture + " -- " + kFixture, "morvik-cli solve: unexpected argument '" + kFixture + "'\n"},
  };
  for (const Case& c : cases) {
    const CliRun r = Cli(c.args);
    EXPECT_EQ(r.status, 2) << c.args;
    EXPECT_EQ(r.out.rfind(c.says, 0), 0u) << c.args << "\n" << r.out;
    EXPECT_EQ(Cli(c.args, false).out, "") << c.args;  // nothing on stdout
  }
}

TEST(Cli, OptionsStandAnywhereBeforeTheDoubleDash) {
  // An option after the moves is an option, not a move; after "--" a word is a move again.
  const CliRun after = Cli("play " + kFixture + " R --stage 5 R");
  EXPECT_EQ(after.status, 2);
  EXPECT_NE(after.out.find("The stage was not found."), std::string::npos) << after.out;
  const CliRun dashed = Cli("play -- " + kFixture + " R R");
  EXPECT_EQ(dashed.status, 0) << dashed.out;
  EXPECT_NE(dashed.out.find("\"hero\": [2, 0, 3]"), std::string::npos) << dashed.out;
  const CliRun first = Cli("solve --json --max-states 100000 -- " + kData + "solve_flowers.mvk");
  EXPECT_EQ(first.status, 0) << first.out;
  EXPECT_NE(first.out.find("\"moves\": \"RRRLL\""), std::string::npos) << first.out;
}

TEST(CliVerify, OneLinePerStageAndFailureWhenAnyIsNotSolved) {
  const CliRun r = Cli("verify " + kData + "verify_map.dat");
  EXPECT_EQ(r.status, 1) << r.out;
  EXPECT_EQ(r.out.rfind("stage 01: solved, 5 presses RRRLL, ", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("\nstage 02: unsolvable, "), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\n1 of 2 stages solved in "), std::string::npos) << r.out;
  // Stages solved on two threads still come out in file order, the plain search too.
  for (const char* options : {" --jobs 2", " --jobs 2 --breadth-first"}) {
    const CliRun two = Cli("verify " + kData + "verify_map.dat" + options);
    EXPECT_EQ(two.status, 1) << two.out;
    EXPECT_EQ(two.out.rfind("stage 01: solved, 5 presses RRRLL, ", 0), 0u) << two.out;
    EXPECT_NE(two.out.find("\nstage 02: unsolvable, "), std::string::npos) << two.out;
    EXPECT_NE(two.out.find(" on 2 threads)\n"), std::string::npos) << two.out;
  }
  EXPECT_EQ(Cli("verify " + kData + "verify_map.dat --jobs 0").status, 2);
  EXPECT_EQ(Cli("verify " + kData + "walk.mvk").status, 0);
  EXPECT_EQ(Cli("verify /no/such/file").status, 2);
}

TEST(MapStages, NumbersInFileOrderEachOnce) {
  const std::vector<std::string> lines = {"x", "@03", "a", "END@03", "@01", "b", "@03", "c", "@5", "d"};
  EXPECT_EQ(MapStageNumbers(lines), (std::vector<int>{3, 1, 0}));
}

}  // namespace
}  // namespace morvik
