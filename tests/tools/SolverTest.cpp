// The solver on small stages whose shortest solutions were worked out by hand, its pruning
// against the search without any pruning, and what the stage analysis may conclude.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <random>
#include <string>
#include <thread>

#include "core/KeyCommands.h"
#include "stagedata/StageReader.h"
#include "tests/core/Fixture.h"
#include "tests/tools/RandomStage.h"
#include "tools/cli/FileText.h"
#include "solver/LowerBound.h"
#include "solver/PxPushReach.h"
#include "solver/Solver.h"
#include "solver/StateCodec.h"
#include "solver/StageAnalysis.h"

namespace morvik {
namespace {

Board LoadFixture(const std::string& name) {
  std::string text;
  if (!ReadFileText(std::string(MORVIK_TEST_DATA) + "/" + name, text)) throw std::runtime_error("no fixture " + name);
  const StageResult r = ReadStage(std::string_view(text), {0, true, false});
  if (const auto* e = std::get_if<StageError>(&r)) throw std::runtime_error(name + ": " + e->reason);
  return std::get<LoadedStage>(r).board;
}

// The outcome of the solution's text played back by `morvik-cli play`'s own playback.
std::string PlayedOutcome(Board b, const std::vector<Move>& presses) {
  std::string error;
  const auto moves = ParseMoves(MovesText(presses), error);
  if (!moves) return "unparsable: " + error;
  const int played = PlayMoves(b, *moves);
  if (played != static_cast<int>(moves->size())) return "stopped after " + std::to_string(played) + " moves";
  return b.outcome == Outcome::Clear ? "clear" : b.outcome == Outcome::None ? "none" : "ended";
}

struct FixtureCase {
  const char* file;
  Verdict verdict;
  int presses;       // shortest, worked out by hand
  const char* moves; // "" where several shortest solutions exist
};

const FixtureCase kFixtures[] = {
    // Over the red flower while yellow is due (it stays), yellow at the end, back for red.
    {"solve_flowers.mvk", Verdict::Solved, 5, "RRRLL"},
    // No hole on the field: the hole dug straight below the start takes the PX piece.
    {"solve_dig.mvk", Verdict::Solved, 5, ""},
    // Water blocks the step and turns the hero; five cells onto the stone, one bounce on,
    // then the ice carries it to the flower.
    {"solve_bounce_slide.mvk", Verdict::Solved, 2, "RJ5"},
    // The stone can only be pushed onto the flower behind it, and never back to the grass
    // where it could be buried.
    {"solve_unsolvable.mvk", Verdict::Unsolvable, 0, ""},
    // Yellow is due beyond cracked ice that breaks behind the hero; red is left behind.
    {"solve_ice_cutoff.mvk", Verdict::Unsolvable, 0, ""},
    // Two yellow flowers and no red one cannot alternate.
    {"solve_parity.mvk", Verdict::Unsolvable, 0, ""},
    // Two PX pieces, no hole: both buried in holes dug for them.
    {"solve_two_px.mvk", Verdict::Solved, 12, ""},
};

TEST(Solver, FixturesGiveTheirShortestSolutionsAndVerdicts) {
  for (const FixtureCase& f : kFixtures) {
    SCOPED_TRACE(f.file);
    const Board start = LoadFixture(f.file);
    const SolveResult r = Solve(start);
    EXPECT_EQ(VerdictName(r.verdict), VerdictName(f.verdict));
    EXPECT_EQ(static_cast<int>(r.presses.size()), f.presses) << MovesText(r.presses);
    if (*f.moves) {
      EXPECT_EQ(MovesText(r.presses), f.moves);
    }
    if (r.verdict == Verdict::Solved) {
      EXPECT_EQ(PlayedOutcome(start, r.presses), "clear") << MovesText(r.presses);
    }
  }
}

TEST(Solver, TheShippedWalkFixtureIsSolvedAndPlaysBackToAClear) {
  const Board start = LoadFixture("walk.mvk");
  const SolveResult r = Solve(start);
  ASSERT_EQ(r.verdict, Verdict::Solved);
  EXPECT_EQ(PlayedOutcome(start, r.presses), "clear") << MovesText(r.presses);
}

TEST(Solver, LimitsGiveUnknownWithTheReasonAndTheCountsReached) {
  const Board start = LoadFixture("solve_two_px.mvk");
  const std::atomic<bool> cancelled{true};
  struct Case {
    const char* name;
    SolverOptions options;
    StopReason stop;
    const char* reason;
  } cases[] = {
      {"states", {.maxStates = 100}, StopReason::StateLimit, "state limit reached"},
      {"time", {.maxSeconds = 1e-9}, StopReason::Budget, "time limit reached"},
      {"cancel", {.cancel = &cancelled}, StopReason::Cancelled, "cancelled"},
      // Less than the first block of states.
      {"memory", {.maxMemoryBytes = 1 << 20}, StopReason::Memory, "memory limit reached"},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    const SolveResult r = Solve(start, c.options);
    EXPECT_EQ(r.verdict, Verdict::Unknown);
    EXPECT_EQ(r.stop, c.stop);
    EXPECT_EQ(r.reason, c.reason);
    EXPECT_TRUE(r.presses.empty());
    if (c.stop != StopReason::Memory) {
      EXPECT_GT(r.states, 0u);
      EXPECT_LT(r.states, 2000u);
    }
  }

  // Limits the search never reaches leave the verdict alone.
  const std::atomic<bool> running{false};
  SolverOptions roomy;
  roomy.maxStates = 1000000;
  roomy.maxSeconds = 600;
  roomy.maxMemoryBytes = std::size_t{256} << 20;
  roomy.cancel = &running;
  EXPECT_EQ(Solve(LoadFixture("solve_unsolvable.mvk"), roomy).verdict, Verdict::Unsolvable);
  const SolveResult solved = Solve(start, roomy);
  EXPECT_EQ(solved.verdict, Verdict::Solved);
  EXPECT_EQ(solved.stop, StopReason::None);
}

TEST(Solver, FromEveryPositionAlongAShortestSolutionTheRestIsShortest) {
  // Mid-attempt boards: the hero on a flower not yet due, a dug hole waiting for its PX
  // piece, a facing other than the start's. From the position after k presses of a shortest
  // solution of n presses, n - k presses remain.
  for (const char* f : {"solve_flowers.mvk", "solve_two_px.mvk", "solve_bounce_slide.mvk", "walk.mvk"}) {
    SCOPED_TRACE(f);
    const Board start = LoadFixture(f);
    const SolveResult whole = Solve(start);
    ASSERT_EQ(whole.verdict, Verdict::Solved);
    Board b = start;
    Script discard(false);
    for (std::size_t k = 0; k < whole.presses.size(); ++k) {
      const SolveResult rest = Solve(b);
      ASSERT_EQ(rest.verdict, Verdict::Solved) << "after " << k << ": " << rest.reason;
      EXPECT_EQ(rest.presses.size(), whole.presses.size() - k) << "after " << k;
      EXPECT_EQ(PlayedOutcome(b, rest.presses), "clear") << "after " << k;
      ApplyMove(b, discard, whole.presses[k]);
    }
    EXPECT_EQ(b.outcome, Outcome::Clear);
  }
  Board ended = LoadFixture("solve_flowers.mvk");
  Script discard(false);
  GiveUpCommand(ended, discard);
  EXPECT_EQ(Solve(ended).verdict, Verdict::Unsolvable);
}

TEST(Solver, SearchesOnSeveralThreadsAtOnceGiveTheSameAnswers) {
  const char* files[] = {"solve_two_px.mvk", "solve_dig.mvk", "solve_unsolvable.mvk", "solve_flowers.mvk"};
  std::vector<std::string> alone, together(std::size(files));
  for (const char* f : files) {
    const SolveResult r = Solve(LoadFixture(f));
    alone.push_back(VerdictName(r.verdict) + " " + std::to_string(r.presses.size()));
  }
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < std::size(files); ++i)
    threads.emplace_back([&, i] {
      const SolveResult r = Solve(LoadFixture(files[i]));
      together[i] = VerdictName(r.verdict) + " " + std::to_string(r.presses.size());
    });
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(together, alone);
}

TEST(Solver, ABoardItCannotPackIsUnknownNotAGuess) {
  // The hero "stands" on a stone in the top left corner, a board no play reaches (the stage
  // reader refuses such a file, so the board is made by hand).
  std::string text = "@00\r\n";
  for (int y = 0; y < 10; ++y) text += "20202020202020202020\r\n";
  text += "V2.00 beta\r\n*\r\n*\r\n55\r\n*\r\n*\r\n*\r\n0\r\n1\r\nEND@00\r\n";
  const StageResult loaded = ReadStage(std::string_view(text), {0, true, false});
  ASSERT_TRUE(std::holds_alternative<LoadedStage>(loaded));
  Board board = std::get<LoadedStage>(loaded).board;
  board.C(0, 0) = MakeChara(CharaKind::Stone, 0);
  board.stoneCount = 1;
  const SolveResult r = Solve(board);
  EXPECT_EQ(r.verdict, Verdict::Unknown);
  EXPECT_NE(r.reason.find("outside the state layout"), std::string::npos) << r.reason;
}

TEST(Solver, ADirectionKeyDoesNotDependOnTheFacingBeforeIt) {
  // The search does not repeat the direction keys of a state that differs from its parent
  // in the facing alone; that is exact only while this holds for every board play reaches.
  std::mt19937 rng(5);
  Script discard(false);
  int checked = 0;
  for (int stage = 0; stage < 40; ++stage) {
    const Board start = test::RandomStage(rng, {});
    Board b = start;
    for (int step = 0; step < 300; ++step) {
      for (int dir = DirLeft; dir <= DirDown; ++dir) {
        Board expected = b;
        StepCommand(expected, discard, dir);
        for (int before = DirLeft; before <= DirDown; ++before) {
          Board other = b;
          other.heroDir = static_cast<std::int16_t>(before);
          StepCommand(other, discard, dir);
          ASSERT_TRUE(other == expected) << "stage " << stage << " step " << step;
          ++checked;
        }
      }
      ApplyMove(b, discard, static_cast<Move>(std::uniform_int_distribution<int>(0, SearchMoveCount - 1)(rng)));
      if (b.Ended()) b = start;
    }
  }
  EXPECT_GT(checked, 100000);
}

// The same verdict and the same number of presses as the plain search (breadth-first, no
// pruning) with each pruning rule and with the best-first search, every solution played
// back to a clear.
std::string CompareWithExhaustive(const Board& start, std::uint64_t limit, bool& compared) {
  SolverOptions none;
  none.pruneDigs = none.pruneDeadStates = none.mergeIdleFacing = false;
  none.bestFirst = false;
  none.maxStates = limit;
  const SolveResult ref = Solve(start, none);
  compared = ref.verdict != Verdict::Unknown;
  if (!compared) return "";
  if (ref.verdict == Verdict::Solved && PlayedOutcome(start, ref.presses) != "clear") return "exhaustive solution fails";
  struct Mode {
    const char* name;
    bool digs, dead, facing, bestFirst;
  } modes[] = {{"dig pruning", true, false, false, false},    {"dead-state pruning", false, true, false, false},
               {"idle facing merged", false, false, true, false}, {"all pruning", true, true, true, false},
               {"best-first", false, false, false, true},     {"best-first, all pruning", true, true, true, true}};
  for (const Mode& m : modes) {
    SolverOptions o;
    o.pruneDigs = m.digs;
    o.pruneDeadStates = m.dead;
    o.mergeIdleFacing = m.facing;
    o.bestFirst = m.bestFirst;
    const SolveResult r = Solve(start, o);
    if (r.verdict != ref.verdict) return std::string(m.name) + ": " + VerdictName(r.verdict) + " where exhaustive search says " +
                                          VerdictName(ref.verdict);
    if (r.presses.size() != ref.presses.size())
      return std::string(m.name) + ": " + MovesText(r.presses) + " where exhaustive search finds " + MovesText(ref.presses);
    if (r.verdict == Verdict::Solved && PlayedOutcome(start, r.presses) != "clear") return std::string(m.name) + ": no clear";
  }
  // The bound never promises more presses than a clear needs, nor Never where one exists.
  const int bound = LowerBound(start, AnalyseStage(start)).Of(start);
  if (ref.verdict == Verdict::Solved && bound > static_cast<int>(ref.presses.size()))
    return "lower bound " + std::to_string(bound) + " above the shortest " + MovesText(ref.presses);
  return "";
}

TEST(SolverPruning, FixturesAgreeWithExhaustiveSearch) {
  for (const char* f : {"solve_flowers.mvk", "solve_dig.mvk", "solve_bounce_slide.mvk", "solve_unsolvable.mvk",
                        "solve_ice_cutoff.mvk", "solve_parity.mvk", "solve_two_px.mvk", "solve_px_corner.mvk",
                        "solve_fill_first.mvk", "solve_gate_first.mvk"}) {
    bool compared = false;
    EXPECT_EQ(CompareWithExhaustive(LoadFixture(f), 2000000, compared), "") << f;
    EXPECT_TRUE(compared) << f;
  }
}

// The random stages below are drawn in one sequence from a fixed seed and compared in parts
// of their own, which CTest runs in parallel: a part draws every stage before its own so
// that each sees the same stages as one long run would.
struct RandomPart {
  int first, end;
};
std::string PrintPart(const testing::TestParamInfo<RandomPart>& info) {
  return "stages" + std::to_string(info.param.first) + "to" + std::to_string(info.param.end - 1);
}

class RandomSmallStages : public testing::TestWithParam<RandomPart> {};

TEST_P(RandomSmallStages, AgreeWithExhaustiveSearch) {
  const RandomPart part = GetParam();
  std::mt19937 rng(61);
  int compared = 0, solved = 0, unsolvable = 0, dug = 0, jumped = 0, undiggable = 0, undiggableSolved = 0;
  for (int k = 0; k < part.end; ++k) {
    test::RandomStageShape shape;
    shape.width = std::uniform_int_distribution<int>(3, 5)(rng);
    shape.height = std::uniform_int_distribution<int>(2, 4)(rng);
    shape.maxStones = 2;
    shape.maxPX = 1;
    shape.maxFlowers = 3;
    // A third of them about digging: PX pieces to bury on light ground and grass.
    shape.mix = k % 3 == 0 ? test::RandomStageShape::Mix::Rich
                : k % 3 == 1 ? test::RandomStageShape::Mix::Plain
                             : test::RandomStageShape::Mix::Digging;
    if (shape.mix == test::RandomStageShape::Mix::Digging) {
      shape.width = std::uniform_int_distribution<int>(4, 5)(rng);
      shape.height = std::uniform_int_distribution<int>(3, 4)(rng);
      shape.maxStones = 1;
      shape.minPX = 1;
      shape.maxPX = 1;
      shape.maxFlowers = 0;
    }
    // The last hundred where the facing never matters, so that its states merge.
    if (k >= 300) shape.mix = test::RandomStageShape::Mix::Undiggable;
    const std::string text = test::RandomStageText(rng, shape);
    if (k < part.first) continue;
    const StageResult loaded = ReadStage(std::string_view(text), {0, true, false});
    ASSERT_TRUE(std::holds_alternative<LoadedStage>(loaded));
    const Board start = std::get<LoadedStage>(loaded).board;
    bool done = false;
    ASSERT_EQ(CompareWithExhaustive(start, 30000, done), "") << text;
    if (!done) continue;
    ++compared;
    undiggable += k >= 300;
    const SolveResult r = Solve(start);
    solved += r.verdict == Verdict::Solved;
    undiggableSolved += k >= 300 && r.verdict == Verdict::Solved;
    unsolvable += r.verdict == Verdict::Unsolvable;
    const std::string moves = MovesText(r.presses);
    dug += moves.find('Z') != std::string::npos;
    jumped += moves.find('J') != std::string::npos;
  }
  std::printf("compared %d (%d without pads or diggable ground, %d of them solved), solved %d (%d dig, %d jump), unsolvable %d\n", compared,
              undiggable, undiggableSolved, solved, dug, jumped, unsolvable);
  // Enough of both kinds of verdict were checked in each part for the agreement to mean
  // something.
  EXPECT_GT(compared, 50);
  EXPECT_GT(solved, 15);
  EXPECT_GT(unsolvable, 15);
  if (part.end <= 300) {
    EXPECT_GT(dug, 7);
    EXPECT_GT(jumped, 2);
  } else {
    EXPECT_GT(undiggable, 60);
    EXPECT_GT(undiggableSolved, 10);
  }
}
INSTANTIATE_TEST_SUITE_P(Parts, RandomSmallStages,
                         testing::Values(RandomPart{0, 100}, RandomPart{100, 200}, RandomPart{200, 300}, RandomPart{300, 400}),
                         PrintPart);

class RandomMidAttemptPositions : public testing::TestWithParam<RandomPart> {};

TEST_P(RandomMidAttemptPositions, AgreeWithExhaustiveSearch) {
  // Positions a few random presses into small random stages: flower records, dug holes and
  // broken ice at the search's start.
  const RandomPart part = GetParam();
  std::mt19937 rng(907);
  Script discard(false);
  int compared = 0, solved = 0, records = 0;
  for (int k = 0; k < part.end; ++k) {
    test::RandomStageShape shape;
    shape.width = std::uniform_int_distribution<int>(3, 5)(rng);
    shape.height = std::uniform_int_distribution<int>(2, 4)(rng);
    shape.maxStones = 2;
    shape.maxPX = 1;
    shape.maxFlowers = 4;
    shape.mix = k % 2 ? test::RandomStageShape::Mix::Rich : test::RandomStageShape::Mix::Digging;
    Board b = test::RandomStage(rng, shape);
    const int presses = std::uniform_int_distribution<int>(1, 12)(rng);
    for (int p = 0; p < presses && !b.Ended(); ++p)
      ApplyMove(b, discard, static_cast<Move>(std::uniform_int_distribution<int>(0, SearchMoveCount - 1)(rng)));
    if (b.Ended() || k < part.first) continue;
    bool done = false;
    ASSERT_EQ(CompareWithExhaustive(b, 30000, done), "") << "stage " << k;
    if (!done) continue;
    ++compared;
    solved += Solve(b).verdict == Verdict::Solved;
    records += b.onFlower || b.landedFlower || b.underState[0] || b.underState[1];
  }
  std::printf("compared %d, solved %d, with a flower record %d\n", compared, solved, records);
  EXPECT_GT(compared, 50);
  EXPECT_GT(solved, 10);
}
INSTANTIATE_TEST_SUITE_P(Parts, RandomMidAttemptPositions, testing::Values(RandomPart{0, 100}, RandomPart{100, 200}), PrintPart);

TEST(LowerBound, FallsByAtMostOneAPressOnRandomPlay) {
  // What lets the best-first search stop at the first clear it takes from the queue: no press
  // lowers the bound by more than the press itself. The summary kept cell by cell matches
  // the one counted afresh.
  std::mt19937 rng(77);
  Script discard(false);
  int checked = 0, positive = 0;
  for (int stage = 0; stage < 80; ++stage) {
    test::RandomStageShape shape;
    shape.mix = stage % 3 == 0 ? test::RandomStageShape::Mix::Digging : test::RandomStageShape::Mix::Rich;
    shape.maxFlowers = 6;
    const Board start = test::RandomStage(rng, shape);
    const LowerBound bound(start, AnalyseStage(start));
    Board b = start;
    for (int step = 0; step < 200; ++step) {
      Board next = b;
      ApplyMove(next, discard, static_cast<Move>(std::uniform_int_distribution<int>(0, SearchMoveCount - 1)(rng)));
      if (next.Ended()) {
        b = start;
        continue;
      }
      const int before = bound.Of(b), after = bound.Of(next);
      if (before != LowerBound::Never) {
        ASSERT_LE(before, after + 1) << "stage " << stage << " step " << step;
        positive += before > 0;
      }
      LowerBound::Summary s = bound.Summarize(b);
      std::uint8_t cells[FieldSize * FieldSize];
      bound.Update(s, b, next, cells, StateCodec::ChangedCells(b, next, cells));
      ASSERT_EQ(bound.Of(next, s), after) << "stage " << stage << " step " << step;
      ++checked;
      b = next;
    }
  }
  EXPECT_GT(checked, 10000);
  EXPECT_GT(positive, checked / 2);
}

TEST(LowerBound, CountsWhatMustComeBeforeTheFirstFlower) {
  // Hand-counted: the presses up to the object, its pushes, then the walk to the flower from
  // beside the hole it fills. The flower is near the hero, so the walk alone promises little.
  struct Case {
    const char* file;
    int atLeast;  // the shortest solution being no less (checked against the plain search above)
  } cases[] = {
      // A sand hole between the hero and the flower: the stone two cells off is pushed up
      // twice and right three times (2 + 5 + 1).
      {"solve_fill_first.mvk", 8},
      // A closed gate before the flower: the PX piece goes into the hole first (2 + 1 + 5).
      {"solve_gate_first.mvk", 8},
  };
  for (const Case& c : cases) {
    const Board start = LoadFixture(c.file);
    EXPECT_GE(LowerBound(start, AnalyseStage(start)).Of(start), c.atLeast) << c.file;
  }
}

TEST(LowerBound, StonesJammedForGoodAreWalls) {
  // Two stones jammed in a corridor close it for good: the way to the flower goes round by
  // the row below, 9 presses where the corridor would take 5. The bound sees the detour and
  // is exact; the plain search confirms the shortest clear.
  std::vector<std::string> t = {"# # # # # # # # ", "# :@: :S:S: :y# ", "# : # # # # : # ", "# : : : : : : # "};
  while (t.size() < 10) t.push_back("# # # # # # # # # # ");
  const Board jammed = test::MakeBoard(t);
  EXPECT_EQ(LowerBound(jammed, AnalyseStage(jammed)).Of(jammed), 9);
  SolverOptions plain;
  plain.bestFirst = false;
  EXPECT_EQ(Solve(jammed, plain).presses.size(), 9u);
}

TEST(SolverPruning, EachRuleCutsTheSearchOnItsFixture) {
  auto states = [](const char* file, bool digs, bool dead, bool facing = false) {
    SolverOptions o;
    o.bestFirst = false;
    o.pruneDigs = digs;
    o.pruneDeadStates = dead;
    o.mergeIdleFacing = facing;
    return Solve(LoadFixture(file), o).states;
  };
  // Facing: on sand without pads the hero's four facings on a cell are one state.
  EXPECT_LT(states("solve_fill_first.mvk", false, false, true), states("solve_fill_first.mvk", false, false) / 2);
  // Digs: the grass beside the start may be dug anywhere, but only one hole at a time can
  // ever be filled.
  EXPECT_LT(states("solve_unsolvable.mvk", true, false), states("solve_unsolvable.mvk", false, false) / 2);
  EXPECT_LT(states("solve_two_px.mvk", true, false), states("solve_two_px.mvk", false, false));
  // Dead states: once the ice broke, nothing the hero does brings the red flower back.
  EXPECT_LT(states("solve_ice_cutoff.mvk", false, true), states("solve_ice_cutoff.mvk", false, false));
  EXPECT_EQ(states("solve_parity.mvk", false, true), 0u);
}

TEST(StageAnalysis, ClearRuledOutNamesTheReason) {
  struct Case {
    std::vector<std::string> rows;  // walled round with mountains
    int firstFlower;
    const char* reason;
  } cases[] = {
      {{"# # # # # ", "# .@. # # ", "# # # # # "}, 0, "no flower and no PX piece to take"},
      {{"# # # # # # ", "# .@.r.y. # ", "# # # # # # "}, 0, ""},
      {{"# # # # # # ", "# .@.r.r. # ", "# # # # # # "}, 1, "the flowers cannot be taken alternately"},
      {{"# # # # # # ", "# .@. ~ :y# ", "# # # # # # "}, 0, "a flower can never be reached"},
      // Across the water from a jump pad's row: reachable.
      {{"# # # # # # ", "# J@. ~ :y# ", "# # # # # # "}, 0, ""},
      // A PX piece in a corner can never be pushed.
      {{"# # # # # ", "# .@. o # ", "# . . .P# ", "# # # # # "}, 0, "a PX piece can never reach a hole"},
      {{"# # # # # ", "# .@. o # ", "# . .P. # ", "# # # # # "}, 0, ""},
      // Along the top row to the hole, past two stones that jam each other there for good;
      // with one stone alone the way may still be pushed clear.
      {{"# # # # # # # ", "# d :S:S:P: # ", "# :@: : : : # ", "# # # # # # # "}, 0, "a PX piece can never reach a hole"},
      {{"# # # # # # # ", "# d : :S:P: # ", "# :@: : : : # ", "# # # # # # # "}, 0, ""},
  };
  for (const Case& c : cases) {
    std::vector<std::string> t = c.rows;
    t.resize(10);
    for (auto& row : t)
      while (row.size() < 20) row += "# ";
    const Board b = test::MakeBoard(t, DirDown, c.firstFlower);
    EXPECT_EQ(ClearRuledOut(b, AnalyseStage(b)), c.reason) << c.rows[1];
  }
}

TEST(StageAnalysis, ObjectsReachOnlyCellsAPushCanBringThemTo) {
  // The stone at (2,1) can go left and right along the row (the hero can stand on either
  // side) but never down into the pocket: nobody can stand above it to push it there.
  std::vector<std::string> t = {"# # # # # # # # # # ", "# .@.S. . . # # # # ", "# # . # # # # # # # ", "# # . # # # # # # # "};
  while (t.size() < 10) t.push_back("# # # # # # # # # # ");
  const Board b = test::MakeBoard(t);
  const StageAnalysis a = AnalyseStage(b);
  for (int x = 1; x <= 5; ++x) EXPECT_TRUE(a.objectReach[CellIndex(x, 1)]) << x;
  EXPECT_FALSE(a.objectReach[CellIndex(2, 2)]);
  EXPECT_FALSE(a.objectReach[CellIndex(2, 3)]);
  // Cells beside a pad are marked; the pad itself is not.
  std::vector<std::string> p = t;
  p[1] = "# .@. J . . # # # # ";
  const StageAnalysis withPad = AnalyseStage(test::MakeBoard(p));
  EXPECT_TRUE(withPad.besidePad[CellIndex(2, 1)]);
  EXPECT_TRUE(withPad.besidePad[CellIndex(4, 1)]);
  EXPECT_FALSE(withPad.besidePad[CellIndex(3, 1)]);
}

TEST(StageAnalysis, StonesNoPushCanEverMoveAreFrozen) {
  // Frozen: a pair against the top wall, the second held by the first; a square of four held
  // by each other alone. Not: one with water beside it (it may be pushed in), a pair in the
  // open (each may go up or down).
  std::vector<std::string> t = {"# # # # # # # # # # ", "# :S:S: : ~ :S: : # ", "# : : : : : : : : # ",
                                "# :@: :S:S: : : : # ", "# : : : : : : : : # ", "# : : : :S:S: : : # ",
                                "# : : : :S:S: : : # ", "# : : : : : : : : # "};
  while (t.size() < 10) t.push_back("# # # # # # # # # # ");
  const StageAnalysis a = AnalyseStage(test::MakeBoard(t));
  for (const auto& [x, y] : {std::pair{1, 1}, {2, 1}, {4, 5}, {5, 5}, {4, 6}, {5, 6}}) {
    EXPECT_TRUE(a.frozenStones[CellIndex(x, y)]) << x << "," << y;
    EXPECT_FALSE(a.mayBeFloor[CellIndex(x, y)]) << x << "," << y;
  }
  for (const auto& [x, y] : {std::pair{6, 1}, {4, 3}, {5, 3}}) EXPECT_FALSE(a.frozenStones[CellIndex(x, y)]) << x << "," << y;
}

TEST(PxPushReach, APieceWhosePushesNeedTheHeroBehindItIsLost) {
  // The PX piece stands in the one doorway to the pocket below: pushed up it could reach the
  // hole, but only from the pocket, where the hero never gets past it. With a way round, or a
  // jump pad across the water to its far side, it finishes. Each verdict checked by search.
  struct Case {
    std::vector<std::string> rows;
    bool mayFinish;
  } cases[] = {
      {{"# # # # # # # ", "# :@: : d : # ", "# # :P# # # # ", "# # : # # # # "}, false},
      {{"# # # # # # # ", "# :@: : d : # ", "# : :P# # # # ", "# : : # # # # "}, true},
      {{"# # # # # # # ", "# : : d : : # ", "# : :P: : : # ", "# : : : : : # ", "# ~ ~ ~ ~ ~ # ", "# :@J : : : # "}, true},
  };
  for (const Case& c : cases) {
    std::vector<std::string> rows = c.rows;
    rows.resize(10);
    for (auto& r : rows)
      while (r.size() < 20) r += "# ";
    const Board b = test::MakeBoard(rows, DirUp);
    int px = -1;
    for (int i = 0; i < FieldSize * FieldSize; ++i)
      if (b.chara[i].kind == CharaKind::PX) px = i;
    const StageAnalysis a = AnalyseStage(b);
    EXPECT_TRUE(a.pxCanFinish[px]) << c.rows[2];
    EXPECT_EQ(PxPushReach(b, a).MayFinish(px, CellIndex(b.heroX, b.heroY)), c.mayFinish) << c.rows[2];
    SolverOptions plain;
    plain.bestFirst = plain.pruneDeadStates = plain.pruneDigs = false;
    EXPECT_EQ(Solve(b, plain).verdict, c.mayFinish ? Verdict::Solved : Verdict::Unsolvable) << c.rows[2];
  }
}

TEST(StageAnalysis, HeroReachFollowsFloorAndJumpRays) {
  std::vector<std::string> t = {"# # # # # # # # # # ", "# J # # ~ ~ # : . # ", "# .@# . . # # # # # ", "# # # # # # # # # # ", "# # # # : # # # # # "};
  while (t.size() < 10) t.push_back("# # # # # # # # # # ");
  Board b = test::MakeBoard(t);
  const CellSet reach = HeroMayReach(b);
  EXPECT_TRUE(reach[CellIndex(1, 1)]);   // the pad, walking
  EXPECT_TRUE(reach[CellIndex(7, 1)]);   // along the pad's row, over water and mountains
  EXPECT_TRUE(reach[CellIndex(8, 1)]);   // and on from there on foot
  EXPECT_FALSE(reach[CellIndex(3, 2)]);  // walled off from the start and off every ray
  EXPECT_FALSE(reach[CellIndex(4, 4)]);
  EXPECT_FALSE(reach[CellIndex(4, 1)]);  // water
}

}  // namespace
}  // namespace morvik
