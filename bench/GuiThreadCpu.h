#pragma once
// The CPU time the calling thread has used, in milliseconds: what a start costs the GUI thread
// itself, which other work on a busy machine barely changes (the wall time it does).
#include <ctime>

inline double ThreadCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}
