#include "play/SolverWorker.h"

#include <exception>

namespace morvik {

void SolverWorker::Start(Job job, Done done) {
  thread_.Start([job = std::move(job), done = std::move(done)](const std::atomic<bool>& cancel) {
    SolveResult result;
    try {
      result = job(cancel);
    } catch (const std::exception& e) {
      // A search that runs out of memory or meets a board it cannot store answers nothing.
      result.verdict = Verdict::Unknown;
      result.reason = e.what();
    }
    return SearchThread::Deliver([done, result = std::move(result)] { done(result); });
  });
}

}  // namespace morvik
