#include "shell/ResetProgress.h"

namespace morvik {

bool ResetProgress(MessageBoxes& messages, PlayInfo& info) {
  const MsgResult answer =
      messages.Show(QStringLiteral("プレイデータを消去し、どのステージもクリアしていない状態にします。"),
                    QStringLiteral("データ消去"), MsgIcon::Warning, MsgButtons::YesNoDefaultNo);
  if (answer != MsgResult::Yes) return false;
  info.stageReached = 1;
  return true;
}

}  // namespace morvik
