#include "platform/SaveFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <optional>

namespace morvik {

namespace {

// An old file larger than this is not kept in memory for a write-back; none of the game's
// files comes near it.
constexpr qint64 kMaxKeptBytes = 16 << 20;

// Unbuffered, so that every write reaches the system at once and a write that a full disk or
// a size limit cuts short is seen here, before commit() could replace the old file.
constexpr QIODevice::OpenMode kWriteMode = QIODevice::WriteOnly | QIODevice::Unbuffered;

QString Reason(const QFileDevice& file) {
  return file.error() != QFileDevice::NoError ? file.errorString() : QStringLiteral("written only in part");
}

// The save itself. When the file is written in place, *old receives its contents first,
// for a write-back should the write fail.
bool Save(const QString& path, std::string_view bytes, std::optional<QByteArray>& old, QString& reason) {
  QSaveFile file(path);
  if (!file.open(kWriteMode)) {
    // No temporary file beside it. A file that is there and may be written is written in
    // place: the folder refused the temporary file (the fallback is taken for that alone).
    const QFileInfo target(path);
    QFile reader(path);
    if (!target.isFile() || !target.isWritable() || target.size() > kMaxKeptBytes || !reader.open(QIODevice::ReadOnly)) {
      reason = Reason(file);
      return false;
    }
    old = reader.readAll();
    file.setDirectWriteFallback(true);
    if (!file.open(kWriteMode)) {
      reason = Reason(file);
      old.reset();  // nothing was written
      return false;
    }
  }
  const auto size = static_cast<qint64>(bytes.size());
  if (file.write(bytes.data(), size) == size && file.flush() && file.commit()) return true;
  reason = Reason(file);
  file.cancelWriting();  // the temporary file goes; the file it was to replace is untouched
  return false;
}

}  // namespace

bool SaveWholeFile(const QString& path, std::string_view bytes, QString* error) {
  std::optional<QByteArray> old;
  QString reason;
  if (Save(path, bytes, old, reason)) return true;
  if (old) {
    // Written in place, a failed write has already cut the old contents: they go back.
    QFile restore(path);
    const bool restored = restore.open(kWriteMode | QIODevice::Truncate) && restore.write(*old) == old->size();
    if (!restored) reason += QStringLiteral(" (the old contents could not be written back)");
  }
  if (error) *error = reason;
  return false;
}

}  // namespace morvik
