// The play information file on disk, in temporary folders: first start, damaged files, the
// name in any letter case, the data folder of an installed copy, failed saves, and the reset
// of the progress.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <deque>
#include <ostream>
#include <vector>

#include "shell/PlayInfoFile.h"
#include "shell/ProgramFolders.h"
#include "shell/ResetProgress.h"

namespace morvik {

void PrintTo(const PlayInfo& p, std::ostream* os) {
  *os << "{music " << p.musicOn << ", effects " << p.effectsOn << ", reached " << p.stageReached << ", story "
      << p.storyNo << ", reserved " << p.reserved1 << "/" << p.reserved2 << "}";
}

namespace {

struct Asked {
  QString text, title;
  MsgIcon icon;
  MsgButtons buttons;
};

class RecordingMessages final : public MessageBoxes {
 public:
  MsgResult Show(const QString& text, const QString& title, MsgIcon icon, MsgButtons buttons) override {
    asked.push_back({text, title, icon, buttons});
    if (answers.empty()) return MsgResult::Ok;
    const MsgResult r = answers.front();
    answers.pop_front();
    return r;
  }
  std::vector<Asked> asked;
  std::deque<MsgResult> answers;
};

const QString DamagedText = QStringLiteral("セーブデータが読めません。\nこれまでセーブされたものは、すべて無効となります。");

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
  ASSERT_EQ(f.write(bytes), bytes.size());
}

QByteArray ReadBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

QByteArray Encoded(const PlayInfo& info) {
  const std::string s = EncodePlayInfo(info, "2024/03/05");
  return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

class PlayInfoFileTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(root.isValid());
    hadXdg = qEnvironmentVariableIsSet("XDG_DATA_HOME");
    savedXdg = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", root.filePath(QStringLiteral("data")).toLocal8Bit());
    program = root.filePath(QStringLiteral("program"));
    ASSERT_TRUE(QDir().mkpath(program));
  }
  void TearDown() override {
    if (hadXdg) qputenv("XDG_DATA_HOME", savedXdg);
    else qunsetenv("XDG_DATA_HOME");
  }
  static QString DataFolder() { return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation); }
  QString InProgram(const QString& name) const { return QDir(program).filePath(name); }
  // A folder that can never be created, whoever runs the test: its parent is a regular file.
  QString BelowAFile(const QString& name) {
    const QString plain = root.filePath(QStringLiteral("plain"));
    if (!QFile::exists(plain)) WriteBytes(plain, "x");
    return plain + QLatin1Char('/') + name;
  }

  QTemporaryDir root;
  QString program;
  RecordingMessages messages;
  bool hadXdg = false;
  QByteArray savedXdg;
};

TEST_F(PlayInfoFileTest, MissingFileGivesANewPlayerWithoutMessage) {
  PlayInfoFile file(program, messages);
  EXPECT_EQ(file.Load(PlayInfo{false, false, 0, 2, 4, 6}), PlayInfo{});
  EXPECT_EQ(file.Load(PlayInfo{false, false, 3, 2, 4, 6}), (PlayInfo{true, true, 3, 0, 1, 1}));
  EXPECT_TRUE(messages.asked.empty());
  EXPECT_FALSE(file.UsesDataFolder());
  EXPECT_EQ(file.Path(), InProgram(QStringLiteral("PlayInfo.DAT")));
}

TEST_F(PlayInfoFileTest, SaveWritesTheFourLinesAndLoadReadsThemBack) {
  PlayInfoFile file(program, messages);
  const PlayInfo info{false, true, 30, 1, 2, 3};
  ASSERT_TRUE(file.Save(info)) << file.LastError().toStdString();
  const QByteArray bytes = ReadBytes(InProgram(QStringLiteral("PlayInfo.DAT")));
  const QByteArray expected = "<Players' Information> For Morvik\r\n" +
                              PlayInfoFile::DateText(QDate::currentDate()).toLatin1() + "\r\nPI01Z^bdhl\r\nST)<=\r\n";
  EXPECT_EQ(bytes, expected);
  EXPECT_EQ(file.Load(PlayInfo{}), info);

  // Stages from 50 on use bytes above 127, which must come back as they were written.
  for (const int reached : {50, 90, 99}) {
    const PlayInfo far{true, false, reached, 2, 2, 3};
    ASSERT_TRUE(file.Save(far));
    EXPECT_EQ(PlayInfoFile(program, messages).Load(PlayInfo{}), far) << reached;
  }
  EXPECT_TRUE(messages.asked.empty());
}

