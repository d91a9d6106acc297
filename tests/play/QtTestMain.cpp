// GoogleTest main for tests that need a Qt application (offscreen platform). The user's data,
// settings and cache folders point into a folder of the run's own, so that no test reads
// what a player saved or leaves its play records in the home folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir home;
  if (home.isValid()) {
    for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"})
      qputenv(name, QDir(home.path()).filePath(QString::fromLatin1(name)).toLocal8Bit());
  }
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
