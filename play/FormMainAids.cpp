// The play screen's counts and hint: the presses of this attempt against the player's best and
// the fewest possible, and the next press of a shortest solution from where the hero stands.
// Searches run on worker threads; their results come back to the GUI thread.
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <cstdio>

#include "core/JumpRules.h"
#include "core/KeyCommands.h"
#include "core/Move.h"
#include "play/FieldWidget.h"
#include "play/FormMain.h"
#include "platform/RegularFile.h"

namespace morvik {

namespace {

// The search for a stage's fewest presses when the shipped table does not have it.
constexpr double kShortestSeconds = 10;
// The searches' tables stay well inside a desktop's memory; a search that needs more gives up.
constexpr std::size_t kSearchMemory = std::size_t{512} << 20;

QString KeyName(Move p) {
  switch (p) {
    case Move::Left: return QStringLiteral("←");
    case Move::Up: return QStringLiteral("↑");
    case Move::Right: return QStringLiteral("→");
    case Move::Down: return QStringLiteral("↓");
    case Move::Turn: return QStringLiteral("Shift");
    case Move::Dig: return QStringLiteral("Z");
    case Move::GiveUp: return QStringLiteral("Delete");
    default: return QStringLiteral("X");
  }
}

// The meter segments (counted from 1) whose release jumps `distance` cells: "5", "1〜2".
QString MeterSegmentsFor(int distance) {
  int first = 0, last = 0;
  for (int level = 1; level <= MeterLevels; ++level) {
    if (JumpDistance(level) != distance) continue;
    if (!first) first = level;
    last = level;
  }
  return first == last ? QString::number(first) : QCoreApplication::translate("FormMain", "%1〜%2").arg(first).arg(last);
}

// Why a stage cannot be cleared, as the search put it, for the player.
QString WhyUnclearable(const std::string& reason) {
  static const std::pair<const char*, const char*> kReasons[] = {
      {"no flower and no PX piece to take", QT_TRANSLATE_NOOP("FormMain", "取る花もPXもありません")},
      {"the flowers cannot be taken alternately", QT_TRANSLATE_NOOP("FormMain", "花を交互に取れません")},
      {"a flower can never be reached", QT_TRANSLATE_NOOP("FormMain", "たどり着けない花があります")},
      {"a PX piece can never reach a hole", QT_TRANSLATE_NOOP("FormMain", "穴まで運べないPXがあります")},
      {"a flower or PX piece can never be taken", QT_TRANSLATE_NOOP("FormMain", "取れない花かPXがあります")},
  };
  for (const auto& [english, japanese] : kReasons)
    if (reason == english) return QCoreApplication::translate("FormMain", japanese);
  return QCoreApplication::translate("FormMain", "どの手順でもクリアできません");
}

}  // namespace

QString FormMain::PressesText() const {
  const QString best = best_ > 0 ? QString::number(best_) : QCoreApplication::translate("FormMain", "－");
  QString shortest = QCoreApplication::translate("FormMain", "計算中");
  if (shortest_ > 0) shortest = QString::number(shortest_);
  else if (shortestNone_) shortest = QCoreApplication::translate("FormMain", "なし");
  else if (shortestUnknown_) shortest = QCoreApplication::translate("FormMain", "？");
  // The opening of a stage shows its own counts, not the last attempt's.
  const int presses = opening_ ? 0 : clearedPresses_ > 0 ? clearedPresses_ : history_.Presses();
  return QCoreApplication::translate("FormMain", "手数 %1　ベスト %2　最短 %3").arg(presses).arg(best, shortest) +
         (clearedInShortest_ && !opening_ ? QCoreApplication::translate("FormMain", "　★") : QString());
}

QString FormMain::HintText() const { return labelHint_->text(); }

// Test plays keep no records: their stage is still being made.
void FormMain::UpdatePresses() {
  best_ = game_.testPlay ? 0 : records_.Best(stageId_);
  labelPresses_->setText(PressesText());
}

// The fewest presses of the stage now starting: from the shipped table for the stories, by a
// search off the GUI thread for stage files and test plays (kept while the stage is the same).
void FormMain::FindShortest() {
  const bool story = !game_.unitPlay && !game_.testPlay;
  if (story) {
    if (!shortestTableLoaded_) {
      shortestTable_.Load(QString::fromStdString(game_.appDir));
      shortestTableLoaded_ = true;
    }
    if (const int n = shortestTable_.Of(game_.stageNo)) {
      shortestWorker_.Cancel();
      shortest_ = n;
      shortestUnknown_ = shortestNone_ = false;
      shortestOf_ = game_.board;
      return;
    }
  }
  if (shortestOf_ == game_.board && (shortest_ > 0 || shortestUnknown_ || shortestNone_ || shortestWorker_.Busy())) return;
  shortestOf_ = game_.board;
  shortest_ = 0;
  shortestUnknown_ = shortestNone_ = false;
  const Board start = game_.board;
  shortestWorker_.Start(
      [start](const std::atomic<bool>& cancel) {
        SolverOptions o;
        o.maxSeconds = kShortestSeconds;
        o.maxMemoryBytes = kSearchMemory;
        o.cancel = &cancel;
        return Solve(start, o);
      },
      [this](const SolveResult& r) {
        shortest_ = r.verdict == Verdict::Solved ? static_cast<int>(r.presses.size()) : 0;
        shortestNone_ = r.verdict == Verdict::Unsolvable;
        shortestUnknown_ = r.verdict == Verdict::Unknown;
        if (shortestNone_ && game_.board == shortestOf_ && !hintWorker_.Busy())
          labelHint_->setText(QCoreApplication::translate("FormMain", "このステージはクリアできません（%1）。").arg(WhyUnclearable(r.reason)));
        UpdatePresses();
      });
}

// The counts row of a stage being opened: no presses yet, the stage's own best and fewest.
void FormMain::ResetCountsForOpening() {
  opening_ = true;
  clearedPresses_ = 0;
  clearedInShortest_ = false;
  FindShortest();
  UpdatePresses();
}

// The stage was cleared in Presses() + 1 presses (the clearing press ends the line).
void FormMain::RecordClear() {
  clearedPresses_ = history_.Presses() + 1;
  clearedInShortest_ = shortest_ > 0 && clearedPresses_ <= shortest_;
  if (!game_.testPlay && records_.Offer(stageId_, clearedPresses_) == PressRecords::Offered::NotSaved && !recordsFailTold_) {
    // Said once a run: the best still counts until the program ends.
    recordsFailTold_ = true;
    std::fprintf(stderr, "morvik: best record not saved: %s\n", records_.LastError().toLocal8Bit().constData());
    labelHint_->setText(QCoreApplication::translate("FormMain", "ベスト記録を保存できませんでした（%1）。").arg(records_.LastError()));
  }
  UpdatePresses();
}

void FormMain::ComHint_Click() {
  setFocus();
  if (hintWorker_.Busy()) {  // a second request takes the first back
    CancelHintSearch();
    return;
  }
  if (!keyPreview_ || !game_.stageActive || player_.Busy() || meter_->Paused() || meter_->Running()) return;
  StopHint();
  FollowKeptSolutions();
  if (const auto known = kept_.Find(game_.board)) {  // on a kept shortest line: at once
    ShowHint(known->next, known->left);
    return;
  }
  labelHint_->setText(QCoreApplication::translate("FormMain", "ヒントを考えています…"));
  const Board from = game_.board;
  hintWorker_.Start(
      [from](const std::atomic<bool>& cancel) {
        SolverOptions o;
        o.maxSeconds = HintSeconds;
        o.maxMemoryBytes = kSearchMemory;
        o.cancel = &cancel;
        return Solve(from, o);
      },
      [this, from](const SolveResult& r) {
        if (r.verdict == Verdict::Solved && !r.presses.empty()) {
          kept_.Add(from, r.presses);
          ShowHint(r.presses.front(), static_cast<int>(r.presses.size()));
        } else {
          ShowHintFailure(r);
        }
      });
}

void FormMain::CancelHintSearch() {
  StopHint();
  labelHint_->setText(QCoreApplication::translate("FormMain", "ヒントを取り消しました。"));
}

// The kept solutions of the shipped stages belong to story play; the lines a search found
// belong to the stage being played.
void FormMain::FollowKeptSolutions() {
  const PlaySnapshot* start = history_.Back(history_.Presses());
  if (!start) return;
  const std::pair stage{game_.mapFilePath, game_.stageNo};
  if (keptFor_ == stage && keptFrom_ == start->board) return;
  const bool story = !game_.unitPlay && !game_.testPlay;
  if (story && !keptLoaded_) {
    keptLoaded_ = true;
    if (const auto text = ReadRegularFile(game_.appDir + "/solutions.txt", 1 << 20)) kept_.Parse(*text);
  }
  keptFor_ = stage;
  keptFrom_ = start->board;
  kept_.Follow(story ? game_.stageNo : -1, keptFrom_);
}

void FormMain::ShowHintFailure(const SolveResult& r) {
  if (r.verdict == Verdict::Unsolvable) {
    labelHint_->setText(QCoreApplication::translate("FormMain", "この状態からはクリアできません。一手戻すか、Deleteでやり直しましょう。"));
    return;
  }
  QString text = r.stop == StopReason::Memory ? QCoreApplication::translate("FormMain", "考える手が多すぎて、答えが見つかりませんでした。")
                                              : QCoreApplication::translate("FormMain", "%1秒では答えが見つかりませんでした。").arg(HintSeconds);
  // What is known: the nearest position back along this attempt that a kept line answers.
  for (int back = 1; back <= history_.Presses(); ++back) {
    if (!kept_.Find(history_.Back(back)->board)) continue;
    text += QCoreApplication::translate("FormMain", "%1手戻せば、ヒントがすぐに出ます。").arg(back);
    break;
  }
  labelHint_->setText(text);
}

void FormMain::ShowHint(Move p, int left) {
  QString text = QCoreApplication::translate("FormMain", "ヒント：%1 を押しましょう（あと最短 %2 手）。").arg(KeyName(p)).arg(left);
  if (IsJump(p))
    text = QCoreApplication::translate("FormMain", "ヒント：X で %1 マス跳びましょう。メーターが %2 目盛り目で X（あと最短 %3 手）。")
               .arg(JumpDistanceOf(p))
               .arg(MeterSegmentsFor(JumpDistanceOf(p)))
               .arg(left);
  labelHint_->setText(text);
  // The press's move is marked on the field as the answer guide marks its moves.
  Board b = game_.board;
  Script s;
  ApplyMove(b, s, p);
  for (const Effect& e : s.Items()) {
    if (e.kind != Fx::AnswerMove && e.kind != Fx::AnswerDig) continue;
    scene_.guide.picture = e.kind == Fx::AnswerDig ? 1 : e.c;
    scene_.guide.pos = QPoint(e.a * CellPixels, e.b * CellPixels);
    scene_.guide.visible = true;
    hintMark_ = true;
    field_->update();
    break;
  }
}

// A hint belongs to the position it was asked in: the next press that changes the board, an
// undo or redo and the end of the attempt take its text, its mark and a search still running.
void FormMain::StopHint() {
  hintWorker_.Cancel();
  labelHint_->clear();
  if (!hintMark_) return;
  hintMark_ = false;
  if (guideRunner_.Running()) guideRunner_.Mark();
  else scene_.guide.visible = false;
  field_->update();
}

}  // namespace morvik
