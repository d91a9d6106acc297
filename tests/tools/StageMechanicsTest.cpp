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
  std::vector<std::string> terrain, charas;
  std::vector<Press> presses;
  std::vector<std::string> uses;
  int plainSteps;
};

TEST(StageMechanics, EachWordComesFromWhatThePressDid) {
  const Press R = Press::Right, J2 = JumpPress(2), J3 = JumpPress(3), J4 = JumpPress(4);
  const Case cases[] = {
      {"a plain walk uses nothing", {"......"}, {"H....."}, {R, R}, {}, 2},
      {"a stone into a hole, then a stone into the water", {"..o.w"}, {"HS.S."}, {R, R, R}, {"stone-hole", "stone-water"}, 1},
      {"a stone onto cracked ice breaks it", {"..c"}, {"HS."}, {R}, {"stone-breaks-ice"}, 0},
      {"the hero leaves cracked ice", {".c.."}, {"H..."}, {R, R}, {"hero-breaks-ice"}, 1},
      {"a jump onto ice slides up to a stone", {"J.iiii."}, {"H....S."}, {J2}, {"jump", "slide", "slide-stop"}, 0},
      {"a jump bounces off a stone over a whirl", {"J@...."}, {"H.S..."}, {J2}, {"jump", "bounce-stone", "whirl"}, 0},
      {"a long jump onto a pad bounces on", {"J...J...."}, {"H........"}, {J4}, {"jump", "bounce-pad"}, 0},
      {"a jump onto a stone on the spikes", {"J..^.."}, {"H..S.."}, {J3}, {"jump", "bounce-stone", "spike-landing"}, 0},
      {"a PX piece into a hole opens the gate", {"...oG"}, {".HP.."}, {R}, {"px-hole", "gate"}, 0},
      {"over a flower not yet due to take the yellow one", {"...."}, {"HRY."}, {R, R}, {"over-flower", "flowers"}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const ClearUse use = MechanicsOf(MakeBoard(c.terrain, c.charas), c.presses);
    EXPECT_EQ(use.mechanics, c.uses);
    EXPECT_EQ(use.plainSteps, c.plainSteps);
    EXPECT_EQ(use.presses, static_cast<int>(c.presses.size()));
  }
}

TEST(StageMechanics, DiggingCountsAndTheIdeaNamesItsWordsInBrackets) {
  Board b = MakeBoard({"...."}, {"H..."});
  EXPECT_EQ(MechanicsOf(b, {Press::Dig}).mechanics, std::vector<std::string>{"dig"});
  EXPECT_EQ(NamedMechanics("the ice rink: stones stop the slide [slide, slide-stop]"),
            (std::vector<std::string>{"slide", "slide-stop"}));
  EXPECT_TRUE(NamedMechanics("no brackets").empty());
}

}  // namespace
}  // namespace morvik
