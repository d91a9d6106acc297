// The play screen's answer files: recording the moves of a test play and saving them, and
// the guide started from the answer button.
#include <QAction>
#include <QCoreApplication>

#include "play/FormMain.h"
#include "platform/SaveFile.h"
#include "stagedata/AnswerFormat.h"

namespace morvik {

void FormMain::AnswerAppend(int x, int y, int action) {
  game_.ansData += AnswerRecordText({action % 10, x % 10, y % 10}) + "\r\n";
}

void FormMain::ComAns_Click() {
  setFocus();
  if (guideRunner_.Load(game_.mapFilePath)) mnuANS_->setEnabled(true);
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
