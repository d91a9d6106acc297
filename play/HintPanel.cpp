#include "play/HintPanel.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

#include "core/JumpRules.h"
#include "play/SearchLimits.h"
#include "platform/Fonts.h"
#include "platform/RegularFile.h"

namespace morvik {

namespace {

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

}  // namespace

HintPanel::HintPanel(const ModMain& game, QWidget* parent, FieldScene& scene, GuideRunner& guide,
                     std::function<std::vector<Board>()> line, std::function<void()> repaint)
    : game_(game),
      scene_(scene),
      guide_(guide),
      line_(std::move(line)),
      repaint_(std::move(repaint)),
      label_(new QLabel(parent)),
      button_(new QPushButton(QCoreApplication::translate("FormMain", "ヒント"), parent)) {
  button_->setObjectName(QStringLiteral("ComHint"));
  button_->setFocusPolicy(Qt::NoFocus);
  button_->setToolTip(QCoreApplication::translate("FormMain", "次の一手を教えます（H）"));
  label_->setObjectName(QStringLiteral("LabelHint"));
  label_->setFont(CaptionFontOf(9));
  label_->setWordWrap(true);
  label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

QString HintPanel::Text() const { return label_->text(); }

void HintPanel::Tell(const QString& text, bool overAHint) {
  if (overAHint || !search_.Busy()) label_->setText(text);
}

void HintPanel::Ask() {
  if (search_.Busy()) {  // a second request takes the first back
    CancelSearch();
    return;
  }
  Stop();
  const std::vector<Board> line = line_();
  FollowKeptSolutions(line);
  if (const auto known = kept_.Find(game_.board)) {  // on a kept shortest line: at once
    Show(known->next, known->left);
    return;
  }
  label_->setText(QCoreApplication::translate("FormMain", "ヒントを考えています…"));
  const Board from = game_.board;
  search_.Start(PlaySearchFrom(from, HintSearchSeconds),
      [this, from, line](const SolveResult& r) {
        if (r.verdict == Verdict::Solved && !r.presses.empty()) {
          kept_.Add(from, r.presses);
          Show(r.presses.front(), static_cast<int>(r.presses.size()));
        } else {
          ShowFailure(r, line);
        }
      });
}

void HintPanel::CancelSearch() {
  Stop();
  label_->setText(QCoreApplication::translate("FormMain", "ヒントを取り消しました。"));
}

// The kept solutions of the shipped stages belong to story play; the lines a search found
// belong to the stage being played.
void HintPanel::FollowKeptSolutions(const std::vector<Board>& line) {
  if (line.empty()) return;
  const Board& start = line.back();
  const std::pair stage{game_.mapFilePath, game_.stageNo};
  if (keptFor_ == stage && keptFrom_ == start) return;
  const bool story = !game_.unitPlay && !game_.testPlay;
  if (story && !keptLoaded_) {
    keptLoaded_ = true;
    if (const auto text = ReadRegularFile(game_.appDir + "/solutions.txt", 1 << 20)) kept_.Parse(*text);
  }
  keptFor_ = stage;
  keptFrom_ = start;
  kept_.Follow(story ? game_.stageNo : -1, keptFrom_);
}

void HintPanel::ShowFailure(const SolveResult& r, const std::vector<Board>& line) {
  if (r.verdict == Verdict::Unsolvable) {
    label_->setText(QCoreApplication::translate("FormMain", "この状態からはクリアできません。一手戻すか、Deleteでやり直しましょう。"));
    return;
  }
  QString text = r.stop == StopReason::Memory ? QCoreApplication::translate("FormMain", "考える手が多すぎて、答えが見つかりませんでした。")
                                              : QCoreApplication::translate("FormMain", "%1秒では答えが見つかりませんでした。").arg(HintSearchSeconds);
  // What is known: the nearest position back along this attempt that a kept line answers.
  for (std::size_t back = 1; back < line.size(); ++back) {
    if (!kept_.Find(line[back])) continue;
    text += QCoreApplication::translate("FormMain", "%1手戻せば、ヒントがすぐに出ます。").arg(back);
    break;
  }
  label_->setText(text);
}

void HintPanel::Show(Move p, int left) {
  QString text = QCoreApplication::translate("FormMain", "ヒント：%1 を押しましょう（あと最短 %2 手）。").arg(KeyName(p)).arg(left);
  if (IsJump(p))
    text = QCoreApplication::translate("FormMain", "ヒント：X で %1 マス跳びましょう。メーターが %2 目盛り目で X（あと最短 %3 手）。")
               .arg(JumpDistanceOf(p))
               .arg(MeterSegmentsFor(JumpDistanceOf(p)))
               .arg(left);
  label_->setText(text);
  // The press's move is marked on the field as the answer guide marks its moves.
  Board b = game_.board;
  Script s;
  ApplyMove(b, s, p);
  for (const Effect& e : s.Items()) {
    if (e.kind != Fx::AnswerMove && e.kind != Fx::AnswerDig) continue;
    scene_.guide.picture = e.kind == Fx::AnswerDig ? 1 : e.c;
    scene_.guide.pos = QPoint(e.a * CellPixels, e.b * CellPixels);
    scene_.guide.visible = true;
    mark_ = true;
    repaint_();
    break;
  }
}

// A hint belongs to the position it was asked in: the next press that changes the board, an
// undo or redo and the end of the attempt take its text, its mark and a search still running.
void HintPanel::Stop() {
  search_.Cancel();
  label_->clear();
  if (!mark_) return;
  mark_ = false;
  if (guide_.Running()) guide_.Mark();
  else scene_.guide.visible = false;
  repaint_();
}

}  // namespace morvik
