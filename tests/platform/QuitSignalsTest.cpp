// SIGTERM, SIGHUP and SIGINT reach the event loop as a request to end, not as a sudden death.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <csignal>
#include <vector>

#include "platform/QuitSignals.h"

namespace morvik {
namespace {

TEST(QuitSignals, EachSignalBecomesOneRequestInTheEventLoop) {
  std::vector<int> requests;
  {
    QuitSignals watcher([&requests](int signal) { requests.push_back(signal); });
    ASSERT_TRUE(watcher.Ok());
    for (int signal : {SIGTERM, SIGHUP, SIGINT}) {
      ASSERT_EQ(std::raise(signal), 0);
      const std::size_t before = requests.size();
      for (int i = 0; i < 100 && requests.size() == before; ++i) QCoreApplication::processEvents();
      ASSERT_EQ(requests.size(), before + 1) << signal;
      EXPECT_EQ(requests.back(), signal);
    }
  }
  // Gone with the watcher: the old handlers are back (SIGHUP is ignored here to show it).
  const auto old = std::signal(SIGHUP, SIG_IGN);
  EXPECT_EQ(old, SIG_DFL);
  std::signal(SIGHUP, SIG_DFL);
}

}  // namespace
}  // namespace morvik
