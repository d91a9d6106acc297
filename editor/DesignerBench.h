#pragma once
// The designer's bench under the editor's grid: the live verdict, the playback of the
// shortest clear with its stop button, the stage list's figures with the decoy marks, and
// the choice to save the found clear as the stage's answer file. It talks to the grid only
// through its two callbacks.
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

#include "editor/DrawingAudit.h"
#include "editor/PlaybackRunner.h"
#include "editor/VerdictPanel.h"
#include "stagedata/AnswerFormat.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace morvik {

class DesignerBench final : public QWidget {
 public:
  DesignerBench(Scheduler& scheduler, int width, QWidget* parent);

  // The drawing changed: playback, marks and figures end; a new verdict is on its way.
  void StageChanged(const StageSheet& stage);

  void PlaySolution();
  void StopPlayback();
  void Audit();

  // The answer records of the drawing's shortest clear, when saving should write them.
  std::optional<std::vector<AnswerRecord>> AnswerToSave() const;
  bool SaveAnswerChosen() const;

  VerdictPanel& Verdict() { return *verdict_; }
  const PlaybackRunner& Playback() const { return playback_; }
  QString FiguresShown() const;

  // The board to show on the grid in place of the drawing (null: the drawing again).
  std::function<void(const StageSheet*)> showOnGrid;
  // The cells to mark as decoys (empty: no marks).
  std::function<void(const std::vector<int>&)> markDecoys;

 private:
  void Refresh();
  // The audit's figures and decoy marks, or none before an audit.
  void ShowFigures();

  PlaybackRunner playback_;
  VerdictPanel* verdict_ = nullptr;
  QPushButton* play_ = nullptr;
  QPushButton* stop_ = nullptr;
  QPushButton* audit_ = nullptr;
  QCheckBox* saveAnswer_ = nullptr;
  QLabel* figures_ = nullptr;
  StageSheet shown_;
  std::string figuresText_;
  std::vector<int> decoys_;
  bool auditing_ = false;
};

}  // namespace morvik