TEST_F(PlayInfoFileTest, DateLineIsPlainAscii) {
  const QDate date(2024, 3, 5);
  EXPECT_EQ(PlayInfoFile::DateText(date, QLocale(QLocale::English, QLocale::UnitedStates)), QStringLiteral("3/5/24"));
  EXPECT_EQ(PlayInfoFile::DateText(date, QLocale(QLocale::Japanese, QLocale::Japan)), QStringLiteral("2024/03/05"));
  const QLocale arabic(QLocale::Arabic, QLocale::Egypt);
  const QString own = arabic.toString(date, QLocale::ShortFormat);
  ASSERT_TRUE(std::any_of(own.begin(), own.end(), [](QChar c) { return c.unicode() > 0x7f; }))
      << "the locale's own form was meant to be non-ASCII";
  EXPECT_EQ(PlayInfoFile::DateText(date, arabic), QStringLiteral("2024/03/05"));
}

TEST_F(PlayInfoFileTest, FileNameIsFoundInAnyLetterCase) {
  WriteBytes(InProgram(QStringLiteral("playinfo.dat")), Encoded(PlayInfo{true, true, 12, 0, 1, 1}));
  PlayInfoFile file(program, messages);
  EXPECT_EQ(file.Load(PlayInfo{}).stageReached, 12);
  ASSERT_TRUE(file.Save(PlayInfo{true, true, 13, 0, 1, 1}));
  EXPECT_EQ(QDir(program).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("playinfo.dat")});
  EXPECT_EQ(file.Load(PlayInfo{}).stageReached, 13);

  // With two spellings side by side, the one the game writes is read.
  WriteBytes(InProgram(QStringLiteral("PlayInfo.DAT")), Encoded(PlayInfo{true, true, 20, 0, 1, 1}));
  EXPECT_EQ(file.Load(PlayInfo{}).stageReached, 20);
}

TEST_F(PlayInfoFileTest, DamagedFileShowsTheMessageAndKeepsWhatWasRead) {
  struct Row { const char* name; QByteArray bytes; PlayInfo expected; } rows[] = {
      {"6th character changed", "<Players' Information> For Morvik\r\nd\r\nPI01=BEGKO\r\nST)<<\r\n",
       PlayInfo{false, true, 4, 1, 2, 2}},
      {"no progress line", "<Players' Information> For Morvik\r\n", PlayInfo{true, true, 4, 2, 3, 3}},
      {"far too large", Encoded(PlayInfo{true, true, 30, 0, 1, 1}) + QByteArray(1 << 20, 'x'),
       PlayInfo{true, true, 4, 2, 3, 3}},
  };
  for (const Row& r : rows) {
    RecordingMessages shown;
    WriteBytes(InProgram(QStringLiteral("PlayInfo.DAT")), r.bytes);
    EXPECT_EQ(PlayInfoFile(program, shown).Load(PlayInfo{false, false, 4, 2, 3, 3}), r.expected) << r.name;
    ASSERT_EQ(shown.asked.size(), 1u) << r.name;
    EXPECT_EQ(shown.asked[0].title, QStringLiteral("エラー"));
    EXPECT_EQ(shown.asked[0].text, DamagedText);
    EXPECT_EQ(shown.asked[0].icon, MsgIcon::Error);
    EXPECT_EQ(shown.asked[0].buttons, MsgButtons::Ok);
  }
}

TEST_F(PlayInfoFileTest, ProgramFolderThatCannotBeWrittenFallsBackToTheDataFolder) {
  PlayInfoFile file(BelowAFile(QStringLiteral("program")), messages);
  EXPECT_TRUE(file.UsesDataFolder());
  EXPECT_EQ(file.Path(), QDir(DataFolder()).filePath(QStringLiteral("PlayInfo.DAT")));
  EXPECT_TRUE(file.Path().startsWith(root.path()));
  EXPECT_EQ(file.Load(PlayInfo{}), PlayInfo{});

  const PlayInfo info{true, false, 21, 1, 1, 1};
  ASSERT_FALSE(QDir(DataFolder()).exists());
  ASSERT_TRUE(file.Save(info)) << file.LastError().toStdString();
  EXPECT_EQ(ReadBytes(file.Path()).mid(0, 33), QByteArray("<Players' Information> For Morvik"));
  EXPECT_EQ(PlayInfoFile(BelowAFile(QStringLiteral("program")), messages).Load(PlayInfo{}), info);
  EXPECT_TRUE(messages.asked.empty());
}

