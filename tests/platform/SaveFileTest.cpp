// Saving whole files: a replaced file is whole or untouched, also when the disk is full or
// the folder takes no temporary file.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
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
}

TEST(SaveWholeFile, AFailedWriteInPlaceGetsTheOldContentsBack) {
  Folder f;
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
}

}  // namespace
}  // namespace morvik
