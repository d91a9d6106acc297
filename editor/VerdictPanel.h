#pragma once
// The verdict beside the editor's grid: each change to the drawing, after a pause of
// DebounceMs, cancels the running search and starts a new one on the search thread, from
// the drawing in memory. Until the new verdict arrives the panel says it is searching (with
// the states stored so far), so a verdict never outlives the drawing it was found for.
#include <QLabel>
#include <atomic>
#include <functional>
#include <memory>

#include "platform/SearchThread.h"
#include "editor/StageVerdict.h"
#include "platform/Scheduler.h"

namespace morvik {

class VerdictPanel final : public QLabel {
 public:
  VerdictPanel(Scheduler& scheduler, QWidget* parent);
  ~VerdictPanel() override;

  static constexpr int DebounceMs = 300, ProgressMs = 250;

  // The drawing changed: the verdict of the old one is gone at once.
  void StageChanged(const StageSheet& stage);
  // The limits of the search (the editor's budget unless a test sets others).
  void SetBudget(const SolverOptions& budget) { budget_ = budget; }

  // The shortest clear of the drawing now shown, or null while there is none.
  const SolveResult* Solution() const { return solved_ ? &result_ : nullptr; }
  // The drawing the verdict is about, as the reader sets it up.
  const VerdictStart& Drawing() const { return start_; }
  bool Searching() const { return search_.Busy() || debounce_ != 0; }
  // Runs any further job on the same thread, so that the next change cancels it too.
  SearchThread& Thread() { return search_; }
  // Waits for the running search and shows its verdict (tests).
  void WaitForResult() { search_.WaitForResult(); }

  // A verdict arrived or went away.
  std::function<void()> changed;

 private:
  void Begin();
  void ShowProgress();
  void Show(const std::string& text);
  void StopTimers();

  Scheduler& scheduler_;
  SearchThread search_;
  SolverOptions budget_ = EditorBudget();
  StageSheet drawing_;
  VerdictStart start_;
  SolveResult result_;
  bool solved_ = false;
  std::shared_ptr<std::atomic<std::uint64_t>> progress_;
  Scheduler::Id debounce_ = 0, poll_ = 0;
};

}  // namespace morvik
