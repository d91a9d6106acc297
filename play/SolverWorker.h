#pragma once
// Runs one solver job at a time on a search thread and hands its result to the GUI thread, so
// the window never waits for a search. Starting a new job or cancelling raises the job's cancel
// flag and drops its result; a job that throws (out of memory) answers "unknown".
#include <QObject>
#include <atomic>
#include <functional>

#include "platform/SearchThread.h"
#include "solver/Solver.h"

namespace morvik {

class SolverWorker final : public QObject {
 public:
  using Job = std::function<SolveResult(const std::atomic<bool>& cancel)>;
  using Done = std::function<void(const SolveResult&)>;

  explicit SolverWorker(QObject* parent = nullptr) : QObject(parent) {}

  // `done` runs on the GUI thread with the job's result, unless the job was cancelled first.
  void Start(Job job, Done done);
  void Cancel() { thread_.Cancel(); }
  bool Busy() const { return thread_.Busy(); }
  // Waits for the running job and delivers its result now (tests and measurements).
  void WaitForResult() { thread_.WaitForResult(); }

 private:
  SearchThread thread_;
};

}  // namespace morvik
