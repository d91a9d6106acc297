// Pictures that are missing, cannot be decoded or have the wrong size: each is replaced by a
// placeholder that can be seen, figures included, and the player is told once.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "platform/PictureStore.h"

namespace morvik {
namespace {

struct CountingMessages final : MessageBoxes {
  MsgResult Show(const QString& text, const QString&, MsgIcon, MsgButtons) override {
    shown << text;
    return MsgResult::Ok;
  }
  QStringList shown;
};

TEST(PictureStore, BadPicturesBecomeVisiblePlaceholdersAndThePlayerIsToldOnce) {
  QTemporaryDir dir;
  QImage good(32, 32, QImage::Format_ARGB32);
  good.fill(Qt::red);
  ASSERT_TRUE(good.save(dir.filePath("elm_00.png")));
  ASSERT_TRUE(QImage(5, 5, QImage::Format_ARGB32).save(dir.filePath("elm_11.png")));  // wrong size
  QFile cut(dir.filePath("elm_10.png"));  // the hero's picture, cut short after its header
  ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
  cut.write(QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
  cut.close();

  PictureStore store;
  // The title asks for its pictures by name before the tiles are read: a missing one is still
  // told with the tiles' (and only once however often the tiles are read).
  store.UseFolder(dir.path());
  store.Named("title_portrait");
  store.LoadFrom(dir.path());
  store.LoadFrom(dir.path());
  EXPECT_EQ(store.Missing().count("title_portrait"), 1);
  EXPECT_EQ(store.Missing().count("elm_10"), 1);
  EXPECT_FALSE(store.Missing().contains("elm_00"));
  EXPECT_TRUE(store.Missing().contains("elm_10"));
  EXPECT_TRUE(store.Missing().contains("elm_11"));
  EXPECT_EQ(store.Elm(0).pixelColor(16, 16), QColor(Qt::red));
  for (int k : {10, 11}) {
    EXPECT_EQ(store.Elm(k).size(), QSize(32, 32)) << k;
    EXPECT_GT(store.Elm(k).pixelColor(16, 5).alpha(), 100) << "a figure's placeholder must not vanish: " << k;
  }

  CountingMessages messages;
  EXPECT_TRUE(store.TellMissing(messages));
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_TRUE(messages.shown[0].contains("elm_10.png")) << messages.shown[0].toStdString();
  EXPECT_FALSE(store.TellMissing(messages));
  EXPECT_EQ(messages.shown.size(), 1);
}

}  // namespace
}  // namespace morvik
