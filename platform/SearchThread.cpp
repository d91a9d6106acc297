#include "platform/SearchThread.h"

#include <QCoreApplication>
#include <QEvent>

namespace morvik {

SearchThread::~SearchThread() {
  Cancel();
  Reap(true);
}

void SearchThread::Start(Job job) {
  Cancel();
  Reap(false);
  busy_ = true;
  const unsigned generation = ++generation_;
  Running r{{}, std::make_shared<std::atomic<bool>>(false), std::make_shared<std::atomic<bool>>(false)};
  r.thread = std::thread([this, job = std::move(job), cancel = r.cancel, finished = r.finished, generation] {
    Deliver deliver;
    try {
      deliver = job(*cancel);
    } catch (const std::exception&) {
      // A job that fails answers nothing; the window keeps its "searching" text until the
      // next change rather than show a verdict it does not have.
    }
    QMetaObject::invokeMethod(
        this,
        [this, deliver = std::move(deliver), generation] {
          if (generation != generation_) return;
          busy_ = false;
          if (deliver) deliver();
        },
        Qt::QueuedConnection);
    finished->store(true);
  });
  jobs_.push_back(std::move(r));
}

void SearchThread::Cancel() {
  ++generation_;
  busy_ = false;
  for (Running& r : jobs_) r.cancel->store(true);
}

void SearchThread::Reap(bool all) {
  for (auto it = jobs_.begin(); it != jobs_.end();) {
    if (all || it->finished->load()) {
      it->thread.join();
      it = jobs_.erase(it);
    } else {
      ++it;
    }
  }
}

void SearchThread::WaitForResult() {
  if (jobs_.empty()) return;
  jobs_.back().thread.join();
  jobs_.pop_back();
  QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

}  // namespace morvik
