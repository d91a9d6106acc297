#include "shell/PlayInfoFile.h"

#include "platform/SaveFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <algorithm>
#include <string_view>
#include <utility>

#include "platform/RegularFile.h"

namespace morvik {

namespace {

const QString FileName = QStringLiteral("PlayInfo.DAT");

// The game writes some sixty bytes; a file far larger than that was not written by it, and
// is not read into memory whole.
constexpr qint64 MaxFileBytes = 1 << 20;

// The play information file in folder, whatever the letter case of its name; the spelling
// the game writes is preferred when several names match. Empty when there is none.
QString FindPlayInfo(const QString& folder) {
  const QDir dir(folder);
  const QStringList names = dir.entryList(QDir::Files | QDir::Hidden, QDir::Name);
  if (names.contains(FileName)) return dir.filePath(FileName);
  for (const QString& name : names) {
    if (name.compare(FileName, Qt::CaseInsensitive) == 0) return dir.filePath(name);
  }
  return {};
}

bool CanCreateFileIn(const QString& folder) {
  if (!QFileInfo(folder).isDir()) return false;
  QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".morvik-probe-XXXXXX")));
  return probe.open();  // the probe is removed again when it goes out of scope
}

}  // namespace

PlayInfoFile::PlayInfoFile(QString programDir, MessageBoxes& messages, WritableCheck folderWritable)
    : programDir_(std::move(programDir)), messages_(messages) {
  programWritable_ = folderWritable ? folderWritable(programDir_) : CanCreateFileIn(programDir_);
  if (QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).isEmpty()) programWritable_ = true;
}

