#pragma once
// A small settings file of the user's own (the view size, the fewest presses): groups of
// "key=value" lines in the form Qt's INI settings write them, so that files written before
// read the same. Read through the regular-file opener with a size cap: a pipe, a device, a
// folder or an oversized file in its place counts as missing and is named once on the
// standard error. Written whole through the save helper, which never replaces a device or a
// pipe a link points to. Values are plain words (numbers, hashes).
#include <QString>
#include <QStringList>
#include <map>

namespace morvik {

class SettingsFile {
 public:
  // Reads the file at path; an empty path gives a file of no values that cannot be saved.
  explicit SettingsFile(QString path);

  const QString& Path() const { return path_; }
  // Keys are "group/key".
  QString Value(const QString& key) const;
  int IntValue(const QString& key, int fallback = 0) const;
  void SetValue(const QString& key, const QString& value);
  void Remove(const QString& key);
  QStringList ChildKeys(const QString& group) const;

  // Writes every value. On failure false, with the reason in *error, or on the standard
  // error when error is null.
  bool Save(QString* error = nullptr) const;

  // The program's settings: "morvik.conf" in the folder "morvik" of the user's settings folder.
  static QString UserSettingsPath();

  // The same escape of key and group names as Qt's INI settings.
  static QString EscapedKey(const QString& key);
  static QString UnescapedKey(QStringView text);

 private:
  QString path_;
  std::map<QString, std::map<QString, QString>> groups_;
};

inline constexpr qint64 SettingsFileMaxBytes = 4 << 20;

}  // namespace morvik
