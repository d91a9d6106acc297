#pragma once
// Runs one solver job at a time on a thread of its own and hands its result to the GUI
// thread, so the window never waits for a search. Starting a new job or cancelling raises
// the job's cancel flag and drops its result; the destructor waits for running jobs.
#include <QObject>
#include <atomic>
#include <functional>
#include <list>
#include <memory>
#include <thread>

#include "solver/Solver.h"

namespace morvik {

class SolverWorker final : public QObject {
 public:
  using Job = std::function<SolveResult(const std::atomic<bool>& cancel)>;
  using Done = std::function<void(const SolveResult&)>;

  explicit SolverWorker(QObject* parent = nullptr) : QObject(parent) {}
  ~SolverWorker() override;

  // `done` runs on the GUI thread with the job's result, unless the job was cancelled first.
  void Start(Job job, Done done);
  void Cancel();
  bool Busy() const { return busy_; }
  // Waits for the running job and delivers its result now (tests and measurements).
  void WaitForResult();

 private:
  struct Running {
    std::thread thread;
    std::shared_ptr<std::atomic<bool>> cancel, finished;
  };
  void Reap(bool all);

  std::list<Running> jobs_;
  unsigned generation_ = 0;
  bool busy_ = false;
};

}  // namespace morvik
