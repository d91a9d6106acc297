// The mechanics a clear uses, read off the real rules while it is replayed: each word comes
// from what the press did on the board, not from the keys pressed.
#include <gtest/gtest.h>

#include "tests/core/Fixture.h"
#include "tools/cli/StageMechanics.h"

namespace morvik {
namespace {

using test::MakeBoard;

struct Case {
  const char* what;
  std::vector<std::string> picture;
  std::vector<Move> presses;
  std::vector<std::string> uses;
  int plainSteps;
};

TEST(StageMechanics, EachWordComesFromWhatThePressDid) {
  const Move R = Move::Right, J2 = JumpMove(2), J3 = JumpMove(3), J4 = JumpMove(4);
  const Case cases[] = {
      {"a plain walk uses nothing", {".@. . . . . "}, {R, R}, {}, 2},
      {"a stone into a hole, then a stone into the water", {".@.So .S~ "}, {R, R, R}, {"stone-hole", "stone-water"}, 1},
      {"a stone onto cracked ice breaks it", {".@.Sc "}, {R}, {"stone-breaks-ice"}, 0},
      {"the hero leaves cracked ice", {".@c . . "}, {R, R}, {"hero-breaks-ice"}, 1},
      {"a jump onto ice slides up to a stone", {"J@. i i i iS. "}, {J2}, {"jump", "slide", "slide-stop"}, 0},
      {"a jump bounces off a stone over a whirl", {"J@w .S. . . "}, {J2}, {"jump", "bounce-stone", "whirl"}, 0},
      {"a long jump onto a pad bounces on", {"J@. . . J . . . . "}, {J4}, {"jump", "bounce-pad"}, 0},
      {"a jump onto a stone on the spikes", {"J@. . xS. . "}, {J3}, {"jump", "bounce-stone", "spike-landing"}, 0},
      {"a PX piece into a hole opens the gate", {". .@.Po G "}, {R}, {"px-hole", "gate"}, 0},
      {"over a flower not yet due to take the yellow one", {".@.r.y. "}, {R, R}, {"over-flower", "flowers"}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const ClearUse use = MechanicsOf(MakeBoard(c.picture), c.presses);
    EXPECT_EQ(use.mechanics, c.uses);
    EXPECT_EQ(use.plainSteps, c.plainSteps);
    EXPECT_EQ(use.presses, static_cast<int>(c.presses.size()));
  }
}

TEST(StageMechanics, DiggingCountsAndTheIdeaNamesItsWordsInBrackets) {
  Board b = MakeBoard({".@. . . "});
  EXPECT_EQ(MechanicsOf(b, {Move::Dig}).mechanics, std::vector<std::string>{"dig"});
  EXPECT_EQ(NamedMechanics("the ice rink: stones stop the slide [slide, slide-stop]"),
            (std::vector<std::string>{"slide", "slide-stop"}));
  EXPECT_TRUE(NamedMechanics("no brackets").empty());
}

}  // namespace
}  // namespace morvik
