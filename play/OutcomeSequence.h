#pragma once
// What follows the end of an attempt: the outcome's jingle (or a rest without music), then
// the next stage, the same stage again, the end of a story or the ending; a cleared test play
// offers its answer file and a cleared stage file offers another try. A story clear or the
// warp counts for the player's progress the moment it happens. It owns the announcement's
// timers and the story progress decisions and reads and moves the game's stage; the play
// screen stops the attempt, shows the caption and starts the sequence, and the sequence calls
// back to restart the stage or to leave the screen.
#include <functional>

#include "core/ModMain.h"
#include "core/Board.h"
#include "platform/Platform.h"

namespace morvik {

class OutcomeSequence {
 public:
  // What the sequence asks of the play screen and the shell; unset hooks do nothing.
  struct Hooks {
    std::function<void()> restart;       // stage game.stageNo again from its opening
    std::function<void()> stopAttempt;   // everything the stage was doing stops
    std::function<void()> leaveToTitle;  // the screen is left for the title
    std::function<void()> saveAnswer;    // the test play's answer file is written
    std::function<void()> startEnding;   // the main story's last stage was cleared
    std::function<void()> saveProgress;  // a stage was newly reached: the play information is saved
  };

  OutcomeSequence(ModMain& game, Platform& platform, Hooks hooks);
  ~OutcomeSequence();
  OutcomeSequence(const OutcomeSequence&) = delete;
  OutcomeSequence& operator=(const OutcomeSequence&) = delete;

  // The attempt ended with `outcome` and its caption shows: the jingle, then what follows.
  void Announce(Outcome outcome);
  // Nothing pending runs any more (the screen is left or the stage starts again).
  void Cancel();
  // The story stage being left counts as reached, and so does the stage after a story clear
  // whose announcement still runs; saved at once when it is news.
  bool RaiseStageReached();
  // The stage being played counts as reached (the session ends).
  void KeepProgress();

 private:
  void AfterAnnouncement(Outcome outcome);
  void After(int ms, std::function<void()> then);
  // A story clear (or the warp) counts the moment it happens: the stage it leads to is
  // reached (after the main story's last stage, the ending: the other stories open) and
  // saved at once, so that neither leaving during the announcement nor the session's end
  // loses it.
  void KeepClear(Outcome outcome);
  bool StoryEndsHere() const;       // a story stage was cleared and the story has no stage after it
  int NextStageAfterClear() const;  // the story stage a clear of this one leads to
  // The last stage of a story was cleared: the player is congratulated and goes to the title.
  void FinishStory();
  void Saved(bool raised);

  ModMain& game_;
  Platform& platform_;
  Hooks hooks_;
  Scheduler::Id timer_ = 0;
  unsigned serial_ = 0;         // an outcome's later steps run only while it is still current
  bool clearPending_ = false;   // a story stage was cleared and its announcement still runs
};

}  // namespace morvik
