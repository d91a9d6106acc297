#pragma once
// Saving a whole file so that a failed save never leaves a damaged one. Every file the player
// earns or writes goes through here: answer files, stage files and the play information.
#include <QString>
#include <string_view>

namespace morvik {

// Replaces the file at path with bytes. The bytes go to a temporary file beside it, which
// takes the file's place only when every byte was written and flushed; a failed save leaves
// the old file as it was and returns false with the reason in *error.
//
// A file the player may write in a folder the player may not write cannot have a temporary
// file beside it: only then is the file written in place. Should that write fail, the old
// contents are written back.
bool SaveWholeFile(const QString& path, std::string_view bytes, QString* error = nullptr);

}  // namespace morvik
