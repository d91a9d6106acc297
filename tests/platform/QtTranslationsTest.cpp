// Qt's Japanese texts on the standard buttons, and the note when they are not installed.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTranslator>

#include "platform/QtTranslations.h"

namespace morvik {
namespace {

QString ButtonText(QMessageBox::StandardButton which) {
  QMessageBox box;
  box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  return box.button(which)->text();
}

TEST(QtTranslations, MessageBoxButtonsSpeakJapanese) {
  const QString folder = QtTranslationsFolder();
  if (!QFile::exists(folder + "/qtbase_ja.qm")) GTEST_SKIP() << "Qt's Japanese translations are not installed";
  QTranslator japanese;  // removed from the application again when it goes
  QString missing;
  ASSERT_TRUE(InstallQtJapanese(japanese, folder, &missing)) << missing.toStdString();
  EXPECT_TRUE(missing.isEmpty());
  EXPECT_TRUE(ButtonText(QMessageBox::Yes).startsWith("はい")) << ButtonText(QMessageBox::Yes).toStdString();
  EXPECT_TRUE(ButtonText(QMessageBox::No).startsWith("いいえ")) << ButtonText(QMessageBox::No).toStdString();
  EXPECT_TRUE(ButtonText(QMessageBox::Cancel).startsWith("キャンセル")) << ButtonText(QMessageBox::Cancel).toStdString();
}

TEST(QtTranslations, MissingTranslationsAreNamedAndChangeNothing) {
  QTemporaryDir empty;
  const QString english = ButtonText(QMessageBox::Yes);
  QTranslator japanese;
  QString missing;
  EXPECT_FALSE(InstallQtJapanese(japanese, empty.path(), &missing));
  EXPECT_TRUE(missing.contains("qtbase_ja.qm")) << missing.toStdString();
  EXPECT_TRUE(missing.contains(empty.path())) << missing.toStdString();
  EXPECT_EQ(ButtonText(QMessageBox::Yes), english);
}

}  // namespace
}  // namespace morvik
