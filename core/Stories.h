#pragma once
// The three stories of the main map file and how far the player has come in each. Story s
// begins at stage 30 s + 1: the main story has 30 stages and ends with the ending, the user
// and super stories have 13 and 21. The main story's progress is game.stageReached, a stage
// number; the user and super stories count their own stages from 1 and stay closed (0) until
// the main story's ending has been seen.
#include "core/ModMain.h"

namespace morvik {

inline constexpr int StoryCount = 3;

// The main story's special stages, in one place.
// Stage 16 hides an exit: a jump into the water at (7, 0) warps the hero on to stage 25.
inline constexpr int HiddenExitStage = 16;
inline constexpr int HiddenExitX = 7, HiddenExitY = 0;
inline constexpr int WarpTargetStage = 25;
// On stage 28 the meter's third double click calls the visitor.
inline constexpr int VisitorStage = 28;
// A clear of stage 30 is the main story's ending.
inline constexpr int EndingStage = 30;

int StoryFirstStage(int story);
int StoryLength(int story);
int StoryLastStage(int story);
// The story a stage number belongs to, or -1 when no story holds it.
int StoryOfStage(int stageNo);

// The farthest stage reached in a story, counted within the story from 1; 0 for a story not
// yet open. The main story's is at least 1.
int ReachedInStory(const ModMain& game, int story);
// How many stages of a story the title offers: its stages 1 to this, never more than the story
// holds and at least its first.
int StagesOffered(const ModMain& game, int story);

// True once the main story's ending has opened the user and super stories.
bool StoriesOpen(const ModMain& game);
void OpenStories(ModMain& game);
// A new start: no stage of any story reached, the user and super stories closed again.
void ForgetProgress(ModMain& game);

// Raises the farthest stage of the story stageNo belongs to up to it; true when it rose.
// A number no story holds changes nothing.
bool RaiseReached(ModMain& game, int stageNo);

}  // namespace morvik
