#pragma once
// The hint under the field: the next press of a shortest clear from where the hero stands,
// answered at once on a kept shortest line and otherwise by a search on a worker thread, and
// its move marked on the field. It owns the hint's text and button, the search and the kept
// lines, and reads the game state; the play screen asks for a hint when the field takes keys
// and takes it back when the position changes.
#include <QString>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/ModMain.h"
#include "core/Move.h"
#include "play/FieldScene.h"
#include "play/GuideRunner.h"
#include "play/KeptSolutions.h"
#include "play/SolverWorker.h"

class QLabel;
class QPushButton;
class QWidget;

namespace morvik {

class HintPanel {
 public:
  // line() gives the boards of the attempt from the current one back to its start.
  HintPanel(const ModMain& game, QWidget* parent, FieldScene& scene, GuideRunner& guide,
            std::function<std::vector<Board>()> line, std::function<void()> repaint);

  QLabel* Label() const { return label_; }
  QPushButton* Button() const { return button_; }

  // The hint for the position now; a second request while the search runs takes it back.
  void Ask();
  // A key other than the hint's own takes a running search back, and says so.
  void CancelSearch();
  // The position changed or the attempt ended: the text, the mark and a running search go.
  void Stop();
  // A message on the hint line; over a hint being searched only when overAHint.
  void Tell(const QString& text, bool overAHint);

  QString Text() const;
  bool Shown() const { return mark_; }
  SolverWorker& Search() { return search_; }

 private:
  void FollowKeptSolutions(const std::vector<Board>& line);
  void Show(Move next, int left);
  void ShowFailure(const SolveResult& r, const std::vector<Board>& line);

  const ModMain& game_;
  FieldScene& scene_;
  GuideRunner& guide_;
  std::function<std::vector<Board>()> line_;
  std::function<void()> repaint_;
  QLabel* label_;
  QPushButton* button_;
  SolverWorker search_;
  KeptSolutions kept_;                           // positions the hint answers at once
  bool keptLoaded_ = false;                      // the program folder's solutions were read
  std::pair<std::string, int> keptFor_{{}, -1};  // the map file and stage kept_ follows
  Board keptFrom_;                               // and the start it follows them from
  bool mark_ = false;
};

}  // namespace morvik
