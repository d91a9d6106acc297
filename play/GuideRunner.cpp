#include "play/GuideRunner.h"

#include <QCoreApplication>
#include <QFile>

#include "core/Board.h"
#include "core/SoundEffects.h"
#include "platform/RegularFile.h"
#include "stagedata/AnswerFormat.h"

namespace morvik {

namespace {
constexpr int kBlinkMs = 200;
}

GuideRunner::GuideRunner(Platform& platform, FieldScene& scene, std::function<void()> repaint)
    : platform_(platform), scene_(scene), repaint_(std::move(repaint)) {}

GuideRunner::~GuideRunner() { platform_.scheduler.Cancel(blinkTimer_); }

bool GuideRunner::Load(const std::string& mapFilePath) {
  const QString path = QString::fromStdString(AnswerPathFor(mapFilePath));
  Stop();
  FileOpenError why;
  const auto text = ReadRegularFile(QFile::encodeName(path).toStdString(), AnswerFileMaxBytes, &why);
  if (!text && why.kind != FileOpenError::Kind::Missing) {
    platform_.messages.Show(QCoreApplication::translate("FormMain", "アンサーファイルを読み込めません。\n%1\n%2").arg(path, QString::fromStdString(FileErrorText(why))),
                            QCoreApplication::translate("FormMain", "アンサーファイル読み込みエラー"), MsgIcon::Error, MsgButtons::Ok);
    return false;
  }
  if (!text) {
    platform_.messages.Show(QCoreApplication::translate("FormMain", "次のアンサーファイルが見つかりません。\n%1").arg(path), QCoreApplication::translate("FormMain", "メッセージ"),
                            MsgIcon::Information, MsgButtons::Ok);
    return false;
  }
  const auto data = ReadAnswerData(*text);
  if (!data) {
    platform_.messages.Show(QCoreApplication::translate("FormMain", "[ %1 ]\nは、アンサーファイルではありません。").arg(path),
                            QCoreApplication::translate("FormMain", "アンサーファイル読み込みエラー"), MsgIcon::Error, MsgButtons::Ok);
    return false;
  }
  guide_.Start(*data);
  Mark();
  blinkTimer_ = platform_.scheduler.After(kBlinkMs, [this] { Blink(); });
  platform_.sound.PlayEffect(sfx::GuideShown);
  return true;
}

void GuideRunner::MoveMade(int action, int x, int y) {
  if (!guide_.Running() || !guide_.Check(action, x, y)) return;
  Mark();
  if (action == 0) platform_.sound.PlayEffect(sfx::GuideStep);
}

void GuideRunner::Rewind(const AnswerGuide& to) {
  if (!guide_.Running() || !to.Running()) return;
  guide_ = to;
  Mark();
}

// The mark keeps whichever blink state it had; after the guide's last move the blinking ends
// and the mark stays until the stage ends.
void GuideRunner::Mark() {
  if (!guide_.Running()) {
    platform_.scheduler.Cancel(blinkTimer_);
    blinkTimer_ = 0;
    return;
  }
  scene_.guide.picture = guide_.Action();
  scene_.guide.pos = QPoint(guide_.X() * CellPixels, guide_.Y() * CellPixels);
  repaint_();
}

void GuideRunner::Blink() {
  scene_.guide.visible = !scene_.guide.visible;
  repaint_();
  blinkTimer_ = platform_.scheduler.After(kBlinkMs, [this] { Blink(); });
}

void GuideRunner::Stop() {
  platform_.scheduler.Cancel(blinkTimer_);
  blinkTimer_ = 0;
  guide_.Stop();
}

}  // namespace morvik
