#include "platform/SaveFile.h"

#include <sys/stat.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <cerrno>
#include <cstdio>
#include <optional>

#include "platform/RegularFile.h"

namespace morvik {

namespace {

// An old file larger than this is not kept in memory for a write-back; none of the game's
// files comes near it.
constexpr qint64 kMaxKeptBytes = 16 << 20;

// Unbuffered, so that every write reaches the system at once and a write that a full disk or
// a size limit cuts short is seen here, before commit() could replace the old file.
constexpr QIODevice::OpenMode kWriteMode = QIODevice::WriteOnly | QIODevice::Unbuffered;

// The first line of a kept copy; then the file's path, the new contents' size and hash, and
// the old contents to the end.
constexpr char kCopyHeader[] = "morvik unfinished save";
constexpr qint64 kCopyHeaderBytes = 4096;

QString copyFolder;
void (*inPlaceOpened)() = nullptr;

QString Reason(const QFileDevice& file) {
  return file.error() != QFileDevice::NoError ? file.errorString() : QStringLiteral("written only in part");
}

QByteArray Digest(QByteArrayView bytes) { return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex(); }

// The final target of path's links (path itself when it is no link); empty when the links
// go round in a circle.
QString FinalTarget(const QString& path) {
  QFileInfo info(path);
  for (int depth = 0; info.isSymLink(); ++depth) {
    if (depth == 64) return {};
    info.setFile(info.symLinkTarget());
  }
  return info.filePath();
}

// Whether the final target is a regular file or nothing at all (a link to nothing counts as
// nothing: the save creates its target).
bool RegularOrAbsent(const QString& target) {
  struct stat st {};
  if (::stat(QFile::encodeName(target).constData(), &st) != 0) return errno == ENOENT;
  return S_ISREG(st.st_mode);
}

QString CopyPathFor(const QString& target) {
  return QDir(UnfinishedSavesFolder())
      .filePath(QString::fromLatin1(Digest(QFile::encodeName(target)).left(32)) + QStringLiteral(".save"));
}

struct Kept {
  QString target;
  qint64 newSize = 0;
  QByteArray newDigest;
  QByteArray old;
};

std::optional<Kept> ReadKeptCopy(const QString& copyPath) {
  RegularFile file;
  if (!file.Open(QFile::encodeName(copyPath).toStdString(), kMaxKeptBytes + kCopyHeaderBytes)) return std::nullopt;
  std::string header, target, size, digest;
  if (!file.ReadLine(header) || header != kCopyHeader || !file.ReadLine(target) || !file.ReadLine(size) ||
      !file.ReadLine(digest))
    return std::nullopt;
  const std::optional<std::string> old = file.ReadRest();
  bool ok = false;
  Kept k{QString::fromUtf8(target), QString::fromStdString(size).toLongLong(&ok), QByteArray::fromStdString(digest), {}};
  if (!old || !ok || k.target.isEmpty()) return std::nullopt;
  k.old = QByteArray::fromStdString(*old);
  return k;
}

// The save itself. When the file is written in place, *old receives its contents first,
// for a write-back should the write fail, and *copy the kept copy of them.
bool Save(const QString& path, std::string_view bytes, std::optional<QByteArray>& old, QString* copy, QString& reason) {
  QSaveFile file(path);
  if (!file.open(kWriteMode)) {
    // No temporary file beside it. A file that is there and may be written is written in
    // place: the folder refused the temporary file (the fallback is taken for that alone).
    const QFileInfo target(path);
    QFile reader(path);
    if (!copy || !target.isFile() || !target.isWritable() || target.size() > kMaxKeptBytes ||
        !reader.open(QIODevice::ReadOnly)) {
      reason = Reason(file);
      return false;
    }
    const QByteArray contents = reader.readAll();
    // The old contents are kept outside the folder first, so that a kill during the write
    // cannot lose them.
    const QString keptPath = CopyPathFor(target.absoluteFilePath());
    const QByteArray kept = QByteArray(kCopyHeader) + '\n' + target.absoluteFilePath().toUtf8() + '\n' +
                            QByteArray::number(static_cast<qint64>(bytes.size())) + '\n' +
                            Digest(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size()))) + '\n' + contents;
    std::optional<QByteArray> none;
    QString why;
    if (!QDir().mkpath(UnfinishedSavesFolder()) || !Save(keptPath, kept.toStdString(), none, nullptr, why)) {
      reason = QStringLiteral("the folder takes no temporary file and no copy of the old contents could be kept");
      return false;
    }
    *copy = keptPath;
    old = contents;
    file.setDirectWriteFallback(true);
    if (!file.open(kWriteMode)) {
      reason = Reason(file);
      old.reset();  // nothing was written
      return false;
    }
    if (inPlaceOpened) inPlaceOpened();
  }
  const auto size = static_cast<qint64>(bytes.size());
  if (file.write(bytes.data(), size) == size && file.flush() && file.commit()) return true;
  reason = Reason(file);
  file.cancelWriting();  // the temporary file goes; the file it was to replace is untouched
  return false;
}

}  // namespace

