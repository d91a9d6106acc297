// The play screen's answer files: recording the moves of a test play, saving them, and the
// guide that marks the next move of a loaded answer on the field.
#include <QCoreApplication>
#include <QApplication>
#include <QFile>

#include "play/FieldWidget.h"
#include "core/SoundEffects.h"
#include "play/FormMain.h"
#include "play/StageLoader.h"
#include "platform/SaveFile.h"
#include "stagedata/AnswerFormat.h"

namespace morvik {

namespace {
constexpr int kGuideBlinkMs = 200;
}

void FormMain::AnswerAppend(int x, int y, int action) {
  game_.ansData += AnswerRecordText({action % 10, x % 10, y % 10}) + "\r\n";
}

void FormMain::CheckGuideNext(int action, int x, int y) {
  if (!guide_.Check(action, x, y)) return;
  PutGuide();
  if (action == 0) platform_.sound.PlayEffect(sfx::GuideStep);
}

// Marks the guide's move on the field, or ends the guide after its last move; the mark keeps
// whichever blink state it had, until the stage ends.
void FormMain::PutGuide() {
  if (!guide_.Running()) {
    platform_.scheduler.Cancel(ansTimer_);
    ansTimer_ = 0;
    return;
  }
  scene_.guide.picture = guide_.Action();
  scene_.guide.pos = QPoint(guide_.X() * CellPixels, guide_.Y() * CellPixels);
  field_->update();
}

void FormMain::TimerAns_Timer() {
  scene_.guide.visible = !scene_.guide.visible;
  field_->update();
  ansTimer_ = platform_.scheduler.After(kGuideBlinkMs, [this] { TimerAns_Timer(); });
}

void FormMain::StopGuide() {
  platform_.scheduler.Cancel(ansTimer_);
  ansTimer_ = 0;
  guide_.Stop();
}

void FormMain::ComAns_Click() {
  setFocus();
  LoadAnsData();
}

void FormMain::LoadAnsData() {
  const QString path = QString::fromStdString(AnswerPathFor(game_.mapFilePath));
  StopGuide();
  FileOpenError why;
  const auto text = ReadRegularFile(QFile::encodeName(path).toStdString(), AnswerFileMaxBytes, &why);
  if (!text && why.kind != FileOpenError::Kind::Missing) {
    platform_.messages.Show(QCoreApplication::translate("FormMain", "アンサーファイルを読み込めません。\n%1\n%2").arg(path, QString::fromStdString(FileErrorText(why))),
                            QCoreApplication::translate("FormMain", "アンサーファイル読み込みエラー"), MsgIcon::Error, MsgButtons::Ok);
    return;
  }
  if (!text) {
    platform_.messages.Show(QCoreApplication::translate("FormMain", "次のアンサーファイルが見つかりません。\n%1").arg(path), QCoreApplication::translate("FormMain", "メッセージ"),
                            MsgIcon::Information, MsgButtons::Ok);
    return;
  }
  const auto data = ReadAnswerData(*text);
  if (!data) {
    platform_.messages.Show(QCoreApplication::translate("FormMain", "[ %1 ]\nは、アンサーファイルではありません。").arg(path),
                            QCoreApplication::translate("FormMain", "アンサーファイル読み込みエラー"), MsgIcon::Error, MsgButtons::Ok);
    return;
  }
  mnuANS_->setEnabled(true);
  guide_.Start(*data);
  PutGuide();
  ansTimer_ = platform_.scheduler.After(kGuideBlinkMs, [this] { TimerAns_Timer(); });
  platform_.sound.PlayEffect(sfx::GuideShown);
}

void FormMain::SaveAnsData() {
  const QString path = QString::fromStdString(AnswerPathFor(game_.mapFilePath));
  const std::string text = AnswerFileText(game_.ansData);
  QString reason;
  if (SaveWholeFile(path, text, &reason)) {
    platform_.messages.Show(QCoreApplication::translate("FormMain", "アンサーファイルを保存しました。\n%1").arg(path), QCoreApplication::translate("FormMain", "情報"),
                            MsgIcon::Information, MsgButtons::Ok);
  } else {
    platform_.messages.Show(QCoreApplication::translate("FormMain", "アンサーファイルが書きこめませんでした。\nファイル: %1\n%2").arg(path, reason),
                            QCoreApplication::translate("FormMain", "エラー"), MsgIcon::Error, MsgButtons::Ok);
  }
}

}  // namespace morvik