QString PlayInfoFile::FolderFor(bool programFolder) const {
  return programFolder ? programDir_ : QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString PlayInfoFile::Path() const {
  const QString folder = FolderFor(programWritable_);
  const QString found = FindPlayInfo(folder);
  return found.isEmpty() ? QDir(folder).filePath(FileName) : found;
}

PlayInfo PlayInfoFile::Fail(PlayInfo kept) {
  messages_.Show(QStringLiteral("セーブデータが読めません。") + QLatin1Char('\n') +
                     QStringLiteral("これまでセーブされたものは、すべて無効となります。"),
                 QStringLiteral("エラー"), MsgIcon::Error, MsgButtons::Ok);
  return kept;
}

PlayInfoRead PlayInfoFile::ReadOne(const QString& path, const PlayInfo& current) const {
  // A file that is there but cannot be read (a folder, a pipe, an oversized file) is as good
  // as a damaged one; reading nothing gives what the reader keeps when it finds no progress line.
  const std::string bytes =
      ReadRegularFile(QFile::encodeName(path).toStdString(), MaxFileBytes).value_or(std::string());
  return DecodePlayInfo(bytes, current);
}

QString PlayInfoFile::OtherFolder() const {
  const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  if (data.isEmpty() || installed_) return {};
  return programWritable_ ? data : programDir_;
}

void PlayInfoFile::ImportOnlyFrom(QStringList importFolders) {
  installed_ = true;
  programWritable_ = false;
  importFolders_ = std::move(importFolders);
}

PlayInfo PlayInfoFile::LoadInstalled(const PlayInfo& current) {
  const QString own = FindPlayInfo(FolderFor(false));
  QString source = own;
  for (const QString& folder : importFolders_)
    if (source.isEmpty()) source = FindPlayInfo(folder);
  if (source.isEmpty()) {
    PlayInfo fresh;
    fresh.stageReached = current.stageReached;
    return fresh;
  }
  const PlayInfoRead read = ReadOne(source, current);
  if (!own.isEmpty()) return read.failed ? Fail(read.info) : read.info;
  // The import: a damaged copy that is not the user's own counts as none. Saving what came of
  // it makes the data folder's file the one read from now on.
  PlayInfo info = read.info;
  if (read.failed) {
    info = PlayInfo{};
    info.stageReached = current.stageReached;
  }
  Save(info);
  return info;
}

PlayInfo PlayInfoFile::Load(const PlayInfo& current) {
  if (installed_) return LoadInstalled(current);
  // The file Save writes comes first. The other place may hold a farther stage (saved there
  // while the program folder could not be written, or shipped beside the program): the
  // farther stage is kept, so that progress saved in either place is never lost.
  const QString own = FindPlayInfo(FolderFor(programWritable_));
  const QString otherFolder = OtherFolder();
  const QString other = otherFolder.isEmpty() ? QString() : FindPlayInfo(otherFolder);
  if (own.isEmpty() && other.isEmpty()) {
    PlayInfo fresh;
    fresh.stageReached = current.stageReached;
    return fresh;
  }
  const PlayInfoRead read = ReadOne(own.isEmpty() ? other : own, current);
  PlayInfo info = read.info;
  if (!own.isEmpty() && !other.isEmpty()) {
    // A damaged copy in the other place costs nothing: the own file was read.
    const PlayInfoRead second = ReadOne(other, current);
    if (!second.failed && second.info.stageReached > info.stageReached) info.stageReached = second.info.stageReached;
  }
  return read.failed ? Fail(info) : info;
}

QString PlayInfoFile::OtherCopy() const {
  const QString otherFolder = OtherFolder();
  return otherFolder.isEmpty() ? QString() : FindPlayInfo(otherFolder);
}

bool PlayInfoFile::RemoveOtherCopy() {
  const QString other = OtherCopy();
  return other.isEmpty() || QFile::remove(other);
}

int PlayInfoFile::RemoveStaleTemporaries(const QDateTime& now) const {
  // A save writes "PlayInfo.DAT." and six letters or digits beside the file, then renames it;
  // one killed in between leaves that file behind. A minute's age keeps clear of a save
  // that another copy of the game may be making right now.
  static const QRegularExpression pattern(QStringLiteral("^PlayInfo\\.DAT\\.[A-Za-z0-9]{6}$"),
                                          QRegularExpression::CaseInsensitiveOption);
  int removed = 0;
  for (const QString& folder : {programDir_, OtherFolder()}) {
    if (folder.isEmpty()) continue;
    const QDir dir(folder);
    for (const QFileInfo& entry : dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks)) {
      if (!pattern.match(entry.fileName()).hasMatch()) continue;
      if (entry.lastModified().secsTo(now) < 60) continue;
      if (QFile::remove(entry.filePath())) ++removed;
    }
  }
  return removed;
}

bool PlayInfoFile::Save(const PlayInfo& toSave, Progress progress, PlayInfo* saved) {
  lastError_.clear();
  const QString path = Path();
  PlayInfo info = toSave;
  if (progress == Progress::KeepFarthest && QFileInfo::exists(path)) {
    // A damaged file holds nothing to keep.
    const PlayInfoRead now = ReadOne(path, PlayInfo{});
    if (!now.failed) info = KeepFarthest(info, now.info);
  }
  if (saved) *saved = info;
  const QString folder = QFileInfo(path).absolutePath();
  if (!QDir().mkpath(folder)) {
    lastError_ = folder + QStringLiteral(": cannot create the folder");
    return false;
  }
  const std::string bytes = EncodePlayInfo(info, DateText(QDate::currentDate()).toStdString());
  QString reason;
  if (!SaveWholeFile(path, bytes, &reason)) {
    lastError_ = path + QStringLiteral(": ") + reason;
    return false;
  }
  return true;
}

QString PlayInfoFile::DateText(QDate date, const QLocale& locale) {
  const QString text = locale.toString(date, QLocale::ShortFormat);
  const bool plain = !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
    return c.unicode() >= 0x20 && c.unicode() < 0x7f;
  });
  return plain ? text : date.toString(QStringLiteral("yyyy/MM/dd"));
}

}  // namespace morvik
