// The play screen's counts and hint: the presses of this attempt against the player's best and
// the fewest possible, and the next press of a shortest solution from where the hero stands.
// Searches run on worker threads; their results come back to the GUI thread.
#include <QLabel>
#include <QPushButton>

#include "core/KeyCommands.h"
#include "play/FieldWidget.h"
#include "play/FormMain.h"
#include "solver/Press.h"

namespace morvik {

namespace {

// The search for a stage's fewest presses when the shipped table does not have it.
constexpr double kShortestSeconds = 10;
// The searches' tables stay well inside a desktop's memory; a search that needs more gives up.
constexpr std::size_t kSearchMemory = std::size_t{512} << 20;

QString KeyName(Press p) {
  switch (p) {
    case Press::Left: return QStringLiteral("←");
    case Press::Up: return QStringLiteral("↑");
    case Press::Right: return QStringLiteral("→");
    case Press::Down: return QStringLiteral("↓");
    case Press::Turn: return QStringLiteral("Shift");
    case Press::Dig: return QStringLiteral("Z");
    default: return QStringLiteral("X");
  }
}

}  // namespace

QString FormMain::PressesText() const {
  const QString best = best_ > 0 ? QString::number(best_) : QStringLiteral("－");
  QString shortest = QStringLiteral("計算中");
  if (shortest_ > 0) shortest = QString::number(shortest_);
  else if (shortestUnknown_) shortest = QStringLiteral("？");
  const int presses = clearedPresses_ > 0 ? clearedPresses_ : history_.Presses();
  return QStringLiteral("手数 %1　ベスト %2　最短 %3").arg(presses).arg(best, shortest) +
         (clearedInShortest_ ? QStringLiteral("　★") : QString());
}

QString FormMain::HintText() const { return labelHint_->text(); }

// Test plays keep no records: their stage is still being made.
void FormMain::UpdatePresses() {
  best_ = game_.testPlay ? 0 : records_.Best(QString::fromStdString(game_.mapFilePath), game_.stageNo);
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
      shortestUnknown_ = false;
      shortestOf_ = game_.board;
      return;
    }
  }
  if (shortestOf_ == game_.board && (shortest_ > 0 || shortestUnknown_ || shortestWorker_.Busy())) return;
  shortestOf_ = game_.board;
  shortest_ = 0;
  shortestUnknown_ = false;
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
        shortestUnknown_ = r.verdict != Verdict::Solved;
        UpdatePresses();
      });
}

// The stage was cleared in Presses() + 1 presses (the clearing press ends the line).
void FormMain::RecordClear() {
  clearedPresses_ = history_.Presses() + 1;
  clearedInShortest_ = shortest_ > 0 && clearedPresses_ <= shortest_;
  if (!game_.testPlay) records_.Offer(QString::fromStdString(game_.mapFilePath), game_.stageNo, clearedPresses_);
  UpdatePresses();
}

void FormMain::ComHint_Click() {
  setFocus();
  if (hintWorker_.Busy()) {  // a second request takes the first back
    StopHint();
    labelHint_->setText(QStringLiteral("ヒントを取り消しました。"));
    return;
  }
  if (!keyPreview_ || !game_.stageActive || player_.Busy() || meterPause_ || game_.meterRunning) return;
  StopHint();
  labelHint_->setText(QStringLiteral("ヒントを考えています…"));
  const Board from = game_.board;
  hintWorker_.Start(
      [from](const std::atomic<bool>& cancel) {
        SolverOptions o;
        o.maxSeconds = HintSeconds;
        o.maxMemoryBytes = kSearchMemory;
        o.cancel = &cancel;
        return Solve(from, o);
      },
      [this](const SolveResult& r) { ShowHint(r); });
}

void FormMain::ShowHint(const SolveResult& r) {
  if (r.verdict == Verdict::Unsolvable) {
    labelHint_->setText(QStringLiteral("この状態からはクリアできません。一手戻すか、Deleteでやり直しましょう。"));
    return;
  }
  if (r.verdict != Verdict::Solved || r.presses.empty()) {
    labelHint_->setText(r.stop == StopReason::Memory
                            ? QStringLiteral("考える手が多すぎて、答えが見つかりませんでした。")
                            : QStringLiteral("%1秒では答えが見つかりませんでした。").arg(HintSeconds));
    return;
  }
  const Press p = r.presses.front();
  QString text = QStringLiteral("ヒント：%1 を押しましょう（あと最短 %2 手）。").arg(KeyName(p)).arg(r.presses.size());
  if (IsJump(p)) text = QStringLiteral("ヒント：X で %1 マス跳びましょう（あと最短 %2 手）。").arg(JumpDistanceOf(p)).arg(r.presses.size());
  labelHint_->setText(text);
  // The press's move is marked on the field as the answer guide marks its moves.
  Board b = game_.board;
  Script s;
  ApplyPress(b, s, p);
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
  if (guide_.Running()) PutGuide();
  else scene_.guide.visible = false;
  field_->update();
}

}  // namespace morvik