bool SaveWholeFile(const QString& path, std::string_view bytes, QString* error) {
  const QString target = FinalTarget(path);
  if (target.isEmpty() || !RegularOrAbsent(target)) {
    if (error) *error = QStringLiteral("not a regular file (a device, a pipe, a folder or a circle of links)");
    return false;
  }
  std::optional<QByteArray> old;
  QString copy, reason;
  bool saved = Save(target, bytes, old, &copy, reason);
  if (!saved && old) {
    // Written in place, a failed write has already cut the old contents: they go back.
    QFile restore(target);
    const bool restored = restore.open(kWriteMode | QIODevice::Truncate) && restore.write(*old) == old->size();
    if (!restored) reason += QStringLiteral(" (the old contents could not be written back)");
    if (!restored) copy.clear();  // the kept copy puts them back at the next start
  }
  if (!copy.isEmpty()) QFile::remove(copy);
  if (!saved && error) *error = reason;
  return saved;
}

int RestoreUnfinishedSaves() {
  const QDir folder(UnfinishedSavesFolder());
  int restored = 0;
  for (const QFileInfo& entry : folder.entryInfoList({QStringLiteral("*.save")}, QDir::Files | QDir::Hidden)) {
    const std::optional<Kept> kept = ReadKeptCopy(entry.filePath());
    if (!kept) continue;  // not one of ours, or being written: left alone
    const std::optional<std::string> now =
        ReadRegularFile(QFile::encodeName(kept->target).toStdString(), static_cast<std::uint64_t>(kMaxKeptBytes));
    // A file that is gone was removed since; one that holds the new contents was saved whole.
    bool done = !now || (static_cast<qint64>(now->size()) == kept->newSize && Digest(*now) == kept->newDigest);
    if (!done) {
      std::optional<QByteArray> none;
      QString reason;
      done = Save(kept->target, kept->old.toStdString(), none, nullptr, reason);
      if (!done) {
        // Written in place again: the folder still takes no temporary file.
        QFile back(kept->target);
        done = back.open(kWriteMode | QIODevice::Truncate) && back.write(kept->old) == kept->old.size();
      }
      if (done) ++restored;
      std::fprintf(stderr, "morvik: %s: a save was cut short; %s\n", QFile::encodeName(kept->target).constData(),
                   done ? "the old contents are back" : "the old contents could not be put back yet");
    }
    if (done) QFile::remove(entry.filePath());
  }
  return restored;
}

void SetUnfinishedSavesFolder(const QString& folder) { copyFolder = folder; }

QString UnfinishedSavesFolder() {
  if (!copyFolder.isEmpty()) return copyFolder;
  const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  return data.isEmpty() ? QString() : QDir(data).filePath(QStringLiteral("unfinished-saves"));
}

void SetInPlaceOpenedHook(void (*hook)()) { inPlaceOpened = hook; }

}  // namespace morvik
