// The settings files (view size, fewest presses): read as Qt's INI settings wrote them and
// written so that they read them back; a pipe or a device in their place neither blocks the
// start nor is replaced.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <csignal>
#include <cstdio>

#include "platform/SettingsFile.h"

namespace morvik {
namespace {

// What the code under test prints on the standard error while it lives.
class CapturedStderr {
 public:
  CapturedStderr() {
    std::fflush(stderr);
    saved_ = dup(2);
    file_ = std::tmpfile();
    dup2(fileno(file_), 2);
  }
  ~CapturedStderr() { Restore(); }
  std::string Text() {
    Restore();
    std::string text;
    std::rewind(file_);
    for (int c; (c = std::fgetc(file_)) != EOF;) text += static_cast<char>(c);
    return text;
  }

 private:
  void Restore() {
    if (saved_ < 0) return;
    std::fflush(stderr);
    dup2(saved_, 2);
    close(saved_);
    saved_ = -1;
  }
  int saved_ = -1;
  std::FILE* file_ = nullptr;
};

TEST(SettingsFile, ReadsAndWritesWhatQtSettingsDo) {
  QTemporaryDir dir;
  const QString oldKey = "%2Fhome%2Fu%2Fa b%C3%A9.mvk@3";  // a record key of older versions
  {
    QSettings qt(dir.filePath("qt.ini"), QSettings::IniFormat);
    qt.setValue("view/scale", 2);
    qt.setValue("best/" + oldKey, 17);
  }
  SettingsFile ours(dir.filePath("qt.ini"));
  EXPECT_EQ(ours.IntValue("view/scale"), 2);
  EXPECT_EQ(ours.ChildKeys("best"), QStringList{oldKey});
  EXPECT_EQ(ours.IntValue("best/" + oldKey), 17);

  SettingsFile written(dir.filePath("ours.ini"));
  written.SetValue("view/scale", "3");
  written.SetValue("stage/00ff", "9");
  written.SetValue("file/a%2Fb#12", "4");
  written.SetValue("file/gone", "1");
  written.Remove("file/gone");
  ASSERT_TRUE(written.Save());
  QSettings qt(dir.filePath("ours.ini"), QSettings::IniFormat);
  EXPECT_EQ(qt.value("view/scale").toInt(), 3);
  EXPECT_EQ(qt.value("stage/00ff").toInt(), 9);
  qt.beginGroup("file");
  EXPECT_EQ(qt.childKeys(), QStringList{"a%2Fb#12"});
  EXPECT_EQ(SettingsFile(dir.filePath("ours.ini")).IntValue("file/a%2Fb#12"), 4);
}

// A pipe in place of a settings file: read as missing at once (no wait for a writer), named
// once on the standard error, and never replaced by a save.
TEST(SettingsFile, APipeInItsPlaceCountsAsMissing) {
  QTemporaryDir dir;
  const QString pipe = dir.filePath("morvik.conf");
  ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0666), 0);
  ASSERT_TRUE(QFile::link(pipe, dir.filePath("presses.ini")));
  alarm(30);  // a read that waits for a writer ends the test here
  CapturedStderr err;
  for (const char* name : {"morvik.conf", "morvik.conf", "presses.ini"}) {
    SettingsFile s(dir.filePath(name));
    EXPECT_EQ(s.IntValue("view/scale", -1), -1) << name;
    s.SetValue("view/scale", "2");
    QString error;
    EXPECT_FALSE(s.Save(&error)) << name;
    EXPECT_FALSE(error.isEmpty()) << name;
  }
  const std::string text = err.Text();
  alarm(0);
  const std::string named = QFile::encodeName(pipe).toStdString() + " is not a regular file";
  EXPECT_EQ(text.find(named), text.rfind(named)) << text;
  EXPECT_NE(text.find(named), std::string::npos) << text;
  EXPECT_NE(text.find("presses.ini is not a regular file"), std::string::npos) << text;
  struct stat st {};
  ASSERT_EQ(lstat(QFile::encodeName(pipe).constData(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

}  // namespace
}  // namespace morvik
