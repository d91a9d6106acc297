#include "platform/QuitSignals.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>

namespace morvik {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};
int pipeEnds[2] = {-1, -1};
struct sigaction oldActions[3];

// Only what is safe in a signal handler: one write, errno kept.
void OnSignal(int signal) {
  const int saved = errno;
  const char byte = static_cast<char>(signal);
  [[maybe_unused]] const ssize_t n = ::write(pipeEnds[1], &byte, 1);
  errno = saved;
}

}  // namespace

QuitSignals::QuitSignals(std::function<void(int)> requested) : requested_(std::move(requested)) {
  if (pipeEnds[0] >= 0) return;  // one watcher at a time
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, pipeEnds) != 0) {
    pipeEnds[0] = pipeEnds[1] = -1;
    return;
  }
  notifier_ = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] { Drain(); });
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int i = 0; i < 3; ++i) sigaction(kSignals[i], &action, &oldActions[i]);
}

QuitSignals::~QuitSignals() {
  if (!notifier_) return;
  for (int i = 0; i < 3; ++i) sigaction(kSignals[i], &oldActions[i], nullptr);
  delete notifier_;
  ::close(pipeEnds[0]);
  ::close(pipeEnds[1]);
  pipeEnds[0] = pipeEnds[1] = -1;
}

void QuitSignals::Drain() {
  char bytes[16];
  ssize_t n;
  int last = 0;
  while ((n = ::read(pipeEnds[0], bytes, sizeof bytes)) > 0) last = bytes[n - 1];
  // Several signals at once make one request.
  if (last && requested_) requested_(last);
}

}  // namespace morvik