TEST_F(PlayInfoFileTest, InstalledCopyReadsTheDataFolderFirstAndSavesThere) {
  const QByteArray shipped = Encoded(PlayInfo{true, true, 12, 0, 1, 1});
  WriteBytes(InProgram(QStringLiteral("PlayInfo.DAT")), shipped);
  QStringList probed;
  PlayInfoFile file(program, messages, [&](const QString& folder) {
    probed << folder;
    return false;
  });
  EXPECT_EQ(probed, QStringList{program});
  EXPECT_EQ(file.Load(PlayInfo{}).stageReached, 12);  // nothing in the data folder yet

  ASSERT_TRUE(file.Save(PlayInfo{true, true, 20, 0, 1, 1}));
  EXPECT_EQ(ReadBytes(InProgram(QStringLiteral("PlayInfo.DAT"))), shipped);
  EXPECT_TRUE(QFile::exists(QDir(DataFolder()).filePath(QStringLiteral("PlayInfo.DAT"))));
  EXPECT_EQ(file.Load(PlayInfo{}).stageReached, 20);
}

TEST_F(PlayInfoFileTest, BothPlacesAreReadAndTheFartherStageKept) {
  // Progress saved in the data folder while the program folder was read-only survives the
  // program folder becoming writable, and the other way round; settings come from the file
  // that Save writes.
  ASSERT_TRUE(QDir().mkpath(DataFolder()));
  const QString inData = QDir(DataFolder()).filePath(QStringLiteral("PlayInfo.DAT"));
  const QString inProgram = InProgram(QStringLiteral("PlayInfo.DAT"));
  struct Row { const char* name; bool programWritable; int inProgram, inData; PlayInfo expected; } rows[] = {
      {"WritableDataFarther", true, 12, 40, {false, true, 40, 1, 1, 1}},
      {"WritableProgramFarther", true, 40, 12, {false, true, 40, 1, 1, 1}},
      {"ReadOnlyProgramFarther", false, 40, 12, {true, false, 40, 2, 1, 1}},
  };
  for (const Row& r : rows) {
    WriteBytes(inProgram, Encoded(PlayInfo{false, true, r.inProgram, 1, 1, 1}));
    WriteBytes(inData, Encoded(PlayInfo{true, false, r.inData, 2, 1, 1}));
    PlayInfoFile file(program, messages, [&](const QString&) { return r.programWritable; });
    EXPECT_EQ(file.Load(PlayInfo{}), r.expected) << r.name;
  }
  // A damaged copy in the other place is passed over without a word.
  WriteBytes(inData, "damaged");
  EXPECT_EQ(PlayInfoFile(program, messages).Load(PlayInfo{}).stageReached, 40);
  EXPECT_TRUE(messages.asked.empty());

  // After a reset the other copy goes, so that the old progress does not come back.
  WriteBytes(inData, Encoded(PlayInfo{true, true, 50, 0, 1, 1}));
  PlayInfoFile file(program, messages);
  ASSERT_TRUE(file.Save(PlayInfo{true, true, 1, 0, 1, 1}, PlayInfoFile::Progress::Reset));
  EXPECT_TRUE(file.RemoveOtherCopy());
  EXPECT_FALSE(QFile::exists(inData));
  EXPECT_EQ(file.Load(PlayInfo{}).stageReached, 1);
}

TEST_F(PlayInfoFileTest, StaleTemporaryFilesOfKilledSavesAreRemoved) {
  ASSERT_TRUE(QDir().mkpath(DataFolder()));
  const QDateTime now = QDateTime::currentDateTime();
  struct Row { QString folder, name; int ageSeconds; bool removed; } rows[] = {
      {program, "PlayInfo.DAT.aB3xQz", 3600, true},
      {DataFolder(), "playinfo.dat.Q1w2E3", 120, true},
      {program, "PlayInfo.DAT.fresh1", 5, false},  // a save of another copy may be under way
      {program, "PlayInfo.DAT.toolong7", 3600, false},
      {program, "PlayInfo.DAT", 3600, false},
      {program, "Other.DAT.aB3xQz", 3600, false},
  };
  for (const Row& r : rows) {
    const QString path = QDir(r.folder).filePath(r.name);
    WriteBytes(path, "x");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(now.addSecs(-r.ageSeconds), QFileDevice::FileModificationTime));
  }
  EXPECT_EQ(PlayInfoFile(program, messages).RemoveStaleTemporaries(now), 2);
  for (const Row& r : rows) EXPECT_EQ(QFile::exists(QDir(r.folder).filePath(r.name)), !r.removed) << r.name.toStdString();
}

