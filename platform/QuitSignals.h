#pragma once
// The requests to end that come from outside the window: SIGTERM, SIGHUP and SIGINT (a
// session that ends, a terminal closed, Ctrl+C). The signal handler only writes a byte to a
// pipe; the GUI thread's event loop reads it and calls `requested`, where files may be saved
// and the program ended. While it lives the handlers are in place; the old ones come back after.
#include <QObject>
#include <functional>

class QSocketNotifier;

namespace morvik {

class QuitSignals final : public QObject {
 public:
  explicit QuitSignals(std::function<void(int signal)> requested);
  ~QuitSignals() override;
  QuitSignals(const QuitSignals&) = delete;
  QuitSignals& operator=(const QuitSignals&) = delete;

  bool Ok() const { return notifier_ != nullptr; }

 private:
  void Drain();

  std::function<void(int)> requested_;
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace morvik
