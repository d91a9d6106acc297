#pragma once
// The play information file on disk: "PlayInfo.DAT" in the program folder, found without
// regard to letter case. When the program folder cannot be written (an installed copy), the
// file lives in the user's data folder instead, so that progress is never lost.
#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <functional>

#include "platform/MessageBoxes.h"
#include "shell/PlayInfoFormat.h"

namespace morvik {

class PlayInfoFile {
 public:
  // folderWritable decides whether the program folder takes the file; by default a file is
  // created there and removed again to find out.
  using WritableCheck = std::function<bool(const QString& folder)>;
  PlayInfoFile(QString programDir, MessageBoxes& messages, WritableCheck folderWritable = {});

  // Reads the file on top of current (see DecodePlayInfo). A missing file gives the record of
  // a new player (settings on, story 0, reserved 1 and 1) with stageReached kept, and no
  // message. A damaged or unreadable file shows the error message and gives what the reader
  // kept. The file Save writes is read first; a file in the other place (program folder or
  // data folder) adds its farther stage, if it has one.
  PlayInfo Load(const PlayInfo& current);

  // An installed program: the file lives in the user's data folder only, whatever the
  // program's folders allow. While the data folder has none, a copy in the first of
  // importFolders holding one (beside the program, or where an older install kept it) is read
  // once and saved to the data folder; it is never written nor removed.
  void ImportOnlyFrom(QStringList importFolders);

  // Removes the file of the other place, so that a progress reset is not undone by it at the
  // next Load. False if it is there and cannot be removed.
  bool RemoveOtherCopy();
  // The file RemoveOtherCopy removes, or empty.
  QString OtherCopy() const;

  // Removes what saves killed before their end left behind in both places (temporary files
  // of the play information file at least a minute old); returns how many.
  int RemoveStaleTemporaries(const QDateTime& now = QDateTime::currentDateTime()) const;

  // Replaces the file whole, with today's date. The file is read again first and a farther
  // stage it holds (another copy of the game saved it) is kept, unless the progress is being
  // reset; *saved receives what was written. A failed write leaves the old file as it was
  // and returns false; LastError() then says why.
  enum class Progress { KeepFarthest, Reset };
  bool Save(const PlayInfo& info, Progress progress = Progress::KeepFarthest, PlayInfo* saved = nullptr);

  // The file Save writes and Load reads first.
  QString Path() const;
  QString LastError() const { return lastError_; }
  bool UsesDataFolder() const { return !programWritable_; }

  // The date line: the locale's short date form, or yyyy/MM/dd when that is not plain ASCII
  // (the line is written byte for byte and must not depend on a character set).
  static QString DateText(QDate date, const QLocale& locale = QLocale::system());

 private:
  QString FolderFor(bool programFolder) const;
  // The folder Save does not write, or empty when there is no data folder.
  QString OtherFolder() const;
  PlayInfoRead ReadOne(const QString& path, const PlayInfo& current) const;
  PlayInfo Fail(PlayInfo kept);
  PlayInfo LoadInstalled(const PlayInfo& current);

  QString programDir_;
  MessageBoxes& messages_;
  bool programWritable_ = true;
  bool installed_ = false;
  QStringList importFolders_;
  QString lastError_;
};

}  // namespace morvik