TEST_F(PlayInfoFileTest, FailedWriteLeavesTheOldFileWhole) {
  PlayInfoFile file(program, messages);
  ASSERT_TRUE(file.Save(PlayInfo{true, true, 5, 0, 1, 1}));
  const QByteArray old = ReadBytes(file.Path());

  // Files of this process may not grow past 16 bytes while the save runs, whoever runs it.
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit small = saved;
  small.rlim_cur = 16;
  const sighandler_t oldHandler = signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool saved40 = file.Save(PlayInfo{true, true, 40, 0, 1, 1});
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, oldHandler);

  EXPECT_FALSE(saved40);
  EXPECT_FALSE(file.LastError().isEmpty());
  EXPECT_EQ(ReadBytes(file.Path()), old);
  EXPECT_EQ(QDir(program).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("PlayInfo.DAT")});
  EXPECT_EQ(file.Load(PlayInfo{}).stageReached, 5);
}

TEST_F(PlayInfoFileTest, SaveFailsWhenNoFolderCanTakeTheFile) {
  qputenv("XDG_DATA_HOME", BelowAFile(QStringLiteral("data")).toLocal8Bit());
  PlayInfoFile file(BelowAFile(QStringLiteral("program")), messages);
  EXPECT_FALSE(file.Save(PlayInfo{}));
  EXPECT_FALSE(file.LastError().isEmpty());
  EXPECT_EQ(file.Load(PlayInfo{}), PlayInfo{});
  EXPECT_TRUE(messages.asked.empty());
}

TEST(ResetProgress, AsksAndOnYesGoesBackToTheFirstStage) {
  struct Row { MsgResult answer; bool reset; PlayInfo after; } rows[] = {
      {MsgResult::Yes, true, PlayInfo{false, true, 1, 2, 3, 4}},
      {MsgResult::No, false, PlayInfo{false, true, 25, 2, 3, 4}},
  };
  for (const Row& r : rows) {
    RecordingMessages messages;
    messages.answers.push_back(r.answer);
    PlayInfo info{false, true, 25, 2, 3, 4};
    EXPECT_EQ(ResetProgress(messages, info), r.reset);
    EXPECT_EQ(info, r.after);
    ASSERT_EQ(messages.asked.size(), 1u);
    EXPECT_EQ(messages.asked[0].title, QStringLiteral("データ消去"));
    EXPECT_EQ(messages.asked[0].text, QStringLiteral("プレイデータを消去し、どのステージもクリアしていない状態にします。"));
    EXPECT_EQ(messages.asked[0].icon, MsgIcon::Warning);
    EXPECT_EQ(messages.asked[0].buttons, MsgButtons::YesNoDefaultNo);
  }
}

TEST_F(PlayInfoFileTest, ResetThenSaveWritesStageOneWithTheSettingsKept) {
  messages.answers.push_back(MsgResult::Yes);
  PlayInfo info{false, true, 25, 0, 1, 1};
  ASSERT_TRUE(ResetProgress(messages, info));
  PlayInfoFile file(program, messages);
  ASSERT_TRUE(file.Save(info));
  EXPECT_TRUE(ReadBytes(file.Path()).endsWith("\r\nPI01=AEGKO\r\nST(;;\r\n"));
}

TEST(ResetProgress, QtMessageBoxPreselectsNo) {
  QString title;
  bool noIsDefault = false, warning = false;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      auto* box = qobject_cast<QMessageBox*>(w);
      if (box == nullptr || !box->isVisible()) continue;
      poll.stop();
      title = box->windowTitle();
      warning = box->icon() == QMessageBox::Warning;
      noIsDefault = box->defaultButton() != nullptr && box->defaultButton() == box->button(QMessageBox::No);
      (box->defaultButton() != nullptr ? box->defaultButton() : box->button(QMessageBox::No))->click();
      return;
    }
  });
  poll.start(0);
  QtMessageBoxes messages;
  PlayInfo info{true, true, 25, 0, 1, 1};
  EXPECT_FALSE(ResetProgress(messages, info));
  EXPECT_EQ(info.stageReached, 25);
  EXPECT_EQ(title, QStringLiteral("データ消去"));
  EXPECT_TRUE(warning);
  EXPECT_TRUE(noIsDefault);
}

