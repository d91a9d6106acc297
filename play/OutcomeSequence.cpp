#include "play/OutcomeSequence.h"

#include <QCoreApplication>

#include "core/Stories.h"
#include "play/StageLoader.h"

namespace morvik {

namespace {

// The jingle that announces an outcome (a music file's number): a sigh for a miss or giving
// up, a fanfare for a clear or the warp.
int JingleOf(Outcome outcome) {
  constexpr int kJingleMiss = 10, kJingleClear = 11;
  return outcome == Outcome::Clear || outcome == Outcome::Warp ? kJingleClear : kJingleMiss;
}

constexpr int kFirstStepMs = 200;   // the caption shows before the jingle starts
constexpr int kSilentRestMs = 1500;  // the jingle's place when music is off
constexpr int kNextStageMs = 1500;
constexpr int kEndingMs = 3000;

}  // namespace

OutcomeSequence::OutcomeSequence(ModMain& game, Platform& platform, Hooks hooks)
    : game_(game), platform_(platform), hooks_(std::move(hooks)) {}

OutcomeSequence::~OutcomeSequence() { platform_.scheduler.Cancel(timer_); }

void OutcomeSequence::After(int ms, std::function<void()> then) {
  platform_.scheduler.Cancel(timer_);
  timer_ = platform_.scheduler.After(ms, [this, then = std::move(then)] {
    timer_ = 0;
    then();
  });
}

void OutcomeSequence::Announce(Outcome outcome) {
  clearPending_ = outcome == Outcome::Clear && !game_.testPlay && !game_.unitPlay;
  if (clearPending_ || outcome == Outcome::Warp) KeepClear(outcome);
  game_.stageBgm = JingleOf(outcome);
  const unsigned serial = ++serial_;
  After(kFirstStepMs, [this, outcome, serial] {
    if (!platform_.sound.musicOn) {
      After(kSilentRestMs, [this, outcome] { AfterAnnouncement(outcome); });
      return;
    }
    platform_.sound.PlayJingle(JingleOf(outcome), [this, outcome, serial] {
      if (serial == serial_) AfterAnnouncement(outcome);
    });
  });
}

void OutcomeSequence::Cancel() {
  platform_.scheduler.Cancel(timer_);
  timer_ = 0;
  ++serial_;
  clearPending_ = false;
}

void OutcomeSequence::AfterAnnouncement(Outcome outcome) {
  clearPending_ = false;
  auto restart = [this] {
    if (hooks_.restart) hooks_.restart();
  };
  const bool story = !game_.testPlay && !game_.unitPlay;
  if (outcome == Outcome::Warp) {
    game_.stageNo = WarpTargetStage;
    After(kNextStageMs, restart);
  } else if (outcome == Outcome::Clear && story && game_.stageNo == EndingStage) {
    After(kEndingMs, [this] {
      if (hooks_.startEnding) hooks_.startEnding();
    });
  } else if (outcome == Outcome::Clear && story && StoryEndsHere()) {
    After(kNextStageMs, [this] { FinishStory(); });
  } else if (outcome == Outcome::Clear && story) {
    game_.stageNo = NextStageAfterClear();
    After(kNextStageMs, restart);
  } else if (outcome == Outcome::Clear && !game_.unitPlay) {
    if (platform_.messages.Show(QCoreApplication::translate("FormMain", "アンサーファイルを生成しますか？"), QCoreApplication::translate("FormMain", "確認"), MsgIcon::Question,
                                MsgButtons::YesNo) == MsgResult::Yes &&
        hooks_.saveAnswer)
      hooks_.saveAnswer();
    restart();
  } else if (outcome == Outcome::Clear) {
    if (platform_.messages.Show(QCoreApplication::translate("FormMain", "もう一度しますか？"), QStringLiteral("TRY AGAIN?"), MsgIcon::Question,
                                MsgButtons::YesNo) == MsgResult::Yes) {
      restart();
    } else {
      game_.unitPlay = false;
      if (hooks_.leaveToTitle) hooks_.leaveToTitle();
    }
  } else {
    restart();
  }
}

int OutcomeSequence::NextStageAfterClear() const {
  return game_.stageNo == EndingStage || StoryEndsHere() ? game_.stageNo : game_.stageNo + 1;
}

bool OutcomeSequence::StoryEndsHere() const {
  return game_.stageNo == StoryLastStage(StoryOfStage(game_.stageNo)) || !MapHoldsStage(game_, game_.stageNo + 1);
}

void OutcomeSequence::Saved(bool raised) {
  if (raised && hooks_.saveProgress) hooks_.saveProgress();
}

void OutcomeSequence::KeepClear(Outcome outcome) {
  bool raised = false;
  if (outcome == Outcome::Warp) {
    raised = RaiseReached(game_, WarpTargetStage);
  } else if (game_.stageNo == EndingStage) {
    // The ending is reached: the other stories open, as the ending opens them.
    raised = RaiseReached(game_, EndingStage) || !StoriesOpen(game_);
    OpenStories(game_);
  } else {
    raised = RaiseReached(game_, NextStageAfterClear());
  }
  Saved(raised);
}

void OutcomeSequence::KeepProgress() {
  if (game_.unitPlay || game_.testPlay) return;
  Saved(RaiseReached(game_, game_.stageNo));
}

bool OutcomeSequence::RaiseStageReached() {
  // A story stage cleared counts as cleared however the player leaves during its
  // announcement: the stage after it is reached, as when the announcement runs out.
  if (clearPending_) game_.stageNo = NextStageAfterClear();
  clearPending_ = false;
  const bool raised = RaiseReached(game_, game_.stageNo);
  Saved(raised);
  return raised;
}

void OutcomeSequence::FinishStory() {
  static const char* const names[StoryCount] = {QT_TRANSLATE_NOOP("FormMain", "メイン"), QT_TRANSLATE_NOOP("FormMain", "ユーザ"),
                                                QT_TRANSLATE_NOOP("FormMain", "スーパー")};
  const int story = StoryOfStage(game_.stageNo);
  RaiseStageReached();
  if (hooks_.stopAttempt) hooks_.stopAttempt();
  const QString name = story >= 0 ? QCoreApplication::translate("FormMain", names[story]) : QString();
  platform_.messages.Show(QCoreApplication::translate("FormMain", "%1ストーリーの最後のステージをクリアしました。\nおめでとうございます！").arg(name),
                          QStringLiteral("CONGRATULATIONS !"), MsgIcon::Information, MsgButtons::Ok);
  if (hooks_.leaveToTitle) hooks_.leaveToTitle();
}

}  // namespace morvik
