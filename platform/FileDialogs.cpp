#include "platform/FileDialogs.h"

#include <QFileDialog>
#include <QRegularExpression>

namespace morvik {

QString QtFileFilter(const QString& filter) {
  if (filter.isEmpty()) return {};
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList entries;
  for (qsizetype i = 0; i < parts.size(); i += 2) {
    // The description often repeats its patterns in brackets; Qt shows the patterns itself.
    QString description = parts[i];
    description.remove(QRegularExpression(QStringLiteral("\\s*\\([^()]*\\)\\s*$")));
    const QString patternText = i + 1 < parts.size() ? parts[i + 1] : QStringLiteral("*");
    QStringList patterns;
    for (QString p : patternText.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
      p = p.trimmed();
      patterns << (p == QStringLiteral("*.*") ? QStringLiteral("*") : p);
    }
    if (patterns.isEmpty()) patterns << QStringLiteral("*");
    entries << description.trimmed() + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
  }
  return entries.join(QStringLiteral(";;"));
}

QString QtFileDialogs::OpenFile(QWidget* parent, const QString& filter, const QString& folder) {
  // The open dialog accepts only existing files in existing folders.
  return QFileDialog::getOpenFileName(parent, QString(), folder, QtFileFilter(filter));
}

QString QtFileDialogs::SaveFile(QWidget* parent, const QString& filter, const QString& suggested) {
  return QFileDialog::getSaveFileName(parent, QString(), suggested, QtFileFilter(filter));
}

}  // namespace morvik
