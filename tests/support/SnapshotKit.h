#pragma once
// What the snapshot programs share: a Qt application on the offscreen platform with the
// caption face, and quiet doubles of the platform services for the screens they render.
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include "core/ModMain.h"
#include "platform/FileDialogs.h"
#include "platform/Fonts.h"
#include "platform/Platform.h"
#include "platform/VirtualScheduler.h"

namespace morvik::test {

// Answers every message box with one fixed button.
class FixedAnswer final : public MessageBoxes {
 public:
  explicit FixedAnswer(MsgResult answer = MsgResult::Ok) : answer_(answer) {}
  MsgResult Show(const QString&, const QString&, MsgIcon, MsgButtons) override { return answer_; }

 private:
  MsgResult answer_;
};

struct OffscreenApp {
  OffscreenApp(int& argc, char** argv) : app((qputenv("QT_QPA_PLATFORM", "offscreen"), argc), argv) { InstallCaptionFace(); }
  QApplication app;
};

struct SnapshotKit : OffscreenApp {
  SnapshotKit(int& argc, char** argv, const QString& picturesDir, MsgResult answer = MsgResult::Ok)
      : OffscreenApp(argc, argv), messages(answer) {
    pictures.LoadFrom(picturesDir);
  }
  ModMain game;
  VirtualScheduler scheduler;
  RecordingSound sound;
  FixedAnswer messages;
  PictureStore pictures;
  RecordingFileDialogs files;
  Platform platform{scheduler, sound, messages, pictures};
};

// Saves each named menu of the window's menu bar, opened, as <out>_<menu name>.png.
inline void SaveMenus(QMainWindow& window, const QString& out) {
  for (QMenu* menu : window.menuBar()->findChildren<QMenu*>()) {
    if (menu->objectName().isEmpty()) continue;
    menu->popup(QPoint(0, 0));
    menu->grab().save(out + "_" + menu->objectName() + ".png");
    menu->hide();
  }
}

}  // namespace morvik::test
