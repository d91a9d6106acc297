#include "core/Stories.h"

#include <algorithm>

namespace morvik {

namespace {

constexpr int StoryLengths[StoryCount] = {30, 13, 21};

bool IsStory(int story) { return story >= 0 && story < StoryCount; }

// Where the user (1) and super (2) stories keep their progress.
int& ExtraReached(ModMain& game, int story) { return story == 1 ? game.userReached : game.superReached; }

}  // namespace

int StoryFirstStage(int story) { return 30 * story + 1; }
int StoryLength(int story) { return IsStory(story) ? StoryLengths[story] : 0; }
int StoryLastStage(int story) { return StoryFirstStage(story) + StoryLength(story) - 1; }

int StoryOfStage(int stageNo) {
  for (int s = 0; s < StoryCount; ++s)
    if (stageNo >= StoryFirstStage(s) && stageNo <= StoryLastStage(s)) return s;
  return -1;
}

int ReachedInStory(const ModMain& game, int story) {
  if (story == 0) return std::max(game.stageReached, 1);
  if (!IsStory(story)) return 0;
  return std::max(story == 1 ? game.userReached : game.superReached, 0);
}

int StagesOffered(const ModMain& game, int story) {
  return std::clamp(ReachedInStory(game, story), 1, std::max(StoryLength(story), 1));
}

bool StoriesOpen(const ModMain& game) { return game.userReached > 0 || game.superReached > 0; }

void OpenStories(ModMain& game) {
  game.userReached = std::max(game.userReached, 1);
  game.superReached = std::max(game.superReached, 1);
}

void ForgetProgress(ModMain& game) {
  game.stageReached = 1;
  game.userReached = game.superReached = 0;
  game.storyNo = 0;
}

bool RaiseReached(ModMain& game, int stageNo) {
  const int story = StoryOfStage(stageNo);
  if (story < 0) return false;
  if (story == 0) {
    if (game.stageReached >= stageNo) return false;
    game.stageReached = stageNo;
    return true;
  }
  int& reached = ExtraReached(game, story);
  const int within = stageNo - StoryFirstStage(story) + 1;
  if (reached >= within) return false;
  reached = within;
  return true;
}

}  // namespace morvik
