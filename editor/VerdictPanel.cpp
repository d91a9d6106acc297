#include "editor/VerdictPanel.h"

namespace morvik {

VerdictPanel::VerdictPanel(Scheduler& scheduler, QWidget* parent) : QLabel(parent), scheduler_(scheduler) {
  setWordWrap(true);
  StageChanged(drawing_);
}

VerdictPanel::~VerdictPanel() { StopTimers(); }

void VerdictPanel::StopTimers() {
  if (debounce_) scheduler_.Cancel(debounce_);
  if (poll_) scheduler_.Cancel(poll_);
  debounce_ = poll_ = 0;
}

void VerdictPanel::Show(const std::string& text) { setText(QString::fromStdString(text)); }

void VerdictPanel::StageChanged(const StageSheet& stage) {
  search_.Cancel();
  StopTimers();
  drawing_ = stage;
  const bool had = solved_;
  solved_ = false;
  Show(SearchingText(0));
  debounce_ = scheduler_.After(DebounceMs, [this] {
    debounce_ = 0;
    Begin();
  });
  if (had && changed) changed();
}

void VerdictPanel::Begin() {
  start_ = PrepareVerdict(drawing_);
  if (!start_.refusal.empty()) {
    Show(RefusedText(start_.refusal));
    return;
  }
  progress_ = std::make_shared<std::atomic<std::uint64_t>>(0);
  SolverOptions options = budget_;
  options.progress = progress_.get();
  search_.Start([this, options, board = start_.board, progress = progress_](const std::atomic<bool>& cancel) mutable {
    options.cancel = &cancel;
    SolveResult r = Solve(board, options);
    return SearchThread::Deliver([this, r = std::move(r)] {
      if (poll_) scheduler_.Cancel(poll_);
      poll_ = 0;
      result_ = r;
      solved_ = r.verdict == Verdict::Solved;
      Show(VerdictText(r));
      if (changed) changed();
    });
  });
  poll_ = scheduler_.After(ProgressMs, [this] { ShowProgress(); });
}

void VerdictPanel::ShowProgress() {
  poll_ = 0;
  if (!search_.Busy()) return;
  Show(SearchingText(progress_->load(std::memory_order_relaxed)));
  poll_ = scheduler_.After(ProgressMs, [this] { ShowProgress(); });
}

}  // namespace morvik
