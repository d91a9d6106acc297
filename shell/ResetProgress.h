#pragma once
// The title's "プレイデータ消去": asks, and on Yes takes the progress back to the first stage.
#include "platform/MessageBoxes.h"
#include "shell/PlayInfoFormat.h"

namespace morvik {

// Asks the player with No preselected. On Yes stageReached becomes 1 and the answer is true;
// the story and the settings are left alone. The caller then plays the effect, saves the file
// and refills the title's stage list.
bool ResetProgress(MessageBoxes& messages, PlayInfo& info);

}  // namespace morvik
