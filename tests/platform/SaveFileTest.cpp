// Saving whole files: a replaced file is whole or untouched, also when the disk is full or
// the folder takes no temporary file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "platform/SaveFile.h"
#include "tests/support/FileLimits.h"

namespace morvik {
namespace {

using test::ScopedFileSizeLimit;
using test::ScopedReadOnlyFolder;

struct Folder {
  QTemporaryDir dir;
  QString Path(const QString& name) const { return dir.filePath(name); }
  void Write(const QString& name, const QByteArray& bytes) const {
    QFile f(Path(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
  QByteArray Read(const QString& name) const {
    QFile f(Path(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
  }
  QStringList Files() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
};

const QByteArray kOld("old contents\r\n");
const std::string kNew(4000, 'n');

// The copies of files written in place go to a folder of the test's own, which the user the
// read-only folder's checks are made as may write.
struct KeptCopies {
  explicit KeptCopies(const Folder& f) : path(f.Path("kept")) {
    QDir().mkpath(path);
    chmod(QFile::encodeName(path).constData(), 0777);
    SetUnfinishedSavesFolder(path);
  }
  ~KeptCopies() { SetUnfinishedSavesFolder({}); }
  QStringList Files() const { return QDir(path).entryList(QDir::Files | QDir::Hidden); }
  QString path;
};

TEST(SaveWholeFile, ReplacesOrCreatesTheFile) {
  Folder f;
  f.Write("a.mvk", kOld);
  QString error;
  EXPECT_TRUE(SaveWholeFile(f.Path("a.mvk"), kNew, &error)) << error.toStdString();
  EXPECT_EQ(f.Read("a.mvk").toStdString(), kNew);
  EXPECT_TRUE(SaveWholeFile(f.Path("b.mvk"), "b"));
  EXPECT_EQ(f.Read("b.mvk"), "b");
  EXPECT_EQ(f.Files(), (QStringList{"a.mvk", "b.mvk"}));
}

TEST(SaveWholeFile, AWriteThatFailsLeavesTheOldFileWhole) {
  Folder f;
  f.Write("a.mvk", kOld);
  QString error;
  bool saved = true;
  {
    ScopedFileSizeLimit full(1000);  // as a disk that fills up after 1000 bytes
    ASSERT_TRUE(full.Ok());
    saved = SaveWholeFile(f.Path("a.mvk"), kNew, &error);
  }
  EXPECT_FALSE(saved);
  EXPECT_FALSE(error.isEmpty());
  EXPECT_EQ(f.Read("a.mvk"), kOld);
  EXPECT_EQ(f.Files(), QStringList{"a.mvk"}) << "no temporary file is left";
}

// A file the player may write in a folder the player may not write: written in place.
TEST(SaveWholeFile, AWritableFileInAReadOnlyFolderIsWrittenInPlace) {
  Folder f;
  const KeptCopies kept(f);
  f.Write("a.mvk", kOld);
  ScopedReadOnlyFolder::MakeWritable(f.Path("a.mvk"));
  bool saved = false, created = true;
  QString error;
  {
    ScopedReadOnlyFolder readOnly(f.dir.path());
    ASSERT_TRUE(readOnly.Ok());
    saved = SaveWholeFile(f.Path("a.mvk"), kNew, &error);
    created = SaveWholeFile(f.Path("new.mvk"), kNew);
  }
  EXPECT_TRUE(saved) << error.toStdString();
  EXPECT_EQ(f.Read("a.mvk").toStdString(), kNew);
  EXPECT_FALSE(created) << "a new file needs a folder that takes it";
  EXPECT_EQ(f.Files(), QStringList{"a.mvk"});
  EXPECT_TRUE(kept.Files().isEmpty()) << "the copy of a finished save is dropped";
}

TEST(SaveWholeFile, AFailedWriteInPlaceGetsTheOldContentsBack) {
  Folder f;
  const KeptCopies kept(f);
  f.Write("a.mvk", kOld);
  ScopedReadOnlyFolder::MakeWritable(f.Path("a.mvk"));
  bool saved = true;
  {
    ScopedReadOnlyFolder readOnly(f.dir.path());
    ASSERT_TRUE(readOnly.Ok());
    ScopedFileSizeLimit full(1000);
    ASSERT_TRUE(full.Ok());
    saved = SaveWholeFile(f.Path("a.mvk"), kNew);
  }
  EXPECT_FALSE(saved);
  EXPECT_EQ(f.Read("a.mvk"), kOld);
  EXPECT_TRUE(kept.Files().isEmpty());
}

// The program killed between the open that empties a file written in place and the write:
// the next start puts the old contents back.
TEST(SaveWholeFile, AWriteInPlaceCutShortByAKillIsUndoneAtTheNextStart) {
  Folder f;
  const KeptCopies kept(f);
  f.Write("a.mvk", kOld);
  f.Write("b.mvk", kOld);
  ScopedReadOnlyFolder::MakeWritable(f.Path("a.mvk"));
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ScopedReadOnlyFolder readOnly(f.dir.path());
    SetInPlaceOpenedHook([] { _exit(9); });
    SaveWholeFile(f.Path("a.mvk"), kNew);
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  ASSERT_EQ(WEXITSTATUS(status), 9) << "the save reached the write in place";
  chmod(QFile::encodeName(f.dir.path()).constData(), 0700);
  ASSERT_EQ(f.Read("a.mvk"), "") << "the kill left the file empty";
  EXPECT_EQ(kept.Files().size(), 1);
  // A second kept copy whose save ended (b.mvk holds the new contents) is dropped, nothing more.
  {
    ScopedReadOnlyFolder::MakeWritable(f.Path("b.mvk"));
    ScopedReadOnlyFolder readOnly(f.dir.path());
    ASSERT_TRUE(SaveWholeFile(f.Path("b.mvk"), kNew));
  }
  EXPECT_EQ(RestoreUnfinishedSaves(), 1);
  EXPECT_EQ(f.Read("a.mvk"), kOld);
  EXPECT_EQ(f.Read("b.mvk").toStdString(), kNew);
  EXPECT_TRUE(kept.Files().isEmpty());
  EXPECT_EQ(RestoreUnfinishedSaves(), 0);
}

// Links are followed to their end: only a regular file (or nothing) there is written.
TEST(SaveWholeFile, NeverReplacesAPipeADeviceOrAFolderALinkPointsTo) {
  Folder f;
  ASSERT_EQ(mkfifo(QFile::encodeName(f.Path("pipe")).constData(), 0666), 0);
  QDir(f.dir.path()).mkdir("folder");
  f.Write("regular", kOld);
  struct Link { const char* name; const char* to; bool written; } links[] = {
      {"to-pipe", "pipe", false},        {"to-folder", "folder", false}, {"to-link-to-pipe", "to-pipe", false},
      {"circle-a", "circle-b", false},   {"circle-b", "circle-a", false}, {"to-regular", "regular", true},
      {"to-nothing", "created", true},
  };
  for (const Link& l : links) ASSERT_TRUE(QFile::link(l.to, f.Path(l.name))) << l.name;
  for (const Link& l : links) {
    QString error;
    EXPECT_EQ(SaveWholeFile(f.Path(l.name), kNew, &error), l.written) << l.name;
    EXPECT_EQ(error.isEmpty(), l.written) << l.name;
    EXPECT_TRUE(QFileInfo(f.Path(l.name)).isSymLink()) << l.name << ": the link stays a link";
  }
  EXPECT_FALSE(SaveWholeFile(f.Path("pipe"), kNew));
  struct stat st {};
  ASSERT_EQ(lstat(QFile::encodeName(f.Path("pipe")).constData(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode)) << "the pipe is still a pipe";
  EXPECT_TRUE(QFileInfo(f.Path("folder")).isDir());
  EXPECT_EQ(f.Read("regular").toStdString(), kNew);
  EXPECT_EQ(f.Read("created").toStdString(), kNew);
}

}  // namespace
}  // namespace morvik
