// Stage files as a player may hand them over, through the loader the play screen uses: each
// damaged or unusual file gives a message that says what is wrong, and none blocks.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "play/StageLoader.h"
#include "tests/play/PlayFixture.h"

namespace morvik {
namespace {

using test::StageBlock;

void Write(const QString& path, const std::string& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

TEST(StageLoader, DamagedAndUnusualFilesAreRefusedWithTheReason) {
  QTemporaryDir dir;
  const std::string good = StageBlock(1, {".@. . .y"});
  const auto at = [&](const char* name) { return dir.filePath(QString::fromLatin1(name)); };
  Write(at("empty.dat"), "");
  Write(at("cut.dat"), good.substr(0, good.size() / 2));
  Write(at("large.dat"), "");
  ASSERT_TRUE(QFile::resize(at("large.dat"), 64 << 20));  // sparse: 64 MB of nothing
  std::string crOnly = good;
  std::erase(crOnly, '\n');
  Write(at("cr.dat"), crOnly);
  ASSERT_EQ(mkfifo(QFile::encodeName(at("fifo.dat")).constData(), 0600), 0);
  ASSERT_TRUE(QFile::link("/dev/zero", at("zero.dat")));
  ASSERT_TRUE(QDir(dir.path()).mkdir("folder.dat"));

  struct Row { const char* file; bool notFound; QString says; } rows[] = {
      {"empty.dat", true, "データが見つかりません。"},
      {"cut.dat", false, "ファイルが終わっています"},
      {"large.dat", false, "大きすぎます"},
      {"cr.dat", false, "CRだけ"},
      {"fifo.dat", false, "ふつうのファイルではありません"},
      {"zero.dat", false, "ふつうのファイルではありません"},
      {"folder.dat", false, "フォルダです"},
      {"missing.dat", false, "見つかりません"},
  };
  for (const Row& r : rows) {
    ModMain game;
    game.mapFilePath = at(r.file).toStdString();
    game.stageNo = 1;
    int next = 0;
    const auto failure = LoadStageInto(game, next);
    ASSERT_TRUE(failure) << r.file;
    EXPECT_EQ(failure->notFound, r.notFound) << r.file;
    EXPECT_TRUE(failure->message.contains(r.says)) << r.file << ": " << failure->message.toStdString();
  }
}

TEST(StageLoader, StageMusicBeyondTheStageNumbersPlaysNothing) {
  QTemporaryDir dir;
  const QString path = dir.filePath("mapdata.dat");
  // 13 is the ending's music and 10 a jingle: a stage must not start them.
  Write(path, StageBlock(1, {".@. . .y"}, 0, 6) + StageBlock(2, {".@. . .y"}, 0, 13) +
                  StageBlock(3, {".@. . .y"}, 0, 10));
  struct Row { int stage, music; } rows[] = {{1, 6}, {2, NoMusic}, {3, NoMusic}};
  for (const Row& r : rows) {
    ModMain game;
    game.mapFilePath = path.toStdString();
    game.stageNo = r.stage;
    int next = 0;
    ASSERT_FALSE(LoadStageInto(game, next)) << r.stage;
    EXPECT_EQ(game.stageBgm, r.music) << r.stage;
  }
}

}  // namespace
}  // namespace morvik
