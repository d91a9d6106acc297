#pragma once
// The player's message for a stage file that cannot be opened, shared by the play screen and
// the editor so that both say it in the same words.
#include <QString>

namespace morvik {

// The message of a stage file that cannot be opened, with the reason.
QString CannotOpenStageFile(const QString& path, const QString& why);

}  // namespace morvik
