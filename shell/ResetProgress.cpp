#include "shell/ResetProgress.h"

#include <QCoreApplication>

namespace morvik {

bool ResetProgress(MessageBoxes& messages, PlayInfo& info) {
  const MsgResult answer =
      messages.Show(QCoreApplication::translate("ResetProgress", "プレイデータを消去し、どのステージもクリアしていない状態にします。"),
                    QCoreApplication::translate("ResetProgress", "データ消去"), MsgIcon::Warning, MsgButtons::YesNoDefaultNo);
  if (answer != MsgResult::Yes) return false;
  info.stageReached = 1;
  return true;
}

}  // namespace morvik
