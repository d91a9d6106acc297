#include "play/SolverWorker.h"

#include <QCoreApplication>
#include <QEvent>

namespace morvik {

SolverWorker::~SolverWorker() {
  Cancel();
  Reap(true);
}

void SolverWorker::Start(Job job, Done done) {
  Cancel();
  Reap(false);
  busy_ = true;
  const unsigned generation = ++generation_;
  auto cancel = std::make_shared<std::atomic<bool>>(false);
  auto finished = std::make_shared<std::atomic<bool>>(false);
  Running r{{}, cancel, finished};
  r.thread = std::thread([this, job = std::move(job), done = std::move(done), cancel, finished, generation] {
    SolveResult result;
    try {
      result = job(*cancel);
    } catch (const std::exception& e) {
      // A search that runs out of memory or meets a board it cannot store answers nothing.
      result.verdict = Verdict::Unknown;
      result.reason = e.what();
    }
    QMetaObject::invokeMethod(
        this,
        [this, done, result = std::move(result), generation] {
          if (generation != generation_) return;
          busy_ = false;
          done(result);
        },
        Qt::QueuedConnection);
    finished->store(true);
  });
  jobs_.push_back(std::move(r));
}

void SolverWorker::Cancel() {
  ++generation_;
  busy_ = false;
  for (Running& r : jobs_) r.cancel->store(true);
}

void SolverWorker::Reap(bool all) {
  for (auto it = jobs_.begin(); it != jobs_.end();) {
    if (all || it->finished->load()) {
      it->thread.join();
      it = jobs_.erase(it);
    } else {
      ++it;
    }
  }
}

void SolverWorker::WaitForResult() {
  if (jobs_.empty()) return;
  jobs_.back().thread.join();
  jobs_.pop_back();
  QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

}  // namespace morvik