TEST_F(PlayInfoFileTest, TheInstalledLayoutIsFoundFromTheProgramsFolder) {
  const QString kStages = QStringLiteral("mapdata.dat");
  const QString prefix = root.filePath(QStringLiteral("usr"));
  const QString bin = prefix + QStringLiteral("/bin"), share = prefix + QStringLiteral("/share/morvik");
  ASSERT_TRUE(QDir().mkpath(bin) && QDir().mkpath(share));
  // Nothing anywhere: the program folder, where the missing files are then named.
  EXPECT_EQ(FindProgramFolders(bin, QStringLiteral("../share/morvik"), kStages).data, bin);
  EXPECT_FALSE(FindProgramFolders(bin, QStringLiteral("../share/morvik"), kStages).installed);

  WriteBytes(share + QStringLiteral("/mapdata.dat"), "@01\r\n");
  for (const QString& installedData : {QStringLiteral("../share/morvik"), share}) {
    const ProgramFolders found = FindProgramFolders(bin, installedData, kStages);
    EXPECT_TRUE(found.installed);
    EXPECT_EQ(found.data, share);
    EXPECT_EQ(found.importFrom, (QStringList{bin, share, prefix + QStringLiteral("/lib/morvik")}));
  }
  // The stages beside the program (the build folder, an unpacked copy) win.
  WriteBytes(bin + QStringLiteral("/MAPDATA.DAT"), "@01\r\n");
  const ProgramFolders beside = FindProgramFolders(bin, QStringLiteral("../share/morvik"), kStages);
  EXPECT_FALSE(beside.installed);
  EXPECT_EQ(beside.data, bin);
}

TEST_F(PlayInfoFileTest, AnInstalledProgramImportsACopyBesideItOnceAndNeverWritesIt) {
  // The program folder can be written (root's install), yet only the data folder is.
  const QString beside = InProgram(QStringLiteral("PlayInfo.DAT"));
  const QByteArray shipped = Encoded(PlayInfo{true, true, 12, 0, 1, 1});
  WriteBytes(beside, shipped);
  const QString data = QDir(DataFolder()).filePath(QStringLiteral("PlayInfo.DAT"));
  {
    PlayInfoFile file(program, messages);
    file.ImportOnlyFrom({program});
    EXPECT_TRUE(file.UsesDataFolder());
    EXPECT_EQ(file.Path(), data);
    EXPECT_EQ(file.Load(PlayInfo{}).stageReached, 12);
    EXPECT_TRUE(QFile::exists(data));  // the import is kept at once
    ASSERT_TRUE(file.Save(PlayInfo{true, true, 14, 0, 1, 1}));
  }
  EXPECT_EQ(ReadBytes(beside), shipped);
  // A farther copy beside the program is not read again, and a reset is not undone by it.
  WriteBytes(beside, Encoded(PlayInfo{true, true, 25, 0, 1, 1}));
  PlayInfoFile file(program, messages);
  file.ImportOnlyFrom({program});
  EXPECT_EQ(file.Load(PlayInfo{}).stageReached, 14);
  EXPECT_TRUE(file.OtherCopy().isEmpty());
  EXPECT_TRUE(file.RemoveOtherCopy());
  EXPECT_TRUE(QFile::exists(beside));
  ASSERT_TRUE(file.Save(PlayInfo{true, true, 1, 0, 1, 1}, PlayInfoFile::Progress::Reset));
  EXPECT_EQ(file.Load(PlayInfo{}).stageReached, 1);
  // Stale temporaries are cleared in the user's folder only.
  WriteBytes(InProgram(QStringLiteral("PlayInfo.DAT.abc123")), "x");
  QFile(InProgram(QStringLiteral("PlayInfo.DAT.abc123"))).setFileTime(QDateTime::currentDateTime().addSecs(-600), QFileDevice::FileModificationTime);
  EXPECT_EQ(file.RemoveStaleTemporaries(), 0);
  EXPECT_TRUE(messages.asked.empty());
}

TEST_F(PlayInfoFileTest, AnInstalledProgramTakesADamagedCopyBesideItForNone) {
  WriteBytes(InProgram(QStringLiteral("PlayInfo.DAT")), "not a play information file");
  PlayInfoFile file(program, messages);
  file.ImportOnlyFrom({program});
  EXPECT_EQ(file.Load(PlayInfo{}), PlayInfo{});
  EXPECT_TRUE(messages.asked.empty());
}

}  // namespace
}  // namespace morvik
