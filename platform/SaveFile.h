#pragma once
// Saving a whole file so that a failed save never leaves a damaged one. Every file the player
// earns or writes goes through here: answer files, stage files, the play information and the
// settings files.
#include <QString>
#include <string_view>

namespace morvik {

// Replaces the file at path with bytes. The bytes go to a temporary file beside it, which
// takes the file's place only when every byte was written and flushed; a failed save leaves
// the old file as it was and returns false with the reason in *error.
//
// Links are followed to their final target, which must be a regular file or not exist: a
// device, a pipe or a folder is never replaced nor written.
//
// A file the player may write in a folder the player may not write cannot have a temporary
// file beside it: only then is the file written in place, after a copy of its old contents
// was kept in the unfinished-saves folder. Should that write fail, the old contents are
// written back at once; should the program be killed during it, RestoreUnfinishedSaves puts
// them back at the next start. Without a kept copy the file is not written in place.
bool SaveWholeFile(const QString& path, std::string_view bytes, QString* error = nullptr);

// Puts back the old contents of every file whose write in place was cut short (the file is
// not what the save was writing); the kept copies of finished saves are dropped. Each file
// put back is named on the standard error. Returns how many were put back.
int RestoreUnfinishedSaves();

// Where the copies are kept: by default "unfinished-saves" in the user's data folder.
void SetUnfinishedSavesFolder(const QString& folder);
QString UnfinishedSavesFolder();

// For tests: called after a file to be written in place was opened and emptied, before the
// first byte is written (a test kills its process there).
void SetInPlaceOpenedHook(void (*hook)());

}  // namespace morvik
