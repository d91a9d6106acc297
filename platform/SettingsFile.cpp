#include "platform/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdio>
#include <mutex>
#include <set>

#include "platform/RegularFile.h"
#include "platform/SaveFile.h"

namespace morvik {

namespace {

// Each file that is there but cannot be read is named once a run, not at every read.
void TellUnreadableOnce(const QString& path, const FileOpenError& why) {
  static std::mutex guard;
  static std::set<QString> told;
  const std::lock_guard lock(guard);
  if (!told.insert(path).second) return;
  std::fprintf(stderr, "morvik: %s %s; read as missing\n", QFile::encodeName(path).constData(),
               FileErrorTextEnglish(why).c_str());
}

std::pair<QString, QString> Split(const QString& key) {
  const qsizetype slash = key.indexOf(QLatin1Char('/'));
  return slash < 0 ? std::pair{QStringLiteral("General"), key} : std::pair{key.left(slash), key.mid(slash + 1)};
}

int HexValue(QChar c) {
  const char16_t u = c.unicode();
  if (u >= '0' && u <= '9') return u - '0';
  if (u >= 'A' && u <= 'F') return u - 'A' + 10;
  if (u >= 'a' && u <= 'f') return u - 'a' + 10;
  return -1;
}

}  // namespace

SettingsFile::SettingsFile(QString path) : path_(std::move(path)) {
  if (path_.isEmpty()) return;
  FileOpenError why;
  const std::optional<std::string> bytes =
      ReadRegularFile(QFile::encodeName(path_).toStdString(), SettingsFileMaxBytes, &why);
  if (!bytes) {
    if (why.kind != FileOpenError::Kind::Missing) TellUnreadableOnce(path_, why);
    return;
  }
  QString group = QStringLiteral("General");
  for (QStringView line : QStringView(QString::fromUtf8(*bytes)).split(QLatin1Char('\n'))) {
    line = line.trimmed();
    if (line.isEmpty() || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#'))) continue;
    if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
      group = UnescapedKey(line.mid(1, line.size() - 2));
      continue;
    }
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq <= 0) continue;
    QStringView value = line.mid(eq + 1).trimmed();
    if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
      value = value.mid(1, value.size() - 2);
    groups_[group][UnescapedKey(line.left(eq).trimmed())] = value.toString();
  }
}

QString SettingsFile::Value(const QString& key) const {
  const auto [group, name] = Split(key);
  const auto g = groups_.find(group);
  if (g == groups_.end()) return {};
  const auto v = g->second.find(name);
  return v == g->second.end() ? QString() : v->second;
}

int SettingsFile::IntValue(const QString& key, int fallback) const {
  bool ok = false;
  const int n = Value(key).toInt(&ok);
  return ok ? n : fallback;
}

void SettingsFile::SetValue(const QString& key, const QString& value) {
  const auto [group, name] = Split(key);
  groups_[group][name] = value;
}

void SettingsFile::Remove(const QString& key) {
  const auto [group, name] = Split(key);
  const auto g = groups_.find(group);
  if (g == groups_.end()) return;
  g->second.erase(name);
  if (g->second.empty()) groups_.erase(g);
}

QStringList SettingsFile::ChildKeys(const QString& group) const {
  QStringList keys;
  const auto g = groups_.find(group);
  if (g != groups_.end())
    for (const auto& [name, value] : g->second) keys.append(name);
  return keys;
}

bool SettingsFile::Save(QString* error) const {
  QString reason;
  bool saved = false;
  if (path_.isEmpty()) {
    reason = QStringLiteral("no settings file");
  } else if (!QDir().mkpath(QFileInfo(path_).absolutePath())) {
    reason = QStringLiteral("cannot create the folder");
  } else {
    QByteArray text;
    for (const auto& [group, values] : groups_) {
      if (!text.isEmpty()) text += '\n';
      text += '[' + EscapedKey(group).toLatin1() + "]\n";
      for (const auto& [name, value] : values) text += EscapedKey(name).toLatin1() + '=' + value.toUtf8() + '\n';
    }
    saved = SaveWholeFile(path_, text.toStdString(), &reason);
  }
  if (!saved && error) *error = reason;
  if (!saved && !error)
    std::fprintf(stderr, "morvik: %s not saved: %s\n", QFile::encodeName(path_).constData(), reason.toLocal8Bit().constData());
  return saved;
}

QString SettingsFile::UserSettingsPath() {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  return folder.isEmpty() ? QString() : QDir(folder).filePath(QStringLiteral("morvik/morvik.conf"));
}

QString SettingsFile::EscapedKey(const QString& key) {
  QString out;
  for (QChar c : key) {
    const char16_t u = c.unicode();
    if (u == '/') {
      out += QLatin1Char('\\');
    } else if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_' || u == '-' || u == '.') {
      out += c;
    } else if (u <= 0xFF) {
      out += QStringLiteral("%%1").arg(u, 2, 16, QLatin1Char('0')).toUpper();
    } else {
      out += QStringLiteral("%U%1").arg(u, 4, 16, QLatin1Char('0')).toUpper();
    }
  }
  return out;
}

QString SettingsFile::UnescapedKey(QStringView text) {
  QString out;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c == QLatin1Char('\\')) {
      out += QLatin1Char('/');
      continue;
    }
    if (c == QLatin1Char('%')) {
      const bool wide = i + 1 < text.size() && text[i + 1] == QLatin1Char('U');
      const qsizetype digits = wide ? 4 : 2, from = i + (wide ? 2 : 1);
      int value = 0;
      bool ok = from + digits <= text.size();
      for (qsizetype d = 0; ok && d < digits; ++d) {
        const int h = HexValue(text[from + d]);
        ok = h >= 0;
        value = value * 16 + h;
      }
      if (ok) {
        out += QChar(static_cast<char16_t>(value));
        i = from + digits - 1;
        continue;
      }
    }
    out += c;
  }
  return out;
}

}  // namespace morvik
