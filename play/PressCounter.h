#pragma once
// The counts row under the field: the presses of this attempt against the player's best and
// the fewest possible. The fewest come from the shipped table for story stages and from a
// search on a worker thread for stage files and test plays; a clear is offered to the player's
// records. It owns the row's label, the records and the search, and reads the game state; what
// it has to tell the player beyond the counts goes to the hint line through `tell`.
#include <QString>
#include <functional>

#include "core/ModMain.h"
#include "play/PressRecords.h"
#include "play/ShortestTable.h"
#include "play/SolverWorker.h"

class QLabel;
class QWidget;

namespace morvik {

class PressCounter {
 public:
  // presses() counts the presses of the attempt on the line played so far; tell(text,
  // overAHint) puts a message on the hint line, over a hint being searched only if asked to.
  using Tell = std::function<void(const QString& text, bool overAHint)>;
  PressCounter(const ModMain& game, QWidget* parent, std::function<int()> presses, Tell tell);

  QLabel* Label() const { return label_; }
  void SetRecordsFile(const QString& path) { records_.SetPath(path); }
  const PressRecords& Records() const { return records_; }

  // A stage is being opened: no presses yet, its own best and fewest.
  void StageOpening(const StageId& stage);
  // The opening has ended and the attempt starts (again).
  void AttemptStarted();
  // The attempt was cleared; `presses` counts the clearing press.
  void Cleared(int presses);
  // The row follows the attempt's presses.
  void Update();

  QString Text() const;
  int Shortest() const { return shortest_; }  // 0 while unknown
  bool ClearedInShortest() const { return clearedInShortest_; }
  SolverWorker& Search() { return search_; }

 private:
  void FindShortest();

  const ModMain& game_;
  QLabel* label_;
  std::function<int()> presses_;
  Tell tell_;
  PressRecords records_;
  StageId stage_;
  bool recordsFailTold_ = false;  // a record that could not be saved was reported
  ShortestTable table_;
  bool tableLoaded_ = false;
  SolverWorker search_;
  Board shortestOf_;  // the stage start the fewest belong to
  int shortest_ = 0;
  bool unknown_ = false;  // the search gave up
  bool none_ = false;     // the search proved that no clear exists
  bool opening_ = false;  // the stage's opening runs: its counts start afresh
  bool clearedInShortest_ = false;
  int clearedPresses_ = 0;  // the presses of the clear, once the stage is cleared
  int best_ = 0;
};

// Why a stage cannot be cleared, as the search put it, for the player.
QString WhyUnclearable(const std::string& reason);

}  // namespace morvik
