#include "shell/PlayInfoFile.h"

#include "platform/SaveFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <algorithm>
#include <string_view>
#include <utility>

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

PlayInfo PlayInfoFile::Load(const PlayInfo& current) {
  QString path;
  if (!programWritable_) path = FindPlayInfo(FolderFor(false));
  if (path.isEmpty()) path = FindPlayInfo(programDir_);
  if (path.isEmpty()) {
    PlayInfo fresh;
    fresh.stageReached = current.stageReached;
    return fresh;
  }

  // A file that is there but cannot be read is as good as a damaged one; reading nothing
  // gives what the reader keeps when it finds no progress line.
  QByteArray bytes;
  QFile file(path);
  if (file.open(QIODevice::ReadOnly)) bytes = file.read(MaxFileBytes + 1);
  if (bytes.size() > MaxFileBytes) bytes.clear();
  const PlayInfoRead read =
      DecodePlayInfo(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), current);
  return read.failed ? Fail(read.info) : read.info;
}

bool PlayInfoFile::Save(const PlayInfo& info) {
  lastError_.clear();
  const QString path = Path();
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
