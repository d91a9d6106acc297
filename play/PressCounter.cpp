#include "play/PressCounter.h"

#include <QCoreApplication>
#include <QLabel>
#include <cstdio>

#include "platform/Fonts.h"
#include "play/SearchLimits.h"

namespace morvik {

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

PressCounter::PressCounter(const ModMain& game, PressRecords& records, QWidget* parent, std::function<int()> presses,
                           Tell tell)
    : game_(game), label_(new QLabel(parent)), records_(records), presses_(std::move(presses)), tell_(std::move(tell)) {
  label_->setObjectName(QStringLiteral("LabelPresses"));
  // One Japanese face for the whole line: a fallback chosen per run drew some digits smaller.
  label_->setFont(CaptionFontOf(9));
}

QString PressCounter::Text() const {
  const QString best = best_ > 0 ? QString::number(best_) : QCoreApplication::translate("FormMain", "－");
  QString shortest = QCoreApplication::translate("FormMain", "計算中");
  if (shortest_ > 0) shortest = QString::number(shortest_);
  else if (none_) shortest = QCoreApplication::translate("FormMain", "なし");
  else if (unknown_) shortest = QCoreApplication::translate("FormMain", "？");
  // The opening of a stage shows its own counts, not the last attempt's.
  const int shown = opening_ ? 0 : clearedPresses_ > 0 ? clearedPresses_ : presses_();
  return QCoreApplication::translate("FormMain", "手数 %1　ベスト %2　最短 %3").arg(shown).arg(best, shortest) +
         (clearedInShortest_ && !opening_ ? QCoreApplication::translate("FormMain", "　★") : QString());
}

// Test plays keep no records: their stage is still being made.
void PressCounter::Update() {
  best_ = game_.testPlay ? 0 : records_.Best(stage_);
  label_->setText(Text());
}

void PressCounter::StageOpening(const StageId& stage) {
  stage_ = stage;
  opening_ = true;
  clearedPresses_ = 0;
  clearedInShortest_ = false;
  FindShortest();
  Update();
}

void PressCounter::AttemptStarted() {
  opening_ = false;
  clearedPresses_ = 0;
  clearedInShortest_ = false;
  FindShortest();
  Update();
}

void PressCounter::Cleared(int presses) {
  clearedPresses_ = presses;
  clearedInShortest_ = shortest_ > 0 && clearedPresses_ <= shortest_;
  if (!game_.testPlay && records_.Offer(stage_, clearedPresses_) == PressRecords::Offered::NotSaved && !recordsFailTold_) {
    // Said once a run: the best still counts until the program ends.
    recordsFailTold_ = true;
    std::fprintf(stderr, "morvik: best record not saved: %s\n", records_.LastError().toLocal8Bit().constData());
    tell_(QCoreApplication::translate("FormMain", "ベスト記録を保存できませんでした（%1）。").arg(records_.LastError()), true);
  }
  Update();
}

// From the shipped table for the stories, by a search off the GUI thread for stage files and
// test plays (kept while the stage is the same).
void PressCounter::FindShortest() {
  const bool story = !game_.unitPlay && !game_.testPlay;
  if (story) {
    if (!tableLoaded_) {
      table_.Load(QString::fromStdString(game_.appDir));
      tableLoaded_ = true;
    }
    if (const int n = table_.Of(game_.stageNo)) {
      search_.Cancel();
      shortest_ = n;
      unknown_ = none_ = false;
      shortestOf_ = game_.board;
      return;
    }
  }
  if (shortestOf_ == game_.board && (shortest_ > 0 || unknown_ || none_ || search_.Busy())) return;
  shortestOf_ = game_.board;
  shortest_ = 0;
  unknown_ = none_ = false;
  search_.Start(PlaySearchFrom(game_.board, ShortestSearchSeconds),
      [this](const SolveResult& r) {
        shortest_ = r.verdict == Verdict::Solved ? static_cast<int>(r.presses.size()) : 0;
        none_ = r.verdict == Verdict::Unsolvable;
        unknown_ = r.verdict == Verdict::Unknown;
        // Told only while the player still stands at the start the search was about.
        if (none_ && game_.board == shortestOf_)
          tell_(QCoreApplication::translate("FormMain", "このステージはクリアできません（%1）。").arg(WhyUnclearable(r.reason)), false);
        Update();
      });
}

}  // namespace morvik
