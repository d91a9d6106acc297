// The game in English: the choice of language (Japanese unless English is asked for, kept in the
// settings), and the screens with the English translation installed: the title bar, and not a
// Japanese word left in any menu, button or caption of the title, play and editor screens, nor in
// a stage file's error.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTranslator>

#include "editor/FormEdit.h"
#include "platform/FileDialogs.h"
#include "platform/Language.h"
#include "platform/SettingsFile.h"
#include "platform/VirtualScheduler.h"
#include "play/FormMain.h"
#include "shell/Application.h"
#include "shell/FormTitle.h"
#include "stagedata/StageReader.h"
#include "tests/play/PlayFixture.h"

namespace morvik {
namespace {

bool HasJapanese(const QString& text) {
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if ((u >= 0x3000 && u <= 0x30ff) || (u >= 0x4e00 && u <= 0x9fff) || (u >= 0xff00 && u <= 0xffef)) return true;
  }
  return false;
}

TEST(Language, JapaneseUnlessEnglishIsAskedFor) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("settings.ini"));
  SettingsFile settings(path);
  EXPECT_EQ(Language::Stored(settings), Language::Japanese);
  settings.SetValue(QStringLiteral("view/language"), QStringLiteral("fr"));
  EXPECT_EQ(Language::Stored(settings), Language::Japanese);
  EXPECT_TRUE(Language::Store(settings, Language::English));
  EXPECT_FALSE(Language::Store(settings, QStringLiteral("xx")));  // refused: the kept choice stays
  EXPECT_EQ(Language::Stored(SettingsFile(path)), Language::English);  // kept in the file for the next start

  struct Case {
    QStringList args;
    QString language;
    bool error;
  } cases[] = {
      {{"morvik"}, "", false},
      {{"morvik", "--lang", "en"}, "en", false},
      {{"morvik", "--lang=EN"}, "en", false},
      {{"morvik", "--lang", "ja"}, "ja", false},
      {{"morvik", "--lang", "fr"}, "", true},
      {{"morvik", "--lang"}, "", true},
  };
  for (const Case& c : cases) {
    QString error;
    EXPECT_EQ(Language::FromArguments(c.args, &error), c.language) << c.args.join(' ').toStdString();
    EXPECT_EQ(!error.isEmpty(), c.error) << c.args.join(' ').toStdString();
  }
}

// The English translation of the build, installed for one test.
struct English {
  English() {
    installed = Language::Install(Language::English, translator, QStringLiteral(MORVIK_TEST_PROGRAM_DIR "/translations"), &missing);
  }
  ~English() {
    QCoreApplication::removeTranslator(&translator);
    QTranslator none;
    Language::Install(Language::Japanese, none, QString());
  }
  QTranslator translator;
  QString missing;
  bool installed = false;
};

// Every text a window shows in its menus, buttons, labels and title that is still Japanese.
QStringList JapaneseLeft(QWidget& window) {
  QStringList left;
  auto check = [&left](const QString& where, const QString& text) {
    QString rest = text;
    rest.remove(QStringLiteral("Language / 言語")).remove(QStringLiteral("日本語"));  // the language menu's own names
    if (HasJapanese(rest)) left << where + QStringLiteral(": ") + text;
  };
  check(QStringLiteral("title"), window.windowTitle());
  for (QMenu* menu : window.findChildren<QMenu*>()) {
    check(QStringLiteral("menu"), menu->title());
    for (QAction* a : menu->actions()) check(QStringLiteral("menu item"), a->text());
  }
  for (QAbstractButton* b : window.findChildren<QAbstractButton*>()) check(QStringLiteral("button"), b->text());
  for (QLabel* l : window.findChildren<QLabel*>()) check(QStringLiteral("label"), l->text());
  for (QGroupBox* g : window.findChildren<QGroupBox*>()) check(QStringLiteral("box"), g->title());
  return left;
}

TEST(English, EveryScreenSpeaksEnglish) {
  English english;
  ASSERT_TRUE(english.installed) << english.missing.toStdString();
  ASSERT_TRUE(Language::IsEnglish());

  QTemporaryDir dir;
  {
    QFile map(dir.filePath(QStringLiteral("mapdata.dat")));
    ASSERT_TRUE(map.open(QIODevice::WriteOnly));
    map.write(QByteArray::fromStdString(test::StageBlock(1, {".@.y"})));
  }
  VirtualScheduler scheduler;
  RecordingSound sound;
  test::AnsweringMessages messages;
  RecordingFileDialogs files;
  PictureStore pictures;
  Application app(dir.path(), Application::Services{scheduler, sound, messages, files, pictures});
  app.onEnd = [] {};
  app.Main();

  EXPECT_EQ(app.Title().windowTitle(), QStringLiteral("Morvik 2.00 beta"));
  EXPECT_EQ(JapaneseLeft(app.Title()), QStringList());
  EXPECT_EQ(JapaneseLeft(app.Edit()), QStringList());
  app.Game().stageNo = 1;
  app.ChangeScreen(Application::Screen::ChosenStage);
  scheduler.Advance(2000);
  EXPECT_EQ(JapaneseLeft(app.Play()), QStringList());
  for (const QString& shown : messages.shown) EXPECT_FALSE(HasJapanese(shown)) << shown.toStdString();

  // The pure libraries' texts come through the same translation.
  const StageResult bad = ReadStage(std::string_view("@00\r\nxx\r\n"), StageRequest{0, true, false});
  ASSERT_TRUE(std::holds_alternative<StageError>(bad));
  const std::string message = StageErrorMessage(std::get<StageError>(bad), "bad.mvk");
  EXPECT_FALSE(HasJapanese(QString::fromStdString(message))) << message;
}

}  // namespace
}  // namespace morvik
