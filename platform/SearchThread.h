#pragma once
// Runs searches one at a time on a thread of their own (the editor's verdict and figures, the
// play screen's hints through SolverWorker). Each job returns what the GUI thread is to do with
// its result; starting another job or cancelling raises the
// running job's cancel flag and drops that result, so no stale answer ever reaches the
// window. The destructor cancels and waits for the threads.
#include <QObject>
#include <atomic>
#include <functional>
#include <list>
#include <memory>
#include <thread>

namespace morvik {

class SearchThread final : public QObject {
 public:
  using Deliver = std::function<void()>;
  using Job = std::function<Deliver(const std::atomic<bool>& cancel)>;

  explicit SearchThread(QObject* parent = nullptr) : QObject(parent) {}
  ~SearchThread() override;

  void Start(Job job);
  void Cancel();
  bool Busy() const { return busy_; }
  // Waits for the latest job and delivers its result now (tests).
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
