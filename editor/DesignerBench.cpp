#include "editor/DesignerBench.h"

#include <QCoreApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "platform/Fonts.h"
#include "solver/AnswerFile.h"

namespace morvik {

DesignerBench::DesignerBench(Scheduler& scheduler, int width, QWidget* parent) : QWidget(parent), playback_(scheduler) {
  auto button = [this](const QString& text, const char* name, QRect at) {
    auto* b = new QPushButton(text, this);
    b->setObjectName(QString::fromLatin1(name));
    b->setFont(CaptionFontOf(9));
    b->setGeometry(at);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
  };
  constexpr int buttons = 3 * 92;
  verdict_ = new VerdictPanel(scheduler, this);
  verdict_->setObjectName(QStringLiteral("LabelVerdict"));
  verdict_->setFont(CaptionFontOf(11, true));
  // Two lines: a refusal's reason may be a whole sentence.
  verdict_->setGeometry(0, 0, width - buttons - 8, 40);
  figures_ = new QLabel(this);
  figures_->setObjectName(QStringLiteral("LabelFigures"));
  figures_->setFont(CaptionFontOf(9));
  figures_->setGeometry(0, 42, width - buttons - 8, 20);
  play_ = button(QCoreApplication::translate("DesignerBench", "手順を再生"), "ComPlaySolution", QRect(width - buttons, 0, 88, 26));
  stop_ = button(QCoreApplication::translate("DesignerBench", "停止"), "ComStopSolution", QRect(width - buttons + 92, 0, 88, 26));
  audit_ = button(QCoreApplication::translate("DesignerBench", "詳しく調べる"), "ComAudit", QRect(width - buttons + 184, 0, 92, 26));
  saveAnswer_ = new QCheckBox(QCoreApplication::translate("DesignerBench", "保存するとき最短手順を解答ファイルにも保存"), this);
  saveAnswer_->setObjectName(QStringLiteral("ChkSaveAnswer"));
  saveAnswer_->setFont(CaptionFontOf(9));
  saveAnswer_->setGeometry(width - buttons, 28, buttons, 20);
  connect(play_, &QPushButton::clicked, this, [this] { PlaySolution(); });
  connect(stop_, &QPushButton::clicked, this, [this] { StopPlayback(); });
  connect(audit_, &QPushButton::clicked, this, [this] { Audit(); });
  verdict_->changed = [this] { Refresh(); };
  setFixedSize(width, 62);
  Refresh();
}

void DesignerBench::Refresh() {
  const bool solved = verdict_->Solution() != nullptr;
  play_->setEnabled(solved && !playback_.Running());
  stop_->setEnabled(playback_.Running());
  audit_->setEnabled(solved && !auditing_);
}

void DesignerBench::StageChanged(const StageSheet& stage) {
  playback_.Stop();
  auditing_ = false;
  figuresText_.clear();
  decoys_.clear();
  ShowFigures();
  verdict_->StageChanged(stage);
  Refresh();
}

void DesignerBench::PlaySolution() {
  const SolveResult* s = verdict_->Solution();
  if (!s) return;
  playback_.Start(
      verdict_->Drawing().board, s->presses,
      [this, total = s->presses.size()](const Board& b, int made) {
        shown_ = SheetOfBoard(b);
        figures_->setText(QCoreApplication::translate("DesignerBench", "再生中：%1 / %2 手").arg(made).arg(total));
        // The rings mark objects where the drawing has them, not where the playback moved them.
        if (markDecoys) markDecoys({});
        if (showOnGrid) showOnGrid(&shown_);
      },
      [this] {
        if (showOnGrid) showOnGrid(nullptr);
        ShowFigures();
        Refresh();
      });
  Refresh();
}

void DesignerBench::StopPlayback() {
  playback_.Stop();
  Refresh();
}

void DesignerBench::ShowFigures() {
  figures_->setText(QString::fromStdString(figuresText_));
  if (markDecoys) markDecoys(decoys_);
}

void DesignerBench::Audit() {
  const SolveResult* s = verdict_->Solution();
  if (!s || auditing_) return;
  auditing_ = true;
  figures_->setText(QCoreApplication::translate("DesignerBench", "調べています…"));
  Refresh();
  verdict_->Thread().Start([this, drawing = verdict_->Drawing(), clear = s->presses](const std::atomic<bool>& cancel) {
    const DrawingFigures f = AuditDrawing(drawing, clear, EditorBudget(), cancel);
    return SearchThread::Deliver([this, f] {
      auditing_ = false;
      figuresText_ = FiguresText(f);
      decoys_ = f.decoyCells;
      if (!playback_.Running()) ShowFigures();
      Refresh();
    });
  });
}

bool DesignerBench::SaveAnswerChosen() const { return saveAnswer_->isChecked(); }

std::optional<std::vector<AnswerRecord>> DesignerBench::AnswerToSave() const {
  const SolveResult* s = verdict_->Solution();
  if (!saveAnswer_->isChecked() || !s) return std::nullopt;
  return RecordAnswer(verdict_->Drawing().board, s->presses);
}

QString DesignerBench::FiguresShown() const { return figures_->text(); }

}  // namespace morvik
