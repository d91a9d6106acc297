// The solver's packed state on boards reached by real play: what is packed comes back, the
// key of a child found from the cells that changed is the key packed from scratch, and
// decoding only the changed fields gives the full decoding.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/Move.h"
#include "tests/tools/RandomStage.h"
#include "solver/StateCodec.h"

namespace morvik {
namespace {

// Equal as far as the rules can tell: character indices and stale flower records aside.
std::string StateDifference(const Board& a, const Board& b) {
  for (int i = 0; i < FieldSize * FieldSize; ++i) {
    if (a.terrain[i] != b.terrain[i]) return "terrain of cell " + std::to_string(i);
    if (a.chara[i].kind != b.chara[i].kind) return "character of cell " + std::to_string(i);
  }
  if (a.heroX != b.heroX || a.heroY != b.heroY || a.heroDir != b.heroDir) return "hero";
  if (a.firstFlower != b.firstFlower) return "colour due";
  if (a.yFlowerTaken != b.yFlowerTaken || a.rFlowerTaken != b.rFlowerTaken || a.pxTaken != b.pxTaken) return "taken";
  for (int s = 0; s < 3; ++s) {
    if (a.underState[s] != b.underState[s]) return "flower slot state " + std::to_string(s);
    if (a.underState[s] && a.underCode[s].kind != b.underCode[s].kind) return "flower slot code " + std::to_string(s);
  }
  if (a.onFlower != b.onFlower || (a.onFlower && a.onFlowerCode.kind != b.onFlowerCode.kind)) return "on-flower record";
  if (a.landedFlower != b.landedFlower) return "landed record";
  if (a.landedFlower && (a.landedCode.kind != b.landedCode.kind || a.landedX != b.landedX || a.landedY != b.landedY))
    return "landed record";
  if (a.yFlowerCount != b.yFlowerCount || a.rFlowerCount != b.rFlowerCount || a.pxCount != b.pxCount) return "counts";
  return "";
}

class RandomPlay : public testing::TestWithParam<StateCodec::Sharing> {};

TEST_P(RandomPlay, RoundTrips) {
  std::mt19937 rng(20240611);
  int states = 0, jumps = 0, digs = 0;
  for (int stage = 0; stage < 60; ++stage) {
    const Board start = test::RandomStage(rng, {});
    const StateCodec codec(start, true, GetParam());
    ASSERT_LE(codec.Words(), StateCodec::MaxWords);
    std::vector<StateCodec::Key> seen;
    Board b = start;
    StateCodec::Key key{};
    codec.Encode(b, key.data());
    Board decodedCur;
    codec.Decode(key.data(), decodedCur);
    Script discard(false);
    for (int step = 0; step < 400; ++step) {
      const auto press = static_cast<Move>(std::uniform_int_distribution<int>(0, SearchMoveCount - 1)(rng));
      Board child = b;
      ApplyMove(child, discard, press);
      if (child.Ended()) {
        b = start;
        codec.Encode(b, key.data());
        codec.Decode(key.data(), decodedCur);
        continue;
      }
      jumps += IsJump(press) && (child.heroX != b.heroX || child.heroY != b.heroY);
      digs += press == Move::Dig && child.terrain != b.terrain;
      // From the decoded parent, as the search does it.
      Board fromDecoded = decodedCur;
      ApplyMove(fromDecoded, discard, press);
      ASSERT_EQ(StateDifference(child, fromDecoded), "") << "stage " << stage << " step " << step;

      StateCodec::Key full{}, incremental{};
      std::uint8_t changed[FieldSize * FieldSize];
      codec.Encode(child, full.data());
      codec.EncodeChild(decodedCur, fromDecoded, key.data(), incremental.data(), changed);
      ASSERT_EQ(full, incremental) << "stage " << stage << " step " << step << " press " << MoveText(press);

      Board decoded;
      codec.Decode(full.data(), decoded);
      ASSERT_EQ(StateDifference(child, decoded), "") << "stage " << stage << " step " << step;
      codec.DecodeChanged(key.data(), full.data(), decodedCur);
      ASSERT_EQ(StateDifference(decoded, decodedCur), "") << "stage " << stage << " step " << step;

      // Jumping back to a state seen earlier, as the queue order does.
      if (!seen.empty() && step % 7 == 0) {
        const StateCodec::Key& old = seen[std::uniform_int_distribution<std::size_t>(0, seen.size() - 1)(rng)];
        Board a = decodedCur, expected;
        codec.DecodeChanged(full.data(), old.data(), a);
        codec.Decode(old.data(), expected);
        ASSERT_EQ(StateDifference(expected, a), "") << "stage " << stage << " step " << step;
        codec.DecodeChanged(old.data(), full.data(), a);
        ASSERT_EQ(StateDifference(decoded, a), "") << "stage " << stage << " step " << step;
      }
      seen.push_back(full);
      b = child;
      key = full;
      ++states;
    }
  }
  // The walks must have gone through jumps and digs, not only steps.
  EXPECT_GT(jumps, 100);
  EXPECT_GT(digs, 100);
  EXPECT_GT(states, 10000);
}

// Fields shared by several cells on every stage, not only where they save a word.
INSTANTIATE_TEST_SUITE_P(StateCodec, RandomPlay,
                         testing::Values(StateCodec::Sharing::WhereItSavesAWord, StateCodec::Sharing::Always));

TEST(StateCodec, SharedFieldsSaveAWordOnAnOpenFieldOfStones) {
  // 56 cells of light ground with a stone and a PX piece: each may hold ten things (four
  // bits alone, 3.5 shared), so after the hero's and the records' 44 bits they take five
  // words alone and four shared.
  Board b;
  for (int i = 0; i < FieldSize * FieldSize; ++i) b.terrain[i] = i < 56 ? cell::Light : cell::Mountain;
  for (auto& c : b.chara) c = NoChara;
  b.C(0, 0) = HeroChara;
  b.heroX = b.heroY = 0;
  b.C(5, 5) = MakeChara(CharaKind::Stone, 0);
  b.C(2, 7) = MakeChara(CharaKind::PX, 0);
  b.pxCount = 1;
  b.C(8, 3) = MakeChara(CharaKind::Yellow, 0);
  b.yFlowerCount = 1;
  const StateCodec codec(b);
  EXPECT_EQ(codec.Words(), 4);
  StateCodec::Key key{};
  Board decoded;
  codec.Encode(b, key.data());
  codec.Decode(key.data(), decoded);
  EXPECT_EQ(StateDifference(b, decoded), "");
}

TEST(StateCodec, CellsThatNeverChangeTakeNoBits) {
  // Mountains, water and sand without objects never change; light ground can be dug.
  std::mt19937 rng(7);
  Board b = test::RandomStage(rng, {1, 1, 0, 0, 0, test::RandomStageShape::Mix::Plain});
  for (auto& t : b.terrain) t = cell::Mountain;
  b.T(0, 0) = cell::Sand;
  b.T(1, 0) = cell::Light;
  b.C(0, 0) = HeroChara;
  b.heroX = b.heroY = 0;
  for (int i = 1; i < 100; ++i) b.chara[i] = NoChara;
  const StateCodec codec(b);
  EXPECT_EQ(codec.DynamicCells(), 1);
  EXPECT_EQ(codec.Words(), 1);
}

TEST(StateCodec, RefusesABoardOutsideTheLayout) {
  std::mt19937 rng(3);
  Board b = test::RandomStage(rng, {3, 3, 0, 0, 0, test::RandomStageShape::Mix::Plain});
  const StateCodec codec(b);
  StateCodec::Key key{};
  Board ended = b;
  ended.outcome = Outcome::Miss;
  EXPECT_THROW(codec.Encode(ended, key.data()), std::logic_error);
  Board stone = b;
  stone.C((b.heroX + 5) % 10, 9) = MakeChara(CharaKind::Stone, 0);  // on a mountain, in a stage with no stones
  EXPECT_THROW(codec.Encode(stone, key.data()), std::logic_error);
}

}  // namespace
}  // namespace morvik
