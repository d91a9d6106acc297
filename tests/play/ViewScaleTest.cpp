// The view size, in a process started at 2×: the field on screen is the 1× field with every
// pixel doubled, no blur; the menu on each window and the first start's choice.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenuBar>
#include <QTemporaryDir>

#include "platform/ViewScale.h"
#include "tests/play/PlayFixture.h"

namespace morvik {
namespace {

using test::PlayFixture;
using test::StageBlock;

TEST(ViewScale, TheFieldAtTwiceIsTheFieldAtOnceScaledExactly) {
  ASSERT_EQ(ViewScale::Current(), 2);
  // Water, sand and grass for shores; a stone sunk and a flower taken on the way.
  PlayFixture p(StageBlock(1, {".@.S. ~ : ", ",y, ", "~ ~ "}));
  p.pictures.LoadFrom(QStringLiteral(MORVIK_PROGRAM_DIR "/pictures"));
  p.Start(1);
  for (int key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Left, Qt::Key_Down}) {
    p.Key(key);
    p.Advance(1000);
  }
  const QImage once = p.form->GrabField().convertToFormat(QImage::Format_RGB32);
  const QImage onScreen = p.form->GrabFieldOnScreen().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(onScreen.size(), once.size() * 2);
  const QImage doubled = once.scaled(once.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  int differing = 0;
  for (int y = 0; y < doubled.height(); ++y)
    for (int x = 0; x < doubled.width(); ++x) differing += onScreen.pixel(x, y) != doubled.pixel(x, y);
  EXPECT_EQ(differing, 0);
  EXPECT_NE(once.pixel(16, 16), once.pixel(16 + 32 * 3, 16)) << "the field shows more than one colour";
}

TEST(ViewScale, FirstChoiceAndTheKeptSetting) {
  struct Row { int wide; double ratio; int scale; } rows[] = {
      {1920, 1, 1}, {2560, 1, 2}, {3840, 1, 2}, {3840, 2, 1}, {2559, 1, 1}};
  for (const Row& r : rows) EXPECT_EQ(ViewScale::FirstChoice(r.wide, r.ratio), r.scale) << r.wide << " " << r.ratio;

  QTemporaryDir dir;
  const QString file = dir.filePath("morvik.conf");
  {
    SettingsFile s(file);
    EXPECT_EQ(ViewScale::Stored(s), 0);
    EXPECT_TRUE(ViewScale::Store(s, 3));
    EXPECT_FALSE(ViewScale::Store(s, 7));  // no such size: the kept one stays
  }
  SettingsFile again(file);
  EXPECT_EQ(ViewScale::Stored(again), 3);
  again.SetValue("view/scale", "large");
  EXPECT_EQ(ViewScale::Stored(again), 0);
}

TEST(ViewScale, MenuSitsBeforeHelpAndReportsTheChoice) {
  PlayFixture p(StageBlock(1, {".@"}));
  int chosen = 0;
  ViewScale::AddMenu(*p.form, [&](int s) { chosen = s; });
  const QList<QAction*> menus = p.form->menuBar()->actions();
  ASSERT_GE(menus.size(), 2);
  QMenu* view = menus[menus.size() - 2]->menu();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->title(), "表示(&V)");
  ASSERT_EQ(view->actions().size(), 3);
  EXPECT_TRUE(view->actions()[1]->isChecked()) << "this run's size";
  view->actions()[2]->trigger();
  EXPECT_EQ(chosen, 3);
  EXPECT_TRUE(view->actions()[2]->isChecked());
}

TEST(ViewScale, OnlySizesWhoseWindowFitsTheScreenAreOffered) {
  // The editor's frame at 1x on screens' free areas (panels left out), as seen at size 1.
  struct Row { QSize window, available; int largest; } rows[] = {
      {{700, 560}, {1600, 1160}, 2},  // 1600x1200 less a panel: 3x would be 1680 wide
      {{700, 560}, {2560, 1400}, 2},
      {{700, 560}, {3840, 2120}, 3},
      {{700, 560}, {2100, 1680}, 3},   // exactly
      {{700, 560}, {2099, 1680}, 2},
      {{700, 560}, {800, 500}, 1},     // even 1x is too large: 1 all the same
  };
  for (const Row& r : rows) EXPECT_EQ(ViewScale::LargestFitting(r.window, r.available), r.largest) << r.available.width();

  PlayFixture p(StageBlock(1, {".@"}));
  ViewScale::AddMenu(*p.form, {});
  const QList<QAction*> menus = p.form->menuBar()->actions();
  QMenu* view = menus[menus.size() - 2]->menu();
  ViewScale::OfferUpTo(2);
  EXPECT_TRUE(view->actions()[1]->isVisible());
  EXPECT_FALSE(view->actions()[2]->isVisible());
  PlayFixture later(StageBlock(1, {".@"}));
  ViewScale::AddMenu(*later.form, {});
  EXPECT_FALSE(later.form->menuBar()->actions()[menus.size() - 2]->menu()->actions()[2]->isVisible()) << "a menu made later too";
  ViewScale::OfferUpTo(3);
  EXPECT_TRUE(view->actions()[2]->isVisible());

  QTemporaryDir dir;
  {
    SettingsFile s(dir.filePath("morvik.conf"));
    EXPECT_FALSE(ViewScale::StoredWindow(s).isValid());
    EXPECT_TRUE(ViewScale::StoreWindow(s, {700, 560}));
  }
  SettingsFile again(dir.filePath("morvik.conf"));
  EXPECT_EQ(ViewScale::StoredWindow(again), QSize(700, 560));
  again.SetValue("view/window", "700x");
  EXPECT_FALSE(ViewScale::StoredWindow(again).isValid());
}

}  // namespace
}  // namespace morvik

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qunsetenv("QT_SCALE_FACTOR");
  morvik::ViewScale::ApplyBeforeStart(2);
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
